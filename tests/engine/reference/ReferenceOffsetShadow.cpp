#include "tests/engine/reference/ReferenceEffects.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace reference {

Result<Raster> OffsetShadow(RasterView picture, const OffsetShadowParams& params) {
    Raster shadow = Raster::CopyOf(picture);
    if (!shadow) return Result<Raster>::OutOfMemory();
    // Scaled at every opacity, 100 included (where it changes nothing);
    // transparent pixels keep whatever they hold.
    const float factor = OpacityFactor(params.opacityPercent);
    for (size_t i = 0; i < shadow.ByteSize(); i += kBytesPerPixel) {
        uint8_t* p = shadow.Data() + i;
        if (p[kAlpha] == 0) continue;
        p[kBlue] = params.color.blue;
        p[kGreen] = params.color.green;
        p[kRed] = params.color.red;
        p[kAlpha] = ScaleAlpha(p[kAlpha], factor);
    }

    std::vector<std::string> notices;
    const int64_t b = params.blur;
    if (b > 0) {
        Result<Raster> blurred =
            reference::AntiFlicker(shadow.View(), params.blur, params.blur, false);
        if (!blurred) return blurred;
        notices = std::move(blurred).TakeNotices();
        shadow = std::move(blurred).Value();
    }

    const int64_t dx = params.dx;
    const int64_t dy = params.dy;
    const int64_t width = std::abs(dx) + shadow.Width();
    const int64_t height = std::abs(dy) + shadow.Height();
    Raster output = Raster::AllocateZeroed(width, height);
    if (!output) return Result<Raster>::OutOfMemory();
    reference::PlaceRaster(output.MutableView(), shadow.View(), std::max<int64_t>(dx, 0),
                           std::max<int64_t>(-dy, 0));
    reference::StampRaster(output.MutableView(), picture, std::max<int64_t>(-dx, 0) + b,
                           std::max<int64_t>(dy, 0) + b, StampMode::BlendOver);
    return {std::move(output), std::move(notices)};
}

}  // namespace reference
