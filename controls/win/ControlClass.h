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
