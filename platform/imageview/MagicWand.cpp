#include "platform/imageview/MagicWand.h"

#include <algorithm>

namespace imageview {

bool SimilarColour(const uint8_t* a, const uint8_t* b, int tolerance) {
    const int64_t dr = int64_t(a[0]) - b[0];
    const int64_t dg = int64_t(a[1]) - b[1];
    const int64_t db = int64_t(a[2]) - b[2];
    // distance / diagonal <= tolerance / 100, squared and in whole numbers.
    const int64_t t = std::clamp(tolerance, kMinWandTolerance, kMaxWandTolerance);
    return 100 * 100 * (dr * dr + dg * dg + db * db) <= t * t * 3 * 255 * 255;
}

SelectionMask WandRegion(const ViewPicture& picture, int32_t x, int32_t y, int tolerance) {
    SelectionMask region(picture.width, picture.height);
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return region;
    const uint8_t* seed = picture.Pixel(x, y);
    std::vector<std::pair<int32_t, int32_t>> pending{{x, y}};
    region.Set(x, y, true);
    while (!pending.empty()) {
        const auto [px, py] = pending.back();
        pending.pop_back();
        const std::pair<int32_t, int32_t> neighbours[] = {
            {px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
        for (const auto& [nx, ny] : neighbours) {
            if (nx < 0 || ny < 0 || nx >= picture.width || ny >= picture.height) continue;
            if (region.Contains(nx, ny) || !SimilarColour(picture.Pixel(nx, ny), seed, tolerance)) {
                continue;
            }
            region.Set(nx, ny, true);
            pending.emplace_back(nx, ny);
        }
    }
    return region;
}

}  // namespace imageview
