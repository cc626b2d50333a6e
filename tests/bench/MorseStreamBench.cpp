// Production of the player's sample stream, one segment at a time into one
// buffer, as the playback thread does, for both tone shapes. The figure of
// interest is the "x_realtime" counter: seconds of sound produced per second
// of work.
#include "sound/MorseStream.h"
#include "sound/MorseTable.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

template <class Sample> void Produce(benchmark::State& state, int shape) {
    const int rate = static_cast<int>(state.range(0));
    const int speed = static_cast<int>(state.range(1));
    std::string text;
    for (int g = 0; g < 200; ++g)
        text += "Q 5 , H 0   ";
    const uint32_t segment = MorseSegmentBytes(rate);
    std::vector<Sample> buffer(MorseBufferBytes(rate));
    MorseStream stream(rate, shape);
    stream.Load(text, unitSamples(TextMixed, speed, rate), 0, 850, 0, 1, -1);
    uint32_t index = 0;
    int64_t samples = 0;
    for (auto _ : state) {
        if (stream.Fill(buffer.data() + index * segment, segment))
            stream.Load(text, unitSamples(TextMixed, speed, rate), 0, 850, 0, 1, -1);
        index = (index + 1) % MorseSegmentsPerBuffer;
        samples += segment;
        benchmark::ClobberMemory();
    }
    state.counters["samples/s"] =
        benchmark::Counter(static_cast<double>(samples), benchmark::Counter::kIsRate);
    state.counters["x_realtime"] =
        benchmark::Counter(static_cast<double>(samples) / rate, benchmark::Counter::kIsRate);
}

void BM_MorseStream(benchmark::State& state) {
    Produce<uint8_t>(state, MorseToneSquare);
}

// The shaped sine: 16-bit samples, dots and dashes copied from the forms
// computed at each Load (which the loop repeats when the text ends).
void BM_MorseStreamSine(benchmark::State& state) {
    Produce<int16_t>(state, MorseToneSine);
}

BENCHMARK(BM_MorseStream)->Args({44100, 100})->Args({44100, 1000})->Args({96000, 100})->Args({96000, 1000});
BENCHMARK(BM_MorseStreamSine)
    ->Args({44100, 100})
    ->Args({44100, 1000})
    ->Args({96000, 100})
    ->Args({96000, 1000});

} // namespace
