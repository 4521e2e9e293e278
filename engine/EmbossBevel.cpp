#include "engine/EmbossBevel.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/CpuFeatures.h"
#include "engine/LargePages.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

constexpr double kRadiansPerDegree = 0.0174532925;

// Columns 0, 1, W - 2 and W - 1 and rows 0, 1, H - 2 and H - 1 become 0.
void ClearFrame(MutableRasterView picture) {
    const int32_t w = picture.width;
    const int32_t h = picture.height;
    for (int32_t y = 0; y < h; ++y) {
        if (y <= 1 || y >= h - 2) {
            std::memset(picture.Pixel(0, y), 0, size_t(w) * kBytesPerPixel);
            continue;
        }
        for (const int32_t x : {0, 1, w - 2, w - 1}) {
            if (x >= 0 && x < w) std::memset(picture.Pixel(x, y), 0, kBytesPerPixel);
        }
    }
}

}  // namespace

LightVector EmbossLight(int32_t azimuthDegrees, int32_t elevationDegrees) {
    const double azimuth = double(azimuthDegrees) * kRadiansPerDegree;
    const double elevation = double(elevationDegrees) * kRadiansPerDegree;
    return {int32_t(std::cos(azimuth) * std::cos(elevation) * 255.9),
            int32_t(std::sin(azimuth) * std::cos(elevation) * 255.9),
            int32_t(std::sin(elevation) * 255.9)};
}

