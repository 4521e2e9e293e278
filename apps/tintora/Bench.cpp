#include "apps/tintora/Bench.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "apps/tintora/BenchPicture.h"
#include "control/CRastelCtrl.h"
#include "control/EffectTable.h"
#include "engine/CpuFeatures.h"
#include "engine/MatteFile.h"
#include "engine/WorkerPool.h"
#include "platform/prompts/Prompts.h"
#include "platform/tarsel/TarselElement.h"

namespace {

using Clock = std::chrono::steady_clock;
using effects::EffectEntry;
using effects::EffectOption;
using effects::OptionKind;
using effects::OptionSetting;

constexpr double kSecondsPerRow = 4.0;
constexpr COLORREF kBenchColour = 0xC06030;

// Messages an effect would show are counted, not shown.
class CountingPrompts : public Prompts {
public:
    int MessageBox(const std::string& text, UINT) override {
        last = text;
        ++count;
        return IDOK;
    }
    std::string last;
    int count = 0;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs `prepare` untimed and `timed` timed, once to warm up and then `runs`
// times or until the row's time is spent (three at least); the median.
template <class Prepare, class Timed>
double TimeMedian(int runs, Prepare prepare, Timed timed) {
    prepare();
    timed();
    std::vector<double> times;
    const Clock::time_point start = Clock::now();
    while (int(times.size()) < runs) {
        prepare();
        const Clock::time_point t0 = Clock::now();
        timed();
        times.push_back(Milliseconds(Clock::now() - t0));
        if (times.size() >= 3 && Milliseconds(Clock::now() - start) > kSecondsPerRow * 1000) break;
    }
    return Median(times);
}

// Typical settings: sizes and blurs of 10 (Pct 50 for the image library's
// effects, whose Pct is a percentage), a little transparency; maximal: every
// size, blur, offset, Pct and softness at the top of its range.
int64_t SettingFor(const EffectOption& option, bool maximal, bool library) {
    if (option.name == std::string("--transp")) return 30;
    if (option.name == std::string("--dir")) return 45;
    if (maximal) return option.max;
    const int64_t typical = library ? 50 : 10;
    return std::clamp(typical, option.min, option.max);
}

struct Files {
    std::string matte;
    std::string mask;
};

std::vector<OptionSetting> Settings(const EffectEntry& effect, bool maximal, const Files& files) {
    std::vector<OptionSetting> settings;
    const bool library = effect.libraryOperation != engine::MagickOperation::None;
    for (const EffectOption* option : effect.options) {
        effects::OptionValue value;
        switch (option->kind) {
            case OptionKind::Integer: value = SettingFor(*option, maximal, library); break;
            case OptionKind::Color: value = int64_t(kBenchColour); break;
            case OptionKind::Flag: value = int64_t(0); break;
            case OptionKind::File:
                value = option == &effects::kMask ? files.mask : files.matte;
                break;
            // The crop is timed with its mask; a selection is the other way to give one.
            case OptionKind::Selection: continue;
        }
        settings.push_back(OptionSetting{option, std::move(value)});
    }
    return settings;
}

std::string Describe(const std::vector<OptionSetting>& settings) {
    std::string text;
    for (const OptionSetting& setting : settings) {
        if (setting.option->kind != OptionKind::Integer) continue;
        if (!text.empty()) text += ' ';
        text += std::string(setting.option->name).substr(2) + ' ' +
                std::to_string(std::get<int64_t>(setting.value));
    }
    return text.empty() ? "-" : text;
}

// Whether the effect reads any integer setting, so that a maximal row says more.
bool HasIntegerOptions(const EffectEntry& effect) {
    return std::any_of(effect.options.begin(), effect.options.end(),
                       [](const EffectOption* o) { return o->kind == OptionKind::Integer; });
}

std::string CpuName() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown processor";
}

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tintora-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

struct Row {
    double effectMs = 0;
    double applyMs = 0;
    double fileMs = 0;  // of which reading the effect's matte file
    std::string failure;
};

// The file an effect reads, if any.
const std::string* FileSetting(const std::vector<OptionSetting>& settings) {
    for (const OptionSetting& setting : settings) {
        if (setting.option->kind == OptionKind::File) return &std::get<std::string>(setting.value);
    }
    return nullptr;
}

Row TimeEffect(const EffectEntry& effect, const std::vector<OptionSetting>& settings,
               const Picture& picture, int runs) {
    CountingPrompts prompts;
    ScopedPrompts scoped(&prompts);
    Row row;
    {
        // The effect as the pipeline calls it, on a fresh copy of the picture
        // (some effects change their source).
        CRastelCtrl control;
        std::vector<uint8_t> source;
        int result = 0;
        row.effectMs = TimeMedian(
            runs,
            [&] {
                source = picture.bgra;
                effects::FillRecord(control, effect, settings);
                control.m_pSrc = source.data();
                control.m_nSrcWidth = picture.width;
                control.m_nSrcHeight = picture.height;
            },
            [&] {
                result |= effect.run(control);
                control.FreeResult();
            });
        control.m_pSrc = nullptr;
        if (result != 0) row.failure = prompts.last;
    }
    if (const std::string* file = FileSetting(settings)) {
        row.fileMs = TimeMedian(
            runs, [] {}, [&] { (void)engine::ReadMatteFile(*file); });
    }
    {
        // One Apply through the host: GetImageData, the effect, FromRGBA and
        // the assignment.
        auto* image = tarsel::TarselImage::Create(picture.width, picture.height, picture.bgra);
        auto* element = tarsel::TarselElement::Create(image);
        image->Release();
        {
            CRastelCtrl control;
            element->AddRef();
            control.m_target.Attach(element);
            row.applyMs = TimeMedian(
                runs,
                [&] {
                    element->Image()->SetPicture(picture.width, picture.height, picture.bgra);
                    effects::FillRecord(control, effect, settings);
                },
                [&] { control.ApplyEffect(); });
        }
        element->Release();
    }
    return row;
}

bool Wanted(const BenchCommand& command, const EffectEntry& effect) {
    return command.effects.empty() || std::find(command.effects.begin(), command.effects.end(),
                                                effect.name) != command.effects.end();
}

}  // namespace

