#include "organisation/RosterView.h"

#include "results/Results.h" // NameKey

#include <algorithm>
#include <cstdio>

namespace {

// The category's place in the table; categories not in it (a hand-set name)
// after those that are, none at all last.
size_t CategoryRank(const Competition& competition, const std::string& category) {
    if (category.empty())
        return competition.categories.size() + 1;
    for (size_t k = 0; k < competition.categories.size(); ++k)
        if (competition.categories[k].name == category)
            return k;
    return competition.categories.size();
}

// Start numbers with "none" (0) after every number.
unsigned NumberRank(int startNumber) {
    return startNumber > 0 ? static_cast<unsigned>(startNumber) : ~0u;
}

bool Digits(const std::string& text, size_t from, size_t count) {
    if (from + count > text.size())
        return false;
    for (size_t k = from; k < from + count; ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    return true;
}

} // namespace

std::vector<size_t> SortedRoster(const Competition& competition, StartListOrder order) {
    const std::vector<Entrant>& roster = competition.roster;
    std::vector<size_t> indexes(roster.size());
    std::vector<std::string> keys(roster.size());
    for (size_t k = 0; k < roster.size(); ++k) {
        indexes[k] = k;
        keys[k] = NameKey(roster[k].name);
    }
    std::stable_sort(indexes.begin(), indexes.end(), [&](size_t a, size_t b) {
        const Entrant &x = roster[a], &y = roster[b];
        if (order == StartListOrder::ByCategory) {
            const size_t cx = CategoryRank(competition, x.category),
                         cy = CategoryRank(competition, y.category);
            if (cx != cy)
                return cx < cy;
        }
        if (order == StartListOrder::ByName && keys[a] != keys[b])
            return keys[a] < keys[b];
        if (NumberRank(x.startNumber) != NumberRank(y.startNumber))
            return NumberRank(x.startNumber) < NumberRank(y.startNumber);
        return keys[a] < keys[b];
    });
    return indexes;
}

bool ReadDay(const std::string& text, std::string& day) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        day.clear();
        return true;
    }
    const std::string t = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    int year = 0, month = 0, date = 0;
    if (t.size() == 10 && Digits(t, 0, 4) && t[4] == '-' && Digits(t, 5, 2) && t[7] == '-' &&
        Digits(t, 8, 2)) {
        year = std::stoi(t.substr(0, 4));
        month = std::stoi(t.substr(5, 2));
        date = std::stoi(t.substr(8, 2));
    } else {
        // d.m.yyyy with one or two digits for the day and the month.
        const size_t dot1 = t.find('.'), dot2 = dot1 == std::string::npos ? dot1 : t.find('.', dot1 + 1);
        if (dot2 == std::string::npos || dot1 < 1 || dot1 > 2 || dot2 - dot1 - 1 < 1 || dot2 - dot1 - 1 > 2 ||
            t.size() - dot2 - 1 != 4 || !Digits(t, 0, dot1) || !Digits(t, dot1 + 1, dot2 - dot1 - 1) ||
            !Digits(t, dot2 + 1, 4))
            return false;
        date = std::stoi(t.substr(0, dot1));
        month = std::stoi(t.substr(dot1 + 1, dot2 - dot1 - 1));
        year = std::stoi(t.substr(dot2 + 1));
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, date);
    if (!IsCalendarDay(buffer))
        return false;
    day = buffer;
    return true;
}
