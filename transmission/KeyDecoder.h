// An adaptive decoder of key presses: it learns the sender's dot length as
// they send, and turns presses into elements, characters and groups.
//
// How it decides: every mark (press) is judged against the marks around it
// (a window of the neighbouring marks, past and future): where the window
// holds short and long marks (the largest jump between its sorted lengths
// is at least kSplitRatio) the short ones are dots and their mean is the
// local unit; where all its marks are alike they are dots or dashes by the
// unit last learned (the guess at the start). Gaps are judged by the local
// unit: below 2 units inside a character, else between characters or
// groups: among the neighbouring gaps of 2 units or more, the lowest clear
// jump up to 4 units or more parts the two (so stretched spacing decodes
// too), else 5 units does. A guess several times off is thereby corrected from
// the first character with both dots and dashes, and a speed change of
// +-30 % within a text is followed. The whole decoding is redone from the
// presses when they change, so what is shown may still change at the live
// end as more presses come.
#pragma once

#include "transmission/KeyTiming.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Shown for a pattern that is no sign.
constexpr char kUnknownSign = '*';
// The error sign, a run of at least kErrorSignDots dots (shorter runs are
// the figure 5 and letters); see transmission/Judge.h for what it corrects.
constexpr char kErrorSign = '#';
constexpr int kErrorSignDots = 6;
// Two neighbouring mark lengths at least this far apart (ratio) separate
// dots from dashes.
constexpr double kSplitRatio = 1.6;

enum class ElementKind : uint8_t { Dot, Dash, IntraGap, CharGap, WordGap };

struct DecodedElement {
    ElementKind kind = ElementKind::Dot;
    double startMs = 0;
    double lengthMs = 0;
    double unitMs = 0; // the local unit it was judged against
    int character = 0; // index into KeyDecoding::characters (for a gap: of the character before it)
};

struct DecodedCharacter {
    char sign = kUnknownSign; // code page 1251 byte, kUnknownSign or kErrorSign
    std::string pattern;      // ".-" as sent
    double startMs = 0;       // first press down
    double endMs = 0;         // last press up
    bool groupStart = false;  // a group gap (or the start) comes before it
    size_t firstPress = 0;    // index of its first press
    size_t presses = 0;
};

struct KeyDecoding {
    std::vector<DecodedCharacter> characters; // closed characters, in order
    std::vector<DecodedElement> elements;     // marks and the gaps between them, in time order
    // The characters with one blank between groups ("ABCDE FGHIJ").
    std::string text;
    // The pattern of the character still open (".-" while the sender may go
    // on), for a live display; empty when none is.
    std::string open;
    double unitMs = 0; // the unit learned last (the live end)
};

// The sign of a pattern ("-.-."): a Latin letter, figure or one of . , = ? /
// (the 41 signs of KLAVIRO's texts), kErrorSign for kErrorSignDots dots or
// more, else kUnknownSign.
char SignOfPattern(const std::string& pattern);

class KeyDecoder {
public:
    // guessUnitMs: where learning starts, e.g. the keyer's unit.
    explicit KeyDecoder(double guessUnitMs);
    void Reset(double guessUnitMs);

    // Adds a press. Presses come in time order; one that lasts nothing,
    // begins before the previous one ended or is not finite is refused
    // (false, nothing changes).
    bool Press(double downMs, double upMs);
    // No press from the last one's up to nowMs: a silence long enough closes
    // the last character (and counts as a group gap once long enough).
    void Idle(double nowMs);

    // The decoding of the presses so far (characters closed by a gap or by
    // Idle; a character still open is not in it).
    const KeyDecoding& Result();
    // The text of Result() in the sending format: every character followed
    // by a blank, three blanks after each group.
    std::string SendingText();
    const KeyTimes& Presses() const { return presses_; }

private:
    double guess_;
    KeyTimes presses_;
    double idleUntil_ = 0;
    bool dirty_ = true;
    KeyDecoding result_;
};

// Decodes whole key times; the last character is closed as after a long
// silence. Presses that Press refuses are left out: check them first with
// CheckKeyTimes.
KeyDecoding DecodeKeyTimes(const KeyTimes& presses, double guessUnitMs);
