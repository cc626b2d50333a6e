// What the control window classes share: a window procedure around the
// control's own message handler, and one class shape (redrawn on resize,
// double clicks, one pointer of extra bytes for the control's record).
#pragma once

#include <windows.h>

// Answers one message: true with `result` set when handled.
using ControlMessageHandler = bool (*)(HWND, UINT, WPARAM, LPARAM, LRESULT& result);

// A message the handler does not take, or drops with an exception (out of
// memory while changing the text or reading a picture: the control keeps
// what it had), gets the default processing.
template <ControlMessageHandler Handle>
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        LRESULT result;
        if (Handle(window, message, wParam, lParam, result))
            return result;
    } catch (...) {
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The paint messages of a control that paints its whole client area off
// screen: no background erase (it would flicker), WM_PAINT over the update
// rectangle and WM_PRINTCLIENT over the client area. `paint(dc, rect)`
// draws; returns true when the message was one of these.
template <class PaintFunction>
bool HandlePaintMessages(HWND window, UINT message, WPARAM wParam, LRESULT& result, PaintFunction paint) {
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        paint(dc, ps.rcPaint);
        EndPaint(window, &ps);
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window, &client);
        paint(reinterpret_cast<HDC>(wParam), client);
        result = 0;
        return true;
    }
    }
    return false;
}

inline ATOM RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}
