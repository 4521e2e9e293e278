#include "engine/Border.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/BlendOver.h"
#include "engine/BorderStamps.h"
#include "engine/LargePages.h"

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
        // alphas are kept (once for each number of times a point is
        // stamped); StampLayer writes every byte of the layer, and every
        // byte of the scratch before it reads it.
        const BlockArray<uint8_t> scratch =
            AllocateUnsetScratch<uint8_t>(StampScratchBytes(picture.width, picture.height, s));
        if (!scratch) return Result<Raster>::OutOfMemory();
        StampLayer(layer.MutableView(), picture, scratch.get(), s, params.color,
                   params.opacityPercent);
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
