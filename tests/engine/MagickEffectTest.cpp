#include "engine/MagickEffect.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include "engine/MagickSupport.h"
#include "tests/engine/EffectTestSupport.h"

namespace {

engine::MagickEffectParams Params(uint32_t code, double pct,
                                  engine::EffectColor color = {200, 100, 50}) {
    engine::MagickEffectParams params;
    params.code = code;
    params.pct = pct;
    params.color = color;
    return params;
}

ref::Pic Apply(const ref::Pic& pic, const engine::MagickEffectParams& params) {
    engine::MagickEffectOutcome outcome = engine::MagickEffect(ViewOf(pic), params);
    EXPECT_TRUE(outcome.readMessage.empty()) << outcome.readMessage;
    EXPECT_TRUE(outcome.result.succeeded) << outcome.result.message;
    return ToPic(outcome.result.output);
}

// The library run directly on the same bytes (declared "RGBA" although they are
// blue first), through its raw pixel import and export, with the alpha put back.
ref::Pic Direct(const ref::Pic& pic, uint32_t code, double pct, engine::EffectColor color) {
    engine::EnsureMagickInitialized();
    Magick::Image image;
    image.read(size_t(pic.w), size_t(pic.h), "RGBA", Magick::CharPixel, pic.px.data());
    switch (code) {
        case 5: image.contrast(size_t(pct)); break;
        case 7: image.implode(pct / 100); break;
        case 9: image.charcoal(pct / 10, 0.5); break;
        case 10: image.reduceNoise(3.0); break;
        case 11: image.solarize(pct); break;
        case 12: image.sharpen(pct / 10, 1.5); break;
        case 13: image.swirl(pct / 10 * 36); break;
        case 14:
            image.colorize(unsigned(pct), unsigned(pct), unsigned(pct),
                           Magick::ColorRGB(color.blue / 255.0, color.green / 255.0,
                                            color.red / 255.0));
            break;
        case 15: image.blur(pct / 10, 1.5); break;
        default: break;
    }
    ref::Pic out(pic.w, pic.h);
    image.write(0, 0, size_t(pic.w), size_t(pic.h), "RGBA", Magick::CharPixel, out.px.data());
    for (size_t i = 3; i < out.px.size(); i += 4) out.px[i] = pic.px[i];
    return out;
}

TEST(MagickEffect, GammaReturnsThePictureUnchanged) {
    std::mt19937 rng(16);
    const ref::Pic pic = RandomPic(rng, 23, 17, false);
    EXPECT_TRUE(SamePicture(pic, Apply(pic, Params(engine::kMagickGamma, 50))));
}

TEST(MagickEffect, CodesWithoutAnOperationPassThePictureThrough) {
    std::mt19937 rng(17);
    const ref::Pic pic = RandomPic(rng, 9, 6);
    for (uint32_t code : {17u, 20u, 23u, 1000u}) {
        EXPECT_TRUE(SamePicture(pic, Apply(pic, Params(code, 30)))) << code;
    }
}

TEST(MagickEffect, EveryItemKeepsTheSizeAndTheAlpha) {
    std::mt19937 rng(18);
    const ref::Pic pic = RandomPic(rng, 31, 22);
    for (uint32_t code = 4; code <= 15; ++code) {
        for (double pct : {0.0, 37.0, 100.0}) {
            const ref::Pic out = Apply(pic, Params(code, pct));
            ASSERT_EQ(out.w, pic.w);
            ASSERT_EQ(out.h, pic.h);
            for (size_t i = 3; i < pic.px.size(); i += 4) {
                ASSERT_EQ(out.px[i], pic.px[i]) << "code " << code << " pct " << pct;
            }
        }
    }
}

TEST(MagickEffect, DeterministicItemsMatchTheLibraryRunDirectly) {
    std::mt19937 rng(19);
    for (uint32_t code : {5u, 6u, 7u, 9u, 10u, 11u, 12u, 13u, 14u, 15u}) {
        for (int n = 0; n < 3; ++n) {
            const ref::Pic pic = RandomPic(rng, RandomInt(rng, 1, 40), RandomInt(rng, 1, 40), n != 1);
            const double pct = n == 0 ? 0 : n == 1 ? 100 : RandomInt(rng, 1, 99);
            const engine::EffectColor color{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
            ASSERT_TRUE(SamePicture(Direct(pic, code, pct, color), Apply(pic, Params(code, pct, color))))
                << "code " << code << " pct " << pct;
        }
    }
}

TEST(MagickEffect, ColorizeTintsTowardTheEffectColour) {
    // A gray picture tinted fully toward pure red ends up red: the pen colour's
    // blue-first order undoes the library's view of the bytes.
    const ref::Pic pic = Filled(4, 4, 128, 128, 128, 255);
    const ref::Pic out = Apply(pic, Params(engine::kMagickColorize, 100, {255, 0, 0}));
    EXPECT_EQ(out.at(1, 1)[2], 255);
    EXPECT_EQ(out.at(1, 1)[1], 0);
    EXPECT_EQ(out.at(1, 1)[0], 0);
}

TEST(MagickEffect, NoiseAndJitterChangeColoursOnly) {
    std::mt19937 rng(20);
    const ref::Pic pic = RandomPic(rng, 40, 30, false);
    for (uint32_t code : {engine::kMagickAddNoise, engine::kMagickJitter}) {
        const ref::Pic out = Apply(pic, Params(code, 100));
        EXPECT_NE(out.px, pic.px) << code;
    }
}

TEST(MagickEffect, AnEmptyPictureCannotBeHandedOver) {
    const ref::Pic pic(0, 0);
    engine::MagickEffectOutcome outcome = engine::MagickEffect(ViewOf(pic), Params(6, 0));
    EXPECT_FALSE(outcome.readMessage.empty());
    EXPECT_FALSE(outcome.result.succeeded);
    EXPECT_FALSE(outcome.result.message.empty());
}

TEST(MagickEffect, FailsWhenItsCopiesCannotBeAllocated) {
    const ref::Pic pic = Filled(4, 4, 1, 2, 3, 255);
    for (size_t successes : {0, 1}) {
        AllocationCountdown countdown(successes);
        engine::MagickEffectOutcome outcome = engine::MagickEffect(ViewOf(pic), Params(15, 10));
        EXPECT_FALSE(outcome.result.succeeded);
        EXPECT_EQ(outcome.result.message, "Out of Memory");
    }
}

}  // namespace
