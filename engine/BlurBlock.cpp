#include "engine/BlurBlock.h"

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

uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

struct BlurBlockParts {
    int32_t* slopeEvents;  // [index][lane]: second differences of the alpha sums
    int16_t* alpha;        // [k][lane]: alpha of pixel k - 2s, 0 outside the line
    int16_t* total;        // [o][lane]: the uncapped alpha sums
    int16_t* changes;      // [j][lane]: -1 where alpha changes at pixel j

    static int64_t Words(int64_t m, int32_t s) {
        return StepEventLength(m, s) * kLanes +
               (AlphaLength(m, s) + Outputs(m, s) + m + 1) * kLanes / 2;
    }
    explicit BlurBlockParts(BlurBlockScratch& scratch) {
        const int64_t m = scratch.m_maxLength;
        const int32_t s = scratch.m_size;
        slopeEvents = reinterpret_cast<int32_t*>(scratch.m_memory.get());
        alpha = reinterpret_cast<int16_t*>(slopeEvents + StepEventLength(m, s) * kLanes);
        total = alpha + AlphaLength(m, s) * kLanes;
        changes = total + Outputs(m, s) * kLanes;
    }
};

bool BlurBlockScratch::Reserve(int64_t maxLength, int32_t size) {
    const int64_t words = BlurBlockParts::Words(maxLength, size);
    if (words > m_capacity) {
        m_memory.reset(static_cast<uint32_t*>(TakeBlock(size_t(words) * sizeof(uint32_t))));
        m_capacity = m_memory ? words : 0;
        if (!m_memory) return false;
    }
    m_maxLength = maxLength;
    m_size = size;
    return true;
}

