#include "control/EffectTable.h"

#include <cmath>
#include <limits>

#include "control/CRastelCtrl.h"
#include "engine/EffectRanges.h"
#include "engine/EmbossBevel.h"
#include "platform/prompts/FieldMessages.h"

namespace effects {

namespace {

using engine::MagickOperation;

constexpr const char* kOffsetMessage = "Please enter an integer betoween -100 and 100.";
constexpr const char* kMaximumPctMessage = "Maximum Pct is 20 for this effect";

int64_t Integer(const OptionValue& value) { return std::get<int64_t>(value); }
const std::string& Text(const OptionValue& value) { return std::get<std::string>(value); }
BOOL Flag(const OptionValue& value) { return Integer(value) != 0 ? TRUE : FALSE; }

// Truncation toward zero; values beyond an int (never given by the dialog) are
// held to its range.
int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return int(value);
}

void FillPct(CRastelCtrl& c, const OptionValue& v) { c.m_dPct = double(Integer(v)); }

int RunLibraryEffect(CRastelCtrl& c) { return c.ApplyMagickEffect(c.m_nEffectCode); }

// One entry of the More Effects list computed by the image library.
EffectEntry LibraryEffect(uint32_t code, const char* name, const char* label, const char* summary,
                          std::vector<const EffectOption*> options, MagickOperation operation,
                          MoreEffectsEdits edits = MoreEffectsEdits::Pct) {
    return {.code = code,
            .name = name,
            .label = label,
            .summary = summary,
            .options = std::move(options),
            .run = RunLibraryEffect,
            .libraryOperation = operation,
            .edits = edits};
}

// Emboss and bevel: the engine's lighting of the alpha from Dir, enlarged by Pct.
EffectEntry LightingEffect(uint32_t code, const char* name, const char* label, const char* summary,
                           engine::Lighting lighting) {
    return {.code = code,
            .name = name,
            .label = label,
            .summary = summary,
            .options = {&kLightingPct, &kDir},
            .run =
                [lighting](CRastelCtrl& c) {
                    return c.ApplyEmbossBevel(TruncateToInt(c.m_dDir), lighting.elevation,
                                              lighting.depth, TruncateToInt(c.m_dPct));
                },
            .edits = MoreEffectsEdits::PctAndDir};
}

std::vector<EffectEntry> BuildEffects() {
    const std::vector<const EffectOption*> pct = {&kPct};
    return {
        {.code = EFFECT_BORDER,
         .name = "border",
         .summary = "draw an outline of the colour around the picture's visible shape",
         .options = {&kBorderSize, &kLayerBlur, &kTransp, &kColor},
         .run = [](CRastelCtrl& c) { return c.ApplyBorder(); }},
        {.code = EFFECT_SHADOW,
         .name = "shadow",
         .summary = "offset the picture over a shadow of the colour (positive x right, y down)",
         .options = {&kShadowX, &kShadowY, &kLayerBlur, &kTransp, &kColor},
         .run = [](CRastelCtrl& c) { return c.ApplyOffsetShadow(); }},
        {.code = EFFECT_FOCUS,
         .name = "focus",
         .summary = "throw the picture out of focus with a box average of its colours",
         .options = {&kFocusSize},
         .run = [](CRastelCtrl& c) { return c.ApplyFocus(); }},
        {.code = EFFECT_MOTION_BLUR,
         .name = "motion-blur",
         .summary = "blur along rows by x and along columns by y; the picture grows to fit",
         .options = {&kMotionX, &kMotionY},
         .run = [](CRastelCtrl& c) { return c.anti_flickering(false); }},
        LibraryEffect(EFFECT_ADD_NOISE, "add-noise", "Add Noise", "add Poisson noise", {},
                      MagickOperation::AddNoise, MoreEffectsEdits::None),
        LibraryEffect(EFFECT_CONTRAST, "contrast", "Contrast",
                      "raise the contrast (Pct 0 lowers it)", pct, MagickOperation::Contrast),
        LibraryEffect(EFFECT_GAMMA, "gamma", "Gamma",
                      "pass the picture through the image library unchanged", {},
                      MagickOperation::None),
        LibraryEffect(EFFECT_IMPLODE, "implode", "Implode", "implode by Pct / 100", pct,
                      MagickOperation::Implode),
        LibraryEffect(EFFECT_JITTER, "jitter", "Jitter", "scatter pixels by Pct / 10", pct,
                      MagickOperation::Jitter),
        LibraryEffect(EFFECT_CHARCOAL, "charcoal", "Charcoal",
                      "charcoal drawing with radius Pct / 10", pct, MagickOperation::Charcoal),
        LibraryEffect(EFFECT_REDUCE_NOISE, "reduce-noise", "Reduce Noise", "reduce noise", {},
                      MagickOperation::ReduceNoise, MoreEffectsEdits::None),
        LibraryEffect(EFFECT_SOLARIZE, "solarize", "Solarize", "solarize at Pct", pct,
                      MagickOperation::Solarize),
        LibraryEffect(EFFECT_SHARPEN, "sharpen", "Sharpen", "sharpen with radius Pct / 10", pct,
                      MagickOperation::Sharpen),
        LibraryEffect(EFFECT_SWIRL, "swirl", "Swirl", "swirl by Pct * 3.6 degrees", pct,
                      MagickOperation::Swirl),
        LibraryEffect(EFFECT_COLORIZE, "colorize", "Colorize",
                      "tint with the colour at Pct percent", {&kPct, &kColor},
                      MagickOperation::Colorize),
        LibraryEffect(EFFECT_BLUR, "blur", "Blur", "blur with radius Pct / 10", pct,
                      MagickOperation::Blur),
        {.code = EFFECT_MATTE,
         .name = "matte",
         .summary = "take the picture's alpha from a matte file's luminance (or its alpha)",
         .options = {&kMatteFile, &kMatteX, &kMatteY, &kInverseMatte, &kMatteAlpha},
         .run = [](CRastelCtrl& c) { return c.ApplyMatte(false); },
         .fillFixed = [](CRastelCtrl& c) { c.m_nBlurX = c.m_nBlurY = 0; }},
        LightingEffect(EFFECT_EMBOSS, "emboss", "Emboss",
                       "light the alpha as a relief from Dir, enlarged by Pct (at most 20)",
                       engine::kEmbossLighting),
        LightingEffect(EFFECT_BEVEL, "bevel", "Bevel",
                       "light the alpha as a bevel from Dir, enlarged by Pct (at most 20)",
                       engine::kBevelLighting),
        {.code = EFFECT_CROP_MATTE,
         .name = "crop",
         .summary = "keep the white part of a mask (or a saved selection), cut to its box, with a "
                    "soft edge",
         .options = {&kMask, &kSelection, &kSoftness},
         .run = [](CRastelCtrl& c) { return c.ApplyMatte(true); },
         .fillFixed =
             [](CRastelCtrl& c) {
                 c.m_bMatteAlpha = FALSE;
                 c.m_nMatteX = c.m_nMatteY = 0;
                 c.m_bInverseMatte = FALSE;
             }},
        {.code = EFFECT_GRAYSCALE,
         .name = "grayscale",
         .label = "Grayscale",
         .summary = "turn the colours to gray",
         .run = [](CRastelCtrl& c) { return c.ApplyGrayscale(); },
         .edits = MoreEffectsEdits::None},
    };
}

}  // namespace

