#include "engine/BlurBlock.h"

#include <immintrin.h>

#include <cstring>
#include <new>

#include "engine/BlurSteps.h"
#include "engine/CpuFeatures.h"

namespace engine {

namespace {

constexpr int64_t kLanes = kBlockLanes;

int64_t AlphaLength(int64_t m, int32_t s) { return m + 4 * int64_t(s) + 1; }
int64_t Outputs(int64_t m, int32_t s) { return m + 2 * int64_t(s); }

// Transparent black for the lanes' reads before and after the line.
alignas(64) const uint8_t kZeros[kLanes * 4] = {};

// How many outputs ahead the lines written are fetched.
constexpr int64_t kWriteAhead = 16;

// One value of each lane.
using Bytes = uint8_t __attribute__((vector_size(kLanes)));
using Shorts = int16_t __attribute__((vector_size(2 * kLanes)));
using Words = uint32_t __attribute__((vector_size(4 * kLanes)));
using HalfInts = int32_t __attribute__((vector_size(2 * kLanes)));
using HalfWords = uint32_t __attribute__((vector_size(2 * kLanes)));
using HalfShorts = int16_t __attribute__((vector_size(kLanes)));
using Words64 = uint64_t __attribute__((vector_size(2 * kLanes)));

// Loads a whole vector (an out-parameter: vectors wider than the baseline
// build's cannot be returned without an ABI note).
template <class Vector>
TINTORA_INLINE void Load(Vector& v, const void* p) {
    std::memcpy(&v, p, sizeof v);
}

// Whether any of the 16 lanes is not 0: the two halves or-ed and tested at
// once, where taking the four words out to test them costs several steps.
TINTORA_INLINE bool AnyLane(const Shorts& lanes) {
    const HalfShorts low = __builtin_shufflevector(lanes, lanes, 0, 1, 2, 3, 4, 5, 6, 7);
    const HalfShorts high = __builtin_shufflevector(lanes, lanes, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i both = __m128i(low | high);
    return !_mm_testz_si128(both, both);
}

uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

struct BlurBlockParts {
    int32_t* slopeEvents;  // [index][lane]: second differences of the alpha sums
    int16_t* alpha;        // [k][lane]: alpha of pixel k - 2s, 0 outside the line
    int16_t* total;        // [o][lane]: the uncapped alpha sums
    int16_t* changes;      // [j][lane]: -1 where alpha changes at pixel j
    uint8_t* counted;      // [j]: 1 where some lane's pixel j has alpha, then 8 zeros

    static int64_t Words(int64_t m, int32_t s) {
        return StepEventLength(m, s) * kLanes +
               (AlphaLength(m, s) + Outputs(m, s) + m + 1) * kLanes / 2 + (m + 8) / 4 + 1;
    }
    explicit BlurBlockParts(const BlurBlockScratch& scratch) {
        const int64_t m = scratch.MaxLength();
        const int32_t s = scratch.Size();
        slopeEvents = reinterpret_cast<int32_t*>(scratch.Words());
        alpha = reinterpret_cast<int16_t*>(slopeEvents + StepEventLength(m, s) * kLanes);
        total = alpha + AlphaLength(m, s) * kLanes;
        changes = total + Outputs(m, s) * kLanes;
        counted = reinterpret_cast<uint8_t*>(changes + (m + 1) * kLanes);
    }
};

}  // namespace

bool BlurBlockScratch::Reserve(int64_t maxLength, int32_t size) {
    if (!LineScratch::Reserve(BlurBlockParts::Words(maxLength, size), maxLength, size)) {
        return false;
    }
    // The step events start at zero; each block leaves them so.
    std::memset(Words(), 0, size_t(StepEventLength(maxLength, size) * kLanes) * 4);
    return true;
}

namespace {

// The alphas of the 16 lanes (pixels of kPixelBytes bytes, alpha last)
// between 2s zeros each side; for each pixel j = 0 .. m the lanes whose alpha
// differs from pixel j - 1 (-1 there, else 0); and for each pixel j < m
// whether some lane has alpha there. Returns how many changes there are.
template <int kPixelBytes>
TINTORA_INLINE int64_t GatherAlphas(const uint8_t* in, int64_t inStride, int64_t m, int32_t s,
                                    int16_t* alpha, int16_t* changes, uint8_t* counted) {
    const int64_t lead = 2 * int64_t(s);
    std::memset(alpha, 0, size_t(lead * kLanes) * 2);
    std::memset(alpha + (lead + m) * kLanes, 0,
                size_t((AlphaLength(m, s) - lead - m) * kLanes) * 2);
    // Whole vectors, the last pixel's alphas kept in registers: a store of
    // halves read back whole would stall.
    int64_t count = 0;
    Shorts previous{};
    Shorts counts{};
    for (int64_t j = 0; j <= m; ++j) {
        Shorts current{};
        if (j < m) {
            const uint8_t* row = in + j * inStride;
            // Lines gathered from a picture's columns are far apart in memory.
            __builtin_prefetch(row + 8 * inStride);
            if constexpr (kPixelBytes == 1) {
                Bytes alphas;
                Load(alphas, row);
                current = __builtin_convertvector(alphas, Shorts);
            } else {
                Words pixels;
                Load(pixels, row);
                current = __builtin_convertvector(pixels >> 24, Shorts);
            }
            std::memcpy(alpha + (lead + j) * kLanes, &current, sizeof current);
            counted[j] = AnyLane(current);
        }
        // -1 in the lanes whose alpha changes.
        const Shorts changed = current != previous;
        std::memcpy(changes + j * kLanes, &changed, sizeof changed);
        counts -= changed;
        previous = current;
        if ((j & 0x1FFF) == 0x1FFF) {
            // The lanes count in 16 bits: take their counts now and then.
            for (int64_t l = 0; l < kLanes; ++l) count += counts[l];
            counts = Shorts{};
        }
    }
    for (int64_t l = 0; l < kLanes; ++l) count += counts[l];
    std::memset(counted + m, 0, 8);
    return count;
}

// Alpha sums by steps (see BlurSteps.h), all lanes' runs found from the change
// masks: a run p .. q of alpha a adds -step at index p + 2s + 1 - t and +step at
// q + 2s + 2 - t to the second differences, for each step t of its alpha. The
// double running sum then goes along all lanes at once.
TINTORA_INLINE void AlphaSumsBySteps(int64_t m, const BlurTaps& taps, const int16_t* alpha,
                                     const int16_t* changes, int32_t* slopeEvents, int16_t* total) {
    const int64_t s = taps.size;
    const int64_t lead = 2 * s;
    const uint32_t* begins = taps.stepBegin.data();
    const int32_t* positions = taps.stepPosition.data();
    const int32_t* amounts = taps.stepAmount.data();
    for (int64_t j = 0; j <= m; ++j) {
        const int16_t* changed = changes + j * kLanes;
        Shorts lanes;
        Load(lanes, changed);
        if (!AnyLane(lanes)) continue;
        for (int64_t l = 0; l < kLanes; ++l) {
            if (changed[l] == 0) continue;
            // The run that ended at j - 1, and the one that starts at j.
            const int16_t ended = alpha[(lead + j - 1) * kLanes + l];
            const int16_t started = alpha[(lead + j) * kLanes + l];
            for (uint32_t k = begins[ended]; k < begins[ended + 1]; ++k) {
                slopeEvents[(j + 2 * s + 1 - positions[k]) * kLanes + l] += amounts[k];
            }
            for (uint32_t k = begins[started]; k < begins[started + 1]; ++k) {
                slopeEvents[(j + 2 * s + 1 - positions[k]) * kLanes + l] -= amounts[k];
            }
        }
    }
    // The double running sum, each event cleared once it is taken, so that
    // the events are all zero again for the next block without a pass of
    // their own.
    // Two halves of eight lanes: the sums carried from one output to the next
    // stay in registers, where one vector of sixteen would not.
    constexpr int64_t kHalf = kLanes / 2;
    HalfInts slope[2] = {};
    HalfInts sum[2] = {};
    const HalfInts zero{};
    const int64_t outputs = Outputs(m, taps.size);
    for (int64_t o = 0; o < outputs; ++o) {
        int16_t* sums = total + o * kLanes;
        for (int half = 0; half < 2; ++half) {
            int32_t* at = slopeEvents + o * kLanes + half * kHalf;
            HalfInts events;
            Load(events, at);
            std::memcpy(at, &zero, sizeof zero);
            slope[half] += events;
            sum[half] += slope[half];
            // The sums stay far below 2^15: at most 255 plus half a unit per tap.
            const HalfShorts narrow = __builtin_convertvector(sum[half], HalfShorts);
            std::memcpy(sums + half * kHalf, &narrow, sizeof narrow);
        }
    }
    // Runs that end at the line's last pixels leave events past the outputs.
    std::memset(slopeEvents + outputs * kLanes, 0,
                size_t((StepEventLength(m, taps.size) - outputs) * kLanes) * 4);
}

// Tap by tap, all lanes together: a rounding multiply-high on 16-bit lanes
// where the tap has one that reproduces its rounded values, otherwise a
// multiply, add and shift on 32 bits. Both are checked against the rounded
// values for all 256 alphas when the taps are made.
TINTORA_INLINE void AlphaSumsByTaps(int64_t begin, int64_t end, const BlurTaps& taps,
                                    const int16_t* alpha, int16_t* total) {
    const int64_t count = 2 * int64_t(taps.size) + 1;
    const int16_t* rounding = taps.roundingMultiplier.data();
    const uint32_t* multiplier = taps.multiplier.data();
    const uint32_t* offset = taps.offset.data();
    for (int64_t o = begin; o < end; ++o) {
        int16_t sums[kLanes] = {};
        for (int64_t i = 0; i < count; ++i) {
            const int16_t* a = alpha + (o + i) * kLanes;
            const int16_t r = rounding[i];
            if (r >= 0) {
                for (int64_t l = 0; l < kLanes; ++l) {
                    sums[l] =
                        int16_t(sums[l] + int16_t((((int32_t(a[l]) * int32_t(r)) >> 14) + 1) >> 1));
                }
            } else {
                const uint32_t mul = multiplier[i];
                const uint32_t add = offset[i];
                for (int64_t l = 0; l < kLanes; ++l) {
                    sums[l] = int16_t(sums[l] + int16_t((uint32_t(a[l]) * mul + add) >> 24));
                }
            }
        }
        std::memcpy(total + o * kLanes, sums, sizeof sums);
    }
}

// Whether tap by tap costs less than by steps for this block, in rough
// vector operations: a tap costs a few per output that some pixel reaches; a
// change of alpha costs the steps of both runs it separates, one lane at a
// time, and the steps' running sums go along every output.
TINTORA_INLINE bool CheaperByTaps(int64_t m, const BlurTaps& taps, int64_t changes,
                                  int64_t reached) {
    int64_t tapCost = 0;
    for (const int16_t r : taps.roundingMultiplier) tapCost += r >= 0 ? 2 : 10;
    tapCost *= reached;
    const int64_t stepCost = 4 * changes * int64_t(taps.Steps(255)) + 6 * Outputs(m, taps.size);
    return tapCost < stepCost;
}

// The sweep along the lines: window sums of the counted colours and of the
// count, kept as running sums of two 16-bit fields in each 32-bit lane (blue
// and red, green and count: each field stays below 2^16), the means in single
// precision as the blur defines them, the alpha capped.
// Outputs begin .. end - 1, where the window before `begin` holds no counted
// pixel, so that the running sums start from 0.
template <bool kKeepOpaque>
TINTORA_INLINE void Sweep(const uint8_t* in, int64_t inStride, int64_t m, int32_t s,
                          const int16_t* total, int64_t begin, int64_t end, uint8_t* out,
                          int64_t outStride) {
    const int64_t span = 2 * int64_t(s) + 1;
    uint32_t blueRed[kLanes] = {};
    uint32_t greenCount[kLanes] = {};
    for (int64_t o = begin; o < end; ++o) {
        const uint8_t* entering = o < m ? in + o * inStride : kZeros;
        const int64_t gone = o - span;
        const uint8_t* leaving = gone >= 0 && gone < m ? in + gone * inStride : kZeros;
        const int64_t c = o - s;
        const uint8_t* centre = c >= 0 && c < m ? in + c * inStride : kZeros;
        const int16_t* sums = total + o * kLanes;
        uint32_t pixels[kLanes];
        for (int64_t l = 0; l < kLanes; ++l) {
            const uint32_t e = Load32(entering + 4 * l);
            const uint32_t v = Load32(leaving + 4 * l);
            const uint32_t eCounted = e >> 24 != 0 ? ~0u : 0u;
            const uint32_t vCounted = v >> 24 != 0 ? ~0u : 0u;
            greenCount[l] += (((e >> 8 & 0xFFu) | 0x10000u) & eCounted) -
                             (((v >> 8 & 0xFFu) | 0x10000u) & vCounted);
            blueRed[l] += (e & 0x00FF00FFu & eCounted) - (v & 0x00FF00FFu & vCounted);
            const uint32_t n = greenCount[l] >> 16;
            const uint32_t a = uint32_t(sums[l] < 255 ? sums[l] : 255);
            // No count means sums of 0, so dividing by 1 gives the 0 the
            // blur defines.
            const float divisor = float(int32_t(n > 1 ? n : 1));
            const int32_t b = int32_t(float(int32_t(blueRed[l] & 0xFFFFu)) / divisor);
            const int32_t g = int32_t(float(int32_t(greenCount[l] & 0xFFFFu)) / divisor);
            const int32_t r = int32_t(float(int32_t(blueRed[l] >> 16)) / divisor);
            uint32_t pixel = uint32_t(b < 255 ? b : 255) | uint32_t(g < 255 ? g : 255) << 8 |
                             uint32_t(r < 255 ? r : 255) << 16 | a << 24;
            if constexpr (kKeepOpaque) {
                // An opaque result keeps the pixel it replaces (a mask rather
                // than a branch, so that the lanes stay vectorised).
                const uint32_t kept = Load32(centre + 4 * l);
                const uint32_t opaque = 0u - uint32_t(a == 255);
                pixel = (kept & opaque) | (pixel & ~opaque);
            }
            pixels[l] = pixel;
        }
        std::memcpy(out + o * outStride, pixels, sizeof pixels);
    }
}

// The sweep of a colour layer given by its alphas: every mean is the colour,
// so only the count of pixels with alpha in the window is kept, from the
// gathered alphas (index k holds pixel k - 2s). Writes the capped alpha
// bytes, or the pixels: the colour where the count is not 0, else black.
template <bool kPixels>
TINTORA_INLINE void SweepLayer(const int16_t* alpha, int32_t s, uint32_t colour,
                               const int16_t* total, int64_t begin, int64_t end, uint8_t* out,
                               int64_t outStride) {
    const int64_t lead = 2 * int64_t(s);
    // At most 2s + 1, which kMaxLayerBlur keeps within 16 bits.
    Shorts count{};
    const Shorts most = Shorts{} + 255;
    for (int64_t o = begin; o < end; ++o) {
        Shorts sums;
        Load(sums, total + o * kLanes);
        sums = sums < most ? sums : most;
        if constexpr (kPixels) {
            // Pixel o enters the window and pixel o - 2s - 1 leaves it.
            Shorts entering, leaving{};
            Load(entering, alpha + (o + lead) * kLanes);
            if (o > 0) Load(leaving, alpha + (o - 1) * kLanes);
            count += (leaving != 0) - (entering != 0);
            const Shorts counted = count != 0;
            // The pixels go to rows of a picture far apart: fetch the lines
            // ahead, for writing.
            uint8_t* ahead = out + (o + kWriteAhead) * outStride;
            __builtin_prefetch(ahead, 1);
            __builtin_prefetch(ahead + kLanes * 4 - 1, 1);
            // Eight lanes at a time, each stored as one vector.
            const HalfShorts halves[2][2] = {
                {__builtin_shufflevector(counted, counted, 0, 1, 2, 3, 4, 5, 6, 7),
                 __builtin_shufflevector(sums, sums, 0, 1, 2, 3, 4, 5, 6, 7)},
                {__builtin_shufflevector(counted, counted, 8, 9, 10, 11, 12, 13, 14, 15),
                 __builtin_shufflevector(sums, sums, 8, 9, 10, 11, 12, 13, 14, 15)}};
            for (int half = 0; half < 2; ++half) {
                const HalfWords pixels =
                    (__builtin_convertvector(halves[half][0], HalfWords) & colour) |
                    __builtin_convertvector(halves[half][1], HalfWords) << 24;
                std::memcpy(out + o * outStride + half * sizeof pixels, &pixels, sizeof pixels);
            }
        } else {
            const Bytes alphas = __builtin_convertvector(sums, Bytes);
            std::memcpy(out + o * outStride, &alphas, sizeof alphas);
        }
    }
}

// The next stretch of outputs that some counted pixel reaches, from pixel
// `from` on: a pixel j reaches outputs j .. j + 2s. Empty when none is left.
struct Stretch {
    int64_t begin;
    int64_t end;
};
TINTORA_INLINE Stretch NextStretch(const uint8_t* counted, int64_t m, int32_t s, int64_t from) {
    const int64_t lead = 2 * int64_t(s);
    int64_t j = from;
    if (j >= m) return {m + lead, m + lead};
    // Eight pixels at a time across transparent stretches (zeros follow pixel m - 1).
    for (;;) {
        uint64_t eight;
        std::memcpy(&eight, counted + j, sizeof eight);
        if (eight != 0 || j + 8 > m) break;
        j += 8;
    }
    while (j < m && counted[j] == 0) ++j;
    if (j >= m) return {m + lead, m + lead};
    Stretch stretch{j, j + lead + 1};
    // Pixels up to the stretch's end continue it.
    for (++j; j < m && j <= stretch.end; ++j) {
        if (counted[j] != 0) stretch.end = j + lead + 1;
    }
    return stretch;
}

TINTORA_INLINE int64_t ReachedOutputs(const uint8_t* counted, int64_t m, int32_t s) {
    int64_t reached = 0;
    const int64_t outputs = Outputs(m, s);
    for (Stretch stretch = NextStretch(counted, m, s, 0); stretch.begin < outputs;
         stretch = NextStretch(counted, m, s, stretch.end)) {
        reached += stretch.end - stretch.begin;
    }
    return reached;
}

// What a block reads and writes: pixels (B, G, R, A) to blurred pixels, or
// the alphas of a colour layer to alphas or to the layer's pixels.
enum class BlockKind { Pixels, LayerAlphas, LayerPixels };

struct BlockJob {
    const uint8_t* in;
    int64_t inStride;
    int64_t m;
    uint8_t* out;
    int64_t outStride;
    uint32_t colour;  // of a layer's pixels
};

template <BlockKind kKind>
TINTORA_INLINE void SweepStretch(const BlockJob& job, int32_t s, const BlurLineOptions& options,
                                 const BlurBlockParts& parts, Stretch stretch) {
    const int64_t b = stretch.begin, e = stretch.end;
    if constexpr (kKind == BlockKind::Pixels) {
        if (options.keepOpaque) {
            Sweep<true>(job.in, job.inStride, job.m, s, parts.total, b, e, job.out, job.outStride);
        } else {
            Sweep<false>(job.in, job.inStride, job.m, s, parts.total, b, e, job.out, job.outStride);
        }
    } else {
        SweepLayer<kKind == BlockKind::LayerPixels>(parts.alpha, s, job.colour & 0xFFFFFFu,
                                                    parts.total, b, e, job.out, job.outStride);
    }
}

template <BlockKind kKind>
TINTORA_INLINE void BlurBlockBody(const BlockJob& job, const BlurTaps& taps,
                                  const BlurLineOptions& options, BlurBlockScratch& scratch) {
    constexpr int kInBytes = kKind == BlockKind::Pixels ? 4 : 1;
    constexpr int kOutBytes = kKind == BlockKind::LayerAlphas ? 1 : 4;
    const int32_t s = taps.size;
    const int64_t m = job.m;
    const int64_t outputs = Outputs(m, s);
    const BlurBlockParts parts(scratch);
    const int64_t changes = GatherAlphas<kInBytes>(job.in, job.inStride, m, s, parts.alpha,
                                                   parts.changes, parts.counted);
    // Kernels too wide for multipliers go by steps.
    bool byTaps = options.alphaSums != AlphaSums::BySteps && !taps.multiplier.empty();
    if (byTaps && options.alphaSums == AlphaSums::Cheaper) {
        byTaps = CheaperByTaps(m, taps, changes, ReachedOutputs(parts.counted, m, s));
    }
    if (changes != 0 && !byTaps) {
        AlphaSumsBySteps(m, taps, parts.alpha, parts.changes, parts.slopeEvents, parts.total);
    }
    // An output whose window holds no counted pixel in any lane has sums of
    // 0: transparent black. Graphics are mostly transparent around their
    // shapes, so only the stretches that pixels reach are summed and swept.
    auto clear = [&](int64_t from, int64_t to) {
        for (int64_t o = from; o < to; ++o) {
            uint8_t* ahead = job.out + (o + kWriteAhead) * job.outStride;
            __builtin_prefetch(ahead, 1);
            __builtin_prefetch(ahead + kLanes * kOutBytes - 1, 1);
            std::memset(job.out + o * job.outStride, 0, kLanes * kOutBytes);
        }
    };
    int64_t written = 0;
    for (Stretch stretch = NextStretch(parts.counted, m, s, 0); stretch.begin < outputs;
         stretch = NextStretch(parts.counted, m, s, stretch.end)) {
        clear(written, stretch.begin);
        if (byTaps) AlphaSumsByTaps(stretch.begin, stretch.end, taps, parts.alpha, parts.total);
        SweepStretch<kKind>(job, s, options, parts, stretch);
        written = stretch.end;
    }
    clear(written, outputs);
}

template <BlockKind kKind>
void BlurBlockDefault(const BlockJob& job, const BlurTaps& taps, const BlurLineOptions& options,
                      BlurBlockScratch& scratch) {
    BlurBlockBody<kKind>(job, taps, options, scratch);
}

template <BlockKind kKind>
TINTORA_AVX2 void BlurBlockAvx2(const BlockJob& job, const BlurTaps& taps,
                                const BlurLineOptions& options, BlurBlockScratch& scratch) {
    BlurBlockBody<kKind>(job, taps, options, scratch);
}

template <BlockKind kKind>
void Dispatch(const BlockJob& job, const BlurTaps& taps, const BlurLineOptions& options,
              BlurBlockScratch& scratch) {
    if (HasAvx2()) {
        BlurBlockAvx2<kKind>(job, taps, options, scratch);
    } else {
        BlurBlockDefault<kKind>(job, taps, options, scratch);
    }
}

}  // namespace

void BlurBlock(const uint8_t* in, int64_t inStride, int64_t m, const BlurTaps& taps,
               const BlurLineOptions& options, BlurBlockScratch& scratch, uint8_t* out,
               int64_t outStride) {
    Dispatch<BlockKind::Pixels>({in, inStride, m, out, outStride, 0}, taps, options, scratch);
}

void BlurLayerBlock(const uint8_t* in, int64_t inStride, int64_t m, const BlurTaps& taps,
                    const LayerBlockOutput& output, BlurBlockScratch& scratch, uint8_t* out,
                    int64_t outStride) {
    BlurLineOptions options;
    options.alphaSums = output.alphaSums;
    const BlockJob job{in, inStride, m, out, outStride, output.colour};
    if (output.pixels) {
        Dispatch<BlockKind::LayerPixels>(job, taps, options, scratch);
    } else {
        Dispatch<BlockKind::LayerAlphas>(job, taps, options, scratch);
    }
}

}  // namespace engine
