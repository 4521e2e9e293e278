#include "engine/BorderStamps.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/CpuFeatures.h"
#include "engine/Opacity.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// Columns of a layer row added up at once, kept in the processor's registers
// and first-level cache while every stamp adds to them.
constexpr int64_t kTile = 1024;

// Stretches of a silhouette row that hold alphas other than 0, as columns
// begin .. end - 1; gaps shorter than this are kept inside a stretch.
constexpr int64_t kShortGap = 64;

struct Stretch {
    int32_t begin;
    int32_t end;
};

// The stretches of every row: those of row r at stretches[first[r]] ..
// stretches[first[r + 1] - 1].
struct RowStretches {
    std::vector<uint32_t> first;
    std::vector<Stretch> stretches;
};

// Adds the source's alphas to the tile, capped at 255 each time. Capped adds
// of amounts that are never negative give min(255, total), whatever their
// order, so the layer's stamps may be added in any order and stopped once
// every value is 255.
TINTORA_INLINE void AddCapped(uint8_t* tile, const uint8_t* source, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t room = uint8_t(~tile[i]);
        tile[i] = uint8_t(tile[i] + (source[i] < room ? source[i] : room));
    }
}

TINTORA_INLINE bool AllCapped(const uint8_t* tile) {
    uint8_t all = 255;
    for (int64_t i = 0; i < kTile; ++i) all &= tile[i];
    return all == 255;
}

struct LayerRows {
    const uint8_t* alphas;
    int64_t width;
    int64_t height;
    const std::vector<StampPoint>* points;  // sorted by row
    const RowStretches* stretches;
    uint32_t colour;
    const uint8_t* scale;
};

// One layer row: the capped sums tile by tile over the stamps that reach the
// row, the colour where any stamp reaches.
TINTORA_INLINE void StampRow(const LayerRows& rows, int64_t y, MutableRasterView layer,
                             uint8_t* sums, int32_t* coverage) {
    const std::vector<StampPoint>& points = *rows.points;
    const int64_t layerWidth = layer.width;
    uint8_t* target = layer.pixels + y * layerWidth * kBytesPerPixel;
    // The stamps whose rows y - height + 1 .. y cover this row.
    const auto first = std::lower_bound(points.begin(), points.end(), y - rows.height + 1,
                                        [](const StampPoint& p, int64_t v) { return p.y < v; });
    const auto last = std::upper_bound(first, points.end(), y,
                                       [](int64_t v, const StampPoint& p) { return v < p.y; });
    if (first == last || rows.width == 0) {
        std::memset(target, 0, size_t(layerWidth) * kBytesPerPixel);
        return;
    }
    std::fill_n(coverage, layerWidth + 1, 0);
    for (auto p = first; p != last; ++p) {
        ++coverage[p->x];
        --coverage[p->x + rows.width];
    }
    for (int64_t t0 = 0; t0 < layerWidth; t0 += kTile) {
        alignas(32) uint8_t tile[kTile] = {};
        const int64_t t1 = std::min(t0 + kTile, layerWidth);
        int stamped = 0;
        for (auto p = first; p != last; ++p) {
            const int64_t sourceRow = y - p->y;
            const uint8_t* source = rows.alphas + sourceRow * rows.width;
            const uint32_t end = rows.stretches->first[size_t(sourceRow) + 1];
            bool added = false;
            for (uint32_t i = rows.stretches->first[size_t(sourceRow)]; i < end; ++i) {
                const Stretch& stretch = rows.stretches->stretches[i];
                const int64_t lo = std::max(t0, p->x + stretch.begin);
                const int64_t hi = std::min(t1, p->x + stretch.end);
                if (lo >= hi) continue;
                AddCapped(tile + (lo - t0), source + (lo - p->x), hi - lo);
                added = true;
            }
            if (added && ++stamped % 8 == 0 && AllCapped(tile)) break;
        }
        std::memcpy(sums + t0, tile, size_t(t1 - t0));
    }
    int32_t covered = 0;
    for (int64_t x = 0; x < layerWidth; ++x) {
        covered += coverage[x];
        const uint32_t pixel = (covered > 0 ? rows.colour : 0u) | uint32_t(rows.scale[sums[x]])
                                                                      << 24;
        std::memcpy(target + x * kBytesPerPixel, &pixel, 4);
    }
}

