#include "engine/BorderStamps.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "engine/CpuFeatures.h"
#include "engine/Opacity.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

// A layer row is summed a tile at a time, eight vectors held in registers
// while every stamp adds to them: 256 columns with AVX2, 128 without.
constexpr int64_t kVectorsPerTile = 8;
constexpr int64_t kWidestTile = 256;

// A point of the circle with the number of times it is stamped.
struct Stamp {
    int64_t x;
    int64_t y;
    int32_t times;
};

// The circle's points, each once with its count, sorted by row; in a row,
// the points met once before those met more often, each part by column.
std::vector<Stamp> Stamps(int64_t s) {
    std::map<std::pair<int64_t, int64_t>, int32_t> counts;
    for (const StampPoint& p : CirclePoints(s)) ++counts[{p.y, p.x}];
    std::vector<Stamp> stamps;
    for (const auto& [at, times] : counts) stamps.push_back({at.second, at.first, times});
    std::stable_sort(stamps.begin(), stamps.end(), [](const Stamp& a, const Stamp& b) {
        return a.y != b.y ? a.y < b.y : (a.times > 1) < (b.times > 1);
    });
    return stamps;
}

// The silhouette's alphas, rows padded with zeros on both sides, so that a
// tile reads whole vectors even where a stamp reaches past the picture's edge.
struct Plane {
    int64_t width;
    int64_t height;
    int64_t pad;
    int64_t stride;
    uint8_t* bytes;

    Plane(int32_t w, int32_t h, int64_t s, uint8_t* memory)
        : width(w), height(h), pad(2 * s + kWidestTile), stride(w + 2 * pad), bytes(memory) {}
    size_t Bytes() const { return size_t(stride) * size_t(height); }
    uint8_t* Row(int64_t row) const { return bytes + size_t(row) * size_t(stride) + size_t(pad); }
};

// Row r of the plane. (Values, not captures: byte stores could alias a
// captured size and stop vectorisation.)
void FillPlaneRow(const Plane& plane, int64_t r, const uint8_t* row, int64_t width) {
    const int64_t pad = plane.pad;
    uint8_t* alphas = plane.Row(r);
    std::memset(alphas - pad, 0, size_t(pad));
    std::memset(alphas + width, 0, size_t(pad));
    for (int64_t x = 0; x < width; ++x) alphas[x] = row[x * kBytesPerPixel + kAlpha];
}

// The first and last column of a row of alphas that is not 0, eight at a
// time where they are.
RowSpan SpanOf(const uint8_t* alphas, int64_t width) {
    auto zeros = [&](int64_t x) {
        uint64_t eight;
        std::memcpy(&eight, alphas + x, 8);
        return eight == 0;
    };
    RowSpan span{0, width - 1};
    while (span.first + 8 <= width && zeros(span.first)) span.first += 8;
    while (span.first < width && alphas[span.first] == 0) ++span.first;
    while (span.last - 7 >= span.first && zeros(span.last - 7)) span.last -= 8;
    while (span.last >= span.first && alphas[span.last] == 0) --span.last;
    return span;
}

// The stamps of one row of the circle (one y): their source row is the same,
// so that a group whose columns miss the source row's span is passed over
// at once. The points met once come first and are added without a count.
struct StampGroup {
    int64_t y;
    int64_t xMin;
    int64_t xMax;
    const Stamp* begin;
    const Stamp* repeated;  // the first point met more than once, or end
    const Stamp* end;
};

struct LayerRows {
    const Plane* plane;
    const std::vector<StampGroup>* groups;
    const std::vector<const StampGroup*>* groupOfRow;  // by the circle's row, null for none
    const std::vector<RowSpan>* spans;
    int64_t size;
};

// Capped byte adds of amounts that are never negative give min(255, total)
// whatever their order, so the stamps may be added in any order, and a tile
// stops once every value is 255.
using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Bytes32 = uint8_t __attribute__((vector_size(32)));

// Whether every byte is 255: one test of the halves and-ed together.
TINTORA_INLINE bool AllFull(const Bytes16& bytes) { return _mm_test_all_ones(__m128i(bytes)); }
TINTORA_INLINE bool AllFull(const Bytes32& bytes) {
    return AllFull(Bytes16(__builtin_shufflevector(bytes, bytes, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
                                                   11, 12, 13, 14, 15) &
                           __builtin_shufflevector(bytes, bytes, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                                                   25, 26, 27, 28, 29, 30, 31)));
}

