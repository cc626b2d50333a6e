#include "cli/TextOptions.h"

#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"

bool ReadTextChoice(const CliOptions& options, TextChoice& choice, std::string& error) {
    if (!options.Has("kind")) {
        error = "--kind letters|figures|mixed is required";
        return false;
    }
    const std::string kind = options.Get("kind", "");
    if (kind == "letters")
        choice.kind = TextLetters;
    else if (kind == "figures")
        choice.kind = TextFigures;
    else if (kind == "mixed")
        choice.kind = TextMixed;
    else {
        error = "--kind must be letters, figures or mixed, not \"" + kind + "\"";
        return false;
    }
    if (!options.Has("number")) {
        error = "--number N is required";
        return false;
    }
    if (!options.GetInt("number", 1, kMaxTextNumber, 1, choice.number, error))
        return false;
    const std::string series = options.Get("series", "training");
    if (series == "training")
        choice.series = 0;
    else if (series == "competition")
        choice.series = 1;
    else {
        error = "--series must be training or competition, not \"" + series + "\"";
        return false;
    }
    return options.GetInt("groups", 1, 10000, 20, choice.groups, error);
}

std::string TextOfNumber(const TextChoice& choice, long long number) {
    const long long seed = number + choice.series * kMaxTextNumber;
    return generateText(static_cast<int32_t>(seed), static_cast<int32_t>(choice.groups * 5),
                        TextAlphabet(choice.kind));
}
