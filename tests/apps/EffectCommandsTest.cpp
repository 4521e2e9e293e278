// "tintora apply" for every effect: options, defaults, ranges, messages, the
// parameter record each one writes, and exit codes of the program.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "apps/tintora/CommandLine.h"
#include "tests/support/Python.h"
#include "tests/support/TempDir.h"

namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

// Parses "apply NAME OPTIONS... in.png out.png" and writes the record.
void Configure(CRastelCtrl& control, std::vector<std::string> args) {
    args.insert(args.begin(), "apply");
    args.push_back("in.png");
    args.push_back("out.png");
    const ParsedCommandLine parsed = ParseCommandLine(args);
    ASSERT_EQ(parsed.action, Action::Apply) << parsed.error;
    parsed.apply.effect->configure(control, parsed.apply.values);
}

std::string ErrorOf(std::vector<std::string> args) {
    args.insert(args.begin(), "apply");
    args.push_back("in.png");
    args.push_back("out.png");
    const ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.action, Action::Error);
    return parsed.error;
}

TEST(EffectCommands, BorderTakesSizeBlurTransparencyAndColour) {
    CRastelCtrl control;
    Configure(control, {"border"});
    EXPECT_EQ(control.m_nEffectCode, EFFECT_BORDER);
    EXPECT_EQ(control.m_nSize, 0u);
    EXPECT_EQ(control.m_nBlur, 0);
    EXPECT_EQ(control.m_nOpacity, 100);
    EXPECT_EQ(control.m_crEffect, COLORREF(0));
    Configure(control, {"border", "--size", "100", "--blur", "7", "--transp", "30", "--color",
                        "FF8000"});
    EXPECT_EQ(control.m_nSize, 100u);
    EXPECT_EQ(control.m_nBlur, 7);
    EXPECT_EQ(control.m_nOpacity, 70);
    EXPECT_EQ(control.m_crEffect, COLORREF(0x0080FF));
    EXPECT_EQ(ErrorOf({"border", "--size", "101"}), "Please enter an integer between 0 and 100.");
    EXPECT_EQ(ErrorOf({"border", "--transp", "-1"}), "Please enter an integer between 0 and 100.");
}

TEST(EffectCommands, ShadowOffsetsHaveTheirOwnRangeMessage) {
    CRastelCtrl control;
    Configure(control, {"shadow", "--x", "-100", "--y", "100", "--blur", "3", "--transp", "25",
                        "--color", "0000FF"});
    EXPECT_EQ(control.m_nEffectCode, EFFECT_SHADOW);
    EXPECT_EQ(control.m_nShadowX, -100);
    EXPECT_EQ(control.m_nShadowY, 100);
    EXPECT_EQ(control.m_nBlur, 3);
    EXPECT_EQ(control.m_nOpacity, 75);
    EXPECT_EQ(control.m_crEffect, COLORREF(0xFF0000));
    for (const char* option : {"--x", "--y"}) {
        for (const char* value : {"101", "-101"}) {
            EXPECT_EQ(ErrorOf({"shadow", option, value}),
                      "Please enter an integer betoween -100 and 100.");
        }
    }
}

TEST(EffectCommands, MotionBlurSetsTheBlurSizes) {
    CRastelCtrl control;
    Configure(control, {"motion-blur", "--x", "12", "--y", "0"});
    EXPECT_EQ(control.m_nEffectCode, EFFECT_MOTION_BLUR);
    EXPECT_EQ(control.m_nBlurX, 12);
    EXPECT_EQ(control.m_nBlurY, 0);
    EXPECT_EQ(ErrorOf({"motion-blur", "--y", "101"}), "Please enter an integer between 0 and 100.");
}

TEST(EffectCommands, EveryMoreEffectHasItsListLabelAndCode) {
    const std::pair<const char*, uint32_t> items[] = {
        {"add-noise", 4}, {"bevel", 19},   {"blur", 15},     {"charcoal", 9},
        {"colorize", 14}, {"contrast", 5}, {"emboss", 18},   {"gamma", 6},
        {"grayscale", 22}, {"implode", 7}, {"jitter", 8},    {"reduce-noise", 10},
        {"sharpen", 12},  {"solarize", 11}, {"swirl", 13},
    };
    for (const auto& [name, code] : items) {
        CRastelCtrl control;
        Configure(control, {name, "--pct", "17", "--dir", "359", "--color", "102030"});
        EXPECT_EQ(control.m_nEffectCode, code) << name;
        EXPECT_EQ(control.m_dPct, 17.0);
        EXPECT_EQ(control.m_dDir, 359.0);
        EXPECT_EQ(control.m_crEffect, COLORREF(0x302010));
        Configure(control, {name});
        EXPECT_EQ(control.m_dPct, 0.0);
        EXPECT_EQ(control.m_dDir, 0.0);
        EXPECT_EQ(control.m_crEffect, COLORREF(0));
        EXPECT_EQ(ErrorOf({name, "--dir", "360"}), "Please enter an integer between 0 and 359.");
        EXPECT_EQ(ErrorOf({name, "--pct", "101"}), "Please enter an integer between 0 and 100.");
    }
}

