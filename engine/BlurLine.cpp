#include "engine/BlurLine.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/BlurSteps.h"
#include "engine/CpuFeatures.h"

namespace engine {

namespace {

constexpr int64_t kBlock = 64;

int64_t PrefixLength(int64_t m, int32_t s) { return m + 4 * int64_t(s) + 1; }
int64_t TotalLength(int64_t m, int32_t s) { return m + 2 * int64_t(s); }
int64_t EventLength(int64_t m, int32_t s) { return StepEventLength(m, s); }
// The alphas between 2s zeros on each side, and room for a whole last block.
int64_t PaddedAlphaLength(int64_t m, int32_t s) { return m + 4 * int64_t(s) + kBlock; }

// The scratch memory cut into the arrays of one line.
struct BlurLineParts {
    uint32_t* blue;  // prefix sums, 2s zeros first and the whole sum repeated after
    uint32_t* green;
    uint32_t* red;
    uint32_t* count;       // prefix counts of pixels whose alpha is not 0, the same way
    int32_t* total;        // the alpha sums before the cap
    int32_t* events;       // changes of the alpha sum from one position to the next
    int32_t* slopeEvents;  // changes of those changes
    uint8_t* alpha;        // the alphas, padded with 2s zeros each side

    static int64_t Words(int64_t m, int32_t s) {
        return 4 * PrefixLength(m, s) + TotalLength(m, s) + 2 * EventLength(m, s) +
               PaddedAlphaLength(m, s) / 4 + 1;
    }
    explicit BlurLineParts(const BlurLineScratch& scratch) {
        const int64_t m = scratch.MaxLength();
        const int32_t s = scratch.Size();
        uint32_t* p = scratch.Words();
        blue = p;
        green = blue + PrefixLength(m, s);
        red = green + PrefixLength(m, s);
        count = red + PrefixLength(m, s);
        total = reinterpret_cast<int32_t*>(count + PrefixLength(m, s));
        events = total + TotalLength(m, s);
        slopeEvents = events + EventLength(m, s);
        alpha = reinterpret_cast<uint8_t*>(slopeEvents + EventLength(m, s));
    }
};

}  // namespace

bool BlurLineScratch::Reserve(int64_t maxLength, int32_t size) {
    return LineScratch::Reserve(BlurLineParts::Words(maxLength, size), maxLength, size);
}

namespace {

uint32_t LoadPixel(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Prefix sums over the line with 2s zeros in front and the whole sum repeated
// behind, so that the taps of output o (input o - 2s .. o, clipped to the
// line) sum to prefix[o + 2s + 1] - prefix[o] without any clipping.
TINTORA_INLINE void PrefixSums(const uint8_t* in, int64_t m, int32_t s,
                               const BlurLineParts& parts) {
    const int64_t lead = 2 * int64_t(s);
    const int64_t length = PrefixLength(m, s);
    for (uint32_t* sums : {parts.count, parts.blue, parts.green, parts.red}) {
        std::fill_n(sums, lead + 1, 0u);
    }
    uint32_t b = 0, g = 0, r = 0, n = 0;
    for (int64_t j = 0; j < m; ++j) {
        const uint8_t* p = in + 4 * j;
        const uint32_t counted = p[3] != 0 ? 1u : 0u;
        n += counted;
        parts.count[lead + 1 + j] = n;
        // Wrapping sums: each window's difference is exact.
        const uint32_t mask = 0u - counted;
        b += p[0] & mask;
        g += p[1] & mask;
        r += p[2] & mask;
        parts.blue[lead + 1 + j] = b;
        parts.green[lead + 1 + j] = g;
        parts.red[lead + 1 + j] = r;
    }
    std::fill(parts.count + lead + 1 + m, parts.count + length, n);
    std::fill(parts.blue + lead + 1 + m, parts.blue + length, b);
    std::fill(parts.green + lead + 1 + m, parts.green + length, g);
    std::fill(parts.red + lead + 1 + m, parts.red + length, r);
}

// Alpha sums tap by tap, a block of outputs at a time: every tap is one
// multiply, add and shift of the alphas, the same for the whole block.
TINTORA_INLINE void AlphaSumsByTaps(const uint8_t* in, int64_t m, const BlurTaps& taps,
                                    const BlurLineParts& parts) {
    const int64_t s = taps.size;
    const int64_t taps2 = 2 * s + 1;
    uint8_t* alpha = parts.alpha;
    std::fill_n(alpha, PaddedAlphaLength(m, taps.size), uint8_t{0});
    for (int64_t j = 0; j < m; ++j) alpha[2 * s + j] = in[4 * j + 3];
    const uint32_t* multiplier = taps.multiplier.data();
    const uint32_t* offset = taps.offset.data();
    const int64_t outputs = TotalLength(m, taps.size);
    for (int64_t o0 = 0; o0 < outputs; o0 += kBlock) {
        int32_t* total = parts.total + o0;
        const int64_t n = std::min(kBlock, outputs - o0);
        // The block's taps reach the inputs o0 - 2s .. o0 + n - 1.
        const int64_t last = std::min(o0 + n + 2 * s, PrefixLength(m, taps.size) - 1);
        if (parts.count[last] == parts.count[o0]) {
            std::fill_n(total, n, 0);
            continue;
        }
        uint32_t sums[kBlock] = {};
        for (int64_t i = 0; i < taps2; ++i) {
            const uint8_t* a = alpha + o0 + i;
            const uint32_t mul = multiplier[i];
            const uint32_t add = offset[i];
            for (int64_t x = 0; x < kBlock; ++x) sums[x] += (uint32_t(a[x]) * mul + add) >> 24;
        }
        for (int64_t x = 0; x < n; ++x) total[x] = int32_t(sums[x]);
    }
}

// Alpha capped at 255; each colour the truncated single-precision mean of
// the counted taps, as the blur defines it (0 when no tap counts, since then
// the sum is 0 as well).
TINTORA_INLINE void Finish(const uint8_t* in, int64_t m, int32_t s, const BlurLineOptions& options,
                           const BlurLineParts& parts, uint8_t* out) {
    const int64_t outputs = TotalLength(m, s);
    const int64_t span = 2 * int64_t(s) + 1;
    const uint32_t* count = parts.count;
    const int32_t* total = parts.total;
    const uint32_t* blue = parts.blue;
    const uint32_t* green = parts.green;
    const uint32_t* red = parts.red;
    for (int64_t o = 0; o < outputs; ++o) {
        const uint32_t n = count[o + span] - count[o];
        const float divisor = float(int32_t(std::max(n, 1u)));
        const int32_t b = int32_t(float(int32_t(blue[o + span] - blue[o])) / divisor);
        const int32_t g = int32_t(float(int32_t(green[o + span] - green[o])) / divisor);
        const int32_t r = int32_t(float(int32_t(red[o + span] - red[o])) / divisor);
        const uint32_t a = uint32_t(std::min(total[o], 255));
        const uint32_t pixel = uint32_t(std::min(b, 255)) | uint32_t(std::min(g, 255)) << 8 |
                               uint32_t(std::min(r, 255)) << 16 | a << 24;
        std::memcpy(out + 4 * o, &pixel, 4);
    }
    if (options.keepOpaque) {
        // An opaque result keeps the pixel it replaces (transparent black
        // outside the line).
        for (int64_t o = 0; o < outputs; ++o) {
            if (total[o] < 255) continue;
            const int64_t u = o - s;
            const uint32_t centre = u >= 0 && u < m ? LoadPixel(in + 4 * u) : 0u;
            std::memcpy(out + 4 * o, &centre, 4);
        }
    }
}

TINTORA_INLINE void BlurLineBody(const uint8_t* in, int64_t m, const BlurTaps& taps,
                                 const BlurLineOptions& options, BlurLineScratch& scratch,
                                 uint8_t* out) {
    const int32_t s = taps.size;
    const BlurLineParts parts(scratch);
    PrefixSums(in, m, s, parts);
    if (parts.count[PrefixLength(m, s) - 1] == 0) {
        // No tap anywhere counts: transparent black throughout.
        std::memset(out, 0, size_t(TotalLength(m, s)) * 4);
        return;
    }
    // The cheaper way for this line: by steps costs per run, by taps per
    // output and tap.
    bool byTaps = !taps.multiplier.empty() && options.alphaSums != AlphaSums::BySteps;
    if (byTaps && options.alphaSums == AlphaSums::Cheaper) {
        const int64_t tapWork = TotalLength(m, s) * (2 * int64_t(s) + 1) / 8;
        byTaps = tapWork < 2 * EstimateStepEvents(in + 3, 4, m, taps) + TotalLength(m, s);
    }
    if (byTaps) {
        AlphaSumsByTaps(in, m, taps, parts);
    } else {
        AlphaSumsBySteps(in + 3, 4, m, taps, parts.events, parts.slopeEvents, parts.total);
    }
    Finish(in, m, s, options, parts, out);
}

void BlurLineDefault(const uint8_t* in, int64_t m, const BlurTaps& taps,
                     const BlurLineOptions& options, BlurLineScratch& scratch, uint8_t* out) {
    BlurLineBody(in, m, taps, options, scratch, out);
}

TINTORA_AVX2 void BlurLineAvx2(const uint8_t* in, int64_t m, const BlurTaps& taps,
                               const BlurLineOptions& options, BlurLineScratch& scratch,
                               uint8_t* out) {
    BlurLineBody(in, m, taps, options, scratch, out);
}

}  // namespace

void BlurLine(const uint8_t* in, int64_t m, const BlurTaps& taps, const BlurLineOptions& options,
              BlurLineScratch& scratch, uint8_t* out) {
    if (HasAvx2()) {
        BlurLineAvx2(in, m, taps, options, scratch, out);
    } else {
        BlurLineDefault(in, m, taps, options, scratch, out);
    }
}

}  // namespace engine
