#pragma once

#include <cstdint>

#include "engine/Raster.h"
#include "engine/Result.h"

namespace engine {

struct EmbossBevelParams {
    int32_t azimuth = 0;    // degrees
    int32_t elevation = 0;  // degrees
    int32_t depth = 1;      // divisor of the normal's height
    int32_t size = 0;       // enlargement and window half-width
};

// The light's elevation and the depth divisor of emboss and of bevel.
struct Lighting {
    int32_t elevation;
    int32_t depth;
};
inline constexpr Lighting kEmbossLighting{60, 1};
inline constexpr Lighting kBevelLighting{40, 4};

// Integer light vector of the emboss lighting, scaled to 255.9.
struct LightVector {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
};
LightVector EmbossLight(int32_t azimuthDegrees, int32_t elevationDegrees);

// Lights the picture as if its alpha were a height field. The picture's outer
// frame of two pixels is cleared first, in place: the caller's raster keeps
// that change whatever the outcome. The output is (W + size) x (H + size).
Result<Raster> EmbossBevel(MutableRasterView picture, const EmbossBevelParams& params);

}  // namespace engine
