// Morse code table of code page 1251, the sending text format and the unit
// length of a speed.
#pragma once

#include <cstdint>
#include <string>

// Character set of a text; selects the average character length.
enum TextKind { TextLetters = 0, TextFigures = 1, TextMixed = 2 };

// Fills the pattern and pattern-length tables. Safe to call more than once;
// the lookups below also build the table on first use.
void InitMorseTable();

// Pattern of a byte: "." and "-" each followed by one blank; "" when the byte
// is not sent.
const char* MorsePattern(unsigned char c);

// Units of the pattern string: 3 per dash, 1 per dot or blank. A = 6, E = 2.
int MorsePatternLength(unsigned char c);

// Length of one unit (dot) in samples for a speed in characters per minute.
int unitSamples(int kind, int speed, int sampleRate);
// Units one character of a kind's texts takes on average, its share of the
// gaps included: a minute holds `speed` of them.
double CharacterUnits(int kind);

// Samples that a text sounds; space is the blank length, -1 meaning 2 x unit.
// The player's appended blank and the start delay are not included.
int textSamples(const std::string& text, int unit, int space);
// The same count in 64 bits, the blank length given as it is (no default):
// long texts at slow stretched speeds outgrow an int.
uint64_t TextSamples64(const std::string& text, uint64_t unit, uint64_t space);
