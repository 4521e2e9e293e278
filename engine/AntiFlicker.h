#pragma once
// The engine's one blur: a separable two-pass blur that enlarges the picture so
// that nothing is cut off. Alpha is blurred with the kernel's weights; colour is
// the plain mean of the tapped pixels that are not fully transparent, so
// blurred edges keep the shape's colour instead of a dark fringe.

#include <cstdint>
#include <vector>

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// Reported, with the enlarged but unblurred result, when the work raster
// cannot be allocated.
inline constexpr const char* kAntiFlickerOutOfMemory =
    "[CPel2dCGCharPByte::anti_flickering] Out of Memory!";

// The 2s + 1 weights for blur size s (s >= 0): a linear ramp on each side summing
// to the size class's share, and the rest in the centre weight w[s].
std::vector<double> EffectKernel(int32_t s);

// The picture placed at column sx + 2, row sy + 2 of a transparent canvas
// (W + 2sx + 8) x (H + 2sy + 8), then blurred along rows with the kernel of sx
// and along columns with the kernel of sy (a pass runs only for a size above 0).
// With keepOpaque, a pixel whose blurred alpha is 255 keeps its own four bytes.
Result<Raster> AntiFlicker(RasterView picture, int32_t sx, int32_t sy, bool keepOpaque);

}  // namespace engine
