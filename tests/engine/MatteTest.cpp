#include "engine/Matte.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

engine::MatteParams Params(bool crop, int ox = 0, int oy = 0, bool inverse = false,
                           bool useAlpha = false, int blurX = 0, int blurY = 0) {
    engine::MatteParams params;
    params.offsetX = ox;
    params.offsetY = oy;
    params.inverse = inverse;
    params.useAlpha = useAlpha;
    params.crop = crop;
    params.blurX = blurX;
    params.blurY = blurY;
    return params;
}

ref::Pic Apply(const ref::Pic& pic, const ref::Pic& matte, const engine::MatteParams& params) {
    engine::EffectResult result = engine::Matte(ViewOf(pic), ViewOf(matte), params);
    EXPECT_TRUE(result.succeeded) << result.message;
    return ToPic(result.output);
}

ref::Pic White(int w, int h) { return Filled(w, h, 255, 255, 255, 0); }
ref::Pic Black(int w, int h) { return Filled(w, h, 0, 0, 0, 0); }

TEST(MatteValue, LuminanceOrFourthByte) {
    const uint8_t q[4] = {255, 0, 0, 77};  // blue
    EXPECT_EQ(engine::MatteValue(q, false), 28);
    EXPECT_EQ(engine::MatteValue(q, true), 77);
    const uint8_t white[4] = {255, 255, 255, 0};
    EXPECT_EQ(engine::MatteValue(white, false), 255);
}

TEST(Matte, ASmallerMatteLeavesEverythingBeyondItTransparentBlack) {
    std::mt19937 rng(21);
    const ref::Pic pic = RandomPic(rng, 8, 6);
    const ref::Pic out = Apply(pic, White(5, 4), Params(false));
    ASSERT_EQ(out.w, 8);
    ASSERT_EQ(out.h, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t* o = out.at(x, y);
            if (x < 5 && y < 4) {
                // A white matte makes the covered area opaque, whatever the picture's alpha.
                EXPECT_EQ(o[3], 255);
                for (int c = 0; c < 3; ++c) EXPECT_EQ(o[c], pic.at(x, y)[c]);
            } else {
                EXPECT_EQ(o[0] | o[1] | o[2] | o[3], 0) << x << "," << y;
            }
        }
    }
}

TEST(Matte, ABlackMatteMakesTheCoveredAreaTransparentBlack) {
    std::mt19937 rng(22);
    const ref::Pic out = Apply(RandomPic(rng, 4, 4), Black(4, 4), Params(false));
    for (uint8_t byte : out.px) EXPECT_EQ(byte, 0);
}

TEST(Matte, InverseMakesPixelsBeyondTheMattesEdgeOpaque) {
    std::mt19937 rng(23);
    const ref::Pic pic = RandomPic(rng, 6, 6);
    // With offset 3, the pictures pixels 3 .. 5 are read through matte pixels
    // beyond its 4 x 4 area for outputs 1 .. 2; matte value 0, inverted to 255.
    const ref::Pic out = Apply(pic, White(4, 4), Params(false, 3, 0, true));
    EXPECT_EQ(out.at(0, 0)[3], 0);  // matte pixel (3, 0) is white
    EXPECT_EQ(out.at(1, 0)[3], 255);
    EXPECT_EQ(out.at(2, 0)[0], pic.at(5, 0)[0]);
    // Reading past the picture's own edge leaves transparent black.
    EXPECT_EQ(out.at(3, 0)[3], 0);
}

TEST(Matte, CropWithNoSelectedPixelLeavesAllTransparentBlackUncut) {
    std::mt19937 rng(24);
    // A selection mask is black wherever its red byte is 0.
    const ref::Pic out = Apply(RandomPic(rng, 6, 5), Black(6, 5), Params(true));
    ASSERT_EQ(out.w, 6);
    ASSERT_EQ(out.h, 5);
    for (uint8_t byte : out.px) EXPECT_EQ(byte, 0);
}

TEST(Matte, CropWithASelectionOnePixelWideIsNotCut) {
    ref::Pic pic = Filled(6, 5, 1, 2, 3, 255);
    ref::Pic matte = Black(6, 5);
    for (int y = 1; y < 4; ++y) matte.at(2, y)[0] = matte.at(2, y)[1] = matte.at(2, y)[2] = 255;
    const ref::Pic out = Apply(pic, matte, Params(true));
    ASSERT_EQ(out.w, 6);
    ASSERT_EQ(out.h, 5);
    EXPECT_EQ(out.at(2, 2)[3], 255);
}

TEST(Matte, CropIsCutToTheSelectionsBox) {
    std::mt19937 rng(25);
    ref::Pic pic = RandomPic(rng, 10, 8);
    for (size_t i = 3; i < pic.px.size(); i += 4) pic.px[i] = 200;
    ref::Pic matte = Black(10, 8);
    for (int y = 2; y <= 5; ++y) {
        for (int x = 3; x <= 7; ++x) matte.at(x, y)[0] = matte.at(x, y)[1] = matte.at(x, y)[2] = 255;
    }
    const ref::Pic out = Apply(pic, matte, Params(true));
    ASSERT_EQ(out.w, 5);
    ASSERT_EQ(out.h, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            // A full selection keeps the picture's alpha.
            for (int c = 0; c < 4; ++c) EXPECT_EQ(out.at(x, y)[c], pic.at(x + 3, y + 2)[c]);
        }
    }
}

