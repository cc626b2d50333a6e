// What the diary says about progress: for each day and kind the checks, the
// best accepted speed and the share of characters copied right; the
// characters most often got wrong; the last checks.
#pragma once

#include "diary/DiaryFile.h"

#include <vector>

// Occurrences of a character that decide its error rate: the most recent
// ones, whole checks at a time (the last check taken may bring a few more).
constexpr int kCharacterWindow = 500;
constexpr size_t kWeakestShown = 10;
constexpr size_t kLastChecksShown = 20;

struct DaySummary {
    int day = 0;
    int kind = 0;
    int checks = 0;
    int bestAcceptedSpeed = 0; // 0: no accepted copy that day
    long long characters = 0;
    long long right = 0;
};

struct CharacterSummary {
    char32_t character = 0;
    int checked = 0; // occurrences in the texts
    int errors = 0;  // of them wrong or missing in the copy
};

struct DiarySummary {
    int firstDay = 0, lastDay = 0;         // the days shown (the window, or the diary's own span)
    std::vector<DaySummary> days;          // by day, then kind
    std::vector<CharacterSummary> weakest; // highest error rate first
    std::vector<size_t> lastChecks;        // indexes of rows, newest first
    int checks = 0;                        // rows within the days shown
};

// Characters of a row's text the copy got right: those neither wrong nor
// missing by its confusions; without them (an incomplete row), characters
// less errors.
long long RightOfRow(const DiaryRow& row);

// The occurrences and errors of each character in the text of a complete row,
// worked out from its copy and confusions (every character of the copy is a
// match, the written side of a wrong one, or an extra). False when they do
// not add up to the row's characters (a row edited by hand, a copy's own '-').
bool CharactersOfRow(const DiaryRow& row, std::vector<CharacterSummary>& counts);

// Transmission rows (keying practice) are among the checks and the last
// checks, but not in the days' speeds and shares nor in the characters.
// `days` > 0: only the rows dated within the `days` days up to and including
// `today`; 0: every row.
DiarySummary SummariseDiary(const std::vector<DiaryRow>& rows, int today, int days);
