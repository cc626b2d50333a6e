#include "app/WholeFile.h"

#include "app/Platform.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The size of a regular file, -1 for anything else (a device, a pipe) or
// when it cannot be told.
long long RegularFileSize(std::FILE* f) {
#ifdef _WIN32
    struct _stat64 st;
    if (_fstat64(_fileno(f), &st) != 0)
        return -1;
#else
    struct stat st;
    if (fstat(fileno(f), &st) != 0)
        return -1;
#endif
    return (st.st_mode & S_IFMT) == S_IFREG ? static_cast<long long>(st.st_size) : -1;
}

} // namespace

WholeFileRead ReadWholeStream(std::FILE* stream, size_t limit, std::string& bytes) {
    bytes.clear();
#ifdef _WIN32
    // The bytes as they are: text mode would end a UTF-16 copy at its first
    // 0x1A byte and drop carriage returns.
    _setmode(_fileno(stream), _O_BINARY);
#endif
    char buffer[65536];
    // One byte past the limit tells "too large" from "exactly the limit".
    const size_t most = limit + 1;
    while (bytes.size() < most) {
        const size_t want = std::min(sizeof buffer, most - bytes.size());
        const size_t got = std::fread(buffer, 1, want, stream);
        bytes.append(buffer, got);
        if (got < want)
            break;
    }
    if (std::ferror(stream)) {
        bytes.clear();
        return WholeFileRead::CannotRead;
    }
    if (bytes.size() > limit) {
        bytes.clear();
        return WholeFileRead::TooLarge;
    }
    return WholeFileRead::Read;
}

WholeFileRead ReadWholeFile(const std::string& path, size_t limit, std::string& bytes) {
    bytes.clear();
    errno = 0;
    std::FILE* f = path.empty() ? nullptr : OpenFile(path, "rb");
    if (!f)
        return errno == ENOENT ? WholeFileRead::Missing : WholeFileRead::CannotRead;
    const long long size = RegularFileSize(f);
    WholeFileRead result;
    if (size > static_cast<long long>(limit)) {
        result = WholeFileRead::TooLarge;
    } else {
        if (size > 0)
            bytes.reserve(static_cast<size_t>(size));
        result = ReadWholeStream(f, limit, bytes);
    }
    std::fclose(f);
    return result;
}

std::string SizeText(size_t bytes) {
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
        return std::to_string(bytes >> 20) + " MB";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + " bytes";
}

std::string WholeFileProblem(WholeFileRead result, const std::string& path, size_t limit) {
    switch (result) {
    case WholeFileRead::Read:
        return "";
    case WholeFileRead::Missing:
        return "cannot read " + path + ": no such file";
    case WholeFileRead::CannotRead:
        return "cannot read " + path;
    case WholeFileRead::TooLarge:
        return path + " is larger than " + SizeText(limit);
    }
    return "";
}