int RunBench(const BenchCommand& command, std::FILE* out) {
    std::fprintf(out, "tintora bench: %s, %u hardware threads, %d workers, AVX2 %s\n",
                 CpuName().c_str(), std::thread::hardware_concurrency(), engine::kWorkerCount,
                 engine::HasAvx2() ? "used" : "not available");
    TempFolder folder;
    if (folder.Path().empty()) {
        std::fprintf(out, "cannot make a temporary folder\n");
        return 1;
    }
    bool failed = false;
    for (const BenchSize& size : command.sizes) {
        const Picture picture = MakeBenchPicture(size.width, size.height);
        const Files files{folder.Path() + "/matte.tga", folder.Path() + "/mask.tga"};
        if (!WritePicture(files.matte, MakeBenchMatte(size.width, size.height)) ||
            !WritePicture(files.mask, MakeBenchSelection(size.width, size.height))) {
            std::fprintf(out, "cannot write the bench's matte files\n");
            return 1;
        }
        std::vector<uint8_t> copy(picture.bgra.size());
        const double copyMs = TimeMedian(
            15, [] {}, [&] { std::memcpy(copy.data(), picture.bgra.data(), copy.size()); });
        std::fprintf(out, "\n%s picture (%dx%d); one picture copy %.2f ms\n", size.label.c_str(),
                     size.width, size.height, copyMs);
        std::fprintf(out, "%-13s %-34s %10s %8s %10s %8s\n", "effect", "settings", "median ms",
                     "x copy", "Apply ms", "x copy");
        for (const EffectEntry& effect : effects::Effects()) {
            if (!Wanted(command, effect)) continue;
            for (const bool maximal : {false, true}) {
                if (maximal && !HasIntegerOptions(effect)) continue;
                const std::vector<OptionSetting> settings = Settings(effect, maximal, files);
                const Row row = TimeEffect(effect, settings, picture, command.runs);
                std::fprintf(out, "%-13s %-34s %10.1f %8.1f %10.1f %8.1f%s%s\n", effect.name,
                             Describe(settings).c_str(), row.effectMs, row.effectMs / copyMs,
                             row.applyMs, row.applyMs / copyMs,
                             row.failure.empty() ? "" : "  failed: ", row.failure.c_str());
                if (row.fileMs > 0) {
                    std::fprintf(out, "%-13s %-34s %10.1f %8.1f   (reading the matte file)\n", "",
                                 "  of which the file", row.fileMs, row.fileMs / copyMs);
                }
                std::fflush(out);
                failed = failed || !row.failure.empty();
            }
        }
    }
    return failed ? 1 : 0;
}
