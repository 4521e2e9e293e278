// ApplyEffect on small random pictures with random values of the options each
// effect reads, within the ranges the tools dialog allows: the pipeline hands
// the host a picture or shows why not, and never crashes.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "control/CRastelCtrl.h"
#include "control/EffectTable.h"
#include "engine/PictureFile.h"
#include "platform/automation/ComPtr.h"
#include "platform/prompts/Prompts.h"
#include "platform/tarsel/TarselElement.h"

namespace {

// Messages are expected; nothing is shown.
class SilentPrompts : public Prompts {
public:
    int MessageBox(const std::string&, UINT) override { return IDOK; }
};

// The input, read a byte at a time; zeros once it runs out.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Next() { return m_next < m_size ? m_data[m_next++] : 0; }
    uint32_t Next32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | Next();
        return value;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_next = 0;
};

std::string g_mattePath;

bool Grows(const effects::EffectOption& option) {
    for (const effects::EffectOption* growing :
         {&effects::kLayerBlur, &effects::kBorderSize, &effects::kFocusSize, &effects::kMotionX,
          &effects::kMotionY, &effects::kSoftness, &effects::kShadowX, &effects::kShadowY}) {
        if (&option == growing) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    engine::SetUpImageLibrary();
    // One matte for the matte and crop effects, removed when the run ends.
    g_mattePath = (std::filesystem::temp_directory_path() /
                   ("tintora-fuzz-matte-" + std::to_string(getpid()) + ".tga"))
                      .string();
    std::atexit([] { std::filesystem::remove(g_mattePath); });
    std::vector<uint8_t> matte(7 * 5 * 4);
    for (size_t i = 0; i < matte.size(); ++i) matte[i] = uint8_t(i * 37);
    if (!engine::WritePictureFile(g_mattePath, {matte.data(), 7, 5}, "tga")) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    const std::vector<effects::EffectEntry>& table = effects::Effects();
    const effects::EffectEntry& effect = table[in.Next() % table.size()];
    std::vector<effects::OptionSetting> settings;
    for (const effects::EffectOption* option : effect.options) {
        if (option->kind == effects::OptionKind::File) {
            settings.push_back({option, g_mattePath});
            continue;
        }
        // A saved selection only stands in for the mask file given above; the
        // selection reader has a target of its own.
        if (option->kind == effects::OptionKind::Selection) continue;
        int64_t low = option->min;
        int64_t high = option->max;
        // Sizes and blurs make the work grow with their square; they stay near
        // their defaults but once in a thousand runs or so.
        if (Grows(*option) && in.Next32() % 1024 != 1023) {
            low = std::max(option->min, option->defaultValue - 4);
            high = std::min(option->max, low + 8);
        }
        int64_t value = low + int64_t(in.Next32() % uint64_t(high - low + 1));
        if (!option->Check(value).empty()) value = option->defaultValue;
        settings.push_back({option, value});
    }
    const int32_t width = 1 + in.Next() % 12;
    const int32_t height = 1 + in.Next() % 12;
    std::vector<uint8_t> pixels(size_t(width) * size_t(height) * 4);
    for (uint8_t& byte : pixels) byte = in.Next();

    const auto image = ComPtr<tarsel::TarselImage>::Adopt(
        tarsel::TarselImage::Create(width, height, std::move(pixels)));
    const auto element =
        ComPtr<tarsel::TarselElement>::Adopt(tarsel::TarselElement::Create(image.Get()));
    SilentPrompts prompts;
    ScopedPrompts scoped(&prompts);
    CRastelCtrl control;
    control.m_target.Attach(element.NewReference());
    effects::FillRecord(control, effect, settings);
    control.ApplyEffect();
    const tarsel::TarselImage* out = element->Image();
    if (size_t(out->Width()) * size_t(out->Height()) * 4 != out->Pixels().size()) std::abort();
    if (control.m_pDst || control.m_pSrc) std::abort();
    return 0;
}
