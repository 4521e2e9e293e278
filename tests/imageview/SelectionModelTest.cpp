// The selection without a window: rectangles, polygons, the wand, invert and
// move, and what the mouse draws. Selection files: round trips, broken files
// refused with a reason (which pins the header's words and the check sum), and
// the mask picture made from a file.

#include <gtest/gtest.h>

#include <random>

#include "platform/imageview/ImageViewDocument.h"
#include "platform/imageview/SelectionFile.h"
#include "platform/imageview/SelectionMaskPicture.h"
#include "platform/imageview/ViewZoom.h"
#include "tests/imageview/SelectionTestSupport.h"
#include "tests/support/Programs.h"
#include "tests/support/Python.h"
#include "tests/support/TempDir.h"

namespace {

using namespace imageview;
using imageview_test::FromRows;
using imageview_test::Rows;

TEST(SelectionMask, RectanglesAreCutAtThePictureEdges) {
    // clang-format off
    const struct { const char* name; int32_t left, top, right, bottom;
                   std::optional<SelectionBounds> bounds; } cases[] = {
        {"inside", 1, 1, 4, 3, SelectionBounds{1, 1, 4, 3}},
        {"corners given the other way round", 4, 3, 1, 1, SelectionBounds{1, 1, 4, 3}},
        {"partly outside", -2, -1, 3, 9, SelectionBounds{0, 0, 3, 5}},
        {"no width", 2, 1, 2, 4, std::nullopt}, {"wholly outside", 7, 0, 9, 3, std::nullopt}
    };
    // clang-format on
    for (const auto& c : cases) {
        SelectionMask mask(6, 5);
        mask.Set(5, 4, true);  // replaced by the rectangle
        mask.SelectRectangle(c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(mask.Bounds(), c.bounds) << c.name;
        EXPECT_EQ(mask.IsEmpty(), !c.bounds.has_value()) << c.name;
    }
    SelectionMask mask(6, 5);
    mask.SelectRectangle(1, 1, 4, 3);
    EXPECT_EQ(Rows(mask),
              (std::vector<std::string>{"......", ".###..", ".###..", "......", "......"}));
}

TEST(SelectionMask, InvertTwiceGivesTheSameAndMovingLosesWhatLeavesThePicture) {
    const SelectionMask start = FromRows({"##...", ".#...", "....#"});
    SelectionMask mask = start;
    mask.Invert();
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"..###", "#.###", "####."}));
    mask.Invert();
    EXPECT_EQ(mask, start);

    mask.Move(2, 1);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{".....", "..##.", "...#."}));
    mask.Move(-2, -1);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"##...", ".#...", "....."}));
    mask.Move(-10, 0);
    EXPECT_TRUE(mask.IsEmpty());

    // Another picture size keeps what both have, from the top left.
    EXPECT_EQ(Rows(start.Resized(6, 2)), (std::vector<std::string>{"##....", ".#...."}));
}

TEST(PolygonFill, AConcaveOutlineLeavesItsNotchOut) {
    // A U: the notch between the arms runs from the top down to row 3.
    const std::vector<GridPoint> u = {{1, 0}, {3, 0}, {3, 3}, {5, 3},
                                      {5, 0}, {7, 0}, {7, 5}, {1, 5}};
    EXPECT_EQ(Rows(FillPolygon(8, 6, u)), (std::vector<std::string>{
                                              ".##..##.",
                                              ".##..##.",
                                              ".##..##.",
                                              ".######.",
                                              ".######.",
                                              "........",
                                          }));
    EXPECT_TRUE(FillPolygon(8, 6, {{1, 1}, {5, 5}}).IsEmpty());
}

