#include "tests/engine/reference/ReferenceEffects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace reference {

namespace {

constexpr double kRadiansPerDegree = 0.0174532925;

void ClearFrame(MutableRasterView picture) {
    const int32_t w = picture.width;
    const int32_t h = picture.height;
    auto frame = [](int32_t i, int32_t n) { return i <= 1 || i >= n - 2; };
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            if (frame(x, w) || frame(y, h)) std::memset(picture.Pixel(x, y), 0, kBytesPerPixel);
        }
    }
}

}  // namespace

LightVector EmbossLight(int32_t azimuthDegrees, int32_t elevationDegrees) {
    const double azimuth = double(azimuthDegrees) * kRadiansPerDegree;
    const double elevation = double(elevationDegrees) * kRadiansPerDegree;
    return {int32_t(std::cos(azimuth) * std::cos(elevation) * 255.9),
            int32_t(std::sin(azimuth) * std::cos(elevation) * 255.9),
            int32_t(std::sin(elevation) * 255.9)};
}

Result<Raster> EmbossBevel(MutableRasterView picture, const EmbossBevelParams& params) {
    ClearFrame(picture);

    // The dialog gives sizes 0 .. 20 and depths 1 or 4; others are held in a
    // range where the arithmetic stays defined.
    const int64_t s = std::clamp(params.size, 0, 1 << 20);
    const int64_t depth = std::max(params.depth, 1);
    const int64_t wc = int64_t(picture.width) + s;
    const int64_t hc = int64_t(picture.height) + s;
    Raster output = Raster::Allocate(wc, hc);
    if (!output) return Result<Raster>::OutOfMemory();
    Raster canvas = Raster::AllocateZeroed(wc, hc);
    if (!canvas) return Result<Raster>::OutOfMemory();
    reference::PlaceRaster(canvas.MutableView(), picture, s / 2, s / 2);
    const size_t pixels = size_t(wc) * size_t(hc);
    const auto alpha = AllocateScratch<uint8_t>(pixels);
    if (!alpha) return Result<Raster>::OutOfMemory();
    for (size_t i = 0; i < pixels; ++i) alpha[i] = canvas.Data()[i * kBytesPerPixel + kAlpha];
    auto a = [&](int64_t row, int64_t column) { return int64_t(alpha[size_t(row * wc + column)]); };

    const LightVector light = EmbossLight(params.azimuth, params.elevation);
    const int64_t k = s == 0 ? 1 : s;
    const int64_t nz = ((2 * k + 1) * 255) / depth;

    std::memset(output.Data(), 0, output.ByteSize());
    for (int64_t y = 1; y <= hc - 2; ++y) {
        for (int64_t x = 1; x <= wc - 2; ++x) {
            // The window is centred on column x and row y - 1.
            int64_t nx = 0;
            for (int64_t j = -k; j <= k; ++j) {
                if (y + j < 1 || y + j > hc - 3) continue;
                if (x - k >= 1) nx += a(y - 1 + j, x - k);
                if (x + k <= wc - 3) nx -= a(y - 1 + j, x + k);
            }
            int64_t ny = 0;
            for (int64_t c = x - k; c <= x + k; ++c) {
                if (c <= x ? c < 1 : c > wc - 3) continue;
                if (y - k >= 1) ny += a(y - 1 - k, c);
                if (y + k <= hc - 3) ny -= a(y - 1 + k, c);
            }
            int64_t shade = 0;
            if (nx == 0 && ny == 0) {
                shade = light.z;
            } else {
                const int64_t dot = nx * light.x + ny * light.y + nz * light.z;
                if (dot >= 0) {
                    const int64_t squares = nx * nx + ny * ny + nz * nz;
                    shade = int64_t(double(dot) / std::sqrt(double(squares)));
                }
            }
            const uint8_t* t = canvas.View().Pixel(int32_t(x), int32_t(y));
            uint8_t* o = output.MutableView().Pixel(int32_t(x), int32_t(y));
            for (int c : {kBlue, kGreen, kRed}) o[c] = uint8_t((int64_t(t[c]) * shade) >> 8);
            o[kAlpha] = t[kAlpha];
        }
    }
    // The outermost frame stays 0: it was never written above.
    return output;
}

}  // namespace reference
