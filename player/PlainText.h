// Ordinary text (a book chapter, a list of calls) turned into the sending
// format: every character followed by one blank, three blanks after every
// word, so that it sounds like the generated texts and "AR" can follow it.
#pragma once

#include <string>
#include <vector>

struct SendingText {
    std::string text; // code page 1251 bytes in the sending format
    // Characters that have no Morse code and were left out: each distinct
    // one once, in the order first met, as the operator can read it ('!',
    // U+2014, 0x98), and how many were left out in all.
    std::vector<std::string> leftOut;
    size_t leftOutCount = 0;
};

// Words are separated by any white space. Lower-case letters are sent as
// capitals. Input that starts with a UTF-16 byte order mark is read as
// UTF-16; input that is valid UTF-8 with characters beyond ASCII (or that
// starts with its byte order mark) is read as UTF-8, Cyrillic letters becoming
// their code page 1251 bytes; any other input is read as code page 1251.
SendingText PlainToSending(const std::string& plain);

// "'!' (2), U+2014": the left-out characters for a note to the operator.
std::string LeftOutList(const SendingText& converted);

// Splits a text in the sending format into pieces of at most `capacity`
// characters (one screen of the text box), cutting only after a word's
// blanks; a word longer than a screen is cut where the screen is full.
std::vector<std::string> SplitIntoScreens(const std::string& sending, size_t capacity);
