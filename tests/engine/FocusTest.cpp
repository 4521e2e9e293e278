#include "engine/Focus.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/engine/FocusReference.h"
#include "tests/support/RandomPictures.h"

namespace {

std::vector<uint8_t> RunFocus(const std::vector<uint8_t>& picture, int w, int h, uint32_t r) {
    engine::EffectResult result = engine::Focus({picture.data(), w, h}, r);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.output.Width(), w);
    EXPECT_EQ(result.output.Height(), h);
    const uint8_t* data = result.output.Data();
    return {data, data + result.output.ByteSize()};
}

TEST(Focus, SizeOneAveragesThePixelWithItsLowerNeighbours) {
    // 2 x 2: (x, y) in memory order.
    const std::vector<uint8_t> picture = {
        10, 20, 30, 255,   40, 50, 60, 128,  //
        70, 80, 90, 0,     100, 110, 121, 7,
    };
    const auto out = RunFocus(picture, 2, 2, 1);
    // (0, 0) keeps its colour; the window of (1, 1) is all four pixels.
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4),
              (std::vector<uint8_t>{10, 20, 30, 255}));
    EXPECT_EQ(out[4], (10 + 40) / 2);
    EXPECT_EQ(out[8 + 2], (30 + 90) / 2);
    EXPECT_EQ(out[12 + 0], (10 + 40 + 70 + 100) / 4);
    EXPECT_EQ(out[12 + 2], (30 + 60 + 90 + 121) / 4);  // 75.25 truncated
    EXPECT_EQ(out[12 + 3], 7);                         // alpha untouched
}

TEST(Focus, TransparentBlackDarkensTheInsideOfAnEdgeButKeepsTheOutline) {
    // A white opaque square on transparent black.
    const int w = 8, h = 8;
    std::vector<uint8_t> picture(w * h * 4, 0);
    for (int y = 2; y < 6; ++y) {
        for (int x = 2; x < 6; ++x) {
            uint8_t* p = &picture[(y * w + x) * 4];
            p[0] = p[1] = p[2] = p[3] = 255;
        }
    }
    const auto out = RunFocus(picture, w, h, 1);
    EXPECT_EQ(out[(2 * w + 2) * 4], 255 / 4);  // corner of the square: 1 of 4 is white
    EXPECT_EQ(out[(3 * w + 3) * 4], 255);      // interior stays white
    for (int i = 0; i < w * h; ++i) EXPECT_EQ(out[i * 4 + 3], picture[i * 4 + 3]);
}

TEST(Focus, MatchesThePlainDefinitionOnRandomPictures) {
    std::mt19937 rng(20261205);
    std::uniform_int_distribution<int> side(1, 40);
    std::uniform_int_distribution<int> radius(1, 50);
    for (int round = 0; round < 60; ++round) {
        const int w = side(rng), h = side(rng), r = radius(rng);
        const auto picture = RandomPicture(rng, w, h);
        ASSERT_EQ(RunFocus(picture, w, h, uint32_t(r)), FocusReference(picture, w, h, r))
            << w << "x" << h << " r=" << r;
    }
}

TEST(Focus, FailsCleanlyWhenTheOutputCannotBeAllocated) {
    const std::vector<uint8_t> picture(16 * 16 * 4, 9);
    const size_t previous = engine::SetAllocationLimit(100);
    engine::EffectResult result = engine::Focus({picture.data(), 16, 16}, 3);
    engine::SetAllocationLimit(previous);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, "Out of Memory");
}

}  // namespace
