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

// Output row y, columns begin .. end - 1, whose picture and matte pixels lie
// at column x + offset; `withMatte` says whether the matte reaches them (else
// the matte value is 0). Each value is computed as the effect defines it
// (the luminance and the cropped product in the same precisions and order),
// without branches, so the loop vectorises.
template <bool kWithMatte, bool kCrop, bool kUseAlpha>
TINTORA_INLINE void MatteStretch(const MatteRows& rows, int64_t y, int64_t begin, int64_t end) {
    if (end <= begin) return;
    const int64_t sy = y + rows.params.offsetY;
    const int64_t ox = rows.params.offsetX;
    const int32_t inverted = rows.params.inverse ? 255 : 0;
    const uint8_t* p = rows.picture.Pixel(0, int32_t(sy)) + ox * kBytesPerPixel;
    const uint8_t* q =
        kWithMatte ? rows.matte.Pixel(0, int32_t(sy)) + ox * kBytesPerPixel : nullptr;
    uint8_t* o = rows.output.Pixel(0, int32_t(y - rows.originY));
    for (int64_t x = begin; x < end; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, p + x * kBytesPerPixel, 4);
        const int32_t pictureAlpha = int32_t(pixel >> 24);
        int32_t v = 0;
        if constexpr (kWithMatte) {
            uint32_t m;
            std::memcpy(&m, q + x * kBytesPerPixel, 4);
            if constexpr (kUseAlpha) {
                v = int32_t(m >> 24);
            } else {
                v = int32_t(0.59 * double(m >> 8 & 0xFFu) + 0.3 * double(m >> 16 & 0xFFu) +
                            0.11 * double(m & 0xFFu) + 0.5);
                v = v < 255 ? v : 255;
            }
        }
        // 255 - v, for a byte v.
        const int32_t alpha = v ^ inverted;
        int32_t a = alpha;
        if constexpr (kCrop) {
            // The product is kept in single precision.
            float product = float(double(alpha) / 255.0 * double(pictureAlpha));
            product = product < 255.0f ? product : 255.0f;
            const int32_t cropped = alpha == 255 ? pictureAlpha : int32_t(product);
            a = ((pictureAlpha == 0) | (v == 0)) ? 0 : cropped;
        }
        const uint32_t out = a != 0 ? (pixel & 0xFFFFFFu) | uint32_t(a) << 24 : 0u;
        std::memcpy(o + (x - rows.originX) * kBytesPerPixel, &out, 4);
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
    Raster output = Raster::AllocateZeroed(outWidth, outHeight);
    if (!output) return Result<Raster>::OutOfMemory();

    const MatteRows matteRows{picture, matte, params, output.MutableView(), originX, originY};
    const StretchFunction stretchWithMatte =
        ChooseStretch<true>(HasAvx2(), params.crop, params.useAlpha);
    const StretchFunction stretchWithout =
        ChooseStretch<false>(HasAvx2(), params.crop, params.useAlpha);
    const int64_t firstRow = std::max(rowBegin, originY);
    const int64_t lastRow = std::min(rowEnd, originY + outHeight);
    const int64_t firstColumn = std::max(columnBegin, originX);
    const int64_t lastColumn = std::min(columnEnd, originX + outWidth);
    if (lastRow > firstRow && lastColumn > firstColumn) {
        ParallelFor(lastRow - firstRow, 16, [&](int64_t begin, int64_t end, int) {
            for (int64_t y = firstRow + begin; y < firstRow + end; ++y) {
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
