// klaviro-cli unmark: takes a participant's mark out of the results file, as
// the results page's delete button does, so that a mark made by mistake
// frees the copy it took.
#include "cli/Command.h"
#include "cli/Console.h"

#include "results/ResultsFile.h"
#include "texts/ControlTextBlocks.h"

namespace {

const char kName[] = "unmark";

int RunUnmark(const std::vector<std::string>& args) {
    CliOptions options({"results", "participant", "kind", "control", "speed"}, {});
    std::string error;
    if (!options.Parse(args, error))
        return CliFail(kName, error);
    if (!options.Positional().empty())
        return CliFail(kName, "unexpected \"" + options.Positional().front() + "\"");
    for (const char* required : {"results", "participant", "speed"})
        if (!options.Has(required))
            return CliFail(kName, std::string("--") + required + " is required");
    long long speed = -1;
    if (!options.GetInt("speed", 1, 100000, -1, speed, error))
        return CliFail(kName, error);
    const std::string participant = CleanName(ArgumentText(options.Get("participant", "")));
    if (participant.empty())
        return CliFail(kName, "--participant is empty");
    // The discipline as mark takes it: --kind, or the control-text file's name.
    int discipline = -1;
    if (options.Has("kind")) {
        const std::string kind = options.Get("kind", "");
        discipline = DisciplineOfName(kind);
        if (discipline < 0)
            return CliFail(kName, "--kind must be letters, figures or mixed, not \"" + kind + "\"");
    } else if (options.Has("control")) {
        discipline = DisciplineOfFileName(options.Get("control", ""));
        if (discipline < 0)
            return CliFail(kName,
                           "the file name does not tell the discipline: give --kind letters|figures|mixed");
    } else {
        return CliFail(kName, "name the discipline: --kind letters|figures|mixed, or --control FILE");
    }
    const std::string path = options.Get("results", "");
    if (RemoveMark(path, participant, discipline, static_cast<int>(speed), error) != StoreOutcome::Removed)
        return CliFail(kName, error);
    if (!CliPrint(stdout, "removed the mark of " + participant + " in " + DisciplineName(discipline) +
                              " at " + std::to_string(speed) + "\n"))
        return CliFail(kName, "cannot write to standard output");
    return 0;
}

const CliRegistrar registrar(
    {"unmark", "--results FILE --participant NAME (--kind K | --control FILE) --speed N",
     "remove a participant's mark from the results file (names match without regard to case)", RunUnmark,
     "The discipline is --kind, or the one the control-text file's name tells (Letters.txt ...),\n"
     "as for mark. The copy the mark took is free again.\n"});

} // namespace
