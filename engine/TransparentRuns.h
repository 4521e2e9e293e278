#pragma once
// Graphics are mostly transparent around their shapes and opaque inside them:
// loops over pixels take eight transparent (or opaque) ones at a time.

#include <cstdint>
#include <cstring>

namespace engine {

inline constexpr int64_t kTransparentGroup = 8;

// Whether none of the eight pixels from `pixels` on has alpha. In vector
// registers throughout: words stored as a vector and read back one by one
// would wait for the store.
inline bool EightTransparent(const uint8_t* pixels) {
    using Words = uint64_t __attribute__((vector_size(16)));
    Words low, high;
    std::memcpy(&low, pixels, sizeof low);
    std::memcpy(&high, pixels + sizeof low, sizeof high);
    constexpr uint64_t kAlphas = 0xFF000000FF000000u;
    const Words alphas = (low | high) & kAlphas;
    return (alphas[0] | alphas[1]) == 0;
}

// Whether all of the eight pixels from `pixels` on are opaque.
inline bool EightOpaque(const uint8_t* pixels) {
    using Words = uint64_t __attribute__((vector_size(16)));
    Words low, high;
    std::memcpy(&low, pixels, sizeof low);
    std::memcpy(&high, pixels + sizeof low, sizeof high);
    constexpr uint64_t kAlphas = 0xFF000000FF000000u;
    const Words alphas = low & high & kAlphas;
    return (alphas[0] & alphas[1]) == kAlphas;
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
