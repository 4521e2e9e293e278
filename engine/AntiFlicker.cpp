#include "engine/AntiFlicker.h"

#include <algorithm>
#include <cstring>

#include "engine/BlurPasses.h"
#include "engine/LargePages.h"
#include "engine/Layers.h"

namespace engine {

namespace {

double SideShare(int32_t s) {
    if (s < 5) return 0.1;
    if (s < 10) return 0.2;
    if (s < 15) return 0.4;
    return 0.49;
}

void PlaceOnCanvas(Raster& canvas, RasterView picture, int64_t x, int64_t y) {
    std::memset(canvas.Data(), 0, canvas.ByteSize());
    PlaceRaster(canvas.MutableView(), picture, x, y);
}

// The passes read the picture where it lies on the canvas, without placing
// it first, whenever it lies there whole; otherwise (a size below 0, which
// shrinks the canvas) from the canvas as placement makes it, in the work
// raster. The row pass writes the result; the column pass blurs the result in
// place, each strip of columns gathered first into the work raster. Each pass
// writes every pixel the next one reads, so neither raster needs clearing.
Result<Raster> Blur(RasterView picture, int32_t sx, int32_t sy, const BlurLineOptions& options) {
    const int64_t width = int64_t(picture.width) + 2 * int64_t(sx) + 8;
    const int64_t height = int64_t(picture.height) + 2 * int64_t(sy) + 8;
    const int64_t x = int64_t(sx) + 2;
    const int64_t y = int64_t(sy) + 2;
    Raster result = Raster::Allocate(width, height);
    if (!result) return Result<Raster>::OutOfMemory();
    PreferLargePages(result);
    Raster work = Raster::Allocate(width, height);
    if (!work) {
        PlaceOnCanvas(result, picture, x, y);
        return {std::move(result), {kAntiFlickerOutOfMemory}};
    }
    const bool alongRows = sx > 0;
    const bool alongColumns = sy > 0;
    if (!alongRows && !alongColumns) {
        PlaceOnCanvas(result, picture, x, y);
        return result;
    }

    PlacedBlock block{picture.pixels, int64_t(picture.width) * kBytesPerPixel, x, y, picture.width,
                      picture.height};
    uint8_t* strips = work.Data();
    if (sx < 0 || sy < 0) {
        PlaceOnCanvas(work, picture, x, y);
        block = {work.Data(), width * kBytesPerPixel, 0, 0, width, height};
        strips = nullptr;
    }
    if (alongRows) {
        PlacedBlock blurred;
        if (!BlurRows(block, *SharedBlurTaps(sx), options, result.MutableView(), !alongColumns,
                      blurred)) {
            return Result<Raster>::OutOfMemory();
        }
        block = blurred;
    }
    if (alongColumns && !BlurColumns(block, *SharedBlurTaps(sy), options, result.MutableView(),
                                     strips, strips ? int64_t(work.ByteSize()) : 0)) {
        return Result<Raster>::OutOfMemory();
    }
    return result;
}

}  // namespace

std::vector<double> EffectKernel(int32_t s) {
    s = std::max(s, 0);
    std::vector<double> w(size_t(2 * int64_t(s) + 1), 0.0);
    const double c = SideShare(s);
    double ramp = 0.1;
    for (int32_t i = 0; i < s; ++i) {
        w[size_t(i)] = ramp;
        ramp += 0.1;
    }
    double sum = 0.0;
    for (int32_t i = 0; i < s; ++i) sum += w[size_t(i)];
    for (int32_t i = 0; i < s; ++i) {
        w[size_t(i)] = w[size_t(i)] * (c * (1.0 / sum));
        w[size_t(2 * s - i)] = w[size_t(i)];
    }
    double sides = 0.0;
    for (int32_t i = 0; i < s; ++i) sides += 2.0 * w[size_t(i)];
    w[size_t(s)] = 1.0 - sides;
    return w;
}

Result<Raster> AntiFlicker(RasterView picture, int32_t sx, int32_t sy, bool keepOpaque) {
    BlurLineOptions options;
    options.keepOpaque = keepOpaque;
    return Blur(picture, sx, sy, options);
}

}  // namespace engine
