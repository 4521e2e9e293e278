#pragma once
// The engine's own effects and layer operations as they were written before
// their fast paths: one pixel and one tap at a time, in the order the effects
// define. The fast paths are tested against these byte for byte.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/Border.h"
#include "engine/EmbossBevel.h"
#include "engine/Layers.h"
#include "engine/Matte.h"
#include "engine/OffsetShadow.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace reference {

using engine::AllocateScratch;
using engine::BorderParams;
using engine::EmbossBevelParams;
using engine::kAlpha;
using engine::kAntiFlickerOutOfMemory;
using engine::kBlue;
using engine::kBytesPerPixel;
using engine::kGreen;
using engine::kRed;
using engine::LightVector;
using engine::MatteParams;
using engine::MutableRasterView;
using engine::OffsetShadowParams;
using engine::Raster;
using engine::RasterView;
using engine::Result;
using engine::StampMode;

// f = opacity / 100 * 255 in single precision, the opacity held to 0 .. 100.
inline float OpacityFactor(int32_t opacityPercent) {
    const int32_t opacity = std::clamp(opacityPercent, 0, 100);
    return float(double(opacity) / 100.0 * 255.0);
}

// The integer part of alpha / 255 * f.
inline uint8_t ScaleAlpha(uint8_t alpha, float factor) {
    return uint8_t(int(double(alpha) / 255.0 * double(factor)));
}

std::vector<double> EffectKernel(int32_t s);
LightVector EmbossLight(int32_t azimuthDegrees, int32_t elevationDegrees);
uint8_t GrayscaleLuminance(uint8_t red, uint8_t green, uint8_t blue);
uint8_t MatteValue(const uint8_t* mattePixel, bool useAlpha);

void PlaceRaster(MutableRasterView dst, RasterView src, int64_t x, int64_t y);
void StampRaster(MutableRasterView dst, RasterView src, int64_t x, int64_t y, StampMode mode);
void BlendPixelOver(const uint8_t* s, uint8_t* d);

Result<Raster> AntiFlicker(RasterView picture, int32_t sx, int32_t sy, bool keepOpaque);
Result<Raster> Border(RasterView picture, const engine::BorderParams& params);
Result<Raster> OffsetShadow(RasterView picture, const engine::OffsetShadowParams& params);
Result<Raster> Focus(RasterView picture, uint32_t r);
// Clears the picture's frame in place, as the effect does.
Result<Raster> EmbossBevel(MutableRasterView picture, const engine::EmbossBevelParams& params);
// Converts the picture in place, as the effect does.
Result<Raster> Grayscale(MutableRasterView picture);
Result<Raster> Matte(RasterView picture, RasterView matte, const engine::MatteParams& params);

}  // namespace reference
