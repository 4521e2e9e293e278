#pragma once
// Pictures for the effects' tests: a plain pixel array with the engine's
// layout, views of it for the engine and the references, and comparisons.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/Raster.h"
#include "engine/Result.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"
#include "tests/support/AllocationGuards.h"
#include "tests/support/RandomPictures.h"

namespace ref {
// W x H pixels, B, G, R, A, bottom row first.
using Pic = differential::Picture;
}  // namespace ref

inline ref::Pic ToPic(const engine::Raster& raster) {
    const uint8_t* data = raster.Data();
    return ref::Pic(raster.Width(), raster.Height(),
                    std::vector<uint8_t>(data, data + raster.ByteSize()));
}

// The output of an effect that must succeed without a message.
inline ref::Pic Output(const engine::Result<engine::Raster>& result) {
    EXPECT_TRUE(result) << result.Error();
    EXPECT_TRUE(result.Notices().empty()) << result.Notices().front();
    return result ? ToPic(result.Value()) : ref::Pic(0, 0);
}

inline void ExpectOutOfMemory(const engine::Result<engine::Raster>& result) {
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Error(), "Out of Memory");
}

// One pixel's B, G, R, A, for comparing whole pixels in one assertion.
using Px = std::array<int, 4>;
inline Px PixelAt(const ref::Pic& pic, int x, int y) {
    const uint8_t* p = pic.at(x, y);
    return {p[0], p[1], p[2], p[3]};
}

inline std::vector<uint8_t> Alphas(const ref::Pic& pic) {
    std::vector<uint8_t> alphas;
    for (size_t i = 3; i < pic.bytes.size(); i += 4) alphas.push_back(pic.bytes[i]);
    return alphas;
}

// The picture with the colour of fully transparent pixels cleared: what shows.
inline ref::Pic Visible(ref::Pic pic) {
    for (size_t i = 0; i < pic.bytes.size(); i += 4) {
        if (pic.bytes[i + 3] == 0) pic.bytes[i] = pic.bytes[i + 1] = pic.bytes[i + 2] = 0;
    }
    return pic;
}

// Sets columns x0 .. x1 - 1 of rows y0 .. y1 - 1 to the pixel v.
inline void Paint(ref::Pic& pic, int x0, int y0, int x1, int y1, Px v) {
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            for (int k = 0; k < 4; ++k) pic.at(x, y)[k] = uint8_t(v[size_t(k)]);
        }
    }
}

// The w x h pixels of the picture from column x0, row y0 on.
inline ref::Pic Region(const ref::Pic& pic, int x0, int y0, int w, int h) {
    ref::Pic region(w, h);
    for (int y = 0; y < h; ++y) std::copy_n(pic.at(x0, y0 + y), size_t(w) * 4, region.at(0, y));
    return region;
}

inline ref::Pic Filled(int w, int h, uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    ref::Pic pic(w, h);
    Paint(pic, 0, 0, w, h, {b, g, r, a});
    return pic;
}

inline ref::Pic RandomPic(std::mt19937& rng, int w, int h, bool sparseAlpha = true) {
    return ref::Pic(w, h, RandomPicture(rng, w, h, sparseAlpha));
}

// A random picture of its own seed; with an alpha, every pixel has that alpha.
inline ref::Pic SeededPic(uint32_t seed, int w, int h, int alpha = -1) {
    std::mt19937 rng(seed);
    ref::Pic pic = RandomPic(rng, w, h);
    for (size_t i = 3; alpha >= 0 && i < pic.bytes.size(); i += 4) pic.bytes[i] = uint8_t(alpha);
    return pic;
}

inline std::pair<int, int> SizeOf(const ref::Pic& pic) { return {pic.width, pic.height}; }

// Where two pictures first differ, for a readable failure.
inline ::testing::AssertionResult SamePicture(const ref::Pic& expected, const ref::Pic& actual) {
    if (expected.width != actual.width || expected.height != actual.height) {
        return ::testing::AssertionFailure()
               << "size " << actual.width << "x" << actual.height << ", expected " << expected.width
               << "x" << expected.height;
    }
    return differential::SameBytes(expected.bytes.data(), actual.bytes.data(), expected.width,
                                   expected.height);
}
