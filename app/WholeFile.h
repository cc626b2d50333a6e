// Reading a file whole, never past a limit: a file far larger than anything
// the program writes, a device that never ends (/dev/zero) or a pipe that
// keeps sending is refused after at most `limit` + 1 bytes, instead of
// taking all memory.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

enum class WholeFileRead {
    Read,
    Missing,    // no such file
    CannotRead, // exists but cannot be opened or read
    TooLarge,   // more than the limit
};

// The whole content of `path` in `bytes`. A regular file is measured before
// anything is read; anything else is read up to one byte past the limit.
WholeFileRead ReadWholeFile(const std::string& path, size_t limit, std::string& bytes);
// The same for an open stream (standard input), read to its end in binary.
WholeFileRead ReadWholeStream(std::FILE* stream, size_t limit, std::string& bytes);

// "cannot read PATH: no such file", "PATH is larger than 1 MB": what went
// wrong, for a message. Empty for Read.
std::string WholeFileProblem(WholeFileRead result, const std::string& path, size_t limit);
// A limit in the unit an operator reads: "1 MB", "512 KB", "100 bytes".
std::string SizeText(size_t bytes);
