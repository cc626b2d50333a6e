// klaviro-cli: the texts, control-text files and sound of KLAVIRO without
// the window.
#include "cli/Command.h"
#include "cli/Console.h"

#include "app/Platform.h"
#include "sound/MorseTable.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
std::vector<CliCommand>& Registry() {
    static std::vector<CliCommand> commands;
    return commands;
}

void PrintHelp() {
    std::string help = "Usage: klaviro-cli <command> [options]\n"
                       "       klaviro-cli --help | --version\n\n"
                       "Commands:\n";
    for (const auto& c : CliCommands()) {
        std::string name = c.name;
        name.resize(6, ' ');
        help += "  " + name + " " + c.summary + "\n         " + c.name + " " + c.usage + "\n";
        for (const char* line = c.notes; *line;) {
            const char* end = std::strchr(line, '\n');
            const size_t length = end ? static_cast<size_t>(end - line) : std::strlen(line);
            help += "         " + std::string(line, length) + "\n";
            line += length + (end ? 1 : 0);
        }
    }
    CliPrint(stdout, help);
}

int Run(const std::vector<std::string>& argv) {
    InitMorseTable();
    if (argv.empty() || argv[0] == "--help" || argv[0] == "-h") {
        PrintHelp();
        return argv.empty() ? 2 : 0;
    }
    if (argv[0] == "--version") {
        CliPrint(stdout, std::string("klaviro-cli ") + KLAVIRO_VERSION + "\n");
        return 0;
    }
    for (const auto& c : CliCommands()) {
        if (argv[0] != c.name)
            continue;
        const std::vector<std::string> args(argv.begin() + 1, argv.end());
        for (const std::string& a : args)
            if (a == "--help" || a == "-h") {
                CliPrint(stdout, std::string("Usage: klaviro-cli ") + c.name + " " + c.usage + "\n" +
                                     c.summary + "\n" + c.notes);
                return 0;
            }
        return c.run(args);
    }
    CliPrint(stderr, "klaviro-cli: unknown command or option \"" + argv[0] + "\" (see --help)\n");
    return 2;
}
} // namespace

CliRegistrar::CliRegistrar(const CliCommand& command) {
    Registry().push_back(command);
}

const std::vector<CliCommand>& CliCommands() {
    return Registry();
}

CliOptions::CliOptions(std::set<std::string> valued, std::set<std::string> flags)
    : valued_(std::move(valued)), flags_(std::move(flags)) {}

bool CliOptions::Parse(const std::vector<std::string>& args, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            const std::string name = a.substr(2);
            if (flags_.count(name)) {
                seenFlags_.insert(name);
            } else if (valued_.count(name)) {
                if (i + 1 >= args.size()) {
                    error = "option " + a + " needs a value";
                    return false;
                }
                values_[name] = args[++i];
            } else {
                error = "unknown option " + a;
                return false;
            }
        } else {
            positional_.push_back(a);
        }
    }
    return true;
}

bool CliOptions::ParseOne(const std::vector<std::string>& args, const std::string& what,
                          const std::string& hint, std::string& error) {
    if (!Parse(args, error))
        return false;
    if (positional_.size() == 1)
        return true;
    error = positional_.empty() ? "no " + what + " given" + hint
                                : "one " + what + " expected, got " + std::to_string(positional_.size());
    return false;
}

bool CliOptions::CheckReportForm(std::string& error) const {
    if (Has("json") && Has("html"))
        error = "--json and --html do not go together";
    else if (Has("force") && !Has("html"))
        error = "--force goes with --html OUT";
    else
        return true;
    return false;
}

bool CliOptions::Has(const std::string& name) const {
    return values_.count(name) || seenFlags_.count(name);
}

std::string CliOptions::Get(const std::string& name, const std::string& fallback) const {
    auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

bool CliOptions::GetInt(const std::string& name, long long low, long long high, long long fallback,
                        long long& out, std::string& error) const {
    auto it = values_.find(name);
    if (it == values_.end()) {
        out = fallback;
        return true;
    }
    const char* s = it->second.c_str();
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s, &end, 10);
    if (end == s || *end != '\0' || errno == ERANGE) {
        error = "--" + name + " must be a whole number, not \"" + it->second + "\"";
        return false;
    }
    if (v < low || v > high) {
        error = "--" + name + " must be between " + std::to_string(low) + " and " + std::to_string(high) +
                ", not " + it->second;
        return false;
    }
    out = v;
    return true;
}

int CliFail(const char* command, const std::string& message) {
    CliPrint(stderr, std::string("klaviro-cli ") + command + ": " + message + "\n");
    return 2;
}

#ifdef _WIN32
// The entry point that receives the command line as UTF-16; every file name
// is then UTF-8 down to the wide calls that open it.
int wmain(int argc, wchar_t** argv) {
    SetUtf8FileNames(true);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf8OfWide(argv[i]));
    return Run(args);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
