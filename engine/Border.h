#pragma once

#include <cstdint>

#include "engine/EffectColor.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

struct BorderParams {
    uint32_t size = 0;  // radius of the outline, in pixels
    int32_t blur = 0;   // blur of the outline layer; 0 for none
    int32_t opacityPercent = 100;
    EffectColor color;
};

// An outline of the effect colour around the picture's visible shape: the
// picture's silhouette stamped at the points of a circle of radius size, made
// partly transparent, optionally blurred, with the picture laid over it. The
// output is (W + 2 size) x (H + 2 size), grown by 2 blur + 8 each way when blurred.
Result<Raster> Border(RasterView picture, const BorderParams& params);

}  // namespace engine
