#include "organisation/Competition.h"

#include "app/Platform.h"
#include "app/WholeFile.h"
#include "results/Results.h"
#include "results/ResultsFile.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <set>

namespace {
const char kBom[] = "\xEF\xBB\xBF";
const char kMagic[] = "klaviro-competition";
const char kVersion[] = "1";

bool AllDigits(const std::string& s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string Row(std::initializer_list<std::string> cells) {
    std::string out;
    bool first = true;
    for (const std::string& c : cells) {
        out += (first ? "" : ";") + CsvField(c);
        first = false;
    }
    return out + "\r\n";
}

bool ReadWhole(const std::vector<std::string>& cells, size_t k, long long low, long long high, int& out) {
    long long v = 0;
    if (k >= cells.size() || !ReadCsvWhole(cells[k], low, high, v))
        return false;
    out = static_cast<int>(v);
    return true;
}

std::string Cell(const std::vector<std::string>& cells, size_t k) {
    return k < cells.size() ? CsvCellText(cells[k]) : std::string();
}

// A competition's sex cell: "M", "F" or empty.
bool SexCell(const std::string& cell, std::string& sex) {
    if (cell.empty()) {
        sex.clear();
        return true;
    }
    sex = SexOfText(cell);
    return !sex.empty();
}
} // namespace

bool IsCalendarDay(const std::string& day) {
    if (day.size() != 10 || day[4] != '-' || day[7] != '-')
        return false;
    for (size_t k : {0, 1, 2, 3, 5, 6, 8, 9})
        if (day[k] < '0' || day[k] > '9')
            return false;
    const int year = std::stoi(day.substr(0, 4)), month = std::stoi(day.substr(5, 2)),
              dayOf = std::stoi(day.substr(8, 2));
    static const int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || month < 1 || month > 12 || dayOf < 1 || dayOf > kDays[month - 1])
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month != 2 || dayOf < 29 || leap;
}

std::vector<CategoryRule> DefaultCategories() {
    // Men before women in each age band, as a championship's sheet runs.
    return {
        {Cp1251ToUtf8("Юноши"), "M", 0, 16},
        {Cp1251ToUtf8("Девушки"), "F", 0, 16},
        {Cp1251ToUtf8("Юниоры"), "M", 17, 21},
        {Cp1251ToUtf8("Юниорки"), "F", 17, 21},
        {Cp1251ToUtf8("Мужчины"), "M", 22, 49},
        {Cp1251ToUtf8("Женщины"), "F", 22, 49},
        {Cp1251ToUtf8("Ветераны-мужчины"), "M", 50, 999},
        {Cp1251ToUtf8("Ветераны-женщины"), "F", 50, 999},
    };
}

Competition NewCompetition() {
    Competition c;
    c.categories = DefaultCategories();
    return c;
}

int CompetitionYear(const Competition& competition) {
    return IsCalendarDay(competition.firstDay) ? std::stoi(competition.firstDay.substr(0, 4)) : 0;
}

std::string DatesText(const Competition& competition) {
    auto day = [](const std::string& d) {
        return d.substr(8, 2) + "." + d.substr(5, 2) + "." + d.substr(0, 4);
    };
    if (!IsCalendarDay(competition.firstDay))
        return "";
    std::string text = day(competition.firstDay);
    if (IsCalendarDay(competition.lastDay) && competition.lastDay != competition.firstDay)
        text += " \xE2\x80\x93 " + day(competition.lastDay);
    return text;
}

std::string CategoryOf(const Competition& competition, const std::string& sex, int birthYear) {
    const int year = CompetitionYear(competition);
    if (year <= 0 || birthYear <= 0 || birthYear > year)
        return "";
    const int age = year - birthYear;
    for (const CategoryRule& rule : competition.categories)
        if ((rule.sex.empty() || rule.sex == sex) && age >= rule.minAge && age <= rule.maxAge)
            return rule.name;
    return "";
}

void UpdateCategories(Competition& competition) {
    for (Entrant& e : competition.roster)
        if (!e.categoryByHand)
            e.category = CategoryOf(competition, e.sex, e.birthYear);
}

std::string SexOfText(const std::string& text) {
    static const char* const kMale[] = {"m", "male", "man", "м", "муж", "мужской", "мужчина"};
    static const char* const kFemale[] = {"f", "w", "female", "woman", "ж", "жен", "женский", "женщина"};
    const std::string key = NameKey(CleanName(text));
    for (const char* word : kMale)
        if (key == Cp1251ToUtf8(word))
            return "M";
    for (const char* word : kFemale)
        if (key == Cp1251ToUtf8(word))
            return "F";
    return "";
}

const Entrant* FindEntrant(const Competition& competition, const std::string& text) {
    const std::string clean = CleanName(text);
    if (AllDigits(clean)) {
        if (clean.size() > 6)
            return nullptr;
        for (const Entrant& e : competition.roster)
            if (e.startNumber == std::stoi(clean))
                return &e;
        return nullptr;
    }
    const std::string key = NameKey(clean);
    if (key.empty())
        return nullptr;
    for (const Entrant& e : competition.roster)
        if (NameKey(e.name) == key)
            return &e;
    return nullptr;
}

