#include "engine/Border.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

engine::BorderParams Params(uint32_t size, int32_t blur, int32_t opacity,
                            engine::EffectColor color = {255, 0, 0}) {
    engine::BorderParams params;
    params.size = size;
    params.blur = blur;
    params.opacityPercent = opacity;
    params.color = color;
    return params;
}

ref::Pic Apply(const ref::Pic& pic, const engine::BorderParams& params) {
    engine::EffectResult result = engine::Border(ViewOf(pic), params);
    EXPECT_TRUE(result.succeeded) << result.message;
    EXPECT_TRUE(result.message.empty());
    return ToPic(result.output);
}

TEST(Border, SizeZeroWithoutBlurLaysThePictureOverNothing) {
    ref::Pic pic = Filled(3, 2, 10, 20, 30, 255);
    pic.at(1, 1)[3] = 128;
    const ref::Pic out = Apply(pic, Params(0, 0, 100));
    ASSERT_EQ(out.w, 3);
    ASSERT_EQ(out.h, 2);
    EXPECT_EQ(out.at(0, 0)[0], 10);
    EXPECT_EQ(out.at(0, 0)[3], 255);
    EXPECT_EQ(out.at(1, 1)[3], 64);
    EXPECT_LT(out.at(1, 1)[2], 30);
}

TEST(Border, SizeZeroWithBlurShowsOnlyThePictureOnAnEnlargedCanvas) {
    std::mt19937 rng(9);
    ref::Pic pic = RandomPic(rng, 5, 4);
    for (size_t i = 3; i < pic.px.size(); i += 4) pic.px[i] = 255;
    const ref::Pic out = Apply(pic, Params(0, 3, 100));
    ASSERT_EQ(out.w, 5 + 6 + 8);
    ASSERT_EQ(out.h, 4 + 6 + 8);
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            const bool inside = x >= 5 && x < 10 && y >= 5 && y < 9;
            if (inside) {
                for (int c = 0; c < 4; ++c) ASSERT_EQ(out.at(x, y)[c], pic.at(x - 5, y - 5)[c]);
            } else {
                ASSERT_EQ(out.at(x, y)[3], 0) << x << "," << y;
            }
        }
    }
}

TEST(Border, SizeOneStampsLeftAndDownThreeTimesRightAndUpOnce) {
    const ref::Pic pic = Filled(1, 1, 0, 0, 0, 50);
    const ref::Pic out = Apply(pic, Params(1, 0, 100, {1, 2, 3}));
    ASSERT_EQ(out.w, 3);
    ASSERT_EQ(out.h, 3);
    EXPECT_EQ(out.at(0, 1)[3], 150);
    EXPECT_EQ(out.at(1, 0)[3], 150);
    EXPECT_EQ(out.at(2, 1)[3], 50);
    EXPECT_EQ(out.at(1, 2)[3], 50);
    // Stamped pixels take the effect colour (blue, green, red bytes).
    EXPECT_EQ(out.at(2, 1)[0], 3);
    EXPECT_EQ(out.at(2, 1)[1], 2);
    EXPECT_EQ(out.at(2, 1)[2], 1);
    for (const auto& [x, y] : {std::pair{0, 0}, {2, 0}, {0, 2}, {2, 2}}) {
        EXPECT_EQ(out.at(x, y)[3], 0);
        EXPECT_EQ(out.at(x, y)[0], 0);
    }
    // The centre: the picture over a pixel no stamp reached.
    uint8_t expected[4] = {0, 0, 0, 0};
    ref::BlendPixelOver(pic.at(0, 0), expected);
    EXPECT_EQ(out.at(1, 1)[3], expected[3]);
}

TEST(Border, OpacityScalesTheLayersAlpha) {
    const ref::Pic pic = Filled(1, 1, 0, 0, 0, 255);
    EXPECT_EQ(Apply(pic, Params(1, 0, 100)).at(2, 1)[3], 255);
    EXPECT_EQ(Apply(pic, Params(1, 0, 50)).at(2, 1)[3], 127);
    const ref::Pic invisible = Apply(pic, Params(1, 0, 0));
    ASSERT_EQ(invisible.w, 3);
    EXPECT_EQ(invisible.at(2, 1)[3], 0);
    EXPECT_EQ(invisible.at(0, 1)[3], 0);
    EXPECT_EQ(invisible.at(1, 1)[3], 255);
}

TEST(Border, ATransparentBackgroundGetsTheBorderOnlyAroundTheShape) {
    ref::Pic pic = Filled(9, 9, 0, 0, 0, 0);
    pic.at(4, 4)[3] = 255;
    const ref::Pic out = Apply(pic, Params(2, 0, 100));
    int visible = 0;
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            if (out.at(x, y)[3] == 0) continue;
            ++visible;
            EXPECT_LE(std::abs(x - 6) + std::abs(y - 6), 3) << x << "," << y;
        }
    }
    EXPECT_GT(visible, 4);
}

TEST(Border, MatchesThePlainVersionOnRandomPictures) {
    std::mt19937 rng(10);
    for (int n = 0; n < 60; ++n) {
        const ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 16), RandomInt(rng, 1, 16), n % 2 == 0);
        const int s = n % 10 == 0 ? RandomInt(rng, 20, 40) : RandomInt(rng, 0, 8);
        const int b = n % 3 == 0 ? 0 : RandomInt(rng, 1, 12);
        const int opacity = n % 4 == 0 ? 100 : RandomInt(rng, 0, 100);
        const engine::EffectColor color{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        const ref::Pic out = Apply(pic, Params(uint32_t(s), b, opacity, color));
        ASSERT_TRUE(SamePicture(ref::Border(pic, s, b, opacity, color.red, color.green, color.blue),
                                out))
            << "size " << s << " blur " << b << " opacity " << opacity;
    }
}

TEST(Border, FailsWhenALayerCannotBeAllocated) {
    const ref::Pic pic = Filled(4, 4, 1, 2, 3, 255);
    for (size_t successes : {0, 1, 2}) {
        AllocationCountdown countdown(successes);
        engine::EffectResult result = engine::Border(ViewOf(pic), Params(2, 2, 100));
        EXPECT_FALSE(result.succeeded) << successes;
        EXPECT_EQ(result.message, "Out of Memory");
    }
}

}  // namespace

namespace {

TEST(Border, ABlurWithoutItsWorkRasterGoesOnUnblurredWithTheBlursMessage) {
    const ref::Pic pic = Filled(4, 4, 1, 2, 3, 255);
    // Layer, silhouette and the blur's result succeed; the blur's work raster fails.
    AllocationCountdown countdown(3);
    engine::EffectResult result = engine::Border(ViewOf(pic), Params(1, 2, 100));
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.message, "[CPel2dCGCharPByte::anti_flickering] Out of Memory!");
    EXPECT_EQ(result.output.Width(), 4 + 2 + 4 + 8);
}

}  // namespace
