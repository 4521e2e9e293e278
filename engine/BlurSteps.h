#pragma once
// The blur's alpha sums along one line, formed from the steps of the taps'
// rounded values instead of tap by tap: work per run of equal alpha, not per
// pixel and tap.

#include <cstdint>

#include "engine/BlurTaps.h"

namespace engine {

// Lengths of the arrays AlphaSumsBySteps takes, for a line of m alphas.
inline int64_t StepEventLength(int64_t m, int32_t s) { return m + 2 * int64_t(s) + 2; }

// alpha: the line's m alphas, `stride` bytes apart. total: the uncapped alpha
// sums at the positions -s .. m + s - 1. events and slopeEvents: scratch.
void AlphaSumsBySteps(const uint8_t* alpha, int64_t stride, int64_t m, const BlurTaps& taps,
                      int32_t* events, int32_t* slopeEvents, int32_t* total);

// About how many changes AlphaSumsBySteps makes for the line: the steps of an
// opaque pixel (the most there are) wherever alpha changes.
int64_t EstimateStepEvents(const uint8_t* alpha, int64_t stride, int64_t m, const BlurTaps& taps);

}  // namespace engine
