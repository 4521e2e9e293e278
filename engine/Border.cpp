#include "engine/Border.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/BlendOver.h"
#include "engine/BorderStamps.h"
#include "engine/LargePages.h"
#include "engine/LayerBlur.h"

namespace engine {

namespace {

// The silhouette's padded plane of alphas, which StampLayer and StampAlphas
// write every byte of before they read it.
BlockArray<uint8_t> StampScratch(RasterView picture, int64_t s) {
    return AllocateUnsetScratch<uint8_t>(StampScratchBytes(picture.width, picture.height, s));
}

// A blurred outline is blurred from its alphas straight into the result.
Result<Raster> BlurredBorder(RasterView picture, const BorderParams& params) {
    const int64_t s = params.size;
    const int32_t b = params.blur;
    const int64_t layerWidth = int64_t(picture.width) + 2 * s;
    const int64_t layerHeight = int64_t(picture.height) + 2 * s;
    // A byte a pixel; a size beyond the address space asks for SIZE_MAX / 4
    // bytes, which the allocation refuses.
    const BlockArray<uint8_t> alphas = AllocateUnsetScratch<uint8_t>(
        RasterByteSize(layerWidth, layerHeight).value_or(SIZE_MAX) / kBytesPerPixel);
    if (!alphas) return Result<Raster>::OutOfMemory();
    const BlockArray<uint8_t> scratch = StampScratch(picture, s);
    if (!scratch) return Result<Raster>::OutOfMemory();
    Raster result = Raster::Allocate(layerWidth + 2 * b + 8, layerHeight + 2 * b + 8);
    if (!result) return Result<Raster>::OutOfMemory();
    PreferLargePages(result);

    std::vector<RowSpan> spans =
        StampAlphas(alphas.get(), layerWidth, picture, scratch.get(), s, params.opacityPercent);
    std::vector<std::string> notices;
    if (!BlurColourLayer({alphas.get(), layerWidth, layerWidth, layerHeight}, b, params.color,
                         result.MutableView(), 0, 0)) {
        // Without the blur's working memory: the layer on the enlarged canvas, unblurred.
        notices.push_back(kAntiFlickerOutOfMemory);
        std::memset(result.Data(), 0, result.ByteSize());
        spans = StampLayer(result.MutableView(), b + 2, b + 2, picture, scratch.get(), s,
                           params.color, params.opacityPercent);
    }
    // The blur moves the layer's origin to column and row blur + 2.
    BlendOverLayer(result.MutableView(), picture, s + b + 2, s + b + 2, spans);
    return {std::move(result), std::move(notices)};
}

}  // namespace

Result<Raster> Border(RasterView picture, const BorderParams& params) {
    if (params.blur > 0 && params.blur <= kMaxLayerBlur) return BlurredBorder(picture, params);
    const int64_t s = params.size;
    Raster layer =
        Raster::Allocate(int64_t(picture.width) + 2 * s, int64_t(picture.height) + 2 * s);
    if (!layer) return Result<Raster>::OutOfMemory();
    PreferLargePages(layer);
    std::vector<RowSpan> spans;
    {
        const BlockArray<uint8_t> scratch = StampScratch(picture, s);
        if (!scratch) return Result<Raster>::OutOfMemory();
        spans = StampLayer(layer.MutableView(), 0, 0, picture, scratch.get(), s, params.color,
                           params.opacityPercent);
    }

    std::vector<std::string> notices;
    int64_t position = s;
    if (params.blur > 0) {
        Result<Raster> blurred = AntiFlicker(layer.View(), params.blur, params.blur, false);
        if (!blurred) return blurred;
        notices = std::move(blurred).TakeNotices();
        layer = std::move(blurred).Value();
        position = s + params.blur + 2;
    }
    BlendOverLayer(layer.MutableView(), picture, position, position, spans);
    return {std::move(layer), std::move(notices)};
}

}  // namespace engine
