#include "engine/Matte.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/AntiFlicker.h"
#include "engine/CpuFeatures.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// The selection's bounding box starts inverted, as wide as any picture can be.
struct Box {
    int64_t minX = 99999;
    int64_t minY = 99999;
    int64_t maxX = 0;
    int64_t maxY = 0;

    void Include(int64_t x, int64_t y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
};

}  // namespace

uint8_t MatteValue(const uint8_t* q, bool useAlpha) {
    const int value =
        useAlpha ? q[kAlpha] : int(0.59 * q[kGreen] + 0.3 * q[kRed] + 0.11 * q[kBlue] + 0.5);
    return uint8_t(std::min(value, 255));
}

namespace {

struct MatteRows {
    RasterView picture;
    RasterView matte;
    MatteParams params;
    MutableRasterView output;
    int64_t originX;  // the output holds columns and rows from here on
    int64_t originY;
};

// Pixels are done in pieces of this many, their matte values held on the stack.
constexpr int64_t kPiece = 256;

// The matte values of n matte pixels. The luminance is computed in integers:
// with t = 59 G + 30 R + 11 B + 50 (at most 25550), t / 100 (taken as
// t * 5243 >> 19, exact below 43690) is the luminance the effect defines in
// double precision, rounded, wherever t is no multiple of 100; where it is,
// the exact value is a whole number that the double sum may miss by a hair,
// so those few pixels are computed in double precision as defined.
template <bool kUseAlpha>
TINTORA_INLINE void MatteValues(const uint8_t* q, int64_t n, uint8_t* values) {
    if constexpr (kUseAlpha) {
        for (int64_t i = 0; i < n; ++i) values[i] = q[i * kBytesPerPixel + kAlpha];
    } else {
        uint32_t ties = 0;
        for (int64_t i = 0; i < n; ++i) {
            uint32_t m;
            std::memcpy(&m, q + i * kBytesPerPixel, 4);
            const uint32_t t =
                59 * (m >> 8 & 0xFFu) + 30 * (m >> 16 & 0xFFu) + 11 * (m & 0xFFu) + 50;
            const uint32_t v = t * 5243u >> 19;
            ties |= uint32_t(t == v * 100);
            values[i] = uint8_t(v);
        }
        if (ties == 0) return;
        for (int64_t i = 0; i < n; ++i) {
            const uint8_t* m = q + i * kBytesPerPixel;
            const uint32_t t = 59u * m[kGreen] + 30u * m[kRed] + 11u * m[kBlue] + 50;
            if (t % 100 == 0) values[i] = MatteValue(m, false);
        }
    }
}

// Output row y, columns begin .. end - 1, whose picture and matte pixels lie
// at column x + offset; `withMatte` says whether the matte reaches them (else
// the matte value is 0). Each value is the one the effect defines, computed
// in integers without branches, so the loops vectorise: the cropped product,
// defined as the single-precision value of alpha / 255 * picture alpha in
// double precision, truncated, is (alpha * picture alpha * 257 + 257) >> 16
// for every pair of bytes.
template <bool kWithMatte, bool kCrop, bool kUseAlpha>
TINTORA_INLINE void MatteStretch(const MatteRows& rows, int64_t y, int64_t begin, int64_t end) {
    if (end <= begin) return;
    const int64_t sy = y + rows.params.offsetY;
    const int64_t ox = rows.params.offsetX;
    const uint32_t inverted = rows.params.inverse ? 255 : 0;
    const uint8_t* p = rows.picture.Pixel(0, int32_t(sy)) + ox * kBytesPerPixel;
    const uint8_t* q =
        kWithMatte ? rows.matte.Pixel(0, int32_t(sy)) + ox * kBytesPerPixel : nullptr;
    uint8_t* o = rows.output.Pixel(0, int32_t(y - rows.originY));
    uint8_t values[kPiece] = {};
    for (int64_t x0 = begin; x0 < end; x0 += kPiece) {
        const int64_t n = std::min(kPiece, end - x0);
        if constexpr (kWithMatte) MatteValues<kUseAlpha>(q + x0 * kBytesPerPixel, n, values);
        const uint8_t* from = p + x0 * kBytesPerPixel;
        uint8_t* to = o + (x0 - rows.originX) * kBytesPerPixel;
        for (int64_t i = 0; i < n; ++i) {
            uint32_t pixel;
            std::memcpy(&pixel, from + i * kBytesPerPixel, 4);
            const uint32_t v = values[i];
            // 255 - v, for a byte v.
            const uint32_t alpha = v ^ inverted;
            uint32_t a = alpha;
            if constexpr (kCrop) {
                const uint32_t product = (alpha * (pixel >> 24) * 257 + 257) >> 16;
                a = v == 0 ? 0 : product;
            }
            const uint32_t out = a != 0 ? (pixel & 0xFFFFFFu) | a << 24 : 0u;
            std::memcpy(to + i * kBytesPerPixel, &out, 4);
        }
    }
}

template <bool kWithMatte, bool kCrop, bool kUseAlpha>
void MatteStretchDefault(const MatteRows& rows, int64_t y, int64_t begin, int64_t end) {
    MatteStretch<kWithMatte, kCrop, kUseAlpha>(rows, y, begin, end);
}

template <bool kWithMatte, bool kCrop, bool kUseAlpha>
TINTORA_AVX2 void MatteStretchAvx2(const MatteRows& rows, int64_t y, int64_t begin, int64_t end) {
    MatteStretch<kWithMatte, kCrop, kUseAlpha>(rows, y, begin, end);
}

using StretchFunction = void (*)(const MatteRows&, int64_t, int64_t, int64_t);

template <bool kWithMatte>
StretchFunction ChooseStretch(bool avx2, bool crop, bool useAlpha) {
    if (avx2) {
        if (crop) {
            return useAlpha ? MatteStretchAvx2<kWithMatte, true, true>
                            : MatteStretchAvx2<kWithMatte, true, false>;
        }
        return useAlpha ? MatteStretchAvx2<kWithMatte, false, true>
                        : MatteStretchAvx2<kWithMatte, false, false>;
    }
    if (crop) {
        return useAlpha ? MatteStretchDefault<kWithMatte, true, true>
                        : MatteStretchDefault<kWithMatte, true, false>;
    }
    return useAlpha ? MatteStretchDefault<kWithMatte, false, true>
                    : MatteStretchDefault<kWithMatte, false, false>;
}

// The box of the output pixels whose matte pixel's red byte is not 0, over
// rows rowBegin .. rowEnd - 1 and columns columnBegin .. matteEnd - 1 (those
// read inside both the picture and the matte).
Box SelectionBox(RasterView matte, int64_t ox, int64_t oy, int64_t rowBegin, int64_t rowEnd,
                 int64_t columnBegin, int64_t matteEnd) {
    Box boxes[kWorkerCount];
    if (rowEnd <= rowBegin || matteEnd <= columnBegin) return boxes[0];
    ParallelFor(rowEnd - rowBegin, 64, [&](int64_t begin, int64_t end, int worker) {
        for (int64_t y = rowBegin + begin; y < rowBegin + end; ++y) {
            if (y + oy >= matte.height) continue;
            const uint8_t* q = matte.Pixel(0, int32_t(y + oy)) + ox * kBytesPerPixel;
            int64_t first = columnBegin;
            while (first < matteEnd && q[first * kBytesPerPixel + kRed] == 0) ++first;
            if (first == matteEnd) continue;
            int64_t last = matteEnd - 1;
            while (q[last * kBytesPerPixel + kRed] == 0) --last;
            boxes[worker].Include(first, y);
            boxes[worker].Include(last, y);
        }
    });
    Box box = boxes[0];
    for (const Box& other : boxes) {
        if (other.maxX >= other.minX && other.maxY >= other.minY) {
            box.Include(other.minX, other.minY);
            box.Include(other.maxX, other.maxY);
        }
    }
    return box;
}

}  // namespace

