// The program itself: exit codes, what it prints and what it writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "tests/support/PilScript.h"
#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

namespace {

ProgramRun RunCli(const std::string& arguments) {
    return RunProgram(std::string(TINTORA_CLI_PATH) + " " + arguments + " 2>&1");
}

// A folder holding the program's 160 x 120 sample picture.
class TintoraCli : public ::testing::Test {
protected:
    TintoraCli() { EXPECT_EQ(RunCli("sample " + sample).status, 0); }
    TempDir dir;
    const std::string sample = dir.File("sample.png");
    const std::string out = dir.File("out.png");
};

TEST_F(TintoraCli, MatteAndCropUseFilesWrittenByAnIndependentTool) {
    const std::string mask = dir.File("mask.tga");
    PilScript(dir,
              "from PIL import ImageDraw\n"
              "im = Image.new('RGB', (160, 120))\n"
              "ImageDraw.Draw(im).rectangle((20, 10, 59, 39), fill=(255, 255, 255))\n"
              "im.save('mask.tga', orientation=-1)\n");
    const ProgramRun matte = RunCli("apply matte --matte " + mask + " " + sample + " " + out);
    EXPECT_EQ(matte.status, 0) << matte.output;
    EXPECT_EQ(matte.output, "160x120\n");
    // The independent reader sees the cut-out upright: opaque where the white
    // rectangle was.
    EXPECT_EQ(PilScript(dir,
                        "im = Image.open('out.png').convert('RGBA')\n"
                        "print(im.getpixel((30, 20))[3], im.getpixel((100, 100))[3])\n"),
              "255 0\n");
    const ProgramRun crop =
        RunCli("apply crop --mask " + mask + " --softness 2 " + sample + " " + dir.File("c.png"));
    EXPECT_EQ(crop.status, 0) << crop.output;
    EXPECT_EQ(crop.output, "54x44\n");  // the 40 x 30 box grown by 2 * 3 + 8
}

TEST_F(TintoraCli, BadInputsExitWithTwoAndAnUnusableMatteWithOneWritingNothing) {
    const std::string text = dir.File("notes.tga");
    std::ofstream(text) << "plain text";
    // A picture within the limits whose border takes it beyond them.
    const std::string wide = dir.File("wide.bgra");
    std::ofstream(wide) << std::string(15950 * 4, '\x7f');
    const std::string in = " " + sample + " ";
    // Arguments; exit code; what is printed, all of it or (with ...) a part. The
    // parser's refusals all take one way out; the command line tests hold them all.
    const std::tuple<std::string, int, std::string> cases[] = {
        {"apply bevel --pct 21" + in, 2, "tintora: Maximum Pct is 20 for this effect\n"},
        {"apply focus " + dir.File("nothing.png") + " ", 2, "...nothing.png"},
        {"apply matte --matte " + dir.File("missing.png") + in, 1, "...matte"},
        {"apply matte --matte " + text + in, 1, "...matte"},
        {"apply crop --mask " + text + in, 1, "..."},
        {"apply crop --selection " + text + in, 2,
         "tintora: The selection file " + text + " is not a selection file.\n"},
        {"apply border --size 30 --input-size 15950x1 " + wide + " ", 2,
         "tintora: cannot write " + out +
             ": the picture is too large: 16010x61 (at most 16000 "
             "pixels a side and 33554432 pixels)\n"}};
    for (const auto& [arguments, exitCode, output] : cases) {
        const ProgramRun run = RunCli(arguments + out);
        EXPECT_EQ(run.status, exitCode) << arguments << run.output;
        if (output.starts_with("...")) {
            EXPECT_NE(run.output.find(output.substr(3)), std::string::npos) << run.output;
        } else {
            EXPECT_EQ(run.output, output);
        }
        EXPECT_FALSE(std::filesystem::exists(out)) << arguments;
    }
}

TEST(TintoraCliHelp, ListsTheEffects) {
    const ProgramRun help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("focus"), std::string::npos);
    EXPECT_NE(help.output.find("--size N"), std::string::npos);
    EXPECT_NE(help.output.find("--selection FILE"), std::string::npos);
}

}  // namespace
