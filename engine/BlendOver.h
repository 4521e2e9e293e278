#pragma once
// The picture laid over a layer (StampRaster with StampMode::BlendOver), row
// by row on the workers, with the blend of each pixel computed as
// BlendPixelOver computes it.

#include <cstdint>

#include <vector>

#include "engine/Raster.h"
#include "engine/TransparentRuns.h"

namespace engine {

// Blends every source pixel whose alpha is not 0 over the destination pixel at
// column x + c, row y + r; the same as StampRaster(dst, src, x, y,
// StampMode::BlendOver) for any placement.
void BlendOverLayer(MutableRasterView dst, RasterView src, int64_t x, int64_t y);

// The same, given for each source row r the span of its columns that have
// alpha (one span a row), so that the columns outside it are never read.
void BlendOverLayer(MutableRasterView dst, RasterView src, int64_t x, int64_t y,
                    const std::vector<RowSpan>& spans);

}  // namespace engine
