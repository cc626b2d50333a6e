// klaviro-cli diary: the summary of a training diary (per day and kind, the
// weakest characters) as text, as JSON, or as the page's HTML export.
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/JsonText.h"
#include "cli/OutputFile.h"

#include "diary/DiaryExport.h"
#include "diary/DiarySummary.h"
#include "texts/TextEncoding.h"

#include <cstdio>

namespace {

const char kName[] = "diary";

std::string OrNull(int value) {
    return value > 0 ? std::to_string(value) : "null";
}

std::string ShareOrNull(long long part, long long whole) {
    const int tenths = ShareTenths(part, whole);
    return tenths >= 0 ? TenthsText(tenths) : "null";
}

std::string Json(const DiarySummary& s, int skipped) {
    std::string out = "{\"checks\": " + std::to_string(s.checks) +
                      ", \"skipped\": " + std::to_string(skipped) + ", \"days\": [";
    for (size_t k = 0; k < s.days.size(); ++k) {
        const DaySummary& d = s.days[k];
        out += std::string(k ? ", " : "") + "{\"date\": \"" + DayText(d.day) + "\", \"kind\": \"" +
               DisciplineName(d.kind) + "\", \"checks\": " + std::to_string(d.checks) +
               ", \"best_accepted_speed\": " + OrNull(d.bestAcceptedSpeed) +
               ", \"characters\": " + std::to_string(d.characters) +
               ", \"right\": " + std::to_string(d.right) +
               ", \"share_right\": " + ShareOrNull(d.right, d.characters) + "}";
    }
    out += "], \"weakest\": [";
    for (size_t k = 0; k < s.weakest.size(); ++k) {
        const CharacterSummary& c = s.weakest[k];
        out += std::string(k ? ", " : "") + "{\"character\": " + JsonString(EncodeUtf8(c.character)) +
               ", \"checked\": " + std::to_string(c.checked) + ", \"errors\": " + std::to_string(c.errors) +
               ", \"error_rate\": " + ShareOrNull(c.errors, c.checked) + "}";
    }
    return out + "]}\n";
}

std::string Plain(const DiarySummary& s) {
    char line[160];
    std::string out = "date        kind     checks  best  right\n";
    for (const DaySummary& d : s.days) {
        const int share = ShareTenths(d.right, d.characters);
        std::snprintf(line, sizeof line, "%s  %-7s  %6d  %4s  %5s%%\n", DayText(d.day).c_str(),
                      DisciplineName(d.kind), d.checks,
                      d.bestAcceptedSpeed > 0 ? std::to_string(d.bestAcceptedSpeed).c_str() : "-",
                      share >= 0 ? TenthsText(share).c_str() : "-");
        out += line;
    }
    out += "\nweakest characters (errors of the last " + std::to_string(kCharacterWindow) + " checked)\n";
    for (const CharacterSummary& c : s.weakest) {
        std::snprintf(line, sizeof line, "%5s%%  %d of %d\n",
                      TenthsText(ShareTenths(c.errors, c.checked)).c_str(), c.errors, c.checked);
        out += "  " + EncodeUtf8(c.character) + " " + line;
    }
    return out + std::to_string(s.checks) + " checks\n";
}

int RunDiary(const std::vector<std::string>& args) {
    CliOptions options({"days", "today", "html"}, {"json", "force"});
    std::string error;
    if (!options.ParseOne(args, "FILE", "", error) || !options.CheckReportForm(error))
        return CliFail(kName, error);
    long long days = 0;
    if (!options.GetInt("days", 1, 1000000, 0, days, error))
        return CliFail(kName, error);
    int today = LocalToday(), second = 0;
    if (options.Has("today") && !ReadDiaryTime(options.Get("today", ""), today, second))
        return CliFail(kName, "--today must be a date YYYY-MM-DD, not \"" + options.Get("today", "") + "\"");

    const std::string path = options.Positional().front();
    DiaryContents diary;
    switch (LoadDiary(path, diary, error)) {
    case DiaryLoad::Missing:
        return CliFail(kName, "no such file: " + path);
    case DiaryLoad::Unreadable:
        return CliFail(kName, error);
    case DiaryLoad::Loaded:
        break;
    }
    if (diary.skipped > 0)
        CliPrint(stderr, std::string("klaviro-cli ") + kName + ": note: " + std::to_string(diary.skipped) +
                             " rows of " + path + " could not be read and are left out (" +
                             diary.firstProblem + ")\n");
    const DiarySummary summary = SummariseDiary(diary.rows, today, static_cast<int>(days));

    if (options.Has("html")) {
        const std::string page = DiaryHtml(diary.rows, summary, DefaultDiaryCaptions(), DayText(today));
        return WriteHtmlReport(options, page, error) ? 0 : CliFail(kName, error);
    }
    if (!CliPrint(stdout, options.Has("json") ? Json(summary, diary.skipped) : Plain(summary)))
        return CliFail(kName, "cannot write to standard output");
    return 0;
}

const CliRegistrar
    registrar({"diary", "FILE [--days N] [--today YYYY-MM-DD] [--json | --html OUT|- [--force]]",
               "summarise a training diary; --html writes its charts as a web page", RunDiary});

} // namespace
