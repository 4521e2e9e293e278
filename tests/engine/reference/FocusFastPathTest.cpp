// The fast focus against the plain one, byte for byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/ExactQuotient.h"
#include "engine/Focus.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

TEST(FocusFastPath, MatchesTheReferenceOnEveryKindOfPicture) {
    std::mt19937 rng(1230);
    // The dialog's range 1 .. 50, windows wider than the picture and radii
    // beyond it.
    const uint32_t radii[] = {0, 1, 2, 3, 7, 16, 50, 128, 129, 300, 100000};
    for (int round = 0; round < 120; ++round) {
        const uint32_t r = AnyOf(rng, radii);
        const Picture picture = RoundPicture(rng, round, r >= 128 ? 300 : 90);
        ASSERT_TRUE(
            SameResult(reference::Focus(picture.View(), r), engine::Focus(picture.View(), r)))
            << Described(picture) << " radius " << r;
    }
}

// The product is monotonic in the sum, so it gives floor(sum / count) for every
// sum up to 255 * count once it does at each multiple of the count and one below.
TEST(ExactQuotient, TruncatesToTheIntegerQuotientAtEveryMultiple) {
    std::vector<int64_t> counts;
    for (int64_t count = 1; count <= 65536; ++count) counts.push_back(count);
    for (int64_t count : {1000003, 4194304, 8000000}) counts.push_back(count);
    counts.push_back(engine::kLargestProductCount);
    for (const int64_t count : counts) {
        const double factor = engine::QuotientFactor(count);
        for (int64_t k = 1; k <= 255; ++k) {
            ASSERT_EQ(engine::ProductQuotient(k * count, factor), k) << count;
            ASSERT_EQ(engine::ProductQuotient(k * count - 1, factor), k - 1) << count;
        }
    }
}

}  // namespace