using GroupIterator = std::vector<StampGroup>::const_iterator;

// The groups whose rows y - height + 1 .. y cover layer row y.
struct RowStamps {
    GroupIterator first;
    GroupIterator last;
};

RowStamps StampsOverRow(const LayerRows& rows, int64_t y) {
    const std::vector<StampGroup>& groups = *rows.groups;
    const auto first = std::lower_bound(groups.begin(), groups.end(), y - rows.plane->height + 1,
                                        [](const StampGroup& g, int64_t v) { return g.y < v; });
    const auto last = std::upper_bound(first, groups.end(), y,
                                       [](int64_t v, const StampGroup& g) { return v < g.y; });
    return {first, last};
}

// The stamps, sorted as Stamps sorts them, in groups of one row each.
std::vector<StampGroup> Groups(const std::vector<Stamp>& stamps) {
    std::vector<StampGroup> groups;
    for (const Stamp& stamp : stamps) {
        if (groups.empty() || groups.back().y != stamp.y) {
            groups.push_back({stamp.y, stamp.x, stamp.x, &stamp, &stamp, &stamp});
        }
        StampGroup& group = groups.back();
        group.xMin = std::min(group.xMin, stamp.x);
        group.xMax = std::max(group.xMax, stamp.x);
        if (stamp.times == 1) group.repeated = &stamp + 1;
        group.end = &stamp + 1;
    }
    return groups;
}

// Layer rows are made a band at a time, and in a band tile by tile: every
// row's tile before the next tile, so that the source rows under a tile stay
// in the cache for all the band's rows that stamp them (a row of a large
// circle reads 2s + 1 source rows across the whole width).
constexpr int64_t kBandRows = 32;

