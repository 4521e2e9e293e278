#include "tests/engine/reference/ReferenceEffects.h"

#include <cstring>
namespace reference {

uint8_t GrayscaleLuminance(uint8_t red, uint8_t green, uint8_t blue) {
    return uint8_t(int(0.3 * red + 0.59 * green + 0.11 * blue + 0.5));
}

Result<Raster> Grayscale(MutableRasterView picture) {
    // The output first: a failed allocation leaves the picture as it was.
    Raster output = Raster::Allocate(picture.width, picture.height);
    if (!output) return Result<Raster>::OutOfMemory();
    for (size_t i = 0; i < picture.ByteSize(); i += kBytesPerPixel) {
        uint8_t* p = picture.pixels + i;
        const uint8_t y = GrayscaleLuminance(p[kRed], p[kGreen], p[kBlue]);
        p[kBlue] = p[kGreen] = p[kRed] = y;
    }
    if (picture.ByteSize() > 0) std::memcpy(output.Data(), picture.pixels, picture.ByteSize());
    return output;
}

}  // namespace reference
