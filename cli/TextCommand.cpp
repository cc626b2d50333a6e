// klaviro-cli text: prints the text the text generator page shows.
#include "cli/Command.h"
#include "cli/TextOptions.h"

#include <cstdio>

namespace {

int RunText(const std::vector<std::string>& args) {
    CliOptions options({"kind", "number", "series", "groups"}, {});
    std::string error;
    if (!options.Parse(args, error))
        return CliFail("text", error);
    if (!options.Positional().empty())
        return CliFail("text", "unexpected argument \"" + options.Positional().front() + "\"");
    TextChoice choice;
    if (!ReadTextChoice(options, choice, error))
        return CliFail("text", error);
    const std::string text = TextOfNumber(choice, choice.number) + "\n";
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return CliFail("text", "cannot write to standard output");
    return 0;
}

const CliRegistrar
    registrar({"text", "--kind letters|figures|mixed --number N [--series training|competition] [--groups G]",
               "print the text of a number (default: training, 20 groups)", RunText});

} // namespace
