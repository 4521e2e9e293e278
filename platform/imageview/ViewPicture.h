#pragma once
// The picture the view shows: red, green, blue and alpha bytes (straight
// alpha), rows packed, the top row first as the picture appears upright.

#include <cstdint>
#include <vector>

#include "platform/imageview/SelectionMask.h"

namespace imageview {

struct ViewPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
    const uint8_t* Pixel(int32_t x, int32_t y) const {
        return rgba.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
};

// Paints the selected pixels of a picture of the selection's size in one
// opaque colour.
void FillSelection(ViewPicture& picture, const SelectionMask& selection, uint8_t red, uint8_t green,
                   uint8_t blue);

}  // namespace imageview
