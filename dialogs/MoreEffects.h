#pragma once
// The More Effects list: its entries in the order the sorted list shows them,
// and the effect each one runs.

#include <cstdint>

#include "control/EffectCodes.h"

struct MoreEffect {
    const char* label;
    uint32_t effectCode;
};

// Index 0 is the empty entry, which runs nothing.
inline constexpr MoreEffect kMoreEffects[] = {
    {"", 0},
    {"Add Noise", EFFECT_ADD_NOISE},
    {"Bevel", EFFECT_BEVEL},
    {"Blur", EFFECT_BLUR},
    {"Charcoal", EFFECT_CHARCOAL},
    {"Colorize", EFFECT_COLORIZE},
    {"Contrast", EFFECT_CONTRAST},
    {"Emboss", EFFECT_EMBOSS},
    {"Gamma", EFFECT_GAMMA},
    {"Grayscale", EFFECT_GRAYSCALE},
    {"Implode", EFFECT_IMPLODE},
    {"Jitter", EFFECT_JITTER},
    {"Reduce Noise", EFFECT_REDUCE_NOISE},
    {"Sharpen", EFFECT_SHARPEN},
    {"Solarize", EFFECT_SOLARIZE},
    {"Swirl", EFFECT_SWIRL},
};
inline constexpr int kMoreEffectCount = 16;

enum : int {
    kMoreEffectNone = 0,
    kMoreEffectAddNoise = 1,
    kMoreEffectBevel = 2,
    kMoreEffectEmboss = 7,
    kMoreEffectGrayscale = 9,
    kMoreEffectReduceNoise = 12,
};

// Bevel and Emboss take a Pct of at most this.
inline constexpr int kEmbossBevelMaxPct = 20;
