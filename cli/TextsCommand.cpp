// klaviro-cli texts: the translator's template of a new language section.
#include "cli/Command.h"
#include "cli/OutputFile.h"

#include "config/Languages.h"

namespace {

int RunTexts(const std::vector<std::string>& args) {
    CliOptions options({"language", "out"}, {"force"});
    std::string error;
    if (!options.Parse(args, error))
        return CliFail("texts", error);
    if (!options.Positional().empty())
        return CliFail("texts", "unexpected argument \"" + options.Positional().front() + "\"");
    const std::string language = options.Get("language", "");
    if (language.empty())
        return CliFail("texts", "--language NAME is needed (the section name, e.g. Polish)");
    if (!IsLanguageSectionName(language))
        return CliFail("texts", "\"" + language +
                                    "\" cannot name a language section: letters, digits, - and _ only, "
                                    "and not Default or Language");
    const std::string out = options.Get("out", "");
    if (out.empty())
        return CliFail("texts", "--out FILE is needed (- for standard output)");
    const std::string bytes = LanguageTemplate(language);
    CliOutput output;
    if (!output.Open(out, options.Has("force"), error))
        return CliFail("texts", error);
    output.Write(bytes.data(), bytes.size()); // a failure shows at Close
    if (!output.Close(error))
        return CliFail("texts", error);
    return 0;
}

const CliRegistrar registrar({"texts", "--language NAME --out FILE [--force]",
                              "write a translator's template of every text, Russian and English beside",
                              RunTexts,
                              "The file, filled in and added to KLAVIRO.cfg, is the section [NAME];\n"
                              "it is UTF-8 and says CodePage = 65001."});

} // namespace