// The capped sums of a band's rows y0 .. y1 - 1 over one tile, columns
// t0 .. t0 + tile - 1, row y at sums + (y - y0) * stride. Source row by source
// row: the part of a source row under the tile is read by up to a band's rows
// (each through the circle's row between them), so it is read from the
// nearest cache once the first has fetched it. Each row's sums wait in `sums`
// (a band's tile fits that cache too) and take the stamps of one circle row
// at a time in registers.
template <class Vector>
TINTORA_INLINE void SumTile(const LayerRows& rows, int64_t y0, int64_t y1, int64_t t0,
                            uint8_t* sums, int64_t stride) {
    constexpr int64_t kBytes = sizeof(Vector);
    constexpr int64_t kTile = kBytes * kVectorsPerTile;
    const Plane& plane = *rows.plane;
    const int64_t s = rows.size;
    auto capped = [](Vector& sum, const Vector& add) {
        const Vector room = ~sum;
        sum += add < room ? add : room;
    };
    // Adds min(255, times * alpha) for a point met `times` times: as many
    // capped adds of the alpha.
    auto addCapped = [&](Vector& tile, const uint8_t* source, int32_t times) {
        Vector add;
        std::memcpy(&add, source, kBytes);
        Vector many = add;
        for (int32_t k = 1; k < times; ++k) capped(many, add);
        capped(tile, many);
    };
    for (int64_t y = y0; y < y1; ++y) std::memset(sums + (y - y0) * stride, 0, size_t(kTile));
    // Rows whose every value is 255 take no more stamps.
    bool full[kBandRows] = {};
    const int64_t firstSource = std::max<int64_t>(0, y0 - 2 * s);
    const int64_t lastSource = std::min<int64_t>(plane.height - 1, y1 - 1);
    for (int64_t r = firstSource; r <= lastSource; ++r) {
        // Stamps lie in columns 0 .. 2s: a row whose span no stamp brings
        // under the tile is passed over whole.
        const RowSpan& span = (*rows.spans)[size_t(r)];
        if (span.first > span.last || t0 - 2 * s > span.last || t0 + kTile <= span.first) continue;
        const uint8_t* sourceRow = plane.Row(r);
        for (int64_t y = std::max(y0, r); y < std::min(y1, r + 2 * s + 1); ++y) {
            const StampGroup* group = (*rows.groupOfRow)[size_t(y - r)];
            if (full[y - y0] || group == nullptr) continue;
            // The source columns under this tile, for the group's stamps
            // together and for each.
            if (t0 - group->xMax > span.last || t0 - group->xMin + kTile <= span.first) {
                continue;
            }
            uint8_t* out = sums + (y - y0) * stride;
            // Eight named vectors, so that they stay in registers across the stamps.
            Vector a, b, c, d, e, f, g, h;
            std::memcpy(&a, out, kBytes);
            std::memcpy(&b, out + kBytes, kBytes);
            std::memcpy(&c, out + 2 * kBytes, kBytes);
            std::memcpy(&d, out + 3 * kBytes, kBytes);
            std::memcpy(&e, out + 4 * kBytes, kBytes);
            std::memcpy(&f, out + 5 * kBytes, kBytes);
            std::memcpy(&g, out + 6 * kBytes, kBytes);
            std::memcpy(&h, out + 7 * kBytes, kBytes);
            auto addStamps = [&](const Stamp* first, const Stamp* last, auto timesOf) {
                for (const Stamp* p = first; p != last; ++p) {
                    const int64_t from = t0 - p->x;
                    if (from > span.last || from + kTile <= span.first) continue;
                    const uint8_t* source = sourceRow + from;
                    const int32_t times = timesOf(p);
                    addCapped(a, source, times);
                    addCapped(b, source + kBytes, times);
                    addCapped(c, source + 2 * kBytes, times);
                    addCapped(d, source + 3 * kBytes, times);
                    addCapped(e, source + 4 * kBytes, times);
                    addCapped(f, source + 5 * kBytes, times);
                    addCapped(g, source + 6 * kBytes, times);
                    addCapped(h, source + 7 * kBytes, times);
                }
            };
            addStamps(group->begin, group->repeated, [](const Stamp*) { return 1; });
            addStamps(group->repeated, group->end, [](const Stamp* p) { return p->times; });
            std::memcpy(out, &a, kBytes);
            std::memcpy(out + kBytes, &b, kBytes);
            std::memcpy(out + 2 * kBytes, &c, kBytes);
            std::memcpy(out + 3 * kBytes, &d, kBytes);
            std::memcpy(out + 4 * kBytes, &e, kBytes);
            std::memcpy(out + 5 * kBytes, &f, kBytes);
            std::memcpy(out + 6 * kBytes, &g, kBytes);
            std::memcpy(out + 7 * kBytes, &h, kBytes);
            full[y - y0] = AllFull(a & b & c & d & e & f & g & h);
        }
    }
}

// The layer pixel for each capped sum: with the colour (the columns some
// stamp spans) and without it.
struct PixelTables {
    uint32_t coloured[256];
    uint32_t uncoloured[256];
};

// Writes a layer row from its capped sums. A pixel has the colour where some
// stamp's columns x .. x + width - 1 reach it: runs of columns, each from a
// stamp's start to the end of the last stamp that overlaps or touches it.
void PutPixelRow(const LayerRows& rows, RowStamps over, const uint8_t* sums,
                 const PixelTables& tables, uint8_t* target, int64_t layerWidth, uint8_t* spanned) {
    const int64_t width = rows.plane->width;
    if (over.first == over.last || width == 0) {
        std::memset(target, 0, size_t(layerWidth) * kBytesPerPixel);
        return;
    }
    // The columns 0 .. 2s at which a stamp over this row starts.
    std::fill_n(spanned, 2 * rows.size + 1, uint8_t{0});
    for (auto group = over.first; group != over.last; ++group) {
        for (const Stamp* p = group->begin; p != group->end; ++p) spanned[p->x] = 1;
    }
    auto put = [&](int64_t from, int64_t to, const uint32_t* pixels) {
        int64_t x = from;
        for (; x + 4 <= to; x += 4) {
            const uint32_t four[4] = {pixels[sums[x]], pixels[sums[x + 1]], pixels[sums[x + 2]],
                                      pixels[sums[x + 3]]};
            std::memcpy(target + x * kBytesPerPixel, four, sizeof four);
        }
        for (; x < to; ++x) std::memcpy(target + x * kBytesPerPixel, &pixels[sums[x]], 4);
    };
    int64_t done = 0;
    for (int64_t start = 0; start <= 2 * rows.size;) {
        if (spanned[start] == 0) {
            ++start;
            continue;
        }
        int64_t end = start + width;
        int64_t next = start + 1;
        for (; next <= 2 * rows.size && next <= end; ++next) {
            if (spanned[next] != 0) end = next + width;
        }
        put(done, start, tables.uncoloured);
        put(start, end, tables.coloured);
        done = end;
        start = next;
    }
    put(done, layerWidth, tables.uncoloured);
}

