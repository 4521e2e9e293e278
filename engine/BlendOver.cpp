#include "engine/BlendOver.h"

#include <cstring>

#include "engine/CpuFeatures.h"
#include "engine/Layers.h"
#include "engine/TransparentRuns.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// What the blend looks up rather than computes.
struct BlendTables {
    // Each byte divided by 255 in double and stored in single precision.
    float unit[256];
    // The bytes an opaque source pixel leaves: its colours through that
    // quotient and back.
    uint8_t opaque[256];
    // Whether that round trip gives every byte back, so that an opaque source
    // pixel is simply copied (it does in IEEE arithmetic; checked, not assumed).
    bool opaqueCopies = true;

    BlendTables() {
        for (int v = 0; v < 256; ++v) unit[v] = float(double(v) / 255.0);
        for (int v = 0; v < 256; ++v) {
            // An opaque source replaces the destination entirely: with a
            // weight of exactly 1 and the destination's of exactly 0, each
            // byte depends on the source byte alone.
            const uint8_t source[4] = {uint8_t(v), uint8_t(v), uint8_t(v), 255};
            uint8_t target[4] = {0, 0, 0, 0};
            BlendPixelOver(source, target);
            opaque[v] = target[0];
            opaqueCopies = opaqueCopies && target[0] == v && target[3] == 255;
        }
    }
};

const BlendTables& Tables() {
    static const BlendTables tables;
    return tables;
}

using Doubles = double __attribute__((vector_size(32)));
using Floats = float __attribute__((vector_size(16)));
using Ints = int32_t __attribute__((vector_size(16)));
using Bytes4 = uint8_t __attribute__((vector_size(4)));
using Bytes16 = uint8_t __attribute__((vector_size(16)));

// BlendPixelOver on the four channels at once, lane by lane the same
// operations in the same order: each byte divided by 255 in double and
// stored in single precision, the products and their sum in double (never
// fused), stored in single precision, held to 1, times 255 and truncated.
// The alpha lane weighs the source alpha by itself, as the blend does.
TINTORA_INLINE void Blend(const BlendTables& t, const uint8_t* s, uint8_t* d) {
    const Floats source = {t.unit[s[0]], t.unit[s[1]], t.unit[s[2]], t.unit[s[3]]};
    const Floats target = {t.unit[d[0]], t.unit[d[1]], t.unit[d[2]], t.unit[d[3]]};
    const double as = double(source[kAlpha]);
    const double keep = 1.0 - as;
    const Doubles weight = {as, as, as, as};
    const Doubles kept = {keep, keep, keep, keep};
    const Doubles mixed = __builtin_convertvector(source, Doubles) * weight +
                          __builtin_convertvector(target, Doubles) * kept;
    Floats stored = __builtin_convertvector(mixed, Floats);
    const Floats one = {1.0f, 1.0f, 1.0f, 1.0f};
    stored = stored > one ? one : stored;
    const Ints bytes =
        __builtin_convertvector(__builtin_convertvector(stored, Doubles) * 255.0, Ints);
    // One store of the four bytes: byte stores read back as a whole would stall.
    const Bytes16 lanes = __builtin_bit_cast(Bytes16, bytes);
    const Bytes4 pixel = __builtin_shufflevector(lanes, lanes, 0, 4, 8, 12);
    std::memcpy(d, &pixel, 4);
}

// The last pair of pixels blended and its result. The blend is a function of
// the two pixels alone, and graphics repeat the same pair along a row. A
// source alpha of 0 never gets here, so the first pixel never matches.
struct LastBlend {
    uint32_t source = 0;
    uint32_t target = 0;
    uint32_t result = 0;
};

TINTORA_INLINE void BlendOne(const BlendTables& t, const uint8_t* s, uint8_t* d, LastBlend& last) {
    const uint8_t alpha = s[kAlpha];
    if (alpha == 0) return;
    if (alpha == 255) {
        if (t.opaqueCopies) {
            std::memcpy(d, s, 4);
            return;
        }
        // One store of the whole pixel rather than four of its bytes.
        const uint32_t pixel = uint32_t(t.opaque[s[kBlue]]) | uint32_t(t.opaque[s[kGreen]]) << 8 |
                               uint32_t(t.opaque[s[kRed]]) << 16 | 0xFF000000u;
        std::memcpy(d, &pixel, 4);
        return;
    }
    uint32_t source, target;
    std::memcpy(&source, s, 4);
    std::memcpy(&target, d, 4);
    if (source != last.source || target != last.target) {
        last.source = source;
        last.target = target;
        Blend(t, s, d);
        std::memcpy(&last.result, d, 4);
    } else {
        std::memcpy(d, &last.result, 4);
    }
}

using Words8 = uint32_t __attribute__((vector_size(32)));
using Quads4 = uint64_t __attribute__((vector_size(32)));