TEST(EffectCommands, BevelAndEmbossAllowAPctOfTwentyAtMost) {
    CRastelCtrl control;
    for (const char* name : {"bevel", "emboss"}) {
        Configure(control, {name, "--pct", "20"});
        EXPECT_EQ(ErrorOf({name, "--pct", "21"}), "Maximum Pct is 20 for this effect");
    }
    Configure(control, {"swirl", "--pct", "100"});
}

TEST(EffectCommands, MatteTakesItsFileOffsetsAndFlags) {
    CRastelCtrl control;
    control.m_nBlurX = control.m_nBlurY = 9;
    Configure(control, {"matte", "--matte", "m.png"});
    EXPECT_EQ(control.m_nEffectCode, EFFECT_MATTE);
    EXPECT_EQ(control.m_strMattePath, "m.png");
    EXPECT_EQ(control.m_nMatteX, 0);
    EXPECT_EQ(control.m_nBlurX, 0);
    EXPECT_EQ(control.m_nBlurY, 0);
    EXPECT_FALSE(control.m_bInverseMatte);
    EXPECT_FALSE(control.m_bMatteAlpha);
    Configure(control, {"matte", "--matte", "m.png", "--x", "1000", "--y", "3", "--inverse",
                        "--use-alpha"});
    EXPECT_EQ(control.m_nMatteX, 1000);
    EXPECT_EQ(control.m_nMatteY, 3);
    EXPECT_TRUE(control.m_bInverseMatte);
    EXPECT_TRUE(control.m_bMatteAlpha);
    EXPECT_EQ(ErrorOf({"matte", "--matte", "m.png", "--x", "1001"}),
              "Please enter an integer between 0 and 1000.");
    EXPECT_EQ(Parse({"apply", "matte", "in.png", "out.png"}).action, Action::Error);
}

