#include "engine/MagickEffect.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "engine/MagickSupport.h"
#include "tests/engine/EffectTestSupport.h"

namespace {

ref::Pic Apply(const ref::Pic& pic, uint32_t code, double pct,
               engine::EffectColor color = {200, 100, 50}) {
    engine::MagickEffectOutcome outcome = engine::MagickEffect(ViewOf(pic), {code, pct, color});
    EXPECT_EQ(outcome.readMessage, "");
    return Output(outcome.result);
}

// The library run directly on the same bytes (declared "RGBA" although they are
// blue first), through its raw pixel import and export, with the alpha put back.
ref::Pic Direct(const ref::Pic& pic, uint32_t code, double pct, engine::EffectColor color) {
    engine::EnsureMagickInitialized();
    Magick::Image image;
    image.read(size_t(pic.w), size_t(pic.h), "RGBA", Magick::CharPixel, pic.px.data());
    const Magick::ColorRGB pen(color.blue / 255.0, color.green / 255.0, color.red / 255.0);
    const unsigned opacity = unsigned(pct);
    const std::map<uint32_t, std::function<void(Magick::Image&)>> operations = {
        {5, [&](Magick::Image& i) { i.contrast(size_t(pct)); }},
        {7, [&](Magick::Image& i) { i.implode(pct / 100); }},
        {9, [&](Magick::Image& i) { i.charcoal(pct / 10, 0.5); }},
        {10, [&](Magick::Image& i) { i.reduceNoise(3.0); }},
        {11, [&](Magick::Image& i) { i.solarize(pct); }},
        {12, [&](Magick::Image& i) { i.sharpen(pct / 10, 1.5); }},
        {13, [&](Magick::Image& i) { i.swirl(pct / 10 * 36); }},
        {14, [&](Magick::Image& i) { i.colorize(opacity, opacity, opacity, pen); }},
        {15, [&](Magick::Image& i) { i.blur(pct / 10, 1.5); }},
    };
    if (const auto op = operations.find(code); op != operations.end()) op->second(image);
    ref::Pic out(pic.w, pic.h);
    image.write(0, 0, size_t(pic.w), size_t(pic.h), "RGBA", Magick::CharPixel, out.px.data());
    for (size_t i = 3; i < out.px.size(); i += 4) out.px[i] = pic.px[i];
    return out;
}

TEST(MagickEffect, GammaAndCodesWithoutAnOperationPassThePictureThrough) {
    const ref::Pic pic = SeededPic(16, 23, 17);
    for (uint32_t code : {6u, 17u, 20u, 23u, 1000u}) {
        EXPECT_TRUE(SamePicture(pic, Apply(pic, code, 30))) << code;
    }
}

TEST(MagickEffect, EveryItemKeepsTheSizeAndTheAlphaAndNoiseAndJitterChangeColours) {
    const ref::Pic pic = SeededPic(18, 31, 22);
    for (uint32_t code = 4; code <= 15; ++code) {
        for (double pct : {0.0, 37.0, 100.0}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " pct " << pct);
            const ref::Pic out = Apply(pic, code, pct);
            ASSERT_EQ(SizeOf(out), std::pair(pic.w, pic.h));
            ASSERT_EQ(Alphas(out), Alphas(pic));
            if ((code == engine::kMagickAddNoise || code == engine::kMagickJitter) && pct == 100) {
                EXPECT_NE(out.px, pic.px);
            }
        }
    }
}

TEST(MagickEffect, DeterministicItemsMatchTheLibraryRunDirectly) {
    std::mt19937 rng(19);
    for (uint32_t code : {5u, 6u, 7u, 9u, 10u, 11u, 12u, 13u, 14u, 15u}) {
        for (int n = 0; n < 3; ++n) {
            const ref::Pic pic =
                RandomPic(rng, RandomInt(rng, 1, 40), RandomInt(rng, 1, 40), n != 1);
            const double pct = n == 0 ? 0 : n == 1 ? 100 : RandomInt(rng, 1, 99);
            const engine::EffectColor color{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
            ASSERT_TRUE(SamePicture(Direct(pic, code, pct, color), Apply(pic, code, pct, color)))
                << "code " << code << " pct " << pct;
        }
    }
}

TEST(MagickEffect, ColorizeTintsTowardTheEffectColour) {
    // A gray picture tinted fully toward pure red ends up red: the pen colour's
    // blue-first order undoes the library's view of the bytes.
    const ref::Pic gray = Filled(4, 4, 128, 128, 128, 255);
    EXPECT_EQ(PixelAt(Apply(gray, engine::kMagickColorize, 100, {255, 0, 0}), 1, 1),
              (Px{0, 0, 255, 255}));
}

TEST(MagickEffect, FailsForAnEmptyPictureAndWithoutItsCopies) {
    const ref::Pic empty(0, 0);
    engine::MagickEffectOutcome outcome = engine::MagickEffect(ViewOf(empty), {6, 0, {}});
    EXPECT_NE(outcome.readMessage, "");
    EXPECT_FALSE(outcome.result.succeeded);
    EXPECT_NE(outcome.result.message, "");
    const ref::Pic pic = Filled(4, 4, 1, 2, 3, 255);
    for (size_t successes : {0, 1}) {
        AllocationCountdown countdown(successes);
        ExpectOutOfMemory(engine::MagickEffect(ViewOf(pic), {15, 10, {}}).result);
    }
}

}  // namespace
