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

namespace engine {

// The picture as a BGRA raster bottom row first as it appears upright; out of
// memory when the raster cannot be had; nothing when the file is not one this
// decoder takes (another kind, damaged, cut short, or beyond the size limits).
std::optional<Result<Raster>> DecodeTgaDirectly(std::string_view bytes);

}  // namespace engine
