// The effect table as its readers show it: the tools dialog's More Effects
// list, the command line, and the pipeline's route for each effect code.

#include <gtest/gtest.h>

#include <sstream>

#include "apps/tintora/CommandLine.h"
#include "engine/MagickEffect.h"
#include "tests/control/ControlOnHost.h"
#include "tests/dialogs/DialogFixture.h"
#include "tests/engine/EffectTestSupport.h"

namespace {

using namespace dialog_test;
using namespace ui_test;
using Op = engine::MagickOperation;

// The sorted list as the dialog shows it from index 1 on (0 is the empty
// entry): label, command-line name, effect code, the library operation that
// runs it (None for the engine's own effects and Gamma's pass-through), the
// options the effect reads, and whether the dialog enables Pct and Dir.
// clang-format off
struct MoreEffect { const char* label; const char* name; uint32_t code; Op operation;
                    const char* options; bool pct, dir; };
const MoreEffect kMoreEffects[] = {
    {"Add Noise", "add-noise", 4, Op::AddNoise, "", false, false},
    {"Bevel", "bevel", 19, Op::None, "--pct --dir", true, true},
    {"Blur", "blur", 15, Op::Blur, "--pct", true, false},
    {"Charcoal", "charcoal", 9, Op::Charcoal, "--pct", true, false},
    {"Colorize", "colorize", 14, Op::Colorize, "--pct --color", true, false},
    {"Contrast", "contrast", 5, Op::Contrast, "--pct", true, false},
    {"Emboss", "emboss", 18, Op::None, "--pct --dir", true, true},
    {"Gamma", "gamma", 6, Op::None, "", true, false},
    {"Grayscale", "grayscale", 22, Op::None, "", false, false},
    {"Implode", "implode", 7, Op::Implode, "--pct", true, false},
    {"Jitter", "jitter", 8, Op::Jitter, "--pct", true, false},
    {"Reduce Noise", "reduce-noise", 10, Op::ReduceNoise, "", false, false},
    {"Sharpen", "sharpen", 12, Op::Sharpen, "--pct", true, false},
    {"Solarize", "solarize", 11, Op::Solarize, "--pct", true, false},
    {"Swirl", "swirl", 13, Op::Swirl, "--pct", true, false},
};
// clang-format on
constexpr int kEmbossIndex = 7;

TEST_F(ToolsDialogTest, EachMoreEffectsEntrySetsPctAndDirAndRunsItsEffect) {
    auto dialog = Open();
    std::vector<std::string> labels = {""};
    for (const MoreEffect& row : kMoreEffects) labels.push_back(row.label);
    ASSERT_EQ(Entries(*dialog, IDC_MORE_EFFECTS), labels);
    dialog->m_crColor = 0x00332211;
    for (int index = 0; index <= int(std::size(kMoreEffects)); ++index) {
        const MoreEffect* row = index == 0 ? nullptr : &kMoreEffects[index - 1];
        SCOPED_TRACE(index);
        control.m_nEffectCode = 99, control.m_dPct = -1, control.m_nOpacity = 55;
        Pick(*dialog, IDC_MORE_EFFECTS, kEmbossIndex);  // enables both edits
        Type(*dialog, IDC_PCT, "12");
        Type(*dialog, IDC_DIR, "45");
        Pick(*dialog, IDC_MORE_EFFECTS, index);
        const bool pct = row ? row->pct : true;
        const bool dir = row ? row->dir : false;
        for (int id : {IDC_PCT, IDC_PCT_LABEL, IDC_SPIN_PCT}) EXPECT_EQ(Enabled(*dialog, id), pct);
        for (int id : {IDC_DIR, IDC_DIR_LABEL}) EXPECT_EQ(Enabled(*dialog, id), dir);
        EXPECT_TRUE(Enabled(*dialog, IDC_SPIN_DIR));
        Click(*dialog, IDC_APPLY_MORE);
        // The empty entry runs nothing; disabled edits still give their values;
        // More Effects leave the opacity alone.
        EXPECT_EQ(control.m_nEffectCode, row ? row->code : 99u);
        EXPECT_EQ(control.m_dPct, row ? 12.0 : -1.0);
        if (row) {
            EXPECT_EQ(std::pair(control.m_dDir, control.m_crEffect), std::pair(45.0, 0x00332211u));
        }
        EXPECT_EQ(std::tuple(control.m_nOpacity, prompts.waitCursorCount), std::tuple(55, index));
    }
    EXPECT_EQ(prompts.waitCursorDepth, 0);
}

TEST(EffectTable, TheCommandLineRunsEachMoreEffectWithTheOptionsItReads) {
    const std::string help = UsageText();
    for (const MoreEffect& row : kMoreEffects) {
        SCOPED_TRACE(row.name);
        const auto parsed = ParseCommandLine({"apply", row.name, "in.png", "out.png"});
        ASSERT_EQ(parsed.action, ParsedCommandLine::Action::Apply);
        CRastelCtrl control;
        effects::FillRecord(control, *parsed.apply.effect, parsed.apply.settings);
        EXPECT_EQ(control.m_nEffectCode, row.code);
        // The help lists the effect with exactly the options it takes.
        std::string listed;
        std::istringstream lines(help.substr(help.find("  " + std::string(row.name) + ": ")));
        std::string line;
        std::getline(lines, line);
        while (std::getline(lines, line) && line.starts_with("      --")) {
            listed += (listed.empty() ? "" : " ") + line.substr(6, line.find(' ', 6) - 6);
        }
        EXPECT_EQ(listed, row.options);
        for (const char* option : {"--pct", "--dir", "--color"}) {
            const bool reads = std::string(row.options).find(option) != std::string::npos;
            const auto with = ParseCommandLine({"apply", row.name, option, "000001", "a", "b"});
            EXPECT_EQ(with.action == ParsedCommandLine::Action::Apply, reads) << option;
        }
    }
}

class LibraryRoute : public ControlOnHost {
protected:
    LibraryRoute() : ControlOnHost(12, 9, SeededPic(31, 12, 9).bytes) {
        control.m_dPct = 40, control.m_dDir = 10, control.m_crEffect = 0x112233;
    }
    ref::Pic Apply(uint32_t code) {
        Run(code);
        return {host.image->Width(), host.image->Height(), host.image->Pixels()};
    }

    const ref::Pic start{width, height, picture};
};

TEST_F(LibraryRoute, LibraryCodesRunTheirOperationAndUnroutedCodesPassThrough) {
    int runs = 0;
    for (const MoreEffect& row : kMoreEffects) {
        if (row.operation == Op::None && row.code != 6) continue;  // the engine's own
        SCOPED_TRACE(row.name);
        const ref::Pic now = Apply(row.code);
        ++runs;
        ASSERT_EQ(SizeOf(now), SizeOf(start));
        EXPECT_EQ(Alphas(now), Alphas(start));
        // Noise and jitter are random: it is enough that they change the colours.
        if (row.operation == Op::AddNoise || row.operation == Op::Jitter) {
            EXPECT_NE(now.bytes, start.bytes);
            continue;
        }
        EXPECT_TRUE(SamePicture(
            Output(engine::MagickEffect(start.View(), {row.operation, 40, {0x33, 0x22, 0x11}})),
            now));
    }
    for (uint32_t code : {17u, 20u, 99u}) {
        EXPECT_EQ(Apply(code).bytes, picture) << code;
        ++runs;
    }
    EXPECT_EQ(host.element->Redraws(), runs);  // every code handed a picture back
}

}  // namespace