TEST(EffectCommands, CropSoftensBySoftnessPlusOne) {
    CRastelCtrl control;
    control.m_bInverseMatte = control.m_bMatteAlpha = TRUE;
    control.m_nMatteX = control.m_nMatteY = 5;
    Configure(control, {"crop", "--mask", "mask.tga"});
    EXPECT_EQ(control.m_nEffectCode, EFFECT_CROP_MATTE);
    EXPECT_EQ(control.m_strMattePath, "mask.tga");
    EXPECT_EQ(control.m_nBlurX, 1);
    EXPECT_EQ(control.m_nBlurY, 1);
    EXPECT_EQ(control.m_nMatteX, 0);
    EXPECT_EQ(control.m_nMatteY, 0);
    EXPECT_FALSE(control.m_bInverseMatte);
    EXPECT_FALSE(control.m_bMatteAlpha);
    Configure(control, {"crop", "--mask", "mask.tga", "--softness", "30"});
    EXPECT_EQ(control.m_nBlurX, 31);
    EXPECT_EQ(ErrorOf({"crop", "--mask", "mask.tga", "--softness", "31"}),
              "Please enter an integer between 0 and 30.");
}

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome RunCli(const std::string& arguments) {
    const std::string command = std::string(TINTORA_CLI_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[1024];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(EffectCommandsRun, EveryEffectRunsOnTheSamplePicture) {
    TempDir dir;
    const std::string sample = dir.File("sample.png");
    ASSERT_EQ(RunCli("sample " + sample).exitCode, 0);
    const std::pair<std::string, std::string> runs[] = {
        {"border --size 4 --blur 2 --color FF0000", "180x140\n"},
        {"shadow --x 6 --y 4 --blur 3 --transp 40", "180x138\n"},
        {"motion-blur --x 5 --y 0", "178x128\n"},
        {"emboss --pct 5 --dir 135", "165x125\n"},
        {"bevel --pct 20", "180x140\n"},
        {"add-noise", "160x120\n"},
        {"blur --pct 30", "160x120\n"},
        {"charcoal --pct 10", "160x120\n"},
        {"colorize --pct 50 --color 00FF00", "160x120\n"},
        {"contrast --pct 1", "160x120\n"},
        {"gamma", "160x120\n"},
        {"grayscale", "160x120\n"},
        {"implode --pct 40", "160x120\n"},
        {"jitter --pct 30", "160x120\n"},
        {"reduce-noise", "160x120\n"},
        {"sharpen --pct 20", "160x120\n"},
        {"solarize --pct 50", "160x120\n"},
        {"swirl --pct 100", "160x120\n"},
    };
    for (const auto& [effect, size] : runs) {
        const std::string out = dir.File("out.png");
        std::filesystem::remove(out);
        const Outcome run = RunCli("apply " + effect + " " + sample + " " + out);
        EXPECT_EQ(run.exitCode, 0) << effect << ": " << run.output;
        EXPECT_EQ(run.output, size) << effect;
        EXPECT_TRUE(std::filesystem::exists(out)) << effect;
    }
}

TEST(EffectCommandsRun, MatteAndCropUseFilesWrittenByAnIndependentTool) {
    TempDir dir;
    const std::string sample = dir.File("sample.png");
    ASSERT_EQ(RunCli("sample " + sample).exitCode, 0);
    const std::string mask = dir.File("mask.tga");
    bool ok = false;
    const std::string script =
        "from PIL import Image, ImageDraw\n"
        "im = Image.new('RGB', (160, 120))\n"
        "ImageDraw.Draw(im).rectangle((20, 10, 59, 39), fill=(255, 255, 255))\n"
        "im.save('" + mask + "', orientation=-1)\n";
    ASSERT_TRUE((RunPython(script, &ok), ok));
    const Outcome matte =
        RunCli("apply matte --matte " + mask + " " + sample + " " + dir.File("m.png"));
    EXPECT_EQ(matte.exitCode, 0) << matte.output;
    EXPECT_EQ(matte.output, "160x120\n");
    const Outcome crop =
        RunCli("apply crop --mask " + mask + " --softness 2 " + sample + " " + dir.File("c.png"));
    EXPECT_EQ(crop.exitCode, 0) << crop.output;
    EXPECT_EQ(crop.output, std::to_string(40 + 2 * 3 + 8) + "x" + std::to_string(30 + 2 * 3 + 8) +
                               "\n");
    // The independent reader sees the cut-out upright: opaque where the white
    // rectangle was, at (3 + 2 .. , 3 + 2 ..) of the grown canvas.
    const std::string check =
        "from PIL import Image\n"
        "im = Image.open('" + dir.File("m.png") + "').convert('RGBA')\n"
        "print(im.getpixel((30, 20))[3], im.getpixel((100, 100))[3])\n";
    EXPECT_EQ(RunPython(check, &ok), "255 0\n");
}

TEST(EffectCommandsRun, AnUnusableMatteExitsWithOneAndWritesNothing) {
    TempDir dir;
    const std::string sample = dir.File("sample.png");
    ASSERT_EQ(RunCli("sample " + sample).exitCode, 0);
    const std::string text = dir.File("notes.tga");
    std::ofstream(text) << "plain text";
    const std::string out = dir.File("out.png");
    for (const std::string& matte : {dir.File("missing.png"), text}) {
        const Outcome run = RunCli("apply matte --matte " + matte + " " + sample + " " + out);
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(run.output.find("matte"), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const Outcome crop = RunCli("apply crop --mask " + text + " " + sample + " " + out);
    EXPECT_EQ(crop.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(EffectCommandsRun, BadValuesExitWithTwo) {
    TempDir dir;
    const std::string sample = dir.File("sample.png");
    ASSERT_EQ(RunCli("sample " + sample).exitCode, 0);
    const std::string out = dir.File("out.png");
    const Outcome bevel = RunCli("apply bevel --pct 21 " + sample + " " + out);
    EXPECT_EQ(bevel.exitCode, 2);
    EXPECT_EQ(bevel.output, "tintora: Maximum Pct is 20 for this effect\n");
    const Outcome shadow = RunCli("apply shadow --x 101 " + sample + " " + out);
    EXPECT_EQ(shadow.exitCode, 2);
    EXPECT_EQ(shadow.output, "tintora: Please enter an integer betoween -100 and 100.\n");
    EXPECT_EQ(RunCli("apply border --color red " + sample + " " + out).exitCode, 2);
    EXPECT_EQ(RunCli("apply crop " + sample + " " + out).exitCode, 2);
    EXPECT_EQ(RunCli("apply border " + dir.File("none.png") + " " + out).exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
