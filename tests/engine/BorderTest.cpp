#include "engine/Border.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

ref::Pic Apply(const ref::Pic& pic, uint32_t size, int32_t blur, int32_t opacity,
               engine::EffectColor color = {255, 0, 0}) {
    return Output(engine::Border(pic.View(), {size, blur, opacity, color}));
}

TEST(Border, SizeZeroLaysThePictureOverNothingOnACanvasEnlargedOnlyForTheBlur) {
    // An opaque pixel stays; one of alpha 128 comes out with alpha 64 and its
    // colours times 0.502.
    ref::Pic pic = Filled(3, 2, 10, 20, 30, 255);
    pic.at(1, 1)[3] = 128;
    ref::Pic expected = Filled(3, 2, 10, 20, 30, 255);
    Paint(expected, 1, 1, 2, 2, {5, 10, 15, 64});
    EXPECT_TRUE(SamePicture(expected, Apply(pic, 0, 0, 100)));
    // With blur 3 the picture sits at (5, 5) of (W + 6 + 8) x (H + 6 + 8), nothing else visible.
    pic = SeededPic(9, 5, 4, 255);
    expected = ref::Pic(5 + 6 + 8, 4 + 6 + 8);
    reference::PlaceRaster(expected.MutableView(), pic.View(), 5, 5);
    EXPECT_TRUE(SamePicture(expected, Visible(Apply(pic, 0, 3, 100))));
}

TEST(Border, SizeOneStampsLeftAndDownThreeTimesRightAndUpOnce) {
    // Stamped pixels take the effect colour (blue, green, red bytes); the centre
    // is the picture (alpha 50) over a pixel no stamp reached: alpha 9.
    ref::Pic expected(3, 3);
    Paint(expected, 0, 1, 1, 2, {3, 2, 1, 150});
    Paint(expected, 1, 0, 2, 1, {3, 2, 1, 150});
    Paint(expected, 2, 1, 3, 2, {3, 2, 1, 50});
    Paint(expected, 1, 2, 2, 3, {3, 2, 1, 50});
    Paint(expected, 1, 1, 2, 2, {0, 0, 0, 9});
    EXPECT_TRUE(SamePicture(expected, Apply(Filled(1, 1, 0, 0, 0, 50), 1, 0, 100, {1, 2, 3})));
}

TEST(Border, OpacityScalesTheLayersAlpha) {
    const ref::Pic pic = Filled(1, 1, 0, 0, 0, 255);
    EXPECT_EQ(Apply(pic, 1, 0, 100).at(2, 1)[3], 255);
    EXPECT_EQ(Apply(pic, 1, 0, 50).at(2, 1)[3], 127);
    const ref::Pic invisible = Apply(pic, 1, 0, 0);
    ASSERT_EQ(invisible.width, 3);
    EXPECT_EQ((std::tuple{invisible.at(2, 1)[3], invisible.at(0, 1)[3]}), (std::tuple{0, 0}));
    EXPECT_EQ(invisible.at(1, 1)[3], 255);
}

TEST(Border, ATransparentBackgroundGetsTheBorderOnlyAroundTheShape) {
    ref::Pic pic = Filled(9, 9, 0, 0, 0, 0);
    pic.at(4, 4)[3] = 255;
    const ref::Pic out = Apply(pic, 2, 0, 100);
    int visible = 0;
    for (int i = 0; i < out.width * out.height; ++i) {
        if (out.bytes[size_t(i) * 4 + 3] == 0) continue;
        ++visible;
        EXPECT_LE(std::abs(i % out.width - 6) + std::abs(i / out.width - 6), 3) << "pixel " << i;
    }
    EXPECT_GT(visible, 4);
}

TEST(Border, FailsWithoutALayerAndGoesOnUnblurredWithoutTheBlursWorkingMemory) {
    const ref::Pic pic = Filled(4, 4, 1, 2, 3, 255);
    for (size_t successes : {0, 1, 2}) {
        AllocationCountdown countdown(successes);
        ExpectOutOfMemory(engine::Border(pic.View(), {2, 2, 100, {}}));
    }
    // Layer, silhouette and the blur's result succeed; the blur's working memory
    // fails: the unblurred border on the blur's canvas, at blur + 2.
    const ref::Pic unblurred = Apply(pic, 1, 0, 100, {});
    ref::Pic expected(4 + 2 + 4 + 8, 4 + 2 + 4 + 8);
    reference::PlaceRaster(expected.MutableView(), unblurred.View(), 4, 4);
    AllocationCountdown countdown(3);
    engine::Result<engine::Raster> result = engine::Border(pic.View(), {1, 2, 100, {}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result.Notices(),
              std::vector<std::string>{"[CPel2dCGCharPByte::anti_flickering] Out of Memory!"});
    EXPECT_TRUE(SamePicture(expected, ToPic(result.Value())));
}

}  // namespace
