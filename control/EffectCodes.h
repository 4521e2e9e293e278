#pragma once
// Effect codes of the pipeline and the snapshot slots of the working images.

#include <cstdint>

enum EffectCode : uint32_t {
    EFFECT_BORDER = 0,
    EFFECT_SHADOW = 1,
    EFFECT_FOCUS = 2,
    EFFECT_MOTION_BLUR = 3,
    // 4 .. 15: the More Effects computed by the image library.
    EFFECT_ADD_NOISE = 4,
    EFFECT_CONTRAST = 5,
    EFFECT_GAMMA = 6,
    EFFECT_IMPLODE = 7,
    EFFECT_JITTER = 8,
    EFFECT_CHARCOAL = 9,
    EFFECT_REDUCE_NOISE = 10,
    EFFECT_SOLARIZE = 11,
    EFFECT_SHARPEN = 12,
    EFFECT_SWIRL = 13,
    EFFECT_COLORIZE = 14,
    EFFECT_BLUR = 15,
    EFFECT_MATTE = 16,
    EFFECT_EMBOSS = 18,
    EFFECT_BEVEL = 19,
    EFFECT_CROP_MATTE = 21,
    EFFECT_GRAYSCALE = 22,
};

constexpr int SLOT_ORIGINAL = 1;
constexpr int SLOT_CHECKPOINT = 2;