// Bytes of one worker's sums for a band.
int64_t BandSumsBytes(int64_t layerWidth) { return kBandRows * (layerWidth + kWidestTile); }

// The capped sums of layer rows y0 .. y1 - 1, row y at sums + (y - y0) * stride.
template <class Vector>
TINTORA_INLINE void SumBand(const LayerRows& rows, int64_t y0, int64_t y1, int64_t layerWidth,
                            uint8_t* sums, int64_t stride) {
    constexpr int64_t kTile = int64_t(sizeof(Vector)) * kVectorsPerTile;
    // Without stamps (or pixels) no row is summed.
    if (rows.plane->width == 0 || rows.spans->empty()) return;
    for (int64_t t0 = 0; t0 < layerWidth; t0 += kTile) {
        SumTile<Vector>(rows, y0, y1, t0, sums + t0, stride);
    }
}

void SumBandDefault(const LayerRows& rows, int64_t y0, int64_t y1, int64_t layerWidth,
                    uint8_t* sums, int64_t stride) {
    SumBand<Bytes16>(rows, y0, y1, layerWidth, sums, stride);
}

TINTORA_AVX2 void SumBandAvx2(const LayerRows& rows, int64_t y0, int64_t y1, int64_t layerWidth,
                              uint8_t* sums, int64_t stride) {
    SumBand<Bytes32>(rows, y0, y1, layerWidth, sums, stride);
}

// Sums the layer (W + 2s) x (H + 2s) of the picture's silhouette stamped at
// the circle's points, a band at a time, and hands each row to
// put(y, stamps over the row, its capped sums, worker). Returns the spans of
// the picture's rows that have alpha, none without stamps.
template <class Put>
std::vector<RowSpan> StampRows(RasterView picture, uint8_t* scratch, int64_t s, Put put) {
    const int64_t width = picture.width;
    const int64_t height = picture.height;
    const std::vector<Stamp> stamps = height > 0 && s > 0 ? Stamps(s) : std::vector<Stamp>{};
    const Plane plane(picture.width, picture.height, s, scratch);
    // Without stamps there is no plane.
    std::vector<RowSpan> spans(stamps.empty() ? 0 : static_cast<size_t>(height));
    ParallelFor(int64_t(spans.size()), 64, [&](int64_t begin, int64_t end, int) {
        for (int64_t r = begin; r < end; ++r) {
            FillPlaneRow(plane, r, picture.Pixel(0, int32_t(r)), width);
            spans[size_t(r)] = SpanOf(plane.Row(r), width);
        }
    });
    const std::vector<StampGroup> groups = Groups(stamps);
    std::vector<const StampGroup*> groupOfRow(size_t(2 * s + 1), nullptr);
    for (const StampGroup& group : groups) groupOfRow[size_t(group.y)] = &group;
    const LayerRows rows{&plane, &groups, &groupOfRow, &spans, s};
    const int64_t layerWidth = width + 2 * s;
    const int64_t layerHeight = height + 2 * s;
    const int64_t stride = layerWidth + kWidestTile;
    std::vector<uint8_t> sums[kWorkerCount];
    for (std::vector<uint8_t>& mine : sums) mine.resize(size_t(BandSumsBytes(layerWidth)));
    const bool avx2 = HasAvx2();
    ParallelFor((layerHeight + kBandRows - 1) / kBandRows, 1,
                [&](int64_t begin, int64_t end, int worker) {
                    uint8_t* bandSums = sums[worker].data();
                    for (int64_t band = begin; band < end; ++band) {
                        const int64_t y0 = band * kBandRows;
                        const int64_t y1 = std::min(y0 + kBandRows, layerHeight);
                        RowStamps over[kBandRows];
                        for (int64_t y = y0; y < y1; ++y) over[y - y0] = StampsOverRow(rows, y);
                        if (avx2) {
                            SumBandAvx2(rows, y0, y1, layerWidth, bandSums, stride);
                        } else {
                            SumBandDefault(rows, y0, y1, layerWidth, bandSums, stride);
                        }
                        for (int64_t y = y0; y < y1; ++y) {
                            put(y, rows, over[y - y0], bandSums + (y - y0) * stride, worker);
                        }
                    }
                });
    return spans;
}

