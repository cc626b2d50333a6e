// klaviro-cli roster and draw: the competition file's roster shown, imported,
// exported and drawn, without the pages.
#include "cli/Command.h"
#include "cli/CompetitionCommands.h"
#include "cli/Console.h"
#include "cli/JsonText.h"
#include "cli/OutputFile.h"

#include "app/WholeFile.h"
#include "organisation/Draw.h"
#include "organisation/Roster.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

std::string Padded(const std::string& text, size_t width) {
    size_t shown = 0;
    for (char c : text)
        shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return shown >= width ? text + " " : text + std::string(width - shown, ' ');
}

std::vector<const Entrant*> ByNumber(const Competition& c) {
    std::vector<const Entrant*> out;
    for (const Entrant& e : c.roster)
        out.push_back(&e);
    std::stable_sort(out.begin(), out.end(),
                     [](const Entrant* x, const Entrant* y) { return x->startNumber < y->startNumber; });
    return out;
}

std::string Plain(const Competition& c) {
    std::string out;
    for (const Entrant* e : ByNumber(c)) {
        out += Padded(std::to_string(e->startNumber), 6);
        if (c.drawGroupSize > 0) {
            const Seat seat = SeatOf(e->startNumber, c.drawGroupSize);
            out += Padded(std::to_string(seat.group) + "/" + std::to_string(seat.seat), 8);
        }
        out += Padded(e->name, 28) + Padded(e->sex.empty() ? "-" : e->sex, 3) +
               Padded(e->birthYear ? std::to_string(e->birthYear) : "-", 6) + Padded(e->club, 16) +
               Padded(e->callsign, 10) + e->category + (e->categoryByHand ? " (by hand)" : "") + "\n";
    }
    return out;
}

std::string Json(const Competition& c) {
    std::string out =
        "{\"title\": " + JsonString(c.title) + ", \"venue\": " + JsonString(c.venue) +
        ", \"firstDay\": " + JsonString(c.firstDay) + ", \"lastDay\": " + JsonString(c.lastDay) +
        ", \"chiefJudge\": " + JsonString(c.chiefJudge) + ", \"drawn\": " + (c.drawn ? "true" : "false") +
        ", \"seed\": " + std::to_string(c.drawSeed) + ", \"groupSize\": " + std::to_string(c.drawGroupSize) +
        ", \"categories\": [";
    for (size_t k = 0; k < c.categories.size(); ++k) {
        const CategoryRule& r = c.categories[k];
        out += std::string(k ? ", " : "") + "{\"name\": " + JsonString(r.name) +
               ", \"sex\": " + JsonString(r.sex) + ", \"minAge\": " + std::to_string(r.minAge) +
               ", \"maxAge\": " + std::to_string(r.maxAge) + "}";
    }
    out += "], \"roster\": [";
    bool first = true;
    for (const Entrant* e : ByNumber(c)) {
        out += std::string(first ? "" : ", ") + "{\"number\": " + std::to_string(e->startNumber) +
               ", \"name\": " + JsonString(e->name) + ", \"sex\": " + JsonString(e->sex) +
               ", \"birthYear\": " + (e->birthYear ? std::to_string(e->birthYear) : "null") +
               ", \"club\": " + JsonString(e->club) + ", \"callsign\": " + JsonString(e->callsign) +
               ", \"category\": " + JsonString(e->category) +
               ", \"categoryByHand\": " + (e->categoryByHand ? "true" : "false") + "}";
        first = false;
    }
    return out + "]}\n";
}

// --title and the other fields of the competition given on the command line.
bool SetFields(const CliOptions& options, Competition& c, bool& changed, std::string& error) {
    const struct {
        const char* option;
        std::string* field;
        bool day;
    } fields[] = {{"title", &c.title, false},
                  {"venue", &c.venue, false},
                  {"first-day", &c.firstDay, true},
                  {"last-day", &c.lastDay, true},
                  {"chief-judge", &c.chiefJudge, false}};
    for (const auto& f : fields) {
        if (!options.Has(f.option))
            continue;
        const std::string value = ArgumentText(options.Get(f.option, ""));
        if (f.day && !value.empty() && !IsCalendarDay(value)) {
            error = std::string("--") + f.option + " must be a date YYYY-MM-DD, not \"" + value + "\"";
            return false;
        }
        *f.field = value;
        changed = true;
    }
    if (changed)
        UpdateCategories(c);
    return true;
}

