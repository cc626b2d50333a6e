// klaviro-cli mark: marks a copy against a control text by the results
// page's rules and, with --participant and --results, stores the mark in the
// results file exactly as the page does; with --diary, appends a training
// check to the diary as the training page does.
#include "cli/Command.h"
#include "cli/CompetitionCommands.h"
#include "cli/Console.h"
#include "cli/TextOptions.h"

#include "app/Platform.h"
#include "app/WholeFile.h"
#include "diary/DiaryFile.h"
#include "texts/ControlTextBlocks.h"
#include "results/Marking.h"
#include "results/ResultsFile.h"
#include "texts/TextEncoding.h"

#include <cstdio>
#include <ctime>

namespace {

const char kName[] = "mark";
const size_t kColumns = 60; // aligned columns per printed chunk

std::u32string Decoded(const std::string& bytes) {
    std::u32string text;
    DecodeUtf8(AnyTextToUtf8(bytes), text);
    return text;
}

int KindOption(const CliOptions& options, int fallback, std::string& error) {
    if (!options.Has("kind"))
        return fallback;
    const std::string kind = options.Get("kind", "");
    const int d = DisciplineOfName(kind);
    if (d < 0)
        error = "--kind must be letters, figures or mixed, not \"" + kind + "\"";
    return d;
}

// Three rows per chunk: the text, the copy, and under every error x (wrong),
// m (missing) or + (extra); a gap in either row is "-".
std::string AlignedReport(const MarkResult& r) {
    std::string out;
    for (size_t start = 0; start < r.steps.size(); start += kColumns) {
        std::string text = "text  ", copy = "copy  ", marks = "      ";
        for (size_t k = start; k < r.steps.size() && k < start + kColumns; ++k) {
            const MarkStep& s = r.steps[k];
            text += s.op == MarkOp::Extra ? "-" : EncodeUtf8(s.text);
            copy += s.op == MarkOp::Missing ? "-" : EncodeUtf8(s.copy);
            marks += s.op == MarkOp::Match     ? ' '
                     : s.op == MarkOp::Wrong   ? 'x'
                     : s.op == MarkOp::Missing ? 'm'
                                               : '+';
        }
        while (!marks.empty() && marks.back() == ' ')
            marks.pop_back();
        out += text + "\n" + copy + "\n" + marks + "\n\n";
    }
    return out;
}

int RunMark(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--folder")
            return RunMarkFolder(args);
    CliOptions options({"control", "speed", "kind", "number", "series", "groups", "limit", "participant",
                        "results", "max-copies", "diary"},
                       {"json"});
    std::string error;
    if (!options.ParseOne(args, "COPY", " (a file, or - for standard input)", error))
        return CliFail(kName, error);
    long long limit = kDefaultMaxErrors, speed = -1, maxCopies = kDefaultMaxCopies;
    if (!options.GetInt("limit", 0, 100000, kDefaultMaxErrors, limit, error) ||
        !options.GetInt("speed", 1, 100000, -1, speed, error) ||
        !options.GetInt("max-copies", 1, 100000, kDefaultMaxCopies, maxCopies, error))
        return CliFail(kName, error);
    if (options.Has("max-copies") && !options.Has("results"))
        return CliFail(kName, "--max-copies counts the copies stored with --participant and --results");

    if (options.Has("diary") && (options.Has("control") || !options.Has("speed")))
        return CliFail(kName, "--diary keeps a training check: name the text with --kind K --number N "
                              "and give --speed N");

    std::string textBytes;
    int discipline = -1;
    TextChoice choice;
    if (options.Has("control")) {
        for (const char* other : {"number", "series", "groups"})
            if (options.Has(other))
                return CliFail(kName, std::string("--") + other +
                                          " names a training text; it does not go with --control");
        const std::string path = options.Get("control", "");
        if (!options.Has("speed"))
            return CliFail(kName, "--speed N is required with --control");
        std::vector<ControlBlock> blocks;
        if (LoadControlBlocks(path, blocks, error) != ControlLoad::Loaded)
            return CliFail(kName, error);
        const ControlBlock* block = BlockForSpeed(blocks, static_cast<int>(speed));
        if (!block) {
            std::string held;
            for (int s : BlockSpeeds(blocks))
                held += (held.empty() ? "" : ", ") + std::to_string(s);
            return CliFail(kName, "no text at speed " + std::to_string(speed) + " in " + path +
                                      (held.empty() ? " (it holds none)" : " (it holds " + held + ")"));
        }
        textBytes = block->text;
        discipline = KindOption(options, DisciplineOfFileName(path), error);
        if (!error.empty())
            return CliFail(kName, error);
    } else {
        if (!options.Has("kind") && !options.Has("number"))
            return CliFail(kName, "name the text: --control FILE --speed N, or --kind K --number N");
        if (!ReadTextChoice(options, choice, error))
            return CliFail(kName, error);
        textBytes = TextOfNumber(choice, choice.number);
        discipline = choice.kind;
    }

    const std::string copyPath = options.Positional().front();
    std::string copyBytes;
    const WholeFileRead read = copyPath == "-" ? CliReadInput(kMaxCopyFileBytes, copyBytes)
                                               : ReadWholeFile(copyPath, kMaxCopyFileBytes, copyBytes);
    if (read != WholeFileRead::Read)
        return CliFail(
            kName, WholeFileProblem(read, copyPath == "-" ? "standard input" : copyPath, kMaxCopyFileBytes));
    const std::string copy = AnyTextToUtf8(copyBytes);

    MarkResult result;
    std::u32string copyText;
    DecodeUtf8(copy, copyText);
    if (!MarkCopy(Decoded(textBytes), copyText, result))
        return CliFail(kName, "the copy is longer than " + std::to_string(kMaxCopyCharacters) +
                                  " characters, or the text or the copy longer than " +
                                  std::to_string(kMaxMarkedCharacters) + " without blanks");

    if (options.Has("participant") || options.Has("results")) {
        if (!options.Has("participant") || !options.Has("results"))
            return CliFail(kName, "--participant and --results go together");
        MarkRecord mark;
        mark.participant = CleanName(ArgumentText(options.Get("participant", "")));
        if (mark.participant.empty())
            return CliFail(kName, "--participant is empty");
        if (discipline < 0)
            return CliFail(kName,
                           "the file name does not tell the discipline: give --kind letters|figures|mixed");
        if (speed < 0)
            return CliFail(kName, "--speed N is required to store the mark of a training text");
        mark.discipline = discipline;
        mark.speed = static_cast<int>(speed);
        mark.errors = result.errors;
        mark.copy = StoredCopy(copy);
        if (mark.copy.empty())
            return CliFail(kName, "the copy is empty: no mark stored");
        mark.markedAt = MarkTimestamp(std::time(nullptr));
        const std::string path = options.Get("results", "");
        const StoreOutcome stored = StoreMark(path, mark, static_cast<int>(maxCopies), error);
        if (stored != StoreOutcome::Added && stored != StoreOutcome::Replaced)
            return CliFail(kName, error);
    }

    if (options.Has("diary")) {
        PlayedText played;
        played.kind = choice.kind;
        played.series = static_cast<int>(choice.series);
        played.number = static_cast<int32_t>(choice.number);
        played.groups = static_cast<int32_t>(choice.groups);
        played.speed = static_cast<int>(speed);
        CopyCheck check;
        if (!CheckCopy(Decoded(textBytes), copyText, static_cast<int>(limit), check))
            return CliFail(kName, "the text or the copy is too long to check");
        if (StoredCopy(copy).empty())
            return CliFail(kName, "the copy is empty: nothing kept in the diary");
        if (!AppendDiaryRow(options.Get("diary", ""), MakeDiaryRow(played, check, copy, std::time(nullptr)),
                            error))
            return CliFail(kName, error);
    }

    const bool accepted = IsAccepted(result.errors, static_cast<int>(limit));
    std::string out;
    if (options.Has("json")) {
        out = "{\"errors\": " + std::to_string(result.errors) +
              ", \"accepted\": " + (accepted ? "true" : "false") + ", \"limit\": " + std::to_string(limit) +
              ", \"characters\": " + std::to_string(result.characters) + "}\n";
    } else {
        out = AlignedReport(result) + std::to_string(result.errors) + " errors in " +
              std::to_string(result.characters) + " characters, limit " + std::to_string(limit) + ": " +
              (accepted ? "accepted" : "not accepted") + "\n";
    }
    if (!CliPrint(stdout, out))
        return CliFail(kName, "cannot write to standard output");
    return 0;
}

const CliRegistrar registrar(
    {"mark",
     "(--control FILE --speed N | --kind K --number N [--series S] [--groups G]) [--kind K] "
     "[--speed N] [--limit E] [--participant NAME --results FILE [--max-copies N]] [--diary FILE] [--json] "
     "COPY|-\n"
     "         mark --folder DIR --control-folder DIR --competition FILE --results FILE [--limit E] "
     "[--max-copies N] [--json]",
     "mark a copy against its control text (errors ignore blanks and case)", RunMark,
     "--max-copies N (default 3): copies a participant may have marked in one discipline; give the\n"
     "value of [Results] MaxCopies in KLAVIRO.cfg, so that the results page and this command\n"
     "refuse the same copy.\n"
     "--diary FILE: appends the check of a training text (--kind, --number, --speed) to the training\n"
     "diary, as the training page does; --limit decides whether it counts as accepted.\n"
     "--folder DIR: marks every copy file named <start number>_<discipline>_<speed>.txt (discipline\n"
     "letters, figures, mixed or L, F, M) against the control texts of --control-folder (the files a\n"
     "competition run writes, Letters..., Digits..., Mixed...) and stores the marks of the competition's\n"
     "participants in --results in one write; a line per file says marked, replaced, refused or not\n"
     "understood. Exit status 1 when some file was not marked, 2 when nothing was stored.\n"});

} // namespace
