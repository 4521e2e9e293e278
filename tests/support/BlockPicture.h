#pragma once
// The crop tests' picture, 24 x 18: yellowish noise with a flat blue block at
// columns 5..11, rows 4..9 from the top, where the wand finds an edge; bottom
// row first. The crop dialog's own tests also make its top-left corner
// transparent, to see which way up the view's file is.

#include <cstdint>
#include <vector>

constexpr int32_t kBlockPictureWidth = 24;
constexpr int32_t kBlockPictureHeight = 18;

inline std::vector<uint8_t> BlockPicture(bool transparentCorner = false) {
    constexpr int32_t w = kBlockPictureWidth, h = kBlockPictureHeight;
    std::vector<uint8_t> bytes(size_t(w) * h * 4);
    for (int32_t row = 0; row < h; ++row) {
        const int32_t y = h - 1 - row;
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = &bytes[(size_t(row) * w + x) * 4];
            const bool block = x >= 5 && x < 12 && y >= 4 && y < 10;
            p[0] = block ? 220 : uint8_t((x * 13 + y * 7) % 40);
            p[1] = block ? 40 : uint8_t(180 + (y * 5) % 60);
            p[2] = block ? 20 : uint8_t(200 + (x * 7) % 50);
            p[3] = transparentCorner && x < 2 && y < 2 ? 0 : 255;
        }
    }
    return bytes;
}
