#pragma once

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// Every pixel's red, green and blue become its luminance, the integer part of
// 0.3 red + 0.59 green + 0.11 blue + 0.5; alpha stays. The conversion is made
// in the picture itself, which the output then copies.
Result<Raster> Grayscale(MutableRasterView picture);

// The luminance of one pixel as above.
uint8_t GrayscaleLuminance(uint8_t red, uint8_t green, uint8_t blue);

}  // namespace engine
