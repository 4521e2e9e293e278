#pragma once
// Pictures and comparisons for testing the fast paths against the references:
// random pictures of every kind of alpha, shapes with long runs and soft
// edges, and a byte-for-byte comparison that says where two rasters differ.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/EffectColor.h"
#include "engine/Raster.h"
#include "engine/Result.h"
#include "tests/support/RandomPictures.h"

namespace differential {

enum class Kind { Sparse, AnyAlpha, Transparent, Opaque, Shapes, Flat };

inline const char* KindName(Kind kind) {
    const char* names[] = {"sparse", "any alpha", "transparent", "opaque", "shapes", "flat"};
    return names[int(kind)];
}

inline constexpr Kind kAllKinds[] = {Kind::Sparse, Kind::AnyAlpha, Kind::Transparent,
                                     Kind::Opaque, Kind::Shapes,   Kind::Flat};

// A picture as the engine takes it, bottom row first, with its bytes and, when
// it was made at random, its kind; without bytes, transparent black.
struct Picture {
    Picture() = default;
    Picture(int32_t w, int32_t h) : width(w), height(h), bytes(size_t(w) * size_t(h) * 4) {}
    Picture(int32_t w, int32_t h, std::vector<uint8_t> b, Kind k = Kind::AnyAlpha)
        : width(w), height(h), bytes(std::move(b)), kind(k) {}

    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bytes;
    Kind kind = Kind::AnyAlpha;

    engine::RasterView View() const { return {bytes.data(), width, height}; }
    engine::MutableRasterView MutableView() { return {bytes.data(), width, height}; }
    uint8_t* at(long x, long y) { return &bytes[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    const uint8_t* at(long x, long y) const {
        return &bytes[(size_t(y) * size_t(width) + size_t(x)) * 4];
    }
};

// Opaque and soft-edged discs and bars on a transparent background that holds
// stray colours, with a few specks: long runs of equal alpha, as in graphics.
inline void PaintShapes(std::mt19937& rng, Picture& picture) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double w = picture.width;
    const double h = picture.height;
    const double cx = w * unit(rng), cy = h * unit(rng);
    const double radius = std::max(w, h) * (0.1 + 0.4 * unit(rng));
    const double edge = 1.0 + 6.0 * unit(rng);
    const int barTop = int(h * unit(rng)), barHeight = 1 + int(h * 0.3 * unit(rng));
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            uint8_t* p = &picture.bytes[(size_t(y) * size_t(picture.width) + size_t(x)) * 4];
            const double d = std::hypot(x - cx, y - cy);
            int alpha = 0;
            if (y >= barTop && y < barTop + barHeight && x > w * 0.3) {
                alpha = x < w * 0.8 ? 255 : 128;
                p[0] = 30, p[1] = 140, p[2] = 240;
            } else if (d < radius) {
                alpha = d < radius - edge ? 255 : int(255 * (radius - d) / edge);
                p[0] = 200, p[1] = uint8_t(x), p[2] = uint8_t(y);
            } else if (unit(rng) < 0.01) {
                alpha = int(256 * unit(rng));
            }
            p[3] = uint8_t(alpha);
        }
    }
}

inline Picture MakePicture(std::mt19937& rng, Kind kind, int32_t width, int32_t height) {
    Picture picture{width, height, RandomPicture(rng, width, height, kind == Kind::Sparse), kind};
    auto alphas = [&](auto alphaOf) {
        for (size_t i = 3; i < picture.bytes.size(); i += 4) picture.bytes[i] = alphaOf();
    };
    switch (kind) {
        case Kind::Sparse:
        case Kind::AnyAlpha: break;
        case Kind::Transparent: alphas([] { return uint8_t(0); }); break;
        case Kind::Opaque: alphas([] { return uint8_t(255); }); break;
        case Kind::Shapes: PaintShapes(rng, picture); break;
        case Kind::Flat: {
            uint8_t pixel[4];
            for (uint8_t& b : pixel) b = uint8_t(rng());
            for (size_t i = 0; i < picture.bytes.size(); i += 4)
                std::memcpy(&picture.bytes[i], pixel, 4);
            break;
        }
    }
    return picture;
}

// Where two pictures' bytes first differ, for a readable failure.
inline ::testing::AssertionResult SameBytes(const uint8_t* expected, const uint8_t* actual,
                                            int64_t width, int64_t height) {
    for (size_t i = 0; i < size_t(width * height * 4); ++i) {
        if (expected[i] != actual[i]) {
            const size_t pixel = i / 4;
            return ::testing::AssertionFailure()
                   << "first difference at column " << pixel % size_t(width) << ", row "
                   << pixel / size_t(width) << ", byte " << i % 4 << ": " << int(actual[i])
                   << ", expected " << int(expected[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

// The same outcome, notices and picture, for a readable failure.
inline ::testing::AssertionResult SameResult(const engine::Result<engine::Raster>& expected,
                                             const engine::Result<engine::Raster>& actual) {
    if (expected.Ok() != actual.Ok() || expected.Error() != actual.Error() ||
        expected.Notices() != actual.Notices()) {
        return ::testing::AssertionFailure()
               << "outcome '" << actual.Error() << "' with " << actual.Notices().size()
               << " notices, expected '" << expected.Error() << "' with "
               << expected.Notices().size();
    }
    if (!expected.Ok()) return ::testing::AssertionSuccess();
    const engine::Raster& e = expected.Value();
    const engine::Raster& a = actual.Value();
    if (e.Width() != a.Width() || e.Height() != a.Height()) {
        return ::testing::AssertionFailure() << "size " << a.Width() << "x" << a.Height()
                                             << ", expected " << e.Width() << "x" << e.Height();
    }
    return SameBytes(e.Data(), a.Data(), e.Width(), e.Height());
}

inline int RandomBetween(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// One of the values, at random.
template <class T, size_t N>
T AnyOf(std::mt19937& rng, const T (&values)[N]) {
    return values[size_t(RandomBetween(rng, 0, int(N) - 1))];
}

// A size from 1 up to `most`, often odd, now and then tiny.
inline int32_t RandomSide(std::mt19937& rng, int most) {
    const int pick = RandomBetween(rng, 0, 9);
    if (pick == 0) return RandomBetween(rng, 1, 3);
    return RandomBetween(rng, 1, most) | (pick % 2);
}

// A picture of the kind, each side up to `most`.
inline Picture RandomSized(std::mt19937& rng, Kind kind, int most) {
    return MakePicture(rng, kind, RandomSide(rng, most), RandomSide(rng, most));
}

// The picture of a random round: the kinds in turn, each side up to `most`.
inline Picture RoundPicture(std::mt19937& rng, int round, int most) {
    return RandomSized(rng, kAllKinds[size_t(round) % std::size(kAllKinds)], most);
}

// The colour wherever alpha is not 0, as in a layer of one colour.
inline void Recolour(Picture& picture, const engine::EffectColor& colour) {
    for (size_t i = 0; i < picture.bytes.size(); i += 4) {
        if (picture.bytes[i + 3] != 0) {
            picture.bytes[i] = colour.blue, picture.bytes[i + 1] = colour.green;
            picture.bytes[i + 2] = colour.red;
        }
    }
}

// "shapes 12x7", for a failure's message.
inline std::string Described(const Picture& picture) {
    return std::string(KindName(picture.kind)) + " " + std::to_string(picture.width) + "x" +
           std::to_string(picture.height);
}

}  // namespace differential
