// Control-text files: the texts a competition run sent or the text generator
// page saved, for marking the participants' copies. Lines end in CR LF on
// every build, so a file written by klaviro-cli on Linux is the same file the
// program writes on Windows.
//
// One block per text: a header line with the number (nothing on it when the
// number is negative), an empty line, the text in lines of `width`
// characters (the last may be shorter), an empty line.
#pragma once

#include <string>

// Width used when the configured one is below 1.
constexpr int kDefaultLineWidth = 60;
// Wider lines are cut at this width, the widest a text box shows.
constexpr int kMaxLineWidth = 500;

// The bytes of one block.
std::string ControlTextBlock(const std::string& text, int width, int number);

// The current directory, a backslash unless it already ends with one, and
// `name`; just "\" and `name` when the directory cannot be read.
std::string CurrentDirPath(const std::string& name);
// The same rule with a given directory.
std::string DirPath(const std::string& dir, const std::string& name);

// True when `path` is not empty and opens for reading.
bool FileExists(const std::string& path);

// Appends one block to `path` (creating it), or with `overwrite` makes the
// block the whole file: written completely beside it first and only then put
// in its place, so that a failed write keeps the old content. False when the
// file cannot be opened or a write fails; the file is closed in both cases.
bool WriteTextFile(const std::string& path, const std::string& text, int width, int number, bool overwrite);
