#include "engine/LayerBlur.h"

#include <algorithm>
#include <cstring>

#include "engine/BlurBlock.h"
#include "engine/BlurTaps.h"
#include "engine/CpuFeatures.h"
#include "engine/KeptBlocks.h"
#include "engine/Layers.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

constexpr int64_t kLanes = kBlockLanes;

// How far ahead the rows of alphas are fetched, in bytes.
constexpr int64_t kReadAhead = 256;

int64_t RoundUpToLanes(int64_t n) { return (n + kLanes - 1) / kLanes * kLanes; }

using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Bytes32 = uint8_t __attribute__((vector_size(32)));
using Quads = uint64_t __attribute__((vector_size(32)));

// Transposes 16 x 16 bytes: byte c of rows[r] goes to out[16 c + r]. Two rows
// share a vector, r in its low half and r + 8 in its high half. Each round
// interleaves vector i with vector i + 4 within the halves, which rotates the
// seven bits of (vector, byte) by one: after three, vector k holds columns 2k
// and 2k + 1 in eight-byte pieces of the two halves, put in order by a last
// exchange of those pieces. Unrolled, so that the rounds stay in registers.
TINTORA_INLINE void Transpose16(const Bytes16 (&rows)[kLanes], uint8_t* out) {
    Bytes32 x[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        x[i] = __builtin_shufflevector(rows[i], rows[i + 8], 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
                                       12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
                                       27, 28, 29, 30, 31);
    }
#pragma GCC unroll 3
    for (int round = 0; round < 3; ++round) {
        Bytes32 y[8];
#pragma GCC unroll 4
        for (int i = 0; i < 4; ++i) {
            y[2 * i] = __builtin_shufflevector(x[i], x[i + 4], 0, 32, 1, 33, 2, 34, 3, 35, 4, 36, 5,
                                               37, 6, 38, 7, 39, 16, 48, 17, 49, 18, 50, 19, 51, 20,
                                               52, 21, 53, 22, 54, 23, 55);
            y[2 * i + 1] = __builtin_shufflevector(x[i], x[i + 4], 8, 40, 9, 41, 10, 42, 11, 43, 12,
                                                   44, 13, 45, 14, 46, 15, 47, 24, 56, 25, 57, 26,
                                                   58, 27, 59, 28, 60, 29, 61, 30, 62, 31, 63);
        }
#pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) x[i] = y[i];
    }
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
        const Quads pieces = __builtin_bit_cast(Quads, x[i]);
        const Quads ordered = __builtin_shufflevector(pieces, pieces, 0, 2, 1, 3);
        std::memcpy(out + 32 * i, &ordered, sizeof ordered);
    }
}

// Sets the alphas of up to 16 rows side by side: byte j of row l to
// lanes[16 j + l], j = 0 .. width - 1, and zeros up to the next multiple of
// 16; missing rows give zeros.
TINTORA_INLINE void RowsToLanesBody(const uint8_t* const rows[kLanes], int64_t width,
                                    uint8_t* lanes) {
    for (int64_t j0 = 0; j0 < width; j0 += kLanes) {
        const int64_t count = std::min(kLanes, width - j0);
        Bytes16 x[kLanes];
        for (int64_t l = 0; l < kLanes; ++l) {
            x[l] = Bytes16{};
            if (!rows[l]) continue;
            if (count == kLanes) {
                // Sixteen rows read side by side: fetch each a few lines ahead.
                __builtin_prefetch(rows[l] + j0 + kReadAhead);
                std::memcpy(&x[l], rows[l] + j0, kLanes);
            } else {
                std::memcpy(&x[l], rows[l] + j0, size_t(count));
            }
        }
        Transpose16(x, lanes + j0 * kLanes);
    }
}

// The way back into strips of 16 columns: output o of lane l to
// strips[(o / 16) * stripBytes + 16 l + o % 16], o = 0 .. width - 1 (width a
// multiple of 16).
TINTORA_INLINE void LanesToStripsBody(const uint8_t* lanes, int64_t width, uint8_t* strips,
                                      int64_t stripBytes) {
    for (int64_t j0 = 0; j0 < width; j0 += kLanes) {
        Bytes16 x[kLanes];
        std::memcpy(x, lanes + j0 * kLanes, sizeof x);
        Transpose16(x, strips + (j0 / kLanes) * stripBytes);
    }
}

void RowsToLanesDefault(const uint8_t* const rows[kLanes], int64_t width, uint8_t* lanes) {
    RowsToLanesBody(rows, width, lanes);
}

TINTORA_AVX2 void RowsToLanesAvx2(const uint8_t* const rows[kLanes], int64_t width,
                                  uint8_t* lanes) {
    RowsToLanesBody(rows, width, lanes);
}

void LanesToStripsDefault(const uint8_t* lanes, int64_t width, uint8_t* strips,
                          int64_t stripBytes) {
    LanesToStripsBody(lanes, width, strips, stripBytes);
}

TINTORA_AVX2 void LanesToStripsAvx2(const uint8_t* lanes, int64_t width, uint8_t* strips,
                                    int64_t stripBytes) {
    LanesToStripsBody(lanes, width, strips, stripBytes);
}

// Working memory of one worker.
struct WorkerMemory {
    BlurBlockScratch block;
    BlockArray<uint8_t> lanesIn;   // a group's alphas side by side
    BlockArray<uint8_t> lanesOut;  // their blurred alphas, or a narrow strip's pixels

