// A roster to and from the CSV files organisers keep in spreadsheets: UTF-8
// (with or without a byte order mark) or code page 1251, cells separated by
// ';' or ',', a header row naming the columns in Russian or English.
#pragma once

#include "organisation/Competition.h"

#include <string>
#include <vector>

struct RosterProblem {
    int line; // 1-based line of the file
    std::string reason;
};

struct RosterImport {
    std::vector<Entrant> entrants;       // as read: numbers 0 where the file has none
    std::vector<int> lines;              // the file's line of each entrant
    std::vector<RosterProblem> problems; // lines not understood, skipped
};

// Reads a roster file's bytes. The header row must name at least the name
// column (Name / ФИО / Участник / Фамилия...); the others are optional:
// number, sex, year of birth, club or country, callsign, category. False
// with `error` set when no header row is found.
bool ReadRosterCsv(const std::string& bytes, RosterImport& import, std::string& error);

struct RosterMerge {
    int added = 0;
    int updated = 0;                     // an entrant of the same name (NameKey) got the file's data
    std::vector<RosterProblem> problems; // e.g. a start number taken by another entrant
};
// Puts the imported entrants into the roster: a known name is updated (its
// number kept unless the file gives a free one), a new one added with the
// file's number or the next free one; categories follow unless the file
// gives one (then it counts as set by hand).
RosterMerge MergeRoster(Competition& competition, const RosterImport& import);

// The roster as a file for spreadsheets: UTF-8 with a byte order mark, ';',
// a Russian header row that ReadRosterCsv reads back; by start number.
std::string RosterCsv(const Competition& competition);
