#include "organisation/CompetitionSheet.h"

#include "organisation/HtmlPage.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <map>

namespace {
// The roster by NameKey.
std::map<std::string, const Entrant*> RosterByKey(const Competition& competition) {
    std::map<std::string, const Entrant*> byKey;
    for (const Entrant& e : competition.roster)
        byKey.emplace(NameKey(e.name), &e);
    return byKey;
}

bool InTable(const Competition& competition, const std::string& category) {
    return std::any_of(competition.categories.begin(), competition.categories.end(),
                       [&](const CategoryRule& r) { return r.name == category; });
}

std::string CategoryOfRecord(const std::map<std::string, const Entrant*>& byKey, const MarkRecord& r) {
    const auto found = byKey.find(NameKey(r.participant));
    return found == byKey.end() ? std::string() : found->second->category;
}

std::string RankText(int rank, const SheetCaptions& c) {
    return rank > 0 ? std::to_string(rank) : c.noResult;
}

std::string Number(int value, bool present, const SheetCaptions& c) {
    return present ? std::to_string(value) : c.noResult;
}

// One category's tables: each discipline with marks, then the overall one.
std::string CategoryTables(const std::map<std::string, const Entrant*>& byKey,
                           const std::vector<MarkRecord>& records, int maxErrors,
                           const CompetitionCaptions& cc) {
    const SheetCaptions& c = cc.sheet;
    auto entrant = [&](const std::string& name) -> const Entrant* {
        const auto found = byKey.find(NameKey(name));
        return found == byKey.end() ? nullptr : found->second;
    };
    auto numberOf = [&](const Entrant* e) { return e ? std::to_string(e->startNumber) : std::string(); };
    std::string out;
    for (int d = 0; d < kDisciplines; ++d) {
        const std::vector<RankRow> rows = RankDiscipline(records, d, maxErrors);
        if (rows.empty())
            continue;
        out += HtmlCell("h3", c.disciplines[d]) + "\n<table class=\"discipline " + DisciplineName(d) +
               "\">\n<tr>" + HtmlCell("th", c.rank) + HtmlCell("th", cc.number) +
               HtmlCell("th", c.participant) + HtmlCell("th", cc.club) + HtmlCell("th", cc.category) +
               HtmlCell("th", c.speed) + HtmlCell("th", c.errors) + HtmlCell("th", c.result) + "</tr>\n";
        for (const RankRow& r : rows) {
            const Entrant* e = entrant(r.participant);
            const bool ranked = r.speed >= 0;
            out += std::string(ranked ? "<tr>" : "<tr class=\"none\">") +
                   HtmlCell("td", RankText(r.rank, c), "n") + HtmlCell("td", numberOf(e), "n") +
                   HtmlCell("td", r.participant) + HtmlCell("td", e ? e->club : "") +
                   HtmlCell("td", e ? e->category : "") + HtmlCell("td", Number(r.speed, ranked, c), "n") +
                   HtmlCell("td", Number(r.errors, ranked, c), "n") +
                   HtmlCell("td", Number(r.result, ranked, c), "n") + "</tr>\n";
        }
        out += "</table>\n";
    }
    out += HtmlCell("h3", c.overall) + "\n<table class=\"overall\">\n<tr>" + HtmlCell("th", c.rank) +
           HtmlCell("th", cc.number) + HtmlCell("th", c.participant) + HtmlCell("th", cc.club);
    for (int d = 0; d < kDisciplines; ++d)
        out += HtmlCell("th", c.disciplines[d]);
    out += HtmlCell("th", c.total) + "</tr>\n";
    for (const OverallRow& r : RankOverall(records, maxErrors)) {
        const Entrant* e = entrant(r.participant);
        out += std::string(r.rank > 0 ? "<tr>" : "<tr class=\"none\">") +
               HtmlCell("td", RankText(r.rank, c), "n") + HtmlCell("td", numberOf(e), "n") +
               HtmlCell("td", r.participant) + HtmlCell("td", e ? e->club : "");
        for (int d = 0; d < kDisciplines; ++d)
            out += HtmlCell("td", FormatPoints(r.points[d]), "n");
        out += HtmlCell("td", FormatPoints(r.total), "n") + "</tr>\n";
    }
    return out + "</table>\n";
}
} // namespace

