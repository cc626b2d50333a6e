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
// by a spreadsheet): UTF-8 when they are UTF-8 (a leading byte order mark
// dropped), otherwise system text.
std::string AnyTextToUtf8(const std::string& bytes);
