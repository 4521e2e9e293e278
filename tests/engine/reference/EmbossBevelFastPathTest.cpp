// The fast emboss and bevel lighting against the plain one, byte for byte,
// the cleared frame of the source included.

#include <gtest/gtest.h>

#include "engine/EmbossBevel.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

void ExpectSameLighting(Picture picture, const engine::EmbossBevelParams& params,
                        const std::string& what) {
    Picture expectedSource = picture;
    ASSERT_TRUE(SameResult(reference::EmbossBevel(expectedSource.MutableView(), params),
                           engine::EmbossBevel(picture.MutableView(), params)))
        << what;
    ASSERT_EQ(expectedSource.bytes, picture.bytes) << what << ": the source";
}

TEST(EmbossBevelFastPath, MatchesTheReferenceOnEveryKindOfPicture) {
    std::mt19937 rng(1240);
    for (int round = 0; round < 160; ++round) {
        Picture picture = RoundPicture(rng, round, 70);
        const bool bevel = round % 2 == 0;
        const engine::EmbossBevelParams params{RandomBetween(rng, 0, 359), bevel ? 40 : 60,
                                               bevel ? 4 : 1, RandomBetween(rng, 0, 20)};
        ExpectSameLighting(picture, params,
                           Described(picture) + " azimuth " + std::to_string(params.azimuth) +
                               " size " + std::to_string(params.size) +
                               (bevel ? " bevel" : " emboss"));
    }
}

TEST(EmbossBevelFastPath, MatchesTheReferenceAtTheExtremes) {
    // clang-format off
    const struct { const char* name; engine::EmbossBevelParams params; } cases[] = {
        {"emboss, no enlargement", {0, 60, 1, 0}}, {"bevel, largest", {359, 40, 4, 20}},
        {"straight up", {90, 60, 1, 5}}, {"from the left", {180, 40, 4, 1}},
        {"window beyond the picture", {45, 60, 1, 300}}, {"no light from above", {270, 0, 1, 3}},
        {"flat normal", {10, 60, 1000000, 2}}};
    // clang-format on
    std::mt19937 rng(1241);
    for (const auto& c : cases) {
        for (const Kind kind : kAllKinds) {
            const Picture picture = RandomSized(rng, kind, 40);
            ExpectSameLighting(picture, c.params, std::string(c.name) + ", " + Described(picture));
        }
    }
}

}  // namespace
