#pragma once
// Shared set-up of the image library.

#include <Magick++.h>

namespace engine {

// Initialises the library once, before its first use.
void EnsureMagickInitialized();

// Turns an image read from a file upright: some formats (TGA with a bottom-left
// origin) come back from the reader in file row order with only the
// orientation label saying so.
void MakeUpright(Magick::Image& image);

}  // namespace engine
