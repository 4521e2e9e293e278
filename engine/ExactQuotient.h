#pragma once
// Integer means by a product instead of a division: floor(sum / count) for
// sums of bytes below 2^31, that is counts up to kLargestProductCount, as a
// double product truncated.

#include <cstdint>

namespace engine {

inline constexpr int64_t kLargestProductCount = (int64_t(1) << 23) - 1;

// 1/count raised by 2^-40. The product then exceeds the exact quotient q by
// about q * 2^-40, more than its two roundings (q * 2^-52 each), so an exact
// multiple of the count truncates to its quotient; any other sum's quotient
// lies at least 1/count below the next whole number, while the raise and the
// roundings add less than q * 2^-39, which for sums below 2^31 is under
// 2^-8 / count.
inline double QuotientFactor(int64_t count) { return (1.0 / double(count)) * (1.0 + 0x1p-40); }

inline int64_t ProductQuotient(int64_t sum, double factor) { return int64_t(double(sum) * factor); }

}  // namespace engine
