#include "engine/Focus.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

#include "engine/CpuFeatures.h"
#include "engine/ExactQuotient.h"
#include "engine/LargePages.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// Blue, green, red and an unused lane. 32 bits hold the sums of windows of
// fewer than 2^24 pixels, 64 bits any.
using NarrowSums = uint32_t __attribute__((vector_size(16)));
using WideSums = uint64_t __attribute__((vector_size(32)));
using SignedSums = int32_t __attribute__((vector_size(16)));
using Products = double __attribute__((vector_size(32)));
using Means = int32_t __attribute__((vector_size(16)));

// The lane type of the sums: 32 or 64 bits.
template <class Sums>
using Lane = std::remove_cvref_t<decltype(Sums{}[0])>;

// Adds or takes a row's bytes (all four channels; alpha's sums go unused) to
// or from the column sums, lane by lane.
template <class Sums>
TINTORA_INLINE void AddRow(Sums* columns, const uint8_t* row, int64_t width, bool add) {
    Lane<Sums>* lanes = reinterpret_cast<Lane<Sums>*>(columns);
    const int64_t count = width * kBytesPerPixel;
    if (add) {
        for (int64_t i = 0; i < count; ++i) lanes[i] += row[i];
    } else {
        for (int64_t i = 0; i < count; ++i) lanes[i] -= row[i];
    }
}

// The integer means of one window's blue, green and red sums, and the
// pixel's own alpha. Windows of at most kLargestProductCount pixels have sums
// below 2^31 and take a product; larger ones divide in integers.
template <class Sums>
TINTORA_INLINE void MeanPixel(const Sums& sum, int64_t count, const uint8_t* source, uint8_t* o) {
    if constexpr (std::is_same_v<Sums, NarrowSums>) {
        if (count <= kLargestProductCount) {
            const Products quotients =
                __builtin_convertvector(__builtin_bit_cast(SignedSums, sum), Products) *
                QuotientFactor(count);
            const Means means = __builtin_convertvector(quotients, Means);
            for (int c = 0; c < 3; ++c) o[c] = uint8_t(means[c]);
            o[kAlpha] = source[kAlpha];
            return;
        }
    }
    for (int c = 0; c < 3; ++c) o[c] = uint8_t(uint64_t(sum[c]) / uint64_t(count));
    o[kAlpha] = source[kAlpha];
}

// MeanPixel for four neighbouring windows of the same count, from the running
// totals before and after them.
TINTORA_INLINE void MeanFourPixels(const NarrowSums* before, const NarrowSums* after, double factor,
                                   const uint8_t* source, uint8_t* o) {
    // Named, not an array, so that the four stay in registers.
    auto mean = [&](int p) {
        const SignedSums sum = __builtin_bit_cast(SignedSums, after[p] - before[p]);
        return __builtin_bit_cast(
            __m128i,
            __builtin_convertvector(__builtin_convertvector(sum, Products) * factor, Means));
    };
    const __m128i m0 = mean(0), m1 = mean(1), m2 = mean(2), m3 = mean(3);
    // Every mean is a byte: packing with saturation keeps it.
    const __m128i bytes = _mm_packus_epi16(_mm_packus_epi32(m0, m1), _mm_packus_epi32(m2, m3));
    const __m128i alpha = _mm_set1_epi32(int32_t(0xFF000000u));
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                     _mm_or_si128(_mm_and_si128(pixels, alpha), _mm_andnot_si128(alpha, bytes)));
}

struct FocusRows {
    RasterView picture;
    uint8_t* out;
    int64_t r;
};

