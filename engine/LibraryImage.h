#pragma once
// Pixels into and out of the image library. The library's own readers of raw
// pixels end the process (a failed assertion) when it cannot hold a picture,
// over a size limit or out of pixel memory; these report it instead.

#include <Magick++.h>

#include <cstdint>
#include <string>

#include "engine/ImageLibrary.h"
#include "engine/Result.h"

namespace engine {

// A library picture of width x height pixels of one byte a channel, the
// channels in `map` order ("BGRA", "RGBA"), with its alpha; the library's
// reason when it cannot hold it.
Result<Magick::Image> ImageFromPixels(const uint8_t* pixels, int32_t width, int32_t height,
                                      const char* map, RowOrder order);

// Every pixel of the picture, one byte a channel in `map` order, into `out`
// (columns x rows x map length bytes).
void PixelsFromImage(Magick::Image& image, const char* map, uint8_t* out, RowOrder order);

}  // namespace engine
