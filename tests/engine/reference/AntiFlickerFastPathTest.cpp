// The fast blur against the plain one, byte for byte.

#include <gtest/gtest.h>

#include "engine/AntiFlicker.h"
#include "engine/BlurBlock.h"
#include "engine/BlurLine.h"
#include "engine/LayerBlur.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

TEST(AntiFlickerFastPath, MatchesTheReferenceOnEveryKindOfPicture) {
    std::mt19937 rng(1201);
    const int32_t sizes[] = {0, 1, 2, 3, 4, 5, 9, 10, 14, 15, 16, 31, 50, 100};
    for (int round = 0; round < 150; ++round) {
        const Picture picture = RoundPicture(rng, round, 90);
        const int32_t sx = AnyOf(rng, sizes), sy = AnyOf(rng, sizes);
        const bool keepOpaque = round % 3 == 0;
        ASSERT_TRUE(SameResult(reference::AntiFlicker(picture.View(), sx, sy, keepOpaque),
                               engine::AntiFlicker(picture.View(), sx, sy, keepOpaque)))
            << Described(picture) << " sizes " << sx << ", " << sy
            << (keepOpaque ? " keep opaque" : "");
    }
}

TEST(AntiFlickerFastPath, MatchesTheReferenceAtTheSizeExtremes) {
    // clang-format off
    const struct { const char* name; int32_t sx, sy; } cases[] = {
        {"no pass", 0, 0}, {"rows only", 1, 0}, {"columns only", 0, 1}, {"largest", 100, 100},
        {"classes 4 and 5", 4, 5}, {"classes 9 and 10", 10, 9}, {"classes 14 and 15", 14, 15},
        {"largest rows", 100, 0}, {"largest columns", 0, 100}, {"crop softness", 31, 31},
        {"negative rows", -3, 5}, {"negative columns", 6, -2}, {"both negative", -2, -1}};
    // clang-format on
    std::mt19937 rng(1202);
    for (const auto& c : cases) {
        for (const Kind kind : kAllKinds) {
            const Picture picture = RandomSized(rng, kind, 40);
            for (const bool keepOpaque : {false, true}) {
                ASSERT_TRUE(
                    SameResult(reference::AntiFlicker(picture.View(), c.sx, c.sy, keepOpaque),
                               engine::AntiFlicker(picture.View(), c.sx, c.sy, keepOpaque)))
                    << c.name << ", " << Described(picture) << (keepOpaque ? " keep opaque" : "");
            }
        }
    }
}

