#pragma once
// The pixels inside a closed outline.

#include <vector>

#include "platform/imageview/SelectionMask.h"

namespace imageview {

// A point on the pixel grid: (0, 0) is the top left corner of the picture,
// (width, height) its bottom right one.
struct GridPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

// A pixel is inside when its centre is, by the even-odd rule, so an outline
// that crosses itself leaves holes; a centre on an edge counts as inside on
// the edge's right side. Worked in whole numbers: no rounding decides a pixel.
// Fewer than three corners select nothing.
SelectionMask FillPolygon(int32_t width, int32_t height, const std::vector<GridPoint>& corners);

}  // namespace imageview
