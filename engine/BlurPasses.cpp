#include "engine/BlurPasses.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "engine/BlurBlock.h"
#include "engine/CpuFeatures.h"
#include "engine/KeptBlocks.h"
#include "engine/WorkerPool.h"

namespace engine {

namespace {

constexpr int64_t kLanes = kBlockLanes;
constexpr int64_t kRowsPerChunk = 8;
// How many rows ahead a strip's gathering fetches its rows.
constexpr int64_t kGatherAhead = 24;

void Zero(uint8_t* pixels, int64_t count) {
    if (count > 0) std::memset(pixels, 0, size_t(count) * kBytesPerPixel);
}

// Pixel memory owned by one worker.
class PixelBuffer {
public:
    bool Reserve(int64_t pixels) {
        m_bytes.reset(static_cast<uint8_t*>(TakeBlock(size_t(std::max<int64_t>(pixels, 1)) * 4)));
        return m_bytes != nullptr;
    }
    uint8_t* Data() const { return m_bytes.get(); }

private:
    BlockArray<uint8_t> m_bytes;
};

struct WorkerMemory {
    BlurLineScratch line;
    BlurBlockScratch block;
    PixelBuffer in;
    PixelBuffer out;
    PixelBuffer blank;  // a transparent row for lanes without one
};

bool ReserveAll(WorkerMemory (&memory)[kWorkerCount], bool blocks, int64_t lineLength, int32_t size,
                int64_t inPixels, int64_t outPixels, int64_t blankPixels = 0) {
    for (WorkerMemory& worker : memory) {
        const bool scratch =
            blocks ? worker.block.Reserve(lineLength, size) : worker.line.Reserve(lineLength, size);
        if (!scratch || !worker.in.Reserve(inPixels) || !worker.out.Reserve(outPixels) ||
            !worker.blank.Reserve(blankPixels)) {
            return false;
        }
        Zero(worker.blank.Data(), blankPixels);
    }
    return true;
}

using U32x4 = uint32_t __attribute__((vector_size(16)));

TINTORA_INLINE U32x4 Load4(const uint8_t* p) {
    U32x4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

TINTORA_INLINE void Store4(uint8_t* p, U32x4 v) { std::memcpy(p, &v, sizeof v); }

// Transposes 4 x 4 pixels: from rows[r] + 4 c to columns[c] + 4 r.
TINTORA_INLINE void Transpose4(const uint8_t* const rows[4], uint8_t* const columns[4]) {
    const U32x4 r0 = Load4(rows[0]), r1 = Load4(rows[1]), r2 = Load4(rows[2]), r3 = Load4(rows[3]);
    const U32x4 t0 = __builtin_shufflevector(r0, r1, 0, 4, 1, 5);
    const U32x4 t1 = __builtin_shufflevector(r2, r3, 0, 4, 1, 5);
    const U32x4 t2 = __builtin_shufflevector(r0, r1, 2, 6, 3, 7);
    const U32x4 t3 = __builtin_shufflevector(r2, r3, 2, 6, 3, 7);
    Store4(columns[0], __builtin_shufflevector(t0, t1, 0, 1, 4, 5));
    Store4(columns[1], __builtin_shufflevector(t0, t1, 2, 3, 6, 7));
    Store4(columns[2], __builtin_shufflevector(t2, t3, 0, 1, 4, 5));
    Store4(columns[3], __builtin_shufflevector(t2, t3, 2, 3, 6, 7));
}

TINTORA_INLINE void RowsToLanesBody(const uint8_t* const rows[kLanes], int64_t count,
                                    uint8_t* lanes) {
    int64_t j = 0;
    for (; j + 4 <= count; j += 4) {
        for (int64_t g = 0; g < kLanes; g += 4) {
            const uint8_t* from[4];
            uint8_t* to[4];
            for (int64_t k = 0; k < 4; ++k) {
                from[k] = rows[g + k] + j * 4;
                to[k] = lanes + ((j + k) * kLanes + g) * 4;
            }
            Transpose4(from, to);
        }
    }
    for (; j < count; ++j) {
        for (int64_t l = 0; l < kLanes; ++l) {
            std::memcpy(lanes + (j * kLanes + l) * 4, rows[l] + j * 4, 4);
        }
    }
}

TINTORA_INLINE void LanesToRowsBody(const uint8_t* lanes, int64_t count,
                                    uint8_t* const rows[kLanes], int64_t rowCount) {
    int64_t j = 0;
    if (rowCount == kLanes) {
        for (; j + 4 <= count; j += 4) {
            for (int64_t g = 0; g < kLanes; g += 4) {
                const uint8_t* from[4];
                uint8_t* to[4];
                for (int64_t k = 0; k < 4; ++k) {
                    from[k] = lanes + ((j + k) * kLanes + g) * 4;
                    to[k] = rows[g + k] + j * 4;
                }
                Transpose4(from, to);
            }
        }
    }
    for (; j < count; ++j) {
        for (int64_t l = 0; l < rowCount; ++l) {
            std::memcpy(rows[l] + j * 4, lanes + (j * kLanes + l) * 4, 4);
        }
    }
}

void RowsToLanesDefault(const uint8_t* const rows[kLanes], int64_t count, uint8_t* lanes) {
    RowsToLanesBody(rows, count, lanes);
}

TINTORA_AVX2 void RowsToLanesAvx2(const uint8_t* const rows[kLanes], int64_t count,
                                  uint8_t* lanes) {
    RowsToLanesBody(rows, count, lanes);
}

void LanesToRowsDefault(const uint8_t* lanes, int64_t count, uint8_t* const rows[kLanes],
                        int64_t rowCount) {
    LanesToRowsBody(lanes, count, rows, rowCount);
}

TINTORA_AVX2 void LanesToRowsAvx2(const uint8_t* lanes, int64_t count, uint8_t* const rows[kLanes],
                                  int64_t rowCount) {
    LanesToRowsBody(lanes, count, rows, rowCount);
}

// Sets 16 rows of `count` pixels side by side: pixel j of row l to
// lanes + (16 j + l) * 4.
void RowsToLanes(const uint8_t* const rows[kLanes], int64_t count, uint8_t* lanes) {
    if (HasAvx2()) {
        RowsToLanesAvx2(rows, count, lanes);
    } else {
        RowsToLanesDefault(rows, count, lanes);
    }
}

// The way back: pixel j of lane l to rows[l] + 4 j, for the lanes that have a row.
void LanesToRows(const uint8_t* lanes, int64_t count, uint8_t* const rows[kLanes],
                 int64_t rowCount) {
    if (HasAvx2()) {
        LanesToRowsAvx2(lanes, count, rows, rowCount);
    } else {
        LanesToRowsDefault(lanes, count, rows, rowCount);
    }
}

// Copies one row of a strip into its lanes, the missing columns transparent.
TINTORA_INLINE void GatherStripRow(uint8_t* lane, const uint8_t* row, int64_t columns) {
    if (columns == kLanes) {
        std::memcpy(lane, row, kLanes * 4);
        return;
    }
    std::memcpy(lane, row, size_t(columns) * 4);
    std::memset(lane + columns * 4, 0, size_t(kLanes - columns) * 4);
}

}  // namespace

bool BlurRows(const PlacedBlock& in, const BlurTaps& taps, const BlurLineOptions& options,
              MutableRasterView out, bool clearOtherRows, PlacedBlock& written) {
    const int64_t s = taps.size;
    const int64_t width = out.width;
    const int64_t rowBytes = width * kBytesPerPixel;
    const int64_t outputs = in.width + 2 * s;
    // The positions a row's taps reach, within the canvas.
    const int64_t first = std::max<int64_t>(in.x - s, 0);
    const int64_t end = std::min<int64_t>(in.x + in.width + s, width);
    const bool fits = in.x - s >= 0 && in.x + in.width + s <= width;
    written = {out.pixels + (in.y * width + first) * kBytesPerPixel,
               rowBytes,
               first,
               in.y,
               std::max<int64_t>(end - first, 0),
               in.height};
    if (in.width == 0) written.width = 0;
    const bool blocks = BlockBlurs(taps);

    WorkerMemory memory[kWorkerCount];
    if (!ReserveAll(memory, blocks, in.width, taps.size, blocks ? kLanes * in.width : 0,
                    blocks ? kLanes * outputs
                    : fits ? 0
                           : outputs,
                    blocks ? in.width : 0)) {
        return false;
    }

    // Rows outside the block take no taps.
    auto clear = [&](int64_t y) {
        if (y < in.y || y >= in.y + in.height || in.width == 0 || end <= first) {
            Zero(out.pixels + y * rowBytes, width);
            return true;
        }
        return false;
    };
    const int64_t rowBegin = clearOtherRows ? 0 : in.y;
    const int64_t rowEnd = clearOtherRows ? out.height : in.y + in.height;
    if (!blocks) {
        ParallelFor(rowEnd - rowBegin, kRowsPerChunk, [&](int64_t begin, int64_t stop, int worker) {
            WorkerMemory& mine = memory[worker];
            for (int64_t y = rowBegin + begin; y < rowBegin + stop; ++y) {
                if (clear(y)) continue;
                uint8_t* row = out.pixels + y * rowBytes;
                const uint8_t* source = in.pixels + (y - in.y) * in.stride;
                Zero(row, first);
                Zero(row + end * kBytesPerPixel, width - end);
                if (fits) {
                    BlurLine(source, in.width, taps, options, mine.line,
                             row + (in.x - s) * kBytesPerPixel);
                } else {
                    uint8_t* line = mine.out.Data();
                    BlurLine(source, in.width, taps, options, mine.line, line);
                    std::memcpy(row + first * kBytesPerPixel,
                                line + (first - (in.x - s)) * kBytesPerPixel,
                                size_t(end - first) * kBytesPerPixel);
                }
            }
        });
        return true;
    }

    // Sixteen rows at a time, side by side in the lanes.
    if (clearOtherRows) {
        ParallelFor(out.height, 4 * kRowsPerChunk, [&](int64_t begin, int64_t stop, int) {
            for (int64_t y = begin; y < stop; ++y) clear(y);
        });
    }
    if (in.width == 0 || end <= first) return true;
    const int64_t groups = (in.height + kLanes - 1) / kLanes;
    ParallelFor(groups, 1, [&](int64_t begin, int64_t stop, int worker) {
        WorkerMemory& mine = memory[worker];
        for (int64_t group = begin; group < stop; ++group) {
            const int64_t y0 = in.y + group * kLanes;
            const int64_t rows = std::min(kLanes, in.y + in.height - y0);
            const uint8_t* sources[kLanes];
            uint8_t* targets[kLanes];
            for (int64_t l = 0; l < kLanes; ++l) {
                sources[l] = l < rows ? in.pixels + (y0 - in.y + l) * in.stride : mine.blank.Data();
                targets[l] = l < rows ? out.pixels + (y0 + l) * rowBytes : nullptr;
            }
            RowsToLanes(sources, in.width, mine.in.Data());
            BlurBlock(mine.in.Data(), kLanes * 4, in.width, taps, options, mine.block,
                      mine.out.Data(), kLanes * 4);
            for (int64_t l = 0; l < rows; ++l) {
                Zero(targets[l], first);
                Zero(targets[l] + end * kBytesPerPixel, width - end);
                targets[l] += first * kBytesPerPixel;
            }
            LanesToRows(mine.out.Data() + (first - (in.x - s)) * kLanes * 4, end - first, targets,
                        rows);
        }
    });
    return true;
}

bool BlurColumns(const PlacedBlock& in, const BlurTaps& taps, const BlurLineOptions& options,
                 MutableRasterView out, uint8_t* stripMemory, int64_t stripBytes) {
    const int64_t s = taps.size;
    const int64_t width = out.width;
    const int64_t height = out.height;
    const int64_t rowBytes = width * kBytesPerPixel;
    const int64_t h = in.height;
    const int64_t outLength = h + 2 * s;
    // Rows some column's taps reach; the rest is transparent black.
    const int64_t first = in.width > 0 ? std::max<int64_t>(in.y - s, 0) : 0;
    const int64_t end = in.width > 0 ? std::min<int64_t>(in.y + h + s, height) : 0;
    const bool fits = in.y - s >= 0 && in.y + h + s <= height;
    const bool blocks = BlockBlurs(taps);
    // Each worker's strip, gathered before it is blurred, so that the output
    // may be the raster the strips come from.
    const int64_t stripPixels = kLanes * h;
    const bool givenStrips = stripMemory && stripBytes >= kWorkerCount * stripPixels * 4;

    WorkerMemory memory[kWorkerCount];
    if (!ReserveAll(memory, blocks, h, taps.size, givenStrips ? 0 : stripPixels,
                    kLanes * outLength)) {
        return false;
    }

    // The margins first: they lie outside every strip's rows and columns.
    ParallelFor(height, 4 * kRowsPerChunk, [&](int64_t begin, int64_t stop, int) {
        for (int64_t y = begin; y < stop; ++y) {
            uint8_t* row = out.pixels + y * rowBytes;
            if (y < first || y >= end) {
                Zero(row, width);
            } else {
                Zero(row, in.x);
                Zero(row + (in.x + in.width) * kBytesPerPixel, width - in.x - in.width);
            }
        }
    });

    const int64_t strips = (in.width + kLanes - 1) / kLanes;
    ParallelFor(strips, 1, [&](int64_t begin, int64_t stop, int worker) {
        WorkerMemory& mine = memory[worker];
        uint8_t* gathered = givenStrips ? stripMemory + worker * stripPixels * 4 : mine.in.Data();
        uint8_t* blurred = mine.out.Data();
        for (int64_t strip = begin; strip < stop; ++strip) {
            const int64_t column0 = strip * kLanes;
            const int64_t columns = std::min(kLanes, in.width - column0);
            const uint8_t* source = in.pixels + column0 * kBytesPerPixel;
            uint8_t* target = out.pixels + (in.x + column0) * kBytesPerPixel;
            if (blocks) {
                for (int64_t r = 0; r < h; ++r) {
                    uint8_t* lane = gathered + r * kLanes * 4;
                    const uint8_t* row = source + r * in.stride;
                    // Rows far apart in memory: fetch ahead.
                    __builtin_prefetch(row + kGatherAhead * in.stride);
                    __builtin_prefetch(row + kGatherAhead * in.stride + kLanes * 4 - 1);
                    GatherStripRow(lane, row, columns);
                }
                if (columns == kLanes && fits) {
                    BlurBlock(gathered, kLanes * 4, h, taps, options, mine.block,
                              target + (in.y - s) * rowBytes, rowBytes);
                    continue;
                }
                BlurBlock(gathered, kLanes * 4, h, taps, options, mine.block, blurred, kLanes * 4);
            } else {
                for (int64_t r = 0; r < h; ++r) {
                    for (int64_t c = 0; c < columns; ++c) {
                        std::memcpy(gathered + (c * h + r) * 4, source + r * in.stride + c * 4, 4);
                    }
                }
                for (int64_t c = 0; c < columns; ++c) {
                    BlurLine(gathered + c * h * 4, h, taps, options, mine.line,
                             blurred + c * outLength * 4);
                }
            }
            // The rows of the output that lie in the canvas.
            for (int64_t y = first; y < end; ++y) {
                const int64_t t = y - (in.y - s);
                for (int64_t c = 0; c < columns; ++c) {
                    const int64_t index = blocks ? t * kLanes + c : c * outLength + t;
                    std::memcpy(target + y * rowBytes + c * 4, blurred + index * 4, 4);
                }
            }
        }
    });
    return true;
}

}  // namespace engine
