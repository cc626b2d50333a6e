#include "transmission/TransmissionTest.h"

#include "results/Results.h"
#include "texts/TextEncoding.h"
#include "texts/TextGeneratorFields.h"

#include <algorithm>
#include <cmath>

std::string TestText(int discipline, int32_t number) {
    TextFields f;
    f.number = number;
    f.kind = discipline;
    f.series = 1;
    f.groups = kTestGroups;
    return TextOfFields(f);
}

double TestMsLeft(bool started, double firstDownMs, double nowMs) {
    if (!started)
        return kTransmissionTestMs;
    return std::max(0.0, firstDownMs + kTransmissionTestMs - nowMs);
}

KeyTimes StoredKeys(const KeyTimes& presses) {
    KeyTimes keys = PressesWithin(presses, kTransmissionTestMs);
    if (keys.empty())
        return keys;
    const double origin = keys.front().downMs;
    for (KeyPress& k : keys) {
        k.downMs -= origin;
        k.upMs -= origin;
    }
    return keys;
}

TransmissionRecord TestRecord(const std::string& participant, int discipline, long long textNumber,
                              const TransmissionJudgement& judged, const KeyTimes& presses,
                              const std::string& sentAt) {
    TransmissionRecord r;
    r.participant = participant;
    r.discipline = discipline;
    r.textNumber = textNumber;
    r.cpm = static_cast<int>(std::lround(judged.cpm));
    r.mistakes = judged.mistakes;
    r.accepted = judged.accepted;
    r.quality = std::round(judged.stats.quality * 10) / 10;
    r.ratio = std::round(judged.stats.ratio * 100) / 100;
    r.copy = Cp1251ToUtf8(judged.copy);
    r.sentAt = sentAt;
    r.keys = StoredKeys(presses);
    return r;
}

std::array<std::vector<double>, 5> ChartLengths(const KeyDecoding& decoding, double unitMs) {
    std::array<std::vector<double>, 5> strips;
    if (!(unitMs > 0))
        return strips;
    for (const DecodedElement& e : decoding.elements)
        strips[static_cast<size_t>(e.kind)].push_back(e.lengthMs / unitMs);
    return strips;
}

std::vector<TransmissionRecord> EarlierAttempts(const std::vector<TransmissionRecord>& records,
                                                const std::string& participant, int discipline,
                                                long long textNumber, bool& same) {
    std::vector<TransmissionRecord> found;
    same = false;
    const std::string key = NameKey(participant);
    for (const TransmissionRecord& r : records) {
        if (r.discipline != discipline || NameKey(r.participant) != key)
            continue;
        found.push_back(r);
        same = same || r.textNumber == textNumber;
    }
    return found;
}
