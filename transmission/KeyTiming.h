// Key times: when a key (or the keyer's output) went down and up, in
// milliseconds of the keying clock, and the exact timings KLAVIRO itself
// renders for a text, against which a sender is measured.
//
// The key times file: one "down_ms up_ms" pair a line, decimals allowed,
// '#' starting a comment, blank lines ignored, CRLF or LF, an optional UTF-8
// byte order mark.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct KeyPress {
    double downMs = 0;
    double upMs = 0;
};
using KeyTimes = std::vector<KeyPress>;

// Bounds of what is read: an hour of keying at the top speed is far below.
constexpr size_t kMaxKeyPresses = 500000;
constexpr size_t kMaxKeyTimesFileBytes = size_t{32} << 20;

// Every press lasts (up > down) and begins no earlier than the previous one
// ended (down >= previous up); times are finite and not negative. False with
// `error` naming the press (counted from 1) otherwise.
bool CheckKeyTimes(const KeyTimes& presses, std::string& error);

// Reads the bytes of a key times file. False with `error` naming the line
// (counted from 1) of the first bad line, or of a press that overlaps the one
// before or goes back in time; `presses` is then empty.
bool ParseKeyTimes(const std::string& bytes, KeyTimes& presses, std::string& error);
// The file's bytes: a comment line, then one "down up" line per press with
// three decimals (what ParseKeyTimes reads back to the microsecond).
std::string KeyTimesText(const KeyTimes& presses);

// Unit (dot) length in milliseconds of a speed in characters per minute for
// a text kind, the same formula as the player's unitSamples but not rounded
// to samples; and back, the speed whose unit that is. Speeds below 1 count
// as 1; a unit <= 0 gives 0.
double UnitMsOfSpeed(int kind, double cpm);
double SpeedOfUnitMs(int kind, double unitMs);

// The key timings of a text in the sending format (every character followed
// by a blank, three blanks after each group) as KLAVIRO sounds it: dots of
// one unit, dashes of three, one unit between the elements of a character,
// three between characters, seven between groups (a blank adds two units
// to the unit that closes each character, as the player does). With
// effectiveUnitMs > unitMs the gaps after characters and groups are
// stretched as the player stretches them (the extra time of the slower
// speed spread over them in proportion to 3 and 7); the elements and the
// gaps inside characters keep the unit. The first press goes down at
// startMs. '#' stands for the error sign, eight dots (what a correction
// sends, see Judge.h). Other characters without a pattern add nothing.
KeyTimes RenderKeyTimes(const std::string& sendingText, double unitMs, double effectiveUnitMs = 0,
                        double startMs = 0);
