#include "tests/engine/reference/ReferenceEffects.h"

#include <algorithm>
#include <memory>
namespace reference {

// The window sum is separable: column sums over the window's rows are kept
// while sweeping up the picture, and a sliding sum over those gives each
// pixel's window. Integer sums make this identical to summing every window
// pixel, in time independent of r.
Result<Raster> Focus(RasterView picture, uint32_t r) {
    Raster out = Raster::Allocate(picture.width, picture.height);
    if (!out) return Result<Raster>::OutOfMemory();
    const int64_t w = picture.width;
    const int64_t h = picture.height;
    if (r == 0 || w == 0 || h == 0) {
        std::copy_n(picture.pixels, picture.ByteSize(), out.Data());
        return out;
    }
    const int64_t radius = r;

    const auto columnSums = AllocateScratch<uint64_t>(size_t(w) * 3);
    if (!columnSums) return Result<Raster>::OutOfMemory();
    auto addRow = [&](int64_t row, int sign) {
        const uint8_t* p = picture.Pixel(0, int32_t(row));
        for (int64_t x = 0; x < w; ++x, p += kBytesPerPixel) {
            for (int c = 0; c < 3; ++c) {
                columnSums[size_t(x) * 3 + c] += uint64_t(int64_t(p[c]) * sign);
            }
        }
    };
    // Rows of the window for y = 0: 0 .. r-1.
    for (int64_t row = 0; row < std::min(radius, h); ++row) addRow(row, +1);

    for (int64_t y = 0; y < h; ++y) {
        if (y > 0) {
            if (y + radius - 1 < h) addRow(y + radius - 1, +1);
            if (y - radius - 1 >= 0) addRow(y - radius - 1, -1);
        }
        const int64_t rows = std::min(y + radius - 1, h - 1) - std::max(y - radius, int64_t{0}) + 1;

        uint64_t window[3] = {0, 0, 0};
        for (int64_t col = 0; col < std::min(radius, w); ++col) {
            for (int c = 0; c < 3; ++c) window[c] += columnSums[size_t(col) * 3 + c];
        }
        const uint8_t* src = picture.Pixel(0, int32_t(y));
        uint8_t* dst = out.MutableView().Pixel(0, int32_t(y));
        for (int64_t x = 0; x < w; ++x, src += kBytesPerPixel, dst += kBytesPerPixel) {
            if (x > 0) {
                if (x + radius - 1 < w) {
                    for (int c = 0; c < 3; ++c)
                        window[c] += columnSums[size_t(x + radius - 1) * 3 + c];
                }
                if (x - radius - 1 >= 0) {
                    for (int c = 0; c < 3; ++c)
                        window[c] -= columnSums[size_t(x - radius - 1) * 3 + c];
                }
            }
            const int64_t cols =
                std::min(x + radius - 1, w - 1) - std::max(x - radius, int64_t{0}) + 1;
            const uint64_t count = uint64_t(rows * cols);
            for (int c = 0; c < 3; ++c) dst[c] = uint8_t(window[c] / count);
            dst[kAlpha] = src[kAlpha];
        }
    }
    return out;
}

}  // namespace reference
