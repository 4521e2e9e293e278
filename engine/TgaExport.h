#pragma once

#include <string>

#include "engine/Raster.h"

namespace engine {

// Writes a picture whose pixels are in red, green, blue, alpha order, bottom row
// first, as an upright TGA file with an alpha channel. Returns the library's
// message on failure, or an empty string.
std::string WriteTga(RasterView rgbaBottomUp, const std::string& path);

}  // namespace engine
