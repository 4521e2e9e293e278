#include "engine/LargePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace engine {

namespace {
constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
}  // namespace

void PreferLargePages(Raster& raster) {
    const auto begin = reinterpret_cast<uintptr_t>(raster.Data());
    const uintptr_t end = begin + raster.ByteSize();
    // The whole large pages inside the raster.
    const uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t last = end & ~(kLargePage - 1);
    if (raster.Data() == nullptr || last <= first) return;
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace engine
