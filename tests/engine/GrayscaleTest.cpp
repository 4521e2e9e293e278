#include "engine/Grayscale.h"

#include <gtest/gtest.h>

#include "tests/engine/EffectTestSupport.h"

namespace {

TEST(Grayscale, WorkedLuminancesInThePictureAndItsCopy) {
    // Red, green, blue, white, black (blue byte first); alpha stays.
    const Px in[] = {{0, 0, 255, 17}, {0, 255, 0, 0}, {255, 0, 0, 255}, {255, 255, 255, 3}, {}};
    const int luminance[] = {77, 150, 28, 255, 0};
    ref::Pic pic(5, 1);
    for (int x = 0; x < 5; ++x) Paint(pic, x, 0, x + 1, 1, in[x]);
    const ref::Pic out = Output(engine::Grayscale(pic.MutableView()));
    for (int x = 0; x < 5; ++x) {
        const int y = luminance[x];
        EXPECT_EQ(PixelAt(out, x, 0), (Px{y, y, y, in[x][3]})) << x;
    }
    EXPECT_EQ(out.bytes, pic.bytes);
}

}  // namespace
