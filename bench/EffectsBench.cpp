#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "engine/AntiFlicker.h"
#include "engine/Border.h"
#include "engine/EmbossBevel.h"
#include "engine/Grayscale.h"
#include "engine/MagickEffect.h"
#include "engine/Matte.h"
#include "engine/OffsetShadow.h"
#include "engine/PictureFile.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

// A full-HD picture: random colours, a third transparent, a third opaque.
std::vector<uint8_t> Picture() {
    std::mt19937 rng(1);
    std::vector<uint8_t> bytes(size_t(kWidth) * kHeight * 4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = uint8_t(rng());
        if (i % 4 == 3) bytes[i] = bytes[i] % 3 == 0 ? 0 : bytes[i] % 3 == 1 ? 255 : bytes[i];
    }
    return bytes;
}

// A full-HD picture of one large soft-edged shape: an ellipse over half the
// frame whose alpha falls off over hundreds of pixels, so that half the
// pixels are partly transparent, in colours that change at every pixel.
std::vector<uint8_t> Feathered() {
    std::vector<uint8_t> bytes(size_t(kWidth) * kHeight * 4);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t* p = &bytes[(size_t(y) * kWidth + size_t(x)) * 4];
            const double d = std::hypot((x - 960) / 700.0, (y - 540) / 300.0);
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x + y);
            p[3] = uint8_t(std::clamp(255.0 * (1.3 - d) / 0.9, 0.0, 255.0));
        }
    }
    return bytes;
}

// The picture of a benchmark's argument: noise (0) or one feathered shape (1).
std::vector<uint8_t> PictureOf(int64_t kind) { return kind == 0 ? Picture() : Feathered(); }

void Finish(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}

void BM_AntiFlicker(benchmark::State& state) {
    const auto picture = Picture();
    const auto size = int32_t(state.range(0));
    for (auto _ : state) {
        auto result = engine::AntiFlicker({picture.data(), kWidth, kHeight}, size, size, false);
        benchmark::DoNotOptimize(result.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_AntiFlicker)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_Border(benchmark::State& state) {
    const auto picture = PictureOf(state.range(2));
    engine::BorderParams params;
    params.size = uint32_t(state.range(0));
    params.blur = int32_t(state.range(1));
    params.opacityPercent = 70;
    for (auto _ : state) {
        auto result = engine::Border({picture.data(), kWidth, kHeight}, params);
        benchmark::DoNotOptimize(result.Value().Data());
    }
    Finish(state);
}
// Size, blur and picture.
BENCHMARK(BM_Border)
    ->Args({10, 0, 0})
    ->Args({10, 10, 0})
    ->Args({100, 0, 0})
    ->Args({10, 0, 1})
    ->Args({10, 10, 1})
    ->Args({100, 0, 1})
    ->Unit(benchmark::kMillisecond);

void BM_OffsetShadow(benchmark::State& state) {
    const auto picture = PictureOf(state.range(1));
    engine::OffsetShadowParams params;
    params.dx = 20;
    params.dy = 20;
    params.blur = int32_t(state.range(0));
    params.opacityPercent = 60;
    for (auto _ : state) {
        auto result = engine::OffsetShadow({picture.data(), kWidth, kHeight}, params);
        benchmark::DoNotOptimize(result.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_OffsetShadow)->ArgsProduct({{0, 20}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_EmbossBevel(benchmark::State& state) {
    const auto start = Picture();
    for (auto _ : state) {
        state.PauseTiming();
        auto picture = start;
        state.ResumeTiming();
        auto result = engine::EmbossBevel({picture.data(), kWidth, kHeight},
                                          {45, 60, 1, int32_t(state.range(0))});
        benchmark::DoNotOptimize(result.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_EmbossBevel)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_Grayscale(benchmark::State& state) {
    auto picture = Picture();
    for (auto _ : state) {
        auto result = engine::Grayscale({picture.data(), kWidth, kHeight});
        benchmark::DoNotOptimize(result.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_Grayscale)->Unit(benchmark::kMillisecond);

void BM_MatteCrop(benchmark::State& state) {
    const auto picture = Picture();
    std::vector<uint8_t> matte(picture.size(), 0);
    for (int32_t y = 100; y < kHeight - 100; ++y) {
        for (int32_t x = 100; x < kWidth - 100; ++x) {
            uint8_t* q = &matte[(size_t(y) * kWidth + size_t(x)) * 4];
            q[0] = q[1] = q[2] = 255;
        }
    }
    engine::MatteParams params;
    params.crop = true;
    params.blurX = params.blurY = int32_t(state.range(0)) + 1;
    for (auto _ : state) {
        auto result = engine::Matte({picture.data(), kWidth, kHeight},
                                    {matte.data(), kWidth, kHeight}, params);
        benchmark::DoNotOptimize(result.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_MatteCrop)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);

// Decoding a full-HD matte as the image library writes it (a TGA with alpha):
// directly (0) or through the library (1).
void BM_DecodeTga(benchmark::State& state) {
    const auto picture = Picture();
    const engine::Result<std::string> file =
        engine::EncodePicture({picture.data(), kWidth, kHeight}, "tga");
    const bool library = state.range(0) != 0;
    for (auto _ : state) {
        auto read = library ? engine::DecodePictureWithLibrary(file.Value(), "TGA")
                            : engine::DecodePicture(file.Value(), "TGA");
        benchmark::DoNotOptimize(read.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_DecodeTga)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MagickEffect(benchmark::State& state) {
    const auto picture = Picture();
    engine::MagickEffectParams params;
    params.operation = engine::MagickOperation(state.range(0));
    params.pct = 50;
    for (auto _ : state) {
        auto outcome = engine::MagickEffect({picture.data(), kWidth, kHeight}, params);
        benchmark::DoNotOptimize(outcome.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_MagickEffect)
    ->Arg(int(engine::MagickOperation::None))
    ->Arg(int(engine::MagickOperation::Blur))
    ->Arg(int(engine::MagickOperation::Sharpen))
    ->Arg(int(engine::MagickOperation::ReduceNoise))
    ->Arg(int(engine::MagickOperation::Swirl))
    ->Unit(benchmark::kMillisecond);

// The banded operations as one library call on the whole picture, for comparison.
void BM_MagickEffectWhole(benchmark::State& state) {
    const auto picture = Picture();
    engine::MagickEffectParams params;
    params.operation = engine::MagickOperation(state.range(0));
    params.pct = 50;
    for (auto _ : state) {
        auto outcome =
            engine::MagickEffectOnWholePicture({picture.data(), kWidth, kHeight}, params);
        benchmark::DoNotOptimize(outcome.Value().Data());
    }
    Finish(state);
}
BENCHMARK(BM_MagickEffectWhole)
    ->Arg(int(engine::MagickOperation::Blur))
    ->Arg(int(engine::MagickOperation::Sharpen))
    ->Arg(int(engine::MagickOperation::ReduceNoise))
    ->Unit(benchmark::kMillisecond);

}  // namespace
