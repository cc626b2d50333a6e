// Scaling a menu-sized picture to a full-screen control and a camera-sized
// one down to a menu picture: the work a picture control does on a resize.
#include "controls/ImageResample.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void Resample(benchmark::State& state, PixelSize from, PixelSize box) {
    std::vector<uint32_t> source(static_cast<size_t>(from.width) * from.height);
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    const PixelSize to = FitKeepingAspect(from, box);
    std::vector<uint32_t> target(static_cast<size_t>(to.width) * to.height);
    for (auto _ : state) {
        ResamplePixels(source.data(), from, target.data(), to);
        benchmark::DoNotOptimize(target.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(target.size()));
}

void BM_GrowMenuPictureToScreen(benchmark::State& state) {
    Resample(state, {420, 400}, {1280, 1024});
}
void BM_ShrinkLargePictureToMenu(benchmark::State& state) {
    Resample(state, {1920, 1080}, {420, 400});
}

} // namespace

BENCHMARK(BM_GrowMenuPictureToScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkLargePictureToMenu)->Unit(benchmark::kMillisecond);
