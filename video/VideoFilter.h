#pragma once
// The engine's own effects as video filters: each one's name, its parameters
// (how a frei0r value becomes the effect's setting) and how it runs on a
// frame-sized picture.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/EffectColor.h"
#include "engine/EffectRanges.h"
#include "engine/Raster.h"
#include "engine/Result.h"

namespace video {

enum class ParamKind {
    Number,  // setting = offset + value x scale, to the nearest whole number, held to the range
    Angle,   // degrees = value x 360 to the nearest whole number, taken round the circle
    Color,   // each channel = value x 255 to the nearest whole number, held to 0 .. 255
};

struct FilterParam {
    const char* name;
    const char* explanation;
    ParamKind kind;
    engine::IntegerRange range = {0, 0, 0};
    double offset = 0;
    double scale = 0;
};

inline constexpr size_t kMaxFilterParams = 5;

// One filter's settings: a whole number in the effect's own unit for each
// number or angle parameter, at the parameter's index, and the colour.
struct FilterSettings {
    std::array<int32_t, kMaxFilterParams> values{};
    engine::EffectColor color;
};

// An effect's result, and where in it the picture lies: the picture's
// bottom-left pixel is the result's column x, row y.
struct PlacedResult {
    engine::Result<engine::Raster> result;
    int64_t x = 0;
    int64_t y = 0;
};

struct VideoFilter {
    const char* name;  // the frei0r name, also the name of its plug-in file
    const char* explanation;
    std::vector<FilterParam> params;
    // Runs the effect on the picture, which it may change.
    PlacedResult (*run)(engine::MutableRasterView picture, const FilterSettings& settings);

    // Every setting at its initial value, the colour black.
    FilterSettings InitialSettings() const;
};

const std::vector<VideoFilter>& VideoFilters();
// Null when there is no filter of that name.
const VideoFilter* FindVideoFilter(std::string_view name);

}  // namespace video