// Rows begin .. end - 1 of the output. The window sum is separable: column
// sums over the window's rows are kept while sweeping down the rows, and
// sums over columns of them come from their running total (with r zeros in
// front and the whole total repeated behind, so no column needs clipping).
// Integer sums make this identical to summing every window pixel.
template <class Sums>
TINTORA_INLINE void FocusBand(const FocusRows& rows, int64_t begin, int64_t end, Sums* columns,
                              Sums* running) {
    const int64_t w = rows.picture.width;
    const int64_t h = rows.picture.height;
    const int64_t r = rows.r;
    auto addRow = [&](int64_t row, bool add) {
        AddRow(columns, rows.picture.Pixel(0, int32_t(row)), w, add);
    };
    std::fill_n(columns, w, Sums{});
    for (int64_t row = std::max<int64_t>(begin - r, 0); row <= std::min(begin + r - 1, h - 1);
         ++row) {
        addRow(row, true);
    }
    for (int64_t y = begin; y < end; ++y) {
        const int64_t rowCount = std::min(y + r - 1, h - 1) - std::max(y - r, int64_t{0}) + 1;
        Sums total{};
        std::fill_n(running, r + 1, Sums{});
        for (int64_t x = 0; x < w; ++x) {
            total += columns[x];
            running[r + 1 + x] = total;
        }
        std::fill(running + r + 1 + w, running + w + 2 * r + 1, total);
        const uint8_t* source = rows.picture.Pixel(0, int32_t(y));
        uint8_t* target = rows.out + y * w * kBytesPerPixel;
        // Columns whose window lies whole in the row share one count.
        const int64_t innerBegin = std::min(r, w);
        const int64_t innerEnd = std::max(innerBegin, w - r);
        const int64_t innerCount = rowCount * 2 * r;
        int64_t x = 0;
        auto edge = [&](int64_t end) {
            for (; x < end; ++x) {
                const int64_t columnCount = std::min(x + r, w) - std::max(x - r, int64_t{0});
                MeanPixel(running[x + 2 * r] - running[x], rowCount * columnCount,
                          source + x * kBytesPerPixel, target + x * kBytesPerPixel);
            }
        };
        edge(innerBegin);
        if constexpr (std::is_same_v<Sums, NarrowSums>) {
            if (innerCount <= kLargestProductCount) {
                const double factor = QuotientFactor(innerCount);
                for (; x + 4 <= innerEnd; x += 4) {
                    MeanFourPixels(running + x, running + x + 2 * r, factor,
                                   source + x * kBytesPerPixel, target + x * kBytesPerPixel);
                }
            }
        }
        edge(w);
        if (y + r < h) addRow(y + r, true);
        if (y - r >= 0) addRow(y - r, false);
    }
}

template <class Sums>
void FocusBandDefault(const FocusRows& rows, int64_t begin, int64_t end, Sums* columns,
                      Sums* running) {
    FocusBand(rows, begin, end, columns, running);
}

template <class Sums>
TINTORA_AVX2 void FocusBandAvx2(const FocusRows& rows, int64_t begin, int64_t end, Sums* columns,
                                Sums* running) {
    FocusBand(rows, begin, end, columns, running);
}

template <class Sums>
Result<Raster> FocusWith(RasterView picture, int64_t radius, Raster out) {
    const int64_t w = picture.width;
    const int64_t h = picture.height;
    // Per worker: the column sums and their running total.
    const int64_t perWorker = w + (w + 2 * radius + 1);
    const BlockArray<Sums> sums = AllocateScratch<Sums>(size_t(perWorker * kWorkerCount));
    if (!sums) return Result<Raster>::OutOfMemory();
    const FocusRows rows{picture, out.Data(), radius};
    const bool avx2 = HasAvx2();
    ParallelFor(h, std::max<int64_t>(32, 8 * radius), [&](int64_t begin, int64_t end, int worker) {
        Sums* columns = sums.get() + worker * perWorker;
        Sums* running = columns + w;
        if (avx2) {
            FocusBandAvx2(rows, begin, end, columns, running);
        } else {
            FocusBandDefault(rows, begin, end, columns, running);
        }
    });
    return out;
}

}  // namespace

Result<Raster> Focus(RasterView picture, uint32_t r) {
    Raster out = Raster::Allocate(picture.width, picture.height);
    if (!out) return Result<Raster>::OutOfMemory();
    const int64_t w = picture.width;
    const int64_t h = picture.height;
    if (r == 0 || w == 0 || h == 0) {
        std::copy_n(picture.pixels, picture.ByteSize(), out.Data());
        return out;
    }
    PreferLargePages(out);
    // A radius beyond the picture reaches no further than the picture.
    const int64_t radius = std::min<int64_t>(r, std::max(w, h));

    // A window's sum is at most 255 times its pixels; running totals may wrap
    // around 32 bits, their differences stay exact below 2^32.
    const int64_t window = std::min(2 * radius, w) * std::min(2 * radius, h);
    if (window < (int64_t(1) << 24)) return FocusWith<NarrowSums>(picture, radius, std::move(out));
    return FocusWith<WideSums>(picture, radius, std::move(out));
}

}  // namespace engine
