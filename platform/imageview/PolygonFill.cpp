#include "platform/imageview/PolygonFill.h"

#include <algorithm>

namespace imageview {

namespace {

// The smallest whole number not below numerator / denominator (denominator > 0).
int64_t CeilDiv(int64_t numerator, int64_t denominator) {
    const int64_t quotient = numerator / denominator;
    return quotient + ((numerator % denominator) > 0 ? 1 : 0);
}

}  // namespace

SelectionMask FillPolygon(int32_t width, int32_t height, const std::vector<GridPoint>& corners) {
    SelectionMask mask(width, height);
    if (corners.size() < 3) return mask;
    std::vector<int64_t> crossings;
    for (int32_t y = 0; y < mask.Height(); ++y) {
        // The row's centre line, doubled to stay whole: 2y + 1.
        const int64_t centre2 = 2 * int64_t(y) + 1;
        crossings.clear();
        for (size_t i = 0; i < corners.size(); ++i) {
            const GridPoint& a = corners[i];
            const GridPoint& b = corners[(i + 1) % corners.size()];
            if ((2 * int64_t(a.y) <= centre2) == (2 * int64_t(b.y) <= centre2)) continue;
            // The edge meets the centre line at X = a.x + (y + 1/2 - a.y)(b.x - a.x)/(b.y - a.y).
            // Pixel x lies right of it when x + 1/2 >= X, i.e. from ceil(X - 1/2) on.
            int64_t dy = int64_t(b.y) - a.y;
            int64_t numerator =
                2 * int64_t(a.x) * dy + (centre2 - 2 * int64_t(a.y)) * (b.x - a.x) - dy;
            int64_t denominator = 2 * dy;
            if (denominator < 0) {
                numerator = -numerator;
                denominator = -denominator;
            }
            crossings.push_back(CeilDiv(numerator, denominator));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const int64_t from = std::clamp<int64_t>(crossings[k], 0, mask.Width());
            const int64_t to = std::clamp<int64_t>(crossings[k + 1], 0, mask.Width());
            for (int64_t x = from; x < to; ++x) mask.Set(int32_t(x), y, true);
        }
    }
    return mask;
}

}  // namespace imageview
