#pragma once
// The ranges in which the effects' settings are offered and the values they
// start at: the tools dialog and the command line check a value against them,
// the video filters hold theirs to them.

#include <algorithm>
#include <cstdint>

namespace engine {

struct IntegerRange {
    int32_t min;
    int32_t max;
    int32_t initial;

    int32_t Clamp(int32_t value) const { return std::clamp(value, min, max); }
};

inline constexpr IntegerRange kBorderSizeRange{0, 100, 0};
inline constexpr IntegerRange kLayerBlurRange{0, 100, 0};     // border and shadow
inline constexpr IntegerRange kTransparencyRange{0, 100, 0};  // percent, 100 - opacity
inline constexpr IntegerRange kShadowOffsetRange{-100, 100, 0};
inline constexpr IntegerRange kMotionBlurRange{0, 100, 0};
inline constexpr IntegerRange kFocusSizeRange{1, 50, 1};
inline constexpr IntegerRange kPctRange{0, 100, 0};
inline constexpr IntegerRange kLightingPctRange{0, 20, 0};  // emboss and bevel
inline constexpr IntegerRange kDirRange{0, 359, 0};         // degrees

}  // namespace engine
