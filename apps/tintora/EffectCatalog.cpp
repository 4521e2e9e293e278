#include "apps/tintora/EffectCatalog.h"

namespace {

std::vector<EffectSpec> BuildCatalog() {
    std::vector<EffectSpec> catalog;

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
