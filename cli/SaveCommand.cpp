// klaviro-cli save: writes consecutive texts into a control-text file, the
// same bytes the text generator page's Save writes.
#include "cli/Command.h"
#include "cli/OutputFile.h"
#include "cli/TextOptions.h"

#include "texts/ControlTextFile.h"

namespace {

int RunSave(const std::vector<std::string>& args) {
    CliOptions options({"kind", "number", "series", "groups", "count", "width"}, {"force"});
    std::string error;
    if (!options.ParseOne(args, "FILE", "", error))
        return CliFail("save", error);
    const std::string path = options.Positional().front();
    TextChoice choice;
    long long count = 1, width = kDefaultLineWidth;
    if (!ReadTextChoice(options, choice, error) || !options.GetInt("count", 1, 100, 1, count, error) ||
        !options.GetInt("width", 1, kMaxLineWidth, kDefaultLineWidth, width, error))
        return CliFail("save", error);
    // The page clamps its number field at the top and would save the last
    // text again and again; a file of repeated texts is never what is wanted.
    if (choice.number + count - 1 > kMaxTextNumber)
        return CliFail("save", "texts " + std::to_string(choice.number) + " to " +
                                   std::to_string(choice.number + count - 1) + " run past " +
                                   std::to_string(kMaxTextNumber));

    std::string bytes = ControlTextBlock("", static_cast<int>(width), -1);
    for (long long k = 0; k < count; ++k) {
        const long long number = choice.number + k;
        bytes +=
            ControlTextBlock(TextOfNumber(choice, number), static_cast<int>(width), static_cast<int>(number));
    }
    // A regular file is written beside itself and renamed over it, so that a
    // failed write leaves whatever was there; a pipe or a device is written
    // into, never replaced.
    CliOutput output;
    if (!output.Open(path, options.Has("force"), error))
        return CliFail("save", error);
    output.Write(bytes.data(), bytes.size()); // a failure shows at Close
    if (!output.Close(error))
        return CliFail("save", error);
    return 0;
}

const CliRegistrar
    registrar({"save", "--kind K --number N [--series S] [--groups G] [--count C] [--width W] [--force] FILE",
               "write C consecutive texts in the control-text file format", RunSave});

} // namespace
