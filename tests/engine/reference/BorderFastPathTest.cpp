// The fast border, its stamped layer and the blend of the picture over it,
// against the plain versions byte for byte.

#include <gtest/gtest.h>

#include "engine/BlendOver.h"
#include "engine/Border.h"
#include "engine/BorderStamps.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

engine::EffectColor RandomColour(std::mt19937& rng) {
    return {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
}

TEST(BorderFastPath, MatchesTheReferenceOnEveryKindOfPicture) {
    std::mt19937 rng(1210);
    const uint32_t sizes[] = {0, 1, 2, 3, 5, 7, 10, 16, 25};
    const int32_t blurs[] = {0, 0, 1, 2, 5, 10, 15};
    const int32_t opacities[] = {100, 100, 70, 50, 1, 0, 99};
    for (int round = 0; round < 120; ++round) {
        const Picture picture = RoundPicture(rng, round, 60);
        const engine::BorderParams params{AnyOf(rng, sizes), AnyOf(rng, blurs),
                                          AnyOf(rng, opacities), RandomColour(rng)};
        ASSERT_TRUE(SameResult(reference::Border(picture.View(), params),
                               engine::Border(picture.View(), params)))
            << Described(picture) << " size " << params.size << " blur " << params.blur
            << " opacity " << params.opacityPercent;
    }
}

TEST(BorderFastPath, MatchesTheReferenceAtTheDialogsExtremes) {
    // clang-format off
    const struct { const char* name; uint32_t size; int32_t blur, opacity; } cases[] = {
        {"nothing", 0, 0, 100}, {"blur only", 0, 100, 100}, {"largest size", 100, 0, 100},
        {"largest both", 100, 100, 100}, {"invisible", 40, 3, 0}, {"one pixel", 1, 0, 100},
        {"half", 12, 12, 50}};
    // clang-format on
    std::mt19937 rng(1211);
    for (const auto& c : cases) {
        for (const Kind kind : {Kind::Sparse, Kind::Shapes, Kind::Opaque, Kind::Transparent}) {
            const Picture picture = RandomSized(rng, kind, 30);
            const engine::BorderParams params{c.size, c.blur, c.opacity, RandomColour(rng)};
            ASSERT_TRUE(SameResult(reference::Border(picture.View(), params),
                                   engine::Border(picture.View(), params)))
                << c.name << ", " << Described(picture);
        }
    }
}

TEST(BorderFastPath, CirclePointsAreTheStampsOfTheReference) {
    // Each point stamped alone leaves its own mark on a 1 x 1 silhouette.
    for (const int64_t s : {0, 1, 2, 3, 10, 57, 100}) {
        const std::vector<engine::StampPoint> points = engine::CirclePoints(s);
        ASSERT_EQ(points.size(), size_t(8 * s));
        const Picture dot{1, 1, {0, 0, 0, 1}};
        engine::Raster layer = engine::Raster::AllocateZeroed(1 + 2 * s, 1 + 2 * s);
        engine::Raster expected = engine::Raster::AllocateZeroed(1 + 2 * s, 1 + 2 * s);
        std::vector<uint8_t> scratch(engine::StampScratchBytes(1, 1, s));
        engine::StampLayer(layer.MutableView(), 0, 0, dot.View(), scratch.data(), s, {}, 100);
        for (const engine::StampPoint& p : points) {
            reference::StampRaster(expected.MutableView(), dot.View(), p.x, p.y,
                                   engine::StampMode::AddAlpha);
        }
        ASSERT_TRUE(SameResult(std::move(expected), std::move(layer))) << "radius " << s;
    }
}

TEST(BlendOverLayer, MatchesStampRasterAnywhere) {
    std::mt19937 rng(1212);
    for (int round = 0; round < 200; ++round) {
        const Picture picture = RoundPicture(rng, round, 40);
        Picture layer = MakePicture(rng, kAllKinds[size_t(round / 6) % std::size(kAllKinds)],
                                    RandomSide(rng, 60), RandomSide(rng, 60));
        // Inside, against the edges, wrapping past the right edge, or outside.
        const int64_t x = RandomBetween(rng, -3, std::max(layer.width - picture.width + 3, 0));
        const int64_t y = RandomBetween(rng, -3, std::max(layer.height - picture.height + 3, 0));
        Picture expected = layer;
        reference::StampRaster(expected.MutableView(), picture.View(), x, y,
                               engine::StampMode::BlendOver);
        engine::BlendOverLayer(layer.MutableView(), picture.View(), x, y);
        ASSERT_EQ(expected.bytes, layer.bytes) << Described(picture) << " at " << x << ", " << y
                                               << " on " << layer.width << "x" << layer.height;
    }
}

TEST(BlendOverLayer, EverySourceAlphaSourceByteAndTargetByteBlendsAsOnePixelDoes) {
    // Along each row the colour channels go through every pair of source and
    // target bytes, and the target alphas through every value; pixel k of row
    // r has source alpha r + k (mod 256), so that every alpha meets every
    // pixel and neighbours differ (no eight are all transparent or opaque).
    constexpr int kPairs = 256 * 256;
    constexpr int kWidth = (kPairs + 2) / 3;
    Picture source{kWidth, 256};
    Picture target = source;
    for (int r = 0; r < 256; ++r) {
        for (int k = 0; k < kWidth; ++k) {
            const size_t at = (size_t(r) * kWidth + size_t(k)) * 4;
            for (int c = 0; c < 3; ++c) {
                const int pair = (3 * k + c) % kPairs;
                source.bytes[at + size_t(c)] = uint8_t(pair);
                target.bytes[at + size_t(c)] = uint8_t(pair >> 8);
            }
            source.bytes[at + 3] = uint8_t(r + k);
            target.bytes[at + 3] = uint8_t(k);
        }
    }
    Picture expected = target;
    for (size_t i = 0; i < expected.bytes.size(); i += 4) {
        if (source.bytes[i + 3] != 0)
            reference::BlendPixelOver(&source.bytes[i], &expected.bytes[i]);
    }
    engine::BlendOverLayer(target.MutableView(), source.View(), 0, 0);
    EXPECT_EQ(expected.bytes, target.bytes);
}

}  // namespace