    bool Reserve(int64_t line, int32_t s, int64_t inBytes, int64_t outBytes) {
        lanesIn.reset(static_cast<uint8_t*>(TakeBlock(size_t(inBytes))));
        lanesOut.reset(static_cast<uint8_t*>(TakeBlock(size_t(outBytes))));
        return lanesIn && lanesOut && block.Reserve(line, s);
    }
};

}  // namespace

bool BlurColourLayer(LayerAlphas layer, int32_t s, EffectColor colour, MutableRasterView target,
                     int64_t x, int64_t y) {
    const int64_t w = layer.width;
    const int64_t h = layer.height;
    // The blurred part of the canvas: the row pass's outputs across, the
    // column pass's down, from the canvas's column and row 2.
    const int64_t across = w + 2 * int64_t(s);
    const int64_t down = h + 2 * int64_t(s);
    const int64_t left = x + 2;
    const int64_t top = y + 2;
    const int64_t rowBytes = int64_t(target.width) * kBytesPerPixel;
    if (w == 0 || h == 0) {
        // No pixel, nothing to blur.
        ClearAround(target, 0, 0, 0, 0);
        return true;
    }

    const std::shared_ptr<const BlurTaps> taps = SharedBlurTaps(s);
    // Between the passes: the row pass's alphas in strips of 16 columns, a
    // strip's rows one after the other, as the column pass reads them. The
    // strips begin `lead` columns of zeros before the blurred part, at a target
    // column that is a multiple of 16, so that a strip's pixels in a row fill
    // whole cache lines wherever the target's rows are so aligned; the columns
    // past the layer's are zeros too.
    const int64_t lead = left % kLanes;
    const int64_t paddedAcross = RoundUpToLanes(lead + across);
    const int64_t stripBytes = RoundUpToLanes(h) * kLanes;
    BlockArray<uint8_t> between =
        AllocateUnsetScratch<uint8_t>(size_t(paddedAcross / kLanes * stripBytes));
    if (!between) return false;
    WorkerMemory memory[kWorkerCount];
    for (WorkerMemory& worker : memory) {
        const int64_t rowLanes = RoundUpToLanes(w) * kLanes;
        const int64_t outLanes = std::max(paddedAcross * kLanes, down * kLanes * kBytesPerPixel);
        if (!worker.Reserve(std::max(w, h), s, rowLanes, outLanes)) return false;
        // The lead's positions and those past the row pass's outputs stay zero.
        std::memset(worker.lanesOut.get(), 0, size_t(outLanes));
    }
    const bool avx2 = HasAvx2();

    // Along the rows, 16 rows at a time side by side.
    const LayerBlockOutput alphasOut{false, 0, AlphaSums::Cheaper};
    ParallelFor((h + kLanes - 1) / kLanes, 1, [&](int64_t begin, int64_t end, int worker) {
        WorkerMemory& mine = memory[worker];
        for (int64_t group = begin; group < end; ++group) {
            const uint8_t* sources[kLanes];
            for (int64_t l = 0; l < kLanes; ++l) {
                const int64_t row = group * kLanes + l;
                sources[l] = row < h ? layer.alphas + row * layer.stride : nullptr;
            }
            uint8_t* strips = between.get() + group * kLanes * kLanes;
            if (avx2) {
                RowsToLanesAvx2(sources, w, mine.lanesIn.get());
            } else {
                RowsToLanesDefault(sources, w, mine.lanesIn.get());
            }
            BlurLayerBlock(mine.lanesIn.get(), kLanes, w, *taps, alphasOut, mine.block,
                           mine.lanesOut.get() + lead * kLanes, kLanes);
            if (avx2) {
                LanesToStripsAvx2(mine.lanesOut.get(), paddedAcross, strips, stripBytes);
            } else {
                LanesToStripsDefault(mine.lanesOut.get(), paddedAcross, strips, stripBytes);
            }
        }
    });

    // Along the columns, a strip of 16 at a time, into the target.
    ClearAround(target, left, top, across, down);
    const LayerBlockOutput pixelsOut{
        true, uint32_t(colour.blue) | uint32_t(colour.green) << 8 | uint32_t(colour.red) << 16,
        AlphaSums::Cheaper};
    ParallelFor(paddedAcross / kLanes, 1, [&](int64_t begin, int64_t end, int worker) {
        WorkerMemory& mine = memory[worker];
        for (int64_t strip = begin; strip < end; ++strip) {
            const int64_t column0 = strip * kLanes;
            const int64_t columns = std::min(kLanes, lead + across - column0);
            uint8_t* out =
                target.pixels + top * rowBytes + (left - lead + column0) * kBytesPerPixel;
            if (columns == kLanes) {
                BlurLayerBlock(between.get() + strip * stripBytes, kLanes, h, *taps, pixelsOut,
                               mine.block, out, rowBytes);
                continue;
            }
            // A narrow last strip: its lanes past the layer would write past
            // the blurred part.
            uint8_t* pixels = mine.lanesOut.get();
            BlurLayerBlock(between.get() + strip * stripBytes, kLanes, h, *taps, pixelsOut,
                           mine.block, pixels, kLanes * kBytesPerPixel);
            for (int64_t o = 0; o < down; ++o) {
                std::memcpy(out + o * rowBytes, pixels + o * kLanes * kBytesPerPixel,
                            size_t(columns) * kBytesPerPixel);
            }
        }
    });
    return true;
}

}  // namespace engine