// Plain reference: each pixel centre tested against every edge, even-odd,
// counting crossings at or left of the centre.
SelectionMask ReferenceFill(int32_t width, int32_t height, const std::vector<GridPoint>& p) {
    SelectionMask mask(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            // Doubled coordinates keep the centre (x + 1/2, y + 1/2) whole.
            const int64_t cx = 2 * x + 1, cy = 2 * y + 1;
            bool inside = false;
            for (size_t i = 0; i < p.size(); ++i) {
                const int64_t ax = 2 * p[i].x, ay = 2 * p[i].y;
                const int64_t bx = 2 * p[(i + 1) % p.size()].x, by = 2 * p[(i + 1) % p.size()].y;
                if ((ay <= cy) == (by <= cy)) continue;
                // Crossing X <= cx, with X = ax + (cy - ay)(bx - ax)/(by - ay).
                const int64_t lhs = ax * (by - ay) + (cy - ay) * (bx - ax);
                const int64_t rhs = cx * (by - ay);
                if (by > ay ? lhs <= rhs : lhs >= rhs) inside = !inside;
            }
            mask.Set(x, y, inside);
        }
    }
    return mask;
}

TEST(PolygonFill, MatchesAPixelByPixelTestOnRandomOutlines) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> corners(3, 9);
    std::uniform_int_distribution<int> coordinate(-3, 26);
    for (int round = 0; round < 300; ++round) {
        std::vector<GridPoint> outline(size_t(corners(rng)));
        for (GridPoint& p : outline) p = {coordinate(rng), coordinate(rng)};
        ASSERT_EQ(FillPolygon(23, 19, outline), ReferenceFill(23, 19, outline)) << round;
    }
}

// A picture whose red rises by one each column from 0 at the left.
ViewPicture RedGradient(int32_t width, int32_t height) {
    ViewPicture picture{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = picture.rgba.data() + (size_t(y) * width + x) * 4;
            // Alpha plays no part.
            p[0] = uint8_t(x), p[1] = 40, p[2] = 90, p[3] = y == 0 ? 0 : 255;
        }
    }
    return picture;
}

TEST(MagicWand, ReachesAlongAGradientAsFarAsTheToleranceAllows) {
    // Within tolerance t: red differs by at most t/100 of the cube's diagonal,
    // 255 * sqrt(3) * t / 100 (t = 10: 44.17, so 44 columns either side).
    // clang-format off
    const struct { int tolerance; int32_t seed; SelectionBounds bounds; } cases[] = {
        {0, 100, {100, 0, 101, 3}}, {10, 0, {0, 0, 45, 3}},     {10, 100, {56, 0, 145, 3}},
        {20, 0, {0, 0, 89, 3}},     {100, 255, {0, 0, 256, 3}}, {150, 255, {0, 0, 256, 3}},
        {-5, 7, {7, 0, 8, 3}}};
    // clang-format on
    const ViewPicture picture = RedGradient(256, 3);
    for (const auto& c : cases) {
        EXPECT_EQ(WandRegion(picture, c.seed, 1, c.tolerance).Bounds(), c.bounds)
            << "tolerance " << c.tolerance << " from column " << c.seed;
    }
    EXPECT_TRUE(WandRegion(picture, 256, 1, 50).IsEmpty());
    EXPECT_TRUE(WandRegion(picture, 0, -1, 50).IsEmpty());
}

TEST(MagicWand, SpreadsToEdgeNeighboursOnly) {
    ViewPicture picture{3, 3, std::vector<uint8_t>(36, 255)};
    // Black on the diagonal, white elsewhere: the black pixels touch by corners only.
    for (int i = 0; i < 3; ++i) std::fill_n(picture.rgba.begin() + (i * 3 + i) * 4, 3, 0);
    EXPECT_EQ(Rows(WandRegion(picture, 0, 0, 0)), (std::vector<std::string>{"#..", "...", "..."}));
    EXPECT_EQ(Rows(WandRegion(picture, 1, 0, 0)), (std::vector<std::string>{".##", "..#", "..."}));
}

