#include "transmission/KeyDecoder.h"

#include "sound/MorseTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

// Marks either side of a mark that judge it: about two characters each way,
// enough to hold both dots and dashes, short enough to follow a speed change.
constexpr int kWindowMarks = 8;
// Gaps in units: below the first inside a character, below the second
// between characters, else between groups.
constexpr double kCharGapUnits = 2;
constexpr double kWordGapUnits = 5;
// Gaps between characters either side of a gap that judge it, and the
// shortest group gap a jump among them may mark.
constexpr int kWindowGaps = 6;
constexpr double kLeastWordGapUnits = 4;

const std::map<std::string, char>& Signs() {
    static const std::map<std::string, char> signs = [] {
        std::map<std::string, char> m;
        const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,=?/";
        for (char c : all) {
            std::string pattern;
            for (const char* p = MorsePattern(static_cast<unsigned char>(c)); *p; ++p)
                if (*p != ' ')
                    pattern += *p;
            m[pattern] = c;
        }
        return m;
    }();
    return signs;
}

// The local unit and the dot/dash boundary of each mark.
struct MarkJudgement {
    double unit;
    double boundary; // a mark shorter than this is a dot
};

std::vector<MarkJudgement> JudgeMarks(const KeyTimes& presses, double guess) {
    const int n = static_cast<int>(presses.size());
    std::vector<MarkJudgement> judged(presses.size());
    std::vector<double> window;
    double learned = guess;
    for (int i = 0; i < n; ++i) {
        window.clear();
        for (int k = std::max(0, i - kWindowMarks); k <= std::min(n - 1, i + kWindowMarks); ++k)
            window.push_back(presses[k].upMs - presses[k].downMs);
        std::sort(window.begin(), window.end());
        // The largest jump between neighbouring lengths, as a ratio.
        size_t split = 0;
        double jump = 0;
        for (size_t k = 1; k < window.size(); ++k) {
            const double r = window[k] / window[k - 1];
            if (r > jump) {
                jump = r;
                split = k;
            }
        }
        MarkJudgement& j = judged[i];
        if (jump >= kSplitRatio) {
            double sum = 0;
            for (size_t k = 0; k < split; ++k)
                sum += window[k];
            j.unit = sum / static_cast<double>(split);
            j.boundary = std::sqrt(window[split - 1] * window[split]);
        } else {
            // All alike: dots or dashes by the unit learned so far.
            double sum = 0;
            for (double w : window)
                sum += w;
            const double mean = sum / static_cast<double>(window.size());
            const bool dots = mean < std::sqrt(3.0) * learned;
            j.unit = dots ? mean : mean / 3;
            j.boundary = 2 * j.unit;
        }
        learned = j.unit;
    }
    return judged;
}

// Which of the gaps between characters (in units) are group gaps. Each is
// judged among its neighbours: the lowest clear jump (kSplitRatio) up to a
// length of at least kLeastWordGapUnits separates character gaps from group
// gaps, wherever they lie (stretched spacing makes both long; a pause for
// thought is only a longer group gap). Without such a jump, kWordGapUnits.
std::vector<bool> GroupGaps(const std::vector<double>& units) {
    const int n = static_cast<int>(units.size());
    std::vector<bool> group(units.size());
    std::vector<double> window;
    for (int i = 0; i < n; ++i) {
        window.clear();
        for (int k = std::max(0, i - kWindowGaps); k <= std::min(n - 1, i + kWindowGaps); ++k)
            window.push_back(units[k]);
        std::sort(window.begin(), window.end());
        double boundary = kWordGapUnits;
        for (size_t k = 1; k < window.size(); ++k)
            if (window[k] >= kLeastWordGapUnits && window[k] >= kSplitRatio * window[k - 1]) {
                boundary = std::sqrt(window[k - 1] * window[k]);
                break;
            }
        group[i] = units[i] >= boundary;
    }
    return group;
}

} // namespace

char SignOfPattern(const std::string& pattern) {
    if (pattern.size() >= static_cast<size_t>(kErrorSignDots) &&
        pattern.find_first_not_of('.') == std::string::npos)
        return kErrorSign;
    const auto& signs = Signs();
    const auto found = signs.find(pattern);
    return found == signs.end() ? kUnknownSign : found->second;
}

KeyDecoder::KeyDecoder(double guessUnitMs) {
    Reset(guessUnitMs);
}

