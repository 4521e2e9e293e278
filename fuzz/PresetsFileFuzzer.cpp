// The presets file: any bytes fill the records or are refused, and a file
// written from the records reads back into the same records.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dialogs/PresetFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PresetRecord records[kPresetSlots];
    if (PresetsFromBytes(bytes, true, records) != PresetsRead::Read) return 0;
    std::string written(4, '\0');
    for (const PresetRecord& slot : records) {
        for (const uint32_t word : slot.Words()) {
            for (int shift = 0; shift < 32; shift += 8) written += char(word >> shift);
        }
    }
    PresetRecord again[kPresetSlots];
    if (PresetsFromBytes(written, true, again) != PresetsRead::Read) std::abort();
    for (size_t slot = 0; slot < kPresetSlots; ++slot) {
        if (again[slot].Words() != records[slot].Words()) std::abort();
    }
    return 0;
}
