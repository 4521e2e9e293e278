#include "apps/tintora/SamplePicture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;

void Put(Picture& p, int32_t x, int32_t yFromTop, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    uint8_t* px = &p.bgra[(size_t(kHeight - 1 - yFromTop) * kWidth + size_t(x)) * 4];
    px[0] = b;
    px[1] = g;
    px[2] = r;
    px[3] = a;
}

}  // namespace

Picture MakeSamplePicture() {
    Picture picture{kWidth, kHeight, std::vector<uint8_t>(size_t(kWidth) * kHeight * 4, 0)};
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            // A rounded orange badge...
            const bool inBadge = x >= 20 && x < 140 && y >= 30 && y < 90;
            // ...with a blue disc whose edge fades out...
            const double d = std::hypot(x - 48.0, y - 44.0);
            // ...and a green bar across the lower right.
            const bool inBar = x >= 70 && x < 130 && y >= 66 && y < 78;
            if (inBar) {
                Put(picture, x, y, 40, 170, 60, 255);
            } else if (d < 22.0) {
                const double fade = std::clamp((22.0 - d) / 6.0, 0.0, 1.0);
                Put(picture, x, y, 30, 80, 220, uint8_t(std::lround(255 * fade)));
            } else if (inBadge) {
                Put(picture, x, y, 240, 140, 30, 255);
            }
        }
    }
    return picture;
}
