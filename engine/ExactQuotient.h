#pragma once
// Integer means by a product instead of a division: floor(sum / count) for
// sums below 2^31 and counts below kLargestProductCount, as a double product
// truncated.

#include <cstdint>

namespace engine {

inline constexpr int64_t kLargestProductCount = (int64_t(1) << 23) - 1;

// 1/count raised by 2^-40. An exact multiple of the count then lands at or
// above its whole number (the raise outweighs the product's rounding, 2^-53),
// and any other sum stays below the next whole number: it lies at least
// 1/count > 2^-23 under it, while the raise adds at most 2^31 / count * 2^-40,
// far less.
inline double QuotientFactor(int64_t count) { return (1.0 / double(count)) * (1.0 + 0x1p-40); }

inline int64_t ProductQuotient(int64_t sum, double factor) { return int64_t(double(sum) * factor); }

}  // namespace engine
