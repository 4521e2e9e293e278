#pragma once

#include <cstdint>

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// Defocus: every pixel's blue, green and red become the integer mean over the
// 2r x 2r window of columns x-r .. x+r-1 and rows y-r .. y+r-1 (clipped to the
// picture, transparent pixels included); alpha and size stay. r = 0 leaves the
// colours as they are.
Result<Raster> Focus(RasterView picture, uint32_t r);

}  // namespace engine