std::vector<MarkRecord> RecordsOfCategory(const Competition& competition,
                                          const std::vector<MarkRecord>& records,
                                          const std::string& category) {
    const std::map<std::string, const Entrant*> byKey = RosterByKey(competition);
    std::vector<MarkRecord> out;
    for (const MarkRecord& r : records)
        if (CategoryOfRecord(byKey, r) == category)
            out.push_back(r);
    return out;
}

std::vector<std::string> CategoriesWithMarks(const Competition& competition,
                                             const std::vector<MarkRecord>& records) {
    const std::map<std::string, const Entrant*> byKey = RosterByKey(competition);
    std::vector<std::string> found, out;
    for (const MarkRecord& r : records) {
        const std::string category = CategoryOfRecord(byKey, r);
        if (std::find(found.begin(), found.end(), category) == found.end())
            found.push_back(category);
    }
    auto has = [&](const std::string& name) {
        return std::find(found.begin(), found.end(), name) != found.end();
    };
    for (const CategoryRule& rule : competition.categories)
        if (!rule.name.empty() && has(rule.name) && std::find(out.begin(), out.end(), rule.name) == out.end())
            out.push_back(rule.name);
    // Categories set by hand that the table lacks, as first met.
    for (const std::string& name : found)
        if (!name.empty() && !InTable(competition, name))
            out.push_back(name);
    if (has(""))
        out.push_back("");
    return out;
}

CompetitionCaptions DefaultCompetitionCaptions() {
    CompetitionCaptions c;
    c.sheet = DefaultSheetCaptions();
    c.number = Cp1251ToUtf8("№");
    c.club = Cp1251ToUtf8("Клуб/страна");
    c.category = Cp1251ToUtf8("Категория");
    c.errorLimit = Cp1251ToUtf8("Допустимо ошибок");
    c.chiefJudge = Cp1251ToUtf8("Главный судья");
    c.venue = Cp1251ToUtf8("Место проведения");
    c.dates = Cp1251ToUtf8("Сроки проведения");
    c.noCategory = Cp1251ToUtf8("Вне категорий");
    c.wholeField = Cp1251ToUtf8("Абсолютный зачет");
    return c;
}

std::string CompetitionHtml(const Competition& competition, const std::vector<MarkRecord>& records,
                            int maxErrors, const CompetitionCaptions& cc, const std::string& onlyCategory) {
    const std::string heading = competition.title.empty() ? cc.sheet.title : competition.title;
    std::string out = OrganisationPageStart(heading) + HtmlCell("h1", heading) + "\n";
    if (heading != cc.sheet.title)
        out += HtmlCell("p", cc.sheet.title, "head") + "\n";
    const std::pair<const std::string*, std::string> lines[] = {
        {&cc.venue, competition.venue},
        {&cc.dates, DatesText(competition)},
        {&cc.chiefJudge, competition.chiefJudge},
        {&cc.errorLimit, std::to_string(maxErrors)},
    };
    for (const auto& line : lines)
        if (!line.second.empty())
            out += HtmlCell("p", *line.first + ": " + line.second, "head") + "\n";

    const std::vector<std::string> categories = onlyCategory.empty()
                                                    ? CategoriesWithMarks(competition, records)
                                                    : std::vector<std::string>{onlyCategory};
    for (const std::string& category : categories)
        out += "<section class=\"category\" data-category=\"" + HtmlEscape(category) + "\">\n" +
               HtmlCell("h2", category.empty() ? cc.noCategory : category) + "\n" +
               CategoryTables(RosterByKey(competition), RecordsOfCategory(competition, records, category),
                              maxErrors, cc) +
               "</section>\n";
    if (onlyCategory.empty() && categories.size() > 1)
        out += "<section class=\"category whole\">\n" + HtmlCell("h2", cc.wholeField) + "\n" +
               CategoryTables(RosterByKey(competition), records, maxErrors, cc) + "</section>\n";
    return out + OrganisationPageEnd();
}
