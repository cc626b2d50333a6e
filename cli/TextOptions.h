// Options shared by the text and save commands: which text a number names.
#pragma once

#include "cli/Command.h"

#include <cstdint>
#include <string>

struct TextChoice {
    int kind = 0;          // TextKind
    long long number = 0;  // 1 to 10000000, as on the text generator page
    long long series = 0;  // 0 training, 1 competition
    long long groups = 20; // 1 to 10000
};

constexpr long long kMaxTextNumber = 10000000;

// Reads --kind, --number (both required), --series and --groups; false with
// `error` set on a missing, unknown or out-of-range value.
bool ReadTextChoice(const CliOptions& options, TextChoice& choice, std::string& error);

// The page's text of `number` (seed number + series x 10000000, groups x 5
// characters, alphabet of the kind).
std::string TextOfNumber(const TextChoice& choice, long long number);

// --text in the sending format, whose letters are code page 1251 bytes: an
// argument in UTF-8 (every argument on Windows) is turned into them; other
// bytes are taken as they are. False with `error` set for a character that
// code page 1251 lacks.
bool SendingFormatArgument(const std::string& argument, std::string& text, std::string& error);
