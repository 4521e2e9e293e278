#include "engine/EmbossBevel.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

engine::EmbossBevelParams Emboss(int azimuth, int size) { return {azimuth, 60, 1, size}; }
engine::EmbossBevelParams Bevel(int azimuth, int size) { return {azimuth, 40, 4, size}; }

ref::Pic Apply(ref::Pic& pic, const engine::EmbossBevelParams& params) {
    engine::EffectResult result = engine::EmbossBevel(MutableViewOf(pic), params);
    EXPECT_TRUE(result.succeeded) << result.message;
    return ToPic(result.output);
}

TEST(EmbossLight, LightVectorsOfTheWorkedAngles) {
    auto expect = [](int azimuth, int elevation, int x, int y, int z) {
        const engine::LightVector l = engine::EmbossLight(azimuth, elevation);
        EXPECT_EQ(l.x, x) << azimuth << "/" << elevation;
        EXPECT_EQ(l.y, y) << azimuth << "/" << elevation;
        EXPECT_EQ(l.z, z) << azimuth << "/" << elevation;
    };
    expect(0, 60, 127, 0, 221);
    expect(90, 60, 0, 127, 221);
    expect(180, 60, -127, 0, 221);
    EXPECT_EQ(engine::EmbossLight(0, 40).z, 164);
}

TEST(EmbossBevel, AFlatOpaqueAreaIsDarkenedByTheLightsHeight) {
    const ref::Pic start = Filled(12, 12, 200, 100, 50, 255);
    ref::Pic pic = start;
    const ref::Pic emboss = Apply(pic, Emboss(30, 0));
    EXPECT_EQ(emboss.at(6, 6)[0], 200 * 221 >> 8);
    EXPECT_EQ(emboss.at(6, 6)[1], 100 * 221 >> 8);
    EXPECT_EQ(emboss.at(6, 6)[2], 50 * 221 >> 8);
    EXPECT_EQ(emboss.at(6, 6)[3], 255);
    pic = start;
    const ref::Pic bevel = Apply(pic, Bevel(30, 0));
    EXPECT_EQ(bevel.at(6, 6)[0], 200 * 164 >> 8);
    EXPECT_EQ(bevel.at(6, 6)[2], 50 * 164 >> 8);
}

TEST(EmbossBevel, SizeZeroKeepsTheSizeAndClearsTheFramesOfSourceAndOutput) {
    ref::Pic pic = Filled(8, 7, 9, 9, 9, 255);
    const ref::Pic out = Apply(pic, Emboss(0, 0));
    ASSERT_EQ(out.w, 8);
    ASSERT_EQ(out.h, 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool frame = x < 2 || x > 5 || y < 2 || y > 4;
            EXPECT_EQ(pic.at(x, y)[3], frame ? 0 : 255) << x << "," << y;
            EXPECT_EQ(pic.at(x, y)[0], frame ? 0 : 9);
            if (x == 0 || x == 7 || y == 0 || y == 6) {
                for (int c = 0; c < 4; ++c) EXPECT_EQ(out.at(x, y)[c], 0);
            }
        }
    }
}

TEST(EmbossBevel, SizeFiveEnlargesByFiveAndPlacesThePictureAtTwoTwo) {
    ref::Pic pic = Filled(10, 9, 100, 100, 100, 255);
    const ref::Pic out = Apply(pic, Emboss(0, 5));
    ASSERT_EQ(out.w, 15);
    ASSERT_EQ(out.h, 14);
    // The cleared source frame is two pixels wide, so the first visible picture
    // pixel is at 2 + 2.
    EXPECT_EQ(out.at(3, 8)[3], 0);
    EXPECT_EQ(out.at(4, 8)[3], 255);
    EXPECT_EQ(out.at(2 + 7, 8)[3], 255);
    EXPECT_EQ(out.at(2 + 8, 8)[3], 0);
}

TEST(EmbossBevel, AVerticalEdgeShadesTo246OrItsMirrorTo66) {
    // Alpha 255 on the lower-column side: where the 3 x 3 window straddles the
    // edge, Nx = 3 * 255 = 765, N = (765, 0, 765) and the shade is
    // (765 * 127 + 765 * 221) / (765 * sqrt 2) = 246.
    ref::Pic left = Filled(16, 16, 0, 0, 0, 0);
    ref::Pic right = Filled(16, 16, 0, 0, 0, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint8_t* p = (x < 8 ? left : right).at(x, y);
            p[0] = p[1] = p[2] = 255;
            p[3] = 255;
        }
    }
    const ref::Pic a = Apply(left, Emboss(0, 0));
    // Column 7 is the last opaque one: the window at column 8 has alpha 255 in
    // column 7 and 0 in column 9; at column 7 the columns are 6 and 8.
    EXPECT_EQ(a.at(7, 8)[3], 255);
    EXPECT_EQ(a.at(7, 8)[0], 255 * 246 >> 8);
    const ref::Pic b = Apply(right, Emboss(0, 0));
    EXPECT_EQ(b.at(8, 8)[3], 255);
    EXPECT_EQ(b.at(8, 8)[0], 255 * 66 >> 8);
}

TEST(EmbossBevel, TheTwoOutermostColumnsAndRowsNeverShow) {
    std::mt19937 rng(12);
    ref::Pic pic = RandomPic(rng, 9, 9);
    ref::Pic framed = pic;
    for (int i = 0; i < 9; ++i) {
        for (int ring : {0, 1, 7, 8}) {
            for (int c = 0; c < 4; ++c) {
                framed.at(i, ring)[c] = uint8_t(rng());
                framed.at(ring, i)[c] = uint8_t(rng());
            }
        }
    }
    ref::Pic copy = pic;
    EXPECT_TRUE(SamePicture(Apply(copy, Emboss(45, 3)), Apply(framed, Emboss(45, 3))));
}

TEST(EmbossBevel, MatchesThePlainVersionOnRandomPictures) {
    std::mt19937 rng(13);
    for (int n = 0; n < 80; ++n) {
        ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 24), RandomInt(rng, 1, 24), n % 2 == 0);
        const int azimuth = RandomInt(rng, 0, 359);
        const int size = n % 4 == 0 ? 0 : RandomInt(rng, 0, 20);
        const bool emboss = n % 2 == 1;
        const engine::EmbossBevelParams params = emboss ? Emboss(azimuth, size) : Bevel(azimuth, size);
        ref::Pic expectedSource = pic;
        const ref::Pic expected =
            ref::EmbossBevel(expectedSource, azimuth, params.elevation, params.depth, size);
        const ref::Pic out = Apply(pic, params);
        ASSERT_TRUE(SamePicture(expected, out))
            << (emboss ? "emboss" : "bevel") << " azimuth " << azimuth << " size " << size;
        ASSERT_TRUE(SamePicture(expectedSource, pic)) << "source";
    }
}

TEST(EmbossBevel, FailsWhenItsRastersCannotBeAllocatedButKeepsTheClearedFrame) {
    for (size_t successes : {0, 1}) {
        ref::Pic pic = Filled(6, 6, 5, 5, 5, 255);
        AllocationCountdown countdown(successes);
        engine::EffectResult result = engine::EmbossBevel(MutableViewOf(pic), Emboss(0, 2));
        EXPECT_FALSE(result.succeeded);
        EXPECT_EQ(result.message, "Out of Memory");
        EXPECT_EQ(pic.at(0, 0)[3], 0);
        EXPECT_EQ(pic.at(2, 2)[3], 255);
    }
}

}  // namespace
