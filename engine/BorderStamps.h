#pragma once
// The border's colour layer: the picture's silhouette stamped at the points of
// a circle, built row by row instead of stamp by stamp.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/EffectColor.h"
#include "engine/Raster.h"
#include "engine/TransparentRuns.h"

namespace engine {

struct StampPoint {
    int64_t x = 0;
    int64_t y = 0;
};

// Where the silhouette is stamped for radius s, in stamping order, points met
// twice listed twice.
std::vector<StampPoint> CirclePoints(int64_t s);

// Bytes of scratch memory StampLayer needs for a W x H picture and radius s.
size_t StampScratchBytes(int32_t width, int32_t height, int64_t s);

// Writes the layer (W + 2s) x (H + 2s) with its top-left corner at column x,
// row y of `canvas`: under every stamp the colour, and as alpha the stamped
// alphas added and capped at 255, then scaled by the opacity unless it is
// 100; transparent black where no stamp reaches. Returns, as it finds them,
// the spans of the picture's rows that have alpha (none when s is 0).
std::vector<RowSpan> StampLayer(MutableRasterView canvas, int64_t x, int64_t y, RasterView picture,
                                uint8_t* scratch, int64_t s, EffectColor colour,
                                int32_t opacityPercent);

// The same layer's alphas alone, a byte a pixel, rows `stride` bytes apart.
std::vector<RowSpan> StampAlphas(uint8_t* alphas, int64_t stride, RasterView picture,
                                 uint8_t* scratch, int64_t s, int32_t opacityPercent);

}  // namespace engine
