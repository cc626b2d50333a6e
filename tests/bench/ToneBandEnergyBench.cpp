// How clean each tone shape sounds: the energy of a keyed text within the
// band the keying needs around the tone, max(300 Hz, 4 x rate / U) either
// side of it, against the energy outside that band, in decibels (the
// "in_to_out_dB" counter). One pass each; the figure is what matters, not
// the time.
#include "sound/MorseStream.h"
#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

void Fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * kPi / static_cast<double>(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// Ten groups of five letters in the sending format.
std::string SentText() {
    const std::string letters = generateText(1, 50, TextAlphabet(TextLetters));
    std::string sent;
    for (size_t i = 0; i < letters.size(); ++i) {
        if (i)
            sent += i % 5 ? " " : "   ";
        sent += letters[i];
    }
    return sent;
}

void BM_ToneBandEnergy(benchmark::State& state) {
    const int shape = static_cast<int>(state.range(0));
    const int speed = static_cast<int>(state.range(1));
    const int rate = 44100, frequency = 850;
    const int unit = unitSamples(TextLetters, speed, rate);
    const double band = std::fmax(300.0, 4.0 * rate / unit);
    double ratio = 0;
    for (auto _ : state) {
        MorseStream stream(rate, shape);
        stream.Load(SentText(), unit, 0, frequency, -1, -1, -1);
        std::vector<double> samples;
        const uint32_t segment = MorseSegmentBytes(rate);
        bool complete = false;
        while (!complete) {
            if (shape == MorseToneSine) {
                std::vector<int16_t> out(segment);
                complete = stream.Fill(out.data(), segment);
                samples.insert(samples.end(), out.begin(), out.end());
            } else {
                std::vector<uint8_t> out(segment);
                complete = stream.Fill(out.data(), segment);
                for (uint8_t b : out)
                    samples.push_back(b == MorseAfterEnd ? 0.0 : b - 128.0);
            }
        }
        size_t n = 1;
        while (n < samples.size())
            n <<= 1;
        std::vector<std::complex<double>> spectrum(samples.begin(), samples.end());
        spectrum.resize(n);
        Fft(spectrum);
        double in = 0, out = 0;
        for (size_t k = 0; k <= n / 2; ++k) {
            const double f = static_cast<double>(k) * rate / static_cast<double>(n);
            (std::fabs(f - frequency) <= band ? in : out) += std::norm(spectrum[k]);
        }
        ratio = 10 * std::log10(in / out);
    }
    state.counters["band_Hz"] = band;
    state.counters["in_to_out_dB"] = ratio;
    state.SetLabel(shape == MorseToneSine ? "sine" : "square");
}

BENCHMARK(BM_ToneBandEnergy)
    ->Args({MorseToneSquare, 100})
    ->Args({MorseToneSine, 100})
    ->Args({MorseToneSquare, 1000})
    ->Args({MorseToneSine, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
