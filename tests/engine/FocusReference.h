#pragma once
// The defocus written as plainly as possible, straight from its definition:
// for every pixel, visit every window pixel.

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> FocusReference(const std::vector<uint8_t>& src, int w, int h, int r) {
    std::vector<uint8_t> out(src.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            long sum[3] = {0, 0, 0};
            long count = 0;
            for (int wy = y - r; wy <= y + r - 1; ++wy) {
                for (int wx = x - r; wx <= x + r - 1; ++wx) {
                    if (wx < 0 || wy < 0 || wx >= w || wy >= h) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += src[(size_t(wy) * w + wx) * 4 + c];
                    ++count;
                }
            }
            const size_t i = (size_t(y) * w + x) * 4;
            for (int c = 0; c < 3; ++c) out[i + c] = uint8_t(sum[c] / count);
            out[i + 3] = src[i + 3];
        }
    }
    return out;
}
