#pragma once
// Building results out of layers: copying a raster into a larger one, laying one
// raster onto another, and the blend of one pixel over another. Positions are a
// destination column and row; pixels are addressed by their linear index, so a
// source row that runs past the right edge continues on the next row (callers
// keep x + source width within the destination).

#include <cstdint>

#include "engine/Raster.h"

namespace engine {

// Copies every source pixel to the destination pixel with linear index
// (y + row) * dst.width + x + column when that index lies inside the destination;
// does nothing when the source is wider or taller than the destination or has no rows.
void PlaceRaster(MutableRasterView dst, RasterView src, int64_t x, int64_t y);

enum class StampMode {
    // Every destination pixel takes the source's blue, green and red and adds
    // the source's alpha to its own (capped at 255), transparent source pixels
    // included.
    AddAlpha,
    // Every source pixel whose alpha is not 0 is blended over its destination pixel.
    BlendOver,
};

// Lays the source onto the destination, pixels addressed like PlaceRaster.
void StampRaster(MutableRasterView dst, RasterView src, int64_t x, int64_t y, StampMode mode);

// Makes every pixel of `target` outside the rectangle of `width` x `height`
// pixels at column x, row y transparent black (the rectangle lies inside).
void ClearAround(MutableRasterView target, int64_t x, int64_t y, int64_t width, int64_t height);

// Blends the source pixel s over the destination pixel d, both BGRA, in place.
void BlendPixelOver(const uint8_t* s, uint8_t* d);

}  // namespace engine
