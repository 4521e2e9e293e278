#pragma once
// Picture files at the engine's boundary. Files hold pictures upright (their
// first row is the top); the engine keeps them bottom row first. Reading takes
// still pictures only, through a decoder chosen from the file's first bytes, and
// refuses absurd sizes before any pixel is decoded. Writing replaces the file in
// one step.

#include <cstdint>
#include <string>

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// Larger pictures (or the image library's own limits, where its policy sets
// lower ones) are refused.
inline constexpr int64_t kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = 128LL * 1024 * 1024;

// Whether a picture of that size is within the limits.
bool PictureSizeAllowed(int64_t width, int64_t height);
// "the picture is too large: WxH (at most ... pixels a side and ... pixels)".
std::string PictureTooLarge(int64_t width, int64_t height);

// A PNG, TGA, BMP, JPEG, TIFF or GIF (its first frame) file as a BGRA raster,
// bottom row first as the picture appears upright. The error says why not,
// without the path.
Result<Raster> ReadPictureFile(const std::string& path);

enum class PixelOrder { Bgra, Rgba };

// Writes a bottom-row-first raster whose pixels are in the given channel order
// as an upright picture with its alpha, in the library's format of that name
// ("png", "tga", ...). Nothing is written when encoding fails.
Result<> WritePictureFile(const std::string& path, RasterView pixels, const std::string& format,
                          PixelOrder order = PixelOrder::Bgra);

}  // namespace engine
