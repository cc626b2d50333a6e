#include "results/Results.h"

#include "results/Marking.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
const char* const kNames[kDisciplines] = {"letters", "figures", "mixed"};

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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

std::string StoredCopy(const std::string& copy) {
    size_t begin = 0, end = copy.size();
    while (end > begin && Blank(copy[end - 1]))
        --end;
    while (begin < end && Blank(copy[begin]))
        ++begin;
    return copy.substr(begin, end - begin);
}

AddOutcome AddMark(std::vector<MarkRecord>& records, const MarkRecord& mark, int maxCopies) {
    std::set<int> speeds;
    bool correction = false;
    for (const MarkRecord& r : records) {
        if (r.participant != mark.participant || r.discipline != mark.discipline)
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
    bool placed = false;
    for (auto it = records.begin(); it != records.end();) {
        if (it->participant == mark.participant && it->discipline == mark.discipline &&
            it->speed == mark.speed) {
            if (!placed) {
                *it = mark;
                placed = true;
            } else {
                it = records.erase(it);
                continue;
            }
        }
        ++it;
    }
    return AddOutcome::Replaced;
}

std::vector<RankRow> RankDiscipline(const std::vector<MarkRecord>& records, int discipline, int maxErrors) {
    std::map<std::string, RankRow> best;
    for (const MarkRecord& r : records) {
        if (r.discipline != discipline)
            continue;
        RankRow& row = best[r.participant];
        row.participant = r.participant;
        if (!IsAccepted(r.errors, maxErrors))
            continue;
        if (r.speed > row.speed || (r.speed == row.speed && r.errors < row.errors)) {
            row.speed = r.speed;
            row.errors = r.errors;
        }
    }
    std::vector<RankRow> rows;
    for (auto& entry : best)
        rows.push_back(entry.second);
    // Unranked rows have speed -1 and so sort last; the map gave name order.
    std::stable_sort(rows.begin(), rows.end(), [](const RankRow& x, const RankRow& y) {
        if (x.speed != y.speed)
            return x.speed > y.speed;
        return x.speed >= 0 && x.errors < y.errors;
    });
    const size_t ranked = static_cast<size_t>(
        std::count_if(rows.begin(), rows.end(), [](const RankRow& r) { return r.speed >= 0; }));
    AssignRanks(rows, ranked, [](const RankRow& x, const RankRow& y) {
        return x.speed == y.speed && x.errors == y.errors;
    });
    return rows;
}

std::vector<OverallRow> RankOverall(const std::vector<MarkRecord>& records, int maxErrors) {
    std::map<std::string, OverallRow> table;
    std::map<std::string, bool> anyAccepted;
    for (const MarkRecord& r : records) {
        table[r.participant].participant = r.participant;
        anyAccepted[r.participant];
    }
    for (int d = 0; d < kDisciplines; ++d) {
        const std::vector<RankRow> rows = RankDiscipline(records, d, maxErrors);
        if (rows.empty() || rows.front().speed <= 0)
            continue;
        const long best = rows.front().speed;
        for (const RankRow& row : rows) {
            if (row.speed < 0)
                continue;
            // 100 x own / best in hundredths, half up, in integers.
            const long points = (20000L * row.speed + best) / (2 * best);
            OverallRow& o = table[row.participant];
            o.points[d] = points;
            o.total += points;
            anyAccepted[row.participant] = true;
        }
    }
    std::vector<OverallRow> rows;
    for (auto& entry : table)
        rows.push_back(entry.second);
    std::stable_sort(rows.begin(), rows.end(), [&](const OverallRow& x, const OverallRow& y) {
        const bool ax = anyAccepted[x.participant], ay = anyAccepted[y.participant];
        if (ax != ay)
            return ax;
        return x.total > y.total;
    });
    const size_t ranked = static_cast<size_t>(std::count_if(
        rows.begin(), rows.end(), [&](const OverallRow& r) { return anyAccepted[r.participant]; }));
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
