// Marking one copy of the longest competition text (1010 characters, the
// text at 1010 per minute) against a copy of 1010 characters: a good copy
// with a few errors, and a copy that shares nothing with the text (the most
// work the alignment can take). Target: under 10 ms and 16 MB each. Each
// benchmark reports peak_bytes, the most memory held at once during a mark.
#include "results/Marking.h"
#include "texts/TextEncoding.h"
#include "texts/TextGenerator.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <string>

namespace {
// Counting of live heap bytes while `counting` is set. The size of a block is
// what the allocator reports for it, so nothing is stored in front of the
// block (reading such a header back confuses GCC's bounds checks once the
// delete is inlined into library code).
std::atomic<bool> counting{false};
std::atomic<long long> liveBytes{0}, peakBytes{0};
} // namespace

void* operator new(size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    if (counting) {
        const long long now = liveBytes += static_cast<long long>(malloc_usable_size(p));
        long long peak = peakBytes;
        while (now > peak && !peakBytes.compare_exchange_weak(peak, now))
            ;
    }
    return p;
}

// GCC pairs the malloc in operator new above with this free only when it
// cannot see both; inlined into the library's deallocations it warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (!p)
        return;
    if (counting)
        liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}

void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}
#pragma GCC diagnostic pop

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
        liveBytes = 0;
        peakBytes = 0;
        counting = true;
        const bool ok = MarkCopy(text, copy, result);
        counting = false;
        benchmark::DoNotOptimize(ok);
        peak = peakBytes;
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
