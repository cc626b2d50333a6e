// Commands of klaviro-cli. Each command file registers itself with a static
// CliRegistrar, so main() needs no list of them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct CliCommand {
    const char* name;
    const char* usage;   // one line: the command's options
    const char* summary; // one line: what it does
    int (*run)(const std::vector<std::string>& args);
    const char* notes = ""; // further lines of the command's --help
};

struct CliRegistrar {
    explicit CliRegistrar(const CliCommand& command);
};

const std::vector<CliCommand>& CliCommands();

// "--name value" options, "--flag" switches and positional arguments, with a
// clear error for anything not declared.
class CliOptions {
public:
    CliOptions(std::set<std::string> valued, std::set<std::string> flags);
    // False (with `error` set) on an unknown option or a missing value.
    bool Parse(const std::vector<std::string>& args, std::string& error);
    // Parse, then exactly one positional argument, a `what` ("FILE"); the
    // error for none adds `hint`.
    bool ParseOne(const std::vector<std::string>& args, const std::string& what, const std::string& hint,
                  std::string& error);
    // The form of a report: --json or --html OUT, --force only with --html.
    bool CheckReportForm(std::string& error) const;
    bool Has(const std::string& name) const;
    std::string Get(const std::string& name, const std::string& fallback) const;
    // Reads a whole decimal integer in [low, high]; false with `error` set.
    bool GetInt(const std::string& name, long long low, long long high, long long fallback, long long& out,
                std::string& error) const;
    const std::vector<std::string>& Positional() const { return positional_; }

private:
    std::set<std::string> valued_, flags_;
    std::map<std::string, std::string> values_;
    std::set<std::string> seenFlags_;
    std::vector<std::string> positional_;
};

// Prints "klaviro-cli <command>: <message>" to stderr and returns 2.
int CliFail(const char* command, const std::string& message);
