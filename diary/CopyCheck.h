// A trainee's copy checked against the text just played, by the marking
// rules of the results page: the errors, the share of the text's characters
// copied right, whether the copy would be accepted, and which characters
// were confused with which, and how often.
#pragma once

#include "results/Marking.h"

#include <cstdint>
#include <string>
#include <vector>

// What names a played text and how it sounded.
struct PlayedText {
    int kind = 0;       // TextKind
    int series = 0;     // 0 training, 1 competition
    int32_t number = 1; // as on the text generator page
    int32_t groups = 1;
    int speed = 0;     // characters per minute
    int toneShape = 0; // MorseToneShape
    // Non-empty: a Koch lesson text of these signs, the newest last
    // (learning/LessonText.h); kind and series then do not choose the text.
    std::string lessonSigns{};
    // Non-empty: a drill text drawn with this weights digest over kind's
    // alphabet (learning/Drill.h).
    std::string drillWeights{};
    // Characters per minute the spacing was stretched to; 0: not stretched.
    int effectiveSpeed = 0;
};

// The text a PlayedText names, exactly as the pages show and play it: a
// lesson or drill text when it names one, else the generator's. A drill
// digest that cannot be read gives "".
std::string PlayedTextOf(const PlayedText& played);

// One kind of error with its count. `expected` is 0 for a character the copy
// has in excess; `written` is 0 for a character the copy lacks.
struct Confusion {
    char32_t expected = 0;
    char32_t written = 0;
    int count = 0;

    bool operator==(const Confusion& o) const {
        return expected == o.expected && written == o.written && count == o.count;
    }
};

struct CopyCheck {
    MarkResult mark; // the alignment, for the marks in the text box
    int errors = 0;
    int characters = 0; // of the text, as compared
    int right = 0;      // characters of the text neither wrong nor missing
    bool accepted = false;
    // Most frequent first; equal counts in the order they first occur.
    std::vector<Confusion> confusions;
};

// The acceptance rule of the results page, the one place the diary asks it.
bool CopyAccepted(int errors, int maxErrors);

// Checks `copy` against `text` (blanks, line breaks and the case of Latin
// letters do not count). False, with `check` empty, when either is too long
// to mark.
bool CheckCopy(const std::u32string& text, const std::u32string& copy, int maxErrors, CopyCheck& check);

// Counts of the same (expected, written) pair merged, ordered as in CopyCheck.
std::vector<Confusion> CountConfusions(const std::vector<MarkStep>& steps);

// Share in tenths of a percent, rounded half up (953 is 95.3 %); -1 when
// `whole` is not positive.
int ShareTenths(long long part, long long whole);
// Tenths as "95.3".
std::string TenthsText(int tenths);

// The display form of confusions, e.g. "Q→Y ×2, 5 пропущено ×1", in UTF-8.
// In each pattern %1 stands for the expected character, %2 for the written
// one and %3 for the count; the words come from the language of the page.
struct ConfusionWords {
    std::string wrong;     // e.g. "%1→%2 ×%3"
    std::string missing;   // e.g. "%1 пропущено ×%3"
    std::string extra;     // e.g. "%2 лишний ×%3"
    std::string separator; // e.g. ", "
};
std::string ConfusionsText(const std::vector<Confusion>& confusions, const ConfusionWords& words);
