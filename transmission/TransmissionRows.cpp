#include "transmission/TransmissionRows.h"

#include "texts/TextEncoding.h"

#include <algorithm>
#include <cmath>

namespace {

double Hundredths(double value) {
    return std::round(value * 100) / 100;
}

} // namespace

DiaryRow TransmissionDiaryRow(const PlayedText& played, const TransmissionJudgement& j, std::time_t when) {
    CopyCheck check;
    check.characters = j.mistakes < 0 ? j.characters : j.mark.characters;
    check.errors = j.mistakes < 0 ? j.characters : j.mistakes;
    check.accepted = j.accepted;
    check.confusions = CountConfusions(j.mark.steps);
    DiaryRow row = MakeDiaryRow(played, check, Cp1251ToUtf8(j.copy), when);
    row.played.speed = std::max(1, static_cast<int>(std::lround(j.cpm)));
    const KeyStatistics& s = j.stats;
    row.transmission = {true,
                        Hundredths(s.ratio),
                        Hundredths(s.intraGaps.spread),
                        Hundredths(s.charGaps.spread),
                        Hundredths(s.wordGaps.spread),
                        s.quality};
    return row;
}

TransmissionRecord TransmissionRecordOf(const std::string& participant, int discipline, long long textNumber,
                                        const TransmissionJudgement& j, const KeyTimes& presses,
                                        std::time_t when) {
    TransmissionRecord r;
    r.participant = participant;
    r.discipline = discipline;
    r.textNumber = textNumber;
    r.cpm = static_cast<int>(std::lround(j.cpm));
    r.mistakes = j.mistakes < 0 ? j.characters : j.mistakes;
    r.accepted = j.accepted;
    r.quality = j.stats.quality;
    r.ratio = Hundredths(j.stats.ratio);
    r.copy = Cp1251ToUtf8(j.copy);
    r.sentAt = MarkTimestamp(when);
    r.keys = presses;
    return r;
}
