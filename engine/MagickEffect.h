#pragma once
// The More Effects computed by the image library: the picture's bytes go to
// the library as they are stored (blue, green, red, alpha) but declared as
// "RGBA", one operation runs, and the bytes come back with the picture's own
// alpha put back, so no operation changes alpha or size.

#include <cstdint>
#include <string>

#include "engine/EffectColor.h"
#include "engine/EffectResult.h"

namespace engine {

// Effect codes of the library operations; any other code passes the picture
// through the library with no operation.
enum MagickEffectCode : uint32_t {
    kMagickAddNoise = 4,
    kMagickContrast = 5,
    kMagickGamma = 6,
    kMagickImplode = 7,
    kMagickJitter = 8,
    kMagickCharcoal = 9,
    kMagickReduceNoise = 10,
    kMagickSolarize = 11,
    kMagickSharpen = 12,
    kMagickSwirl = 13,
    kMagickColorize = 14,
    kMagickBlur = 15,
};

struct MagickEffectParams {
    uint32_t code = kMagickGamma;
    double pct = 0;     // the More Effects Pct, 0 .. 100
    EffectColor color;  // Colorize's pen colour
};

struct MagickEffectOutcome {
    // A library error while the picture was handed over; shown, and then the
    // effect goes on.
    std::string readMessage;
    // The output, or a failure with the library's text for an error in the
    // operation or in taking the pixels back.
    EffectResult result;
};

MagickEffectOutcome MagickEffect(RasterView picture, const MagickEffectParams& params);

}  // namespace engine
