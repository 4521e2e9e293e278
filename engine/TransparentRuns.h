#pragma once
// Graphics are mostly transparent around their shapes: loops over pixels pass
// over eight transparent ones at a time.

#include <cstdint>
#include <cstring>

namespace engine {

inline constexpr int64_t kTransparentGroup = 8;

// Whether none of the eight pixels from `pixels` on has alpha.
inline bool EightTransparent(const uint8_t* pixels) {
    uint64_t words[4];
    std::memcpy(words, pixels, sizeof words);
    constexpr uint64_t kAlphas = 0xFF000000FF000000u;
    return ((words[0] | words[1] | words[2] | words[3]) & kAlphas) == 0;
}

// Calls pixel(i) for pixels 0 .. count - 1 of `pixels`, and transparent(i)
// instead for each group of eight from i on that has no alpha.
template <class Transparent, class Pixel>
inline void ForEachPixelByEights(const uint8_t* pixels, int64_t count, Transparent transparent,
                                 Pixel pixel) {
    int64_t i = 0;
    for (; i + kTransparentGroup <= count; i += kTransparentGroup) {
        if (EightTransparent(pixels + 4 * i)) {
            transparent(i);
            continue;
        }
        for (int64_t k = 0; k < kTransparentGroup; ++k) pixel(i + k);
    }
    for (; i < count; ++i) pixel(i);
}

}  // namespace engine
