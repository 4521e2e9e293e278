// The program itself: exit codes, what it prints and what it writes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/TempDir.h"

namespace {

struct Outcome {
    int exitCode;
    std::string output;  // stdout and stderr together
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

TEST(TintoraCli, AppliesFocusToPngTgaAndRawInputs) {
    TempDir dir;
    ASSERT_EQ(RunCli("sample " + dir.File("s.png")).exitCode, 0);
    ASSERT_EQ(RunCli("sample " + dir.File("s.tga")).exitCode, 0);
    Outcome png = RunCli("apply focus --size 3 " + dir.File("s.png") + " " + dir.File("f.bgra"));
    EXPECT_EQ(png.exitCode, 0) << png.output;
    EXPECT_EQ(png.output, "160x120\n");
    Outcome tga = RunCli("apply focus --size 3 " + dir.File("s.tga") + " " + dir.File("g.bgra"));
    EXPECT_EQ(tga.exitCode, 0) << tga.output;
    Outcome raw = RunCli("apply focus --size 1 --input-size 160x120 " + dir.File("f.bgra") + " " +
                         dir.File("h.png"));
    EXPECT_EQ(raw.exitCode, 0) << raw.output;
    // Both file formats give the same picture, so the same result.
    std::ifstream a(dir.File("f.bgra"), std::ios::binary), b(dir.File("g.bgra"), std::ios::binary);
    EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(a), {},
                           std::istreambuf_iterator<char>(b), {}));
}

TEST(TintoraCli, BadInputsExitWithTwoAndWriteNothing) {
    TempDir dir;
    ASSERT_EQ(RunCli("sample " + dir.File("s.png")).exitCode, 0);
    const std::string out = dir.File("out.png");
    Outcome range = RunCli("apply focus --size 51 " + dir.File("s.png") + " " + out);
    EXPECT_EQ(range.exitCode, 2);
    EXPECT_NE(range.output.find("Please enter an integer between 1 and 50."), std::string::npos);
    Outcome missing = RunCli("apply focus " + dir.File("nothing.png") + " " + out);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find("nothing.png"), std::string::npos);
    EXPECT_EQ(RunCli("apply blur-everything a b").exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(TintoraCli, HelpListsTheEffects) {
    Outcome help = RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("focus"), std::string::npos);
    EXPECT_NE(help.output.find("--size N"), std::string::npos);
}

}  // namespace