namespace {

struct Relief {
    RasterView picture;  // the picture, its frame cleared, at (offset, offset) of the canvas
    int64_t offset;
    int64_t width;   // Wc
    int64_t height;  // Hc
    int64_t k;
    int64_t nz;
    LightVector light;
    const uint8_t* alpha;    // the canvas's alphas, Wc x Hc
    const uint32_t* prefix;  // per canvas row, the running total of its alphas
};

// One canvas row's alphas (the picture row at `offset`, or none) and their
// running total. (Values, not captures: byte stores could alias a captured
// size and stop vectorisation.)
void CanvasAlphaRow(const uint8_t* pictureRow, int64_t pictureWidth, int64_t offset, int64_t wc,
                    uint8_t* alpha, uint32_t* prefix) {
    std::memset(alpha, 0, size_t(wc));
    if (pictureRow) {
        uint8_t* a = alpha + offset;
        for (int64_t c = 0; c < pictureWidth; ++c) a[c] = pictureRow[c * kBytesPerPixel + kAlpha];
    }
    // Wrapping sums: each difference over a row's stretch is exact.
    uint32_t total = 0;
    for (int64_t c = 0; c < wc; ++c) prefix[c] = total += alpha[c];
}

// The shade of one normal, exactly as the effect defines it, in 64-bit integers.
int64_t Shade(int64_t nx, int64_t ny, const Relief& relief) {
    if (nx == 0 && ny == 0) return relief.light.z;
    const int64_t dot = nx * relief.light.x + ny * relief.light.y + relief.nz * relief.light.z;
    if (dot < 0) return 0;
    const int64_t squares = nx * nx + ny * ny + relief.nz * relief.nz;
    return int64_t(double(dot) / std::sqrt(double(squares)));
}

// Windows up to this half-width keep every product and sum of the shade below
// 2^53, where double arithmetic on integers is exact; the shade is then the
// same computed in double.
constexpr int64_t kExactInDouble = 100000;

// The alpha sums of canvas row `row` over columns lo .. hi.
TINTORA_INLINE int64_t RowSum(const Relief& relief, int64_t row, int64_t lo, int64_t hi) {
    const uint32_t* p = relief.prefix + row * relief.width;
    return int64_t(p[hi] - (lo > 0 ? p[lo - 1] : 0u));
}

// The shade's constant terms in double: the light and the normal's height.
struct ShadeTerms {
    double lx, ly, lz, nz;
    int32_t height;  // the light's height: the shade of a flat normal
    explicit ShadeTerms(const Relief& relief)
        : lx(relief.light.x),
          ly(relief.light.y),
          lz(relief.light.z),
          nz(double(relief.nz)),
          height(relief.light.z) {}
};

// Shade's value computed in double, exact for windows up to kExactInDouble.
// Every normal divides, without a branch, and only the shades that are
// quotients keep theirs. (Squares are 0 only for a flat normal with a depth
// beyond the window.)
TINTORA_INLINE int32_t ShadeInDouble(int32_t nxValue, int32_t nyValue, const ShadeTerms& t) {
    const double nx = nxValue;
    const double ny = nyValue;
    const double dot = nx * t.lx + ny * t.ly + t.nz * t.lz;
    const double squares = nx * nx + ny * ny + t.nz * t.nz;
    const int32_t quotient = int32_t(dot / std::sqrt(squares > 0 ? squares : 1.0));
    const int32_t shade = dot < 0 ? 0 : quotient;
    return nxValue == 0 && nyValue == 0 ? t.height : shade;
}

using Pair = double __attribute__((vector_size(16)));

// ShadeInDouble of two normals, their square roots and quotients taken
// together: the same operations lane by lane.
TINTORA_INLINE void ShadeTwo(const int32_t* nxs, const int32_t* nys, const ShadeTerms& t,
                             int32_t* shades) {
    const Pair nx = {double(nxs[0]), double(nxs[1])};
    const Pair ny = {double(nys[0]), double(nys[1])};
    const Pair dot = nx * t.lx + ny * t.ly + t.nz * t.lz;
    Pair squares = nx * nx + ny * ny + t.nz * t.nz;
    squares = squares > 0 ? squares : Pair{1.0, 1.0};
    const Pair quotient = dot / Pair(_mm_sqrt_pd(squares));
    for (int i = 0; i < 2; ++i) {
        const int32_t shade = dot[i] < 0 ? 0 : int32_t(quotient[i]);
        shades[i] = nxs[i] == 0 && nys[i] == 0 ? t.height : shade;
    }
}

// Output rows begin .. end - 1 (within 1 .. Hc - 2). The window's edge columns
// are vertical sums kept per column while going down the rows; its edge rows
// are sums along a row from running totals. Both are the integer sums of the
// same taps the window adds one by one.
TINTORA_INLINE void LightRows(const Relief& relief, int64_t begin, int64_t end, uint8_t* output,
                              int32_t* columns, int32_t* nxs, int32_t* nys, int32_t* shades) {
    const int64_t wc = relief.width;
    const int64_t hc = relief.height;
    const int64_t k = relief.k;
    const int64_t lastRow = hc - 4;  // the taps' rows are 0 .. Hc - 4
    auto addRow = [&](int64_t row, int32_t sign) {
        if (row < 0 || row > lastRow) return;
        const uint8_t* a = relief.alpha + row * wc;
        for (int64_t c = 0; c < wc; ++c) columns[c] += sign * int32_t(a[c]);
    };
    std::fill_n(columns, wc, 0);
    for (int64_t row = begin - 1 - k; row <= begin - 1 + k; ++row) addRow(row, 1);
    const bool inDouble = k <= kExactInDouble;
    // Columns whose taps all pass their tests; the others take the general way.
    const int64_t interiorBegin = std::max<int64_t>(k + 1, 1);
    const int64_t interiorEnd = std::max(interiorBegin, std::min<int64_t>(wc - 2 - k, wc - 1));
    for (int64_t y = begin; y < end; ++y) {
        uint8_t* target = output + y * wc * kBytesPerPixel;
        const bool top = y - k >= 1;
        const bool bottom = y + k <= hc - 3;
        auto general = [&](int64_t x) {
            int64_t nx = 0;
            if (x - k >= 1) nx += columns[x - k];
            if (x + k <= wc - 3) nx -= columns[x + k];
            const int64_t lo = std::max<int64_t>(x - k, 1);
            const int64_t hi = std::max<int64_t>(x, std::min<int64_t>(x + k, wc - 3));
            int64_t ny = 0;
            if (top) ny += RowSum(relief, y - 1 - k, lo, hi);
            if (bottom) ny -= RowSum(relief, y - 1 + k, lo, hi);
            nxs[x] = int32_t(nx);
            nys[x] = int32_t(ny);
        };
        for (int64_t x = 1; x < std::min(interiorBegin, wc - 1); ++x) general(x);
        {
            // Here the edge rows' sums run over columns x - k .. x + k. One
            // loop for each case, so that each vectorises.
            const uint32_t* above = top ? relief.prefix + (y - 1 - k) * wc : nullptr;
            const uint32_t* below = bottom ? relief.prefix + (y - 1 + k) * wc : nullptr;
            for (int64_t x = interiorBegin; x < interiorEnd; ++x) {
                nxs[x] = columns[x - k] - columns[x + k];
            }
            if (top && bottom) {
                for (int64_t x = interiorBegin; x < interiorEnd; ++x) {
                    nys[x] = int32_t(above[x + k] - above[x - k - 1]) -
                             int32_t(below[x + k] - below[x - k - 1]);
                }
            } else if (top) {
                for (int64_t x = interiorBegin; x < interiorEnd; ++x) {
                    nys[x] = int32_t(above[x + k] - above[x - k - 1]);
                }
            } else if (bottom) {
                for (int64_t x = interiorBegin; x < interiorEnd; ++x) {
                    nys[x] = -int32_t(below[x + k] - below[x - k - 1]);
                }
            } else {
                std::fill(nys + interiorBegin, nys + interiorEnd, 0);
            }
        }
        for (int64_t x = std::max(interiorEnd, interiorBegin); x <= wc - 2; ++x) general(x);
        if (inDouble) {
            const ShadeTerms terms(relief);
            // Where the alphas do not change (transparent surroundings, opaque
            // insides) eight normals at a time are flat, and their shade is
            // the light's height without a square root.
            constexpr int64_t kGroup = 8;
            int64_t x = 1;
            for (; x + kGroup <= wc - 1; x += kGroup) {
                int32_t any = 0;
                for (int64_t i = 0; i < kGroup; ++i) any |= nxs[x + i] | nys[x + i];
                if (any == 0) {
                    std::fill_n(shades + x, kGroup, relief.light.z);
                } else {
                    for (int64_t i = 0; i < kGroup; i += 2)
                        ShadeTwo(nxs + x + i, nys + x + i, terms, shades + x + i);
                }
            }
            for (; x < wc - 1; ++x) shades[x] = ShadeInDouble(nxs[x], nys[x], terms);
        } else {
            for (int64_t x = 1; x <= wc - 2; ++x)
                shades[x] = int32_t(Shade(nxs[x], nys[x], relief));
        }
        // The canvas is the picture at (offset, offset) on transparent black,
        // which shades to transparent black.
        const int64_t pictureRow = y - relief.offset;
        int64_t first = 1;
        int64_t last = 0;
        if (pictureRow >= 0 && pictureRow < relief.picture.height) {
            first = std::max<int64_t>(relief.offset, 1);
            last = std::min<int64_t>(relief.offset + relief.picture.width - 1, wc - 2);
        }
        std::memset(target, 0, size_t(std::max<int64_t>(first, 0)) * kBytesPerPixel);
        if (last >= first) {
            const uint8_t* t = relief.picture.Pixel(0, int32_t(std::max<int64_t>(pictureRow, 0))) +
                               (first - relief.offset) * kBytesPerPixel;
            for (int64_t x = first; x <= last; ++x, t += kBytesPerPixel) {
                uint32_t pixel;
                std::memcpy(&pixel, t, 4);
                const uint32_t shade = uint32_t(shades[x]);
                pixel = ((pixel & 0xFFu) * shade >> 8) | ((pixel >> 8 & 0xFFu) * shade >> 8) << 8 |
                        ((pixel >> 16 & 0xFFu) * shade >> 8) << 16 | (pixel & 0xFF000000u);
                std::memcpy(target + x * kBytesPerPixel, &pixel, 4);
            }
        }
        const int64_t rest = std::max(last + 1, first);
        std::memset(target + rest * kBytesPerPixel, 0, size_t(wc - rest) * kBytesPerPixel);
        addRow(y + k, 1);
        addRow(y - 1 - k, -1);
    }
}

void LightRowsDefault(const Relief& relief, int64_t begin, int64_t end, uint8_t* output,
                      int32_t* columns, int32_t* nxs, int32_t* nys, int32_t* shades) {
    LightRows(relief, begin, end, output, columns, nxs, nys, shades);
}

TINTORA_AVX2 void LightRowsAvx2(const Relief& relief, int64_t begin, int64_t end, uint8_t* output,
                                int32_t* columns, int32_t* nxs, int32_t* nys, int32_t* shades) {
    LightRows(relief, begin, end, output, columns, nxs, nys, shades);
}

}  // namespace

