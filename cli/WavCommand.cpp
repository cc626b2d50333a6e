// klaviro-cli wav: the exact samples the player writes for a text, or for
// every text of a file as the player page plays it, as a mono WAV file:
// 8-bit unsigned for the square wave, 16-bit signed for the sine.
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/OutputFile.h"
#include "cli/TextOptions.h"

#include "sound/MorseTable.h"
#include "texts/ControlTextFile.h"
#include "player/PlainText.h"
#include "player/PlayerFile.h"
#include "player/PlayerRender.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kName[] = "wav";
const char kPreamble[] = "V V V   =   ";
const char kClosing[] = "AR";

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> WaveHeader(uint32_t rate, uint32_t dataBytes, uint32_t sampleBytes = 1) {
    std::vector<uint8_t> h;
    const uint32_t pad = dataBytes & 1; // RIFF chunks are padded to even size
    for (char c : std::string("RIFF"))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, 36 + dataBytes + pad, 4);
    for (char c : std::string("WAVEfmt "))
        h.push_back(static_cast<uint8_t>(c));
    PutLE(h, 16, 4);
    PutLE(h, 1, 2);                  // PCM
    PutLE(h, 1, 2);                  // mono
    PutLE(h, rate, 4);               // samples per second
    PutLE(h, rate * sampleBytes, 4); // bytes per second
    PutLE(h, sampleBytes, 2);        // block align
    PutLE(h, 8 * sampleBytes, 2);    // bits per sample
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

// Rendering this long shows a progress line (KLAVIRO_PROGRESS_MS changes
// it, for tests).
long long ProgressAfterMs() {
    const char* v = std::getenv("KLAVIRO_PROGRESS_MS");
    return v && *v ? std::atoll(v) : 2000;
}

// Writes the render into `out` as a WAV file; the progress line goes to
// standard error once rendering has taken a while.
bool WriteWave(const std::string& out, bool force, int rate, int volume, SampleRender& render,
               const std::string& summary, std::string& error) {
    // The header comes first and holds the length, which the render knows
    // beforehand: a pipe cannot be rewound to fill it in later.
    const uint32_t sampleBytes = static_cast<uint32_t>(render.BytesPerSample());
    const uint32_t dataBytes = static_cast<uint32_t>(render.TotalSamples() * sampleBytes);
    CliOutput output;
    if (!output.Open(out, force, error))
        return false;
    uint8_t table[256];
    VolumeTable(volume, table);
    const double gain = std::pow(10.0, (volume - 100) / 20.0);
    const std::vector<uint8_t> header = WaveHeader(static_cast<uint32_t>(rate), dataBytes, sampleBytes);
    bool ok = output.Write(header.data(), header.size());

    using Clock = std::chrono::steady_clock;
    const Clock::time_point begun = Clock::now();
    const long long after = ProgressAfterMs();
    Clock::time_point shown = begun;
    bool progress = false;
    size_t count = 0;
    std::vector<uint8_t> bytes;
    while (ok) {
        if (render.ToneShape() == MorseToneSine) {
            int16_t* block = render.NextWide(count);
            if (!block)
                break;
            bytes.clear();
            for (size_t i = 0; i < count; ++i)
                PutLE(bytes, static_cast<uint16_t>(volume >= 100 ? block[i] : std::lround(block[i] * gain)),
                      2);
            ok = output.Write(bytes.data(), bytes.size());
        } else {
            uint8_t* block = render.Next(count);
            if (!block)
                break;
            for (size_t i = 0; i < count; ++i)
                block[i] = table[block[i]];
            ok = output.Write(block, count);
        }
        const Clock::time_point now = Clock::now();
        if (std::chrono::duration_cast<std::chrono::milliseconds>(now - begun).count() >= after &&
            (!progress || now - shown >= std::chrono::milliseconds(250))) {
            std::fprintf(
                stderr, "\rklaviro-cli %s: text %zu of %zu, %3d%%", kName, render.TextIndex() + 1,
                render.TextCount(),
                static_cast<int>(render.Done() * 100 / (render.TotalSamples() ? render.TotalSamples() : 1)));
            progress = true;
            shown = now;
        }
    }
    if (progress)
        std::fprintf(stderr, "\rklaviro-cli %s: %zu texts, 100%%     \n", kName, render.TextCount());
    const uint8_t pad = 0; // RIFF chunks are padded to even size
    if (ok && (dataBytes & 1))
        output.Write(&pad, 1);
    if (!output.Close(error))
        return false;
    // Standard output carries the sound itself; the report goes beside it.
    CliPrint(output.IsStandardOutput() ? stderr : stdout, summary + "\n");
    return true;
}

