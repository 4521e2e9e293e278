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

}  // namespace engine
