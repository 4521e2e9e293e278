#include "engine/Grayscale.h"

#include <cstring>

#include "engine/CpuFeatures.h"
#include "engine/WorkerPool.h"

namespace engine {

uint8_t GrayscaleLuminance(uint8_t red, uint8_t green, uint8_t blue) {
    return uint8_t(int(0.3 * red + 0.59 * green + 0.11 * blue + 0.5));
}

namespace {

// The luminance of each pixel as GrayscaleLuminance computes it (the same
// double-precision products and sums in the same order, vectorised), written
// into the picture and into the output in one sweep.
TINTORA_INLINE void GrayPixels(uint8_t* pixels, uint8_t* output, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        uint32_t pixel;
        std::memcpy(&pixel, pixels + i * kBytesPerPixel, 4);
        const double blue = double(pixel & 0xFFu);
        const double green = double(pixel >> 8 & 0xFFu);
        const double red = double(pixel >> 16 & 0xFFu);
        const uint32_t y = uint32_t(int32_t(0.3 * red + 0.59 * green + 0.11 * blue + 0.5));
        pixel = (pixel & 0xFF000000u) | y | y << 8 | y << 16;
        std::memcpy(pixels + i * kBytesPerPixel, &pixel, 4);
        std::memcpy(output + i * kBytesPerPixel, &pixel, 4);
    }
}

void GrayPixelsDefault(uint8_t* pixels, uint8_t* output, int64_t count) {
    GrayPixels(pixels, output, count);
}

TINTORA_AVX2 void GrayPixelsAvx2(uint8_t* pixels, uint8_t* output, int64_t count) {
    GrayPixels(pixels, output, count);
}

}  // namespace

Result<Raster> Grayscale(MutableRasterView picture) {
    // The output first: a failed allocation leaves the picture as it was.
    Raster output = Raster::Allocate(picture.width, picture.height);
    if (!output) return Result<Raster>::OutOfMemory();
    const bool avx2 = HasAvx2();
    const int64_t count = int64_t(picture.width) * picture.height;
    ParallelFor(count, int64_t(1) << 16, [&](int64_t begin, int64_t end, int) {
        uint8_t* pixels = picture.pixels + begin * kBytesPerPixel;
        uint8_t* target = output.Data() + begin * kBytesPerPixel;
        if (avx2) {
            GrayPixelsAvx2(pixels, target, end - begin);
        } else {
            GrayPixelsDefault(pixels, target, end - begin);
        }
    });
    return output;
}

}  // namespace engine
