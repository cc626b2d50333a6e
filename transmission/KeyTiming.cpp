#include "transmission/KeyTiming.h"

#include "sound/MorseTable.h"
#include "transmission/KeyDecoder.h"

#include <cmath>
#include <cstdio>

namespace {

std::string PressName(size_t index) {
    return "press " + std::to_string(index + 1);
}

// Checks press `index` against the one before; empty when it is sound.
std::string PressProblem(const KeyTimes& presses, size_t index) {
    const KeyPress& p = presses[index];
    if (!std::isfinite(p.downMs) || !std::isfinite(p.upMs) || p.downMs < 0 || p.upMs < 0)
        return "times must be finite and not negative";
    if (p.upMs <= p.downMs)
        return "the key goes up (" + std::to_string(p.upMs) + ") no later than it went down (" +
               std::to_string(p.downMs) + ")";
    if (index > 0 && p.downMs < presses[index - 1].upMs)
        return "the key goes down (" + std::to_string(p.downMs) + ") before the previous press ended (" +
               std::to_string(presses[index - 1].upMs) + ")";
    return std::string();
}

// A decimal "123" or "123.456" at `pos`, moving past it; false on anything
// else (signs, exponents, a lone point).
bool ReadDecimal(const std::string& s, size_t& pos, double& out) {
    const size_t start = pos;
    double value = 0;
    size_t digits = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        value = value * 10 + (s[pos++] - '0');
        ++digits;
    }
    if (pos < s.size() && s[pos] == '.') {
        ++pos;
        double scale = 1;
        size_t fraction = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
            scale /= 10;
            value += (s[pos++] - '0') * scale;
            ++fraction;
        }
        if (fraction == 0) {
            pos = start;
            return false;
        }
    }
    if (digits == 0 || digits > 15) {
        pos = start;
        return false;
    }
    out = value;
    return true;
}

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

void SkipBlanks(const std::string& s, size_t& pos) {
    while (pos < s.size() && Blank(s[pos]))
        ++pos;
}

// The error sign in a text to render: eight dots, as senders send it.
constexpr unsigned char kErrorSignByte = static_cast<unsigned char>(kErrorSign);
const char* const kErrorSignPattern = ". . . . . . . . ";

} // namespace

bool CheckKeyTimes(const KeyTimes& presses, std::string& error) {
    for (size_t i = 0; i < presses.size(); ++i) {
        const std::string problem = PressProblem(presses, i);
        if (!problem.empty()) {
            error = PressName(i) + ": " + problem;
            return false;
        }
    }
    return true;
}

bool ParseKeyTimes(const std::string& bytes, KeyTimes& presses, std::string& error) {
    presses.clear();
    error.clear();
    size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (size_t line = 1; pos < bytes.size(); ++line) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string text = bytes.substr(pos, end - pos);
        pos = end + 1;
        const size_t hash = text.find('#');
        if (hash != std::string::npos)
            text.erase(hash);
        size_t at = 0;
        SkipBlanks(text, at);
        if (at == text.size())
            continue;
        const std::string where = "line " + std::to_string(line) + ": ";
        KeyPress p;
        bool ok = ReadDecimal(text, at, p.downMs) && at < text.size() && Blank(text[at]);
        if (ok) {
            SkipBlanks(text, at);
            ok = ReadDecimal(text, at, p.upMs);
            SkipBlanks(text, at);
            ok = ok && at == text.size();
        }
        if (!ok) {
            error = where + "expected two times in milliseconds, \"down up\", not \"" + text + "\"";
            presses.clear();
            return false;
        }
        if (presses.size() >= kMaxKeyPresses) {
            error = where + "more than " + std::to_string(kMaxKeyPresses) + " presses";
            presses.clear();
            return false;
        }
        presses.push_back(p);
        const std::string problem = PressProblem(presses, presses.size() - 1);
        if (!problem.empty()) {
            error = where + problem;
            presses.clear();
            return false;
        }
    }
    return true;
}

std::string KeyTimesText(const KeyTimes& presses) {
    std::string out = "# down_ms up_ms\n";
    char line[80];
    for (const KeyPress& p : presses) {
        std::snprintf(line, sizeof line, "%.3f %.3f\n", p.downMs, p.upMs);
        out += line;
    }
    return out;
}

double UnitMsOfSpeed(int kind, double cpm) {
    if (!(cpm >= 1))
        cpm = 1;
    return 60000.0 / (CharacterUnits(kind) * cpm);
}

double SpeedOfUnitMs(int kind, double unitMs) {
    if (!(unitMs > 0))
        return 0;
    return 60000.0 / (CharacterUnits(kind) * unitMs);
}

KeyTimes RenderKeyTimes(const std::string& sendingText, double unitMs, double effectiveUnitMs,
                        double startMs) {
    KeyTimes presses;
    if (!(unitMs > 0))
        return presses;
    // The player appends one blank; its share of the stretch counts although
    // it lies after the last press.
    const std::string text = sendingText + " ";
    // Nominal length in units, and the weight of each blank: 3 for the one
    // that closes a sign (it stands for the sign's closing unit too), 2 for
    // any other, as the player weighs them.
    double nominal = 0, totalWeight = 0;
    bool afterSign = false;
    for (unsigned char c : text) {
        if (c == ' ') {
            nominal += 2;
            totalWeight += afterSign ? 3 : 2;
            afterSign = false;
        } else if (c == kErrorSignByte) {
            nominal += 16;
            afterSign = true;
        } else if (*MorsePattern(c)) {
            nominal += MorsePatternLength(c);
            afterSign = true;
        }
    }
    const double extra = effectiveUnitMs > unitMs ? (effectiveUnitMs - unitMs) * nominal : 0;
    double t = startMs, silence = 0; // silence since the last press went up
    bool first = true;
    afterSign = false;
    for (unsigned char c : text) {
        if (c == ' ') {
            silence += 2 * unitMs + (totalWeight > 0 ? extra * (afterSign ? 3 : 2) / totalWeight : 0);
            afterSign = false;
            continue;
        }
        const char* pattern = c == kErrorSignByte ? kErrorSignPattern : MorsePattern(c);
        if (!*pattern)
            continue;
        for (const char* p = pattern; *p; ++p) {
            if (*p == ' ') {
                silence += unitMs;
                continue;
            }
            if (!first)
                t += silence;
            first = false;
            silence = 0;
            const double length = *p == '-' ? 3 * unitMs : unitMs;
            presses.push_back({t, t + length});
            t += length;
        }
        afterSign = true;
    }
    return presses;
}