Result<Raster> Matte(RasterView picture, RasterView matte, const MatteParams& params) {
    const int64_t w = picture.width;
    const int64_t h = picture.height;

    // Rows and columns that are written: within the matte's size and reading
    // inside the picture (offsets below 0, never given by the dialogs, read
    // nothing either); the rest stays transparent black.
    const int64_t ox = params.offsetX;
    const int64_t oy = params.offsetY;
    const int64_t rows = std::min<int64_t>(matte.height, h);
    const int64_t columns = std::min<int64_t>(matte.width, w);
    const int64_t rowBegin = std::max<int64_t>(0, -oy);
    const int64_t rowEnd = std::min(rows, h - oy);
    const int64_t columnBegin = std::max<int64_t>(0, -ox);
    const int64_t columnEnd = std::min(columns, w - ox);
    // Columns whose matte pixel exists: x + ox below the matte's width.
    const int64_t matteEnd =
        std::clamp<int64_t>(matte.width - ox, columnBegin, std::max(columnBegin, columnEnd));

    // The selection's box depends on the matte alone, so the crop's cut is
    // known first and only the cut is made: no full-size output beside it.
    Box box;
    if (params.crop) box = SelectionBox(matte, ox, oy, rowBegin, rowEnd, columnBegin, matteEnd);
    // A box of one column or one row, or none, leaves the output uncut.
    const bool cut = params.crop && box.maxX > box.minX && box.maxY > box.minY;
    const int64_t originX = cut ? box.minX : 0;
    const int64_t originY = cut ? box.minY : 0;
    const int64_t outWidth = cut ? box.maxX - box.minX + 1 : w;
    const int64_t outHeight = cut ? box.maxY - box.minY + 1 : h;
    const int64_t firstRow = std::max(rowBegin, originY);
    const int64_t lastRow = std::min(rowEnd, originY + outHeight);
    const int64_t firstColumn = std::max(columnBegin, originX);
    const int64_t lastColumn = std::min(columnEnd, originX + outWidth);
    const bool written = lastRow > firstRow && lastColumn > firstColumn;
    // Only what no stretch writes is cleared.
    Raster output = written ? Raster::Allocate(outWidth, outHeight)
                            : Raster::AllocateZeroed(outWidth, outHeight);
    if (!output) return Result<Raster>::OutOfMemory();

    const MatteRows matteRows{picture, matte, params, output.MutableView(), originX, originY};
    const StretchFunction stretchWithMatte =
        ChooseStretch<true>(HasAvx2(), params.crop, params.useAlpha);
    const StretchFunction stretchWithout =
        ChooseStretch<false>(HasAvx2(), params.crop, params.useAlpha);
    if (written) {
        const size_t rowBytes = size_t(outWidth) * kBytesPerPixel;
        const size_t leftBytes = size_t(firstColumn - originX) * kBytesPerPixel;
        const size_t rightAt = size_t(lastColumn - originX) * kBytesPerPixel;
        ParallelFor(outHeight, 16, [&](int64_t begin, int64_t end, int) {
            for (int64_t y = originY + begin; y < originY + end; ++y) {
                uint8_t* row = output.MutableView().Pixel(0, int32_t(y - originY));
                if (y < firstRow || y >= lastRow) {
                    std::memset(row, 0, rowBytes);
                    continue;
                }
                std::memset(row, 0, leftBytes);
                std::memset(row + rightAt, 0, rowBytes - rightAt);
                const bool matteRow = y + oy < matte.height;
                const int64_t withMatte =
                    std::clamp(matteRow ? matteEnd : columnBegin, firstColumn, lastColumn);
                stretchWithMatte(matteRows, y, firstColumn, withMatte);
                stretchWithout(matteRows, y, withMatte, lastColumn);
            }
        });
    }

    if (params.blurX != 0 || params.blurY != 0) {
        return AntiFlicker(output.View(), params.blurX, params.blurY, true);
    }
    return output;
}

}  // namespace engine
