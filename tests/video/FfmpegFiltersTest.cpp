// The plug-in files in a real video tool: ffmpeg runs every filter on a short
// clip with alpha made from the sample picture, and each filter's frame must
// equal, byte for byte, the command line's result on the same picture, cut to
// the frame where the frame lay in it.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace {

constexpr int32_t kWidth = 256;  // ffmpeg hands frei0r rows padded to 64 bytes
constexpr int32_t kHeight = 192;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 4;
constexpr int kFrames = 3;

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome RunCommand(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    std::string output;
    char buffer[1024];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Ffmpeg(const std::string& arguments) {
    return std::string("FREI0R_PATH=") + TINTORA_FREI0R_DIR + " ffmpeg -v error -y " + arguments;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The sample picture at column 48, row 32 of a transparent frame, three frames
// of it in a .mov (QuickTime RLE keeps alpha and every byte), and its first
// frame as a raw picture for the command line (bottom row first).
class FfmpegFilters : public ::testing::Test {
protected:
    void SetUp() override {
        const Outcome sample =
            RunCommand(std::string(TINTORA_CLI_PATH) + " sample " + File("sample.png"));
        ASSERT_EQ(sample.exitCode, 0) << sample.output;
        const Outcome clip = RunCommand(Ffmpeg("-loop 1 -i " + File("sample.png") +
                                               " -vf pad=256:192:48:32:color=black@0,format=argb"
                                               " -frames:v 3 -c:v qtrle " +
                                               File("clip.mov")));
        ASSERT_EQ(clip.exitCode, 0) << clip.output;
        const Outcome frame = RunCommand(
            Ffmpeg("-i " + File("clip.mov") + " -frames:v 1 -vf vflip -f rawvideo -pix_fmt bgra " +
                   File("frame.bgra")));
        ASSERT_EQ(frame.exitCode, 0) << frame.output;
    }
    std::string File(const std::string& name) const { return m_dir.File(name); }

private:
    TempDir m_dir;
};

TEST_F(FfmpegFilters, EveryFilterGivesTheCommandLinesBytesWhereTheFrameLay) {
    struct Row {
        const char* filter;
        const char* params;  // as ffmpeg takes them
        const char* apply;   // the same settings for the command line
        int64_t x, y;        // where the picture lies in the command line's result
    } rows[] = {
        {"border", "0.06|0.03|0.2|red", "border --size 6 --blur 3 --transp 20 --color FF0000", 11,
         11},
        {"shadow", "0.54|0.53|0.04|0.5|0x000080",
         "shadow --x 8 --y 6 --blur 4 --transp 50 --color 000080", 4, 10},
        // Cut at the frame's left edge.
        {"shadow", "0.2|0.45|0|0|black", "shadow --x -60 --y -10", 60, 0},
        {"motion-blur", "0.12|0.03", "motion-blur --x 12 --y 3", 14, 5},
        {"focus", "0.04", "focus --size 4", 0, 0},
        {"emboss", "0.05|0.375", "emboss --pct 5 --dir 135", 2, 2},
        {"bevel", "0.08|0.125", "bevel --pct 8 --dir 45", 4, 4},
        {"grayscale", "", "grayscale", 0, 0},
    };
    const std::vector<uint8_t> input = ReadBytes(File("frame.bgra"));
    ASSERT_EQ(input.size(), kFrameBytes);
    for (const Row& row : rows) {
        const std::string name = std::string("tintora-") + row.filter;
        const std::string filter =
            "frei0r=" + name + (*row.params ? std::string(":") + row.params : "");
        const Outcome video =
            RunCommand(Ffmpeg("-i " + File("clip.mov") + " -vf '" + filter +
                              "' -f rawvideo -pix_fmt bgra " + File("video.bgra")));
        ASSERT_EQ(video.exitCode, 0) << name << ": " << video.output;
        const std::vector<uint8_t> frames = ReadBytes(File("video.bgra"));
        ASSERT_EQ(frames.size(), kFrames * kFrameBytes) << name;

        const Outcome cli =
            RunCommand(std::string(TINTORA_CLI_PATH) + " apply " + row.apply +
                       " --input-size 256x192 " + File("frame.bgra") + " " + File("cli.bgra"));
        ASSERT_EQ(cli.exitCode, 0) << row.apply << ": " << cli.output;
        int32_t width = 0, height = 0;
        ASSERT_EQ(std::sscanf(cli.output.c_str(), "%dx%d", &width, &height), 2) << cli.output;
        const std::vector<uint8_t> result = ReadBytes(File("cli.bgra"));
        ASSERT_EQ(result.size(), size_t(width) * size_t(height) * 4) << row.apply;

        // The command line's result, cut where the frame lay (the tests' placements keep the
        // frame inside the result) and turned top row first.
        std::vector<uint8_t> expected(kFrameBytes);
        for (int32_t line = 0; line < kHeight; ++line) {
            const size_t from =
                ((size_t(row.y) + size_t(line)) * size_t(width) + size_t(row.x)) * 4;
            std::copy_n(&result[from], kWidth * 4,
                        &expected[size_t(kHeight - 1 - line) * kWidth * 4]);
        }
        for (int frame = 0; frame < kFrames; ++frame) {
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                                   frames.begin() + std::ptrdiff_t(frame * kFrameBytes)))
                << row.apply << ", frame " << frame;
        }
    }
}

TEST(FrameFilters, ThePluginLibraryLoadsNeitherQtNorTheImageLibrary) {
    const Outcome needed =
        RunCommand(std::string("readelf -d ") + TINTORA_FREI0R_DIR + "/tintora.so");
    ASSERT_EQ(needed.exitCode, 0) << needed.output;
    EXPECT_NE(needed.output.find("libstdc++"), std::string::npos);
    EXPECT_EQ(needed.output.find("Qt"), std::string::npos) << needed.output;
    EXPECT_EQ(needed.output.find("Magick"), std::string::npos) << needed.output;
}

}  // namespace
