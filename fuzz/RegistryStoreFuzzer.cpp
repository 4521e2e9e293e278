// The registry store's text: any bytes parse or are refused without a crash,
// and what parses is written so that it parses to the same text again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/RegistryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::unique_ptr<registry::Key> root = registry::Parse(text);
    if (!root) return 0;
    const std::string written = registry::Serialize(*root);
    const std::unique_ptr<registry::Key> again = registry::Parse(written);
    if (!again || registry::Serialize(*again) != written) std::abort();
    return 0;
}
