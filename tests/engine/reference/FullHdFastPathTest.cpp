// Every fast path against its reference on full-HD pictures, a few settings
// per effect: the long check (CTest label "long").

#include <gtest/gtest.h>

#include <tuple>

#include "engine/AntiFlicker.h"
#include "engine/Border.h"
#include "engine/EmbossBevel.h"
#include "engine/Focus.h"
#include "engine/Grayscale.h"
#include "engine/MagickEffect.h"
#include "engine/Matte.h"
#include "engine/OffsetShadow.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

class FullHd : public ::testing::TestWithParam<Kind> {
protected:
    static Picture Make(Kind kind) {
        std::mt19937 rng(1260 + int(kind));
        return MakePicture(rng, kind, kWidth, kHeight);
    }
    Picture picture = Make(GetParam());
};

TEST_P(FullHd, Blur) {
    using Blur = std::tuple<int32_t, int32_t, bool>;
    for (const auto& [sx, sy, keepOpaque] :
         {Blur{10, 10, false}, Blur{100, 100, false}, Blur{31, 31, true}, Blur{1, 0, false}}) {
        EXPECT_TRUE(SameResult(reference::AntiFlicker(picture.View(), sx, sy, keepOpaque),
                               engine::AntiFlicker(picture.View(), sx, sy, keepOpaque)))
            << sx << ", " << sy << (keepOpaque ? " keep opaque" : "");
    }
}

TEST_P(FullHd, Border) {
    for (const engine::BorderParams& params :
         {engine::BorderParams{10, 10, 70, {200, 100, 50}},
          engine::BorderParams{100, 100, 100, {1, 2, 3}}, engine::BorderParams{3, 0, 50, {}}}) {
        EXPECT_TRUE(SameResult(reference::Border(picture.View(), params),
                               engine::Border(picture.View(), params)))
            << "size " << params.size << " blur " << params.blur;
    }
}

TEST_P(FullHd, OffsetShadow) {
    for (const engine::OffsetShadowParams& params :
         {engine::OffsetShadowParams{20, 20, 20, 60, {10, 20, 30}},
          engine::OffsetShadowParams{-100, 100, 100, 100, {}},
          engine::OffsetShadowParams{7, -3, 0, 40, {255, 0, 0}}}) {
        EXPECT_TRUE(SameResult(reference::OffsetShadow(picture.View(), params),
                               engine::OffsetShadow(picture.View(), params)))
            << "offset " << params.dx << ", " << params.dy << " blur " << params.blur;
    }
}

TEST_P(FullHd, Focus) {
    for (const uint32_t r : {1u, 10u, 50u}) {
        EXPECT_TRUE(
            SameResult(reference::Focus(picture.View(), r), engine::Focus(picture.View(), r)))
            << "radius " << r;
    }
}

TEST_P(FullHd, EmbossBevelAndGrayscale) {
    for (const engine::EmbossBevelParams& params :
         {engine::EmbossBevelParams{45, 60, 1, 20}, engine::EmbossBevelParams{200, 40, 4, 0},
          engine::EmbossBevelParams{90, 40, 4, 7}}) {
        Picture expected = picture;
        Picture actual = picture;
        EXPECT_TRUE(SameResult(reference::EmbossBevel(expected.MutableView(), params),
                               engine::EmbossBevel(actual.MutableView(), params)))
            << "azimuth " << params.azimuth << " size " << params.size;
        EXPECT_EQ(expected.bytes, actual.bytes);
    }
    Picture expected = picture;
    EXPECT_TRUE(SameResult(reference::Grayscale(expected.MutableView()),
                           engine::Grayscale(picture.MutableView())));
    EXPECT_EQ(expected.bytes, picture.bytes);
}

TEST_P(FullHd, MatteAndCrop) {
    std::mt19937 rng(1270);
    const Picture matte = MakePicture(rng, Kind::Shapes, kWidth, kHeight);
    engine::MatteParams crop, matteOnly;
    crop.crop = true, crop.blurX = crop.blurY = 31;
    matteOnly.offsetX = 5, matteOnly.offsetY = 300, matteOnly.inverse = true;
    for (const engine::MatteParams& params : {crop, matteOnly}) {
        EXPECT_TRUE(SameResult(reference::Matte(picture.View(), matte.View(), params),
                               engine::Matte(picture.View(), matte.View(), params)))
            << (params.crop ? "crop" : "matte");
    }
}

TEST_P(FullHd, ImageLibraryInBands) {
    for (const engine::MagickOperation operation :
         {engine::MagickOperation::Blur, engine::MagickOperation::Sharpen,
          engine::MagickOperation::ReduceNoise}) {
        const engine::MagickEffectParams params{operation, 50, {}};
        EXPECT_TRUE(SameResult(engine::MagickEffectOnWholePicture(picture.View(), params),
                               engine::MagickEffect(picture.View(), params)))
            << "operation " << int(operation);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, FullHd, ::testing::Values(Kind::Shapes, Kind::Sparse),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return std::string(info.param == Kind::Shapes ? "Shapes" : "Noise");
                         });

}  // namespace
