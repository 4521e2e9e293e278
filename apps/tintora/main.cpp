// tintora: runs one effect on a picture through the plug-in's own pipeline
// (a stand-in host element holding the picture, the effect parameter record,
// ApplyEffect), for batch work and for checking results.

#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "apps/tintora/CommandLine.h"
#include "apps/tintora/SamplePicture.h"
#include "apps/tintora/SelectionMaskFile.h"
#include "control/CRastelCtrl.h"
#include "engine/ImageLibrary.h"
#include "platform/automation/ComPtr.h"
#include "platform/prompts/Prompts.h"
#include "platform/tarsel/TarselElement.h"

namespace {

constexpr int kExitEffectFailed = 1;
constexpr int kExitBadInput = 2;

// Messages the effect would show in a box go to stderr.
class StderrCollector : public Prompts {
public:
    int MessageBox(const std::string& text, UINT) override {
        std::fprintf(stderr, "tintora: %s\n", text.c_str());
        return IDOK;
    }
};

int RunApply(const ApplyCommand& command) {
    engine::Result<Picture> picture = ReadPicture(command.input, command.inputSize);
    if (!picture) {
        std::fprintf(stderr, "tintora: %s\n", picture.Error().c_str());
        return kExitBadInput;
    }

    // A saved selection becomes the mask the crop dialog would make for this picture.
    std::vector<effects::OptionSetting> settings = command.settings;
    std::optional<SelectionMaskFile> mask;
    for (effects::OptionSetting& setting : settings) {
        if (setting.option->kind != effects::OptionKind::Selection) continue;
        engine::Result<SelectionMaskFile> made = SelectionMaskFile::Make(
            std::get<std::string>(setting.value), picture.Value().width, picture.Value().height);
        if (!made) {
            std::fprintf(stderr, "tintora: %s\n", made.Error().c_str());
            return kExitBadInput;
        }
        setting.value = mask.emplace(std::move(made).Value()).Path();
    }

    const auto image = ComPtr<tarsel::TarselImage>::Adopt(tarsel::TarselImage::Create(
        picture.Value().width, picture.Value().height, std::move(picture.Value().bgra)));
    const auto element =
        ComPtr<tarsel::TarselElement>::Adopt(tarsel::TarselElement::Create(image.Get()));

    StderrCollector prompts;
    ScopedPrompts scoped(&prompts);
    Picture result;
    {
        CRastelCtrl control;
        control.m_target.Attach(element.NewReference());
        effects::FillRecord(control, *command.effect, settings);
        control.ApplyEffect();
    }
    const bool applied = element->Redraws() > 0;
    if (applied) {
        const tarsel::TarselImage* out = element->Image();
        result = Picture{out->Width(), out->Height(), out->Pixels()};
    }
    if (!applied) {
        std::fprintf(stderr, "tintora: %s failed; nothing written\n", command.effect->name);
        return kExitEffectFailed;
    }
    if (const engine::Result<> written = WritePicture(command.output, result); !written) {
        std::fprintf(stderr, "tintora: %s\n", written.Error().c_str());
        return kExitBadInput;
    }
    std::printf("%dx%d\n", result.width, result.height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    engine::SetUpImageLibrary();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(args);
    try {
        switch (parsed.action) {
            case ParsedCommandLine::Action::Help: std::fputs(UsageText().c_str(), stdout); return 0;
            case ParsedCommandLine::Action::Error:
                std::fprintf(stderr, "tintora: %s\n", parsed.error.c_str());
                return kExitBadInput;
            case ParsedCommandLine::Action::Sample: {
                const Picture sample = MakeSamplePicture();
                if (const engine::Result<> written = WritePicture(parsed.samplePath, sample);
                    !written) {
                    std::fprintf(stderr, "tintora: %s\n", written.Error().c_str());
                    return kExitBadInput;
                }
                std::printf("%dx%d\n", sample.width, sample.height);
                return 0;
            }
            case ParsedCommandLine::Action::Apply: return RunApply(parsed.apply);
            case ParsedCommandLine::Action::Bench: return RunBench(parsed.bench, stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tintora: %s\n", e.what());
        return kExitEffectFailed;
    }
    return kExitBadInput;
}
