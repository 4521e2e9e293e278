// The image library's effects in bands against one call on the whole
// picture, byte for byte.

#include <gtest/gtest.h>

#include "engine/MagickBands.h"
#include "engine/MagickEffect.h"
#include "tests/engine/reference/DifferentialPictures.h"

namespace {

using namespace differential;
using engine::MagickOperation;

TEST(MagickBands, OnlyOperationsThatLookAtNearbyRowsAreBanded) {
    const std::pair<MagickOperation, bool> cases[] = {
        {MagickOperation::Blur, true},        {MagickOperation::Sharpen, true},
        {MagickOperation::ReduceNoise, true}, {MagickOperation::Charcoal, false},
        {MagickOperation::AddNoise, false},   {MagickOperation::Jitter, false},
        {MagickOperation::Swirl, false},      {MagickOperation::Implode, false},
        {MagickOperation::Contrast, false},   {MagickOperation::Colorize, false},
        {MagickOperation::Solarize, false},   {MagickOperation::None, false}};
    for (const auto& [operation, banded] : cases) {
        EXPECT_EQ(engine::BandedOperation(operation), banded) << int(operation);
    }
}

TEST(MagickBands, GiveTheBytesOfOneCallOnTheWholePicture) {
    std::mt19937 rng(1280);
    const std::pair<int32_t, int32_t> sizes[] = {{300, 260}, {97, 513}, {2, 400}, {180, 301}};
    for (const MagickOperation operation :
         {MagickOperation::Blur, MagickOperation::Sharpen, MagickOperation::ReduceNoise}) {
        for (const double pct : {0.0, 10.0, 37.0, 50.0, 100.0}) {
            const auto [w, h] = AnyOf(rng, sizes);
            const Picture picture = MakePicture(rng, AnyOf(rng, kAllKinds), w, h);
            const engine::MagickEffectParams params{operation, pct, {}};
            ASSERT_TRUE(engine::MagickEffectInBands(picture.View(), params).has_value());
            ASSERT_TRUE(SameResult(engine::MagickEffectOnWholePicture(picture.View(), params),
                                   engine::MagickEffect(picture.View(), params)))
                << "operation " << int(operation) << " Pct " << pct << ", " << Described(picture);
        }
    }
}

TEST(MagickBands, SmallPicturesAreNotSplit) {
    std::mt19937 rng(1281);
    const Picture picture = MakePicture(rng, Kind::Sparse, 40, 30);
    EXPECT_FALSE(engine::MagickEffectInBands(picture.View(), {MagickOperation::Blur, 50, {}}));
    EXPECT_FALSE(engine::MagickEffectInBands(picture.View(), {MagickOperation::Swirl, 50, {}}));
}

}  // namespace
