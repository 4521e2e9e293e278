#pragma once
// A direct decoder for the common kinds of TGA file: 8-bit gray, 24-bit and
// 32-bit colour, uncompressed or run-length encoded, first row at the bottom
// or at the top. It gives the pixels the image library gives for the same
// bytes, in a fraction of the time. Anything else, and any file that is not
// whole and consistent, it leaves to the library, whose reading and errors
// then apply unchanged.

#include <optional>
#include <string_view>

#include "engine/Raster.h"
#include "engine/Result.h"
#include "platform/files/WholeFile.h"

namespace engine {

// The picture as a BGRA raster bottom row first as it appears upright; out of
// memory when the raster cannot be had; nothing when the file is not one this
// decoder takes (another kind, damaged, cut short, or beyond the size limits).
std::optional<Result<Raster>> DecodeTgaDirectly(std::string_view bytes);

// The most bytes a TGA file's header and identification field take.
inline constexpr size_t kTgaHeadBytes = 18 + 255;

// As DecodeTgaDirectly for an uncompressed file whose first bytes (up to
// kTgaHeadBytes of them) are `head`: its rows are read from the file straight
// into the raster, piece by piece on the workers, and `finish` (if any) is
// done to each piece as soon as it is in, while it is still in the cache.
// Nothing when the file is compressed or not taken, or when reading it fails
// or comes short (it changed meanwhile): the file is then read whole, and
// decoding it says what is wrong.
std::optional<Result<Raster>> ReadPlainTgaFile(const files::OpenedFile& file, std::string_view head,
                                               PixelPass finish);

}  // namespace engine
