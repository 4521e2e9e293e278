#pragma once
// Reading a matte or selection mask file into a raster the matte effect can use.

#include <cstdint>
#include <string>

#include "engine/Raster.h"

namespace engine {

// Mattes larger than this, or than the image library's own limits, are
// refused before any pixel is decoded.
constexpr int64_t kMaxMatteSide = 16384;
constexpr int64_t kMaxMattePixels = 128LL * 1024 * 1024;

inline constexpr const char* kMatteMissing = "Matte file does not exist";

struct MatteFile {
    // B, G, R and the library's opacity (0 = opaque) of every pixel, each
    // brought to 0 .. 255; the picture's bottom row first, as it appears upright.
    Raster matte;
    // Why the file cannot be used; empty when matte holds the picture.
    std::string error;
};

// Accepts still pictures only: PNG, TGA, BMP, JPEG, TIFF, and the first frame
// of a GIF. The format is decided from the file's first bytes (TGA, which has
// no signature, from a ".tga" name), so no other decoder ever sees the file.
MatteFile ReadMatteFile(const std::string& path);

}  // namespace engine