TEST(ImageViewDocument, TheMouseDrawsRectanglesPolygonsAndWandRegions) {
    ImageViewDocument document;
    document.ShowPicture(RedGradient(10, 6));
    // A drag from inside the picture to beyond its corner, in fractions of pixels.
    document.SetInteraction(Interaction::Rectangle);
    document.Press(2.4, 1.6);
    document.Drag(5.2, 3.0);
    EXPECT_EQ(document.Selection().Bounds(), (SelectionBounds{2, 2, 5, 3}));
    document.Release(40, 40);
    EXPECT_EQ(document.Selection().Bounds(), (SelectionBounds{2, 2, 10, 6}));
    document.Drag(1, 1);  // the button is up: nothing
    EXPECT_EQ(document.Selection().Bounds(), (SelectionBounds{2, 2, 10, 6}));

    // Clicked corners, closed by a double click on the last one.
    document.SetInteraction(Interaction::Polygon);
    for (const auto& [x, y] : {std::pair{1.0, 1.0}, {7.0, 1.0}, {7.0, 5.0}}) document.Press(x, y);
    EXPECT_TRUE(document.Selection().IsEmpty()) << "the first corner starts afresh";
    document.Hover(1.2, 4.9);
    EXPECT_EQ(document.NextCorner(), (GridPoint{1, 5}));
    document.DoubleClick(1.2, 4.9);
    EXPECT_TRUE(document.OpenOutline().empty());
    EXPECT_EQ(document.Selection(), FillPolygon(10, 6, {{1, 1}, {7, 1}, {7, 5}, {1, 5}}));
    // Ending the drawing drops the open corners: the double click then
    // closes an outline of one corner, which holds nothing.
    document.Press(0, 0);
    document.Press(3, 0);
    document.EndDrawing();
    EXPECT_TRUE(document.OpenOutline().empty());
    document.DoubleClick(3, 4);
    EXPECT_TRUE(document.Selection().IsEmpty());

    document.SetInteraction(Interaction::MagicWand);
    document.Press(3.7, 2.2);
    EXPECT_EQ(document.Selection().Bounds(), (SelectionBounds{0, 0, 10, 6}));
    document.SetWandTolerance(0);
    document.Press(3.7, 2.2);
    EXPECT_EQ(document.Selection().Bounds(), (SelectionBounds{3, 0, 4, 6}));
    document.WandSelectAt(6, 0, 1);
    EXPECT_EQ(Rows(document.Selection())[0], "...#..#...");
}

TEST(ImageViewDocument, AnotherPictureKeepsTheSelectionWhereBothHavePixels) {
    ImageViewDocument document;
    document.ReplaceSelection(FromRows({"###", "###"}));
    EXPECT_EQ(document.Selection().Width(), 0) << "no picture, no selection";
    document.ShowPicture(RedGradient(4, 3));
    document.ReplaceSelection(FromRows({"#####", "#....", "#...."}));
    EXPECT_EQ(Rows(document.Selection()), (std::vector<std::string>{"####", "#...", "#..."}));
    document.ShowPicture(RedGradient(2, 4));
    EXPECT_EQ(Rows(document.Selection()), (std::vector<std::string>{"##", "#.", "#.", ".."}));
}

TEST(ViewZoom, ZeroIsTheFittedSizeAndBelowShrinksIt) {
    EXPECT_DOUBLE_EQ(FitZoom(800, 200, 400, 400), 50);
    EXPECT_DOUBLE_EQ(FitZoom(10, 10, 400, 300), 1000) << "held to the largest zoom";
    EXPECT_DOUBLE_EQ(FitZoom(0, 0, 400, 300), 100);
    // clang-format off
    const struct { double zoom, scale; } cases[] = {
        {250, 2.5}, {1, 0.01}, {0, 0.5}, {-500, 0.25}, {-950, 0.025}, {-1000, 0.025}};
    // clang-format on
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(DisplayScale(c.zoom, 50), c.scale) << c.zoom;
}

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
