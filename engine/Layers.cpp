#include "engine/Layers.h"

#include <algorithm>
#include <cstring>

#include "engine/WorkerPool.h"

namespace engine {

namespace {

bool Fits(RasterView dst, RasterView src) {
    return src.width <= dst.width && src.height <= dst.height && src.height >= 1;
}

// Calls visit(sourcePixel, destinationPixel) for every source pixel whose linear
// destination index lies inside the destination.
template <typename Visit>
void ForEachPlacedPixel(MutableRasterView dst, RasterView src, int64_t x, int64_t y, Visit visit) {
    const int64_t dstPixels = int64_t(dst.width) * dst.height;
    for (int64_t r = 0; r < src.height; ++r) {
        const int64_t rowStart = (y + r) * dst.width + x;
        const uint8_t* s = src.Pixel(0, int32_t(r));
        // Only the columns whose index lies in 0 .. dstPixels - 1.
        const int64_t first = std::max<int64_t>(0, -rowStart);
        const int64_t last = std::min<int64_t>(src.width, dstPixels - rowStart);
        for (int64_t c = first; c < last; ++c) {
            visit(s + c * kBytesPerPixel, dst.pixels + (rowStart + c) * kBytesPerPixel);
        }
    }
}

}  // namespace

void PlaceRaster(MutableRasterView dst, RasterView src, int64_t x, int64_t y) {
    if (!Fits(dst, src)) return;
    const int64_t dstPixels = int64_t(dst.width) * dst.height;
    for (int64_t r = 0; r < src.height; ++r) {
        const int64_t rowStart = (y + r) * dst.width + x;
        const int64_t first = std::max<int64_t>(0, -rowStart);
        const int64_t last = std::min<int64_t>(src.width, dstPixels - rowStart);
        if (last <= first) continue;
        std::memcpy(dst.pixels + (rowStart + first) * kBytesPerPixel,
                    src.Pixel(int32_t(first), int32_t(r)), size_t(last - first) * kBytesPerPixel);
    }
}

void StampRaster(MutableRasterView dst, RasterView src, int64_t x, int64_t y, StampMode mode) {
    if (!Fits(dst, src)) return;
    if (mode == StampMode::AddAlpha) {
        ForEachPlacedPixel(dst, src, x, y, [](const uint8_t* s, uint8_t* d) {
            d[kBlue] = s[kBlue];
            d[kGreen] = s[kGreen];
            d[kRed] = s[kRed];
            d[kAlpha] = uint8_t(std::min(int(d[kAlpha]) + int(s[kAlpha]), 255));
        });
    } else {
        ForEachPlacedPixel(dst, src, x, y, [](const uint8_t* s, uint8_t* d) {
            if (s[kAlpha] != 0) BlendPixelOver(s, d);
        });
    }
}

void ClearAround(MutableRasterView target, int64_t x, int64_t y, int64_t width, int64_t height) {
    const int64_t rowBytes = int64_t(target.width) * kBytesPerPixel;
    auto zero = [](uint8_t* pixels, int64_t count) {
        if (count > 0) std::memset(pixels, 0, size_t(count) * kBytesPerPixel);
    };
    ParallelFor(target.height, 64, [&](int64_t begin, int64_t end, int) {
        for (int64_t row = begin; row < end; ++row) {
            uint8_t* pixels = target.pixels + row * rowBytes;
            if (row < y || row >= y + height) {
                zero(pixels, target.width);
            } else {
                zero(pixels, x);
                zero(pixels + (x + width) * kBytesPerPixel, target.width - x - width);
            }
        }
    });
}

void BlendPixelOver(const uint8_t* s, uint8_t* d) {
    // Each stored intermediate is single precision; the products and sums
    // between them are formed in double.
    const float as = float(double(s[kAlpha]) / 255.0);
    const float ad = float(double(d[kAlpha]) / 255.0);
    const double keep = 1.0 - double(as);
    float result[4];
    for (int c : {kBlue, kGreen, kRed}) {
        const float sc = float(double(s[c]) / 255.0);
        const float dc = float(double(d[c]) / 255.0);
        // The destination alpha does not weigh the destination colour.
        result[c] = float(double(sc) * double(as) + double(dc) * keep);
    }
    // The source alpha enters twice, as for the colours.
    result[kAlpha] = float(double(as) * double(as) + double(ad) * keep);
    for (int c = 0; c < 4; ++c) {
        const float v = result[c] > 1.0f ? 1.0f : result[c];
        d[c] = uint8_t(int(double(v) * 255.0));
    }
}

}  // namespace engine
