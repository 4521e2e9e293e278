#pragma once
// Reading a matte or selection mask file into a raster the matte effect can use.

#include <string>

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

inline constexpr const char* kMatteMissing = "Matte file does not exist";

// The picture file's B, G, R and the library's opacity (255 - alpha, so 0 is
// opaque) of every pixel, bottom row first as it appears upright; or why the
// file cannot be used.
Result<Raster> ReadMatteFile(const std::string& path);

}  // namespace engine