// An option's min, max and default, from the range the effect is offered in.
#define RANGE(range) engine::range.min, engine::range.max, engine::range.initial
// clang-format off
const EffectOption kColor{"--color", OptionKind::Color, 0, 0xFFFFFF, 0, nullptr, "effect colour",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_crEffect = COLORREF(Integer(v)); }};
const EffectOption kTransp{"--transp", OptionKind::Integer, RANGE(kTransparencyRange), nullptr,
    "transparency of the colour in percent",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nOpacity = int32_t(100 - Integer(v)); }};
const EffectOption kLayerBlur{"--blur", OptionKind::Integer, RANGE(kLayerBlurRange), nullptr,
    "blur of the colour layer",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nBlur = int32_t(Integer(v)); }};
const EffectOption kBorderSize{"--size", OptionKind::Integer, RANGE(kBorderSizeRange), nullptr,
    "border size",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nSize = uint32_t(Integer(v)); }};
const EffectOption kFocusSize{"--size", OptionKind::Integer, RANGE(kFocusSizeRange), nullptr,
    "focus size",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nSize = uint32_t(Integer(v)); }};
const EffectOption kShadowX{"--x", OptionKind::Integer, RANGE(kShadowOffsetRange), kOffsetMessage,
    "horizontal offset",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nShadowX = int32_t(Integer(v)); }};
const EffectOption kShadowY{"--y", OptionKind::Integer, RANGE(kShadowOffsetRange), kOffsetMessage,
    "vertical offset",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nShadowY = int32_t(Integer(v)); }};
const EffectOption kMotionX{"--x", OptionKind::Integer, RANGE(kMotionBlurRange), nullptr,
    "horizontal blur",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nBlurX = int32_t(Integer(v)); }};
