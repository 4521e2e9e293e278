#include "engine/Grayscale.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

TEST(Grayscale, WorkedLuminances) {
    EXPECT_EQ(engine::GrayscaleLuminance(255, 0, 0), 77);
    EXPECT_EQ(engine::GrayscaleLuminance(0, 255, 0), 150);
    EXPECT_EQ(engine::GrayscaleLuminance(0, 0, 255), 28);
    EXPECT_EQ(engine::GrayscaleLuminance(255, 255, 255), 255);
    EXPECT_EQ(engine::GrayscaleLuminance(0, 0, 0), 0);
}

TEST(Grayscale, ConvertsThePictureInPlaceAndCopiesIt) {
    ref::Pic pic = Filled(2, 1, 0, 0, 255, 17);  // pure red, blue first
    pic.at(1, 0)[0] = 255;
    pic.at(1, 0)[2] = 0;  // pure blue
    engine::EffectResult result = engine::Grayscale(MutableViewOf(pic));
    ASSERT_TRUE(result.succeeded);
    const ref::Pic out = ToPic(result.output);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(out.at(0, 0)[c], 77);
        EXPECT_EQ(out.at(1, 0)[c], 28);
    }
    EXPECT_EQ(out.at(0, 0)[3], 17);
    EXPECT_EQ(out.px, pic.px);
}

TEST(Grayscale, MatchesThePlainVersionOnRandomPictures) {
    std::mt19937 rng(14);
    for (int n = 0; n < 20; ++n) {
        ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 40), RandomInt(rng, 1, 40), false);
        ref::Pic expected = pic;
        ref::Grayscale(expected);
        engine::EffectResult result = engine::Grayscale(MutableViewOf(pic));
        ASSERT_TRUE(result.succeeded);
        ASSERT_TRUE(SamePicture(expected, ToPic(result.output)));
        ASSERT_TRUE(SamePicture(expected, pic));
    }
}

TEST(Grayscale, WithoutItsOutputThePictureStaysAsItWas) {
    std::mt19937 rng(15);
    ref::Pic pic = RandomPic(rng, 5, 5);
    const ref::Pic before = pic;
    AllocationCountdown countdown(0);
    engine::EffectResult result = engine::Grayscale(MutableViewOf(pic));
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, "Out of Memory");
    EXPECT_EQ(pic.px, before.px);
}

}  // namespace
