#pragma once
// Glue between the plain reference pictures and the engine's rasters.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/EffectResult.h"
#include "tests/engine/EffectReferences.h"
#include "tests/support/RandomPictures.h"

inline engine::RasterView ViewOf(const ref::Pic& pic) { return {pic.px.data(), pic.w, pic.h}; }
inline engine::MutableRasterView MutableViewOf(ref::Pic& pic) {
    return {pic.px.data(), pic.w, pic.h};
}

inline ref::Pic ToPic(const engine::Raster& raster) {
    const uint8_t* data = raster.Data();
    return ref::Pic(raster.Width(), raster.Height(),
                    std::vector<uint8_t>(data, data + raster.ByteSize()));
}

inline ref::Pic RandomPic(std::mt19937& rng, int w, int h, bool sparseAlpha = true) {
    return ref::Pic(w, h, RandomPicture(rng, w, h, sparseAlpha));
}

inline ref::Pic Filled(int w, int h, uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
    ref::Pic pic(w, h);
    for (size_t i = 0; i < pic.px.size(); i += 4) {
        pic.px[i] = b;
        pic.px[i + 1] = g;
        pic.px[i + 2] = r;
        pic.px[i + 3] = a;
    }
    return pic;
}

inline int RandomInt(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Where two pictures first differ, for a readable failure.
inline ::testing::AssertionResult SamePicture(const ref::Pic& expected, const ref::Pic& actual) {
    if (expected.w != actual.w || expected.h != actual.h) {
        return ::testing::AssertionFailure()
               << "size " << actual.w << "x" << actual.h << ", expected " << expected.w << "x"
               << expected.h;
    }
    for (size_t i = 0; i < expected.px.size(); ++i) {
        if (expected.px[i] != actual.px[i]) {
            const size_t pixel = i / 4;
            return ::testing::AssertionFailure()
                   << "first difference at column " << pixel % size_t(expected.w) << ", row "
                   << pixel / size_t(expected.w) << ", byte " << i % 4 << ": "
                   << int(actual.px[i]) << ", expected " << int(expected.px[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

// Restores the allocation countdown at the end of a test.
class AllocationCountdown {
public:
    explicit AllocationCountdown(size_t successes)
        : m_previous(engine::SetAllocationsBeforeFailure(successes)) {}
    ~AllocationCountdown() { engine::SetAllocationsBeforeFailure(m_previous); }
    AllocationCountdown(const AllocationCountdown&) = delete;
    AllocationCountdown& operator=(const AllocationCountdown&) = delete;

private:
    size_t m_previous;
};