Entrant* FindEntrantByNumber(Competition& competition, int startNumber) {
    for (Entrant& e : competition.roster)
        if (startNumber > 0 && e.startNumber == startNumber)
            return &e;
    return nullptr;
}

Entrant* FindEntrantByName(Competition& competition, const std::string& name) {
    const std::string key = NameKey(name);
    for (Entrant& e : competition.roster)
        if (!key.empty() && NameKey(e.name) == key)
            return &e;
    return nullptr;
}

int NextFreeStartNumber(const Competition& competition) {
    int highest = 0;
    for (const Entrant& e : competition.roster)
        highest = std::max(highest, e.startNumber);
    return highest + 1;
}

bool AddEntrant(Competition& competition, Entrant entrant, std::string& error) {
    entrant.name = CleanName(entrant.name);
    if (entrant.name.empty()) {
        error = "the participant has no name";
        return false;
    }
    if (FindEntrantByName(competition, entrant.name)) {
        error = entrant.name + " is in the roster already";
        return false;
    }
    if (entrant.sex != "" && entrant.sex != "M" && entrant.sex != "F") {
        error = "the sex of " + entrant.name + " must be M or F";
        return false;
    }
    if (entrant.startNumber == 0)
        entrant.startNumber = NextFreeStartNumber(competition);
    if (entrant.startNumber < 1 || entrant.startNumber > kMaxStartNumber) {
        error = "start numbers are 1 to " + std::to_string(kMaxStartNumber);
        return false;
    }
    if (const Entrant* other = FindEntrantByNumber(competition, entrant.startNumber)) {
        error = "start number " + std::to_string(entrant.startNumber) + " is taken by " + other->name;
        return false;
    }
    if (!entrant.categoryByHand)
        entrant.category = CategoryOf(competition, entrant.sex, entrant.birthYear);
    competition.roster.push_back(std::move(entrant));
    return true;
}

bool ChangeEntrant(Competition& competition, int startNumber, const Entrant& entrant, std::string& error) {
    const auto at = std::find_if(competition.roster.begin(), competition.roster.end(),
                                 [&](const Entrant& e) { return e.startNumber == startNumber; });
    if (at == competition.roster.end()) {
        error = "no start number " + std::to_string(startNumber) + " in the roster";
        return false;
    }
    const size_t index = static_cast<size_t>(at - competition.roster.begin());
    const Entrant old = *at;
    competition.roster.erase(at);
    if (!AddEntrant(competition, entrant, error)) {
        competition.roster.insert(competition.roster.begin() + static_cast<std::ptrdiff_t>(index), old);
        return false;
    }
    // Back in its place, so that the roster's order stays the organiser's.
    std::rotate(competition.roster.begin() + static_cast<std::ptrdiff_t>(index), competition.roster.end() - 1,
                competition.roster.end());
    return true;
}

bool RemoveEntrant(Competition& competition, int startNumber) {
    const auto at = std::find_if(competition.roster.begin(), competition.roster.end(),
                                 [&](const Entrant& e) { return e.startNumber == startNumber; });
    if (at == competition.roster.end())
        return false;
    competition.roster.erase(at);
    return true;
}

std::string CompetitionCsv(const Competition& c) {
    std::string out = kBom + Row({kMagic, kVersion});
    out += Row({"title", c.title});
    out += Row({"venue", c.venue});
    out += Row({"firstDay", c.firstDay});
    out += Row({"lastDay", c.lastDay});
    out += Row({"chiefJudge", c.chiefJudge});
    out += Row({"draw", std::to_string(c.drawSeed), std::to_string(c.drawGroupSize), c.drawn ? "1" : "0"});
    out += Row({"#category", "name", "sex", "minAge", "maxAge"});
    for (const CategoryRule& r : c.categories)
        out += Row({"category", r.name, r.sex, std::to_string(r.minAge), std::to_string(r.maxAge)});
    out += Row({"#entrant", "number", "name", "sex", "birthYear", "club", "callsign", "category", "byHand"});
    for (const Entrant& e : c.roster)
        out += Row({"entrant", std::to_string(e.startNumber), e.name, e.sex,
                    e.birthYear ? std::to_string(e.birthYear) : "", e.club, e.callsign, e.category,
                    e.categoryByHand ? "1" : "0"});
    return out;
}

