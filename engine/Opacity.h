#pragma once
// Opacity of a colour layer in percent, applied to the layer's alpha.

#include <algorithm>
#include <cstdint>

namespace engine {

// f = opacity / 100 * 255, kept in single precision. The dialogs give 0 .. 100;
// anything beyond is held to that range so the scaled alpha stays a byte.
inline float OpacityFactor(int32_t opacityPercent) {
    const int32_t opacity = std::clamp(opacityPercent, 0, 100);
    return float(double(opacity) / 100.0 * 255.0);
}

// The integer part of alpha / 255 * f.
inline uint8_t ScaleAlpha(uint8_t alpha, float factor) {
    return uint8_t(int(double(alpha) / 255.0 * double(factor)));
}

}  // namespace engine
