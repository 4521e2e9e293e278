// Selection files: round trips, broken files refused with a reason (which pins
// the header's words and the check sum), and the mask picture made from a file.

#include <gtest/gtest.h>

#include <random>

#include "platform/imageview/SelectionFile.h"
#include "platform/imageview/SelectionMaskPicture.h"
#include "tests/imageview/SelectionTestSupport.h"
#include "tests/support/Programs.h"
#include "tests/support/Python.h"
#include "tests/support/TempDir.h"

namespace {

using namespace imageview;
using imageview_test::FromRows;
using imageview_test::Rows;

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& bytes, size_t offset, uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(word >> (8 * i));
}

// The CRC-32 as Python's zlib computes it, the independent check.
uint32_t ZlibCrc(const std::string& path, size_t length) {
    bool ok = false;
    const std::string out = RunPython("import zlib\nprint(zlib.crc32(open('" + path +
                                          "','rb').read()[:" + std::to_string(length) + "]))",
                                      &ok);
    EXPECT_TRUE(ok) << out;
    return uint32_t(std::stoul(out));
}

class SelectionFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name = "a.sel") const { return dir.File(name); }
    TempDir dir;
};

TEST_F(SelectionFileTest, RandomSelectionsComeBackAsTheyWere) {
    std::mt19937 rng(3);
    for (int round = 0; round < 20; ++round) {
        SelectionMask mask(int32_t(rng() % 40), int32_t(rng() % 30));
        const unsigned density = rng() % 4;
        for (int32_t y = 0; y < mask.Height(); ++y) {
            for (int32_t x = 0; x < mask.Width(); ++x) mask.Set(x, y, rng() % 4 < density);
        }
        ASSERT_EQ(WriteSelectionFile(mask, Path()), "");
        const SelectionRead read = ReadSelectionFile(Path());
        ASSERT_TRUE(read.selection) << read.error;
        EXPECT_EQ(*read.selection, mask) << round;
    }
}

TEST_F(SelectionFileTest, ABrokenFileIsRefusedWithItsReason) {
    ASSERT_EQ(WriteSelectionFile(FromRows({"##..", ".##.", "...."}), Path("good.sel")), "");
    const Bytes good = ReadFileBytes(Path("good.sel"));  // 20 header + 2 runs + CRC = 48 bytes
    // A change to the words, with the check sum made to fit again.
    auto rewritten = [&](size_t offset, uint32_t word) {
        Bytes bytes = good;
        PutWord(bytes, offset, word);
        WriteFileBytes(Path("fix.sel"), Bytes(bytes.begin(), bytes.end() - 4));
        PutWord(bytes, bytes.size() - 4, ZlibCrc(Path("fix.sel"), bytes.size() - 4));
        return bytes;
    };
    Bytes flipped = good;
    flipped[30] ^= 0x10;
    // clang-format off
    const struct { const char* name; Bytes bytes; const char* reason; } cases[] = {
        {"empty", {}, " is cut short."},
        {"a picture", {0x89, 'P', 'N', 'G', 0, 0, 0, 0}, " is not a selection file."},
        {"header cut", Bytes(good.begin(), good.begin() + 12), " is cut short."},
        {"last byte cut", Bytes(good.begin(), good.end() - 1), " is cut short."},
        {"a byte too many",
         [&] {
             Bytes b = good;
             b.push_back(0);
             return b;
         }(),
         " is damaged."},
        {"a changed bit", flipped, " is damaged."},
        {"a later format", rewritten(4, 2), " has format version 2, which this view cannot read."},
        {"an absurd size", rewritten(8, 100000),
         " is for a picture of 100000 x 3 pixels, more than a picture can have."},
        {"more runs than pixels", rewritten(16, 7), " is damaged."},
        {"a run past the edge", rewritten(28, 5), " is damaged."},
        {"a run below the picture", rewritten(32, 3), " is damaged."},
        {"runs out of order", rewritten(32, 0), " is damaged."},
        {"an empty run", rewritten(40, 0), " is damaged."}
    };
    // clang-format on
    for (const auto& c : cases) {
        WriteFileBytes(Path(), c.bytes);
        const SelectionRead read = ReadSelectionFile(Path());
        EXPECT_FALSE(read.selection) << c.name;
        EXPECT_EQ(read.error, "The selection file " + Path() + c.reason) << c.name;
    }
    EXPECT_EQ(ReadSelectionFile(Path("none.sel")).error,
              "The selection file " + Path("none.sel") + " does not exist.");
    EXPECT_EQ(ReadSelectionFile(dir.Path().string()).error,
              "The selection file " + dir.Path().string() + " is not a file.");
    EXPECT_NE(WriteSelectionFile(SelectionMask(2, 2), dir.File("no/such/folder.sel")), "");
}

TEST_F(SelectionFileTest, TheMaskIsWhiteInsideBlackOutsideCutToThePictureBottomRowFirst) {
    ASSERT_EQ(WriteSelectionFile(FromRows({"#..", ".#.", "..#"}), Path()), "");
    const MaskPicture mask = MaskFromSelectionFile(Path(), 4, 2);
    ASSERT_EQ(mask.error, "");
    ASSERT_EQ(mask.bgra.size(), 4u * 2 * 4);
    auto value = [&](int x, int yFromBottom) {
        const uint8_t* p = &mask.bgra[(size_t(yFromBottom) * 4 + x) * 4];
        EXPECT_EQ((std::tuple{p[0], p[1], p[3]}), (std::tuple{p[1], p[2], 255}));
        return p[0];
    };
    // Upright: "#..." over ".#..", so the bottom row, first in memory, is ".#..".
    const std::vector<uint8_t> expected = {0, 255, 0, 0, 255, 0, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(value(i % 4, i / 4), expected[i]) << i;
    EXPECT_EQ(MaskFromSelectionFile(Path("none.sel"), 4, 2).error,
              "The selection file " + Path("none.sel") + " does not exist.");
    EXPECT_NE(MaskFromSelection(SelectionMask(1, 1), 0, 5).error, "");
}

}  // namespace