Result<Raster> EmbossBevel(MutableRasterView picture, const EmbossBevelParams& params) {
    ClearFrame(picture);

    // The dialog gives sizes 0 .. 20 and depths 1 or 4; others are held in a
    // range where the arithmetic stays defined.
    const int64_t s = std::clamp(params.size, 0, 1 << 20);
    const int64_t depth = std::max(params.depth, 1);
    const int64_t wc = int64_t(picture.width) + s;
    const int64_t hc = int64_t(picture.height) + s;
    Raster output = Raster::Allocate(wc, hc);
    if (!output) return Result<Raster>::OutOfMemory();
    PreferLargePages(output);
    // In place of the canvas (the picture placed at (s / 2, s / 2) on zeros,
    // which is read where it lies) the running totals of its alphas, row by row.
    const size_t pixels = size_t(wc) * size_t(hc);
    // Every row of both is written whole below.
    const BlockArray<uint32_t> prefix = AllocateUnsetScratch<uint32_t>(pixels);
    if (!prefix) return Result<Raster>::OutOfMemory();
    const BlockArray<uint8_t> alpha = AllocateUnsetScratch<uint8_t>(pixels);
    if (!alpha) return Result<Raster>::OutOfMemory();
    const int64_t offset = s / 2;
    ParallelFor(hc, 64, [&](int64_t begin, int64_t end, int) {
        for (int64_t r = begin; r < end; ++r) {
            const int64_t pictureRow = r - offset;
            const bool inPicture = pictureRow >= 0 && pictureRow < picture.height;
            CanvasAlphaRow(inPicture ? picture.Pixel(0, int32_t(pictureRow)) : nullptr,
                           picture.width, offset, wc, alpha.get() + r * wc, prefix.get() + r * wc);
        }
    });

    const int64_t k = s == 0 ? 1 : s;
    const Relief relief{RasterView(picture),
                        offset,
                        wc,
                        hc,
                        k,
                        ((2 * k + 1) * 255) / depth,
                        EmbossLight(params.azimuth, params.elevation),
                        alpha.get(),
                        prefix.get()};
    // The outermost frame of the output stays 0.
    if (hc > 0) std::memset(output.Data(), 0, size_t(wc) * kBytesPerPixel);
    if (hc > 1)
        std::memset(output.MutableView().Pixel(0, int32_t(hc - 1)), 0, size_t(wc) * kBytesPerPixel);
    if (hc > 2 && wc < 2) {
        for (int64_t y = 1; y <= hc - 2; ++y)
            std::memset(output.MutableView().Pixel(0, int32_t(y)), 0, size_t(wc) * kBytesPerPixel);
    }
    if (hc <= 2 || wc < 2) return output;

    std::vector<int32_t> scratch[kWorkerCount];
    for (std::vector<int32_t>& mine : scratch) mine.resize(size_t(wc) * 4);
    const bool avx2 = HasAvx2();
    ParallelFor(hc - 2, std::max<int64_t>(16, 4 * k), [&](int64_t begin, int64_t end, int worker) {
        int32_t* columns = scratch[worker].data();
        if (avx2) {
            LightRowsAvx2(relief, begin + 1, end + 1, output.Data(), columns, columns + wc,
                          columns + 2 * wc, columns + 3 * wc);
        } else {
            LightRowsDefault(relief, begin + 1, end + 1, output.Data(), columns, columns + wc,
                             columns + 2 * wc, columns + 3 * wc);
        }
    });
    return output;
}

}  // namespace engine
