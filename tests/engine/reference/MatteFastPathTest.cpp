// The fast matte and crop, and the fast grayscale, against the plain ones,
// byte for byte.

#include <gtest/gtest.h>

#include "engine/Grayscale.h"
#include "engine/Matte.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

// A selection mask as the crop dialog writes it: white inside a rectangle.
Picture Selection(std::mt19937& rng, int32_t width, int32_t height) {
    Picture mask{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 4, 0)};
    const int x0 = RandomBetween(rng, 0, width - 1), x1 = RandomBetween(rng, x0, width - 1);
    const int y0 = RandomBetween(rng, 0, height - 1), y1 = RandomBetween(rng, y0, height - 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) std::memset(mask.MutableView().Pixel(x, y), 255, 3);
    }
    return mask;
}

TEST(MatteFastPath, MatchesTheReferenceOnEveryKindOfPictureAndMatte) {
    std::mt19937 rng(1250);
    for (int round = 0; round < 360; ++round) {
        const Picture picture = RoundPicture(rng, round, 60);
        // Mattes smaller and larger than the picture, of any content.
        const int32_t mw = RandomSide(rng, 80), mh = RandomSide(rng, 80);
        const Picture matte = round % 3 == 0
                                  ? Selection(rng, mw, mh)
                                  : MakePicture(rng, kAllKinds[size_t(round / 6) % 6], mw, mh);
        // Matte or crop, each with every choice of inverse and alpha.
        engine::MatteParams params;
        params.crop = round % 2 == 0;
        params.inverse = round / 2 % 2 == 1;
        params.useAlpha = round / 4 % 2 == 1;
        const int offsets = round % 5;
        params.offsetX = offsets == 0   ? 0
                         : offsets == 4 ? -RandomBetween(rng, 1, 5)
                                        : RandomBetween(rng, 0, 70);
        params.offsetY = offsets == 0 ? 0 : offsets == 3 ? 1000 : RandomBetween(rng, 0, 70);
        params.blurX = params.blurY = params.crop ? RandomBetween(rng, 0, 32) : 0;
        if (round % 7 == 0) params.blurX = 0;
        ASSERT_TRUE(SameResult(reference::Matte(picture.View(), matte.View(), params),
                               engine::Matte(picture.View(), matte.View(), params)))
            << Described(picture) << " matte " << mw << "x" << mh << (params.crop ? " crop" : "")
            << (params.inverse ? " inverse" : "") << (params.useAlpha ? " alpha" : "")
            << " offsets " << params.offsetX << ", " << params.offsetY << " softening "
            << params.blurX << ", " << params.blurY;
    }
}

TEST(GrayscaleFastPath, MatchesTheReferenceInTheOutputAndThePicture) {
    std::mt19937 rng(1251);
    for (int round = 0; round < 40; ++round) {
        Picture picture = MakePicture(rng, kAllKinds[round % std::size(kAllKinds)],
                                      RandomSide(rng, 300), RandomSide(rng, 30));
        Picture expectedPicture = picture;
        ASSERT_TRUE(SameResult(reference::Grayscale(expectedPicture.MutableView()),
                               engine::Grayscale(picture.MutableView())))
            << Described(picture);
        ASSERT_EQ(expectedPicture.bytes, picture.bytes) << Described(picture);
    }
}

}  // namespace
