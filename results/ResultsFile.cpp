#include "results/ResultsFile.h"

#include "app/Platform.h"
#include "app/WholeFile.h"
#include "texts/TextEncoding.h"

namespace {
const char kBom[] = "\xEF\xBB\xBF";
const char* const kHeader[] = {"participant", "discipline", "speed", "errors", "copy", "marked"};
constexpr size_t kColumns = 6;

// Spreadsheets take a cell beginning with one of these signs for a formula,
// tabs and carriage returns before the sign too, and a copy or a name is
// whatever a participant typed; an apostrophe before it keeps it text.
// Reading removes one leading apostrophe again, so a cell that begins with
// one gets another.
bool FormulaSign(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@';
}

bool NeedsApostrophe(const std::string& v) {
    if (v.empty())
        return false;
    if (v[0] == '\'' || FormulaSign(v[0]))
        return true;
    const size_t sign = v.find_first_not_of("\t\r");
    return sign > 0 && sign != std::string::npos && FormulaSign(v[sign]);
}

std::string Field(const std::string& value) {
    std::string v = value;
    if (NeedsApostrophe(v))
        v.insert(0, 1, '\'');
    if (v.find_first_of(";\"\r\n") == std::string::npos &&
        (v.empty() || (v.front() != ' ' && v.back() != ' ')))
        return v;
    std::string q = "\"";
    for (char c : v) {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

std::string Unescaped(const std::string& cell) {
    return !cell.empty() && cell[0] == '\'' ? cell.substr(1) : cell;
}

// One row of cells from `pos` on; false at the end of the bytes. The cells'
// strings are reused from row to row and text is copied in runs: a diary of
// a hundred thousand rows is read in one go.
bool ReadRow(const std::string& s, size_t& pos, std::vector<std::string>& cells, std::string& error) {
    if (pos >= s.size()) {
        cells.clear();
        return false;
    }
    size_t used = 0;
    auto nextCell = [&]() -> std::string* {
        if (used == cells.size())
            cells.emplace_back();
        std::string& c = cells[used++];
        c.clear();
        return &c;
    };
    std::string* cell = nextCell();
    bool quoted = false, wasQuoted = false;
    for (;;) {
        if (pos >= s.size()) {
            if (quoted) {
                error = "a quoted field is not closed";
                cells.resize(used - 1);
                return false;
            }
            cells.resize(used);
            return true;
        }
        if (quoted) {
            const size_t quote = s.find('"', pos);
            const size_t end = quote == std::string::npos ? s.size() : quote;
            cell->append(s, pos, end - pos);
            pos = end;
            if (pos >= s.size())
                continue;
            ++pos;
            if (pos < s.size() && s[pos] == '"') {
                *cell += '"';
                ++pos;
            } else {
                quoted = false;
            }
            continue;
        }
        size_t end = pos;
        while (end < s.size() && s[end] != ';' && s[end] != '"' && s[end] != '\r' && s[end] != '\n')
            ++end;
        cell->append(s, pos, end - pos);
        pos = end;
        if (pos >= s.size())
            continue;
        const char c = s[pos++];
        if (c == '"') {
            if (!wasQuoted && cell->empty())
                quoted = wasQuoted = true;
            else
                *cell += c;
        } else if (c == ';') {
            cell = nextCell();
            wasQuoted = false;
        } else {
            if (c == '\r' && pos < s.size() && s[pos] == '\n')
                ++pos;
            cells.resize(used);
            return true;
        }
    }
}

} // namespace

std::string ResultsCsv(const std::vector<MarkRecord>& records) {
    std::string out = kBom;
    for (size_t k = 0; k < kColumns; ++k)
        out += std::string(k ? ";" : "") + kHeader[k];
    out += "\r\n";
    for (const MarkRecord& r : records) {
        out += Field(r.participant) + ";" + DisciplineName(r.discipline) + ";" + std::to_string(r.speed) +
               ";" + std::to_string(r.errors) + ";" + Field(r.copy) + ";" + Field(r.markedAt) + "\r\n";
    }
    return out;
}

bool ParseResultsCsv(const std::string& bytes, std::vector<MarkRecord>& records, std::string& error) {
    records.clear();
    const bool read = ReadCsvTable(
        bytes, {std::begin(kHeader), std::end(kHeader)}, "results",
        [&](const std::vector<std::string>& cells) {
            MarkRecord r;
            r.participant = CleanName(Unescaped(cells[0]));
            r.discipline = DisciplineOfName(cells[1]);
            if (r.participant.empty())
                return std::string("no participant");
            if (r.discipline < 0)
                return "unknown discipline \"" + cells[1] + "\"";
            long long speed = 0, errors = 0;
            if (!ReadCsvWhole(cells[2], 1, 100000, speed) || !ReadCsvWhole(cells[3], 0, 100000, errors))
                return std::string("speed and errors must be whole numbers");
            r.speed = static_cast<int>(speed);
            r.errors = static_cast<int>(errors);
            r.copy = Unescaped(cells[4]);
            r.markedAt = Unescaped(cells[5]);
            records.push_back(std::move(r));
            return std::string();
        },
        error);
    if (!read)
        records.clear();
    return read;
}

ResultsLoad LoadTableFile(const std::string& path, const std::string& what,
                          const std::function<bool(const std::string& bytes, std::string& error)>& parse,
                          std::string& error) {
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, kMaxResultsFileBytes, bytes);
    if (read == WholeFileRead::Missing)
        return ResultsLoad::Missing;
    if (read != WholeFileRead::Read) {
        error = WholeFileProblem(read, path, kMaxResultsFileBytes);
        return ResultsLoad::Unreadable;
    }
    if (!parse(bytes, error)) {
        error = path + " is not a " + what + " file: " + error;
        return ResultsLoad::Unreadable;
    }
    return ResultsLoad::Loaded;
}

ResultsLoad LoadResultsFile(const std::string& path, std::vector<MarkRecord>& records, std::string& error) {
    records.clear();
    return LoadTableFile(
        path, "results",
        [&](const std::string& bytes, std::string& problem) {
            return ParseResultsCsv(bytes, records, problem);
        },
        error);
}

bool WriteResultsBytes(const std::string& path, const std::string& bytes) {
    return WriteFileReplacing(path, bytes);
}

bool SaveResultsFile(const std::string& path, const std::vector<MarkRecord>& records) {
    return WriteResultsBytes(path, ResultsCsv(records));
}

namespace {
StoreOutcome NotWritable(bool readOnly, const std::string& path, std::string& error) {
    error = path + (readOnly ? " is read-only" : " is not a regular file") + "; the results were not changed";
    return readOnly ? StoreOutcome::ReadOnly : StoreOutcome::NotRegular;
}
} // namespace

std::string ResultsLockPath(const std::string& resultsFile) {
    return resultsFile + ".lock";
}

StoreOutcome UpdateResultsFileLocked(
    const std::string& path, std::string& error, uint32_t lockWaitMs,
    const std::function<StoreOutcome(const std::string& target, std::string& bytes, std::string& error)>&
        change) {
    // Checked before anything is read: a pipe would block the reading, and
    // the lock belongs beside the file that is really written.
    std::string target;
    const FileState state = InspectFile(path, target);
    if (state == FileState::ReadOnly || state == FileState::NotRegular)
        return NotWritable(state == FileState::ReadOnly, path, error);
    // Where no lock file can be made (a read-only folder, a system without
    // locks) the change goes on as before: the writing reports what fails.
    const FileLock lock(ResultsLockPath(target), lockWaitMs);
    if (lock.GetState() == FileLock::State::InUse) {
        error = path + " is in use by another program (" + ResultsLockPath(target) +
                " is locked); the results were not changed, try again";
        return StoreOutcome::InUse;
    }
    std::string bytes;
    const StoreOutcome outcome = change(target, bytes, error);
    if (outcome != StoreOutcome::Added && outcome != StoreOutcome::Replaced &&
        outcome != StoreOutcome::Removed)
        return outcome;
    ReplaceFailure failure = ReplaceFailure::None;
    if (!WriteFileReplacing(target, bytes, &failure)) {
        // Made read-only while it was being read.
        if (failure == ReplaceFailure::ReadOnly || failure == ReplaceFailure::NotRegular)
            return NotWritable(failure == ReplaceFailure::ReadOnly, path, error);
        error = "cannot write " + path;
        return StoreOutcome::WriteFailed;
    }
    return outcome;
}

namespace {
// The read-change-write of the marks. `change` edits the records and says
// what it did; only Added, Replaced and Removed are written back.
template <class Change>
StoreOutcome UpdateLocked(const std::string& path, std::string& error, uint32_t lockWaitMs, Change change) {
    return UpdateResultsFileLocked(
        path, error, lockWaitMs, [&](const std::string& target, std::string& bytes, std::string& problem) {
            std::vector<MarkRecord> records;
            if (LoadResultsFile(target, records, problem) == ResultsLoad::Unreadable)
                return StoreOutcome::Unreadable;
            const StoreOutcome outcome = change(records);
            bytes = ResultsCsv(records);
            return outcome;
        });
}

std::string MarkName(const std::string& participant, int discipline, int speed) {
    return participant + " (" + DisciplineName(discipline) + ", " + std::to_string(speed) + ")";
}
} // namespace

StoreOutcome StoreMark(const std::string& path, const MarkRecord& mark, int maxCopies, std::string& error,
                       uint32_t lockWaitMs, MarkRecord* earlier) {
    return UpdateLocked(path, error, lockWaitMs, [&](std::vector<MarkRecord>& records) {
        if (earlier)
            if (const MarkRecord* found = FindMark(records, mark.participant, mark.discipline, mark.speed)) {
                *earlier = *found;
                error = MarkName(mark.participant, mark.discipline, mark.speed) + " is marked already";
                return StoreOutcome::Earlier;
            }
        const AddOutcome added = AddMark(records, mark, maxCopies);
        if (added == AddOutcome::Refused) {
            error = mark.participant + " already has " + std::to_string(maxCopies) + " copies marked in " +
                    DisciplineName(mark.discipline);
            return StoreOutcome::Refused;
        }
        return added == AddOutcome::Added ? StoreOutcome::Added : StoreOutcome::Replaced;
    });
}

StoreOutcome StoreMarks(const std::string& path, const std::vector<MarkRecord>& marks, int maxCopies,
                        std::vector<StoreOutcome>& outcomes, std::vector<std::string>& reasons,
                        std::string& error, uint32_t lockWaitMs) {
    outcomes.assign(marks.size(), StoreOutcome::Refused);
    reasons.assign(marks.size(), std::string());
    const StoreOutcome stored = UpdateLocked(path, error, lockWaitMs, [&](std::vector<MarkRecord>& records) {
        bool changed = false;
        for (size_t k = 0; k < marks.size(); ++k) {
            const MarkRecord& mark = marks[k];
            const AddOutcome added = AddMark(records, mark, maxCopies);
            if (added == AddOutcome::Refused) {
                reasons[k] = mark.participant + " already has " + std::to_string(maxCopies) +
                             " copies marked in " + DisciplineName(mark.discipline);
                continue;
            }
            outcomes[k] = added == AddOutcome::Added ? StoreOutcome::Added : StoreOutcome::Replaced;
            changed = true;
        }
        return changed ? StoreOutcome::Added : StoreOutcome::Refused;
    });
    // A failure stores nothing: no mark may be reported as stored.
    if (stored != StoreOutcome::Added && stored != StoreOutcome::Refused)
        outcomes.assign(marks.size(), stored);
    return stored;
}

StoreOutcome RemoveMark(const std::string& path, const std::string& participant, int discipline, int speed,
                        std::string& error, uint32_t lockWaitMs) {
    return UpdateLocked(path, error, lockWaitMs, [&](std::vector<MarkRecord>& records) {
        // Nothing removed, nothing written: a missing file is never made.
        if (EraseMark(records, participant, discipline, speed) == 0) {
            error = "no mark of " + MarkName(participant, discipline, speed) + " in " + path;
            return StoreOutcome::NotFound;
        }
        return StoreOutcome::Removed;
    });
}

std::tm LocalTimeOf(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

std::string MarkTimestamp(std::time_t when) {
    const std::tm local = LocalTimeOf(when);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string CsvField(const std::string& value) {
    return Field(value);
}

std::string CsvCellText(const std::string& cell) {
    return Unescaped(cell);
}

bool ReadCsvRow(const std::string& bytes, size_t& pos, std::vector<std::string>& cells, std::string& error) {
    return ReadRow(bytes, pos, cells, error);
}

bool ReadCsvTable(const std::string& bytes, const std::vector<std::string>& header, const std::string& what,
                  const std::function<std::string(const std::vector<std::string>& cells)>& row,
                  std::string& error) {
    error.clear();
    const std::string s = AnyLinesToUtf8(bytes);
    size_t pos = 0;
    std::vector<std::string> cells;
    if (!ReadRow(s, pos, cells, error))
        return error.empty(); // no bytes at all: an empty file
    if (cells != header) {
        std::string names;
        // A long header is named by its first cells.
        const size_t named = header.size() > 6 ? 4 : header.size();
        for (size_t k = 0; k < named; ++k)
            names += (k ? ";" : "") + header[k];
        error = "the first row is not the " + what + " header (" + names +
                (named < header.size() ? ";...)" : ")");
        return false;
    }
    for (int number = 2; ReadRow(s, pos, cells, error); ++number) {
        if (cells.size() == 1 && cells[0].empty())
            continue; // an empty line
        const std::string where = "row " + std::to_string(number) + ": ";
        if (cells.size() != header.size()) {
            error =
                where + std::to_string(cells.size()) + " fields instead of " + std::to_string(header.size());
            return false;
        }
        const std::string problem = row(cells);
        if (!problem.empty()) {
            error = where + problem;
            return false;
        }
    }
    return error.empty();
}

bool ReadCsvWhole(const std::string& cell, long long low, long long high, long long& out) {
    if (cell.empty() || cell.size() > 12)
        return false;
    long long v = 0;
    for (char c : cell) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high)
        return false;
    out = v;
    return true;
}

bool ReadCsvDecimal(const std::string& cell, double& out) {
    const size_t point = cell.find('.');
    long long whole = 0, fraction = 0;
    const std::string digits = point == std::string::npos ? "0" : cell.substr(point + 1);
    if (digits.empty() || digits.size() > 2 ||
        !ReadCsvWhole(cell.substr(0, point), 0, 999999999999LL, whole) ||
        !ReadCsvWhole(digits, 0, 99, fraction))
        return false;
    out = static_cast<double>(whole) + static_cast<double>(fraction) / (digits.size() == 1 ? 10 : 100);
    return true;
}
