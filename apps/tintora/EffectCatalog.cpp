#include "apps/tintora/EffectCatalog.h"

namespace {

constexpr const char* kOffsetRangeMessage = "Please enter an integer betoween -100 and 100.";
constexpr const char* kMaximumPctMessage = "Maximum Pct is 20 for this effect";

OptionSpec Integer(std::string name, int64_t min, int64_t max, int64_t defaultValue,
                   std::string help, std::string rangeMessage = {}) {
    return OptionSpec{std::move(name), OptionKind::Integer,     min,   max,
                      defaultValue,    std::move(rangeMessage), false, std::move(help)};
}

OptionSpec Color() {
    return OptionSpec{"--color", OptionKind::Color, 0, 0, 0, {}, false, "effect colour"};
}

OptionSpec Flag(std::string name, std::string help) {
    return OptionSpec{std::move(name), OptionKind::Flag, 0, 0, 0, {}, false, std::move(help)};
}

OptionSpec RequiredFile(std::string name, std::string help) {
    return OptionSpec{std::move(name), OptionKind::File, 0, 0, 0, {}, true, std::move(help)};
}

// The opacity the dialog hands on: 100 minus its transparency.
int32_t Opacity(const OptionValues& values) { return int32_t(100 - values.Integer("--transp")); }

// One entry of the More Effects list: its label in lower case with hyphens,
// and the effect code that the list's Apply sets.
struct MoreEffect {
    const char* name;
    uint32_t code;
    const char* summary;
};

constexpr MoreEffect kMoreEffects[] = {
    {"add-noise", EFFECT_ADD_NOISE, "add Poisson noise (Pct is not used)"},
    {"bevel", EFFECT_BEVEL, "light the alpha as a bevel from Dir, enlarged by Pct (at most 20)"},
    {"blur", EFFECT_BLUR, "blur with radius Pct / 10"},
    {"charcoal", EFFECT_CHARCOAL, "charcoal drawing with radius Pct / 10"},
    {"colorize", EFFECT_COLORIZE, "tint with the colour at Pct percent"},
    {"contrast", EFFECT_CONTRAST, "raise the contrast (Pct 0 lowers it)"},
    {"emboss", EFFECT_EMBOSS, "light the alpha as a relief from Dir, enlarged by Pct (at most 20)"},
    {"gamma", EFFECT_GAMMA, "pass the picture through the image library unchanged"},
    {"grayscale", EFFECT_GRAYSCALE, "turn the colours to gray"},
    {"implode", EFFECT_IMPLODE, "implode by Pct / 100"},
    {"jitter", EFFECT_JITTER, "scatter pixels by Pct / 10"},
    {"reduce-noise", EFFECT_REDUCE_NOISE, "reduce noise (Pct is not used)"},
    {"sharpen", EFFECT_SHARPEN, "sharpen with radius Pct / 10"},
    {"solarize", EFFECT_SOLARIZE, "solarize at Pct"},
    {"swirl", EFFECT_SWIRL, "swirl by Pct * 3.6 degrees"},
};

std::vector<EffectSpec> BuildCatalog() {
    std::vector<EffectSpec> catalog;

    catalog.push_back(EffectSpec{
        "border",
        "draw an outline of the colour around the picture's visible shape",
        {Integer("--size", 0, 100, 0, "border size"), Integer("--blur", 0, 100, 0, "border blur"),
         Integer("--transp", 0, 100, 0, "transparency of the colour in percent"), Color()},
        nullptr,
        [](CRastelCtrl& control, const OptionValues& values) {
            control.m_crEffect = values.Color("--color");
            control.m_nSize = uint32_t(values.Integer("--size"));
            control.m_nEffectCode = EFFECT_BORDER;
            control.m_nOpacity = Opacity(values);
            control.m_nBlur = int32_t(values.Integer("--blur"));
        },
    });

    catalog.push_back(EffectSpec{
        "shadow",
        "offset the picture over a shadow of the colour (positive x right, y down)",
        {Integer("--x", -100, 100, 0, "horizontal offset", kOffsetRangeMessage),
         Integer("--y", -100, 100, 0, "vertical offset", kOffsetRangeMessage),
         Integer("--blur", 0, 100, 0, "shadow blur"),
         Integer("--transp", 0, 100, 0, "transparency of the colour in percent"), Color()},
        nullptr,
        [](CRastelCtrl& control, const OptionValues& values) {
            control.m_nShadowX = int32_t(values.Integer("--x"));
            control.m_nShadowY = int32_t(values.Integer("--y"));
            control.m_crEffect = values.Color("--color");
            control.m_nOpacity = Opacity(values);
            control.m_nEffectCode = EFFECT_SHADOW;
            control.m_nBlur = int32_t(values.Integer("--blur"));
        },
    });

    catalog.push_back(EffectSpec{
        "motion-blur",
        "blur along rows by x and along columns by y; the picture grows to fit",
        {Integer("--x", 0, 100, 0, "horizontal blur"), Integer("--y", 0, 100, 0, "vertical blur")},
        nullptr,
        [](CRastelCtrl& control, const OptionValues& values) {
            control.m_nBlurX = int32_t(values.Integer("--x"));
            control.m_nBlurY = int32_t(values.Integer("--y"));
            control.m_nEffectCode = EFFECT_MOTION_BLUR;
        },
    });

    catalog.push_back(EffectSpec{
        "focus",
        "throw the picture out of focus with a box average of its colours",
        {OptionSpec{"--size", OptionKind::Integer, 1, 50, 1, {}, false, "focus size"}},
        nullptr,
        [](CRastelCtrl& control, const OptionValues& values) {
            control.m_nSize = uint32_t(values.Integer("--size"));
            control.m_nEffectCode = EFFECT_FOCUS;
            control.m_nOpacity = 100;
        },
    });

    for (const MoreEffect& effect : kMoreEffects) {
        const uint32_t code = effect.code;
        const bool lighting = code == EFFECT_BEVEL || code == EFFECT_EMBOSS;
        catalog.push_back(EffectSpec{
            effect.name,
            effect.summary,
            {Integer("--pct", 0, 100, 0, "Pct"), Integer("--dir", 0, 359, 0, "Dir in degrees"),
             Color()},
            lighting ? std::function<std::string(const OptionValues&)>(
                           [](const OptionValues& values) -> std::string {
                               return values.Integer("--pct") > 20 ? kMaximumPctMessage : "";
                           })
                     : nullptr,
            [code](CRastelCtrl& control, const OptionValues& values) {
                control.m_nEffectCode = code;
                control.m_dPct = double(values.Integer("--pct"));
                control.m_dDir = double(values.Integer("--dir"));
                control.m_crEffect = values.Color("--color");
            },
        });
    }

    catalog.push_back(EffectSpec{
        "matte",
        "take the picture's alpha from a matte file's luminance (or its alpha)",
        {RequiredFile("--matte", "matte picture (PNG, TGA, BMP, JPEG, TIFF, GIF)"),
         Integer("--x", 0, 1000, 0, "matte offset in columns"),
         Integer("--y", 0, 1000, 0, "matte offset in rows, from the bottom"),
         Flag("--inverse", "use the inverse of the matte"),
         Flag("--use-alpha", "take the matte value from the matte's alpha")},
        nullptr,
        [](CRastelCtrl& control, const OptionValues& values) {
            control.m_bMatteAlpha = values.Flag("--use-alpha") ? TRUE : FALSE;
            control.m_strMattePath = values.Text("--matte");
            control.m_nEffectCode = EFFECT_MATTE;
            control.m_nMatteX = int32_t(values.Integer("--x"));
            control.m_nMatteY = int32_t(values.Integer("--y"));
            control.m_nBlurX = control.m_nBlurY = 0;
            control.m_bInverseMatte = values.Flag("--inverse") ? TRUE : FALSE;
        },
    });

    catalog.push_back(EffectSpec{
        "crop",
        "keep the white part of a mask picture, cut to its box, with a soft edge",
        {RequiredFile("--mask", "mask picture, white inside the selection"),
         Integer("--softness", 0, 30, 0, "edge softness")},
        nullptr,
        [](CRastelCtrl& control, const OptionValues& values) {
            control.m_bMatteAlpha = FALSE;
            control.m_strMattePath = values.Text("--mask");
            control.m_nEffectCode = EFFECT_CROP_MATTE;
            control.m_nMatteX = control.m_nMatteY = 0;
            control.m_nBlurX = control.m_nBlurY = int32_t(values.Integer("--softness") + 1);
            control.m_bInverseMatte = FALSE;
        },
    });

    return catalog;
}

}  // namespace

const std::vector<EffectSpec>& EffectCatalog() {
    static const std::vector<EffectSpec> catalog = BuildCatalog();
    return catalog;
}

const EffectSpec* FindEffect(const std::string& name) {
    for (const EffectSpec& effect : EffectCatalog()) {
        if (effect.name == name) return &effect;
    }
    return nullptr;
}
