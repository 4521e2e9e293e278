#include "engine/OffsetShadow.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/engine/EffectTestSupport.h"

namespace {

ref::Pic Apply(const ref::Pic& pic, int32_t dx, int32_t dy, int32_t blur, int32_t opacity,
               engine::EffectColor color = {0, 0, 255}) {
    return Output(engine::OffsetShadow(pic.View(), {dx, dy, blur, opacity, color}));
}

// An opaque picture of one colour; the shadow is blue.
const Px kPicture = {10, 20, 30, 255};
const Px kShadow = {255, 0, 0, 255};
ref::Pic Opaque(int w, int h) { return Filled(w, h, 10, 20, 30, 255); }

TEST(OffsetShadow, NoOffsetNoBlurKeepsTheSizeAndShowsOnlyThroughSemiTransparentPixels) {
    ref::Pic pic = Opaque(4, 3);
    pic.at(2, 1)[3] = 100;
    const ref::Pic out = Apply(pic, 0, 0, 0, 100);
    ASSERT_EQ(SizeOf(out), std::pair(4, 3));
    EXPECT_EQ(PixelAt(out, 0, 0), kPicture);
    uint8_t expected[4] = {255, 0, 0, 100};
    reference::BlendPixelOver(pic.at(2, 1), expected);
    EXPECT_EQ(PixelAt(out, 2, 1), (Px{expected[0], expected[1], expected[2], expected[3]}));
}

TEST(OffsetShadow, TheSignCasesPlaceShadowAndPicture) {
    const int w = 6, h = 4;
    // dx, dy; where the shadow and the picture go.
    const std::tuple<int, int, int, int, int, int> cases[] = {
        {5, 0, 5, 0, 0, 0}, {-5, 3, 0, 0, 5, 3}, {2, -3, 2, 3, 0, 0}};
    for (const auto& [dx, dy, shadowX, shadowY, pictureX, pictureY] : cases) {
        ref::Pic expected(w + std::abs(dx), h + std::abs(dy));
        Paint(expected, shadowX, shadowY, shadowX + w, shadowY + h, kShadow);
        Paint(expected, pictureX, pictureY, pictureX + w, pictureY + h, kPicture);
        EXPECT_TRUE(SamePicture(expected, Apply(Opaque(w, h), dx, dy, 0, 100))) << dx << "," << dy;
    }
}

TEST(OffsetShadow, ABlurredShadowSitsTwoPixelsFurtherIn) {
    const int w = 5, h = 5;
    const ref::Pic out = Apply(Opaque(w, h), 0, 0, 4, 100);
    ASSERT_EQ(SizeOf(out), std::pair(w + 16, h + 16));
    EXPECT_TRUE(SamePicture(Opaque(w, h), Region(out, 4, 4, w, h)));
    // Beyond the picture toward higher columns and rows, the shadow shows.
    EXPECT_GT(out.at(4 + w, 6 + 2)[3], 0);
    EXPECT_GT(out.at(6 + 2, 4 + h)[3], 0);
    EXPECT_EQ(out.at(4 + w, 6 + 2)[0], 255);
    // The blurred silhouette starts at (6, 6): below column 6 - 4 nothing reaches.
    EXPECT_EQ(out.at(1, 8)[3], 0);
}

TEST(OffsetShadow, OpacityZeroLeavesOnlyThePictureOnTheEnlargedCanvas) {
    ref::Pic expected(7, 5);
    Paint(expected, 0, 0, 3, 3, kPicture);
    const ref::Pic out = Apply(Opaque(3, 3), 4, -2, 0, 0);
    ASSERT_EQ(SizeOf(out), std::pair(7, 5));
    for (size_t i = 3; i < out.bytes.size(); i += 4)
        EXPECT_EQ(out.bytes[i], expected.bytes[i]) << i / 4;
}

TEST(OffsetShadow, FailsWithoutALayerAndGoesOnUnblurredWithoutTheBlursWorkingMemory) {
    const ref::Pic pic = Opaque(4, 4);
    for (size_t successes : {0, 1}) {
        AllocationCountdown countdown(successes);
        ExpectOutOfMemory(engine::OffsetShadow(pic.View(), {3, 3, 2, 100, {}}));
        ExpectOutOfMemory(engine::OffsetShadow(pic.View(), {3, 3, 0, 100, {}}));
    }
    // The shadow's alphas and the output succeed; the blur's working memory fails.
    AllocationCountdown countdown(2);
    engine::Result<engine::Raster> result = engine::OffsetShadow(pic.View(), {3, 3, 2, 100, {}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result.Notices(),
              std::vector<std::string>{"[CPel2dCGCharPByte::anti_flickering] Out of Memory!"});
    EXPECT_EQ(result.Value().Width(), 3 + 4 + 4 + 8);
}

}  // namespace