// A colour layer blurred from its alphas into a larger target at an offset:
// the reference's canvas there, transparent black around it.
TEST(AntiFlickerFastPath, AColourLayerBlursFromItsAlphasAlone) {
    std::mt19937 rng(1203);
    for (int round = 0; round < 60; ++round) {
        // Beyond 128 no colour could be summed in 16 bits.
        const int32_t s = round % 10 == 0  ? RandomBetween(rng, 129, 160)
                          : round % 4 == 0 ? RandomBetween(rng, 17, 100)
                                           : RandomBetween(rng, 1, 16);
        Picture layer = RoundPicture(rng, round, s > 128 ? 8 : 50);
        const engine::EffectColor colour{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        // The layer's colour wherever alpha is not 0; anything where it is.
        Recolour(layer, colour);
        const engine::Result<engine::Raster> expected =
            reference::AntiFlicker(layer.View(), s, s, false);
        ASSERT_TRUE(expected);
        const engine::RasterView canvas = expected.Value().View();
        std::vector<uint8_t> alphas(size_t(layer.width) * size_t(layer.height));
        for (size_t i = 0; i < alphas.size(); ++i) alphas[i] = layer.bytes[i * 4 + 3];
        const int32_t x = RandomBetween(rng, 0, 5), y = RandomBetween(rng, 0, 5);
        Picture target = MakePicture(rng, Kind::Opaque, canvas.width + x + RandomBetween(rng, 0, 5),
                                     canvas.height + y + RandomBetween(rng, 0, 5));
        ASSERT_TRUE(engine::BlurColourLayer({alphas.data(), layer.width, layer.width, layer.height},
                                            s, colour, target.MutableView(), x, y));
        Picture placed{target.width, target.height, std::vector<uint8_t>(target.bytes.size())};
        reference::PlaceRaster(placed.MutableView(), canvas, x, y);
        ASSERT_EQ(placed.bytes, target.bytes)
            << Described(layer) << " size " << s << " at " << x << ", " << y;
    }
}

// One row blurred along itself is the reference's row of the picture, between
// the canvas's margins, by either way of summing alphas.
TEST(BlurLine, SummingByTapsAndBySteps) {
    std::mt19937 rng(1204);
    for (int round = 0; round < 240; ++round) {
        const Kind kind = kAllKinds[round % std::size(kAllKinds)];
        const Picture line = MakePicture(rng, kind, RandomSide(rng, 150), 1);
        const int32_t s = round % 8 == 0 ? RandomBetween(rng, 20, 100) : RandomBetween(rng, 1, 19);
        const bool keepOpaque = round % 2 == 0;
        const engine::Result<engine::Raster> expected =
            reference::AntiFlicker(line.View(), s, 0, keepOpaque);
        ASSERT_TRUE(expected);
        const uint8_t* expectedRow = expected.Value().View().Pixel(2, 2);
        const engine::BlurTaps taps = engine::MakeBlurTaps(s);
        engine::BlurLineScratch scratch;
        ASSERT_TRUE(scratch.Reserve(line.width, s));
        for (const engine::AlphaSums way :
             {engine::AlphaSums::ByTaps, engine::AlphaSums::BySteps}) {
            engine::BlurLineOptions options;
            options.keepOpaque = keepOpaque, options.alphaSums = way;
            std::vector<uint8_t> out(size_t(line.width + 2 * s) * 4);
            engine::BlurLine(line.bytes.data(), line.width, taps, options, scratch, out.data());
            ASSERT_EQ(std::vector<uint8_t>(expectedRow, expectedRow + out.size()), out)
                << Described(line) << " size " << s
                << (way == engine::AlphaSums::ByTaps ? " by taps" : " by steps");
        }
    }
}

// Sixteen rows blurred side by side, each the reference's row, by either way
// of summing alphas.
TEST(BlurBlock, SummingByTapsAndBySteps) {
    std::mt19937 rng(1205);
    for (int round = 0; round < 120; ++round) {
        const Kind kind = kAllKinds[round % std::size(kAllKinds)];
        const int32_t m = RandomSide(rng, 120);
        // A colour layer, blurred from its alphas to its pixels or to alphas,
        // at any size (beyond 512 the kernel has no multipliers).
        const bool layer = round % 5 == 1, toAlphas = round % 10 == 1;
        const int32_t s = round % 60 == 1    ? RandomBetween(rng, 513, 600)
                          : round % 60 == 31 ? RandomBetween(rng, 129, 512)
                          : round % 6 == 0   ? RandomBetween(rng, 20, engine::kMaxBlockSize)
                                             : RandomBetween(rng, 1, 19);
        const bool keepOpaque = round % 2 == 0;
        const engine::EffectColor colour{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        Picture lines = MakePicture(rng, kind, m, engine::kBlockLanes);
        if (layer) Recolour(lines, colour);
        const engine::BlurTaps taps = engine::MakeBlurTaps(s);
        ASSERT_TRUE(engine::BlockBlurs(taps) || layer);
        engine::BlurBlockScratch scratch;
        ASSERT_TRUE(scratch.Reserve(m, s));
        const int64_t outputs = m + 2 * int64_t(s);
        for (const engine::AlphaSums way :
             {engine::AlphaSums::ByTaps, engine::AlphaSums::BySteps}) {
            engine::BlurLineOptions options;
            options.keepOpaque = keepOpaque && !layer, options.alphaSums = way;
            // The lanes hold the rows: pixel j of row l is at (16 j + l) * 4,
            // or its alpha at 16 j + l.
            const int64_t inBytes = layer ? 1 : 4;
            std::vector<uint8_t> in(size_t(m) * engine::kBlockLanes * 4);
            for (int32_t l = 0; l < engine::kBlockLanes; ++l) {
                for (int32_t j = 0; j < m; ++j) {
                    const uint8_t* pixel = lines.View().Pixel(j, l);
                    std::memcpy(&in[size_t((j * engine::kBlockLanes + l) * inBytes)],
                                layer ? pixel + 3 : pixel, size_t(inBytes));
                }
            }
            std::vector<uint8_t> out(size_t(outputs) * engine::kBlockLanes * 4);
            if (layer) {
                const engine::LayerBlockOutput output{!toAlphas,
                                                      uint32_t(colour.blue) |
                                                          uint32_t(colour.green) << 8 |
                                                          uint32_t(colour.red) << 16,
                                                      way};
                engine::BlurLayerBlock(in.data(), engine::kBlockLanes, m, taps, output, scratch,
                                       out.data(), engine::kBlockLanes * (toAlphas ? 1 : 4));
            } else {
                engine::BlurBlock(in.data(), engine::kBlockLanes * 4, m, taps, options, scratch,
                                  out.data(), engine::kBlockLanes * 4);
            }
            for (int32_t l = 0; l < engine::kBlockLanes; ++l) {
                const Picture row{m, 1,
                                  std::vector<uint8_t>(lines.View().Pixel(0, l),
                                                       lines.View().Pixel(0, l) + m * 4)};
                const engine::Result<engine::Raster> expected =
                    reference::AntiFlicker(row.View(), s, 0, options.keepOpaque);
                ASSERT_TRUE(expected);
                const uint8_t* expectedRow = expected.Value().View().Pixel(2, 2);
                for (int64_t o = 0; o < outputs; ++o) {
                    const size_t at = size_t(o * engine::kBlockLanes + l);
                    const bool same = toAlphas
                                          ? expectedRow[o * 4 + 3] == out[at]
                                          : std::memcmp(expectedRow + o * 4, &out[at * 4], 4) == 0;
                    ASSERT_TRUE(same)
                        << KindName(kind) << " length " << m << " size " << s << " lane " << l
                        << " output " << o
                        << (way == engine::AlphaSums::ByTaps ? " by taps" : " by steps")
                        << (layer ? toAlphas ? " layer to alphas" : " layer" : "");
                }
            }
        }
    }
}

}  // namespace
