#pragma once
// The module's bitmaps: the two toolbox images (16 x 15, sixteen colours) and
// the about box's picture (100 x 108, true colour), made from code.

#include <cstdint>
#include <vector>

#include "platform/automation/Types.h"

struct ModuleBitmap {
    int32_t width = 0;
    int32_t height = 0;
    int bitsPerPixel = 0;
    // Blue, green, red per pixel, top row first.
    std::vector<uint8_t> bgr;

    bool Empty() const { return width == 0; }
};

// An empty bitmap for an id the module does not have.
ModuleBitmap LoadModuleBitmap(UINT id);
