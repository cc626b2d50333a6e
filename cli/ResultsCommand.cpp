// klaviro-cli results: the rankings of a results file as text, as JSON, or
// as the HTML results sheet the results page exports; with a competition
// file, the championship's sheet and the rankings of one category.
#include "cli/Command.h"
#include "cli/CompetitionCommands.h"
#include "cli/Console.h"
#include "cli/JsonText.h"
#include "cli/OutputFile.h"

#include "organisation/CompetitionSheet.h"
#include "results/Marking.h"
#include "results/ResultsFile.h"
#include "results/ResultsSheet.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

const char kName[] = "results";

std::string JsonNumberOrNull(int value, bool present) {
    return present ? std::to_string(value) : "null";
}

// Hundredths as the shortest decimal: 28750 -> 287.5, 30000 -> 300.
std::string JsonPoints(long hundredths) {
    std::string s = FormatPoints(hundredths);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

std::string Json(const std::vector<MarkRecord>& records, int limit) {
    std::string out = "{\"disciplines\": {";
    for (int d = 0; d < kDisciplines; ++d) {
        out += std::string(d ? ", " : "") + "\"" + DisciplineName(d) + "\": [";
        bool first = true;
        for (const RankRow& r : RankDiscipline(records, d, limit)) {
            out += std::string(first ? "" : ", ") + "{\"rank\": " + JsonNumberOrNull(r.rank, r.rank > 0) +
                   ", \"participant\": " + JsonString(r.participant) +
                   ", \"speed\": " + JsonNumberOrNull(r.speed, r.speed >= 0) +
                   ", \"errors\": " + JsonNumberOrNull(r.errors, r.errors >= 0) +
                   ", \"result\": " + JsonNumberOrNull(r.result, r.speed >= 0) + "}";
            first = false;
        }
        out += "]";
    }
    out += "}, \"overall\": [";
    bool first = true;
    for (const OverallRow& r : RankOverall(records, limit)) {
        out += std::string(first ? "" : ", ") + "{\"rank\": " + JsonNumberOrNull(r.rank, r.rank > 0) +
               ", \"participant\": " + JsonString(r.participant) + ", \"points\": " + JsonPoints(r.total) +
               "}";
        first = false;
    }
    return out + "]}\n";
}

// Pads to `width` characters (UTF-8: continuation bytes take no column).
std::string Column(const std::string& text, size_t width) {
    size_t shown = 0;
    for (char c : text)
        shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return shown >= width ? text + " " : text + std::string(width - shown, ' ');
}

std::string Plain(const std::vector<MarkRecord>& records, int limit) {
    std::string out;
    for (int d = 0; d < kDisciplines; ++d) {
        out += std::string(DisciplineName(d)) + "\n";
        for (const RankRow& r : RankDiscipline(records, d, limit))
            out += "  " + Column(r.rank > 0 ? std::to_string(r.rank) : "-", 5) + Column(r.participant, 28) +
                   Column(r.speed >= 0 ? std::to_string(r.speed) : "-", 7) +
                   Column(r.errors >= 0 ? std::to_string(r.errors) : "-", 7) +
                   (r.speed >= 0 ? std::to_string(r.result) : "-") + "\n";
        out += "\n";
    }
    out += "overall\n";
    for (const OverallRow& r : RankOverall(records, limit)) {
        out += "  " + Column(r.rank > 0 ? std::to_string(r.rank) : "-", 5) + Column(r.participant, 28);
        for (int d = 0; d < kDisciplines; ++d)
            out += Column(FormatPoints(r.points[d]), 9);
        out += FormatPoints(r.total) + "\n";
    }
    return out;
}

std::string Today() {
    const std::string stamp = MarkTimestamp(std::time(nullptr));
    return stamp.substr(0, 10);
}

int RunResults(const std::vector<std::string>& args) {
    CliOptions options({"limit", "html", "competition", "category"}, {"json", "force"});
    std::string error;
    if (!options.ParseOne(args, "FILE", "", error) || !options.CheckReportForm(error))
        return CliFail(kName, error);
    long long limit = kDefaultMaxErrors;
    if (!options.GetInt("limit", 0, 100000, kDefaultMaxErrors, limit, error))
        return CliFail(kName, error);
    const std::string path = options.Positional().front();
    std::vector<MarkRecord> records;
    switch (LoadResultsFile(path, records, error)) {
    case ResultsLoad::Missing:
        return CliFail(kName, "no such file: " + path);
    case ResultsLoad::Unreadable:
        return CliFail(kName, error);
    case ResultsLoad::Loaded:
        break;
    }
    const int e = static_cast<int>(limit);
    if (options.Has("category") && !options.Has("competition"))
        return CliFail(kName, "--category needs --competition FILE, whose roster tells the categories");
    if (options.Has("competition")) {
        Competition competition;
        if (!LoadCompetitionForCli(options.Get("competition", ""), false, competition, error))
            return CliFail(kName, error);
        const std::string category = ArgumentText(options.Get("category", ""));
        if (options.Has("category")) {
            const bool known = std::any_of(competition.categories.begin(), competition.categories.end(),
                                           [&](const CategoryRule& r) { return r.name == category; }) ||
                               std::any_of(competition.roster.begin(), competition.roster.end(),
                                           [&](const Entrant& en) { return en.category == category; });
            if (!known) {
                std::string names;
                for (const CategoryRule& r : competition.categories)
                    names += (names.empty() ? "" : ", ") + r.name;
                return CliFail(kName, "no category \"" + category + "\" in the competition (" + names + ")");
            }
        }
        if (options.Has("html")) {
            const std::string sheet =
                CompetitionHtml(competition, records, e, DefaultCompetitionCaptions(), category);
            return WriteHtmlReport(options, sheet, error) ? 0 : CliFail(kName, error);
        }
        if (options.Has("category"))
            records = RecordsOfCategory(competition, records, category);
    }
    if (options.Has("html")) {
        const std::string sheet = ResultsHtml(records, e, DefaultSheetCaptions(), Today());
        return WriteHtmlReport(options, sheet, error) ? 0 : CliFail(kName, error);
    }
    if (!CliPrint(stdout, options.Has("json") ? Json(records, e) : Plain(records, e)))
        return CliFail(kName, "cannot write to standard output");
    return 0;
}

const CliRegistrar registrar(
    {"results", "FILE [--limit E] [--competition FILE [--category C]] [--json | --html OUT|- [--force]]",
     "rank the marks of a results file; --html writes the results sheet", RunResults,
     "A copy's result is its speed minus its errors; a discipline is ranked by the best accepted result,\n"
     "then by fewer errors; points are 100 x own result / the best result, to two decimals.\n"
     "--competition FILE: the competition's file; --html then writes the championship's sheet (title,\n"
     "venue, dates, start numbers, clubs, one printed page per category), and --category C ranks the\n"
     "participants of that category only.\n"});

} // namespace
