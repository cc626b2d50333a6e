#include "organisation/Draw.h"

#include "organisation/HtmlPage.h"
#include "results/Results.h"
#include "results/ResultsSheet.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <numeric>

uint64_t DrawRandom64::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

uint64_t DrawRandom64::Below(uint64_t bound) {
    // 2^64 mod bound: the values below it are the incomplete last round of
    // a modulo and would favour the small results.
    const uint64_t threshold = (0 - bound) % bound;
    for (;;) {
        const uint64_t r = Next();
        if (r >= threshold)
            return r % bound;
    }
}

std::vector<int> DrawOrder(size_t count, uint64_t seed) {
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    DrawRandom64 random(seed);
    for (size_t i = count; i > 1; --i)
        std::swap(order[i - 1], order[random.Below(i)]);
    return order;
}

void DrawStartNumbers(Competition& competition, uint32_t seed, int groupSize) {
    std::vector<size_t> byName(competition.roster.size());
    std::iota(byName.begin(), byName.end(), size_t{0});
    std::vector<std::string> keys;
    for (const Entrant& e : competition.roster)
        keys.push_back(NameKey(e.name));
    std::stable_sort(byName.begin(), byName.end(), [&](size_t x, size_t y) {
        if (keys[x] != keys[y])
            return keys[x] < keys[y];
        return competition.roster[x].birthYear < competition.roster[y].birthYear;
    });
    const std::vector<int> order = DrawOrder(byName.size(), seed);
    for (size_t k = 0; k < order.size(); ++k)
        competition.roster[byName[static_cast<size_t>(order[k])]].startNumber = static_cast<int>(k) + 1;
    competition.drawSeed = seed;
    competition.drawGroupSize = std::max(groupSize, 0);
    competition.drawn = true;
}

Seat SeatOf(int startNumber, int groupSize) {
    if (groupSize <= 0 || startNumber <= 0)
        return {};
    return {(startNumber - 1) / groupSize + 1, (startNumber - 1) % groupSize + 1};
}

StartListCaptions DefaultStartListCaptions() {
    StartListCaptions c;
    c.title = Cp1251ToUtf8("Стартовый протокол");
    c.number = Cp1251ToUtf8("№");
    c.name = Cp1251ToUtf8("Участник");
    c.sex = Cp1251ToUtf8("Пол");
    c.year = Cp1251ToUtf8("Год рождения");
    c.club = Cp1251ToUtf8("Клуб/страна");
    c.callsign = Cp1251ToUtf8("Позывной");
    c.category = Cp1251ToUtf8("Категория");
    c.group = Cp1251ToUtf8("Группа");
    c.seat = Cp1251ToUtf8("Место");
    c.seed = Cp1251ToUtf8("Жеребьевка, число");
    c.noCategory = Cp1251ToUtf8("Без категории");
    c.male = Cp1251ToUtf8("М");
    c.female = Cp1251ToUtf8("Ж");
    return c;
}

namespace {
std::string Table(const Competition& competition, const std::vector<const Entrant*>& entrants,
                  const StartListCaptions& c) {
    const bool groups = competition.drawGroupSize > 0;
    std::string out = "<table class=\"start\">\n<tr>" + HtmlCell("th", c.number);
    if (groups)
        out += HtmlCell("th", c.group) + HtmlCell("th", c.seat);
    out += HtmlCell("th", c.name) + HtmlCell("th", c.sex) + HtmlCell("th", c.year) + HtmlCell("th", c.club) +
           HtmlCell("th", c.callsign) + HtmlCell("th", c.category) + "</tr>\n";
    for (const Entrant* e : entrants) {
        out += "<tr>" + HtmlCell("td", std::to_string(e->startNumber), "n");
        if (groups) {
            const Seat seat = SeatOf(e->startNumber, competition.drawGroupSize);
            out += HtmlCell("td", std::to_string(seat.group), "n") +
                   HtmlCell("td", std::to_string(seat.seat), "n");
        }
        out += HtmlCell("td", e->name) +
               HtmlCell("td", e->sex == "M"   ? c.male
                              : e->sex == "F" ? c.female
                                              : "") +
               HtmlCell("td", e->birthYear ? std::to_string(e->birthYear) : "", "n") +
               HtmlCell("td", e->club) + HtmlCell("td", e->callsign) + HtmlCell("td", e->category) +
               "</tr>\n";
    }
    return out + "</table>\n";
}
} // namespace

std::string StartListHtml(const Competition& competition, StartListOrder order, const StartListCaptions& c) {
    std::vector<const Entrant*> entrants;
    for (const Entrant& e : competition.roster)
        entrants.push_back(&e);
    std::stable_sort(entrants.begin(), entrants.end(),
                     [](const Entrant* x, const Entrant* y) { return x->startNumber < y->startNumber; });
    if (order == StartListOrder::ByName)
        std::stable_sort(entrants.begin(), entrants.end(), [](const Entrant* x, const Entrant* y) {
            return NameKey(x->name) < NameKey(y->name);
        });

    const std::string heading = competition.title.empty() ? c.title : competition.title;
    std::string out = OrganisationPageStart(heading) + HtmlCell("h1", heading) + "\n";
    for (const std::string& line : {c.title, competition.venue, DatesText(competition)})
        if (!line.empty() && line != heading)
            out += HtmlCell("p", line, "head") + "\n";
    if (competition.drawn)
        out += HtmlCell("p", c.seed + ": " + std::to_string(competition.drawSeed), "head") + "\n";
    if (order != StartListOrder::ByCategory)
        return out + Table(competition, entrants, c) + OrganisationPageEnd();

    // One section per category of the table, then those in none (or in a
    // category typed by hand that the table lacks).
    std::vector<std::string> names;
    for (const CategoryRule& rule : competition.categories)
        if (std::find(names.begin(), names.end(), rule.name) == names.end())
            names.push_back(rule.name);
    std::vector<const Entrant*> rest = entrants;
    for (const std::string& name : names) {
        std::vector<const Entrant*> in;
        for (const Entrant* e : entrants)
            if (e->category == name)
                in.push_back(e);
        if (in.empty())
            continue;
        rest.erase(
            std::remove_if(rest.begin(), rest.end(), [&](const Entrant* e) { return e->category == name; }),
            rest.end());
        out += "<section class=\"category\">\n" + HtmlCell("h2", name) + "\n" + Table(competition, in, c) +
               "</section>\n";
    }
    if (!rest.empty())
        out += "<section class=\"category\">\n" + HtmlCell("h2", c.noCategory) + "\n" +
               Table(competition, rest, c) + "</section>\n";
    return out + OrganisationPageEnd();
}