// The texts of --control or --text-file with their units; false with
// `error` set.
bool FileTexts(const CliOptions& options, int rate, std::vector<RenderText>& texts, std::string& error) {
    const bool control = options.Has("control");
    const std::string path = options.Get(control ? "control" : "text-file", "");
    PlayerFile file;
    // One screen of the text box at its default size.
    const size_t screen = 60 * 10;
    if (LoadPlayerFile(path, screen, file, error, !control) != PlayerLoad::Loaded)
        return false;
    if (control && !file.control) {
        error =
            "\"" + path + "\" is not a control-text file (" + file.notControl +
            "; a number line, an empty line, the text, an empty line); send ordinary text with --text-file";
        return false;
    }
    if (file.converted.leftOutCount > 0)
        std::fprintf(stderr, "klaviro-cli %s: note: left out %zu character(s) without a Morse code: %s\n",
                     kName, file.converted.leftOutCount, LeftOutList(file.converted).c_str());
    int kind = file.kind;
    if (options.Has("kind")) {
        const std::string name = options.Get("kind", "");
        const char* const names[] = {"letters", "figures", "mixed"};
        kind = -1;
        for (int k = 0; k < 3; ++k)
            if (name == names[k])
                kind = k;
        if (kind < 0) {
            error = "--kind must be letters, figures or mixed, not \"" + name + "\"";
            return false;
        }
    }
    long long chosen;
    if (!options.GetInt("speed", 1, 1000, 100, chosen, error))
        return false;
    const bool recorded = file.speedsRecorded && !options.Has("speed");
    if (file.control && !file.speedsRecorded && !options.Has("speed"))
        CliPrint(stderr, std::string("klaviro-cli ") + kName + ": note: \"" + path +
                             "\" records no speeds; sending at " + std::to_string(chosen) +
                             " (see --speed)\n");
    for (size_t i = 0; i < file.texts.size(); ++i) {
        const int speed = recorded ? HeaderSpeed(file.texts[i]) : static_cast<int>(chosen);
        texts.push_back({PlayerSentText(file, i, kind, speed).sent, unitSamples(kind, speed, rate)});
    }
    return true;
}

