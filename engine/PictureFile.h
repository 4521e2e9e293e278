#pragma once
// Picture files at the engine's boundary. Files hold pictures upright (their
// first row is the top, or their orientation label says how to turn them);
// the engine keeps them bottom row first. Reading takes still pictures only,
// through the one decoder the file's first bytes name, and refuses sizes beyond
// the image library's limits before any pixel is decoded. Writing checks the
// size and the format before the library sees the picture and replaces the
// file in one step.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ImageLibrary.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// The decoder for a file: "PNG", "JPEG", "GIF", "TIFF" or "BMP" by its first
// bytes; "TGA", which has no signature, only for a name ending in ".tga"; ""
// when it is none of these.
std::string DecoderFor(std::string_view bytes, const std::string& path);

// The first picture of the file's bytes, decoded by `decoder` alone, as a BGRA
// raster bottom row first as the picture appears upright. A damaged file is
// refused. The error says why, without a path.
Result<Raster> DecodePicture(std::string_view bytes, const std::string& decoder);
// As DecodePicture, always through the image library (DecodePicture reads the
// common TGA files itself, to the same pixels).
Result<Raster> DecodePictureWithLibrary(std::string_view bytes, const std::string& decoder);

// A PNG, TGA, BMP, JPEG, TIFF or GIF (its first frame) file, as DecodePicture,
// with `finish` (if any) done to all its pixels.
Result<Raster> ReadPictureFile(const std::string& path, PixelPass finish = nullptr);

enum class PixelOrder { Bgra, Rgba };

struct PictureToEncode {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    PixelOrder order = PixelOrder::Bgra;
    RowOrder rows = RowOrder::BottomFirst;
    // Without alpha the file holds red, green and blue only.
    bool withAlpha = true;
};

// The bytes of an upright picture file in `format` ("png", "tga", "bmp",
// "jpg", "jpeg", "tif", "tiff" or "gif", in either case), always in colour; or
// why it cannot be made.
Result<std::string> EncodePicture(const PictureToEncode& picture, const std::string& format);

// Writes a bottom-row-first raster whose pixels are in the given channel order
// as an upright picture with its alpha, in `format` as above. Nothing is
// written when the picture cannot be encoded; the error then says "cannot
// write PATH: " and why.
Result<> WritePictureFile(const std::string& path, RasterView pixels, const std::string& format,
                          PixelOrder order = PixelOrder::Bgra);

}  // namespace engine
