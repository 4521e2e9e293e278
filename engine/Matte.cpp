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
};

// Output row y, columns begin .. end - 1, whose picture and matte pixels lie
// at column x + offset; `withMatte` says whether the matte reaches them (else
// the matte value is 0). Each value is computed as the effect defines it
// (the luminance and the cropped product in the same precisions and order),
// without branches, so the loop vectorises. Returns the first and last
// column whose matte pixel's red byte is not 0 (first > last when none).
template <bool kWithMatte, bool kCrop, bool kUseAlpha>
TINTORA_INLINE void MatteStretch(const MatteRows& rows, int64_t y, int64_t begin, int64_t end,
                                 int64_t& first, int64_t& last) {
    const int64_t sy = y + rows.params.offsetY;
    const int64_t ox = rows.params.offsetX;
    const int32_t inverted = rows.params.inverse ? 255 : 0;
    const uint8_t* p = rows.picture.Pixel(0, int32_t(sy)) + ox * kBytesPerPixel;
    const uint8_t* q =
        kWithMatte ? rows.matte.Pixel(0, int32_t(sy)) + ox * kBytesPerPixel : nullptr;
    uint8_t* o = rows.output.Pixel(0, int32_t(y));
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
        std::memcpy(o + x * kBytesPerPixel, &out, 4);
    }
    if constexpr (kWithMatte) {
        for (int64_t x = begin; x < end; ++x) {
            if (q[x * kBytesPerPixel + kRed] != 0) {
                first = std::min(first, x);
                break;
            }
        }
        for (int64_t x = end - 1; x >= begin && x > last; --x) {
            if (q[x * kBytesPerPixel + kRed] != 0) {
                last = x;
                break;
            }
        }
    }
}

// The stretch's loop built for the flags it has, so that none is tested per pixel.
template <bool kWithMatte, bool kCrop, bool kUseAlpha>
void MatteStretchDefault(const MatteRows& rows, int64_t y, int64_t begin, int64_t end,
                         int64_t& first, int64_t& last) {
    MatteStretch<kWithMatte, kCrop, kUseAlpha>(rows, y, begin, end, first, last);
}

template <bool kWithMatte, bool kCrop, bool kUseAlpha>
TINTORA_AVX2 void MatteStretchAvx2(const MatteRows& rows, int64_t y, int64_t begin, int64_t end,
                                   int64_t& first, int64_t& last) {
    MatteStretch<kWithMatte, kCrop, kUseAlpha>(rows, y, begin, end, first, last);
}

using StretchFunction = void (*)(const MatteRows&, int64_t, int64_t, int64_t, int64_t&, int64_t&);

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

}  // namespace

Result<Raster> Matte(RasterView picture, RasterView matte, const MatteParams& params) {
    const int64_t w = picture.width;
    const int64_t h = picture.height;
    Raster output = Raster::AllocateZeroed(picture.width, picture.height);
    if (!output) return Result<Raster>::OutOfMemory();

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

    const MatteRows matteRows{picture, matte, params, output.MutableView()};
    Box boxes[kWorkerCount];
    const StretchFunction stretchWithMatte =
        ChooseStretch<true>(HasAvx2(), params.crop, params.useAlpha);
    const StretchFunction stretchWithout =
        ChooseStretch<false>(HasAvx2(), params.crop, params.useAlpha);
    if (rowEnd > rowBegin && columnEnd > columnBegin) {
        ParallelFor(rowEnd - rowBegin, 16, [&](int64_t begin, int64_t end, int worker) {
            for (int64_t y = rowBegin + begin; y < rowBegin + end; ++y) {
                const bool matteRow = y + oy < matte.height;
                const int64_t withMatte = matteRow ? matteEnd : columnBegin;
                int64_t first = INT64_MAX;
                int64_t last = -1;
                stretchWithMatte(matteRows, y, columnBegin, withMatte, first, last);
                stretchWithout(matteRows, y, withMatte, columnEnd, first, last);
                if (first <= last) {
                    boxes[worker].Include(first, y);
                    boxes[worker].Include(last, y);
                }
            }
        });
    }
    Box box = boxes[0];
    for (const Box& other : boxes) {
        if (other.maxX >= other.minX) {
            box.Include(other.minX, other.minY);
            box.Include(other.maxX, other.maxY);
        }
    }

    // A box of one column or one row, or none, leaves the output uncut.
    if (params.crop && box.maxX > box.minX && box.maxY > box.minY) {
        const int64_t cutWidth = box.maxX - box.minX + 1;
        const int64_t cutHeight = box.maxY - box.minY + 1;
        Raster cut = Raster::Allocate(int32_t(cutWidth), int32_t(cutHeight));
        if (!cut) return Result<Raster>::OutOfMemory();
        for (int64_t y = 0; y < cutHeight; ++y) {
            std::memcpy(cut.MutableView().Pixel(0, int32_t(y)),
                        output.View().Pixel(int32_t(box.minX), int32_t(box.minY + y)),
                        size_t(cutWidth) * kBytesPerPixel);
        }
        output = std::move(cut);
    }

    if (params.blurX != 0 || params.blurY != 0) {
        return AntiFlicker(output.View(), params.blurX, params.blurY, true);
    }
    return output;
}

}  // namespace engine
