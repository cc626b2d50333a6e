// Reading a control-text file back for marking: its blocks of number and
// text, the text a copy at a given speed is marked against, and the
// discipline its default name tells.
#pragma once

#include <string>
#include <vector>

struct ControlBlock {
    int number; // the header line: a run's speed; -1 when the line is empty
    std::string text;
};

// Splits the bytes of a control-text file (CR LF or LF line ends) into its
// blocks. False with `error` set (naming the line) when a header line is not
// a number, so that a copy chosen by mistake is not taken for control texts.
bool ReadControlBlocks(const std::string& bytes, std::vector<ControlBlock>& blocks, std::string& error);

// The block of `speed`; the last one when a run restarted after Stop wrote the
// speed twice. Null when there is none.
const ControlBlock* BlockForSpeed(const std::vector<ControlBlock>& blocks, int speed);

// The speeds the file holds a text for, each once, lowest first.
std::vector<int> BlockSpeeds(const std::vector<ControlBlock>& blocks);

// The discipline (a TextKind) of a file by the names a run writes: a name
// beginning with "Letters", "Digits" or "Mixed" (any case); -1 otherwise.
int DisciplineOfFileName(const std::string& path);