void StampRowDefault(const LayerRows& rows, int64_t y, MutableRasterView layer, uint8_t* sums,
                     int32_t* coverage) {
    StampRow(rows, y, layer, sums, coverage);
}

TINTORA_AVX2 void StampRowAvx2(const LayerRows& rows, int64_t y, MutableRasterView layer,
                               uint8_t* sums, int32_t* coverage) {
    StampRow(rows, y, layer, sums, coverage);
}

}  // namespace

std::vector<StampPoint> CirclePoints(int64_t s) {
    std::vector<StampPoint> points;
    points.reserve(size_t(std::max<int64_t>(4 * s, 0)));
    auto half = [&](int64_t i) {
        return int64_t(std::sqrt(double(s) * double(s) - double(i * i)) + 0.5);
    };
    for (int64_t i = -s; i < s; ++i) {
        const int64_t d = half(i);
        points.push_back({i + s, s + d});
        points.push_back({i + s, s - d});
    }
    for (int64_t i = -s; i < s; ++i) {
        const int64_t d = half(i);
        points.push_back({s + d, i + s});
        points.push_back({s - d, i + s});
    }
    return points;
}

void StampLayer(MutableRasterView layer, const uint8_t* alphas, int32_t width, int32_t height,
                int64_t s, EffectColor colour, int32_t opacityPercent) {
    std::vector<StampPoint> points = height > 0 ? CirclePoints(s) : std::vector<StampPoint>{};
    std::stable_sort(points.begin(), points.end(),
                     [](const StampPoint& a, const StampPoint& b) { return a.y < b.y; });
    RowStretches stretches;
    stretches.first.reserve(size_t(height) + 1);
    for (int64_t r = 0; r < height; ++r) {
        stretches.first.push_back(uint32_t(stretches.stretches.size()));
        const uint8_t* row = alphas + r * width;
        for (int64_t x = 0; x < width;) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            int64_t end = x + 1;
            for (int64_t gap = 0; end + gap < width && gap < kShortGap;) {
                if (row[end + gap] != 0) {
                    end += gap + 1;
                    gap = 0;
                } else {
                    ++gap;
                }
            }
            stretches.stretches.push_back({int32_t(x), int32_t(end)});
            x = end;
        }
    }
    stretches.first.push_back(uint32_t(stretches.stretches.size()));
    // The opacity's scaling of every alpha, as the effect computes it.
    uint8_t scale[256];
    const float factor = OpacityFactor(opacityPercent);
    for (int a = 0; a < 256; ++a) {
        scale[a] = opacityPercent == 100 ? uint8_t(a) : ScaleAlpha(uint8_t(a), factor);
    }
    const uint32_t bgr =
        uint32_t(colour.blue) | uint32_t(colour.green) << 8 | uint32_t(colour.red) << 16;
    const LayerRows rows{alphas, width, height, &points, &stretches, bgr, scale};

    const int64_t layerWidth = layer.width;
    std::vector<uint8_t> sums[kWorkerCount];
    std::vector<int32_t> coverage[kWorkerCount];
    for (int w = 0; w < kWorkerCount; ++w) {
        sums[w].resize(size_t(layerWidth) + kTile);
        coverage[w].resize(size_t(layerWidth) + 1);
    }
    const bool avx2 = HasAvx2();
    ParallelFor(layer.height, 4, [&](int64_t begin, int64_t end, int worker) {
        for (int64_t y = begin; y < end; ++y) {
            if (avx2) {
                StampRowAvx2(rows, y, layer, sums[worker].data(), coverage[worker].data());
            } else {
                StampRowDefault(rows, y, layer, sums[worker].data(), coverage[worker].data());
            }
        }
    });
}

}  // namespace engine
