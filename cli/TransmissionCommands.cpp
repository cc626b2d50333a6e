// klaviro-cli key-times and key-decode: the exact key timings of a text, and
// the decoding and judging of a file of key times.
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/JsonText.h"
#include "cli/OutputFile.h"
#include "cli/TextOptions.h"
#include "player/PlainText.h"
#include "results/Results.h"
#include "sound/MorseTable.h"
#include "texts/TextEncoding.h"
#include "transmission/Judge.h"
#include "transmission/KeyTiming.h"

#include <cstdio>

namespace {

// The text a command names: --text in the sending format, --plain ordinary
// text, or --kind K --number N; `named` false when none is given. The kind
// (for --text and --plain the --kind option, letters by default) is the
// kind of the speed's unit.
bool ReadNamedText(const char* name, const CliOptions& options, std::string& text, int& kind, bool& named,
                   std::string& error) {
    named = options.Has("text") || options.Has("plain") || options.Has("number");
    kind = TextLetters;
    if (options.Has("text") + options.Has("plain") + options.Has("number") > 1) {
        error = "name one text: --text, --plain or --kind K --number N";
        return false;
    }
    if (options.Has("number")) {
        TextChoice choice;
        if (!ReadTextChoice(options, choice, error))
            return false;
        text = TextOfNumber(choice, choice.number);
        kind = choice.kind;
        return true;
    }
    if (options.Has("kind")) {
        kind = DisciplineOfName(options.Get("kind", ""));
        if (kind < 0) {
            error = "--kind must be letters, figures or mixed, not \"" + options.Get("kind", "") + "\"";
            return false;
        }
    }
    if (options.Has("text"))
        return SendingFormatArgument(options.Get("text", ""), text, error);
    if (options.Has("plain")) {
        const SendingText converted = PlainToSending(options.Get("plain", ""));
        if (converted.leftOutCount > 0)
            std::fprintf(stderr, "klaviro-cli %s: note: left out %zu character(s) without a Morse code: %s\n",
                         name, converted.leftOutCount, LeftOutList(converted).c_str());
        if (converted.text.empty()) {
            error = "--plain holds no character with a Morse code";
            return false;
        }
        text = converted.text;
    }
    return true;
}

std::string Fixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

const char kTimesName[] = "key-times";

int RunKeyTimes(const std::vector<std::string>& args) {
    CliOptions options(
        {"text", "plain", "kind", "number", "series", "groups", "speed", "effective", "start", "out"},
        {"force"});
    std::string error;
    if (!options.Parse(args, error))
        return CliFail(kTimesName, error);
    if (!options.Positional().empty())
        return CliFail(kTimesName, "unexpected argument \"" + options.Positional().front() + "\"");
    std::string text;
    int kind = 0;
    bool named = false;
    if (!ReadNamedText(kTimesName, options, text, kind, named, error))
        return CliFail(kTimesName, error);
    if (!named)
        return CliFail(kTimesName, "name the text: --text TEXT, --plain TEXT or --kind K --number N");
    if (!options.Has("out"))
        return CliFail(kTimesName, "--out FILE is required (- for standard output)");
    long long speed = 0, effective = 0, start = 0;
    if (!options.GetInt("speed", 1, 10000, 100, speed, error) ||
        !options.GetInt("effective", 1, 10000, speed, effective, error) ||
        !options.GetInt("start", 0, 1000000000, 0, start, error))
        return CliFail(kTimesName, error);
    if (effective > speed)
        return CliFail(kTimesName, "--effective " + std::to_string(effective) + " is faster than --speed " +
                                       std::to_string(speed));
    const double unit = UnitMsOfSpeed(kind, static_cast<double>(speed));
    const KeyTimes keys = RenderKeyTimes(text, unit, UnitMsOfSpeed(kind, static_cast<double>(effective)),
                                         static_cast<double>(start));
    if (keys.empty())
        return CliFail(kTimesName, "the text has no character with a Morse code");
    const std::string bytes = KeyTimesText(keys);
    CliOutput output;
    if (!output.Open(options.Get("out", ""), options.Has("force"), error))
        return CliFail(kTimesName, error);
    output.Write(bytes.data(), bytes.size());
    if (!output.Close(error))
        return CliFail(kTimesName, error);
    const std::string summary = options.Get("out", "") + ": " + std::to_string(keys.size()) +
                                " presses, unit " + Fixed(unit, 3) + " ms, last key up at " +
                                Fixed(keys.back().upMs, 3) + " ms\n";
    CliPrint(output.IsStandardOutput() ? stderr : stdout, summary);
    return 0;
}

std::string JsonFigure(const TimingFigure& f) {
    return "{\"mean\": " + Fixed(f.mean, 4) + ", \"spread\": " + Fixed(f.spread, 4) +
           ", \"count\": " + std::to_string(f.count) + "}";
}

std::string JsonInts(const std::vector<int>& v) {
    std::string out = "[";
    for (size_t i = 0; i < v.size(); ++i)
        out += (i ? ", " : "") + std::to_string(v[i]);
    return out + "]";
}

std::string PlainFigure(const char* name, const TimingFigure& f, int ideal) {
    return std::string(name) + ": mean " + Fixed(f.mean, 2) + " units (ideal " + std::to_string(ideal) +
           "), spread " + Fixed(f.spread, 2) + ", " + std::to_string(f.count) + " sent\n";
}

const char kDecodeName[] = "key-decode";

int RunKeyDecode(const std::vector<std::string>& args) {
    CliOptions options({"text", "plain", "kind", "number", "series", "groups", "guess", "max-errors"},
                       {"json", "minute"});
    std::string error;
    if (!options.ParseOne(args, "FILE",
                          "a file of key times, one \"down_ms up_ms\" pair a line (- for "
                          "standard input)",
                          error))
        return CliFail(kDecodeName, error);
    std::string text;
    int kind = 0;
    bool named = false;
    if (!ReadNamedText(kDecodeName, options, text, kind, named, error))
        return CliFail(kDecodeName, error);
    long long guess = 0, maxErrors = 0;
    if (!options.GetInt("guess", 1, 10000, 100, guess, error) ||
        !options.GetInt("max-errors", 0, 1000, kDefaultTransmissionMaxErrors, maxErrors, error))
        return CliFail(kDecodeName, error);
    if (!named && (options.Has("max-errors") || options.Has("minute")))
        return CliFail(kDecodeName, "--max-errors and --minute judge against a text: name it with --text, "
                                    "--plain or --kind K --number N");

    const std::string path = options.Positional().front();
    std::string bytes;
    const WholeFileRead read = path == "-" ? CliReadInput(kMaxKeyTimesFileBytes, bytes)
                                           : ReadWholeFile(path, kMaxKeyTimesFileBytes, bytes);
    if (read != WholeFileRead::Read)
        return CliFail(kDecodeName,
                       WholeFileProblem(read, path == "-" ? "standard input" : path, kMaxKeyTimesFileBytes));
    KeyTimes keys;
    if (!ParseKeyTimes(bytes, keys, error))
        return CliFail(kDecodeName, (path == "-" ? std::string("standard input") : path) + ": " + error);
    if (keys.empty())
        return CliFail(kDecodeName, path + " holds no key presses");

    JudgeRules rules;
    rules.maxErrors = static_cast<int>(maxErrors);
    if (options.Has("minute")) {
        rules.windowMs = kTransmissionTestMs;
        rules.prefix = true;
    }
    const TransmissionJudgement j =
        JudgeTransmission(keys, text, UnitMsOfSpeed(kind, static_cast<double>(guess)), rules);
    const KeyStatistics& s = j.stats;
    const std::string decoded = Cp1251ToUtf8(j.decoding.text), copy = Cp1251ToUtf8(j.copy);
    std::string out;
    if (options.Has("json")) {
        std::string worst = "[";
        for (size_t i = 0; i < s.worst.size(); ++i)
            worst += std::string(i ? ", " : "") +
                     "{\"sign\": " + JsonString(Cp1251ToUtf8(std::string(1, s.worst[i].sign))) +
                     ", \"index\": " + std::to_string(s.worst[i].index) +
                     ", \"deviation\": " + Fixed(s.worst[i].deviation, 4) + "}";
        worst += "]";
        out = "{\"text\": " + JsonString(decoded) + ", \"copy\": " + JsonString(copy) +
              ", \"corrections\": " + std::to_string(j.corrections) +
              ", \"characters\": " + std::to_string(j.characters) + ", \"cpm\": " + Fixed(j.cpm, 1) +
              ", \"unit_ms\": " + Fixed(s.unitMs, 3) +
              ", \"unit_cpm\": " + Fixed(SpeedOfUnitMs(kind, s.unitMs), 1) +
              ", \"elapsed_ms\": " + Fixed(s.elapsedMs, 3) + ", \"ratio\": " + Fixed(s.ratio, 4) +
              ", \"dots\": " + JsonFigure(s.dots) + ", \"dashes\": " + JsonFigure(s.dashes) +
              ", \"intra_gaps\": " + JsonFigure(s.intraGaps) + ", \"char_gaps\": " + JsonFigure(s.charGaps) +
              ", \"word_gaps\": " + JsonFigure(s.wordGaps) + ", \"quality\": " + Fixed(s.quality, 1) +
              ", \"worst\": " + worst + ", \"histogram\": {\"bin_units\": " + Fixed(kHistogramBinUnits, 2) +
              ", \"marks\": " + JsonInts(s.histogram.marks) + ", \"gaps\": " + JsonInts(s.histogram.gaps) +
              "}";
        if (named)
            out += ", \"mistakes\": " + (j.mistakes < 0 ? std::string("null") : std::to_string(j.mistakes)) +
                   ", \"max_errors\": " + std::to_string(rules.maxErrors) +
                   ", \"accepted\": " + (j.accepted ? "true" : "false");
        out += "}\n";
    } else {
        out = "text: " + decoded + "\n";
        if (j.corrections > 0)
            out += "corrected: " + copy + " (" + std::to_string(j.corrections) + " corrections)\n";
        out += "speed: " + Fixed(j.cpm, 1) + " cpm (" + std::to_string(j.characters) + " characters in " +
               Fixed(rules.windowMs > 0 && s.elapsedMs > rules.windowMs ? rules.windowMs : s.elapsedMs, 1) +
               " ms); unit " + Fixed(s.unitMs, 2) + " ms, as at " + Fixed(SpeedOfUnitMs(kind, s.unitMs), 1) +
               " cpm\n";
        out += "dash/dot ratio: " + Fixed(s.ratio, 2) + " (ideal 3)\n";
        out += PlainFigure("dots", s.dots, 1) + PlainFigure("dashes", s.dashes, 3) +
               PlainFigure("gaps inside characters", s.intraGaps, 1) +
               PlainFigure("gaps between characters", s.charGaps, 3) +
               PlainFigure("gaps between groups", s.wordGaps, 7);
        if (!s.worst.empty()) {
            out += "worst characters:";
            for (const WorstCharacter& w : s.worst)
                out += " " + Cp1251ToUtf8(std::string(1, w.sign)) + " (" + Fixed(w.deviation, 2) + ")";
            out += "\n";
        }
        out += "quality: " + Fixed(s.quality, 1) + " of 100\n";
        if (named) {
            if (j.mistakes < 0)
                out += "mistakes: the copy is too long to mark: not accepted\n";
            else
                out += "mistakes: " + std::to_string(j.mistakes) + ", at most " +
                       std::to_string(rules.maxErrors) + ": " + (j.accepted ? "accepted" : "not accepted") +
                       "\n";
        }
    }
    if (!CliPrint(stdout, out))
        return CliFail(kDecodeName, "cannot write to standard output");
    return 0;
}

const CliRegistrar timesRegistrar(
    {kTimesName,
     "(--text TEXT | --plain TEXT | --kind K --number N [--series S] [--groups G]) [--kind K] [--speed CPM] "
     "[--effective CPM] [--start MS] --out FILE|- [--force]",
     "write the exact key timings KLAVIRO renders for a text (--text in the sending format, --plain "
     "ordinary text) at a speed (default 100 cpm of the kind's characters) as a key times file",
     RunKeyTimes});

const CliRegistrar decodeRegistrar(
    {kDecodeName,
     "[--guess CPM] [--text TEXT | --plain TEXT | --kind K --number N [--series S] [--groups G]] [--kind K] "
     "[--max-errors E] [--minute] [--json] FILE|-",
     "decode a key times file (one \"down_ms up_ms\" pair a line) and measure the timing: speed, dash/dot "
     "ratio, gaps, worst characters, quality; with a text, judge it (corrections by a run of dots, "
     "mistakes, accepted up to --max-errors, default 3; --minute: the one-minute test from the first key "
     "down, against the text's beginning)",
     RunKeyDecode});

} // namespace
