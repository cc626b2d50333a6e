// Marking a participant's copy against the control text: the least number of
// wrong, missing and extra characters (edit distance), with blanks, tabs and
// line breaks removed from both and Latin letters compared without regard to
// case, and where each error is, so that a referee can check every decision.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Errors a copy may have and still be accepted ([Results] MaxErrors).
constexpr int kDefaultMaxErrors = 5;
// Characters either side may have after blanks are removed: far above a
// one-minute text at the top speed (1010), and it bounds the work and memory
// of one mark (the table of partial counts is 2 bytes per pair).
constexpr size_t kMaxMarkedCharacters = 4096;
// Characters a copy may have as it was typed or read, blanks and line breaks
// included: room for the longest markable text with every character spaced
// out, while a copy padded with megabytes of blanks is refused at once.
constexpr size_t kMaxCopyCharacters = 4 * kMaxMarkedCharacters;
// The largest copy file read; anything near it is refused by the cap above.
constexpr size_t kMaxCopyFileBytes = 1u << 20;

// The characters that are compared: the text without blanks, tabs, carriage
// returns and line feeds, with a to z made A to Z.
std::u32string MarkingCharacters(const std::u32string& text);

enum class MarkOp : uint8_t {
    Match,
    Wrong,   // the copy has another character in its place
    Missing, // the copy lacks this character of the text
    Extra,   // the copy has a character the text lacks here
};

struct MarkStep {
    MarkOp op;
    char32_t text; // the text's character; 0 for Extra
    char32_t copy; // the copy's character; 0 for Missing
};

struct MarkResult {
    int errors = 0;
    int characters = 0;          // of the text, as compared
    std::vector<MarkStep> steps; // the alignment, in text order
};

// Compares the marking characters of both texts. False when either has more
// than kMaxMarkedCharacters of them, or the copy has more than
// kMaxCopyCharacters in all.
bool MarkCopy(const std::u32string& text, const std::u32string& copy, MarkResult& result);

// The acceptance rule, for the verdict and the ranking alike: a copy with at
// most `limit` errors is accepted.
inline bool IsAccepted(int errors, int limit) {
    return errors >= 0 && errors <= limit;
}

// Marks for the text box that shows `shown` (the text with its blanks, one
// mark per code point): 'x' (the first mark class) on every character the
// copy got wrong or missed, '%' (the second) on the character after which the
// copy has extra characters (the first character when they come before it),
// blank elsewhere. An error mark wins over an extra mark.
std::string TextBoxMarks(const std::u32string& shown, const MarkResult& result);
