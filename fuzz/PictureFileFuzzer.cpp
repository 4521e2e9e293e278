// Picture and matte files: any bytes, under a picture's or a TGA matte's
// name, decode through the one decoder their first bytes name into a picture
// within the image library's limits, or are refused with a reason.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/PictureFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    engine::SetUpImageLibrary();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte picks the name, which alone lets the TGA decoder in.
    const std::string name = data[0] & 1 ? "matte.tga" : "picture.png";
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const engine::Result<engine::Raster> read =
        engine::DecodePicture(bytes, engine::DecoderFor(bytes, name));
    if (read) {
        const engine::Raster& raster = read.Value();
        if (!engine::PictureSizeAllowed(raster.Width(), raster.Height())) std::abort();
    } else if (read.Error().empty()) {
        std::abort();
    }
    return 0;
}
