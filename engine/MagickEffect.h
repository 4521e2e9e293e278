#pragma once
// The More Effects computed by the image library: the picture's bytes go to
// the library as they are stored (blue, green, red, alpha) but declared as
// "RGBA", one operation runs, and the bytes come back with the picture's own
// alpha put back, so no operation changes alpha or size.

#include <cstdint>

#include "engine/EffectColor.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

// The library operations; None passes the picture through the library unchanged.
enum class MagickOperation {
    None,
    AddNoise,
    Contrast,
    Implode,
    Jitter,
    Charcoal,
    ReduceNoise,
    Solarize,
    Sharpen,
    Swirl,
    Colorize,
    Blur,
};

struct MagickEffectParams {
    MagickOperation operation = MagickOperation::None;
    double pct = 0;     // the More Effects Pct, 0 .. 100
    EffectColor color;  // Colorize's pen colour
};

// A library error while the picture is handed over is a notice: the effect goes
// on. An error in the operation or in taking the pixels back is the failure,
// with the library's text.
// Operations that look only at nearby rows run in bands on the workers where
// that gives the same bytes (MagickBands.h).
Result<Raster> MagickEffect(RasterView picture, const MagickEffectParams& params);

// The same with one library call on the whole picture.
Result<Raster> MagickEffectOnWholePicture(RasterView picture, const MagickEffectParams& params);

}  // namespace engine