namespace {

// The alphas of the 16 lanes between 2s zeros each side, and for each pixel
// j = 0 .. m the lanes whose alpha differs from pixel j - 1 (-1 there, else
// 0). Returns how many such changes there are.
TINTORA_INLINE int64_t GatherAlphas(const uint8_t* in, int64_t inStride, int64_t m, int32_t s,
                                    int16_t* alpha, int16_t* changes) {
    const int64_t lead = 2 * int64_t(s);
    std::memset(alpha, 0, size_t(lead * kLanes) * 2);
    std::memset(alpha + (lead + m) * kLanes, 0,
                size_t((AlphaLength(m, s) - lead - m) * kLanes) * 2);
    int64_t count = 0;
    int16_t counts[kLanes] = {};
    for (int64_t j = 0; j <= m; ++j) {
        int16_t* current = alpha + (lead + j) * kLanes;
        if (j < m) {
            const uint8_t* row = in + j * inStride;
            // Lines gathered from a picture's columns are far apart in memory.
            __builtin_prefetch(row + 8 * inStride);
            for (int64_t l = 0; l < kLanes; ++l) {
                uint32_t pixel;
                std::memcpy(&pixel, row + 4 * l, 4);
                current[l] = int16_t(pixel >> 24);
            }
        }
        const int16_t* previous = current - kLanes;
        int16_t* changed = changes + j * kLanes;
        for (int64_t l = 0; l < kLanes; ++l) {
            changed[l] = current[l] != previous[l] ? int16_t(-1) : int16_t(0);
            counts[l] = int16_t(counts[l] - changed[l]);
        }
        if ((j & 0x1FFF) == 0x1FFF) {
            // The lanes count in 16 bits: take their counts now and then.
            for (int64_t l = 0; l < kLanes; ++l) count += counts[l];
            std::memset(counts, 0, sizeof counts);
        }
    }
    for (int64_t l = 0; l < kLanes; ++l) count += counts[l];
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
    std::memset(slopeEvents, 0, size_t(StepEventLength(m, taps.size) * kLanes) * 4);
    const uint32_t* begins = taps.stepBegin.data();
    const int32_t* positions = taps.stepPosition.data();
    const int32_t* amounts = taps.stepAmount.data();
    for (int64_t j = 0; j <= m; ++j) {
        const int16_t* changed = changes + j * kLanes;
        uint64_t words[kLanes / 4];
        std::memcpy(words, changed, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) == 0) continue;
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
    int32_t slope[kLanes] = {};
    int32_t sum[kLanes] = {};
    const int64_t outputs = Outputs(m, taps.size);
    for (int64_t o = 0; o < outputs; ++o) {
        int16_t sums[kLanes];
        for (int64_t l = 0; l < kLanes; ++l) {
            slope[l] += slopeEvents[o * kLanes + l];
            sum[l] += slope[l];
            // The sums stay far below 2^15: at most 255 plus half a unit per tap.
            sums[l] = int16_t(sum[l]);
        }
        std::memcpy(total + o * kLanes, sums, sizeof sums);
    }
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
template <bool kUniform, bool kKeepOpaque>
TINTORA_INLINE void Sweep(const uint8_t* in, int64_t inStride, int64_t m, int32_t s,
                          uint32_t colour, const int16_t* total, int64_t begin, int64_t end,
                          uint8_t* out, int64_t outStride) {
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
            const uint32_t n = greenCount[l] >> 16;
            const uint32_t a = uint32_t(sums[l] < 255 ? sums[l] : 255);
            uint32_t pixel;
            if constexpr (kUniform) {
                pixel = (n != 0 ? colour : 0u) | a << 24;
            } else {
                blueRed[l] += (e & 0x00FF00FFu & eCounted) - (v & 0x00FF00FFu & vCounted);
                // No count means sums of 0, so dividing by 1 gives the 0 the
                // blur defines.
                const float divisor = float(int32_t(n > 1 ? n : 1));
                const int32_t b = int32_t(float(int32_t(blueRed[l] & 0xFFFFu)) / divisor);
                const int32_t g = int32_t(float(int32_t(greenCount[l] & 0xFFFFu)) / divisor);
                const int32_t r = int32_t(float(int32_t(blueRed[l] >> 16)) / divisor);
                pixel = uint32_t(b < 255 ? b : 255) | uint32_t(g < 255 ? g : 255) << 8 |
                        uint32_t(r < 255 ? r : 255) << 16 | a << 24;
            }
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

// Whether any lane has a counted pixel (alpha not 0) at padded index k.
TINTORA_INLINE bool AnyAlpha(const int16_t* alpha, int64_t k) {
    uint64_t words[kLanes / 4];
    std::memcpy(words, alpha + k * kLanes, sizeof words);
    return (words[0] | words[1] | words[2] | words[3]) != 0;
}

// The next stretch of outputs that some counted pixel reaches, from pixel
// `from` on: a pixel j reaches outputs j .. j + 2s. Empty when none is left.
struct Stretch {
    int64_t begin;
    int64_t end;
};
TINTORA_INLINE Stretch NextStretch(const int16_t* alpha, int64_t m, int32_t s, int64_t from) {
    const int64_t lead = 2 * int64_t(s);
    int64_t j = from;
    while (j < m && !AnyAlpha(alpha, lead + j)) ++j;
    if (j >= m) return {m + lead, m + lead};
    Stretch stretch{j, j + lead + 1};
    // Pixels up to the stretch's end continue it.
    for (++j; j < m && j <= stretch.end; ++j) {
        if (AnyAlpha(alpha, lead + j)) stretch.end = j + lead + 1;
    }
    return stretch;
}

TINTORA_INLINE int64_t ReachedOutputs(const int16_t* alpha, int64_t m, int32_t s) {
    int64_t reached = 0;
    const int64_t outputs = Outputs(m, s);
    for (Stretch stretch = NextStretch(alpha, m, s, 0); stretch.begin < outputs;
         stretch = NextStretch(alpha, m, s, stretch.end)) {
        reached += stretch.end - stretch.begin;
    }
    return reached;
}

TINTORA_INLINE void SweepStretch(const uint8_t* in, int64_t inStride, int64_t m, int32_t s,
                                 const BlurLineOptions& options, const int16_t* total,
                                 Stretch stretch, uint8_t* out, int64_t outStride) {
    const uint32_t colour = options.colour & 0xFFFFFFu;
    const int64_t b = stretch.begin, e = stretch.end;
    if (options.uniformColour) {
        if (options.keepOpaque) {
            Sweep<true, true>(in, inStride, m, s, colour, total, b, e, out, outStride);
        } else {
            Sweep<true, false>(in, inStride, m, s, colour, total, b, e, out, outStride);
        }
    } else if (options.keepOpaque) {
        Sweep<false, true>(in, inStride, m, s, colour, total, b, e, out, outStride);
    } else {
        Sweep<false, false>(in, inStride, m, s, colour, total, b, e, out, outStride);
    }
}

TINTORA_INLINE void BlurBlockBody(const uint8_t* in, int64_t inStride, int64_t m,
                                  const BlurTaps& taps, const BlurLineOptions& options,
                                  BlurBlockScratch& scratch, uint8_t* out, int64_t outStride) {
    const int32_t s = taps.size;
    const int64_t outputs = Outputs(m, s);
    const BlurBlockParts parts(scratch);
    const int64_t changes = GatherAlphas(in, inStride, m, s, parts.alpha, parts.changes);
    bool byTaps = options.alphaSums != AlphaSums::BySteps;
    if (options.alphaSums == AlphaSums::Cheaper) {
        byTaps = CheaperByTaps(m, taps, changes, ReachedOutputs(parts.alpha, m, s));
    }
    if (changes != 0 && !byTaps) {
        AlphaSumsBySteps(m, taps, parts.alpha, parts.changes, parts.slopeEvents, parts.total);
    }
    // An output whose window holds no counted pixel in any lane has sums of
    // 0: transparent black. Graphics are mostly transparent around their
    // shapes, so only the stretches that pixels reach are summed and swept.
    int64_t written = 0;
    for (Stretch stretch = NextStretch(parts.alpha, m, s, 0); stretch.begin < outputs;
         stretch = NextStretch(parts.alpha, m, s, stretch.end)) {
        for (; written < stretch.begin; ++written) {
            std::memset(out + written * outStride, 0, kLanes * 4);
        }
        if (byTaps) AlphaSumsByTaps(stretch.begin, stretch.end, taps, parts.alpha, parts.total);
        SweepStretch(in, inStride, m, s, options, parts.total, stretch, out, outStride);
        written = stretch.end;
    }
    for (; written < outputs; ++written) std::memset(out + written * outStride, 0, kLanes * 4);
}

void BlurBlockDefault(const uint8_t* in, int64_t inStride, int64_t m, const BlurTaps& taps,
                      const BlurLineOptions& options, BlurBlockScratch& scratch, uint8_t* out,
                      int64_t outStride) {
    BlurBlockBody(in, inStride, m, taps, options, scratch, out, outStride);
}

TINTORA_AVX2 void BlurBlockAvx2(const uint8_t* in, int64_t inStride, int64_t m,
                                const BlurTaps& taps, const BlurLineOptions& options,
                                BlurBlockScratch& scratch, uint8_t* out, int64_t outStride) {
    BlurBlockBody(in, inStride, m, taps, options, scratch, out, outStride);
}

}  // namespace

void BlurBlock(const uint8_t* in, int64_t inStride, int64_t m, const BlurTaps& taps,
               const BlurLineOptions& options, BlurBlockScratch& scratch, uint8_t* out,
               int64_t outStride) {
    if (HasAvx2()) {
        BlurBlockAvx2(in, inStride, m, taps, options, scratch, out, outStride);
    } else {
        BlurBlockDefault(in, inStride, m, taps, options, scratch, out, outStride);
    }
}

}  // namespace engine
