// The image library brings in an OpenMP runtime, which cannot be unloaded
// cleanly (its thread pool and start-up allocations outlive any user). When
// the module is loaded, that runtime is kept for the life of the process, so
// unloading the module leaves it in place.

#include <dlfcn.h>

namespace {

[[gnu::constructor]] void PinOpenMpRuntime() {
    dlopen("libgomp.so.1", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace
