#include "engine/Border.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/BlendOver.h"
#include "engine/BorderStamps.h"
#include "engine/LargePages.h"
#include "engine/WorkerPool.h"

namespace engine {

Result<Raster> Border(RasterView picture, const BorderParams& params) {
    const int64_t s = params.size;
    const int64_t layerWidth = int64_t(picture.width) + 2 * s;
    const int64_t layerHeight = int64_t(picture.height) + 2 * s;
    Raster layer = Raster::Allocate(layerWidth, layerHeight);
    if (!layer) return Result<Raster>::OutOfMemory();
    PreferLargePages(layer);

    {
        // The silhouette is the colour with the picture's alphas, so only the
        // alphas are kept; StampLayer writes every byte of the layer.
        const size_t count = size_t(picture.width) * size_t(picture.height);
        const std::unique_ptr<uint8_t[]> alphas = AllocateScratch<uint8_t>(count);
        if (!alphas) return Result<Raster>::OutOfMemory();
        ParallelFor(int64_t(count), int64_t(1) << 16, [&](int64_t begin, int64_t end, int) {
            for (int64_t i = begin; i < end; ++i) {
                alphas[size_t(i)] = picture.pixels[size_t(i) * kBytesPerPixel + kAlpha];
            }
        });
        StampLayer(layer.MutableView(), alphas.get(), picture.width, picture.height, s,
                   params.color, params.opacityPercent);
    }

    std::vector<std::string> notices;
    int64_t position = s;
    if (params.blur > 0) {
        // Every pixel of the layer whose alpha is not 0 has the colour.
        Result<Raster> blurred =
            AntiFlickerLayer(layer.View(), params.blur, params.blur, params.color);
        if (!blurred) return blurred;
        notices = std::move(blurred).TakeNotices();
        layer = std::move(blurred).Value();
        // The blur moves the layer's origin to column and row blur + 2.
        position = s + params.blur + 2;
    }
    BlendOverLayer(layer.MutableView(), picture, position, position);
    return {std::move(layer), std::move(notices)};
}

}  // namespace engine
