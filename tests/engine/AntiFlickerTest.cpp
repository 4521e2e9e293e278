#include "engine/AntiFlicker.h"

#include <gtest/gtest.h>

#include <numeric>

#include "tests/engine/EffectTestSupport.h"

namespace {

TEST(EffectKernel, SizeZeroIsTheSingleWeightOne) {
    EXPECT_EQ(engine::EffectKernel(0), std::vector<double>{1.0});
}

TEST(EffectKernel, CentreWeightsFollowTheSizeClasses) {
    const std::pair<int, double> cases[] = {{1, 0.8},  {4, 0.8},  {5, 0.6},  {9, 0.6},
                                            {10, 0.2}, {14, 0.2}, {15, 0.02}, {100, 0.02}};
    for (const auto& [size, centre] : cases) {
        const std::vector<double> w = engine::EffectKernel(size);
        ASSERT_EQ(w.size(), size_t(2 * size + 1));
        EXPECT_NEAR(w[size_t(size)], centre, 1e-12) << "size " << size;
        const double side = (1.0 - centre) / 2;
        EXPECT_NEAR(std::accumulate(w.begin(), w.begin() + size, 0.0), side, 1e-12);
        for (int i = 0; i < size; ++i) {
            EXPECT_EQ(w[size_t(i)], w[size_t(2 * size - i)]);
            if (i > 0) {
                EXPECT_GT(w[size_t(i)], w[size_t(i - 1)]);
            }
        }
    }
}

TEST(EffectKernel, MatchesThePlainConstructionBitForBit) {
    for (int size = 0; size <= 100; ++size) {
        EXPECT_EQ(engine::EffectKernel(size), ref::Kernel(size)) << "size " << size;
    }
    const std::vector<double> w = engine::EffectKernel(1);
    EXPECT_EQ(w[0], 0.1);
    EXPECT_EQ(w[1], 1 - 2 * w[0]);
}

TEST(AntiFlicker, SizeZeroOnlyMovesThePictureOntoALargerCanvas) {
    std::mt19937 rng(4);
    const ref::Pic pic = RandomPic(rng, 5, 3);
    engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), 0, 0, false);
    ASSERT_TRUE(result.succeeded);
    EXPECT_TRUE(result.message.empty());
    const ref::Pic out = ToPic(result.output);
    ASSERT_EQ(out.w, 13);
    ASSERT_EQ(out.h, 11);
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 2 && y < 5;
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(out.at(x, y)[c], inside ? pic.at(x - 2, y - 2)[c] : 0) << x << "," << y;
            }
        }
    }
}

TEST(AntiFlicker, OpaqueInteriorAlphaIsCappedAndTheEdgeTakesTheShapesColour) {
    // sx = 1: weights 0.1, 0.8, 0.1; an opaque interior pixel sums 26 + 204 + 26 = 256.
    const ref::Pic pic = Filled(4, 1, 10, 20, 30, 255);
    engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), 1, 0, false);
    ASSERT_TRUE(result.succeeded);
    const ref::Pic out = ToPic(result.output);
    ASSERT_EQ(out.w, 4 + 2 + 8);
    ASSERT_EQ(out.h, 1 + 8);
    // The picture sits at column 3, row 2.
    EXPECT_EQ(out.at(4, 2)[3], 255);
    // The outermost picture pixel: 0 + 204 + 26.
    EXPECT_EQ(out.at(3, 2)[3], 230);
    // The transparent pixel next to the edge: alpha 26 and the edge's colour, not black.
    const uint8_t* fringe = out.at(2, 2);
    EXPECT_EQ(fringe[3], 26);
    EXPECT_EQ(fringe[0], 10);
    EXPECT_EQ(fringe[1], 20);
    EXPECT_EQ(fringe[2], 30);
    // All taps transparent: transparent black.
    const uint8_t* far = out.at(0, 2);
    EXPECT_EQ(far[0] | far[1] | far[2] | far[3], 0);
}

TEST(AntiFlicker, TheResultAlwaysGrowsByTwiceTheSizesAndEight) {
    const ref::Pic pic = Filled(3, 2, 1, 1, 1, 255);
    for (const auto& [sx, sy] : {std::pair{0, 7}, std::pair{7, 0}, std::pair{4, 5}}) {
        engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), sx, sy, false);
        ASSERT_TRUE(result.succeeded);
        EXPECT_EQ(result.output.Width(), 3 + 2 * sx + 8);
        EXPECT_EQ(result.output.Height(), 2 + 2 * sy + 8);
    }
}

TEST(AntiFlicker, KeepOpaqueCopiesAnOpaqueInteriorByteForByte) {
    std::mt19937 rng(5);
    ref::Pic pic = RandomPic(rng, 20, 16);
    for (size_t i = 3; i < pic.px.size(); i += 4) pic.px[i] = 255;
    engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), 1, 1, true);
    ASSERT_TRUE(result.succeeded);
    const ref::Pic out = ToPic(result.output);
    // Pixels at least one tap from the edge see only opaque taps.
    for (int y = 1; y < 15; ++y) {
        for (int x = 1; x < 19; ++x) {
            for (int c = 0; c < 4; ++c) ASSERT_EQ(out.at(x + 3, y + 3)[c], pic.at(x, y)[c]);
        }
    }
    // The edge pixels are recoloured with the mean and get a blurred alpha.
    EXPECT_LT(out.at(3, 3)[3], 255);
}

TEST(AntiFlicker, MatchesThePlainVersionOnRandomPictures) {
    std::mt19937 rng(6);
    for (int n = 0; n < 60; ++n) {
        const ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 24), RandomInt(rng, 1, 24), n % 2 == 0);
        const int sx = n % 7 == 0 ? 0 : RandomInt(rng, 0, 20);
        const int sy = n % 5 == 0 ? 0 : RandomInt(rng, 0, 20);
        const bool keepOpaque = n % 3 == 0;
        engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), sx, sy, keepOpaque);
        ASSERT_TRUE(result.succeeded);
        ASSERT_TRUE(SamePicture(ref::AntiFlicker(pic, sx, sy, keepOpaque), ToPic(result.output)))
            << "sizes " << sx << ", " << sy << (keepOpaque ? ", keep opaque" : "");
    }
}

TEST(AntiFlicker, LargeSizesMatchThePlainVersion) {
    std::mt19937 rng(7);
    const ref::Pic pic = RandomPic(rng, 30, 20);
    engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), 100, 63, false);
    ASSERT_TRUE(result.succeeded);
    EXPECT_TRUE(SamePicture(ref::AntiFlicker(pic, 100, 63, false), ToPic(result.output)));
}

TEST(AntiFlicker, WithoutItsResultItFails) {
    const ref::Pic pic = Filled(3, 3, 1, 2, 3, 255);
    AllocationCountdown countdown(0);
    engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), 2, 2, false);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, "Out of Memory");
}

TEST(AntiFlicker, WithoutItsWorkRasterItReturnsTheUnblurredEnlargedPicture) {
    std::mt19937 rng(8);
    const ref::Pic pic = RandomPic(rng, 6, 4);
    AllocationCountdown countdown(1);
    engine::EffectResult result = engine::AntiFlicker(ViewOf(pic), 3, 2, false);
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.message, "[CPel2dCGCharPByte::anti_flickering] Out of Memory!");
    ref::Pic expected(6 + 2 * 3 + 8, 4 + 2 * 2 + 8);
    ref::PlaceRaster(expected, pic, 3 + 2, 2 + 2);
    EXPECT_TRUE(SamePicture(expected, ToPic(result.output)));
}

}  // namespace
