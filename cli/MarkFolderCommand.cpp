// klaviro-cli mark --folder: a folder of copies marked in one step, as the
// results page's "check folder" does.
#include "cli/Command.h"
#include "cli/CompetitionCommands.h"
#include "cli/Console.h"
#include "cli/JsonText.h"

#include "organisation/BatchMarking.h"
#include "results/Marking.h"
#include "results/ResultsFile.h"

#include <cstdio>
#include <ctime>

namespace {
const char kName[] = "mark";

std::string Json(const BatchReport& report) {
    std::string out = "{\"written\": " + std::string(report.written ? "true" : "false") + ", \"files\": [";
    for (size_t k = 0; k < report.lines.size(); ++k) {
        const BatchLine& l = report.lines[k];
        out += std::string(k ? ", " : "") + "{\"file\": " + JsonString(l.file) +
               ", \"outcome\": " + JsonString(BatchOutcomeName(l.outcome)) +
               ", \"participant\": " + JsonString(l.participant) + ", \"discipline\": " +
               (l.discipline >= 0 ? JsonString(DisciplineName(l.discipline)) : "null") +
               ", \"speed\": " + (l.speed > 0 ? std::to_string(l.speed) : "null") +
               ", \"errors\": " + (l.errors >= 0 ? std::to_string(l.errors) : "null") +
               ", \"reason\": " + JsonString(l.reason) + "}";
    }
    return out + "]}\n";
}

std::string Plain(const BatchReport& report, int limit) {
    std::string out;
    for (const BatchLine& l : report.lines) {
        out += l.file + ": " + BatchOutcomeName(l.outcome);
        if (l.errors >= 0)
            out += " (" + l.participant + ", " + std::to_string(l.errors) + " errors, " +
                   (IsAccepted(l.errors, limit) ? "accepted" : "not accepted") + ")";
        if (!l.reason.empty())
            out += ": " + l.reason;
        out += "\n";
    }
    return out;
}
} // namespace

int RunMarkFolder(const std::vector<std::string>& args) {
    CliOptions options({"folder", "control-folder", "competition", "results", "limit", "max-copies"},
                       {"json"});
    std::string error;
    if (!options.Parse(args, error))
        return CliFail(kName, error);
    if (!options.Positional().empty())
        return CliFail(kName, "--folder marks the copies of a folder; no COPY goes with it");
    for (const char* needed : {"control-folder", "competition", "results"})
        if (!options.Has(needed))
            return CliFail(kName, std::string("--folder needs --") + needed);
    long long limit = kDefaultMaxErrors, maxCopies = kDefaultMaxCopies;
    if (!options.GetInt("limit", 0, 100000, kDefaultMaxErrors, limit, error) ||
        !options.GetInt("max-copies", 1, 100000, kDefaultMaxCopies, maxCopies, error))
        return CliFail(kName, error);
    Competition competition;
    if (!LoadCompetitionForCli(options.Get("competition", ""), false, competition, error))
        return CliFail(kName, error);
    BatchReport report;
    const bool done = MarkFolder(options.Get("folder", ""), options.Get("control-folder", ""), competition,
                                 options.Get("results", ""), static_cast<int>(limit),
                                 static_cast<int>(maxCopies), MarkTimestamp(std::time(nullptr)), report);
    if (!CliPrint(stdout, options.Has("json") ? Json(report) : Plain(report, static_cast<int>(limit))))
        return CliFail(kName, "cannot write to standard output");
    if (!done)
        return CliFail(kName, report.error + "; nothing was stored");
    for (const BatchLine& l : report.lines)
        if (l.outcome != BatchOutcome::Marked && l.outcome != BatchOutcome::Replaced)
            return 1; // the rest is stored; the report says what was not
    return 0;
}
