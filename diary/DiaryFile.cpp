#include "diary/DiaryFile.h"

#include "app/Platform.h"
#include "app/WholeFile.h"
#include "results/Results.h"
#include "results/ResultsFile.h"
#include "texts/TextEncoding.h"
#include "texts/TextGeneratorFields.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {
const char kBom[] = "\xEF\xBB\xBF";
const char* const kHeader[] = {"date",       "kind", "series",     "number", "groups",
                               "speed",      "tone", "characters", "errors", "accepted",
                               "confusions", "copy", "signs",      "drill",  "effective"};
constexpr size_t kColumns = sizeof kHeader / sizeof kHeader[0];
// Date to errors: what a row must have to count at all.
constexpr size_t kLeastColumns = 9;
const char* const kSeries[] = {"training", "competition"};
const char* const kTones[] = {"square", "sine"};
const char* const kAccepted[] = {"no", "yes"};
constexpr int kMaxCount = 10000000;
// The mode cell of a transmission's row and the columns from it on: mode,
// ratio, intra, char, word, quality. The header keeps its columns (files
// and scripts know it); the mode cell names what follows.
const char* const kTransmissionMode = "transmission";
constexpr size_t kModeColumn = 15;

std::string Decimal(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

int NameIndex(const std::string& cell, const char* const* names, int count) {
    for (int k = 0; k < count; ++k)
        if (cell == names[k])
            return k;
    return -1;
}

// Reads digits at `pos` (at most `most` of them) and moves past them.
bool Digits(const std::string& s, size_t& pos, size_t most, int& out) {
    size_t n = 0;
    out = 0;
    while (pos < s.size() && n < most && s[pos] >= '0' && s[pos] <= '9') {
        out = out * 10 + (s[pos++] - '0');
        ++n;
    }
    return n > 0;
}

bool Separator(const std::string& s, size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c)
        return false;
    ++pos;
    return true;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string TwoDigits(int v) {
    return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

// A cell in UTF-8: a spreadsheet may have saved the file back in the
// system's code page, which shows only in the cells that are not ASCII.
void MakeUtf8(std::string& cell, std::u32string& scratch) {
    if (std::all_of(cell.begin(), cell.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return;
    if (!DecodeUtf8(cell, scratch))
        cell = SystemTextToUtf8(cell);
}

char32_t FieldCharacter(char32_t c) {
    return c ? c : U'-';
}

// One row's cells as a DiaryRow; false with `problem` set when it cannot count.
bool ReadRowCells(std::vector<std::string>& cells, DiaryRow& row, std::string& problem,
                  std::u32string& scratch) {
    if (cells.size() < kLeastColumns) {
        problem =
            std::to_string(cells.size()) + " fields, at least " + std::to_string(kLeastColumns) + " needed";
        return false;
    }
    row = DiaryRow{};
    if (!ReadDiaryTime(CsvCellText(cells[0]), row.day, row.second)) {
        problem = "no date and time in \"" + cells[0] + "\"";
        return false;
    }
    PlayedText& p = row.played;
    p.kind = DisciplineOfName(cells[1]);
    if (p.kind < 0) {
        problem = "unknown kind \"" + cells[1] + "\"";
        return false;
    }
    // A series or tone shape this version does not know does not hide the check.
    p.series = NameIndex(cells[2], kSeries, 2);
    p.toneShape = NameIndex(cells[6], kTones, 2);
    long long number = 0, groups = 0, speed = 0, characters = 0, errors = 0;
    if (!ReadCsvWhole(cells[3], 1, kTextNumberLimit, number) ||
        !ReadCsvWhole(cells[4], 1, kGroupsLimit, groups) || !ReadCsvWhole(cells[5], 1, 100000, speed) ||
        !ReadCsvWhole(cells[7], 0, kMaxCount, characters) || !ReadCsvWhole(cells[8], 0, kMaxCount, errors)) {
        problem = "number, groups, speed, characters and errors must be whole numbers";
        return false;
    }
    p.number = static_cast<int32_t>(number);
    p.groups = static_cast<int32_t>(groups);
    p.speed = static_cast<int>(speed);
    row.characters = static_cast<int>(characters);
    row.errors = static_cast<int>(errors);
    // A row from before the column existed is judged by the default limit.
    const int accepted = cells.size() > 9 ? NameIndex(cells[9], kAccepted, 2) : -1;
    row.accepted = accepted >= 0 ? accepted == 1 : CopyAccepted(row.errors, kDefaultMaxErrors);
    bool confusionsRead = false;
    if (cells.size() > 10) {
        std::string field = CsvCellText(cells[10]);
        MakeUtf8(field, scratch);
        confusionsRead = ReadConfusionsField(field, row.confusions);
        if (!confusionsRead)
            row.confusions.clear();
    }
    if (cells.size() > 11) {
        row.copy = CsvCellText(cells[11]);
        MakeUtf8(row.copy, scratch);
    }
    row.complete = confusionsRead && cells.size() > 11;
    // Lesson and drill texts, and stretched spacing; rows from before these
    // columns are the generator's texts at their own speed.
    if (cells.size() > 12)
        p.lessonSigns = CsvCellText(cells[12]);
    if (cells.size() > 13)
        p.drillWeights = CsvCellText(cells[13]);
    long long effective = 0;
    if (cells.size() > 14 && !cells[14].empty() && ReadCsvWhole(cells[14], 0, 100000, effective))
        p.effectiveSpeed = static_cast<int>(effective);
    // A transmission's figures; a mode this version does not know, or figures
    // that cannot be read, leave the row a check without them.
    if (cells.size() > kModeColumn + 5 && cells[kModeColumn] == kTransmissionMode) {
        DiaryTransmission t;
        t.present = ReadCsvDecimal(cells[kModeColumn + 1], t.ratio) &&
                    ReadCsvDecimal(cells[kModeColumn + 2], t.intraSpread) &&
                    ReadCsvDecimal(cells[kModeColumn + 3], t.charSpread) &&
                    ReadCsvDecimal(cells[kModeColumn + 4], t.wordSpread) &&
                    ReadCsvDecimal(cells[kModeColumn + 5], t.quality);
        if (t.present)
            row.transmission = t;
    }
    return true;
}
} // namespace

int DayOfDate(int year, int month, int day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yoe = year - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void DateOfDay(int dayNumber, int& year, int& month, int& day) {
    const int z = dayNumber + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = yoe + era * 400 + (month <= 2);
}

bool ReadDiaryTime(const std::string& text, int& dayNumber, int& second) {
    size_t pos = 0;
    int a = 0, b = 0, c = 0, year, month, day;
    if (!Digits(text, pos, 4, a))
        return false;
    if (pos == 4 && Separator(text, pos, '-')) { // YYYY-MM-DD
        if (!Digits(text, pos, 2, b) || !Separator(text, pos, '-') || !Digits(text, pos, 2, c))
            return false;
        year = a, month = b, day = c;
    } else if (pos <= 2 && Separator(text, pos, '.')) { // DD.MM.YYYY
        if (!Digits(text, pos, 2, b) || !Separator(text, pos, '.') || !Digits(text, pos, 4, c))
            return false;
        year = c, month = b, day = a;
    } else {
        return false;
    }
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    int hour = 0, minute = 0, sec = 0;
    if (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != 'T')
            return false;
        ++pos;
        if (!Digits(text, pos, 2, hour) || !Separator(text, pos, ':') || !Digits(text, pos, 2, minute))
            return false;
        if (pos < text.size() && (!Separator(text, pos, ':') || !Digits(text, pos, 2, sec)))
            return false;
        if (pos != text.size() || hour > 23 || minute > 59 || sec > 60)
            return false;
    }
    dayNumber = DayOfDate(year, month, day);
    second = hour * 3600 + minute * 60 + sec;
    return true;
}

std::string DayText(int dayNumber) {
    int year, month, day;
    DateOfDay(dayNumber, year, month, day);
    return std::to_string(year) + "-" + TwoDigits(month) + "-" + TwoDigits(day);
}

int LocalToday() {
    const std::tm t = LocalTimeOf(std::time(nullptr));
    return DayOfDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

DiaryRow MakeDiaryRow(const PlayedText& played, const CopyCheck& check, const std::string& copyUtf8,
                      std::time_t when) {
    DiaryRow row;
    const std::tm t = LocalTimeOf(when);
    row.day = DayOfDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    row.second = t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
    row.played = played;
    row.characters = check.characters;
    row.errors = check.errors;
    row.accepted = check.accepted;
    row.confusions = check.confusions;
    row.copy = StoredCopy(copyUtf8);
    return row;
}

std::string ConfusionsField(const std::vector<Confusion>& confusions) {
    std::string out;
    for (const Confusion& c : confusions) {
        if (!out.empty())
            out += ' ';
        out += EncodeUtf8(FieldCharacter(c.expected)) + ">" + EncodeUtf8(FieldCharacter(c.written)) + ":" +
               std::to_string(c.count);
    }
    return out;
}

bool ReadConfusionsField(const std::string& field, std::vector<Confusion>& confusions) {
    confusions.clear();
    std::u32string s;
    if (!DecodeUtf8(field, s))
        return false;
    // Positions, not separators: the characters themselves may be '>' or ':'.
    size_t pos = 0;
    while (pos < s.size()) {
        if (s[pos] == U' ') {
            ++pos;
            continue;
        }
        if (s.size() - pos < 5 || s[pos + 1] != U'>' || s[pos + 3] != U':')
            return false;
        Confusion c;
        c.expected = s[pos] == U'-' ? 0 : s[pos];
        c.written = s[pos + 2] == U'-' ? 0 : s[pos + 2];
        pos += 4;
        long long count = 0;
        size_t digits = 0;
        for (; pos < s.size() && s[pos] != U' '; ++pos, ++digits) {
            if (s[pos] < U'0' || s[pos] > U'9' || digits >= 8)
                return false;
            count = count * 10 + (s[pos] - U'0');
        }
        if (count < 1)
            return false;
        c.count = static_cast<int>(count);
        confusions.push_back(c);
    }
    return true;
}

std::string DiaryHeaderLine() {
    std::string out;
    for (size_t k = 0; k < kColumns; ++k)
        out += std::string(k ? ";" : "") + kHeader[k];
    return out + "\r\n";
}

namespace {
// The trailing cells of a transmission's row; none for a reception check.
std::string TransmissionCells(const DiaryTransmission& t) {
    if (!t.present)
        return std::string();
    return std::string(";") + kTransmissionMode + ";" + Decimal(t.ratio, 2) + ";" +
           Decimal(t.intraSpread, 2) + ";" + Decimal(t.charSpread, 2) + ";" + Decimal(t.wordSpread, 2) + ";" +
           Decimal(t.quality, 1);
}
} // namespace

std::string DiaryLine(const DiaryRow& row) {
    const PlayedText& p = row.played;
    const int hour = row.second / 3600, minute = row.second / 60 % 60, second = row.second % 60;
    const char* kind = DisciplineName(p.kind);
    return DayText(row.day) + " " + TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second) +
           ";" + (kind ? kind : "") + ";" + (p.series == 1 ? kSeries[1] : kSeries[0]) + ";" +
           std::to_string(p.number) + ";" + std::to_string(p.groups) + ";" + std::to_string(p.speed) + ";" +
           (p.toneShape == 1 ? kTones[1] : kTones[0]) + ";" + std::to_string(row.characters) + ";" +
           std::to_string(row.errors) + ";" + kAccepted[row.accepted ? 1 : 0] + ";" +
           CsvField(ConfusionsField(row.confusions)) + ";" + CsvField(row.copy) + ";" +
           CsvField(p.lessonSigns) + ";" + CsvField(p.drillWeights) + ";" + std::to_string(p.effectiveSpeed) +
           TransmissionCells(row.transmission) + "\r\n";
}

namespace {
// Reads rows as the bytes arrive, so that a large diary is never held whole
// beside its rows.
class RowReader {
public:
    // Reads the complete rows from `pos` on; with `end` (no more bytes to
    // come) the rest too. False with `error` set when the first row is not
    // the header.
    bool Read(const std::string& bytes, size_t& pos, bool end, DiaryContents& diary, std::string& error) {
        if (!started_) {
            if (!end && bytes.size() - pos < 3)
                return true;
            started_ = true;
            if (bytes.compare(pos, 3, kBom) == 0)
                pos += 3;
        }
        while (pos < bytes.size()) {
            size_t at = pos;
            std::string problem;
            const bool got = ReadCsvRow(bytes, at, cells_, problem);
            // A row that reaches the end of the bytes so far may go on.
            if (!end && at >= bytes.size())
                return true;
            pos = at;
            ++number_;
            if (got && !header_) {
                if (cells_.size() < 2 || cells_[0] != kHeader[0] || cells_[1] != kHeader[1]) {
                    error =
                        "the first row is not the diary header (" + DiaryHeaderLine().substr(0, 46) + "...)";
                    return false;
                }
                header_ = true;
                continue;
            }
            if (got && cells_.size() == 1 && cells_[0].empty())
                continue; // an empty line
            DiaryRow row;
            if (got && ReadRowCells(cells_, row, problem, scratch_)) {
                diary.rows.push_back(std::move(row));
                continue;
            }
            // A row that cannot count is left out; an unclosed quote ends the file.
            if (!header_) {
                error = problem;
                return false;
            }
            if (diary.skipped++ == 0)
                diary.firstProblem = "row " + std::to_string(number_) + ": " + problem;
        }
        return true;
    }

private:
    bool started_ = false, header_ = false;
    int number_ = 0;
    std::vector<std::string> cells_;
    std::u32string scratch_;
};
} // namespace

bool ParseDiary(const std::string& bytes, DiaryContents& diary, std::string& error) {
    diary = DiaryContents{};
    error.clear();
    size_t pos = 0;
    return RowReader().Read(bytes, pos, true, diary, error);
}

namespace {
bool SeekEnd(std::FILE* f, long long& size) {
#ifdef _WIN32
    if (_fseeki64(f, 0, SEEK_END) != 0)
        return false;
    size = _ftelli64(f);
#else
    if (fseeko(f, 0, SEEK_END) != 0)
        return false;
    size = ftello(f);
#endif
    return size >= 0;
}

bool StartsAsDiary(const std::string& head) {
    const size_t at = head.compare(0, 3, kBom) == 0 ? 3 : 0;
    const std::string start = std::string(kHeader[0]) + ";" + kHeader[1] + ";";
    return head.compare(at, start.size(), start) == 0;
}
} // namespace

DiaryLoad LoadDiary(const std::string& path, DiaryContents& diary, std::string& error) {
    diary = DiaryContents{};
    // A pipe or a device would block the reading or never end.
    std::string target;
    if (InspectFile(path, target) == FileState::NotRegular) {
        error = "the diary " + path + " is not a file";
        return DiaryLoad::Unreadable;
    }
    errno = 0;
    std::FILE* f = OpenFile(path, "rb");
    if (!f) {
        if (errno == ENOENT)
            return DiaryLoad::Missing;
        error = "cannot open the diary " + path;
        return DiaryLoad::Unreadable;
    }
    long long size = 0;
    if (!SeekEnd(f, size) || std::fseek(f, 0, SEEK_SET) != 0) {
        std::fclose(f);
        error = "cannot read the diary " + path;
        return DiaryLoad::Unreadable;
    }
    if (size > static_cast<long long>(kMaxDiaryBytes)) {
        std::fclose(f);
        error = "the diary " + path + " is larger than " + SizeText(kMaxDiaryBytes) + "; it was not read";
        return DiaryLoad::Unreadable;
    }
    // Read in pieces, each at least as large as the row still open, so that
    // one long row is not scanned again for every piece.
    RowReader reader;
    std::string bytes;
    size_t pos = 0;
    size_t total = 0;
    bool ok = true, end = false;
    while (ok && !end) {
        const size_t want = std::max<size_t>(1 << 20, bytes.size() - pos);
        bytes.erase(0, pos);
        pos = 0;
        const size_t had = bytes.size();
        bytes.resize(had + want);
        const size_t got = std::fread(&bytes[had], 1, want, f);
        bytes.resize(had + got);
        total += got;
        end = std::feof(f) != 0;
        if (std::ferror(f) || total > kMaxDiaryBytes) {
            error = total > kMaxDiaryBytes ? "the diary " + path + " grew beyond " +
                                                 SizeText(kMaxDiaryBytes) + " while it was read"
                                           : "cannot read the diary " + path;
            std::fclose(f);
            diary = DiaryContents{};
            return DiaryLoad::Unreadable;
        }
        ok = reader.Read(bytes, pos, end, diary, error);
    }
    std::fclose(f);
    if (!ok) {
        error = path + " is not a diary: " + error;
        diary = DiaryContents{};
        return DiaryLoad::Unreadable;
    }
    return DiaryLoad::Loaded;
}

bool AppendDiaryRow(const std::string& path, const DiaryRow& row, std::string& error) {
    std::string target;
    const FileState state = InspectFile(path, target);
    if (state == FileState::ReadOnly || state == FileState::NotRegular) {
        error = "the diary " + path + (state == FileState::ReadOnly ? " is read-only" : " is not a file") +
                "; the check was not added";
        return false;
    }
    std::FILE* f = OpenFile(path, "a+b");
    if (!f) {
        error = "cannot open the diary " + path + " to add the check";
        return false;
    }
    std::string line;
    long long size = 0;
    bool ok = SeekEnd(f, size);
    if (ok && size == 0) {
        line = std::string(kBom) + DiaryHeaderLine();
    } else if (ok) {
        char head[64];
        ok = std::fseek(f, 0, SEEK_SET) == 0;
        const size_t got = ok ? std::fread(head, 1, sizeof head, f) : 0;
        if (ok && static_cast<long long>(got) == size && std::string(head, got) == kBom) {
            line = DiaryHeaderLine(); // an empty file an editor saved
        } else if (ok && !StartsAsDiary(std::string(head, got))) {
            std::fclose(f);
            error = path + " is not a diary (its first row is not the diary header); the check was not added";
            return false;
        }
        if (ok && line.empty()) {
            ok = std::fseek(f, -1, SEEK_END) == 0;
            const int last = ok ? std::fgetc(f) : EOF;
            ok = ok && last != EOF;
            if (last != '\n')
                line = "\r\n"; // the row before was cut short: it stays as it is
        }
    }
    line += DiaryLine(row);
    // A write in append mode goes to the end; the seek switches from reading.
    ok = ok && std::fseek(f, 0, SEEK_END) == 0 && std::fwrite(line.data(), 1, line.size(), f) == line.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        error = "cannot write to the diary " + path + "; the check was not added";
    return ok;
}
