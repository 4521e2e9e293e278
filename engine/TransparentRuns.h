#pragma once
// Graphics are mostly transparent around their shapes and opaque inside them:
// loops over pixels take eight transparent (or opaque) ones at a time.

#include <cstdint>
#include <cstring>

namespace engine {

inline constexpr int64_t kTransparentGroup = 8;

// The columns of a picture's row from its first to its last pixel with alpha;
// first > last where the row has none.
struct RowSpan {
    int64_t first = 0;
    int64_t last = -1;
};

// The alpha bytes of the eight pixels from `pixels` on, in place, the other
// bytes 0, in two vectors of two words. In vector registers throughout: words
// stored as a vector and read back one by one would wait for the store.
using EightWords = uint64_t __attribute__((vector_size(16)));
inline constexpr uint64_t kAlphaBytes = 0xFF000000FF000000u;

inline void LoadEightAlphas(const uint8_t* pixels, EightWords& low, EightWords& high) {
    std::memcpy(&low, pixels, sizeof low);
    std::memcpy(&high, pixels + sizeof low, sizeof high);
    low &= kAlphaBytes;
    high &= kAlphaBytes;
}

// Whether none of the eight pixels from `pixels` on has alpha.
inline bool EightTransparent(const uint8_t* pixels) {
    EightWords low, high;
    LoadEightAlphas(pixels, low, high);
    const EightWords any = low | high;
    return (any[0] | any[1]) == 0;
}

// Whether all of the eight pixels from `pixels` on are opaque.
inline bool EightOpaque(const uint8_t* pixels) {
    EightWords low, high;
    LoadEightAlphas(pixels, low, high);
    const EightWords all = low & high;
    return (all[0] & all[1]) == kAlphaBytes;
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
