// Operations every page uses on its controls, the common drawing handler
// that gives all pages one look, and the one replaceable message box.
#pragma once

#include "app/ColorMath.h" // ScaleColor

#include <windows.h>

#include <cstddef>
#include <string>

// Shows value clamped into [minimum, maximum] as an unsigned decimal number.
void ShowClampedInt(HWND dialog, int control, int minimum, int maximum, int value);
// Reads an unsigned number; outside [minimum, maximum] (or not a number read
// as 0 outside it) gives the clamped default. Writes the result back.
int ReadBoundedInt(HWND dialog, int control, int minimum, int maximum, int defaultValue);

// A page's number field by its rules: read as the field accepts it (the
// default for anything else), written limited to its range.
struct NumberField;
int ReadField(HWND page, int control, const NumberField& field);
void WriteField(HWND page, int control, const NumberField& field, long long value);
// The arrows of an up-down beside a number field write the field themselves
// (the up-down's own position is unused). On UDN_DELTAPOS from one of
// `spins`: the field stepped by the arrow and its control returned (the page
// then answers TRUE in DWLP_MSGRESULT, so the up-down does not move); 0 for
// any other up-down.
struct SpinField {
    int spin, field;
    const NumberField* range;
};
int StepSpinField(HWND page, LPARAM deltaPos, const SpinField* spins, size_t count);
template <size_t N> int StepSpinField(HWND page, LPARAM deltaPos, const SpinField (&spins)[N]) {
    return StepSpinField(page, deltaPos, spins, N);
}
int ComboGetSelection(HWND dialog, int control);
void ComboSetSelection(HWND dialog, int control, int index);
void ComboClear(HWND dialog, int control);
// UDM_SETRANGE32 on an up-down control.
void SetSpinRange(HWND dialog, int control, int minimum, int maximum);
void EnableControl(HWND dialog, int control, BOOL flag);
// Gives the control the focus; returns the window that had it.
HWND FocusControl(HWND dialog, int control);
// Sends WM_COMMAND(control, 0) to the dialog when the control is enabled.
bool ClickControl(HWND dialog, int control);
// Sends WM_COMMAND(its id, 0) to the window's parent when it is enabled.
bool ClickWindow(HWND control);
// Invalidates (with erase) every direct child, top of the z-order first.
void InvalidateChildren(HWND window);
// Moves a control after the client area changed from oldSize to newSize.
void AnchorControl(HWND dialog, int control, SIZE oldSize, SIZE newSize, bool left, bool top, bool right,
                   bool bottom, BOOL repaint);
// A new bitmap of the colour with a one-pixel black frame; caller owns it.
HBITMAP MakeColorSwatch(HWND window, COLORREF colour, int width, int height);
// Draws text, then slashes over every digit zero. `text` may be changed.
int DrawTextSlashedZero(HDC dc, char* text, int length, RECT* rect, UINT format);
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width);
void DrawCentredText(HDC dc, const char* text, int length, const RECT* rect, int dx, int dy, COLORREF colour);
void ShowWarning(HWND window, const std::string& text);
bool AskYesNo(HWND window, const std::string& text);

// WM_DRAWITEM and WM_CTLCOLOREDIT..WM_CTLCOLORSTATIC of every page and of the
// main window; 0 for anything it does not handle.
INT_PTR CommonDrawHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every message box of the program goes through ShowMessageBox, so tests can
// answer them without blocking. Null restores the program's own box
// (ShowMessageWindow).
using MessageBoxHook = int (*)(HWND owner, const char* text, const char* caption, UINT type);
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
