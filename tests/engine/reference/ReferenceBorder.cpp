#include "tests/engine/reference/ReferenceEffects.h"

#include <cmath>
#include <string>
#include <vector>

namespace reference {

Result<Raster> Border(RasterView picture, const BorderParams& params) {
    const int64_t s = params.size;
    const int64_t layerWidth = int64_t(picture.width) + 2 * s;
    const int64_t layerHeight = int64_t(picture.height) + 2 * s;
    Raster layer = Raster::AllocateZeroed(layerWidth, layerHeight);
    if (!layer) return Result<Raster>::OutOfMemory();

    {
        Raster silhouette = Raster::Allocate(picture.width, picture.height);
        if (!silhouette) return Result<Raster>::OutOfMemory();
        const size_t count = size_t(picture.width) * size_t(picture.height);
        for (size_t i = 0; i < count; ++i) {
            uint8_t* p = silhouette.Data() + i * kBytesPerPixel;
            p[kBlue] = params.color.blue;
            p[kGreen] = params.color.green;
            p[kRed] = params.color.red;
            p[kAlpha] = picture.pixels[i * kBytesPerPixel + kAlpha];
        }
        // Stamps add their alphas (capped) and all carry the same colour, so
        // their order does not matter; a point met twice counts twice.
        auto half = [&](int64_t i) {
            return int64_t(std::sqrt(double(s) * double(s) - double(i * i)) + 0.5);
        };
        for (int64_t i = -s; i < s; ++i) {
            const int64_t d = half(i);
            reference::StampRaster(layer.MutableView(), silhouette.View(), i + s, s + d,
                                   StampMode::AddAlpha);
            reference::StampRaster(layer.MutableView(), silhouette.View(), i + s, s - d,
                                   StampMode::AddAlpha);
        }
        for (int64_t i = -s; i < s; ++i) {
            const int64_t d = half(i);
            reference::StampRaster(layer.MutableView(), silhouette.View(), s + d, i + s,
                                   StampMode::AddAlpha);
            reference::StampRaster(layer.MutableView(), silhouette.View(), s - d, i + s,
                                   StampMode::AddAlpha);
        }
    }

    if (params.opacityPercent != 100) {
        const float factor = OpacityFactor(params.opacityPercent);
        for (size_t i = kAlpha; i < layer.ByteSize(); i += kBytesPerPixel) {
            layer.Data()[i] = ScaleAlpha(layer.Data()[i], factor);
        }
    }

    std::vector<std::string> notices;
    int64_t position = s;
    if (params.blur > 0) {
        Result<Raster> blurred =
            reference::AntiFlicker(layer.View(), params.blur, params.blur, false);
        if (!blurred) return blurred;
        notices = std::move(blurred).TakeNotices();
        layer = std::move(blurred).Value();
        // The blur moves the layer's origin to column and row blur + 2.
        position = s + params.blur + 2;
    }
    reference::StampRaster(layer.MutableView(), picture, position, position, StampMode::BlendOver);
    return {std::move(layer), std::move(notices)};
}

}  // namespace reference
