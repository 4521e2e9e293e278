#include "engine/AntiFlicker.h"

#include <gtest/gtest.h>

#include <numeric>

#include "tests/engine/EffectTestSupport.h"

namespace {

ref::Pic Blur(const ref::Pic& pic, int sx, int sy, bool keepOpaque = false) {
    return Output(engine::AntiFlicker(pic.View(), sx, sy, keepOpaque));
}

TEST(EffectKernel, CentreWeightsFollowTheSizeClassesAndSidesRampUp) {
    const std::pair<int, double> cases[] = {{0, 1.0},  {1, 0.8},  {4, 0.8},   {5, 0.6},   {9, 0.6},
                                            {10, 0.2}, {14, 0.2}, {15, 0.02}, {100, 0.02}};
    for (const auto& [size, centre] : cases) {
        SCOPED_TRACE(size);
        const std::vector<double> w = engine::EffectKernel(size);
        ASSERT_EQ(w.size(), size_t(2 * size + 1));
        EXPECT_NEAR(w[size_t(size)], centre, 1e-12);
        EXPECT_NEAR(std::accumulate(w.begin(), w.begin() + size, 0.0), (1.0 - centre) / 2, 1e-12);
        for (size_t i = 0; i < size_t(size); ++i) {
            EXPECT_EQ(w[i], w[2 * size_t(size) - i]);
            EXPECT_TRUE(i == 0 || w[i] > w[i - 1]) << "the side weights rise toward the centre";
        }
    }
    for (int size = 0; size <= 100; ++size) {
        EXPECT_EQ(engine::EffectKernel(size), reference::EffectKernel(size)) << "size " << size;
    }
}

TEST(AntiFlicker, SizeZeroOnlyMovesThePictureOntoACanvasEightLarger) {
    const ref::Pic pic = SeededPic(4, 5, 3);
    ref::Pic moved(13, 11);
    reference::PlaceRaster(moved.MutableView(), pic.View(), 2, 2);
    EXPECT_TRUE(SamePicture(moved, Blur(pic, 0, 0)));
}

TEST(AntiFlicker, OpaqueInteriorAlphaIsCappedAndTheEdgeTakesTheShapesColour) {
    // sx = 1: weights 0.1, 0.8, 0.1; an opaque interior pixel sums 26 + 204 + 26 = 256.
    const ref::Pic out = Blur(Filled(4, 1, 10, 20, 30, 255), 1, 0);
    ASSERT_EQ(SizeOf(out), std::pair(4 + 2 + 8, 1 + 8));
    // The picture sits at column 3, row 2.
    EXPECT_EQ(out.at(4, 2)[3], 255);
    EXPECT_EQ(out.at(3, 2)[3], 230);  // the outermost picture pixel: 0 + 204 + 26
    // Next to the edge: alpha 26 and the edge's colour, not black; all taps
    // transparent: transparent black.
    EXPECT_EQ(PixelAt(out, 2, 2), (Px{10, 20, 30, 26}));
    EXPECT_EQ(PixelAt(out, 0, 2), (Px{0, 0, 0, 0}));
}

TEST(AntiFlicker, KeepOpaqueCopiesAnOpaqueInteriorByteForByte) {
    const ref::Pic pic = SeededPic(5, 20, 16, 255);
    const ref::Pic out = Blur(pic, 1, 1, true);
    // Pixels at least one tap from the edge see only opaque taps.
    EXPECT_TRUE(SamePicture(Region(pic, 1, 1, 18, 14), Region(out, 4, 4, 18, 14)));
    EXPECT_LT(out.at(3, 3)[3], 255);  // the edge gets a blurred alpha
}

}  // namespace
