#pragma once
// The blur of a colour layer (the border's outline, the shadow) from its
// alphas alone: every pixel of such a layer whose alpha is not 0 has the
// layer's colour, so every mean of the blur is that colour and only the alphas
// need moving and summing, a byte a pixel where the raster has four.

#include <cstdint>

#include "engine/EffectColor.h"
#include "engine/Raster.h"

namespace engine {

// The alphas of a colour layer, a byte a pixel, rows `stride` bytes apart.
struct LayerAlphas {
    const uint8_t* alphas = nullptr;
    int64_t stride = 0;
    int64_t width = 0;
    int64_t height = 0;
};

// The largest blur size BlurColourLayer takes: its alpha sums stay 16-bit.
// Larger ones make canvases of gigabytes.
inline constexpr int32_t kMaxLayerBlur = 16000;

// The canvas AntiFlicker(layer, s, s, false) makes of the layer that has
// `colour` wherever these alphas are not 0, (W + 2s + 8) x (H + 2s + 8), written
// with its top-left corner at column x, row y of `target`, where it must lie
// whole; every other pixel of `target` is made transparent black. For sizes
// 1 .. kMaxLayerBlur. False, with `target` as it was, when working memory is
// short.
bool BlurColourLayer(LayerAlphas layer, int32_t s, EffectColor colour, MutableRasterView target,
                     int64_t x, int64_t y);

}  // namespace engine
