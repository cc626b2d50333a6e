#include "player/KeyTimesSound.h"

#include "app/WholeFile.h"
#include "sound/MorseStream.h"
#include "transmission/KeyDecoder.h"
#include "transmission/TransmissionFile.h"

#include <algorithm>
#include <cmath>

namespace {

// Sample offset of a keying-clock time, the first down being `origin`.
int64_t SampleAt(double ms, double origin, int sampleRate) {
    return static_cast<int64_t>(std::llround((ms - origin + kKeyTimesLeadMs) * sampleRate / 1000.0));
}

double Origin(const KeyTimes& presses) {
    double origin = presses.front().downMs;
    for (const KeyPress& p : presses)
        origin = std::min(origin, p.downMs);
    return origin;
}

int16_t Sum(int16_t a, int16_t b) {
    return static_cast<int16_t>(std::clamp(static_cast<int>(a) + b, -32768, 32767));
}

} // namespace

std::vector<int16_t> KeyTimesSamples(const KeyTimes& presses, int sampleRate, int frequency, int toneShape) {
    std::vector<int16_t> out;
    if (presses.empty() || sampleRate <= 0)
        return out;
    const double origin = Origin(presses);
    double last = origin;
    for (const KeyPress& p : presses)
        if (p.upMs > p.downMs)
            last = std::max(last, std::min(p.upMs, origin + kKeyTimesLongestMs));
    const int64_t total = SampleAt(last + kKeyTimesTailMs, origin, sampleRate);
    out.assign(static_cast<size_t>(total), 0);
    const uint32_t f = frequency > 0 ? static_cast<uint32_t>(frequency) : 0u;
    for (const KeyPress& p : presses) {
        const int64_t begin = SampleAt(p.downMs, origin, sampleRate);
        const int64_t end = std::min(SampleAt(p.upMs, origin, sampleRate), total);
        if (end <= begin || f == 0)
            continue;
        const uint32_t length = static_cast<uint32_t>(end - begin);
        if (toneShape == MorseToneSine) {
            // The ramps centred on the edges, as the player sounds its tones.
            const uint32_t ramp = MorseRampSamples(sampleRate, static_cast<int>(length));
            const int64_t from = begin - ramp / 2;
            const uint32_t sounded = length + ramp;
            for (uint32_t k = 0; k < sounded; ++k) {
                const int64_t at = from + k;
                if (at >= 0 && at < total)
                    out[static_cast<size_t>(at)] =
                        Sum(out[static_cast<size_t>(at)], MorseSineSample(k, sounded, ramp, f, sampleRate));
            }
        } else {
            // High while trunc(k x 2F / rate) is even, the phase from the down.
            for (uint32_t k = 0; k < length; ++k) {
                const bool high =
                    (static_cast<uint64_t>(k) * 2 * f / static_cast<uint64_t>(sampleRate)) % 2 == 0;
                out[static_cast<size_t>(begin + k)] = high ? int16_t{32767} : int16_t{-32768};
            }
        }
    }
    return out;
}

RecordedSound KeyTimesSound(const KeyTimes& presses, const std::string& text,
                            const std::vector<double>& characterStartsMs, int sampleRate, int frequency,
                            int toneShape) {
    RecordedSound sound;
    sound.text = text;
    sound.samples = KeyTimesSamples(presses, sampleRate, frequency, toneShape);
    if (presses.empty())
        return sound;
    const double origin = Origin(presses);
    const int64_t size = static_cast<int64_t>(sound.samples.size());
    uint32_t previous = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i < characterStartsMs.size())
            previous = static_cast<uint32_t>(
                std::clamp<int64_t>(SampleAt(characterStartsMs[i], origin, sampleRate), 0, size));
        sound.starts.push_back(previous);
    }
    return sound;
}

RecordedSound DecodedKeyTimesSound(const KeyTimes& presses, double guessUnitMs, int sampleRate, int frequency,
                                   int toneShape) {
    const KeyDecoding decoding = DecodeKeyTimes(presses, guessUnitMs);
    std::string text;
    std::vector<double> starts;
    for (const DecodedCharacter& c : decoding.characters) {
        if (c.groupStart && !text.empty()) {
            text += ' ';
            starts.push_back(c.startMs);
        }
        text += c.sign;
        starts.push_back(c.startMs);
    }
    return KeyTimesSound(presses, text, starts, sampleRate, frequency, toneShape);
}

KeyedLoad LoadKeyedTakes(const std::string& path, const std::string (&disciplines)[3],
                         std::vector<KeyedTake>& takes, std::string& error) {
    takes.clear();
    std::string bytes;
    const size_t limit = std::max(kMaxResultsFileBytes, kMaxKeyTimesFileBytes);
    if (ReadWholeFile(path, limit, bytes) != WholeFileRead::Read) {
        error = path;
        return KeyedLoad::Unreadable;
    }
    if (bytes.empty())
        return KeyedLoad::NotKeyed; // as a control-text file with no texts
    std::vector<TransmissionRecord> records;
    std::string ignored;
    if (ParseTransmissionCsv(bytes, records, ignored)) {
        for (const TransmissionRecord& r : records) {
            if (r.keys.empty())
                continue;
            const int d = r.discipline >= 0 && r.discipline <= 2 ? r.discipline : 0;
            takes.push_back({r.participant + ", " + disciplines[d] + " " + std::to_string(r.textNumber) +
                                 ": " + std::to_string(r.cpm),
                             r.keys});
        }
        return takes.empty() ? KeyedLoad::NoTakes : KeyedLoad::Loaded;
    }
    KeyTimes keys;
    if (!ParseKeyTimes(bytes, keys, ignored))
        return KeyedLoad::NotKeyed;
    if (keys.empty())
        return KeyedLoad::NoTakes;
    const size_t slash = path.find_last_of("\\/");
    takes.push_back({slash == std::string::npos ? path : path.substr(slash + 1), keys});
    return KeyedLoad::Loaded;
}