TEST(Matte, CropSoftnessGrowsByTenAndOnlyTheEdgeIsBlurred) {
    std::mt19937 rng(26);
    ref::Pic pic = RandomPic(rng, 12, 12);
    for (size_t i = 3; i < pic.px.size(); i += 4) pic.px[i] = 255;
    ref::Pic matte = Black(12, 12);
    for (int y = 2; y <= 9; ++y) {
        for (int x = 2; x <= 9; ++x) matte.at(x, y)[0] = matte.at(x, y)[1] = matte.at(x, y)[2] = 255;
    }
    const ref::Pic out = Apply(pic, matte, Params(true, 0, 0, false, false, 1, 1));
    ASSERT_EQ(out.w, 8 + 10);
    ASSERT_EQ(out.h, 8 + 10);
    // The cut sits at (3, 3); its opaque interior is copied unchanged.
    for (int y = 1; y < 7; ++y) {
        for (int x = 1; x < 7; ++x) {
            for (int c = 0; c < 4; ++c) ASSERT_EQ(out.at(x + 3, y + 3)[c], pic.at(x + 2, y + 2)[c]);
        }
    }
    EXPECT_LT(out.at(3, 3)[3], 255);
    EXPECT_GT(out.at(2, 5)[3], 0);
}

TEST(Matte, TheBoxGrowsOnlyFromRedPixelsAlsoWithTheFourthChannel) {
    ref::Pic pic = Filled(8, 8, 9, 9, 9, 255);
    ref::Pic matte = Filled(8, 8, 255, 255, 0, 0);  // opaque, no red
    matte.at(1, 1)[2] = 1;
    matte.at(4, 6)[2] = 1;
    const ref::Pic out = Apply(pic, matte, Params(true, 0, 0, false, true));
    // Fourth byte 0 everywhere: nothing is kept, but the box is cut from the red pixels.
    ASSERT_EQ(out.w, 4);
    ASSERT_EQ(out.h, 6);
    for (size_t i = 3; i < out.px.size(); i += 4) EXPECT_EQ(out.px[i], 0);
}

TEST(Matte, CropMultipliesThePicturesAlpha) {
    ref::Pic pic = Filled(3, 3, 10, 20, 30, 200);
    ref::Pic matte = Filled(3, 3, 128, 128, 128, 0);
    const ref::Pic out = Apply(pic, matte, Params(true));
    EXPECT_EQ(out.at(1, 1)[3], int(float(128 / 255.0 * 200)));
    // Without crop the matte value replaces it.
    EXPECT_EQ(Apply(pic, matte, Params(false)).at(1, 1)[3], 128);
}

TEST(Matte, MatchesThePlainVersionOnRandomPicturesAndMattes) {
    std::mt19937 rng(27);
    for (int n = 0; n < 150; ++n) {
        const ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 20), RandomInt(rng, 1, 20));
        ref::Pic matte = RandomPic(rng, RandomInt(rng, 1, 24), RandomInt(rng, 1, 24), n % 2 == 0);
        // Mattes are mostly black and white with a few grays, like selections.
        if (n % 3 == 0) {
            for (size_t i = 0; i < matte.px.size(); i += 4) {
                const uint8_t v = matte.px[i] < 100 ? 0 : matte.px[i] < 200 ? 255 : matte.px[i];
                matte.px[i] = matte.px[i + 1] = matte.px[i + 2] = v;
            }
        }
        const bool crop = n % 2 == 1;
        const int ox = n % 5 == 0 ? 0 : RandomInt(rng, 0, 25);
        const int oy = n % 5 == 0 ? 0 : RandomInt(rng, 0, 25);
        const bool inverse = RandomInt(rng, 0, 1) == 1;
        const bool useAlpha = RandomInt(rng, 0, 1) == 1;
        const int blurX = n % 4 == 0 ? 0 : RandomInt(rng, 0, 31);
        const int blurY = n % 4 == 0 ? 0 : RandomInt(rng, 0, 31);
        const ref::Pic out = Apply(pic, matte, Params(crop, ox, oy, inverse, useAlpha, blurX, blurY));
        ASSERT_TRUE(SamePicture(
            ref::Matte(pic, matte, ox, oy, inverse, useAlpha, crop, blurX, blurY), out))
            << "crop " << crop << " offsets " << ox << "," << oy << " inverse " << inverse
            << " alpha " << useAlpha << " blur " << blurX << "," << blurY;
    }
}

TEST(Matte, FailsWhenItsRastersCannotBeAllocated) {
    ref::Pic pic = Filled(6, 6, 1, 2, 3, 255);
    ref::Pic matte = Black(6, 6);
    for (int y = 1; y < 5; ++y) {
        for (int x = 1; x < 5; ++x) matte.at(x, y)[2] = 255;
    }
    for (size_t successes : {0, 1, 2}) {
        AllocationCountdown countdown(successes);
        engine::EffectResult result =
            engine::Matte(ViewOf(pic), ViewOf(matte), Params(true, 0, 0, false, false, 1, 1));
        EXPECT_FALSE(result.succeeded) << successes;
        EXPECT_EQ(result.message, "Out of Memory");
    }
}

}  // namespace
