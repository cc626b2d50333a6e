// klaviro-cli: the texts, control-text files and sound of KLAVIRO without
// the window.
#include "cli/Command.h"

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
    std::printf("Usage: klaviro-cli <command> [options]\n"
                "       klaviro-cli --help | --version\n\n"
                "Commands:\n");
    for (const auto& c : CliCommands())
        std::printf("  %-6s %s\n         %s %s\n", c.name, c.summary, c.name, c.usage);
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
    std::fprintf(stderr, "klaviro-cli %s: %s\n", command, message.c_str());
    return 2;
}

int main(int argc, char** argv) {
    InitMorseTable();
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        PrintHelp();
        return argc < 2 ? 2 : 0;
    }
    if (!std::strcmp(argv[1], "--version")) {
        std::printf("klaviro-cli %s\n", KLAVIRO_VERSION);
        return 0;
    }
    for (const auto& c : CliCommands()) {
        if (std::strcmp(argv[1], c.name))
            continue;
        const std::vector<std::string> args(argv + 2, argv + argc);
        for (const std::string& a : args)
            if (a == "--help" || a == "-h") {
                std::printf("Usage: klaviro-cli %s %s\n%s\n", c.name, c.usage, c.summary);
                return 0;
            }
        return c.run(args);
    }
    std::fprintf(stderr, "klaviro-cli: unknown command or option \"%s\" (see --help)\n", argv[1]);
    return 2;
}
