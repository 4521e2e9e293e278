#pragma once
// Cutting the picture out with a matte. Without crop the matte value (the
// matte's luminance, or its fourth channel) replaces the picture's alpha; with
// crop it multiplies it, the result is cut to the box of the matte's selected
// pixels (red byte not 0) and its edge is softened.

#include <cstdint>

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

struct MatteParams {
    int32_t offsetX = 0;  // picture and matte are both read this far from where they are written
    int32_t offsetY = 0;
    bool inverse = false;   // use 255 - matte value
    bool useAlpha = false;  // matte value from the matte's fourth byte
    bool crop = false;
    int32_t blurX = 0;  // softening sizes; 0 and 0 for none
    int32_t blurY = 0;
};

// The matte value of one matte pixel (B, G, R, fourth byte).
uint8_t MatteValue(const uint8_t* mattePixel, bool useAlpha);

// matte: B, G, R and the library's opacity (0 = opaque), bottom row first like
// the picture.
Result<Raster> Matte(RasterView picture, RasterView matte, const MatteParams& params);

}  // namespace engine