// Eight pixels blended in integers. Each channel's blend is, in exact
// arithmetic, n / 255 truncated with n = source * alpha + target * (255 -
// alpha) (the alpha lane with the source alpha as its source), and the
// single-precision steps stray from that by under 1e-4. Where n is no
// multiple of 255 the quotient is at least 1/255 from a whole number, so the
// integer quotient is the blend's byte; where it is a multiple, a
// transparent source pixel leaves the target, an opaque one replaces it
// (where that is what the steps give, see opaqueCopies), and any other goes
// the way defined. All in vectors, since in graphics with fine detail which
// pixels are transparent or opaque is too irregular to branch on.
TINTORA_INLINE void BlendEight(const BlendTables& t, const uint8_t* s, uint8_t* d,
                               LastBlend& last) {
    Words8 source, target;
    std::memcpy(&source, s, sizeof source);
    std::memcpy(&target, d, sizeof target);
    const Words8 alpha = source >> 24;
    const Words8 keep = 255 - alpha;
    Words8 blended = {};
    Words8 whole = {};  // lanes with some channel's n a multiple of 255
    for (int shift = 0; shift < 32; shift += 8) {
        const Words8 n = (source >> shift & 0xFFu) * alpha + (target >> shift & 0xFFu) * keep;
        // n / 255 for every n up to 255 * 255.
        const Words8 quotient = n * 0x8081u >> 23;
        whole |= Words8(quotient * 255 == n);
        blended |= quotient << shift;
    }
    const Words8 transparent = Words8(alpha == 0);
    const Words8 opaque = Words8(alpha == 255) & (t.opaqueCopies ? ~0u : 0u);
    const Words8 result = transparent != 0 ? target
                          : opaque != 0    ? source
                          : whole != 0     ? target
                                           : blended;
    std::memcpy(d, &result, sizeof result);
    const Words8 left = whole & ~(transparent | opaque);
    const Quads4 any = Quads4(left);
    if ((any[0] | any[1] | any[2] | any[3]) == 0) return;
    for (int k = 0; k < 8; ++k) {
        if (left[k] != 0) BlendOne(t, s + 4 * k, d + 4 * k, last);
    }
}

TINTORA_INLINE void BlendRow(const BlendTables& t, const uint8_t* s, uint8_t* d, int64_t count) {
    LastBlend last;
    // Transparent picture pixels leave the layer as it is; eight opaque ones
    // are copied at once.
    int64_t i = 0;
    for (; i + kTransparentGroup <= count; i += kTransparentGroup) {
        const uint8_t* from = s + 4 * i;
        if (EightTransparent(from)) continue;
        if (t.opaqueCopies && EightOpaque(from)) {
            std::memcpy(d + 4 * i, from, 4 * kTransparentGroup);
            continue;
        }
        BlendEight(t, from, d + 4 * i, last);
    }
    for (; i < count; ++i) BlendOne(t, s + 4 * i, d + 4 * i, last);
}

void BlendRowDefault(const BlendTables& t, const uint8_t* s, uint8_t* d, int64_t count) {
    BlendRow(t, s, d, count);
}

TINTORA_AVX2 void BlendRowAvx2(const BlendTables& t, const uint8_t* s, uint8_t* d, int64_t count) {
    BlendRow(t, s, d, count);
}

}  // namespace

namespace {

// Rows of the source without spans are blended whole.
void BlendRows(MutableRasterView dst, RasterView src, int64_t x, int64_t y, const RowSpan* spans) {
    // Placements that wrap rows or fall partly outside keep the linear
    // addressing of StampRaster; the effects never make them.
    if (x < 0 || y < 0 || x + src.width > dst.width || y + src.height > dst.height ||
        src.height < 1) {
        StampRaster(dst, src, x, y, StampMode::BlendOver);
        return;
    }
    const BlendTables& tables = Tables();
    const bool avx2 = HasAvx2();
    ParallelFor(src.height, 16, [&](int64_t begin, int64_t end, int) {
        for (int64_t r = begin; r < end; ++r) {
            const RowSpan span = spans ? spans[r] : RowSpan{0, src.width - 1};
            if (span.first > span.last) continue;
            const uint8_t* s = src.Pixel(int32_t(span.first), int32_t(r));
            uint8_t* d = dst.Pixel(int32_t(x + span.first), int32_t(y + r));
            const int64_t count = span.last - span.first + 1;
            if (avx2) {
                BlendRowAvx2(tables, s, d, count);
            } else {
                BlendRowDefault(tables, s, d, count);
            }
        }
    });
}

}  // namespace

void BlendOverLayer(MutableRasterView dst, RasterView src, int64_t x, int64_t y) {
    BlendRows(dst, src, x, y, nullptr);
}

void BlendOverLayer(MutableRasterView dst, RasterView src, int64_t x, int64_t y,
                    const std::vector<RowSpan>& spans) {
    BlendRows(dst, src, x, y, spans.size() == size_t(src.height) ? spans.data() : nullptr);
}

}  // namespace engine
