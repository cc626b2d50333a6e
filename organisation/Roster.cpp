#include "organisation/Roster.h"

#include "results/Results.h"
#include "results/ResultsFile.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
enum Column { kNumber, kFullName, kSurname, kGiven, kSex, kYear, kClub, kCallsign, kCategory, kColumnCount };

// The words a header cell may be, per column, in code page 1251 (this
// file's literals) or ASCII; compared by NameKey, a trailing '.' or ':'
// dropped.
const std::vector<const char*> kHeaderWords[kColumnCount] = {
    {"№", "n", "no", "nr", "#", "номер", "ст. номер", "стартовый номер", "number", "start number", "bib"},
    {"фио", "ф.и.о", "участник", "спортсмен", "фамилия имя", "фамилия, имя", "фамилия и имя", "name",
     "full name", "participant"},
    {"фамилия", "surname", "last name", "family name"},
    {"имя", "first name", "given name"},
    {"пол", "sex", "gender"},
    {"год рождения", "год", "г.р", "гр", "year", "born", "birth year", "year of birth"},
    {"клуб", "страна", "команда", "клуб/страна", "регион", "club", "country", "team", "club/country"},
    {"позывной", "callsign", "call sign", "call"},
    {"категория", "category"},
};

std::string HeaderKey(const std::string& cell) {
    std::string key = NameKey(cell);
    while (!key.empty() && (key.back() == '.' || key.back() == ':'))
        key.pop_back();
    return key;
}

int ColumnOfHeader(const std::string& cell) {
    const std::string key = HeaderKey(cell);
    for (int c = 0; c < kColumnCount; ++c)
        for (const char* word : kHeaderWords[c])
            if (key == HeaderKey(Cp1251ToUtf8(word)))
                return c;
    return -1;
}

// UTF-8 (with or without its mark) or UTF-16 with its mark as they are;
// anything else is taken as code page 1251, the other form Russian
// spreadsheets save, whatever the system's code page.
std::string RosterText(const std::string& bytes) {
    std::string utf8;
    if (Utf16TextToUtf8(bytes, utf8))
        return utf8;
    const std::string body = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
    std::u32string decoded;
    return DecodeUtf8(body, decoded) ? body : Cp1251ToUtf8(body);
}

// The separator of the header line: the one of ';' and ',' found more often
// outside quotes (';' on a tie).
char SeparatorOf(const std::string& text) {
    size_t semicolons = 0, commas = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            semicolons += c == ';', commas += c == ',';
    }
    return commas > semicolons ? ',' : ';';
}

// One row of cells separated by `sep`, quoted as spreadsheets quote; `line`
// counts the line breaks passed. False at the end.
bool ReadRow(const std::string& s, size_t& pos, char sep, std::vector<std::string>& cells, int& line) {
    cells.clear();
    if (pos >= s.size())
        return false;
    std::string cell;
    bool quoted = false;
    while (pos < s.size()) {
        const char c = s[pos++];
        if (quoted) {
            if (c == '"' && pos < s.size() && s[pos] == '"') {
                cell += '"';
                ++pos;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                cell += c;
            }
        } else if (c == '"' && cell.find_first_not_of(" \t") == std::string::npos) {
            cell.clear();
            quoted = true;
        } else if (c == sep) {
            cells.push_back(cell);
            cell.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && pos < s.size() && s[pos] == '\n')
                ++pos;
            ++line;
            break;
        } else {
            cell += c;
        }
    }
    cells.push_back(cell);
    return true;
}

bool BlankRow(const std::vector<std::string>& cells) {
    for (const std::string& c : cells)
        if (!CleanName(c).empty())
            return false;
    return true;
}

bool ReadNumber(const std::string& cell, long long low, long long high, int& out) {
    long long v = 0;
    if (!ReadCsvWhole(cell, low, high, v))
        return false;
    out = static_cast<int>(v);
    return true;
}

// The roster's own cell rules: the results file's (a leading apostrophe
// keeps a sign text) with a sex written as a Russian organiser reads it.
std::string SexText(const std::string& sex) {
    return sex == "M" ? Cp1251ToUtf8("М") : sex == "F" ? Cp1251ToUtf8("Ж") : "";
}
} // namespace

