// klaviro-cli speaks UTF-8 inside: its arguments arrive as UTF-8 and what it
// prints is UTF-8. On Windows the arguments are read as UTF-16 (the ANSI
// code page would turn "Łukasz" into "Lukasz"), and a console is given
// UTF-16 too, since its own code page is an OEM one; a pipe or a file gets
// the UTF-8 bytes.
#pragma once

#include "app/WholeFile.h"

#include <cstdio>
#include <string>

// Writes `text` to standard output or standard error; false on failure.
bool CliPrint(std::FILE* stream, const std::string& text);

// All of standard input; text typed at a console arrives as UTF-8 (up to a
// line starting with Ctrl+Z), anything else as its bytes; never more than
// `limit` bytes are kept.
WholeFileRead CliReadInput(size_t limit, std::string& bytes);

// An argument as the text it names: UTF-8 as it is, any other bytes (a
// POSIX shell in code page 1251) taken as code page 1251.
std::string ArgumentText(const std::string& argument);

#ifdef _WIN32
std::string Utf8OfWide(const wchar_t* wide);
#endif
