// The results file of a competition (Results.csv): UTF-8 with a byte order
// mark, one header row, then one row per marked copy: participant,
// discipline, speed, errors, copy, time of marking, separated by semicolons
// and quoted as spreadsheets expect. It is rewritten after every mark through
// a temporary file, and a file that cannot be read as such is never
// overwritten.
#pragma once

#include "results/Results.h"

#include <cstdint>
#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

constexpr const char* kResultsFileName = "Results.csv";
// The largest results file read: some hundred thousand marks.
constexpr size_t kMaxResultsFileBytes = 64u << 20;

// The file's bytes for these records.
std::string ResultsCsv(const std::vector<MarkRecord>& records);
// Reads the bytes of a results file (with or without the byte order mark,
// also as saved back by a spreadsheet in the system's code page or as
// UTF-16; each line not in UTF-8 is read in the system's code page). Empty
// bytes are an empty file. False with `error` set, naming the row, when they
// are not a results file.
bool ParseResultsCsv(const std::string& bytes, std::vector<MarkRecord>& records, std::string& error);

enum class ResultsLoad {
    Loaded,
    Missing,    // no such file: no marks yet
    Unreadable, // exists but cannot be read, or is no results file: keep it
};
ResultsLoad LoadResultsFile(const std::string& path, std::vector<MarkRecord>& records, std::string& error);
// The same for any table file of the results' folder: the whole file (at
// most kMaxResultsFileBytes) given to `parse`; Unreadable with `error`
// naming the file as no `what` file when the parse refuses it.
ResultsLoad LoadTableFile(const std::string& path, const std::string& what,
                          const std::function<bool(const std::string& bytes, std::string& error)>& parse,
                          std::string& error);
// Writes the whole file through a temporary one renamed over it, so that the
// marks already in the file survive a failed write.
bool SaveResultsFile(const std::string& path, const std::vector<MarkRecord>& records);

// Every file of the results (this file, the sheet) is written here: through
// a temporary file renamed over the old one.
bool WriteResultsBytes(const std::string& path, const std::string& bytes);

// Stores one mark the way the page and klaviro-cli both do: reads the file
// afresh (marks made meanwhile elsewhere stay), applies the copies rule and
// writes it back. From the reading to the writing it holds the lock file
// "<results file>.lock" beside the file (a link's target), so that two
// programs marking into one file at once never lose a mark; the lock file is
// left in place. A lock held elsewhere is waited for up to `lockWaitMs`.
// RemoveMark takes a mark out the same way.
enum class StoreOutcome {
    Added,
    Replaced,
    Removed,
    Earlier,  // a correction asked about first: nothing written
    NotFound, // no such mark to remove
    Refused,
    Unreadable,
    WriteFailed,
    ReadOnly,   // the file is read-only: left as it is
    NotRegular, // a folder, a device or a pipe: nothing read or written
    InUse,      // another program kept the file locked for the whole wait
};
constexpr uint32_t kResultsLockWaitMs = 5000;
// With `earlier` given, a correction (the participant has a mark in the
// discipline at that speed) is not made: the stored mark is copied there
// and the outcome is Earlier, so that the operator can be asked first.
StoreOutcome StoreMark(const std::string& path, const MarkRecord& mark, int maxCopies, std::string& error,
                       uint32_t lockWaitMs = kResultsLockWaitMs, MarkRecord* earlier = nullptr);
// Removes the participant's mark (by NameKey) in the discipline at the speed:
// Removed, NotFound (a missing file stays missing) or a failure as above.
StoreOutcome RemoveMark(const std::string& path, const std::string& participant, int discipline, int speed,
                        std::string& error, uint32_t lockWaitMs = kResultsLockWaitMs);
// Stores many marks in one write (a folder of copies): each by the copies
// rule in order, its outcome (Added, Replaced or Refused, with the reason in
// `reasons`) in `outcomes`. The file is written once, only when something
// was added or replaced; the return is Added when it was written, Refused
// when nothing was to be written, or a failure as above (nothing stored).
StoreOutcome StoreMarks(const std::string& path, const std::vector<MarkRecord>& marks, int maxCopies,
                        std::vector<StoreOutcome>& outcomes, std::vector<std::string>& reasons,
                        std::string& error, uint32_t lockWaitMs = kResultsLockWaitMs);
// The locked read-change-write every change of a file of the results goes
// through (StoreMark, the transmission results): refuses a read-only or
// irregular path, holds the lock file of the link's target, calls `change`
// with that target; `change` reads the file itself (a file it cannot read
// gives Unreadable, which stops everything), and for Added, Replaced or
// Removed sets `bytes`, which are then written through a temporary file.
// Any other outcome writes nothing.
StoreOutcome UpdateResultsFileLocked(
    const std::string& path, std::string& error, uint32_t lockWaitMs,
    const std::function<StoreOutcome(const std::string& target, std::string& bytes, std::string& error)>&
        change);
// The lock file of a results file.
std::string ResultsLockPath(const std::string& resultsFile);

// "YYYY-MM-DD HH:MM:SS" of a time in local time.
std::string MarkTimestamp(std::time_t when);
// The calendar time of `when` in the local time zone.
std::tm LocalTimeOf(std::time_t when);

// The cell rules of this file, for every semicolon file the program writes:
// a cell quoted where it must be and kept from reading as a formula, one
// such cell read back as written, and one row of cells from `pos` on (false
// at the end of the bytes, or with `error` set on an unclosed quote).
std::string CsvField(const std::string& value);
std::string CsvCellText(const std::string& cell);
bool ReadCsvRow(const std::string& bytes, size_t& pos, std::vector<std::string>& cells, std::string& error);
// A whole table of these rows: the bytes read line by line as what each
// line is (AnyLinesToUtf8), the first row `header` exactly (`what` names the
// file in the complaint), then each non-empty row of as many cells handed to
// `row`, which gives "" or the row's problem. Empty bytes are an empty table.
// False with `error` naming the row at the first problem.
bool ReadCsvTable(const std::string& bytes, const std::vector<std::string>& header, const std::string& what,
                  const std::function<std::string(const std::vector<std::string>& cells)>& row,
                  std::string& error);
// A cell of plain decimal digits (at most 12) worth low..high; false, `out`
// unchanged, for anything else.
bool ReadCsvWhole(const std::string& cell, long long low, long long high, long long& out);
// A cell of a whole number (at most 12 digits) with at most two decimals
// ("12", "12.5", "3.05"); false, `out` unchanged, for anything else.
bool ReadCsvDecimal(const std::string& cell, double& out);
