#include "engine/OffsetShadow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/BlendOver.h"
#include "engine/LargePages.h"
#include "engine/LayerBlur.h"
#include "engine/Layers.h"
#include "engine/Opacity.h"
#include "engine/TransparentRuns.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// The shadow's alpha for each of the picture's: scaled at every opacity, 100
// included (where it changes nothing).
struct ShadowAlphas {
    uint8_t scaled[256];

    explicit ShadowAlphas(int32_t opacityPercent) {
        const float factor = OpacityFactor(opacityPercent);
        for (int a = 0; a < 256; ++a) scaled[a] = ScaleAlpha(uint8_t(a), factor);
    }
};

// Calls shade(r, row r's pixels) for every row r of the picture, in parallel.
template <class Shade>
void ForEachRow(RasterView picture, Shade shade) {
    ParallelFor(picture.height, 16, [&](int64_t begin, int64_t end, int) {
        for (int64_t r = begin; r < end; ++r) shade(r, picture.Pixel(0, int32_t(r)));
    });
}

// The shadow layer, at column x, row y of `target`: the colour with scaled
// alpha wherever the picture's alpha is not 0; the picture's own bytes where
// it is.
void MakeShadow(RasterView picture, const OffsetShadowParams& params, MutableRasterView target,
                int64_t x, int64_t y) {
    const ShadowAlphas alphas(params.opacityPercent);
    const uint32_t colour = uint32_t(params.color.blue) | uint32_t(params.color.green) << 8 |
                            uint32_t(params.color.red) << 16;
    ForEachRow(picture, [&](int64_t r, const uint8_t* from) {
        uint8_t* to = target.pixels + ((y + r) * target.width + x) * kBytesPerPixel;
        auto shade = [&](int64_t i) {
            uint32_t pixel;
            std::memcpy(&pixel, from + i * kBytesPerPixel, 4);
            const uint32_t alpha = pixel >> 24;
            // A select, not a branch: in fine detail alpha comes and goes too
            // irregularly to predict.
            const uint32_t shaded = colour | uint32_t(alphas.scaled[alpha]) << 24;
            pixel = alpha != 0 ? shaded : pixel;
            std::memcpy(to + i * kBytesPerPixel, &pixel, 4);
        };
        auto copyEight = [&](int64_t i) {
            std::memcpy(to + i * kBytesPerPixel, from + i * kBytesPerPixel, 4 * kTransparentGroup);
        };
        ForEachPixelByEights(from, picture.width, copyEight, shade);
    });
}

// The same layer's alphas alone, a byte a pixel, rows packed.
void MakeShadowAlphas(RasterView picture, int32_t opacityPercent, uint8_t* target) {
    const ShadowAlphas alphas(opacityPercent);
    ForEachRow(picture, [&](int64_t r, const uint8_t* from) {
        uint8_t* to = target + r * picture.width;
        auto shade = [&](int64_t i) { to[i] = alphas.scaled[from[i * kBytesPerPixel + kAlpha]]; };
        auto zeroEight = [&](int64_t i) { std::memset(to + i, 0, kTransparentGroup); };
        ForEachPixelByEights(from, picture.width, zeroEight, shade);
    });
}

// A blurred shadow is blurred from its alphas straight into the output.
Result<Raster> BlurredShadow(RasterView picture, const OffsetShadowParams& params) {
    const int64_t b = params.blur;
    const int64_t dx = params.dx;
    const int64_t dy = params.dy;
    const BlockArray<uint8_t> alphas =
        AllocateUnsetScratch<uint8_t>(size_t(picture.width) * size_t(picture.height));
    if (!alphas) return Result<Raster>::OutOfMemory();
    Raster output = Raster::Allocate(std::abs(dx) + picture.width + 2 * b + 8,
                                     std::abs(dy) + picture.height + 2 * b + 8);
    if (!output) return Result<Raster>::OutOfMemory();
    PreferLargePages(output);

    MakeShadowAlphas(picture, params.opacityPercent, alphas.get());
    const int64_t x = std::max<int64_t>(dx, 0);
    const int64_t y = std::max<int64_t>(-dy, 0);
    std::vector<std::string> notices;
    if (!BlurColourLayer({alphas.get(), picture.width, picture.width, picture.height}, params.blur,
                         params.color, output.MutableView(), x, y)) {
        // Without the blur's working memory: the layer on the enlarged canvas, unblurred.
        notices.push_back(kAntiFlickerOutOfMemory);
        std::memset(output.Data(), 0, output.ByteSize());
        MakeShadow(picture, params, output.MutableView(), x + b + 2, y + b + 2);
    }
    BlendOverLayer(output.MutableView(), picture, std::max<int64_t>(-dx, 0) + b,
                   std::max<int64_t>(dy, 0) + b);
    return {std::move(output), std::move(notices)};
}

}  // namespace

Result<Raster> OffsetShadow(RasterView picture, const OffsetShadowParams& params) {
    const int64_t b = params.blur;
    if (b > 0 && b <= kMaxLayerBlur) return BlurredShadow(picture, params);

    // Unblurred, the layer goes straight into the output; the widest blurs
    // blur it as a raster of its own first.
    Raster shadow;
    std::vector<std::string> notices;
    if (b > 0) {
        shadow = Raster::Allocate(picture.width, picture.height);
        if (!shadow) return Result<Raster>::OutOfMemory();
        MakeShadow(picture, params, shadow.MutableView(), 0, 0);
        Result<Raster> blurred = AntiFlicker(shadow.View(), params.blur, params.blur, false);
        if (!blurred) return blurred;
        notices = std::move(blurred).TakeNotices();
        shadow = std::move(blurred).Value();
    }

    const int64_t dx = params.dx;
    const int64_t dy = params.dy;
    const int64_t layerWidth = b > 0 ? shadow.Width() : picture.width;
    const int64_t layerHeight = b > 0 ? shadow.Height() : picture.height;
    Raster output = Raster::Allocate(std::abs(dx) + layerWidth, std::abs(dy) + layerHeight);
    if (!output) return Result<Raster>::OutOfMemory();
    PreferLargePages(output);
    const int64_t x = std::max<int64_t>(dx, 0);
    const int64_t y = std::max<int64_t>(-dy, 0);
    ClearAround(output.MutableView(), x, y, layerWidth, layerHeight);
    if (b > 0) {
        PlaceRaster(output.MutableView(), shadow.View(), x, y);
    } else {
        MakeShadow(picture, params, output.MutableView(), x, y);
    }
    BlendOverLayer(output.MutableView(), picture, std::max<int64_t>(-dx, 0) + b,
                   std::max<int64_t>(dy, 0) + b);
    return {std::move(output), std::move(notices)};
}

}  // namespace engine