int RunRoster(const std::vector<std::string>& args) {
    const char name[] = "roster";
    CliOptions options({"import", "export", "title", "venue", "first-day", "last-day", "chief-judge"},
                       {"json", "force"});
    std::string error;
    if (!options.ParseOne(args, "FILE", " (the competition file)", error))
        return CliFail(name, error);
    if (options.Has("force") && !options.Has("export"))
        return CliFail(name, "--force goes with --export OUT");
    const std::string path = options.Positional().front();
    bool changed = false;
    bool makes = false;
    for (const char* option : {"import", "title", "venue", "first-day", "last-day", "chief-judge"})
        makes = makes || options.Has(option);
    Competition c;
    if (!LoadCompetitionForCli(path, makes, c, error) || !SetFields(options, c, changed, error))
        return CliFail(name, error);

    std::string report;
    if (options.Has("import")) {
        const std::string csv = options.Get("import", "");
        std::string bytes;
        const WholeFileRead read = ReadWholeFile(csv, kMaxCompetitionFileBytes, bytes);
        if (read != WholeFileRead::Read)
            return CliFail(name, WholeFileProblem(read, csv, kMaxCompetitionFileBytes));
        RosterImport import;
        if (!ReadRosterCsv(bytes, import, error))
            return CliFail(name, csv + ": " + error);
        const RosterMerge merge = MergeRoster(c, import);
        std::vector<RosterProblem> problems = import.problems;
        problems.insert(problems.end(), merge.problems.begin(), merge.problems.end());
        std::sort(problems.begin(), problems.end(),
                  [](const RosterProblem& x, const RosterProblem& y) { return x.line < y.line; });
        for (const RosterProblem& p : problems)
            report += csv + ":" + std::to_string(p.line) + ": " + p.reason + "\n";
        report += std::to_string(merge.added) + " added, " + std::to_string(merge.updated) + " updated, " +
                  std::to_string(problems.size()) + " lines not taken\n";
        changed = true;
    }
    if (changed && !SaveCompetition(path, c, error))
        return CliFail(name, error);
    if (!report.empty() && !CliPrint(stderr, report))
        return CliFail(name, "cannot write to standard error");
    if (options.Has("export")) {
        CliOutput out;
        const std::string bytes = RosterCsv(c);
        if (!out.Open(options.Get("export", ""), options.Has("force"), error) ||
            !out.Write(bytes.data(), bytes.size()) || !out.Close(error))
            return CliFail(name, error);
        if (out.IsStandardOutput())
            return 0;
    }
    if (!CliPrint(stdout, options.Has("json") ? Json(c) : Plain(c)))
        return CliFail(name, "cannot write to standard output");
    return 0;
}

int RunDraw(const std::vector<std::string>& args) {
    const char name[] = "draw";
    CliOptions options({"seed", "groups", "html", "order"}, {"force"});
    std::string error;
    if (!options.ParseOne(args, "FILE", " (the competition file)", error) || !options.CheckReportForm(error))
        return CliFail(name, error);
    long long seed = 0, groups = 0;
    if (!options.GetInt("seed", 0, 0xFFFFFFFFLL, static_cast<long long>(std::time(nullptr) & 0xFFFFFFFF),
                        seed, error) ||
        !options.GetInt("groups", 0, kMaxStartNumber, 0, groups, error))
        return CliFail(name, error);
    const std::string order = options.Get("order", "number");
    if (order != "number" && order != "name" && order != "category")
        return CliFail(name, "--order must be number, name or category, not \"" + order + "\"");
    const std::string path = options.Positional().front();
    Competition c;
    if (!LoadCompetitionForCli(path, false, c, error))
        return CliFail(name, error);
    if (c.roster.empty())
        return CliFail(name, path + " has nobody in its roster to draw");
    DrawStartNumbers(c, static_cast<uint32_t>(seed), static_cast<int>(groups));
    if (!SaveCompetition(path, c, error))
        return CliFail(name, error);
    const std::string summary = "drawn with seed " + std::to_string(c.drawSeed) +
                                (groups ? ", groups of " + std::to_string(groups) : std::string()) + "\n";
    if (options.Has("html")) {
        const StartListOrder how = order == "name"       ? StartListOrder::ByName
                                   : order == "category" ? StartListOrder::ByCategory
                                                         : StartListOrder::ByNumber;
        if (!WriteHtmlReport(options, StartListHtml(c, how, DefaultStartListCaptions()), error))
            return CliFail(name, error);
        return CliPrint(stderr, summary) ? 0 : 2;
    }
    if (!CliPrint(stdout, summary + Plain(c)))
        return CliFail(name, "cannot write to standard output");
    return 0;
}

const CliRegistrar rosterRegistrar(
    {"roster",
     "FILE [--import CSV] [--export OUT|- [--force]] [--title T] [--venue V] [--first-day YYYY-MM-DD] "
     "[--last-day YYYY-MM-DD] [--chief-judge J] [--json]",
     "show the roster of a competition file; import or export it as CSV", RunRoster,
     "--import CSV: adds the participants of a CSV file (UTF-8 or 1251, ';' or ',', a header row naming\n"
     "the columns: number, name, sex, year of birth, club or country, callsign, category, in Russian or\n"
     "English); a known name is updated. Lines not taken are reported on standard error. The options that\n"
     "change the file create it when it is missing.\n"
     "--export OUT: the roster as CSV (UTF-8, ';') for spreadsheets.\n"});

const CliRegistrar drawRegistrar(
    {"draw", "FILE [--seed N] [--groups G] [--html OUT|- [--force] [--order number|name|category]]",
     "draw the start numbers of a competition file and keep the seed", RunDraw,
     "--seed N (0 to 4294967295): the same seed over the same roster gives the same numbers; without it\n"
     "the clock chooses one, and it is shown and kept in the file.\n"
     "--groups G: seats in groups of G (start number 1..G is group 1, and so on).\n"
     "--html OUT: the start list as a page, by number, by name or by category.\n"});

} // namespace

bool LoadCompetitionForCli(const std::string& path, bool missingIsNew, Competition& competition,
                           std::string& error) {
    switch (LoadCompetition(path, competition, error)) {
    case CompetitionLoad::Loaded:
        return true;
    case CompetitionLoad::Missing:
        if (missingIsNew)
            return true;
        error = "no such file: " + path;
        return false;
    case CompetitionLoad::Unreadable:
        return false;
    }
    return false;
}
