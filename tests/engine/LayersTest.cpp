#include "engine/Layers.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

TEST(BlendPixelOver, AnOpaqueSourceReplacesTheDestination) {
    std::mt19937 rng(1);
    for (int n = 0; n < 2000; ++n) {
        uint8_t s[4] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 255};
        uint8_t d[4] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        engine::BlendPixelOver(s, d);
        for (int c = 0; c < 4; ++c) ASSERT_EQ(d[c], s[c]) << "byte " << c;
    }
}

TEST(BlendPixelOver, HalfAlphaOverTransparentGetsQuarterAlphaAndDarker) {
    const uint8_t s[4] = {200, 100, 255, 128};
    uint8_t d[4] = {0, 0, 0, 0};
    engine::BlendPixelOver(s, d);
    // 128/255 * 128/255 * 255 = 64.25
    EXPECT_EQ(d[3], 64);
    // Each colour is multiplied by about 0.502.
    EXPECT_EQ(d[0], 100);
    EXPECT_EQ(d[1], 50);
    EXPECT_EQ(d[2], 128);
}

TEST(BlendPixelOver, MatchesThePlainRuleForEveryAlphaPair) {
    std::mt19937 rng(2);
    for (int sa = 1; sa < 256; ++sa) {
        for (int da = 0; da < 256; da += 3) {
            uint8_t s[4] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(sa)};
            uint8_t d[4] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(da)};
            uint8_t expected[4] = {d[0], d[1], d[2], d[3]};
            ref::BlendPixelOver(s, expected);
            engine::BlendPixelOver(s, d);
            for (int c = 0; c < 4; ++c) ASSERT_EQ(d[c], expected[c]) << sa << " over " << da;
        }
    }
}

TEST(StampRaster, StampingTwiceDoublesAlphaAndKeepsTheStampedColour) {
    ref::Pic dst = Filled(4, 3, 9, 9, 9, 0);
    const ref::Pic src = Filled(2, 2, 10, 20, 30, 100);
    engine::StampRaster(MutableViewOf(dst), ViewOf(src), 1, 1, true);
    engine::StampRaster(MutableViewOf(dst), ViewOf(src), 1, 1, true);
    EXPECT_EQ(dst.at(1, 1)[3], 200);
    EXPECT_EQ(dst.at(1, 1)[0], 10);
    EXPECT_EQ(dst.at(2, 2)[2], 30);
    engine::StampRaster(MutableViewOf(dst), ViewOf(src), 1, 1, true);
    EXPECT_EQ(dst.at(2, 1)[3], 255);
    // Outside the stamp nothing changed.
    EXPECT_EQ(dst.at(0, 0)[0], 9);
    EXPECT_EQ(dst.at(0, 0)[3], 0);
}

TEST(StampRaster, StampingAlsoRecoloursUnderTransparentSourcePixels) {
    ref::Pic dst = Filled(2, 1, 1, 2, 3, 50);
    const ref::Pic src = Filled(1, 1, 7, 8, 9, 0);
    engine::StampRaster(MutableViewOf(dst), ViewOf(src), 0, 0, true);
    EXPECT_EQ(dst.at(0, 0)[0], 7);
    EXPECT_EQ(dst.at(0, 0)[3], 50);
}

TEST(StampRaster, BlendingLeavesPixelsUnderTransparentSourcePixelsUntouched) {
    ref::Pic dst = Filled(3, 3, 40, 50, 60, 70);
    ref::Pic src = Filled(3, 3, 200, 200, 200, 0);
    src.at(1, 1)[3] = 255;
    engine::StampRaster(MutableViewOf(dst), ViewOf(src), 0, 0, false);
    EXPECT_EQ(dst.at(1, 1)[0], 200);
    EXPECT_EQ(dst.at(1, 1)[3], 255);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            if (x == 1 && y == 1) continue;
            EXPECT_EQ(dst.at(x, y)[0], 40);
            EXPECT_EQ(dst.at(x, y)[3], 70);
        }
    }
}

TEST(PlaceRaster, ASourceWiderOrTallerThanTheDestinationPlacesNothing) {
    for (const auto& [w, h] : {std::pair{5, 2}, std::pair{4, 4}}) {
        ref::Pic dst(4, 3);
        const ref::Pic src = Filled(w, h, 1, 2, 3, 4);
        engine::PlaceRaster(MutableViewOf(dst), ViewOf(src), 0, 0);
        engine::StampRaster(MutableViewOf(dst), ViewOf(src), 0, 0, true);
        EXPECT_EQ(dst.px, ref::Pic(4, 3).px);
    }
}

TEST(PlaceRaster, ARowPastTheRightEdgeContinuesOnTheNextRow) {
    ref::Pic dst(4, 3);
    const ref::Pic src = Filled(2, 1, 1, 2, 3, 4);
    engine::PlaceRaster(MutableViewOf(dst), ViewOf(src), 3, 0);
    EXPECT_EQ(dst.at(3, 0)[3], 4);
    EXPECT_EQ(dst.at(0, 1)[3], 4);
    // Pixels whose index falls outside the raster are skipped.
    ref::Pic low(4, 3);
    engine::PlaceRaster(MutableViewOf(low), ViewOf(src), -1, 0);
    EXPECT_EQ(low.at(0, 0)[3], 4);
    ref::Pic high(4, 3);
    engine::PlaceRaster(MutableViewOf(high), ViewOf(src), 3, 2);
    EXPECT_EQ(high.at(3, 2)[3], 4);
}

TEST(Layers, MatchThePlainVersionsAtRandomPlaces) {
    std::mt19937 rng(3);
    for (int n = 0; n < 300; ++n) {
        const int dw = RandomInt(rng, 1, 12);
        const int dh = RandomInt(rng, 1, 12);
        const int sw = RandomInt(rng, 0, 13);
        const int sh = RandomInt(rng, 0, 13);
        const ref::Pic src = RandomPic(rng, sw, sh);
        const ref::Pic start = RandomPic(rng, dw, dh);
        const int x = RandomInt(rng, -15, 15);
        const int y = RandomInt(rng, -15, 15);
        const int op = n % 3;
        ref::Pic expected = start;
        ref::Pic actual = start;
        if (op == 0) {
            ref::PlaceRaster(expected, src, x, y);
            engine::PlaceRaster(MutableViewOf(actual), ViewOf(src), x, y);
        } else {
            ref::StampRaster(expected, src, x, y, op == 1);
            engine::StampRaster(MutableViewOf(actual), ViewOf(src), x, y, op == 1);
        }
        ASSERT_TRUE(SamePicture(expected, actual)) << "operation " << op << " at " << x << ", " << y;
    }
}

}  // namespace
