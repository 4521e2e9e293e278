#include "engine/OffsetShadow.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

engine::OffsetShadowParams Params(int32_t dx, int32_t dy, int32_t blur, int32_t opacity,
                                  engine::EffectColor color = {0, 0, 255}) {
    engine::OffsetShadowParams params;
    params.dx = dx;
    params.dy = dy;
    params.blur = blur;
    params.opacityPercent = opacity;
    params.color = color;
    return params;
}

ref::Pic Apply(const ref::Pic& pic, const engine::OffsetShadowParams& params) {
    engine::EffectResult result = engine::OffsetShadow(ViewOf(pic), params);
    EXPECT_TRUE(result.succeeded) << result.message;
    return ToPic(result.output);
}

// An opaque picture whose pixels are all of one colour; the shadow is another.
ref::Pic Opaque(int w, int h) { return Filled(w, h, 10, 20, 30, 255); }

bool IsShadow(const uint8_t* p) { return p[0] == 255 && p[1] == 0 && p[2] == 0 && p[3] == 255; }
bool IsPicture(const uint8_t* p) { return p[0] == 10 && p[1] == 20 && p[2] == 30 && p[3] == 255; }

// Checks that the picture covers exactly [px, px + w) x [py, py + h) and the
// unblurred shadow the rest of [sx, sx + w) x [sy, sy + h).
void ExpectLayout(const ref::Pic& out, int w, int h, int sx, int sy, int px, int py) {
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            const bool picture = x >= px && x < px + w && y >= py && y < py + h;
            const bool shadow = x >= sx && x < sx + w && y >= sy && y < sy + h;
            const uint8_t* p = out.at(x, y);
            if (picture) {
                ASSERT_TRUE(IsPicture(p)) << x << "," << y;
            } else if (shadow) {
                ASSERT_TRUE(IsShadow(p)) << x << "," << y;
            } else {
                ASSERT_EQ(p[3], 0) << x << "," << y;
            }
        }
    }
}

TEST(OffsetShadow, NoOffsetNoBlurKeepsTheSizeAndShowsOnlyThroughSemiTransparentPixels) {
    ref::Pic pic = Opaque(4, 3);
    pic.at(2, 1)[3] = 100;
    const ref::Pic out = Apply(pic, Params(0, 0, 0, 100));
    ASSERT_EQ(out.w, 4);
    ASSERT_EQ(out.h, 3);
    EXPECT_TRUE(IsPicture(out.at(0, 0)));
    uint8_t expected[4] = {255, 0, 0, 100};
    ref::BlendPixelOver(pic.at(2, 1), expected);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(out.at(2, 1)[c], expected[c]);
}

TEST(OffsetShadow, TheFourSignCasesPlaceShadowAndPicture) {
    const int w = 6, h = 4;
    const ref::Pic pic = Opaque(w, h);
    {
        SCOPED_TRACE("dx 5, dy 0");
        const ref::Pic out = Apply(pic, Params(5, 0, 0, 100));
        ASSERT_EQ(out.w, w + 5);
        ASSERT_EQ(out.h, h);
        ExpectLayout(out, w, h, 5, 0, 0, 0);
    }
    {
        SCOPED_TRACE("dx -5, dy 3");
        const ref::Pic out = Apply(pic, Params(-5, 3, 0, 100));
        ASSERT_EQ(out.w, w + 5);
        ASSERT_EQ(out.h, h + 3);
        ExpectLayout(out, w, h, 0, 0, 5, 3);
    }
    {
        SCOPED_TRACE("dx 2, dy -3");
        const ref::Pic out = Apply(pic, Params(2, -3, 0, 100));
        ASSERT_EQ(out.w, w + 2);
        ASSERT_EQ(out.h, h + 3);
        ExpectLayout(out, w, h, 2, 3, 0, 0);
    }
    {
        SCOPED_TRACE("dx -4, dy -1");
        const ref::Pic out = Apply(pic, Params(-4, -1, 0, 100));
        ExpectLayout(out, w, h, 0, 1, 4, 0);
    }
    {
        SCOPED_TRACE("dx 3, dy 2");
        const ref::Pic out = Apply(pic, Params(3, 2, 0, 100));
        ASSERT_EQ(out.w, w + 3);
        ASSERT_EQ(out.h, h + 2);
        ExpectLayout(out, w, h, 3, 0, 0, 2);
    }
}

TEST(OffsetShadow, ABlurredShadowSitsTwoPixelsFurtherIn) {
    const int w = 5, h = 5;
    const ref::Pic pic = Opaque(w, h);
    const ref::Pic out = Apply(pic, Params(0, 0, 4, 100));
    ASSERT_EQ(out.w, w + 16);
    ASSERT_EQ(out.h, h + 16);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) ASSERT_TRUE(IsPicture(out.at(x + 4, y + 4)));
    }
    // Beyond the picture toward higher columns and rows, the shadow shows.
    EXPECT_GT(out.at(4 + w, 6 + 2)[3], 0);
    EXPECT_GT(out.at(6 + 2, 4 + h)[3], 0);
    EXPECT_EQ(out.at(4 + w, 6 + 2)[0], 255);
    // The blurred silhouette starts at (6, 6): below column 6 - 4 nothing reaches.
    EXPECT_EQ(out.at(1, 8)[3], 0);
}

TEST(OffsetShadow, OpacityZeroLeavesOnlyThePictureOnTheEnlargedCanvas) {
    const ref::Pic pic = Opaque(3, 3);
    const ref::Pic out = Apply(pic, Params(4, -2, 0, 0));
    ASSERT_EQ(out.w, 7);
    ASSERT_EQ(out.h, 5);
    for (int y = 0; y < out.h; ++y) {
        for (int x = 0; x < out.w; ++x) {
            const bool picture = x < 3 && y < 3;
            EXPECT_EQ(out.at(x, y)[3], picture ? 255 : 0) << x << "," << y;
        }
    }
}

TEST(OffsetShadow, MatchesThePlainVersionOnRandomPictures) {
    std::mt19937 rng(11);
    for (int n = 0; n < 80; ++n) {
        const ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 16), RandomInt(rng, 1, 16), n % 2 == 0);
        const int dx = n % 9 == 0 ? RandomInt(rng, -100, 100) : RandomInt(rng, -10, 10);
        const int dy = n % 9 == 0 ? RandomInt(rng, -100, 100) : RandomInt(rng, -10, 10);
        const int b = n % 3 == 0 ? 0 : RandomInt(rng, 1, 12);
        const int opacity = n % 4 == 0 ? 100 : RandomInt(rng, 0, 100);
        const engine::EffectColor color{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        const ref::Pic out = Apply(pic, Params(dx, dy, b, opacity, color));
        ASSERT_TRUE(SamePicture(
            ref::OffsetShadow(pic, dx, dy, b, opacity, color.red, color.green, color.blue), out))
            << "offset " << dx << ", " << dy << " blur " << b << " opacity " << opacity;
    }
}

TEST(OffsetShadow, FailsWhenALayerCannotBeAllocated) {
    const ref::Pic pic = Opaque(4, 4);
    for (size_t successes : {0, 1, 3}) {
        AllocationCountdown countdown(successes);
        engine::EffectResult result = engine::OffsetShadow(ViewOf(pic), Params(3, 3, 2, 100));
        EXPECT_FALSE(result.succeeded) << successes;
        EXPECT_EQ(result.message, "Out of Memory");
    }
}

}  // namespace
