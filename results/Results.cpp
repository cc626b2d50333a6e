#include "results/Results.h"

#include "results/Marking.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
const char* const kNames[kDisciplines] = {"letters", "figures", "mixed"};

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The small letter of a capital in the scripts names are written in here;
// anything else as it is.
char32_t SmallLetter(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20; // ASCII, Latin-1, Greek, Cyrillic А to Я
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50; // Ѐ to Џ
    if (c == 0x130)
        return 'i'; // İ
    if (c == 0x178)
        return 0xFF; // Ÿ
    // Latin Extended-A and the rest of Cyrillic pair a capital with the
    // small letter after it: at even code points, or at odd ones in the runs
    // Ĺ..Ň, Ź..Ž and Ӂ..Ӎ.
    const bool oddRun =
        (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
    const bool evenRun = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
                         (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) ||
                         (c >= 0x4D0 && c <= 0x52F);
    if ((oddRun && c % 2 == 1) || (evenRun && c % 2 == 0))
        return c + 1;
    if (c == 0x4C0)
        return 0x4CF; // Ӏ
    return c;
}

bool BlankCode(char32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0;
}

bool SameMark(const MarkRecord& r, const std::string& key, int discipline, int speed) {
    return r.discipline == discipline && r.speed == speed && NameKey(r.participant) == key;
}

// The name each participant is shown by: the first spelling in the records.
std::map<std::string, std::string> ShownNames(const std::vector<MarkRecord>& records) {
    std::map<std::string, std::string> names;
    for (const MarkRecord& r : records)
        names.emplace(NameKey(r.participant), r.participant);
    return names;
}

// Ranks a sorted list: equal keys share the rank of the first of them.
template <class Row, class Same> void AssignRanks(std::vector<Row>& rows, size_t count, Same same) {
    for (size_t k = 0; k < count; ++k)
        rows[k].rank = (k > 0 && same(rows[k - 1], rows[k])) ? rows[k - 1].rank : static_cast<int>(k) + 1;
}
} // namespace

const char* DisciplineName(int discipline) {
    return discipline >= 0 && discipline < kDisciplines ? kNames[discipline] : nullptr;
}

int DisciplineOfName(const std::string& name) {
    for (int k = 0; k < kDisciplines; ++k)
        if (name == kNames[k])
            return k;
    return -1;
}

std::string CleanName(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (Blank(c)) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string NameKey(const std::string& name) {
    std::u32string text;
    if (!DecodeUtf8(name, text)) { // not UTF-8: compared byte for byte, ASCII letters small
        std::string key = CleanName(name);
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 0x20);
        return key;
    }
    std::u32string key;
    for (char32_t c : text) {
        if (BlankCode(c)) {
            if (!key.empty() && key.back() != ' ')
                key += ' ';
        } else {
            key += SmallLetter(c);
        }
    }
    if (!key.empty() && key.back() == ' ')
        key.pop_back();
    return EncodeUtf8(key);
}

std::string StoredCopy(const std::string& copy) {
    size_t begin = 0, end = copy.size();
    while (end > begin && Blank(copy[end - 1]))
        --end;
    while (begin < end && Blank(copy[begin]))
        ++begin;
    return copy.substr(begin, end - begin);
}

AddOutcome AddMark(std::vector<MarkRecord>& records, const MarkRecord& mark, int maxCopies) {
    const std::string key = NameKey(mark.participant);
    std::set<int> speeds;
    bool correction = false;
    for (const MarkRecord& r : records) {
        if (r.discipline != mark.discipline || NameKey(r.participant) != key)
            continue;
        speeds.insert(r.speed);
        correction = correction || r.speed == mark.speed;
    }
    if (!correction && static_cast<int>(speeds.size()) >= maxCopies)
        return AddOutcome::Refused;
    if (!correction) {
        records.push_back(mark);
        return AddOutcome::Added;
    }
    // The corrected mark takes the place of the first earlier one; any
    // further duplicates (a hand-edited file) go with it.
    auto first = std::find_if(records.begin(), records.end(), [&](const MarkRecord& r) {
        return SameMark(r, key, mark.discipline, mark.speed);
    });
    *first = mark;
    records.erase(
        std::remove_if(first + 1, records.end(),
                       [&](const MarkRecord& r) { return SameMark(r, key, mark.discipline, mark.speed); }),
        records.end());
    return AddOutcome::Replaced;
}

