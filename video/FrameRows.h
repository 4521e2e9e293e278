#pragma once
// Frames as video tools hand them over: width x height pixels of 4 bytes (B, G,
// R, A, straight alpha), rows packed, the top row first. The engine's rasters
// have the bottom row first; rows change order here, at the boundary, and
// nowhere else.

#include <cstdint>

#include "engine/Raster.h"

namespace video {

// Copies the frame, of the raster's size, into the raster.
void FrameToRaster(const uint8_t* frame, engine::MutableRasterView raster);

// Fills the top-first frame with the frame-sized window of `result` whose
// bottom-left pixel is the result's column x, row y (rows counted from the
// bottom, as the engine counts them). Frame pixels the result does not cover
// become transparent black.
void FrameFromWindow(engine::RasterView result, int64_t x, int64_t y, uint8_t* frame, int32_t width,
                     int32_t height);

}  // namespace video
