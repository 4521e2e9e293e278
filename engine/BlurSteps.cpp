#include "engine/BlurSteps.h"

#include <algorithm>

namespace engine {

// A pixel j on its own adds g(a, j - x + s) to the sum at position x, so it
// changes the sum from x - 1 to x by -step(j - x + s + 1): a few changes at
// fixed places. A run p .. q of equal alpha adds G(q + s - x) - G(p - 1 + s - x),
// G the running total of g(a, .), whose second difference is again made of
// the steps. Summing the changes twice gives each alpha sum as exactly the
// integers the taps add, in integer arithmetic.
void AlphaSumsBySteps(const uint8_t* alpha, int64_t stride, int64_t m, const BlurTaps& taps,
                      int32_t* events, int32_t* slopeEvents, int32_t* total) {
    const int64_t s = taps.size;
    const int64_t length = StepEventLength(m, taps.size);
    std::fill_n(events, length, 0);
    std::fill_n(slopeEvents, length, 0);
    for (int64_t j = 0; j < m;) {
        const uint8_t a = alpha[j * stride];
        int64_t q = j;
        while (q + 1 < m && alpha[(q + 1) * stride] == a) ++q;
        if (a != 0) {
            const uint32_t begin = taps.stepBegin[a];
            const uint32_t end = taps.stepBegin[size_t(a) + 1];
            // Indices are positions + s.
            if (q == j) {
                for (uint32_t k = begin; k < end; ++k) {
                    events[j + 2 * s + 1 - taps.stepPosition[k]] -= taps.stepAmount[k];
                }
            } else {
                for (uint32_t k = begin; k < end; ++k) {
                    slopeEvents[q + 2 * s + 2 - taps.stepPosition[k]] += taps.stepAmount[k];
                    slopeEvents[j + 2 * s + 1 - taps.stepPosition[k]] -= taps.stepAmount[k];
                }
            }
        }
        j = q + 1;
    }
    int32_t slope = 0;
    int32_t sum = 0;
    const int64_t outputs = m + 2 * s;
    for (int64_t o = 0; o < outputs; ++o) {
        slope += slopeEvents[o];
        sum += slope + events[o];
        total[o] = sum;
    }
}

int64_t EstimateStepEvents(const uint8_t* alpha, int64_t stride, int64_t m, const BlurTaps& taps) {
    int64_t changes = 0;
    for (int64_t j = 1; j < m; ++j) changes += alpha[j * stride] != alpha[(j - 1) * stride] ? 1 : 0;
    return (changes + 1) * int64_t(taps.Steps(255));
}

}  // namespace engine
