#include "platform/imageview/ViewPicture.h"

namespace imageview {

void FillSelection(ViewPicture& picture, const SelectionMask& selection, uint8_t red, uint8_t green,
                   uint8_t blue) {
    if (selection.Width() != picture.width || selection.Height() != picture.height) return;
    for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* p = picture.rgba.data() + size_t(y) * size_t(picture.width) * 4;
        for (int32_t x = 0; x < picture.width; ++x, p += 4) {
            if (!selection.Contains(x, y)) continue;
            p[0] = red;
            p[1] = green;
            p[2] = blue;
            p[3] = 255;
        }
    }
}

}  // namespace imageview
