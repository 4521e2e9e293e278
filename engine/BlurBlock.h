#pragma once
// One pass of the blur along 16 lines at once, one line in each lane of the
// vector registers: 16 neighbouring columns read row by row, or 16 rows
// gathered side by side. The same results as BlurLine on each line.

#include <cstdint>
#include <memory>

#include "engine/BlurLine.h"
#include "engine/BlurTaps.h"
#include "engine/LineScratch.h"

namespace engine {

inline constexpr int64_t kBlockLanes = 16;

// Sizes up to this keep every window sum of a byte channel below 2^16, which
// the lanes rely on.
inline constexpr int32_t kMaxBlockSize = 128;

inline bool BlockBlurs(const BlurTaps& taps) {
    return taps.size >= 1 && taps.size <= kMaxBlockSize && !taps.multiplier.empty();
}

// Working memory of one thread for lines up to a given length.
class BlurBlockScratch : public LineScratch {
public:
    // False when the memory cannot be had.
    bool Reserve(int64_t maxLength, int32_t size);
};

// Pixel j of lane l at in + j * inStride + 4 l (j = 0 .. m - 1); output o
// (the position o - s) of lane l at out + o * outStride + 4 l, o = 0 .. m + 2s - 1.
// Requires BlockBlurs(taps).
void BlurBlock(const uint8_t* in, int64_t inStride, int64_t m, const BlurTaps& taps,
               const BlurLineOptions& options, BlurBlockScratch& scratch, uint8_t* out,
               int64_t outStride);

// What BlurLayerBlock writes.
struct LayerBlockOutput {
    // The layer's pixels (the colour, B, G, R in bytes 0 .. 2, where some pixel
    // in the window has alpha, else black; and the capped alpha), or the capped
    // alphas alone.
    bool pixels = false;
    uint32_t colour = 0;
    AlphaSums alphaSums = AlphaSums::Cheaper;
};

// BlurBlock of a colour layer (every pixel whose alpha is not 0 has the same
// colour) given by its alphas: lane l of pixel j is the byte at
// in + j * inStride + l. Output o of lane l is the pixel at
// out + o * outStride + 4 l, or the alpha at out + o * outStride + l. Any
// size from 1 to kMaxLayerBlur (LayerBlur.h): no colour is summed.
void BlurLayerBlock(const uint8_t* in, int64_t inStride, int64_t m, const BlurTaps& taps,
                    const LayerBlockOutput& output, BlurBlockScratch& scratch, uint8_t* out,
                    int64_t outStride);

}  // namespace engine
