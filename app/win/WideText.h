// What the pages show goes through the wide (UTF-16) calls, converted from
// the code page of the language's texts (TextCodePage), so that a Russian
// text reads as Russian on a Windows set to any other language; names and
// copies typed on a page come back as UTF-8 without passing through a code
// page, so that a Polish name survives a Russian page.
#pragma once

#include <windows.h>

#include <string>

class AppConfig;

std::wstring ToWide(const std::string& bytes, unsigned codePage);
// Characters the code page lacks become '?'.
std::string FromWide(const std::wstring& wide, unsigned codePage);
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
// The language's texts (bytes in TextCodePage) as UTF-16, and back.
std::wstring TextToWide(const std::string& text);
std::string WideToText(const std::wstring& wide);
// A text of the language that may hold lines of UTF-8 (a file's path, kept
// in UTF-8, on a line of its own), line by line as what each line is.
std::wstring MixedTextToWide(const std::string& text);

// Makes the current language's code page that of every text shown.
void ApplyLanguageCodePage(AppConfig& app);

// A language text as a window's text (caption, control text, title).
void SetLanguageText(HWND window, const std::string& text);
void SetItemLanguageText(HWND page, int control, const std::string& text);
// UTF-8 text (a name, a copy, a path) as a window's text.
void SetUtf8Text(HWND window, const std::string& utf8);
void SetItemUtf8Text(HWND page, int control, const std::string& utf8);
// A language text as a new entry of a combo box or a list box; the index.
LRESULT AddComboText(HWND combo, const std::string& text);
LRESULT AddListText(HWND list, const std::string& text);

// A window's whole text, however long.
std::wstring ReadWindowWide(HWND window);
std::string ReadWindowUtf8(HWND window);
std::string ReadItemUtf8(HWND page, int control);
// In the language's code page (what a page compares with its own texts).
std::string ReadItemText(HWND page, int control);

// A file name (in the code page of file names, UTF-8 in the program) as a
// field's text, and a field's text as a file name ("" when it has no form
// there).
void SetItemFileName(HWND page, int control, const std::string& name);
std::string ReadItemFileName(HWND page, int control);
