#include "engine/MagickEffect.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "engine/ImageLibrary.h"
#include "tests/engine/EffectTestSupport.h"

namespace {

using Op = engine::MagickOperation;

ref::Pic Apply(const ref::Pic& pic, Op operation, double pct,
               engine::EffectColor color = {200, 100, 50}) {
    return Output(engine::MagickEffect(pic.View(), {operation, pct, color}));
}

// Every operation but noise and jitter, which are random.
constexpr Op kDeterministic[] = {Op::None,        Op::Contrast, Op::Implode, Op::Charcoal,
                                 Op::ReduceNoise, Op::Solarize, Op::Sharpen, Op::Swirl,
                                 Op::Colorize,    Op::Blur};

// The library run directly on the same bytes (declared "RGBA" although they are
// blue first), through its raw pixel import and export, with the alpha put back.
ref::Pic Direct(const ref::Pic& pic, Op operation, double pct, engine::EffectColor color) {
    engine::SetUpImageLibrary();
    Magick::Image image;
    image.read(size_t(pic.width), size_t(pic.height), "RGBA", Magick::CharPixel, pic.bytes.data());
    const Magick::ColorRGB pen(color.blue / 255.0, color.green / 255.0, color.red / 255.0);
    const unsigned opacity = unsigned(pct);
    const std::map<Op, std::function<void(Magick::Image&)>> operations = {
        {Op::Contrast, [&](Magick::Image& i) { i.contrast(size_t(pct)); }},
        {Op::Implode, [&](Magick::Image& i) { i.implode(pct / 100); }},
        {Op::Charcoal, [&](Magick::Image& i) { i.charcoal(pct / 10, 0.5); }},
        {Op::ReduceNoise, [&](Magick::Image& i) { i.reduceNoise(3.0); }},
        {Op::Solarize, [&](Magick::Image& i) { i.solarize(pct); }},
        {Op::Sharpen, [&](Magick::Image& i) { i.sharpen(pct / 10, 1.5); }},
        {Op::Swirl, [&](Magick::Image& i) { i.swirl(pct / 10 * 36); }},
        {Op::Colorize, [&](Magick::Image& i) { i.colorize(opacity, opacity, opacity, pen); }},
        {Op::Blur, [&](Magick::Image& i) { i.blur(pct / 10, 1.5); }}};
    if (const auto op = operations.find(operation); op != operations.end()) op->second(image);
    ref::Pic out(pic.width, pic.height);
    image.write(0, 0, size_t(pic.width), size_t(pic.height), "RGBA", Magick::CharPixel,
                out.bytes.data());
    for (size_t i = 3; i < out.bytes.size(); i += 4) out.bytes[i] = pic.bytes[i];
    return out;
}

TEST(MagickEffect, DeterministicItemsMatchTheLibraryRunDirectly) {
    std::mt19937 rng(19);
    for (Op operation : kDeterministic) {
        for (int n = 0; n < 3; ++n) {
            const ref::Pic pic = RandomPic(rng, differential::RandomBetween(rng, 1, 40),
                                           differential::RandomBetween(rng, 1, 40), n != 1);
            const double pct = n == 0 ? 0 : n == 1 ? 100 : differential::RandomBetween(rng, 1, 99);
            const engine::EffectColor color{uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
            ASSERT_TRUE(
                SamePicture(Direct(pic, operation, pct, color), Apply(pic, operation, pct, color)))
                << "operation " << int(operation) << " pct " << pct;
        }
    }
}

TEST(MagickEffect, ColorizeTintsTowardTheEffectColour) {
    // A gray picture tinted fully toward pure red ends up red: the pen colour's
    // blue-first order undoes the library's view of the bytes.
    const ref::Pic gray = Filled(4, 4, 128, 128, 128, 255);
    EXPECT_EQ(PixelAt(Apply(gray, Op::Colorize, 100, {255, 0, 0}), 1, 1), (Px{0, 0, 255, 255}));
}

TEST(MagickEffect, FailsForAnEmptyPicture) {
    const ref::Pic empty(0, 0);
    const engine::Result<engine::Raster> outcome = engine::MagickEffect(empty.View(), {});
    EXPECT_EQ(outcome.Notices().size(), 1u);
    EXPECT_FALSE(outcome);
    EXPECT_NE(outcome.Error(), "");
}

}  // namespace
