#include "cli/OutputFile.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace fs = std::filesystem;

CliOutput::~CliOutput() {
    if (stream_ && stream_ != stdout)
        std::fclose(stream_);
}

bool CliOutput::Open(const std::string& out, bool force, std::string& error) {
    name_ = out;
    if (out.empty()) {
        error = "no output file named";
        return false;
    }
    if (out == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY); // no CR before a 0x0A sample
#endif
        stream_ = stdout;
        toStdout_ = true;
        return true;
    }
    std::error_code ec;
    const fs::path path = FileSystemPath(out);
    const fs::file_type own = fs::symlink_status(path, ec).type();
    if (own == fs::file_type::none) {
        error = "cannot check \"" + out + "\": " + ec.message();
        return false;
    }
    std::string target = out;
    if (own != fs::file_type::not_found) {
        if (!force) {
            error = "\"" + out + "\" exists; use --force to overwrite it";
            return false;
        }
        // A link is followed: the file it names is the one to replace, and
        // the link itself (/dev/stdout, say) is never replaced by a file.
        const fs::file_type type = fs::status(path, ec).type();
        if (type == fs::file_type::fifo || type == fs::file_type::character) {
            stream_ = OpenFile(out, "ab"); // appending never truncates
            if (!stream_) {
                error = "cannot open \"" + out + "\"";
                return false;
            }
            return true;
        }
        if (type != fs::file_type::regular) {
            error = "\"" + out + "\" is not a regular file; nothing was written";
            return false;
        }
        if (own == fs::file_type::symlink) {
            target = FileNameOf(fs::canonical(path, ec));
            if (ec) {
                error = "cannot follow \"" + out + "\": " + ec.message();
                return false;
            }
        }
    }
    file_ = std::make_unique<ReplacingFile>(target);
    if (!file_->Good()) {
        error = file_->Failure() == ReplaceFailure::ReadOnly
                    ? "\"" + out + "\" is read-only; nothing was written"
                    : "cannot create \"" + out + "\"";
        file_.reset();
        return false;
    }
    return true;
}

bool CliOutput::Write(const void* data, size_t size) {
    if (!ok_)
        return false;
    if (file_)
        ok_ = file_->Write(data, size);
    else if (stream_)
        ok_ = std::fwrite(data, 1, size, stream_) == size;
    else
        ok_ = false;
    return ok_;
}

bool CliOutput::Close(std::string& error) {
    bool ok = ok_;
    if (file_) {
        ok = ok && file_->Commit();
        file_.reset(); // an uncommitted temporary goes with it
    } else if (stream_) {
        ok = std::fflush(stream_) == 0 && ok;
        if (stream_ != stdout)
            ok = std::fclose(stream_) == 0 && ok;
        stream_ = nullptr;
    }
    ok_ = false;
    if (!ok)
        error = "cannot write \"" + name_ + "\"";
    return ok;
}

bool WriteHtmlReport(const CliOptions& options, const std::string& page, std::string& error) {
    CliOutput output;
    if (!output.Open(options.Get("html", ""), options.Has("force"), error))
        return false;
    output.Write(page.data(), page.size()); // a failure shows at Close
    return output.Close(error);
}
