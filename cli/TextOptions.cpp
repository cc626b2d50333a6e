#include "cli/TextOptions.h"

#include "sound/MorseTable.h"
#include "texts/TextEncoding.h"
#include "texts/TextGenerator.h"

#include <cstdio>

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

bool SendingFormatArgument(const std::string& argument, std::string& text, std::string& error) {
    std::u32string points;
    if (!DecodeUtf8(argument, points)) {
        text = argument;
        return true;
    }
    text.clear();
    for (char32_t cp : points) {
        int byte = cp < 0x80 ? static_cast<int>(cp) : -1;
        for (int b = 0x80; b < 0x100 && byte < 0; ++b) {
            std::u32string decoded;
            if (DecodeUtf8(Cp1251ToUtf8(std::string(1, static_cast<char>(b))), decoded) &&
                decoded.size() == 1 && decoded[0] == cp)
                byte = b;
        }
        if (byte < 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
            error = std::string("--text holds ") + code +
                    ", which code page 1251 lacks; give ordinary text with --plain";
            return false;
        }
        text += static_cast<char>(byte);
    }
    return true;
}
