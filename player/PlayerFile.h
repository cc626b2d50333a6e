// What the player plays: a control-text file read back into its texts and
// recorded speeds, or any other text file turned into the sending format in
// pieces of one screen; and each text's sent string as the pages send it.
#pragma once

#include "texts/CompetitionRun.h" // SentText
#include "player/PlainText.h"

#include <cstddef>
#include <string>
#include <vector>

struct PlayerText {
    std::string header; // the header line ("" when it holds no number)
    std::string text;   // in the sending format, ending in blanks
};

// The blocks of a control-text file: a header line (a number or nothing), an
// empty line, the text in lines of any width, an empty line (the last one
// may be missing). Lines may end in CR LF or LF. False when `content` is not
// laid out so; blocks with an empty text are skipped.
//
// Lines are joined as they are. Where an editor took the trailing blanks of a
// line, so that two lines would run together, they are kept apart by a word
// gap (lines normally end after a whole group), and a text that no longer
// ends in a blank gets one word gap, so that AR cannot run into it.
bool ReadControlTexts(const std::string& content, std::vector<PlayerText>& texts);

// True when every header is a speed a competition run writes (10 to 1010 in
// steps of 10); a text generator file has text numbers there instead.
bool HeadersAreSpeeds(const std::vector<PlayerText>& texts);
// The speed of a header, 0 when it is not one.
int HeaderSpeed(const PlayerText& text);

// Kind from the default file names "Letters.txt", "Digits.txt" and
// "Mixed.txt" (any case, any folder); -1 for any other name.
int KindOfFileName(const std::string& path);
// Kind that the characters of the texts need: letters, figures or mixed.
int KindOfTexts(const std::vector<PlayerText>& texts);

struct PlayerFile {
    bool control = false; // a control-text file; otherwise ordinary text
    std::vector<PlayerText> texts;
    bool speedsRecorded = false;
    int kind = 0;          // from the name, else from the characters
    SendingText converted; // ordinary text: what was left out (text cleared)
};

// Upper bound for a file the player reads whole.
constexpr size_t kMaxPlayerFileBytes = 16u << 20;

enum class PlayerLoad { Loaded, CannotRead, TooLarge, NothingToSend };

// Reads `path`: a control-text file as it is, any other file (or any file at
// all with `ordinaryText`) through PlainToSending in pieces of `screenChars`
// characters. Anything but Loaded comes with a message naming the problem in
// `error`.
PlayerLoad LoadPlayerFile(const std::string& path, size_t screenChars, PlayerFile& file, std::string& error,
                          bool ordinaryText = false);

// Sent string of text `index`: a control text as the competition run page
// sends it (the run preamble for kind and speed, the text, AR), a piece of
// ordinary text as the training page does (V V V =, the text, AR).
SentText PlayerSentText(const PlayerFile& file, size_t index, int kind, int speed);
