// klaviro-cli wav: the exact samples the player writes for a text, as an
// 8-bit unsigned mono WAV file.
#include "cli/Command.h"
#include "cli/OutputFile.h"
#include "cli/TextOptions.h"

#include "sound/MorseStream.h"
#include "sound/MorseTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kName[] = "wav";
const char kPreamble[] = "V V V   =   ";
const char kClosing[] = "AR";

// Samples from the first sample of the start delay to just after the last
// character, in 64 bits: long texts at low speeds exceed a WAV file.
uint64_t StreamSamples(const std::string& sent, uint64_t unit, uint64_t space, uint64_t delaySamples) {
    uint64_t total = delaySamples;
    for (unsigned char c : sent) {
        if (c == ' ') {
            total += space;
            continue;
        }
        for (const char* p = MorsePattern(c); *p; ++p)
            total += *p == '-' ? 3 * unit : unit;
    }
    return total;
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> WaveHeader(uint32_t rate, uint32_t dataBytes) {
    std::vector<uint8_t> h;
    const uint32_t pad = dataBytes & 1; // RIFF chunks are padded to even size
    for (char c : std::string("RIFF"))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, 36 + dataBytes + pad, 4);
    for (char c : std::string("WAVEfmt "))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, 16, 4);
    PutLE(h, 1, 2);    // PCM
    PutLE(h, 1, 2);    // mono
    PutLE(h, rate, 4); // samples per second
    PutLE(h, rate, 4); // bytes per second
    PutLE(h, 1, 2);    // block align
    PutLE(h, 8, 2);    // bits per sample
    for (char c : std::string("data"))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, dataBytes, 4);
    return h;
}

