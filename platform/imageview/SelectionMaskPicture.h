#pragma once
// The mask picture the crop dialog has the view make from a selection, made
// here without a view: white inside the selection, black outside, opaque,
// the size of the picture to crop. A selection made for another picture size
// is cut to this one, as the view does when it loads it.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/imageview/SelectionMask.h"

namespace imageview {

struct MaskPicture {
    int32_t width = 0;
    int32_t height = 0;
    // B, G, R, A bytes, rows packed, the bottom row first as the engine keeps
    // pictures (and, the mask being grey, the same bytes in R, G, B, A order).
    std::vector<uint8_t> bgra;
    // Why there is no mask; empty when bgra holds it.
    std::string error;
};

MaskPicture MaskFromSelection(const SelectionMask& selection, int32_t width, int32_t height);
MaskPicture MaskFromSelectionFile(const std::string& path, int32_t width, int32_t height);

}  // namespace imageview