bool ReadRosterCsv(const std::string& bytes, RosterImport& import, std::string& error) {
    import = RosterImport();
    const std::string text = RosterText(bytes);
    const char sep = SeparatorOf(text);
    size_t pos = 0;
    int line = 1;
    std::vector<std::string> cells;
    int columns[kColumnCount];
    bool header = false;
    // Title lines above the header are allowed, as spreadsheets have them.
    for (int rows = 0; !header && rows < 20; ++rows) {
        if (!ReadRow(text, pos, sep, cells, line))
            break;
        std::fill(std::begin(columns), std::end(columns), -1);
        for (size_t k = 0; k < cells.size(); ++k) {
            const int c = ColumnOfHeader(cells[k]);
            if (c >= 0 && columns[c] < 0)
                columns[c] = static_cast<int>(k);
        }
        header = columns[kFullName] >= 0 || columns[kSurname] >= 0;
    }
    if (!header) {
        error = "no header row naming the participants' column (Name, Participant, ФИО, Фамилия...)";
        return false;
    }
    auto cell = [&](int column) {
        const int k = columns[column];
        return k >= 0 && static_cast<size_t>(k) < cells.size() ? CleanName(CsvCellText(cells[k]))
                                                               : std::string();
    };
    std::set<std::string> names;
    std::set<int> numbers;
    for (;;) {
        const int at = line;
        if (!ReadRow(text, pos, sep, cells, line))
            break;
        if (BlankRow(cells))
            continue;
        auto problem = [&](const std::string& reason) { import.problems.push_back({at, reason}); };
        Entrant e;
        e.name = columns[kFullName] >= 0 ? cell(kFullName) : CleanName(cell(kSurname) + " " + cell(kGiven));
        if (e.name.empty()) {
            problem("no name");
            continue;
        }
        const std::string number = cell(kNumber), year = cell(kYear), sex = cell(kSex);
        if (!number.empty() && !ReadNumber(number, 1, kMaxStartNumber, e.startNumber)) {
            problem(e.name + ": start number \"" + number + "\" is not 1 to " +
                    std::to_string(kMaxStartNumber));
            continue;
        }
        if (!year.empty() && !ReadNumber(year, 1900, 9999, e.birthYear)) {
            problem(e.name + ": year of birth \"" + year + "\" is not a year");
            continue;
        }
        e.sex = SexOfText(sex);
        if (!sex.empty() && e.sex.empty()) {
            problem(e.name + ": sex \"" + sex + "\" is neither M nor F");
            continue;
        }
        if (!names.insert(NameKey(e.name)).second) {
            problem(e.name + " is in the file twice");
            continue;
        }
        if (e.startNumber > 0 && !numbers.insert(e.startNumber).second) {
            problem(e.name + ": start number " + number + " is in the file twice");
            continue;
        }
        e.club = cell(kClub);
        e.callsign = cell(kCallsign);
        e.category = cell(kCategory);
        e.categoryByHand = !e.category.empty();
        import.entrants.push_back(std::move(e));
        import.lines.push_back(at);
    }
    return true;
}

RosterMerge MergeRoster(Competition& competition, const RosterImport& import) {
    RosterMerge merge;
    // Numbered entrants first, so that a number the file gives is not taken
    // by one it numbers nothing for.
    std::vector<size_t> order;
    for (size_t k = 0; k < import.entrants.size(); ++k)
        order.push_back(k);
    std::stable_partition(order.begin(), order.end(),
                          [&](size_t k) { return import.entrants[k].startNumber > 0; });
    for (size_t k : order) {
        const Entrant& in = import.entrants[k];
        const int line = k < import.lines.size() ? import.lines[k] : 0;
        Entrant* known = FindEntrantByName(competition, in.name);
        const Entrant* holder =
            in.startNumber > 0 ? FindEntrantByNumber(competition, in.startNumber) : nullptr;
        if (holder && holder != known)
            merge.problems.push_back(
                {line, in.name + ": start number " + std::to_string(in.startNumber) + " is taken by " +
                           holder->name + (known ? "; the number was kept" : "; the next free one given")});
        Entrant e = known ? *known : Entrant();
        e.name = known ? known->name : in.name;
        if (in.startNumber > 0 && (!holder || holder == known))
            e.startNumber = in.startNumber;
        else if (!known)
            e.startNumber = NextFreeStartNumber(competition);
        if (!in.sex.empty())
            e.sex = in.sex;
        if (in.birthYear > 0)
            e.birthYear = in.birthYear;
        if (!in.club.empty())
            e.club = in.club;
        if (!in.callsign.empty())
            e.callsign = in.callsign;
        // A category the rules would give anyway (an exported roster read
        // back) keeps following them.
        if (!in.category.empty()) {
            e.category = in.category;
            e.categoryByHand = in.category != CategoryOf(competition, e.sex, e.birthYear);
        }
        if (known) {
            *known = e;
            ++merge.updated;
        } else {
            std::string error;
            if (AddEntrant(competition, e, error))
                ++merge.added;
            else
                merge.problems.push_back({line, error});
        }
    }
    UpdateCategories(competition);
    return merge;
}

std::string RosterCsv(const Competition& competition) {
    std::vector<const Entrant*> entrants;
    for (const Entrant& e : competition.roster)
        entrants.push_back(&e);
    std::stable_sort(entrants.begin(), entrants.end(),
                     [](const Entrant* x, const Entrant* y) { return x->startNumber < y->startNumber; });
    std::string out =
        "\xEF\xBB\xBF" + Cp1251ToUtf8("№;Участник;Пол;Год рождения;Клуб/страна;Позывной;Категория") + "\r\n";
    for (const Entrant* e : entrants)
        out += std::to_string(e->startNumber) + ";" + CsvField(e->name) + ";" + SexText(e->sex) + ";" +
               (e->birthYear ? std::to_string(e->birthYear) : "") + ";" + CsvField(e->club) + ";" +
               CsvField(e->callsign) + ";" + CsvField(e->category) + "\r\n";
    return out;
}
