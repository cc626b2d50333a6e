// The training diary (Diary.csv): UTF-8 with a byte order mark, semicolons,
// cells quoted as in the results file, a header row, then one row per
// checked copy: date and time, kind, series, number, groups, speed, tone
// shape, characters, errors, accepted, confusions, the copy, a lesson's
// signs, a drill's weights digest, the effective speed (0: not stretched;
// learning/ and PlayedText tell what these mean); a transmission's row
// (keying practice) adds mode "transmission", the dash/dot ratio, the
// spreads of the gaps inside characters, between characters and between
// groups (in units) and the quality; a reception row has none of these
// cells, exactly as before. Rows are only
// ever appended, never rewritten. Reading is tolerant: a row with fewer or
// more trailing columns than these still loads, a row that cannot be read
// is left out and counted.
#pragma once

#include "diary/CopyCheck.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

constexpr const char* kDiaryFileName = "Diary.csv";
// A diary larger than this is refused before anything of it is read: about
// a million checks, decades of daily training.
constexpr size_t kMaxDiaryBytes = size_t{256} << 20;

// Days since 1970-01-01 of a calendar date; the date of such a day.
int DayOfDate(int year, int month, int day);
void DateOfDay(int dayNumber, int& year, int& month, int& day);
// "YYYY-MM-DD" (also "DD.MM.YYYY", as a spreadsheet may save it back) with
// an optional " HH:MM" or " HH:MM:SS"; false for anything else.
bool ReadDiaryTime(const std::string& text, int& dayNumber, int& second);
std::string DayText(int dayNumber); // "YYYY-MM-DD"
// Today's day number in local time.
int LocalToday();

// The figures of a transmission (transmission/KeyStats.h); absent on a
// reception check. For a transmission the row's speed is the speed reached
// (cpm), its characters those of the text and its errors the mistakes.
struct DiaryTransmission {
    bool present = false;
    double ratio = 0;       // dash / dot, two decimals
    double intraSpread = 0; // spreads in units, two decimals
    double charSpread = 0;
    double wordSpread = 0;
    double quality = 0; // 0 to 100, one decimal
};

struct DiaryRow {
    int day = 0;    // DayOfDate of the local date
    int second = 0; // of that day
    PlayedText played;
    int characters = 0;
    int errors = 0;
    bool accepted = false;
    std::vector<Confusion> confusions;
    std::string copy; // UTF-8, as typed (without the blanks that end it)
    // Set when the row has its confusions and copy (a complete row): only
    // then are its characters counted one by one.
    bool complete = true;
    DiaryTransmission transmission;
};

// A row for a check made at `when` (local time).
DiaryRow MakeDiaryRow(const PlayedText& played, const CopyCheck& check, const std::string& copyUtf8,
                      std::time_t when);

// "Q>Y:2 5>-:1 ->E:1": expected, '>', written, ':', count; '-' stands for the
// character that is not there (missing from the copy, or not in the text for
// an extra one). A copy's own '-' therefore reads back as a missing one.
std::string ConfusionsField(const std::vector<Confusion>& confusions);
bool ReadConfusionsField(const std::string& field, std::vector<Confusion>& confusions);

// The header row and one row, each with its line end.
std::string DiaryHeaderLine();
std::string DiaryLine(const DiaryRow& row);

struct DiaryContents {
    std::vector<DiaryRow> rows; // in the order they were appended
    int skipped = 0;            // rows that could not be read
    std::string firstProblem;   // what was wrong with the first of them
};

// The bytes of a diary (the byte order mark optional). False with `error`
// set when they are not a diary at all; an empty file is an empty diary.
bool ParseDiary(const std::string& bytes, DiaryContents& diary, std::string& error);

enum class DiaryLoad {
    Loaded,
    Missing,    // no such file: no checks yet
    Unreadable, // cannot be read, too large, or not a diary: `error` says which
};
DiaryLoad LoadDiary(const std::string& path, DiaryContents& diary, std::string& error);

// Appends one row with a single write; a new or empty file first gets the
// byte order mark and the header, a last row without its line end gets one
// first. Refuses (false, `error` set, nothing written) a file that is not a
// diary.
bool AppendDiaryRow(const std::string& path, const DiaryRow& row, std::string& error);
