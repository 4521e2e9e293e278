// Selection files: any bytes give a selection or a reason, and a selection
// written out reads back as the same file.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/imageview/SelectionFile.h"

namespace {

uint32_t WordAt(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A selection of many pixels takes its whole mask in memory; large ones
    // would only slow the search down.
    if (size >= 16 && uint64_t(WordAt(data + 8)) * WordAt(data + 12) > (1u << 22)) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const imageview::SelectionRead read = imageview::SelectionFromBytes(bytes, "fuzz");
    if (!read.selection) {
        if (read.error.empty()) std::abort();
        return 0;
    }
    const std::string written = imageview::SelectionFileBytes(*read.selection);
    const imageview::SelectionRead back = imageview::SelectionFromBytes(written, "fuzz");
    if (!back.selection || imageview::SelectionFileBytes(*back.selection) != written) std::abort();
    return 0;
}
