#pragma once
// What the fast blur knows about one kernel beyond its weights. A tap adds
// the nearest integer of alpha * weight, rounded on its own, so a blurred
// alpha is a sum of 2s + 1 small integers g(a, i) = int(a * w[i] + 0.5) (tap
// i, alpha a). Both ways of summing them below add exactly those integers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

struct BlurTaps {
    int32_t size = 0;  // s; the kernel has 2s + 1 taps
    std::vector<double> weights;

    // Per tap i, a 15-bit multiplier with g(a, i) == (a * r + 2^14) >> 15 for
    // every alpha a (a rounding multiply-high on 16-bit lanes), or -1 when
    // there is none; then the pair below serves.
    std::vector<int16_t> roundingMultiplier;

    // Per tap i, integers with g(a, i) == (a * multiplier[i] + offset[i]) >> 24
    // for every alpha a, checked against g itself for all 256 values; empty
    // when no such pair was found for some tap (the sums then go by steps).
    std::vector<uint32_t> multiplier;
    std::vector<uint32_t> offset;

    // Seen as a function of the tap index i (0 outside 0 .. 2s), g(a, .) changes
    // at a few places only: at stepPosition[k] it changes by stepAmount[k], for
    // k = stepBegin[a] .. stepBegin[a + 1] - 1, positions rising, 0 .. 2s + 1.
    std::vector<uint32_t> stepBegin;
    std::vector<int32_t> stepPosition;
    std::vector<int32_t> stepAmount;

    int32_t Steps(uint8_t alpha) const {
        return int32_t(stepBegin[size_t(alpha) + 1] - stepBegin[alpha]);
    }
};

// Taps for size s >= 1. Only kernels of at most kMaxMultiplierTaps taps get
// the multipliers of either kind.
inline constexpr int32_t kMaxMultiplierTaps = 1025;
BlurTaps MakeBlurTaps(int32_t s);

// The same taps, made once and kept for sizes 1 .. kKeptTapSizes (size 100
// takes about 0.3 ms to make, twice a blur); made anew for larger ones,
// whose blur costs far more than their taps.
inline constexpr int32_t kKeptTapSizes = 128;
std::shared_ptr<const BlurTaps> SharedBlurTaps(int32_t s);

// The rounded contribution of alpha a at tap i, as the blur defines it.
inline int32_t TapValue(uint8_t alpha, double weight) {
    return int32_t(double(alpha) * weight + 0.5);
}

}  // namespace engine
