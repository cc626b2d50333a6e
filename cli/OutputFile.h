// Where a command puts a file it makes. "-" is standard output; a new name or
// an existing regular file (with --force) gets a temporary file beside it that
// replaces it only when complete; an existing pipe or character device (with
// --force) is written into as it stands. Nothing else is touched: what --out
// names is never truncated, replaced or removed unless it is a regular file
// and every byte of the new one was written.
#pragma once

#include "app/Platform.h"
#include "cli/Command.h"

#include <cstdio>
#include <memory>
#include <string>

class CliOutput {
public:
    CliOutput() = default;
    ~CliOutput();
    CliOutput(const CliOutput&) = delete;
    CliOutput& operator=(const CliOutput&) = delete;

    // Checks `out` and opens it; false with `error` set, nothing changed.
    bool Open(const std::string& out, bool force, std::string& error);
    bool Write(const void* data, size_t size);
    // Completes the output; false with `error` set when any write failed.
    bool Close(std::string& error);
    // True when the output is standard output, so that reports go elsewhere.
    bool IsStandardOutput() const { return toStdout_; }

private:
    std::string name_;
    std::unique_ptr<ReplacingFile> file_;
    std::FILE* stream_ = nullptr; // standard output, a pipe or a device
    bool ok_ = true;
    bool toStdout_ = false;
};

// Writes a report's page where --html names it (replacing a file only with
// --force); false with `error` set.
bool WriteHtmlReport(const CliOptions& options, const std::string& page, std::string& error);