int Run(const std::vector<std::string>& args) {
    CliOptions options({"text", "plain", "control", "text-file", "kind", "number", "series", "groups",
                        "speed", "effective", "frequency", "delay", "interval", "rate", "volume", "out",
                        "shape"},
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

    long long speed, frequency, delay, rate, volume, interval;
    if (!options.GetInt("speed", 1, 1000, 100, speed, error) ||
        !options.GetInt("frequency", 500, 3000, 850, frequency, error) ||
        !options.GetInt("delay", 0, 60, 3, delay, error) || !ReadRate(options, rate, error) ||
        !options.GetInt("volume", 0, 100, 100, volume, error) ||
        !options.GetInt("interval", 0, 600, 60, interval, error))
        return CliFail(kName, error);

    const bool generated = options.Has("number") || options.Has("series") || options.Has("groups");
    const bool fromFile = options.Has("control") || options.Has("text-file");
    const int sources = (options.Has("text") ? 1 : 0) + (options.Has("plain") ? 1 : 0) + (generated ? 1 : 0) +
                        (options.Has("control") ? 1 : 0) + (options.Has("text-file") ? 1 : 0);
    if (sources > 1)
        return CliFail(kName,
                       "give one of --text, --plain, --number/--series/--groups, --control or --text-file, "
                       "not several");
    if (sources == 0)
        return CliFail(kName,
                       "give the text with --text or --plain, a generated one with --kind and --number, "
                       "or a file with --control or --text-file");
    if (fromFile && options.Has("preamble"))
        return CliFail(kName, "--control and --text-file always send the preambles; leave out --preamble");
    long long effective = speed;
    if (options.Has("effective")) {
        if (fromFile)
            return CliFail(kName, "--effective stretches the spacing of one text; it cannot be used with "
                                  "--control or --text-file");
        if (!options.GetInt("effective", 1, 1000, speed, effective, error))
            return CliFail(kName, error);
        if (effective > speed)
            return CliFail(kName, "--effective " + std::to_string(effective) + " is faster than --speed " +
                                      std::to_string(speed) +
                                      "; the effective speed stretches the gaps, so it must not exceed the "
                                      "speed of the signs");
    }
    if (!fromFile && options.Has("interval"))
        return CliFail(kName, "--interval is the pause between the texts of --control or --text-file");

    const std::string shapeName = options.Get("shape", "square");
    if (shapeName != "square" && shapeName != "sine")
        return CliFail(kName, "--shape must be square or sine, not \"" + shapeName + "\"");
    const int shape = shapeName == "sine" ? MorseToneSine : MorseToneSquare;

    std::vector<RenderText> texts;
    int unit = 0, effectiveUnit = 0;
    if (fromFile) {
        if (!FileTexts(options, static_cast<int>(rate), texts, error))
            return CliFail(kName, error);
    } else {
        // The kind also picks the average character length of the speed.
        TextChoice choice;
        std::string text;
        if (options.Has("text") || options.Has("plain")) {
            if (options.Has("text") && !SendingFormatArgument(options.Get("text", ""), text, error))
                return CliFail(kName, error);
            if (options.Has("plain")) {
                const SendingText converted = PlainToSending(options.Get("plain", ""));
                if (converted.leftOutCount > 0)
                    std::fprintf(stderr,
                                 "klaviro-cli %s: note: left out %zu character(s) without a Morse code: %s\n",
                                 kName, converted.leftOutCount, LeftOutList(converted).c_str());
                if (converted.text.empty())
                    return CliFail(kName, "--plain holds no character with a Morse code");
                text = converted.text;
            }
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

        unit = unitSamples(static_cast<int>(kind), static_cast<int>(speed), static_cast<int>(rate));
        effectiveUnit =
            unitSamples(static_cast<int>(kind), static_cast<int>(effective), static_cast<int>(rate));
        texts.push_back({text, unit, effectiveUnit});
    }
    SampleRender render(static_cast<int>(rate), static_cast<int>(delay), static_cast<int>(frequency),
                        static_cast<int>(interval), std::move(texts), shape);
    // Each text's stream counts in 32 bits and a WAV file holds less than
    // 4 GiB.
    if (render.TotalSamples() * static_cast<uint64_t>(render.BytesPerSample()) > 0xFFFF0000ull ||
        render.LongestText() > 0xFFFF0000ull)
        return CliFail(kName, "the sound would last " +
                                  std::to_string(render.TotalSamples() / static_cast<uint64_t>(rate)) +
                                  " s, more than a WAV file can hold; use a shorter text or a higher speed");
    const uint64_t samples = render.TotalSamples();
    char figures[160];
    const double seconds = static_cast<double>(samples) / static_cast<double>(rate);
    if (fromFile)
        std::snprintf(figures, sizeof figures, "%llu samples at %lld per second, %.3f s, %zu texts",
                      static_cast<unsigned long long>(samples), rate, seconds, render.TextCount());
    else if (effectiveUnit > unit)
        std::snprintf(figures, sizeof figures,
                      "%llu samples at %lld per second, %.3f s, unit %d samples, spacing as at %d samples a unit",
                      static_cast<unsigned long long>(samples), rate, seconds, unit, effectiveUnit);
    else
        std::snprintf(figures, sizeof figures, "%llu samples at %lld per second, %.3f s, unit %d samples",
                      static_cast<unsigned long long>(samples), rate, seconds, unit);
    const std::string summary = out + ": " + figures;
    if (!WriteWave(out, options.Has("force"), static_cast<int>(rate), static_cast<int>(volume), render,
                   summary, error))
        return CliFail(kName, error);
    return 0;
}

const CliRegistrar registrar(
    {kName,
     "(--text TEXT [--kind K] | --plain TEXT [--kind K] | --kind letters|figures|mixed --number N "
     "[--series S] [--groups G] | --control FILE [--kind K] [--interval S] | --text-file FILE [--kind K] "
     "[--interval S]) --out FILE|- [--force] "
     "[--speed CPM] [--effective CPM] [--frequency HZ] [--delay S] [--rate SPS] [--volume 0-100] "
     "[--preamble] "
     "[--shape square|sine]",
     "render a text (--text in the sending format, --plain ordinary text) or every text of a file "
     "into a mono WAV file (8-bit square wave or 16-bit sine; - for standard output) with the samples "
     "the player writes; --effective (at most --speed) stretches the gaps between signs and words so "
     "that the text lasts as at that slower speed, the signs keeping --speed",
     Run});

} // namespace
