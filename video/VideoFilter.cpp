#include "video/VideoFilter.h"

#include <algorithm>

#include "engine/AntiFlicker.h"
#include "engine/Border.h"
#include "engine/EmbossBevel.h"
#include "engine/Focus.h"
#include "engine/Grayscale.h"
#include "engine/OffsetShadow.h"

namespace video {

namespace {

using engine::IntegerRange;

// Sizes, blurs and percentages: a hundredth of the value per pixel or percent.
FilterParam Hundredths(const char* name, const char* explanation, IntegerRange range) {
    return {name, explanation, ParamKind::Number, range, 0.0, 100.0};
}

const FilterParam kLayerBlur =
    Hundredths("blur", "blur of the colour layer: value x 100 pixels (0.04 = 4), 0 .. 100",
               engine::kLayerBlurRange);
const FilterParam kTransparency =
    Hundredths("transparency", "transparency of the colour: value x 100 percent (0.2 = 20 %)",
               engine::kTransparencyRange);
const FilterParam kColor{"color", "colour of the layer", ParamKind::Color};
const FilterParam kLightingPct =
    Hundredths("pct", "size: value x 100 pixels larger window and picture (0.05 = 5), at most 20",
               engine::kLightingPctRange);
const FilterParam kDir{"dir", "direction of the light: value x 360 degrees (0.375 = 135)",
                       ParamKind::Angle, engine::kDirRange};

int32_t OpacityOf(int32_t transparency) { return 100 - transparency; }

PlacedResult RunBorder(engine::MutableRasterView picture, const FilterSettings& s) {
    engine::BorderParams params;
    params.size = uint32_t(s.values[0]);
    params.blur = s.values[1];
    params.opacityPercent = OpacityOf(s.values[2]);
    params.color = s.color;
    // The layer grows by the size on every side, and by blur + 2 more when blurred.
    const int64_t inset = params.size + (params.blur > 0 ? params.blur + 2 : 0);
    return {engine::Border(picture, params), inset, inset};
}

PlacedResult RunShadow(engine::MutableRasterView picture, const FilterSettings& s) {
    engine::OffsetShadowParams params;
    params.dx = s.values[0];
    params.dy = s.values[1];
    params.blur = s.values[2];
    params.opacityPercent = OpacityOf(s.values[3]);
    params.color = s.color;
    return {engine::OffsetShadow(picture, params), std::max(-params.dx, 0) + params.blur,
            std::max(params.dy, 0) + params.blur};
}

PlacedResult RunMotionBlur(engine::MutableRasterView picture, const FilterSettings& s) {
    const int32_t sx = s.values[0];
    const int32_t sy = s.values[1];
    return {engine::AntiFlicker(picture, sx, sy, false), sx + 2, sy + 2};
}

PlacedResult RunFocus(engine::MutableRasterView picture, const FilterSettings& s) {
    return {engine::Focus(picture, uint32_t(s.values[0]))};
}

PlacedResult RunLighting(engine::MutableRasterView picture, const FilterSettings& s,
                         engine::Lighting lighting) {
    const engine::EmbossBevelParams params{s.values[1], lighting.elevation, lighting.depth,
                                           s.values[0]};
    return {engine::EmbossBevel(picture, params), params.size / 2, params.size / 2};
}

std::vector<VideoFilter> BuildFilters() {
    return {
        {"tintora-border",
         "outline of the colour around the graphic's visible shape",
         {Hundredths("size", "border size: value x 100 pixels (0.06 = 6), 0 .. 100",
                     engine::kBorderSizeRange),
          kLayerBlur, kTransparency, kColor},
         RunBorder},
        {"tintora-shadow",
         "drop shadow of the colour under the graphic",
         {{"x", "shadow offset to the right: value x 200 - 100 pixels (0.5 = none, 0.54 = 8)",
           ParamKind::Number, engine::kShadowOffsetRange, -100.0, 200.0},
          {"y", "shadow offset downward: value x 200 - 100 pixels (0.5 = none, 0.54 = 8)",
           ParamKind::Number, engine::kShadowOffsetRange, -100.0, 200.0},
          kLayerBlur,
          kTransparency,
          kColor},
         RunShadow},
        {"tintora-motion-blur",
         "blur along rows and along columns",
         {Hundredths("x", "blur along rows: value x 100 pixels (0.12 = 12), 0 .. 100",
                     engine::kMotionBlurRange),
          Hundredths("y", "blur along columns: value x 100 pixels, 0 .. 100",
                     engine::kMotionBlurRange)},
         RunMotionBlur},
        {"tintora-focus",
         "out of focus: box average of the colours, alpha kept",
         {Hundredths("size", "focus size: value x 100 pixels (0.04 = 4), 1 .. 50",
                     engine::kFocusSizeRange)},
         RunFocus},
        {"tintora-emboss",
         "lights the alpha as a relief",
         {kLightingPct, kDir},
         [](engine::MutableRasterView picture, const FilterSettings& s) {
             return RunLighting(picture, s, engine::kEmbossLighting);
         }},
        {"tintora-bevel",
         "lights the alpha as a bevel",
         {kLightingPct, kDir},
         [](engine::MutableRasterView picture, const FilterSettings& s) {
             return RunLighting(picture, s, engine::kBevelLighting);
         }},
        {"tintora-grayscale",
         "turns the colours to gray, alpha kept",
         {},
         [](engine::MutableRasterView picture, const FilterSettings&) {
             return PlacedResult{engine::Grayscale(picture)};
         }},
    };
}

}  // namespace

FilterSettings VideoFilter::InitialSettings() const {
    FilterSettings settings;
    for (size_t i = 0; i < params.size(); ++i) settings.values[i] = params[i].range.initial;
    return settings;
}

const std::vector<VideoFilter>& VideoFilters() {
    static const std::vector<VideoFilter> filters = BuildFilters();
    return filters;
}

const VideoFilter* FindVideoFilter(std::string_view name) {
    for (const VideoFilter& filter : VideoFilters()) {
        if (name == filter.name) return &filter;
    }
    return nullptr;
}

}  // namespace video
