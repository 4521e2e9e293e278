#pragma once
// The two passes of the blur over a whole canvas, shared between the worker
// threads: rows one by one, columns in strips gathered into lines.

#include <cstdint>

#include "engine/BlurLine.h"
#include "engine/BlurTaps.h"
#include "engine/Raster.h"

namespace engine {

// A block of pixels at column x, row y of a canvas of zeros; only the block is
// stored (rows `stride` bytes apart).
struct PlacedBlock {
    const uint8_t* pixels = nullptr;
    int64_t stride = 0;
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;
};

// Blurs the canvas along its rows into `out` (the canvas's size). Rows outside
// the block are written as zeros only when `clearOtherRows`. Returns the block
// of `out` outside which it is zero; false when scratch memory is short.
bool BlurRows(const PlacedBlock& in, const BlurTaps& taps, const BlurLineOptions& options,
              MutableRasterView out, bool clearOtherRows, PlacedBlock& written);

// Blurs the canvas along its columns into `out`, every pixel written; `out`
// may hold the block itself. Strips of columns are gathered into
// `stripMemory` (stripBytes long) when it is large enough, else into memory of
// their own. False when scratch memory is short.
bool BlurColumns(const PlacedBlock& in, const BlurTaps& taps, const BlurLineOptions& options,
                 MutableRasterView out, uint8_t* stripMemory, int64_t stripBytes);

}  // namespace engine
