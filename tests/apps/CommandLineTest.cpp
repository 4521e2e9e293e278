// "tintora apply" for every effect: options, defaults, ranges, messages and the
// parameter record each one writes.

#include "apps/tintora/CommandLine.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <iterator>
#include <sstream>
#include <tuple>

#include "control/CRastelCtrl.h"

namespace {

using Action = ParsedCommandLine::Action;
using Args = std::vector<std::string>;

// The words of a command line.
Args Split(const std::string& line) {
    std::istringstream in(line);
    return Args(std::istream_iterator<std::string>(in), {});
}

// "apply NAME OPTIONS... in.png out.png".
ParsedCommandLine ParseApply(const std::string& effectAndOptions) {
    return ParseCommandLine(Split("apply " + effectAndOptions + " in.png out.png"));
}

// The fields of the record that differ from a fresh control's, in one line.
std::string Record(const CRastelCtrl& c) {
    std::ostringstream out;
    out << "code " << c.m_nEffectCode;
    const auto field = [&out](const char* name, auto value) {
        if (value != decltype(value){}) out << ' ' << name << ' ' << value;
    };
    field("size", c.m_nSize), field("blur", c.m_nBlur), field("opacity", c.m_nOpacity);
    if (c.m_crEffect != 0)
        out << " color " << std::hex << std::setw(6) << std::setfill('0') << c.m_crEffect
            << std::dec;
    field("x", c.m_nShadowX), field("y", c.m_nShadowY), field("blurX", c.m_nBlurX);
    field("blurY", c.m_nBlurY), field("pct", c.m_dPct), field("dir", c.m_dDir);
    field("matte", c.m_strMattePath), field("matteX", c.m_nMatteX);
    field("matteY", c.m_nMatteY), field("inverse", c.m_bInverseMatte);
    field("alpha", c.m_bMatteAlpha);
    return out.str();
}

// The record that parsing the arguments writes, into a fresh control or into
// one whose matte fields and blur sizes were used before.
std::string Configured(const std::string& effectAndOptions, bool used = false) {
    const ParsedCommandLine parsed = ParseApply(effectAndOptions);
    EXPECT_EQ(parsed.action, Action::Apply) << parsed.error;
    if (parsed.action != Action::Apply) return parsed.error;
    CRastelCtrl control;
    if (used) {
        control.m_nBlurX = control.m_nBlurY = 9;
        control.m_nMatteX = control.m_nMatteY = 5;
        control.m_bInverseMatte = control.m_bMatteAlpha = TRUE;
    }
    effects::FillRecord(control, *parsed.apply.effect, parsed.apply.settings);
    return Record(control);
}

TEST(CommandLine, EachEffectWritesItsOptionsAndDefaultsIntoTheRecord) {
    const std::tuple<std::string, bool, std::string> cases[] = {
        {"border", false, "code 0 opacity 100"},
        {"border --size 100 --blur 7 --transp 30 --color FF8000", false,
         "code 0 size 100 blur 7 opacity 70 color 0080ff"},
        {"shadow --x -100 --y 100 --blur 3 --transp 25 --color 0000FF", false,
         "code 1 blur 3 opacity 75 color ff0000 x -100 y 100"},
        {"motion-blur --x 12 --y 0", true, "code 3 blurX 12 matteX 5 matteY 5 inverse 1 alpha 1"},
        {"focus", false, "code 2 size 1"},
        {"focus --size 50", false, "code 2 size 50"},
        {"bevel --pct 20", false, "code 19 pct 20"},
        {"emboss --pct 20", false, "code 18 pct 20"},
        {"swirl --pct 100", false, "code 13 pct 100"},
        // Matte and crop set every matte field and the blur sizes; crop softens
        // by its softness plus one.
        {"matte --matte m.png", true, "code 16 matte m.png"},
        {"matte --matte m.png --x 1000 --y 3 --inverse --use-alpha", false,
         "code 16 matte m.png matteX 1000 matteY 3 inverse 1 alpha 1"},
        {"crop --mask mask.tga", true, "code 21 blurX 1 blurY 1 matte mask.tga"},
        {"crop --mask mask.tga --softness 30", false, "code 21 blurX 31 blurY 31 matte mask.tga"},
        // In place of the mask, a selection file (turned into a mask by the program).
        {"crop --selection s.sel --softness 3", true, "code 21 blurX 4 blurY 4 matte s.sel"}};
    for (const auto& [command, used, record] : cases) {
        EXPECT_EQ(Configured(command, used), record) << command;
    }
}

TEST(CommandLine, ValuesOutOfRangeGiveTheDialogsMessages) {
    const std::string size = "Please enter an integer between 1 and 50.";
    const std::string range100 = "Please enter an integer between 0 and 100.";
    const std::string offset = "Please enter an integer betoween -100 and 100.";
    const std::string pct20 = "Maximum Pct is 20 for this effect";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"focus --size 0", size}, {"focus --size 51", size},
        {"focus --size 4x", "Please enter an integer."}, {"border --size 101", range100},
        {"border --transp -1", range100}, {"shadow --x 101", offset}, {"shadow --y -101", offset},
        {"motion-blur --y 101", range100}, {"bevel --pct 21", pct20}, {"emboss --pct 21", pct20},
        {"emboss --pct 101", range100}, {"blur --pct 101", range100},
        {"bevel --dir 360", "Please enter an integer between 0 and 359."},
        {"matte --matte m.png --x 1001", "Please enter an integer between 0 and 1000."},
        {"crop --mask m.tga --softness 31", "Please enter an integer between 0 and 30."}};
    // clang-format on
    for (const auto& [command, message] : cases) {
        const ParsedCommandLine parsed = ParseApply(command);
        EXPECT_EQ(parsed.action, Action::Error) << command;
        EXPECT_EQ(parsed.error, message) << command;
    }
}

TEST(CommandLine, RejectsWhatItCannotRun) {
    // A matte needs its file, a crop its mask or selection (not both); a raw
    // input needs its size, as WxH.
    for (const char* line :
         {"", "frobnicate", "apply no-such-effect a b", "apply focus --radius 3 a b",
          "apply focus a.png", "apply focus a.png b.png c.png", "apply focus --size",
          "apply matte in.png out.png", "apply crop in.png out.png",
          "apply crop --mask m.tga --selection s.sel in.png out.png", "apply focus a.bgra b.png",
          "apply focus --input-size 3by2 a.bgra b.png"}) {
        EXPECT_EQ(ParseCommandLine(Split(line)).action, Action::Error) << line;
    }
    const auto raw = ParseCommandLine(Split("apply focus --input-size 3x2 a.bgra b.png"));
    ASSERT_EQ(raw.action, Action::Apply);
    EXPECT_EQ(std::tuple(raw.apply.input, raw.apply.output), std::tuple("a.bgra", "b.png"));
    EXPECT_EQ(std::tuple(raw.apply.inputSize->width, raw.apply.inputSize->height),
              std::tuple(3, 2));
    EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::Help);
}

TEST(CommandLine, ColoursAreWrittenRedFirst) {
    EXPECT_EQ(ParseColor("FF8000"), COLORREF(0x0080FF));
    EXPECT_EQ(ParseColor("0000ff"), COLORREF(0xFF0000));
    for (const char* bad : {"FF80", "GG0000", "-12345"}) EXPECT_FALSE(ParseColor(bad)) << bad;
}

}  // namespace
