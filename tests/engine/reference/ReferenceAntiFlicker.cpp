#include "tests/engine/reference/ReferenceEffects.h"

#include <algorithm>
#include <cstring>

namespace reference {

namespace {

double SideShare(int32_t s) {
    if (s < 5) return 0.1;
    if (s < 10) return 0.2;
    if (s < 15) return 0.4;
    return 0.49;
}

// One pass over `image` along its rows (horizontal) or columns, written into
// `work` and then copied back, so every tap reads the image as it was before
// the pass.
void BlurPass(MutableRasterView image, MutableRasterView work, const std::vector<double>& kernel,
              bool horizontal, bool keepOpaque) {
    const int64_t size = int64_t(kernel.size() / 2);
    const int64_t width = image.width;
    const int64_t height = image.height;
    const int64_t limit = horizontal ? width : height;
    for (int64_t y = 0; y < height; ++y) {
        for (int64_t x = 0; x < width; ++x) {
            const int64_t position = horizontal ? x : y;
            int alphaSum = 0;
            int colourSum[3] = {0, 0, 0};
            int count = 0;
            for (int64_t i = 0; i <= 2 * size; ++i) {
                const int64_t tap = position - size + i;
                if (tap < 0 || tap >= limit) continue;
                const uint8_t* p = horizontal ? image.Pixel(int32_t(tap), int32_t(y))
                                              : image.Pixel(int32_t(x), int32_t(tap));
                // Nearest integer per tap, halves up.
                alphaSum += int(double(p[kAlpha]) * kernel[size_t(i)] + 0.5);
                if (p[kAlpha] != 0) {
                    colourSum[0] += p[kBlue];
                    colourSum[1] += p[kGreen];
                    colourSum[2] += p[kRed];
                    ++count;
                }
            }
            const int alpha = std::min(alphaSum, 255);
            uint8_t* out = work.Pixel(int32_t(x), int32_t(y));
            if (keepOpaque && alpha == 255) {
                std::memcpy(out, image.Pixel(int32_t(x), int32_t(y)), kBytesPerPixel);
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                // The count is converted to single precision; with these small
                // integers the quotient truncates exactly like integer division.
                const int mean = count == 0 ? 0 : int(float(colourSum[c]) / float(count));
                out[c] = uint8_t(std::min(mean, 255));
            }
            out[kAlpha] = uint8_t(alpha);
        }
    }
    std::memcpy(image.pixels, work.pixels, image.ByteSize());
}

}  // namespace

std::vector<double> EffectKernel(int32_t s) {
    s = std::max(s, 0);
    std::vector<double> w(size_t(2 * int64_t(s) + 1), 0.0);
    const double c = SideShare(s);
    double ramp = 0.1;
    for (int32_t i = 0; i < s; ++i) {
        w[size_t(i)] = ramp;
        ramp += 0.1;
    }
    double sum = 0.0;
    for (int32_t i = 0; i < s; ++i) sum += w[size_t(i)];
    for (int32_t i = 0; i < s; ++i) {
        w[size_t(i)] = w[size_t(i)] * (c * (1.0 / sum));
        w[size_t(2 * s - i)] = w[size_t(i)];
    }
    double sides = 0.0;
    for (int32_t i = 0; i < s; ++i) sides += 2.0 * w[size_t(i)];
    w[size_t(s)] = 1.0 - sides;
    return w;
}

Result<Raster> AntiFlicker(RasterView picture, int32_t sx, int32_t sy, bool keepOpaque) {
    const int64_t width = int64_t(picture.width) + 2 * int64_t(sx) + 8;
    const int64_t height = int64_t(picture.height) + 2 * int64_t(sy) + 8;
    Raster result = Raster::AllocateZeroed(width, height);
    if (!result) return Result<Raster>::OutOfMemory();
    reference::PlaceRaster(result.MutableView(), picture, int64_t(sx) + 2, int64_t(sy) + 2);

    Raster work = Raster::AllocateZeroed(result.Width(), result.Height());
    if (!work) return {std::move(result), {kAntiFlickerOutOfMemory}};
    if (sx > 0) {
        BlurPass(result.MutableView(), work.MutableView(), EffectKernel(sx), true, keepOpaque);
    }
    if (sy > 0) {
        BlurPass(result.MutableView(), work.MutableView(), EffectKernel(sy), false, keepOpaque);
    }
    return result;
}

}  // namespace reference
