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
    std::string header; // the header's number ("" when the line holds none)
    std::string text;   // in the sending format, ending in blanks
};

// The texts of a control-text file in the sending format (ReadControlBlocks);
// blocks with an empty text are skipped. False with the reason in `why` when
// `content` is no control-text file or holds no block at all.
bool ReadControlTexts(const std::string& content, std::vector<PlayerText>& texts, std::string& why);

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
    bool control = false;   // a control-text file; otherwise ordinary text
    std::string notControl; // why it was not read as control texts
    std::vector<PlayerText> texts;
    bool speedsRecorded = false;
    int kind = 0;          // from the name, else from the characters
    SendingText converted; // ordinary text: what was left out (text cleared)
};

// Upper bound for a file the player reads whole.
constexpr size_t kMaxPlayerFileBytes = 16u << 20;

enum class PlayerLoad { Loaded, CannotRead, TooLarge, NothingToSend };

// Reads `path`: a control-text file (ReadControlBlocks) in code page 1251 as
// the Morse table reads it, any other file (or any file at all with
// `ordinaryText`) through PlainToSending in pieces of `screenChars`
// characters. Anything but Loaded comes with a message naming the problem in
// `error`.
PlayerLoad LoadPlayerFile(const std::string& path, size_t screenChars, PlayerFile& file, std::string& error,
                          bool ordinaryText = false);

// Sent string of text `index`: a control text as the competition run page
// sends it (the run preamble for kind and speed, the text, AR), a piece of
// ordinary text as the training page does (V V V =, the text, AR).
SentText PlayerSentText(const PlayerFile& file, size_t index, int kind, int speed);
