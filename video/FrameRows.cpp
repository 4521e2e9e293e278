#include "video/FrameRows.h"

#include <algorithm>
#include <cstring>

#include "engine/WorkerPool.h"

namespace video {

namespace {

constexpr int64_t kRowsPerChunk = 32;

size_t RowBytes(int64_t pixels) { return size_t(pixels) * engine::kBytesPerPixel; }

}  // namespace

void FrameToRaster(const uint8_t* frame, engine::MutableRasterView raster) {
    const size_t rowBytes = RowBytes(raster.width);
    const int64_t height = raster.height;
    engine::ParallelFor(height, kRowsPerChunk, [&](int64_t begin, int64_t end, int) {
        for (int64_t row = begin; row < end; ++row) {
            std::memcpy(raster.pixels + size_t(row) * rowBytes,
                        frame + size_t(height - 1 - row) * rowBytes, rowBytes);
        }
    });
}

void FrameFromWindow(engine::RasterView result, int64_t x, int64_t y, uint8_t* frame, int32_t width,
                     int32_t height) {
    const size_t rowBytes = RowBytes(width);
    // The columns of the window that the result covers.
    const int64_t first = std::clamp<int64_t>(-x, 0, width);
    const int64_t last = std::clamp<int64_t>(result.width - x, first, width);
    engine::ParallelFor(height, kRowsPerChunk, [&](int64_t begin, int64_t end, int) {
        for (int64_t row = begin; row < end; ++row) {
            uint8_t* out = frame + size_t(height - 1 - row) * rowBytes;
            const int64_t resultRow = y + row;
            if (resultRow < 0 || resultRow >= result.height || first == last) {
                std::memset(out, 0, rowBytes);
                continue;
            }
            std::memset(out, 0, RowBytes(first));
            std::memcpy(out + RowBytes(first), result.Pixel(int32_t(x + first), int32_t(resultRow)),
                        RowBytes(last - first));
            std::memset(out + RowBytes(last), 0, RowBytes(width - last));
        }
    });
}

}  // namespace video
