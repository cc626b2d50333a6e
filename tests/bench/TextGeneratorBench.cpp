// The largest text a page can ask for (10000 groups of the mixed alphabet),
// against a plain uniform draw of the same length and layout from the same
// random source. BM_MixedTextVsUniform times both in each iteration and
// reports generator_ms, uniform_ms and their ratio.
#include "sound/MorseTable.h"
#include "texts/Random.h"
#include "texts/TextGenerator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

constexpr int kCount = 10000 * 5;

std::string UniformText(int32_t seed, int count, const std::string& alphabet) {
    SeedRandom(static_cast<uint32_t>(seed));
    const int n = static_cast<int>(alphabet.size());
    std::string out;
    out.reserve(static_cast<size_t>(count) * 2 + static_cast<size_t>(count / 5) * 2);
    for (int i = 0; i < count; ++i) {
        out += alphabet[static_cast<size_t>(DrawRandom() % n)];
        out += ' ';
        if (i % 5 == 4)
            out += "  ";
    }
    return out;
}

void BM_MixedText10000Groups(benchmark::State& state) {
    const std::string alphabet = TextAlphabet(TextMixed);
    int32_t seed = 10000001;
    for (auto _ : state)
        benchmark::DoNotOptimize(generateText(seed++, kCount, alphabet));
}
BENCHMARK(BM_MixedText10000Groups)->Unit(benchmark::kMillisecond);

void BM_UniformText10000Groups(benchmark::State& state) {
    const std::string alphabet = TextAlphabet(TextMixed);
    int32_t seed = 10000001;
    for (auto _ : state)
        benchmark::DoNotOptimize(UniformText(seed++, kCount, alphabet));
}
BENCHMARK(BM_UniformText10000Groups)->Unit(benchmark::kMillisecond);

void BM_MixedTextVsUniform(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const std::string alphabet = TextAlphabet(TextMixed);
    int32_t seed = 10000001;
    double generator = 0, uniform = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(generateText(seed, kCount, alphabet));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(UniformText(seed, kCount, alphabet));
        const auto t2 = Clock::now();
        generator += std::chrono::duration<double, std::milli>(t1 - t0).count();
        uniform += std::chrono::duration<double, std::milli>(t2 - t1).count();
        ++seed;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["generator_ms"] = generator / runs;
    state.counters["uniform_ms"] = uniform / runs;
    state.counters["ratio"] = uniform > 0 ? generator / uniform : 0;
}
BENCHMARK(BM_MixedTextVsUniform)->Unit(benchmark::kMillisecond);

} // namespace
