// The fast focus against the plain one, byte for byte.

#include <gtest/gtest.h>

#include "engine/Focus.h"
#include "tests/engine/reference/DifferentialPictures.h"
#include "tests/engine/reference/ReferenceEffects.h"

namespace {

using namespace differential;

TEST(FocusFastPath, MatchesTheReferenceOnEveryKindOfPicture) {
    std::mt19937 rng(1230);
    // The dialog's range 1 .. 50, the edges of single-precision division (a
    // window of 256 x 256 pixels and one more) and radii beyond the picture.
    const uint32_t radii[] = {0, 1, 2, 3, 7, 16, 50, 128, 129, 300, 100000};
    for (int round = 0; round < 120; ++round) {
        const uint32_t r = AnyOf(rng, radii);
        const Picture picture = RoundPicture(rng, round, r >= 128 ? 300 : 90);
        ASSERT_TRUE(
            SameResult(reference::Focus(picture.View(), r), engine::Focus(picture.View(), r)))
            << Described(picture) << " radius " << r;
    }
}

}  // namespace
