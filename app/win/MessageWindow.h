// The program's own message box. The system's box makes its text exactly as
// wide as the characters' advances, and where a letter's ink reaches past
// its advance (as it does under Wine) the last letter of the longest line is
// cut off. This box measures and draws its text with the same font, call
// and width, and keeps a margin around it, at any display scale.
#pragma once

#include <windows.h>

class AppConfig;

// Takes the caption and button texts of the program's language (until then
// the built-in ones).
void LoadMessageWindowTexts(AppConfig& app);

// MessageBoxA's contract for what the program shows (the texts in the
// language's code page, shown through the wide calls): MB_OK, MB_OKCANCEL,
// MB_YESNO or MB_YESNOCANCEL, with or without a warning, error, information
// or question icon; a null caption is the texts' caption. Enter answers
// with the first button, Esc with the last (No or Cancel). Returns IDOK,
// IDYES, IDNO or IDCANCEL; where the box cannot be made, the system's box is
// shown instead.
int ShowMessageWindow(HWND owner, const char* text, const char* caption, UINT type);