void KeyDecoder::Reset(double guessUnitMs) {
    guess_ = guessUnitMs > 0 && std::isfinite(guessUnitMs) ? guessUnitMs : 50;
    presses_.clear();
    idleUntil_ = 0;
    dirty_ = true;
}

bool KeyDecoder::Press(double downMs, double upMs) {
    if (!std::isfinite(downMs) || !std::isfinite(upMs) || upMs <= downMs ||
        (!presses_.empty() && downMs < presses_.back().upMs))
        return false;
    presses_.push_back({downMs, upMs});
    idleUntil_ = upMs;
    dirty_ = true;
    return true;
}

void KeyDecoder::Idle(double nowMs) {
    if (nowMs > idleUntil_) {
        idleUntil_ = nowMs;
        dirty_ = true;
    }
}

const KeyDecoding& KeyDecoder::Result() {
    if (!dirty_)
        return result_;
    dirty_ = false;
    KeyDecoding& r = result_;
    r = KeyDecoding{};
    r.unitMs = guess_;
    if (presses_.empty())
        return r;
    const std::vector<MarkJudgement> judged = JudgeMarks(presses_, guess_);
    r.unitMs = judged.back().unit;
    // The silence after each press (the last one's to now) in units of the
    // marks around it; those of 2 units or more end a character.
    const size_t n = presses_.size();
    std::vector<double> gapUnit(n), breaks;
    std::vector<bool> ends(n);
    for (size_t i = 0; i < n; ++i) {
        const bool last = i + 1 == n;
        gapUnit[i] = last ? judged[i].unit : (judged[i].unit + judged[i + 1].unit) / 2;
        const double gap = (last ? idleUntil_ : presses_[i + 1].downMs) - presses_[i].upMs;
        ends[i] = gap >= kCharGapUnits * gapUnit[i];
        if (ends[i] && !last)
            breaks.push_back(gap / gapUnit[i]);
    }
    const std::vector<bool> group = GroupGaps(breaks);
    size_t nextBreak = 0;
    DecodedCharacter current;
    std::vector<DecodedElement> pending; // the current character's elements
    bool groupStart = true;
    for (size_t i = 0; i < n; ++i) {
        const KeyPress& p = presses_[i];
        const double length = p.upMs - p.downMs;
        const bool dot = length < judged[i].boundary;
        if (pending.empty()) {
            current = DecodedCharacter{};
            current.startMs = p.downMs;
            current.firstPress = i;
            current.groupStart = groupStart;
        }
        current.pattern += dot ? '.' : '-';
        current.endMs = p.upMs;
        ++current.presses;
        const int index = static_cast<int>(r.characters.size());
        pending.push_back(
            {dot ? ElementKind::Dot : ElementKind::Dash, p.downMs, length, judged[i].unit, index});
        const bool last = i + 1 == n;
        if (!ends[i]) {
            if (last) {
                r.open = current.pattern;
                break;
            }
            pending.push_back(
                {ElementKind::IntraGap, p.upMs, presses_[i + 1].downMs - p.upMs, gapUnit[i], index});
            continue;
        }
        current.sign = SignOfPattern(current.pattern);
        r.characters.push_back(current);
        r.elements.insert(r.elements.end(), pending.begin(), pending.end());
        pending.clear();
        if (last)
            break;
        groupStart = group[nextBreak++];
        r.elements.push_back({groupStart ? ElementKind::WordGap : ElementKind::CharGap, p.upMs,
                              presses_[i + 1].downMs - p.upMs, gapUnit[i], index});
    }
    for (const DecodedCharacter& c : r.characters) {
        if (c.groupStart && !r.text.empty())
            r.text += ' ';
        r.text += c.sign;
    }
    return r;
}

std::string KeyDecoder::SendingText() {
    std::string out;
    for (const DecodedCharacter& c : Result().characters) {
        if (c.groupStart && !out.empty())
            out += "  ";
        out += c.sign;
        out += ' ';
    }
    return out;
}

KeyDecoding DecodeKeyTimes(const KeyTimes& presses, double guessUnitMs) {
    KeyDecoder decoder(guessUnitMs);
    for (const KeyPress& p : presses)
        decoder.Press(p.downMs, p.upMs);
    decoder.Idle(std::numeric_limits<double>::infinity());
    return decoder.Result();
}
