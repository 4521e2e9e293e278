#pragma once
// The image library's blur, sharpen and noise reduction compute each pixel
// from the pixels a few rows around it, with the same arithmetic wherever it
// lies. Run on bands of rows that overlap by more than that reach, shared
// between the workers, and joined, they give the bytes of one call on the
// whole picture in about half the time. The other operations are not banded:
// charcoal stretches the contrast by the whole picture's histogram, the noises
// draw random numbers, implode and swirl move pixels from far away, and the
// rest are too quick to gain.

#include <optional>

#include "engine/MagickEffect.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// Whether the operation is computed in bands.
bool BandedOperation(MagickOperation operation);

// Rows a band of blur or sharpen reads beyond the rows it keeps: more than
// their kernels reach at any Pct (radius at most 10, sigma 1.5).
inline constexpr int32_t kBandMargin = 16;

// The effect in bands, or nothing when the operation or the picture is not
// for banding, or a band reported anything (the caller then makes one call).
std::optional<Result<Raster>> MagickEffectInBands(RasterView picture,
                                                  const MagickEffectParams& params);

}  // namespace engine