// The opacity's scaling of every alpha, as the effect computes it.
void ScaledAlphas(int32_t opacityPercent, uint8_t (&scaled)[256]) {
    const float factor = OpacityFactor(opacityPercent);
    for (int a = 0; a < 256; ++a) {
        scaled[a] = opacityPercent == 100 ? uint8_t(a) : ScaleAlpha(uint8_t(a), factor);
    }
}

}  // namespace

std::vector<StampPoint> CirclePoints(int64_t s) {
    std::vector<StampPoint> points;
    points.reserve(size_t(std::max<int64_t>(8 * s, 0)));
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

size_t StampScratchBytes(int32_t width, int32_t height, int64_t s) {
    if (height <= 0 || s <= 0) return 0;
    return Plane(width, height, s, nullptr).Bytes();
}

std::vector<RowSpan> StampLayer(MutableRasterView canvas, int64_t x, int64_t y, RasterView picture,
                                uint8_t* scratch, int64_t s, EffectColor colour,
                                int32_t opacityPercent) {
    uint8_t scaled[256];
    ScaledAlphas(opacityPercent, scaled);
    PixelTables tables;
    const uint32_t bgr =
        uint32_t(colour.blue) | uint32_t(colour.green) << 8 | uint32_t(colour.red) << 16;
    for (int a = 0; a < 256; ++a) {
        tables.uncoloured[a] = uint32_t(scaled[a]) << 24;
        tables.coloured[a] = bgr | tables.uncoloured[a];
    }
    const int64_t layerWidth = picture.width + 2 * s;
    std::vector<uint8_t> spanned[kWorkerCount];
    for (std::vector<uint8_t>& mine : spanned) mine.resize(size_t(2 * s + 1));
    return StampRows(
        picture, scratch, s,
        [&](int64_t row, const LayerRows& rows, RowStamps over, const uint8_t* sums, int worker) {
            uint8_t* target = canvas.pixels + ((y + row) * canvas.width + x) * kBytesPerPixel;
            PutPixelRow(rows, over, sums, tables, target, layerWidth, spanned[worker].data());
        });
}

std::vector<RowSpan> StampAlphas(uint8_t* alphas, int64_t stride, RasterView picture,
                                 uint8_t* scratch, int64_t s, int32_t opacityPercent) {
    uint8_t scaled[256];
    ScaledAlphas(opacityPercent, scaled);
    const int64_t layerWidth = picture.width + 2 * s;
    return StampRows(picture, scratch, s,
                     [&](int64_t row, const LayerRows&, RowStamps over, const uint8_t* sums, int) {
                         uint8_t* target = alphas + row * stride;
                         if (over.first == over.last || picture.width == 0) {
                             std::memset(target, 0, size_t(layerWidth));
                             return;
                         }
                         // Most of a graphic's layer is transparent or full: zeros and
                         // 255s pass eight at a time.
                         const uint64_t full = 0x0101010101010101u * scaled[255];
                         int64_t c = 0;
                         for (; c + 8 <= layerWidth; c += 8) {
                             uint64_t eight;
                             std::memcpy(&eight, sums + c, 8);
                             if (eight == 0) {
                                 std::memcpy(target + c, &eight, 8);
                                 continue;
                             }
                             if (eight == ~uint64_t{0}) {
                                 std::memcpy(target + c, &full, 8);
                                 continue;
                             }
                             for (int64_t k = c; k < c + 8; ++k) target[k] = scaled[sums[k]];
                         }
                         for (; c < layerWidth; ++c) target[c] = scaled[sums[c]];
                     });
}

}  // namespace engine
