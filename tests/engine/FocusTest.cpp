#include "engine/Focus.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

ref::Pic Apply(const ref::Pic& pic, uint32_t r) { return Output(engine::Focus(pic.View(), r)); }

TEST(Focus, SizeOneAveragesThePixelWithItsLowerNeighbours) {
    // 2 x 2: (0, 0) keeps its colour; the window of (1, 1) is all four pixels;
    // transparent pixels count with their colour; alpha is untouched.
    const ref::Pic pic(2, 2, {10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0, 100, 110, 121, 7});
    const ref::Pic expected(
        2, 2,
        {10, 20, 30, 255, (10 + 40) / 2, (20 + 50) / 2, (30 + 60) / 2, 128, (10 + 70) / 2,
         (20 + 80) / 2, (30 + 90) / 2, 0, (10 + 40 + 70 + 100) / 4, (20 + 50 + 80 + 110) / 4,
         75 /* 75.25 truncated */, 7});
    EXPECT_TRUE(SamePicture(expected, Apply(pic, 1)));
}

TEST(Focus, TransparentBlackDarkensTheInsideOfAnEdgeButKeepsTheOutline) {
    // A white opaque square on transparent black.
    ref::Pic pic(8, 8);
    Paint(pic, 2, 2, 6, 6, {255, 255, 255, 255});
    const ref::Pic out = Apply(pic, 1);
    EXPECT_EQ(out.at(2, 2)[0], 255 / 4);  // corner of the square: 1 of 4 is white
    EXPECT_EQ(out.at(3, 3)[0], 255);      // interior stays white
    EXPECT_EQ(Alphas(out), Alphas(pic));
}

}  // namespace
