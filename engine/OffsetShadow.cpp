#include "engine/OffsetShadow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/BlendOver.h"
#include "engine/LargePages.h"
#include "engine/Layers.h"
#include "engine/Opacity.h"
#include "engine/TransparentRuns.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// The shadow layer: the colour with scaled alpha wherever the picture's alpha
// is not 0; the picture's own bytes where it is.
void MakeShadow(RasterView picture, const OffsetShadowParams& params, Raster& shadow) {
    // Scaled at every opacity, 100 included (where it changes nothing).
    uint8_t scale[256];
    const float factor = OpacityFactor(params.opacityPercent);
    for (int a = 0; a < 256; ++a) scale[a] = ScaleAlpha(uint8_t(a), factor);
    const uint32_t colour = uint32_t(params.color.blue) | uint32_t(params.color.green) << 8 |
                            uint32_t(params.color.red) << 16;
    const int64_t count = int64_t(picture.width) * picture.height;
    const uint8_t* source = picture.pixels;
    uint8_t* target = shadow.Data();
    ParallelFor(count, int64_t(1) << 16, [&](int64_t begin, int64_t end, int) {
        const uint8_t* from = source + begin * kBytesPerPixel;
        uint8_t* to = target + begin * kBytesPerPixel;
        auto shade = [&](int64_t i) {
            uint32_t pixel;
            std::memcpy(&pixel, from + i * kBytesPerPixel, 4);
            const uint32_t alpha = pixel >> 24;
            if (alpha != 0) pixel = colour | uint32_t(scale[alpha]) << 24;
            std::memcpy(to + i * kBytesPerPixel, &pixel, 4);
        };
        auto copyEight = [&](int64_t i) {
            std::memcpy(to + i * kBytesPerPixel, from + i * kBytesPerPixel, 4 * kTransparentGroup);
        };
        ForEachPixelByEights(from, end - begin, copyEight, shade);
    });
}

// The output: the shadow at column x, row y of a transparent canvas. The
// shadow always lies whole inside it (the canvas grows by the offsets).
void PlaceShadow(Raster& output, RasterView shadow, int64_t x, int64_t y) {
    const int64_t width = output.Width();
    ParallelFor(output.Height(), 16, [&](int64_t begin, int64_t end, int) {
        for (int64_t row = begin; row < end; ++row) {
            uint8_t* target = output.Data() + row * width * kBytesPerPixel;
            if (row < y || row >= y + shadow.height) {
                std::memset(target, 0, size_t(width) * kBytesPerPixel);
                continue;
            }
            std::memset(target, 0, size_t(x) * kBytesPerPixel);
            std::memcpy(target + x * kBytesPerPixel, shadow.Pixel(0, int32_t(row - y)),
                        size_t(shadow.width) * kBytesPerPixel);
            std::memset(target + (x + shadow.width) * kBytesPerPixel, 0,
                        size_t(width - x - shadow.width) * kBytesPerPixel);
        }
    });
}

}  // namespace

Result<Raster> OffsetShadow(RasterView picture, const OffsetShadowParams& params) {
    Raster shadow = Raster::Allocate(picture.width, picture.height);
    if (!shadow) return Result<Raster>::OutOfMemory();
    MakeShadow(picture, params, shadow);

    std::vector<std::string> notices;
    const int64_t b = params.blur;
    if (b > 0) {
        // Every pixel of the shadow whose alpha is not 0 has the colour.
        Result<Raster> blurred =
            AntiFlickerLayer(shadow.View(), params.blur, params.blur, params.color);
        if (!blurred) return blurred;
        notices = std::move(blurred).TakeNotices();
        shadow = std::move(blurred).Value();
    }

    const int64_t dx = params.dx;
    const int64_t dy = params.dy;
    const int64_t width = std::abs(dx) + shadow.Width();
    const int64_t height = std::abs(dy) + shadow.Height();
    Raster output = Raster::Allocate(width, height);
    if (!output) return Result<Raster>::OutOfMemory();
    PreferLargePages(output);
    PlaceShadow(output, shadow.View(), std::max<int64_t>(dx, 0), std::max<int64_t>(-dy, 0));
    BlendOverLayer(output.MutableView(), picture, std::max<int64_t>(-dx, 0) + b,
                   std::max<int64_t>(dy, 0) + b);
    return {std::move(output), std::move(notices)};
}

}  // namespace engine