bool ParseCompetitionCsv(const std::string& bytes, Competition& competition, std::string& error) {
    error.clear();
    const std::string s = AnyLinesToUtf8(bytes);
    size_t pos = 0;
    std::vector<std::string> cells;
    if (!ReadCsvRow(s, pos, cells, error) || cells.empty() || cells[0] != kMagic) {
        if (error.empty())
            error = std::string("the first row is not \"") + kMagic + ";" + kVersion + "\"";
        return false;
    }
    Competition c;
    bool anyCategory = false;
    std::set<int> numbers;
    std::set<std::string> names;
    for (int row = 2; ReadCsvRow(s, pos, cells, error); ++row) {
        const std::string where = "row " + std::to_string(row) + ": ";
        const std::string tag = cells.empty() ? "" : cells[0];
        if (tag.empty() || tag[0] == '#')
            continue; // an empty line, or the names of the columns
        if (tag == "title" || tag == "venue" || tag == "chiefJudge") {
            (tag == "title" ? c.title : tag == "venue" ? c.venue : c.chiefJudge) = CleanName(Cell(cells, 1));
        } else if (tag == "firstDay" || tag == "lastDay") {
            const std::string day = CleanName(Cell(cells, 1));
            if (!day.empty() && !IsCalendarDay(day)) {
                error = where + tag + " \"" + day + "\" is not a date (YYYY-MM-DD)";
                return false;
            }
            (tag == "firstDay" ? c.firstDay : c.lastDay) = day;
        } else if (tag == "draw") {
            int group = 0, drawn = 0;
            long long seed64 = 0;
            if (cells.size() < 4 || !ReadCsvWhole(cells[1], 0, 0xFFFFFFFFLL, seed64) ||
                !ReadWhole(cells, 2, 0, kMaxStartNumber, group) || !ReadWhole(cells, 3, 0, 1, drawn)) {
                error = where + "the draw row must be: draw;seed;group size;0 or 1";
                return false;
            }
            c.drawSeed = static_cast<uint32_t>(seed64);
            c.drawGroupSize = group;
            c.drawn = drawn == 1;
        } else if (tag == "category") {
            CategoryRule r;
            r.name = CleanName(Cell(cells, 1));
            if (r.name.empty() || !SexCell(Cell(cells, 2), r.sex) || !ReadWhole(cells, 3, 0, 999, r.minAge) ||
                !ReadWhole(cells, 4, 0, 999, r.maxAge) || r.minAge > r.maxAge) {
                error = where + "a category is: category;name;M, F or nothing;lowest age;highest age";
                return false;
            }
            if (!anyCategory)
                c.categories.clear();
            anyCategory = true;
            c.categories.push_back(r);
        } else if (tag == "entrant") {
            Entrant e;
            e.name = CleanName(Cell(cells, 2));
            int byHand = 0;
            if (!ReadWhole(cells, 1, 1, kMaxStartNumber, e.startNumber) || e.name.empty()) {
                error = where + "an entrant needs a start number (1 to " + std::to_string(kMaxStartNumber) +
                        ") and a name";
                return false;
            }
            if (!SexCell(Cell(cells, 3), e.sex)) {
                error = where + "the sex of " + e.name + " must be M or F";
                return false;
            }
            if (!Cell(cells, 4).empty() && !ReadWhole(cells, 4, 1900, 9999, e.birthYear)) {
                error = where + "the year of birth of " + e.name + " is not a year";
                return false;
            }
            e.club = CleanName(Cell(cells, 5));
            e.callsign = CleanName(Cell(cells, 6));
            e.category = CleanName(Cell(cells, 7));
            if (!Cell(cells, 8).empty() && !ReadWhole(cells, 8, 0, 1, byHand)) {
                error = where + "the last cell of an entrant is 0 or 1";
                return false;
            }
            e.categoryByHand = byHand == 1;
            if (!numbers.insert(e.startNumber).second) {
                error = where + "start number " + std::to_string(e.startNumber) + " is given twice";
                return false;
            }
            if (!names.insert(NameKey(e.name)).second) {
                error = where + e.name + " is in the roster twice";
                return false;
            }
            c.roster.push_back(std::move(e));
        }
        // Any other row is a later program's: skipped.
    }
    if (!error.empty())
        return false;
    if (!anyCategory)
        c.categories = DefaultCategories();
    competition = std::move(c);
    return true;
}

CompetitionLoad LoadCompetition(const std::string& path, Competition& competition, std::string& error) {
    competition = NewCompetition();
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, kMaxCompetitionFileBytes, bytes);
    if (read == WholeFileRead::Missing)
        return CompetitionLoad::Missing;
    if (read != WholeFileRead::Read) {
        error = WholeFileProblem(read, path, kMaxCompetitionFileBytes);
        return CompetitionLoad::Unreadable;
    }
    if (!ParseCompetitionCsv(bytes, competition, error)) {
        error = path + " is not a competition file: " + error;
        return CompetitionLoad::Unreadable;
    }
    return CompetitionLoad::Loaded;
}

bool SaveCompetition(const std::string& path, const Competition& competition, std::string& error) {
    ReplaceFailure failure = ReplaceFailure::None;
    if (WriteFileReplacing(path, CompetitionCsv(competition), &failure))
        return true;
    error = path +
            (failure == ReplaceFailure::ReadOnly     ? " is read-only"
             : failure == ReplaceFailure::NotRegular ? " is not a regular file"
                                                     : " cannot be written") +
            "; the competition was not saved";
    return false;
}
