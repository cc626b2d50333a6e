#include "transmission/Judge.h"

#include "texts/TextEncoding.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::u32string Wide(const std::string& cp1251) {
    std::u32string out;
    DecodeUtf8(Cp1251ToUtf8(cp1251), out);
    return out;
}

// Beginnings of the text tried around the copy's length: the copy may have
// dropped or added characters.
constexpr long kPrefixSlack = 20;

} // namespace

std::string CorrectedCopy(const std::vector<DecodedCharacter>& characters, int& corrections) {
    corrections = 0;
    std::vector<std::string> groups;
    std::string current;
    bool afterErrorSign = false;
    for (const DecodedCharacter& c : characters) {
        if (c.groupStart && !current.empty()) {
            groups.push_back(current);
            current.clear();
        }
        if (c.sign == kErrorSign) {
            if (afterErrorSign)
                continue;
            afterErrorSign = true;
            if (!current.empty()) {
                current.clear();
                ++corrections;
            } else if (!groups.empty()) {
                groups.pop_back();
                ++corrections;
            }
            continue;
        }
        afterErrorSign = false;
        current += c.sign;
    }
    if (!current.empty())
        groups.push_back(current);
    std::string copy;
    for (const std::string& g : groups)
        copy += (copy.empty() ? "" : " ") + g;
    return copy;
}

KeyTimes PressesWithin(const KeyTimes& presses, double windowMs) {
    KeyTimes counted;
    if (presses.empty())
        return counted;
    const double end = presses.front().downMs + windowMs;
    for (const KeyPress& p : presses)
        if (p.downMs < end)
            counted.push_back(p);
    return counted;
}

TransmissionJudgement JudgeTransmission(const KeyTimes& presses, const std::string& text, double guessUnitMs,
                                        const JudgeRules& rules) {
    TransmissionJudgement j;
    KeyTimes counted = presses;
    if (rules.windowMs > 0) {
        // Only whole characters count: one whose presses run past the end is
        // dropped with everything after it.
        const size_t within = PressesWithin(presses, rules.windowMs).size();
        size_t keep = 0;
        for (const DecodedCharacter& c : DecodeKeyTimes(presses, guessUnitMs).characters)
            if (c.firstPress + c.presses <= within)
                keep = c.firstPress + c.presses;
        counted.resize(keep);
    }
    j.decoding = DecodeKeyTimes(counted, guessUnitMs);
    j.stats = MeasureKeying(j.decoding);
    j.copy = CorrectedCopy(j.decoding.characters, j.corrections);
    j.characters =
        static_cast<int>(std::count_if(j.copy.begin(), j.copy.end(), [](char c) { return c != ' '; }));
    double elapsed = j.stats.elapsedMs;
    // Still sending when the minute ran out: the minute is the time taken.
    if (rules.windowMs > 0)
        elapsed = counted.size() < presses.size() ? rules.windowMs : std::min(elapsed, rules.windowMs);
    j.cpm = elapsed > 0 ? 60000.0 * j.characters / elapsed : 0;

    const std::u32string copy = Wide(j.copy);
    const std::u32string whole = MarkingCharacters(Wide(text));
    bool marked = false;
    if (!rules.prefix) {
        marked = MarkCopy(whole, copy, j.mark);
    } else {
        const long sent = static_cast<long>(MarkingCharacters(copy).size());
        const long total = static_cast<long>(whole.size());
        MarkResult best;
        long bestLength = -1;
        for (long length = std::min(total, std::max(0L, sent - kPrefixSlack));
             length <= std::min(total, sent + kPrefixSlack); ++length) {
            MarkResult r;
            if (!MarkCopy(whole.substr(0, static_cast<size_t>(length)), copy, r))
                continue;
            if (bestLength < 0 || r.errors < best.errors ||
                (r.errors == best.errors && std::labs(length - sent) < std::labs(bestLength - sent))) {
                best = r;
                bestLength = length;
            }
        }
        marked = bestLength >= 0;
        if (marked)
            j.mark = best;
    }
    // A copy too long to mark (thousands of characters) cannot be accepted.
    j.mistakes = marked ? j.mark.errors : -1;
    j.accepted = marked && j.characters > 0 && IsAccepted(j.mistakes, rules.maxErrors);
    return j;
}
