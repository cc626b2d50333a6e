// Reading a control-text file back: its blocks of number and text, for
// marking, for the player and for klaviro-cli alike; the text a copy at a
// given speed is marked against, and the discipline its default name tells.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct ControlBlock {
    int number; // the header line: a run's speed or a text's number; -1 when the line is empty
    std::string text;
};

// The largest control-text file read: far above a day of competition runs.
constexpr size_t kMaxControlFileBytes = 16u << 20;

// Splits a control-text file (decoded already; UTF-8 or code page 1251)
// into its blocks: a header line, an empty line, the text in lines of any
// width, an empty line. Written so by the program, but read as a hand-edited
// file may be: lines end in CR LF or LF, the last one perhaps in nothing;
// blanks and tabs around a header's number and on empty lines do not count;
// the empty line under a header or between blocks may be missing or doubled
// (a line of nothing but a number always starts a block). A block without a
// number stands after two empty lines at least (its empty header line and
// the empty line under it).
//
// The lines of a text are joined as they are; where an editor took the
// trailing blanks of a line, so that two lines would run together, they are
// kept apart by a word gap (lines normally end after a whole group), and a
// text that does not end in a blank gets one word gap, so that what follows
// it when sent cannot run into it.
//
// False with `error` set (naming the line) when a line stands where no text
// can, so that a copy or a book chosen by mistake is not taken for control
// texts.
bool ReadControlBlocks(const std::string& content, std::vector<ControlBlock>& blocks, std::string& error);

enum class ControlLoad { Loaded, CannotRead, TooLarge, NotControlTexts };
// Reads the control-text file `path` for marking: any byte order mark or
// encoding, the texts in UTF-8. Anything but Loaded comes with `error`.
ControlLoad LoadControlBlocks(const std::string& path, std::vector<ControlBlock>& blocks, std::string& error);

// The block of `speed`; the last one when a run restarted after Stop wrote the
// speed twice. Null when there is none.
const ControlBlock* BlockForSpeed(const std::vector<ControlBlock>& blocks, int speed);

// The speeds the file holds a text for, each once, lowest first.
std::vector<int> BlockSpeeds(const std::vector<ControlBlock>& blocks);

// The discipline (a TextKind) of a file by the names a run writes: a name
// beginning with "Letters", "Digits" or "Mixed" (any case); -1 otherwise.
int DisciplineOfFileName(const std::string& path);
