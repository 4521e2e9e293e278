#include "engine/Matte.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/engine/EffectTestSupport.h"

namespace {

engine::MatteParams Params(bool crop, int ox = 0, int oy = 0, bool inverse = false,
                           bool useAlpha = false, int blurX = 0, int blurY = 0) {
    return {ox, oy, inverse, useAlpha, crop, blurX, blurY};
}

ref::Pic Apply(const ref::Pic& pic, const ref::Pic& matte, const engine::MatteParams& params) {
    return Output(engine::Matte(pic.View(), matte.View(), params));
}

// A black matte with white columns x0 .. x1 - 1 of rows y0 .. y1 - 1: a selection.
ref::Pic Selection(int w, int h, int x0, int y0, int x1, int y1) {
    ref::Pic matte(w, h);
    Paint(matte, x0, y0, x1, y1, {255, 255, 255, 0});
    return matte;
}

TEST(Matte, WhiteMakesTheCoveredAreaOpaqueAndBlackOrBeyondTheMatteTransparentBlack) {
    const ref::Pic pic = SeededPic(21, 8, 6);
    ref::Pic expected(8, 6);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = pic.at(x, y);
            Paint(expected, x, y, x + 1, y + 1, {p[0], p[1], p[2], 255});
        }
    }
    EXPECT_TRUE(SamePicture(expected, Apply(pic, Selection(5, 4, 0, 0, 5, 4), Params(false))));
    EXPECT_TRUE(SamePicture(ref::Pic(8, 6), Apply(pic, ref::Pic(8, 6), Params(false))));
}

TEST(Matte, InverseMakesPixelsBeyondTheMattesEdgeOpaque) {
    const ref::Pic pic = SeededPic(23, 6, 6);
    // With offset 3, the pictures pixels 3 .. 5 are read through matte pixels
    // beyond its 4 x 4 area for outputs 1 .. 2; matte value 0, inverted to 255.
    const ref::Pic out = Apply(pic, Selection(4, 4, 0, 0, 4, 4), Params(false, 3, 0, true));
    EXPECT_EQ(out.at(0, 0)[3], 0);  // matte pixel (3, 0) is white
    EXPECT_EQ((std::tuple{out.at(1, 0)[3], out.at(2, 0)[0]}), (std::tuple{255, pic.at(5, 0)[0]}));
    // Reading past the picture's own edge leaves transparent black.
    EXPECT_EQ(out.at(3, 0)[3], 0);
}

TEST(Matte, CropIsCutToTheSelectionsBoxUnlessItIsEmptyOrOnePixelWide) {
    const ref::Pic pic = SeededPic(24, 10, 8, 200);
    // A full selection keeps the picture's alpha.
    const ref::Pic cut = Apply(pic, Selection(10, 8, 3, 2, 8, 6), Params(true));
    ASSERT_EQ(SizeOf(cut), std::pair(5, 4));
    EXPECT_TRUE(SamePicture(Region(pic, 3, 2, 5, 4), cut));
    // A selection mask is black wherever its red byte is 0.
    EXPECT_TRUE(SamePicture(ref::Pic(10, 8), Apply(pic, ref::Pic(10, 8), Params(true))));
    ref::Pic column(10, 8);
    for (int y = 1; y < 4; ++y) Paint(column, 2, y, 3, y + 1, PixelAt(pic, 2, y));
    EXPECT_TRUE(SamePicture(column, Apply(pic, Selection(10, 8, 2, 1, 3, 4), Params(true))));
}

TEST(Matte, CropSoftnessGrowsByTenAndOnlyTheEdgeIsBlurred) {
    const ref::Pic pic = SeededPic(26, 12, 12, 255);
    const ref::Pic out =
        Apply(pic, Selection(12, 12, 2, 2, 10, 10), Params(true, 0, 0, false, false, 1, 1));
    ASSERT_EQ(SizeOf(out), std::pair(8 + 10, 8 + 10));
    // The cut sits at (3, 3); its opaque interior is copied unchanged.
    EXPECT_TRUE(SamePicture(Region(pic, 3, 3, 6, 6), Region(out, 4, 4, 6, 6)));
    EXPECT_LT(out.at(3, 3)[3], 255);
    EXPECT_GT(out.at(2, 5)[3], 0);
}

TEST(Matte, TheBoxGrowsOnlyFromRedPixelsAlsoWithTheFourthChannel) {
    ref::Pic matte = Filled(8, 8, 255, 255, 0, 0);  // opaque, no red
    matte.at(1, 1)[2] = 1;
    matte.at(4, 6)[2] = 1;
    // Fourth byte 0 everywhere: nothing is kept, but the box is cut from the red pixels.
    EXPECT_TRUE(SamePicture(
        ref::Pic(4, 6), Apply(Filled(8, 8, 9, 9, 9, 255), matte, Params(true, 0, 0, false, true))));
}

TEST(Matte, FailsWhenTheCutOrTheSofteningsResultCannotBeAllocated) {
    const ref::Pic pic = Filled(6, 6, 1, 2, 3, 255), matte = Selection(6, 6, 1, 1, 5, 5);
    for (size_t successes : {0, 1}) {
        AllocationCountdown countdown(successes);
        ExpectOutOfMemory(
            engine::Matte(pic.View(), matte.View(), Params(true, 0, 0, false, false, 1, 1)));
    }
}

}  // namespace
