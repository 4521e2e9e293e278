// The fast offset shadow against the plain one, byte for byte.

#include <gtest/gtest.h>

#include "engine/OffsetShadow.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

TEST(OffsetShadowFastPath, MatchesTheReferenceOnEveryKindOfPicture) {
    std::mt19937 rng(1220);
    const int32_t blurs[] = {0, 0, 1, 2, 4, 10, 16};
    const int32_t opacities[] = {100, 60, 0, 1, 99};
    for (int round = 0; round < 120; ++round) {
        const Picture picture = RoundPicture(rng, round, 60);
        engine::OffsetShadowParams params;
        params.dx = RandomBetween(rng, -30, 30), params.dy = RandomBetween(rng, -30, 30);
        params.blur = AnyOf(rng, blurs), params.opacityPercent = AnyOf(rng, opacities);
        params.color = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        ASSERT_TRUE(SameResult(reference::OffsetShadow(picture.View(), params),
                               engine::OffsetShadow(picture.View(), params)))
            << Described(picture) << " offset " << params.dx << ", " << params.dy << " blur "
            << params.blur << " opacity " << params.opacityPercent;
    }
}

TEST(OffsetShadowFastPath, MatchesTheReferenceAtTheDialogsExtremes) {
    // clang-format off
    const struct { const char* name; int32_t dx, dy, blur, opacity; } cases[] = {
        {"under the picture", 0, 0, 0, 100}, {"far right and down", 100, 100, 0, 100},
        {"far left and up", -100, -100, 100, 100}, {"largest blur", 0, 0, 100, 60},
        {"invisible", 7, -3, 5, 0}, {"mixed signs", -100, 100, 20, 40},
        {"other signs", 100, -100, 1, 99}};
    // clang-format on
    std::mt19937 rng(1221);
    for (const auto& c : cases) {
        for (const Kind kind : {Kind::Sparse, Kind::Shapes, Kind::Opaque, Kind::Transparent}) {
            const Picture picture = RandomSized(rng, kind, 30);
            const engine::OffsetShadowParams params{
                c.dx, c.dy, c.blur, c.opacity, {uint8_t(rng()), uint8_t(rng()), 7}};
            ASSERT_TRUE(SameResult(reference::OffsetShadow(picture.View(), params),
                                   engine::OffsetShadow(picture.View(), params)))
                << c.name << ", " << Described(picture);
        }
    }
}

}  // namespace
