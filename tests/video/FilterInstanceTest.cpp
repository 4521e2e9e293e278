// The video filters without a video tool: how frei0r values become settings,
// the cut of a result to the frame, where the graphic stays, and failures.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "tests/support/AllocationGuards.h"
#include "tests/support/RandomPictures.h"
#include "video/FilterInstance.h"
#include "video/FrameRows.h"

namespace {

using video::FilterInstance;

FilterInstance Instance(const char* name, int32_t width = 8, int32_t height = 8) {
    const video::VideoFilter* filter = video::FindVideoFilter(name);
    EXPECT_NE(filter, nullptr) << name;
    return FilterInstance(*filter, width, height);
}

TEST(VideoFilterParams, ValuesBecomeTheEffectsSettingsAndReadBackAsTheSame) {
    // clang-format off
    struct Row { const char* what; const char* filter; int index; double value; int32_t setting; }
    rows[] = {
        {"border size in hundredths", "tintora-border", 0, 0.06, 6},
        {"to the nearest pixel", "tintora-border", 1, 0.036, 4},
        {"held to the range", "tintora-motion-blur", 1, -0.2, 0},
        {"shadow offset to the right", "tintora-shadow", 0, 0.54, 8},
        {"shadow offset up", "tintora-shadow", 1, 0.0, -100},
        {"a full turn is 0", "tintora-bevel", 1, 1.0, 0},
        {"focus at least 1", "tintora-focus", 0, 0.0, 1},
        {"emboss size at most 20", "tintora-emboss", 0, 0.5, 20},
        {"direction in turns", "tintora-bevel", 1, 0.375, 135},
        {"backwards goes round", "tintora-emboss", 1, -0.25, 270},
        {"absurd values held", "tintora-border", 2, 1e300, 100},
        {"not a number changes nothing", "tintora-focus", 0, std::nan(""), 1}
    };
    // clang-format on
    for (const Row& row : rows) {
        FilterInstance instance = Instance(row.filter);
        instance.SetNumber(row.index, row.value);
        EXPECT_EQ(instance.Settings().values[size_t(row.index)], row.setting) << row.what;
        FilterInstance again = Instance(row.filter);
        again.SetNumber(row.index, instance.Number(row.index));
        EXPECT_EQ(again.Settings().values[size_t(row.index)], row.setting) << row.what;
    }
}

// The frame-sized window of a result, pixel by pixel.
std::vector<uint8_t> PlainWindow(const std::vector<uint8_t>& result, int32_t rw, int32_t rh,
                                 int64_t x, int64_t y, int32_t width, int32_t height) {
    std::vector<uint8_t> frame(size_t(width) * size_t(height) * 4, 0);
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = 0; column < width; ++column) {
            const int64_t rx = x + column, ry = y + row;
            if (rx < 0 || ry < 0 || rx >= rw || ry >= rh) continue;
            std::memcpy(&frame[(size_t(height - 1 - row) * size_t(width) + size_t(column)) * 4],
                        &result[(size_t(ry) * size_t(rw) + size_t(rx)) * 4], 4);
        }
    }
    return frame;
}

TEST(FrameRows, AWindowAnywhereOnTheResultMatchesThePlainCut) {
    std::mt19937 rng(13);
    const std::vector<uint8_t> result = RandomPicture(rng, 7, 5);
    const engine::RasterView view{result.data(), 7, 5};
    for (int64_t x = -7; x <= 8; ++x) {
        for (int64_t y = -5; y <= 6; ++y) {
            std::vector<uint8_t> frame(6 * 4 * 4, 0xAB);
            video::FrameFromWindow(view, x, y, frame.data(), 6, 4);
            ASSERT_EQ(frame, PlainWindow(result, 7, 5, x, y, 6, 4)) << x << ", " << y;
        }
    }
}

TEST(FilterInstance, BorderAndShadowLeaveTheGraphicWhereItWas) {
    // clang-format off
    struct Row { const char* what; const char* filter; std::vector<double> values; } rows[] = {
        {"border", "tintora-border", {0.05, 0.0}}, {"blurred border", "tintora-border", {0.04, 0.03}},
        {"shadow right and down", "tintora-shadow", {0.56, 0.53, 0.0}},
        {"shadow left and up, blurred", "tintora-shadow", {0.4, 0.45, 0.02}},
        {"shadow left and down, blurred", "tintora-shadow", {0.3, 0.6, 0.05}}
    };
    // clang-format on
    // Opaque pixels all over: the picture is laid over the colour layer, so each stays as it was.
    std::mt19937 rng(5);
    const std::vector<uint8_t> in = RandomPicture(rng, 64, 48);
    for (const Row& row : rows) {
        FilterInstance instance = Instance(row.filter, 64, 48);
        for (size_t i = 0; i < row.values.size(); ++i) instance.SetNumber(int(i), row.values[i]);
        std::vector<uint8_t> out(in.size());
        ASSERT_TRUE(instance.Render(in.data(), out.data()).Ok()) << row.what;
        for (size_t i = 0; i < in.size(); i += 4) {
            if (in[i + 3] != 255) continue;
            ASSERT_EQ(std::memcmp(&in[i], &out[i], 4), 0) << row.what << ", pixel " << i / 4;
        }
    }
}

TEST(FilterInstance, WithoutMemoryForTheEffectTheFramePassesThrough) {
    std::mt19937 rng(5);
    const std::vector<uint8_t> in = RandomPicture(rng, 64, 48);
    for (size_t successes : {0, 1}) {  // the frame's raster, then the effect's own
        FilterInstance instance = Instance("tintora-border", 64, 48);
        instance.SetNumber(0, 0.05);
        std::vector<uint8_t> out(in.size());
        const AllocationCountdown countdown(successes);
        const engine::Result<> rendered = instance.Render(in.data(), out.data());
        EXPECT_EQ(rendered.Error(), "Out of Memory") << successes;
        EXPECT_EQ(out, in) << successes;
    }
}

}  // namespace
