// Text in the results file and the results sheet is UTF-8, so that any
// participant's name survives; the program's own texts and what is typed on
// its pages are in the system's code page. These are the conversions.
#pragma once

#include <string>

// Unicode code points of UTF-8 bytes; false when the bytes are not UTF-8
// (the output then holds what was decoded before the fault).
bool DecodeUtf8(const std::string& bytes, std::u32string& out);
std::string EncodeUtf8(const std::u32string& text);
std::string EncodeUtf8(char32_t c);

// Code page 1251 (the built-in texts) to UTF-8.
std::string Cp1251ToUtf8(const std::string& bytes);

// Text in the system's code page to UTF-8, and back (characters the code
// page lacks become '?'). On POSIX systems the system text is UTF-8 already;
// bytes that are not UTF-8 are taken as code page 1251.
std::string SystemTextToUtf8(const std::string& bytes);
std::string Utf8ToSystemText(const std::string& utf8);

// Bytes of unknown origin (a copy loaded from a file, a results file saved
// by a spreadsheet): text with a byte order mark in its encoding (UTF-8,
// UTF-16 LE or BE, as Notepad saves "Unicode"), otherwise UTF-8 when they are
// UTF-8, otherwise system text.
std::string AnyTextToUtf8(const std::string& bytes);

// The same, but line by line unless the text is UTF-16: one line an editor
// saved in the system's code page among UTF-8 lines changes only that line,
// and a UTF-8 line always comes back as it was.
std::string AnyLinesToUtf8(const std::string& bytes);

// UTF-8 of text that starts with a UTF-16 byte order mark (LE or BE, the
// mark dropped); false, leaving `utf8` alone, for any other bytes.
bool Utf16TextToUtf8(const std::string& bytes, std::string& utf8);

// Code page 1251 bytes of UTF-8 text (what the Morse table reads); characters
// the code page lacks become '?'.
std::string Utf8ToCp1251(const std::string& utf8);
// Bytes of a text file as code page 1251: decoded by its byte order mark, or
// as UTF-8 when they are UTF-8 beyond ASCII; any other bytes are taken as
// code page 1251 already.
std::string AnyTextToCp1251(const std::string& bytes);

// The code page of the program's own texts and of what its pages show and
// read back as bytes: that of the language chosen (Russian 1251), set when
// the language's texts are loaded. 0, the start value, is the system's ANSI
// code page. The "system text" conversions above use it on Windows, so that
// a Russian text is read as Russian on a Windows of any other language.
void SetTextCodePage(unsigned codePage);
unsigned TextCodePage();
