#pragma once
// The effect colour as the engine uses it: three bytes. The control's colour
// values are COLORREFs (red in the low byte, then green, then blue).

#include <cstdint>

namespace engine {

struct EffectColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    static EffectColor FromColorRef(uint32_t colorRef) {
        return {uint8_t(colorRef & 0xFF), uint8_t(colorRef >> 8 & 0xFF),
                uint8_t(colorRef >> 16 & 0xFF)};
    }
};

}  // namespace engine