const EffectOption kMotionY{"--y", OptionKind::Integer, RANGE(kMotionBlurRange), nullptr,
    "vertical blur",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nBlurY = int32_t(Integer(v)); }};
const EffectOption kPct{"--pct", OptionKind::Integer, RANGE(kPctRange), nullptr, "Pct", FillPct};
const EffectOption kLightingPct{"--pct", OptionKind::Integer, RANGE(kLightingPctRange),
    kMaximumPctMessage,
    "Pct, the enlargement", FillPct, &kPct};
const EffectOption kDir{"--dir", OptionKind::Integer, RANGE(kDirRange), nullptr,
    "Dir in degrees",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_dDir = double(Integer(v)); }};
const EffectOption kMatteFile{"--matte", OptionKind::File, 0, 0, 0, nullptr,
    "matte picture (PNG, TGA, BMP, JPEG, TIFF, GIF)",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_strMattePath = Text(v); }, nullptr, true};
const EffectOption kMatteX{"--x", OptionKind::Integer, 0, 1000, 0, nullptr,
    "matte offset in columns",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nMatteX = int32_t(Integer(v)); }};
const EffectOption kMatteY{"--y", OptionKind::Integer, 0, 1000, 0, nullptr,
    "matte offset in rows, from the bottom",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nMatteY = int32_t(Integer(v)); }};
const EffectOption kInverseMatte{"--inverse", OptionKind::Flag, 0, 1, 0, nullptr,
    "use the inverse of the matte",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_bInverseMatte = Flag(v); }};
const EffectOption kMatteAlpha{"--use-alpha", OptionKind::Flag, 0, 1, 0, nullptr,
    "take the matte value from the matte's alpha",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_bMatteAlpha = Flag(v); }};
const EffectOption kMask{"--mask", OptionKind::File, 0, 0, 0, nullptr,
    "mask picture, white inside the selection",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_strMattePath = Text(v); }, nullptr, true,
    &kSelection};
const EffectOption kSelection{"--selection", OptionKind::Selection, 0, 0, 0, nullptr,
    "selection file (.sel) saved by the crop dialog, in place of --mask",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_strMattePath = Text(v); }, nullptr, false,
    &kMask};
const EffectOption kSoftness{"--softness", OptionKind::Integer, 0, 30, 0, nullptr,
    "edge softness",
    [](CRastelCtrl& c, const OptionValue& v) { c.m_nBlurX = c.m_nBlurY = int32_t(Integer(v) + 1); }};
// clang-format on
#undef RANGE

std::string EffectOption::RangeMessage() const {
    return rangeMessage ? std::string(rangeMessage) : IntegerRangeMessage(min, max);
}

std::string EffectOption::Check(int64_t value) const {
    if (within) {
        if (std::string message = within->Check(value); !message.empty()) return message;
    }
    return Accepts(value) ? std::string() : RangeMessage();
}

const EffectOption* EffectEntry::Reads(const EffectOption& option) const {
    for (const EffectOption* read : options) {
        if (read == &option || read->within == &option) return read;
    }
    return nullptr;
}

const std::vector<EffectEntry>& Effects() {
    static const std::vector<EffectEntry> effects = BuildEffects();
    return effects;
}

const EffectEntry* FindEffect(uint32_t code) {
    for (const EffectEntry& effect : Effects()) {
        if (effect.code == code) return &effect;
    }
    return nullptr;
}

const EffectEntry* FindEffectNamed(std::string_view name) {
    for (const EffectEntry& effect : Effects()) {
        if (effect.name == name) return &effect;
    }
    return nullptr;
}

const EffectEntry* FindMoreEffect(std::string_view label) {
    for (const EffectEntry& effect : Effects()) {
        if (effect.label && effect.label == label) return &effect;
    }
    return nullptr;
}

std::vector<std::string> MoreEffectsListItems() {
    std::vector<std::string> items;
    for (const EffectEntry& effect : Effects()) {
        if (effect.label) items.emplace_back(effect.label);
    }
    items.emplace_back();
    return items;
}

void FillRecord(CRastelCtrl& control, const EffectEntry& effect,
                const std::vector<OptionSetting>& settings) {
    control.m_nEffectCode = effect.code;
    if (effect.fillFixed) effect.fillFixed(control);
    for (const OptionSetting& setting : settings) setting.option->fill(control, setting.value);
}

void FillRecord(CRastelCtrl& control, uint32_t code, const std::vector<OptionSetting>& settings) {
    FillRecord(control, *FindEffect(code), settings);
}

}  // namespace effects
