#include "engine/MagickBands.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/WorkerPool.h"

namespace engine {

namespace {

struct BandPlan {
    int64_t bands = 0;   // 0: not banded
    int64_t margin = 0;  // rows read beyond the kept ones, each side
};

// Blur and sharpen reach at most 10 rows (radius Pct / 10; with radius 0 the
// kernel of sigma 1.5 reaches 7): one band per worker. Noise reduction reaches
// 3 rows, but its work varies with the picture's content, so three bands per
// worker keep both busy (more cost more than they balance: each call of the
// library has its own set-up).
BandPlan PlanFor(MagickOperation operation) {
    switch (operation) {
        case MagickOperation::Blur:
        case MagickOperation::Sharpen: return {kWorkerCount, kBandMargin};
        case MagickOperation::ReduceNoise: return {3 * kWorkerCount, kBandMargin / 4};
        default: return {};
    }
}

}  // namespace

bool BandedOperation(MagickOperation operation) { return PlanFor(operation).bands > 0; }

std::optional<Result<Raster>> MagickEffectInBands(RasterView picture,
                                                  const MagickEffectParams& params) {
    const BandPlan plan = PlanFor(params.operation);
    // Pictures of a few rows are not worth splitting.
    if (plan.bands == 0 || picture.height < 8 * plan.bands * plan.margin) return std::nullopt;
    Raster output = Raster::Allocate(picture.width, picture.height);
    if (!output) return std::nullopt;
    const int64_t rowBytes = int64_t(picture.width) * kBytesPerPixel;
    const int64_t split = picture.height / plan.bands;
    std::vector<char> clean(size_t(plan.bands), 0);
    ParallelFor(plan.bands, 1, [&](int64_t begin, int64_t end, int) {
        for (int64_t band = begin; band < end; ++band) {
            // The rows the band keeps, and those it reads around them.
            const int64_t keepBegin = band * split;
            const int64_t keepEnd = band + 1 == plan.bands ? picture.height : keepBegin + split;
            const int64_t readBegin = std::max<int64_t>(keepBegin - plan.margin, 0);
            const int64_t readEnd = std::min<int64_t>(keepEnd + plan.margin, picture.height);
            const RasterView rows{picture.pixels + readBegin * rowBytes, picture.width,
                                  int32_t(readEnd - readBegin)};
            const Result<Raster> result = MagickEffectOnWholePicture(rows, params);
            if (!result || !result.Notices().empty()) continue;
            std::memcpy(output.Data() + keepBegin * rowBytes,
                        result.Value().Data() + (keepBegin - readBegin) * rowBytes,
                        size_t((keepEnd - keepBegin) * rowBytes));
            clean[size_t(band)] = 1;
        }
    });
    if (std::find(clean.begin(), clean.end(), 0) != clean.end()) return std::nullopt;
    return Result<Raster>(std::move(output));
}

}  // namespace engine
