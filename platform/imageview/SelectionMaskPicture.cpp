#include "platform/imageview/SelectionMaskPicture.h"

#include "platform/imageview/SelectionFile.h"

namespace imageview {

MaskPicture MaskFromSelection(const SelectionMask& selection, int32_t width, int32_t height) {
    MaskPicture mask;
    if (width <= 0 || height <= 0) {
        mask.error = "There is no picture to make a mask for.";
        return mask;
    }
    const SelectionMask fitted = selection.Resized(width, height);
    mask.width = width;
    mask.height = height;
    mask.bgra.resize(size_t(width) * size_t(height) * 4);
    for (int32_t row = 0; row < height; ++row) {
        // The selection's rows are counted from the top.
        const int32_t y = height - 1 - row;
        uint8_t* p = mask.bgra.data() + size_t(row) * size_t(width) * 4;
        for (int32_t x = 0; x < width; ++x, p += 4) {
            const uint8_t value = fitted.Contains(x, y) ? 255 : 0;
            p[0] = p[1] = p[2] = value;
            p[3] = 255;
        }
    }
    return mask;
}

MaskPicture MaskFromSelectionFile(const std::string& path, int32_t width, int32_t height) {
    SelectionRead read = ReadSelectionFile(path);
    if (!read.selection) {
        MaskPicture mask;
        mask.error = std::move(read.error);
        return mask;
    }
    return MaskFromSelection(*read.selection, width, height);
}

}  // namespace imageview
