#include "apps/tintora/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

TEST(CommandLine, FocusTakesItsSizeWithTheDialogsDefaultAndRange) {
    auto parsed = Parse({"apply", "focus", "in.png", "out.png"});
    ASSERT_EQ(parsed.action, Action::Apply) << parsed.error;
    EXPECT_EQ(parsed.apply.values.Integer("--size"), 1);
    EXPECT_EQ(parsed.apply.input, "in.png");
    EXPECT_EQ(parsed.apply.output, "out.png");

    parsed = Parse({"apply", "focus", "--size", "50", "in.png", "out.png"});
    ASSERT_EQ(parsed.action, Action::Apply);
    EXPECT_EQ(parsed.apply.values.Integer("--size"), 50);

    for (const char* bad : {"0", "51", "-3"}) {
        parsed = Parse({"apply", "focus", "--size", bad, "in.png", "out.png"});
        EXPECT_EQ(parsed.action, Action::Error);
        EXPECT_EQ(parsed.error, "Please enter an integer between 1 and 50.") << bad;
    }
    parsed = Parse({"apply", "focus", "--size", "4x", "in.png", "out.png"});
    EXPECT_EQ(parsed.error, "Please enter an integer.");
}

TEST(CommandLine, ConfigureWritesTheParameterRecord) {
    auto parsed = Parse({"apply", "focus", "--size", "7", "a.png", "b.png"});
    ASSERT_EQ(parsed.action, Action::Apply);
    CRastelCtrl control;
    parsed.apply.effect->configure(control, parsed.apply.values);
    EXPECT_EQ(control.m_nEffectCode, EFFECT_FOCUS);
    EXPECT_EQ(control.m_nSize, 7u);
}

TEST(CommandLine, RejectsWhatItCannotRun) {
    EXPECT_EQ(Parse({}).action, Action::Error);
    EXPECT_EQ(Parse({"frobnicate"}).action, Action::Error);
    EXPECT_EQ(Parse({"apply", "no-such-effect", "a", "b"}).action, Action::Error);
    EXPECT_EQ(Parse({"apply", "focus", "--radius", "3", "a", "b"}).action, Action::Error);
    EXPECT_EQ(Parse({"apply", "focus", "a.png"}).action, Action::Error);
    EXPECT_EQ(Parse({"apply", "focus", "a.png", "b.png", "c.png"}).action, Action::Error);
    EXPECT_EQ(Parse({"apply", "focus", "--size"}).action, Action::Error);
    // A raw input needs its size, given as WxH.
    EXPECT_EQ(Parse({"apply", "focus", "a.bgra", "b.png"}).action, Action::Error);
    EXPECT_EQ(Parse({"apply", "focus", "--input-size", "3by2", "a.bgra", "b.png"}).action,
              Action::Error);
    auto raw = Parse({"apply", "focus", "--input-size", "3x2", "a.bgra", "b.png"});
    ASSERT_EQ(raw.action, Action::Apply);
    EXPECT_EQ(raw.apply.inputSize->width, 3);
    EXPECT_EQ(raw.apply.inputSize->height, 2);
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
}

TEST(CommandLine, ColoursAreWrittenRedFirst) {
    EXPECT_EQ(ParseColor("FF8000"), COLORREF(0x0080FF));
    EXPECT_EQ(ParseColor("0000ff"), COLORREF(0xFF0000));
    EXPECT_FALSE(ParseColor("FF80"));
    EXPECT_FALSE(ParseColor("GG0000"));
    EXPECT_FALSE(ParseColor("-12345"));
}

}  // namespace
