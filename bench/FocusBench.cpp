#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "engine/Focus.h"

namespace {

std::vector<uint8_t> Noise(int32_t width, int32_t height) {
    std::mt19937 rng(1);
    std::vector<uint8_t> bytes(size_t(width) * size_t(height) * 4);
    for (auto& b : bytes) b = uint8_t(rng());
    return bytes;
}

// A full-HD picture at the smallest and largest focus sizes.
void BM_Focus(benchmark::State& state) {
    const int32_t w = 1920, h = 1080;
    const auto picture = Noise(w, h);
    for (auto _ : state) {
        auto result = engine::Focus({picture.data(), w, h}, uint32_t(state.range(0)));
        benchmark::DoNotOptimize(result.Value().Data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(w) * h);
}
BENCHMARK(BM_Focus)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