// The buffer volume attenuates by (volume - 100) x 100 hundredths of a
// decibel around the silence level; 100 leaves every byte as it is.
void VolumeTable(int volume, uint8_t table[256]) {
    const double gain = std::pow(10.0, (volume - 100) / 20.0);
    for (int b = 0; b < 256; ++b) {
        if (volume >= 100) {
            table[b] = static_cast<uint8_t>(b);
            continue;
        }
        long v = 128 + std::lround((b - 128) * gain);
        table[b] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
}

bool ReadRate(const CliOptions& options, long long& rate, std::string& error) {
    if (!options.GetInt("rate", 1, 1000000, 44100, rate, error))
        return false;
    for (long long allowed : {11025, 22050, 44100, 48000, 96000})
        if (rate == allowed)
            return true;
    error = "--rate must be one of 11025, 22050, 44100, 48000, 96000, not " + options.Get("rate", "");
    return false;
}

int Run(const std::vector<std::string>& args) {
    CliOptions options({"text", "kind", "number", "series", "groups", "speed", "frequency", "delay", "rate",
                        "volume", "out"},
                       {"preamble", "force"});
    std::string error;
    if (!options.Parse(args, error))
        return CliFail(kName, error);
    if (!options.Positional().empty())
        return CliFail(kName, "unexpected argument \"" + options.Positional().front() + "\"");
    if (!options.Has("out"))
        return CliFail(kName, "--out FILE is required (- for standard output)");
    const std::string out = options.Get("out", "");
    if (out.empty())
        return CliFail(kName, "--out needs a file name");

    long long speed, frequency, delay, rate, volume;
    if (!options.GetInt("speed", 1, 1000, 100, speed, error) ||
        !options.GetInt("frequency", 500, 3000, 850, frequency, error) ||
        !options.GetInt("delay", 0, 60, 3, delay, error) || !ReadRate(options, rate, error) ||
        !options.GetInt("volume", 0, 100, 100, volume, error))
        return CliFail(kName, error);

    const bool generated = options.Has("number") || options.Has("series") || options.Has("groups");
    if (options.Has("text") && generated)
        return CliFail(kName, "give either --text or --number/--series/--groups, not both");
    if (!options.Has("text") && !generated)
        return CliFail(kName, "give the text with --text, or a generated one with --kind and --number");
    // The kind also picks the average character length of the speed.
    TextChoice choice;
    std::string text;
    if (options.Has("text")) {
        text = options.Get("text", "");
        const std::string kind = options.Get("kind", "letters");
        const char* const names[] = {"letters", "figures", "mixed"};
        choice.kind = -1;
        for (int k = 0; k < 3; ++k)
            if (kind == names[k])
                choice.kind = k;
        if (choice.kind < 0)
            return CliFail(kName, "--kind must be letters, figures or mixed, not \"" + kind + "\"");
    } else {
        if (!ReadTextChoice(options, choice, error))
            return CliFail(kName, error);
        text = TextOfNumber(choice, choice.number);
    }
    const long long kind = choice.kind;
    if (options.Has("preamble"))
        text = kPreamble + text + kClosing;

    const int unit = unitSamples(static_cast<int>(kind), static_cast<int>(speed), static_cast<int>(rate));
    const uint64_t total =
        StreamSamples(text + ' ', static_cast<uint64_t>(unit), 2ull * static_cast<uint64_t>(unit),
                      static_cast<uint64_t>(delay * rate));
    // The stream counts in 32 bits and a WAV file holds less than 4 GiB.
    if (total > 0xFFFF0000ull)
        return CliFail(kName, "the sound would last " + std::to_string(total / static_cast<uint64_t>(rate)) +
                                  " s, more than a WAV file can hold; use a shorter text or a higher speed");

    MorseStream stream(static_cast<int>(rate));
    const auto load = [&] {
        stream.Load(text, unit, static_cast<int>(delay), static_cast<int>(frequency), -1, -1, -1);
    };
    std::vector<uint8_t> segment(MorseSegmentBytes(static_cast<int>(rate)));
    // The header comes first and holds the length, and a pipe cannot be
    // rewound to fill it in later: one pass only measures.
    load();
    while (!stream.Fill(segment.data(), static_cast<uint32_t>(segment.size()))) {
    }
    const uint32_t dataBytes = stream.StartOffset(static_cast<uint32_t>(stream.Length()));

    CliOutput output;
    if (!output.Open(out, options.Has("force"), error))
        return CliFail(kName, error);
    uint8_t table[256];
    VolumeTable(static_cast<int>(volume), table);
    const std::vector<uint8_t> header = WaveHeader(static_cast<uint32_t>(rate), dataBytes);
    bool ok = output.Write(header.data(), header.size());
    load();
    for (uint32_t done = 0; ok && done < dataBytes;) {
        stream.Fill(segment.data(), static_cast<uint32_t>(segment.size()));
        const uint32_t keep = std::min(dataBytes - done, static_cast<uint32_t>(segment.size()));
        for (uint32_t i = 0; i < keep; ++i)
            segment[i] = table[segment[i]];
        ok = output.Write(segment.data(), keep);
        done += keep;
    }
    const uint8_t pad = 0; // RIFF chunks are padded to even size
    if (ok && (dataBytes & 1))
        output.Write(&pad, 1);
    if (!output.Close(error))
        return CliFail(kName, error);
    // Standard output carries the sound itself; the report goes beside it.
    std::fprintf(output.IsStandardOutput() ? stderr : stdout,
                 "%s: %u samples at %lld per second, %.3f s, unit %d samples\n", out.c_str(), dataBytes, rate,
                 static_cast<double>(dataBytes) / static_cast<double>(rate), unit);
    return 0;
}

const CliRegistrar registrar(
    {kName,
     "(--text TEXT [--kind K] | --kind letters|figures|mixed --number N [--series S] [--groups G]) "
     "--out FILE|- [--force] "
     "[--speed CPM] [--frequency HZ] [--delay S] [--rate SPS] [--volume 0-100] [--preamble]",
     "render a text into an 8-bit mono WAV file (- for standard output) with the samples the player writes",
     Run});

} // namespace
