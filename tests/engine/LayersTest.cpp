#include "engine/Layers.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

Px Blend(Px s, Px d) {
    uint8_t src[4], dst[4];
    for (size_t k = 0; k < 4; ++k) src[k] = uint8_t(s[k]), dst[k] = uint8_t(d[k]);
    engine::BlendPixelOver(src, dst);
    return {dst[0], dst[1], dst[2], dst[3]};
}

TEST(BlendPixelOver, WorkedPixels) {
    // An opaque source replaces the destination whatever it was; alpha 128 over
    // transparent gives 128/255 * 128/255 * 255 = 64.25 and colours times 0.502.
    EXPECT_EQ(Blend({1, 2, 3, 255}, {9, 8, 7, 6}), (Px{1, 2, 3, 255}));
    EXPECT_EQ(Blend({250, 0, 17, 255}, {0, 255, 0, 255}), (Px{250, 0, 17, 255}));
    EXPECT_EQ(Blend({200, 100, 255, 128}, {0, 0, 0, 0}), (Px{100, 50, 128, 64}));
}

TEST(BlendPixelOver, MatchesThePlainRuleForEveryAlphaPair) {
    std::mt19937 rng(2);
    for (int sa = 1; sa < 256; ++sa) {
        for (int da = 0; da < 256; da += 3) {
            uint8_t s[4] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(sa)};
            uint8_t d[4] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(da)};
            uint8_t expected[4] = {d[0], d[1], d[2], d[3]};
            reference::BlendPixelOver(s, expected);
            engine::BlendPixelOver(s, d);
            for (int c = 0; c < 4; ++c) ASSERT_EQ(d[c], expected[c]) << sa << " over " << da;
        }
    }
}

TEST(StampRaster, StampAddsAlphaAndRecoloursEvenUnderTransparentPixels) {
    ref::Pic dst = Filled(4, 3, 9, 9, 9, 0);
    const ref::Pic src = Filled(2, 2, 10, 20, 30, 100);
    for (int n = 0; n < 2; ++n)
        engine::StampRaster(dst.MutableView(), src.View(), 1, 1, engine::StampMode::AddAlpha);
    EXPECT_EQ(PixelAt(dst, 1, 1), (Px{10, 20, 30, 200}));
    engine::StampRaster(dst.MutableView(), src.View(), 1, 1, engine::StampMode::AddAlpha);
    EXPECT_EQ(PixelAt(dst, 2, 2), (Px{10, 20, 30, 255}));
    EXPECT_EQ(PixelAt(dst, 0, 0), (Px{9, 9, 9, 0}));
    ref::Pic one = Filled(1, 1, 1, 2, 3, 50);
    engine::StampRaster(one.MutableView(), Filled(1, 1, 7, 8, 9, 0).View(), 0, 0,
                        engine::StampMode::AddAlpha);
    EXPECT_EQ(PixelAt(one, 0, 0), (Px{7, 8, 9, 50}));
}

TEST(StampRaster, BlendingLeavesPixelsUnderTransparentSourcePixelsUntouched) {
    ref::Pic dst = Filled(3, 3, 40, 50, 60, 70);
    ref::Pic src = Filled(3, 3, 200, 200, 200, 0);
    src.at(1, 1)[3] = 255;
    engine::StampRaster(dst.MutableView(), src.View(), 0, 0, engine::StampMode::BlendOver);
    ref::Pic expected = Filled(3, 3, 40, 50, 60, 70);
    Paint(expected, 1, 1, 2, 2, {200, 200, 200, 255});
    EXPECT_TRUE(SamePicture(expected, dst));
}

TEST(PlaceRaster, PlacesNothingFromATooLargeSource) {
    for (const auto& [w, h] : {std::pair{5, 2}, std::pair{4, 4}}) {
        ref::Pic dst(4, 3);
        const ref::Pic src = Filled(w, h, 1, 2, 3, 4);
        engine::PlaceRaster(dst.MutableView(), src.View(), 0, 0);
        engine::StampRaster(dst.MutableView(), src.View(), 0, 0, engine::StampMode::AddAlpha);
        EXPECT_EQ(dst.bytes, ref::Pic(4, 3).bytes);
    }
}

TEST(Layers, MatchThePlainVersionsAtRandomPlaces) {
    std::mt19937 rng(3);
    for (int n = 0; n < 300; ++n) {
        const ref::Pic src = RandomPic(rng, differential::RandomBetween(rng, 0, 13),
                                       differential::RandomBetween(rng, 0, 13));
        ref::Pic expected = RandomPic(rng, differential::RandomBetween(rng, 1, 12),
                                      differential::RandomBetween(rng, 1, 12));
        ref::Pic actual = expected;
        const int x = differential::RandomBetween(rng, -15, 15),
                  y = differential::RandomBetween(rng, -15, 15), op = n % 3;
        if (op == 0) {
            reference::PlaceRaster(expected.MutableView(), src.View(), x, y);
            engine::PlaceRaster(actual.MutableView(), src.View(), x, y);
        } else {
            const auto mode = op == 1 ? engine::StampMode::AddAlpha : engine::StampMode::BlendOver;
            reference::StampRaster(expected.MutableView(), src.View(), x, y, mode);
            engine::StampRaster(actual.MutableView(), src.View(), x, y, mode);
        }
        ASSERT_TRUE(SamePicture(expected, actual))
            << "operation " << op << " at " << x << ", " << y;
    }
}

}  // namespace
