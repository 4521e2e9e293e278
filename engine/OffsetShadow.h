#pragma once

#include <cstdint>

#include "engine/EffectColor.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

struct OffsetShadowParams {
    int32_t dx = 0;  // columns; positive puts the shadow toward higher columns
    int32_t dy = 0;  // rows; positive puts the shadow toward row 0 (down)
    int32_t blur = 0;
    int32_t opacityPercent = 100;
    EffectColor color;
};

// A drop shadow: the picture's silhouette in the effect colour, made partly
// transparent and optionally blurred, placed at the offset, with the picture
// laid over it. The canvas grows by |dx| x |dy| (plus 2 blur + 8 when blurred).
Result<Raster> OffsetShadow(RasterView picture, const OffsetShadowParams& params);

}  // namespace engine
