#include "diary/DiarySummary.h"

#include "results/Results.h"
#include "texts/TextEncoding.h"
#include "texts/TextGenerator.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {
CharacterSummary& Entry(std::vector<CharacterSummary>& counts, char32_t c) {
    for (CharacterSummary& s : counts)
        if (s.character == c)
            return s;
    counts.push_back({c, 0, 0});
    return counts.back();
}

bool InAlphabet(int kind, char32_t c) {
    for (const char* a = TextAlphabet(kind); *a; ++a)
        if (static_cast<unsigned char>(*a) == c)
            return true;
    return false;
}
} // namespace

long long RightOfRow(const DiaryRow& row) {
    if (!row.complete)
        return std::max(0, row.characters - row.errors);
    long long wrong = 0;
    for (const Confusion& c : row.confusions)
        wrong += c.expected ? c.count : 0;
    return std::max(0LL, row.characters - wrong);
}

bool CharactersOfRow(const DiaryRow& row, std::vector<CharacterSummary>& counts) {
    counts.clear();
    std::u32string copy;
    if (!row.complete || !DecodeUtf8(row.copy, copy))
        return false;
    // First `checked` holds the matches: the copy's characters less those
    // that were written wrong or in excess.
    for (char32_t c : MarkingCharacters(copy))
        ++Entry(counts, c).checked;
    for (const Confusion& c : row.confusions) {
        if (c.written)
            Entry(counts, c.written).checked -= c.count;
        if (c.expected) {
            CharacterSummary& e = Entry(counts, c.expected);
            e.checked += c.count;
            e.errors += c.count;
        }
    }
    long long total = 0;
    for (const CharacterSummary& s : counts) {
        if (s.checked < 0)
            return false;
        total += s.checked;
    }
    counts.erase(
        std::remove_if(counts.begin(), counts.end(), [](const CharacterSummary& s) { return !s.checked; }),
        counts.end());
    return total == row.characters;
}

DiarySummary SummariseDiary(const std::vector<DiaryRow>& rows, int today, int days) {
    DiarySummary s;
    auto shown = [&](const DiaryRow& r) { return days <= 0 || (r.day <= today && r.day > today - days); };
    if (days > 0) {
        s.firstDay = today - days + 1;
        s.lastDay = today;
    }
    bool any = false;
    std::map<std::pair<int, int>, DaySummary> byDay;
    for (const DiaryRow& r : rows) {
        if (!shown(r))
            continue;
        if (days <= 0) {
            s.firstDay = any ? std::min(s.firstDay, r.day) : r.day;
            s.lastDay = any ? std::max(s.lastDay, r.day) : r.day;
        }
        any = true;
        ++s.checks;
        if (r.transmission.present)
            continue; // keying: no reception speed or copied characters
        DaySummary& d = byDay[{r.day, r.played.kind}];
        d.day = r.day;
        d.kind = r.played.kind;
        ++d.checks;
        if (r.accepted)
            d.bestAcceptedSpeed = std::max(d.bestAcceptedSpeed, r.played.speed);
        d.characters += r.characters;
        d.right += RightOfRow(r);
    }
    for (auto& entry : byDay)
        s.days.push_back(entry.second);

    // Newest first: the last checks, and each character's latest occurrences.
    // A kind whose every character has its window full needs no more rows.
    int open[kDisciplines];
    for (int k = 0; k < kDisciplines; ++k)
        open[k] = static_cast<int>(std::char_traits<char>::length(TextAlphabet(k)));
    std::vector<CharacterSummary> chars, row;
    for (size_t i = rows.size(); i-- > 0;) {
        const DiaryRow& r = rows[i];
        if (!shown(r))
            continue;
        if (s.lastChecks.size() < kLastChecksShown)
            s.lastChecks.push_back(i);
        if (r.transmission.present)
            continue;
        const bool kindOpen = r.played.kind < 0 || r.played.kind >= kDisciplines || open[r.played.kind] > 0;
        if (!kindOpen || !CharactersOfRow(r, row))
            continue;
        for (const CharacterSummary& c : row) {
            CharacterSummary& total = Entry(chars, c.character);
            if (total.checked >= kCharacterWindow)
                continue;
            total.checked += c.checked;
            total.errors += c.errors;
            if (total.checked >= kCharacterWindow)
                for (int k = 0; k < kDisciplines; ++k)
                    open[k] -= InAlphabet(k, c.character);
        }
        if (s.lastChecks.size() >= kLastChecksShown &&
            std::all_of(open, open + kDisciplines, [](int n) { return n <= 0; }))
            break;
    }
    chars.erase(
        std::remove_if(chars.begin(), chars.end(), [](const CharacterSummary& c) { return !c.errors; }),
        chars.end());
    std::sort(chars.begin(), chars.end(), [](const CharacterSummary& a, const CharacterSummary& b) {
        const long long x = static_cast<long long>(a.errors) * b.checked,
                        y = static_cast<long long>(b.errors) * a.checked;
        if (x != y)
            return x > y;
        if (a.checked != b.checked)
            return a.checked > b.checked;
        return a.character < b.character;
    });
    if (chars.size() > kWeakestShown)
        chars.resize(kWeakestShown);
    s.weakest = std::move(chars);
    return s;
}
