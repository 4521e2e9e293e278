#pragma once
// One pass of the blur along one line of pixels (a row, or a column gathered
// into a line). The line's m pixels sit in a line of zeros that reaches far
// enough; the output covers the positions -s .. m + s - 1, where some tap
// still meets a pixel of the line. Everywhere else the pass gives transparent
// black.

#include <cstdint>
#include <memory>

#include "engine/BlurTaps.h"
#include "engine/LineScratch.h"

namespace engine {

// How the alpha sums are formed; both give the same integers.
enum class AlphaSums { Cheaper, ByTaps, BySteps };

struct BlurLineOptions {
    bool keepOpaque = false;
    // Cheaper: whichever costs less for the line at hand. ByTaps falls back to
    // steps when the kernel has no multipliers.
    AlphaSums alphaSums = AlphaSums::Cheaper;
};

// Working memory of one thread for lines up to a given length.
class BlurLineScratch : public LineScratch {
public:
    // False when the memory cannot be had.
    bool Reserve(int64_t maxLength, int32_t size);
};

// in: m pixels (B, G, R, A); out: m + 2s pixels for the positions -s .. m + s - 1.
void BlurLine(const uint8_t* in, int64_t m, const BlurTaps& taps, const BlurLineOptions& options,
              BlurLineScratch& scratch, uint8_t* out);

}  // namespace engine
