#include "engine/EmbossBevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tests/engine/EffectTestSupport.h"

namespace {

engine::EmbossBevelParams Emboss(int azimuth, int size) { return {azimuth, 60, 1, size}; }
engine::EmbossBevelParams Bevel(int azimuth, int size) { return {azimuth, 40, 4, size}; }

ref::Pic Apply(ref::Pic& pic, const engine::EmbossBevelParams& params) {
    return Output(engine::EmbossBevel(pic.MutableView(), params));
}

TEST(EmbossLight, LightVectorsOfTheWorkedAngles) {
    for (const auto& [azimuth, x, y] : {std::tuple{0, 127, 0}, {90, 0, 127}, {180, -127, 0}}) {
        const engine::LightVector l = engine::EmbossLight(azimuth, 60);
        EXPECT_EQ((std::array{l.x, l.y, l.z}), (std::array{x, y, 221})) << azimuth;
    }
    EXPECT_EQ(engine::EmbossLight(0, 40).z, 164);
}

TEST(EmbossBevel, AFlatOpaqueAreaIsDarkenedByTheLightsHeight) {
    for (const auto& [params, z] : {std::pair{Emboss(30, 0), 221}, std::pair{Bevel(30, 0), 164}}) {
        ref::Pic pic = Filled(12, 12, 200, 100, 50, 255);
        EXPECT_EQ(PixelAt(Apply(pic, params), 6, 6),
                  (Px{200 * z >> 8, 100 * z >> 8, 50 * z >> 8, 255}));
    }
}

TEST(EmbossBevel, SizeZeroKeepsTheSizeAndClearsTheFramesOfSourceAndOutput) {
    ref::Pic pic = Filled(8, 7, 9, 9, 9, 255);
    const ref::Pic out = Apply(pic, Emboss(0, 0));
    ASSERT_EQ(SizeOf(out), std::pair(8, 7));
    ref::Pic cleared(8, 7);
    Paint(cleared, 2, 2, 6, 5, {9, 9, 9, 255});
    EXPECT_TRUE(SamePicture(cleared, pic));
    ref::Pic frame = out;
    Paint(frame, 1, 1, 7, 6, {});
    EXPECT_TRUE(SamePicture(ref::Pic(8, 7), frame));
}

TEST(EmbossBevel, SizeFiveEnlargesByFiveAndPlacesThePictureAtTwoTwo) {
    ref::Pic pic = Filled(10, 9, 100, 100, 100, 255);
    const ref::Pic out = Apply(pic, Emboss(0, 5));
    ASSERT_EQ(SizeOf(out), std::pair(15, 14));
    // The cleared source frame is two pixels wide: the first visible picture pixel is at 2 + 2.
    EXPECT_EQ((std::tuple{out.at(3, 8)[3], out.at(4, 8)[3]}), (std::tuple{0, 255}));
    EXPECT_EQ((std::tuple{out.at(2 + 7, 8)[3], out.at(2 + 8, 8)[3]}), (std::tuple{255, 0}));
}

TEST(EmbossBevel, AVerticalEdgeShadesTo246OrItsMirrorTo66) {
    // Alpha 255 on the lower-column side: where the 3 x 3 window straddles the
    // edge, Nx = 3 * 255 = 765, N = (765, 0, 765) and the shade is
    // (765 * 127 + 765 * 221) / (765 * sqrt 2) = 246. Column 7 is the last
    // opaque one of the left picture, column 8 the first of the right one.
    ref::Pic left(16, 16), right(16, 16);
    Paint(left, 0, 0, 8, 16, {255, 255, 255, 255});
    Paint(right, 8, 0, 16, 16, {255, 255, 255, 255});
    const int lit = 255 * 246 >> 8, shaded = 255 * 66 >> 8;
    EXPECT_EQ(PixelAt(Apply(left, Emboss(0, 0)), 7, 8), (Px{lit, lit, lit, 255}));
    EXPECT_EQ(PixelAt(Apply(right, Emboss(0, 0)), 8, 8), (Px{shaded, shaded, shaded, 255}));
}

TEST(EmbossBevel, TheTwoOutermostColumnsAndRowsNeverShow) {
    std::mt19937 rng(12);
    ref::Pic pic = RandomPic(rng, 9, 9), framed = RandomPic(rng, 9, 9);
    for (int y = 2; y < 7; ++y) std::copy_n(pic.at(2, y), 5 * 4, framed.at(2, y));
    EXPECT_TRUE(SamePicture(Apply(pic, Emboss(45, 3)), Apply(framed, Emboss(45, 3))));
}

TEST(EmbossBevel, FailsWhenItsRastersCannotBeAllocatedButKeepsTheClearedFrame) {
    // The output, the canvas and the scratch alpha.
    for (size_t successes : {0, 1, 2}) {
        ref::Pic pic = Filled(6, 6, 5, 5, 5, 255);
        AllocationCountdown countdown(successes);
        ExpectOutOfMemory(engine::EmbossBevel(pic.MutableView(), Emboss(0, 2)));
        EXPECT_EQ((std::tuple{pic.at(0, 0)[3], pic.at(2, 2)[3]}), (std::tuple{0, 255}));
    }
}

}  // namespace
