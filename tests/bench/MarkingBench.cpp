// Marking one copy of the longest competition text (1010 characters, the
// text at 1010 per minute) against a copy of 1010 characters: a good copy
// with a few errors, and a copy that shares nothing with the text (the most
// work the alignment can take). Target: under 10 ms and 16 MB each. Each
// benchmark reports peak_bytes, the most memory held at once during a mark.
#include "PeakBytes.h"
#include "results/Marking.h"
#include "texts/TextEncoding.h"
#include "texts/TextGenerator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::u32string Text1010() {
    std::u32string text;
    DecodeUtf8(generateText(20000001, 1010, TextAlphabet(2)), text);
    return text;
}

void Run(benchmark::State& state, const std::u32string& text, const std::u32string& copy) {
    MarkResult result;
    long long peak = 0;
    for (auto _ : state) {
        StartCountingBytes();
        const bool ok = MarkCopy(text, copy, result);
        peak = StopCountingBytes();
        benchmark::DoNotOptimize(ok);
    }
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["errors"] = result.errors;
}

void BM_MarkGoodCopy1010(benchmark::State& state) {
    const std::u32string text = Text1010();
    std::u32string copy = MarkingCharacters(text);
    copy[100] = U'#';           // wrong
    copy.erase(500, 5);         // a missing group
    copy.insert(700, U"QRSTU"); // an extra group
    Run(state, text, copy);
}

void BM_MarkUnrelatedCopy1010(benchmark::State& state) {
    Run(state, Text1010(), std::u32string(1010, U'#'));
}

} // namespace

BENCHMARK(BM_MarkGoodCopy1010)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkUnrelatedCopy1010)->Unit(benchmark::kMillisecond);