const MarkRecord* FindMark(const std::vector<MarkRecord>& records, const std::string& participant,
                           int discipline, int speed) {
    const std::string key = NameKey(participant);
    for (const MarkRecord& r : records)
        if (SameMark(r, key, discipline, speed))
            return &r;
    return nullptr;
}

size_t EraseMark(std::vector<MarkRecord>& records, const std::string& participant, int discipline,
                 int speed) {
    const std::string key = NameKey(participant);
    const size_t before = records.size();
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [&](const MarkRecord& r) { return SameMark(r, key, discipline, speed); }),
                  records.end());
    return before - records.size();
}

std::vector<RankRow> RankDiscipline(const std::vector<MarkRecord>& records, int discipline, int maxErrors) {
    const std::map<std::string, std::string> shown = ShownNames(records);
    std::map<std::string, RankRow> best; // by NameKey
    for (const MarkRecord& r : records) {
        if (r.discipline != discipline)
            continue;
        const std::string key = NameKey(r.participant);
        RankRow& row = best[key];
        row.participant = shown.at(key);
        if (!IsAccepted(r.errors, maxErrors))
            continue;
        const int result = CopyResult(r.speed, r.errors);
        if (row.speed < 0 || result > row.result || (result == row.result && r.errors < row.errors)) {
            row.speed = r.speed;
            row.errors = r.errors;
            row.result = result;
        }
    }
    std::vector<RankRow> rows;
    for (auto& entry : best)
        rows.push_back(entry.second);
    // Unranked rows (speed -1) last; the map gave name order.
    std::stable_sort(rows.begin(), rows.end(), [](const RankRow& x, const RankRow& y) {
        if ((x.speed >= 0) != (y.speed >= 0))
            return x.speed >= 0;
        if (x.result != y.result)
            return x.result > y.result;
        return x.speed >= 0 && x.errors < y.errors;
    });
    const size_t ranked = static_cast<size_t>(
        std::count_if(rows.begin(), rows.end(), [](const RankRow& r) { return r.speed >= 0; }));
    AssignRanks(rows, ranked, [](const RankRow& x, const RankRow& y) {
        return x.result == y.result && x.errors == y.errors;
    });
    return rows;
}

std::vector<OverallRow> RankOverall(const std::vector<MarkRecord>& records, int maxErrors) {
    struct Entry {
        OverallRow row;
        bool accepted = false; // in any discipline
    };
    std::map<std::string, Entry> table; // by NameKey, so in name order
    for (const auto& name : ShownNames(records))
        table[name.first].row.participant = name.second;
    for (int d = 0; d < kDisciplines; ++d) {
        const std::vector<RankRow> rows = RankDiscipline(records, d, maxErrors);
        if (rows.empty() || rows.front().speed < 0)
            continue;
        const long best = rows.front().result;
        for (const RankRow& row : rows) {
            if (row.speed < 0)
                continue;
            // 100 x own / best in hundredths, half up, in integers; a best
            // result of 0 (every copy as many errors as its speed) gives no
            // points, but the copies still count as accepted.
            const long points = best > 0 ? (20000L * std::max(row.result, 0) + best) / (2 * best) : 0;
            Entry& e = table[NameKey(row.participant)];
            e.row.points[d] = points;
            e.row.total += points;
            e.accepted = true;
        }
    }
    std::vector<Entry> entries;
    for (auto& entry : table)
        entries.push_back(entry.second);
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
        if (x.accepted != y.accepted)
            return x.accepted;
        return x.row.total > y.row.total;
    });
    std::vector<OverallRow> rows;
    size_t ranked = 0;
    for (const Entry& e : entries) {
        rows.push_back(e.row);
        ranked += e.accepted ? 1 : 0;
    }
    AssignRanks(rows, ranked, [](const OverallRow& x, const OverallRow& y) { return x.total == y.total; });
    return rows;
}

std::string FormatPoints(long hundredths) {
    std::string s = std::to_string(hundredths / 100) + ".";
    const long cents = hundredths % 100;
    if (cents < 10)
        s += '0';
    return s + std::to_string(cents);
}
