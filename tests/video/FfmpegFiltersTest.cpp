// The plug-in files in a real video tool: ffmpeg runs every filter on a short
// clip with alpha made from the sample picture, and each filter's frames must
// equal, byte for byte, the command line's result on the same picture, cut to
// the frame where the frame lay in it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/Programs.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int32_t kWidth = 256;  // ffmpeg hands frei0r rows padded to 64 bytes
constexpr int32_t kHeight = 192;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 4;

class FfmpegFilters : public ::testing::Test {
protected:
    // The sample picture at column 48, row 32 of a transparent frame, three frames of it in a
    // .mov (QuickTime RLE keeps alpha and every byte), and its first frame as a raw picture for
    // the command line (bottom row first).
    void SetUp() override {
        ASSERT_TRUE(Run(std::string(TINTORA_CLI_PATH) + " sample " + File("sample.png")));
        ASSERT_TRUE(Ffmpeg("-loop 1 -i " + File("sample.png") +
                           " -vf pad=256:192:48:32:color=black@0,format=argb -frames:v 3"
                           " -c:v qtrle " +
                           File("clip.mov")));
        ASSERT_TRUE(Ffmpeg("-i " + File("clip.mov") +
                           " -frames:v 1 -vf vflip -f rawvideo -pix_fmt bgra " + File("in.bgra")));
    }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    // Runs a command line; what it prints is kept in Output().
    bool Run(const std::string& command) const {
        return std::system((command + " >" + File("log") + " 2>&1").c_str()) == 0;
    }
    bool Ffmpeg(const std::string& arguments) const {
        return Run(std::string("FREI0R_PATH=") + TINTORA_FREI0R_DIR + " ffmpeg -v error -y " +
                   arguments);
    }
    std::string Output() const { return ReadFileText(File("log")); }

private:
    TempDir m_dir;
};

TEST_F(FfmpegFilters, EveryFilterGivesTheCommandLinesBytesWhereTheFrameLay) {
    struct Row {
        const char* filter;  // with its parameters, as ffmpeg takes them
        const char* apply;   // the same settings for the command line
        int64_t x, y;        // where the frame lies in the command line's result
    } rows[] = {
        {"border:0.06|0.03|0.2|red", "border --size 6 --blur 3 --transp 20 --color FF0000", 11, 11},
        {"shadow:0.54|0.53|0.04|0.5|0x000080",
         "shadow --x 8 --y 6 --blur 4 --transp 50 --color 000080", 4, 10},
        {"shadow:0.2|0.45|0|0|black", "shadow --x -60 --y -10", 60, 0},  // cut at the left edge
        {"motion-blur:0.12|0.03", "motion-blur --x 12 --y 3", 14, 5},
        {"focus:0.04", "focus --size 4", 0, 0},
        {"emboss:0.05|0.375", "emboss --pct 5 --dir 135", 2, 2},
        {"bevel:0.08|0.125", "bevel --pct 8 --dir 45", 4, 4},
        {"grayscale", "grayscale", 0, 0}};
    for (const Row& row : rows) {
        ASSERT_TRUE(Ffmpeg("-i " + File("clip.mov") + " -vf 'frei0r=tintora-" + row.filter +
                           "' -f rawvideo -pix_fmt bgra " + File("video.bgra")))
            << row.filter << ": " << Output();
        const std::vector<uint8_t> frames = ReadFileBytes(File("video.bgra"));
        ASSERT_EQ(frames.size(), 3 * kFrameBytes) << row.filter;

        ASSERT_TRUE(Run(std::string(TINTORA_CLI_PATH) + " apply " + row.apply +
                        " --input-size 256x192 " + File("in.bgra") + " " + File("cli.bgra")))
            << row.apply << ": " << Output();
        int32_t width = 0, height = 0;
        ASSERT_EQ(std::sscanf(Output().c_str(), "%dx%d", &width, &height), 2) << Output();
        const std::vector<uint8_t> result = ReadFileBytes(File("cli.bgra"));
        ASSERT_EQ(result.size(), size_t(width) * size_t(height) * 4) << row.apply;

        // The result cut where the frame lay (inside it for these rows), turned top row first.
        std::vector<uint8_t> expected(kFrameBytes);
        for (int32_t line = 0; line < kHeight; ++line) {
            const size_t from =
                ((size_t(row.y) + size_t(line)) * size_t(width) + size_t(row.x)) * 4;
            std::copy_n(&result[from], kWidth * 4,
                        &expected[size_t(kHeight - 1 - line) * kWidth * 4]);
        }
        for (size_t frame = 0; frame < 3; ++frame) {
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                                   frames.begin() + std::ptrdiff_t(frame * kFrameBytes)))
                << row.apply << ", frame " << frame;
        }
    }
}

TEST_F(FfmpegFilters, ThePluginLibraryLoadsNeitherQtNorTheImageLibrary) {
    ASSERT_TRUE(Run(std::string("readelf -d ") + TINTORA_FREI0R_DIR + "/tintora.so"));
    EXPECT_NE(Output().find("libstdc++"), std::string::npos);
    EXPECT_EQ(Output().find("Qt"), std::string::npos) << Output();
    EXPECT_EQ(Output().find("Magick"), std::string::npos) << Output();
}

}  // namespace
