// What the control window classes share: a window procedure around the
// control's own message handler, and one class shape (redrawn on resize,
// double clicks, one pointer of extra bytes for the control's record).
#pragma once

#include <windows.h>

#include <string>

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
    return DefWindowProcW(window, message, wParam, lParam);
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

// Unicode windows: WM_SETTEXT brings UTF-16, which a control turns into the
// language's code page (TextCodePage) whatever the system's code page is.
inline ATOM RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background) {
    const std::wstring wideName(name, name + std::char_traits<char>::length(name)); // ASCII
    WNDCLASSW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = wideName.c_str();
    return RegisterClassW(&wc);
}

// The control's record lives in the window's extra bytes from WM_CREATE to
// WM_DESTROY; before and after, the window has none.
template <class Record> Record* ControlRecord(HWND window) {
    return reinterpret_cast<Record*>(GetWindowLongPtrA(window, 0));
}
// The text shown by a control whose record keeps it in `text`.
template <class Record> std::string ControlText(HWND window) {
    const Record* record = ControlRecord<Record>(window);
    return record ? record->text : std::string();
}

template <class Record> Record* AttachControlRecord(HWND window) {
    auto* record = new Record;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(record));
    return record;
}
template <class Record> void DropControlRecord(HWND window, Record* record) {
    SetWindowLongPtrA(window, 0, 0);
    delete record;
}

// The messages every control with a record and an off-screen painting
// answers alike: the record made at WM_CREATE (then `Created`) and freed at
// WM_DESTROY, and the paint messages; the rest goes to `Handle`, and none
// reaches it before the record exists.
template <class Record, void (*Paint)(HWND, Record&, HDC, const RECT&),
          bool (*Handle)(HWND, Record&, UINT, WPARAM, LPARAM, LRESULT&),
          void (*Created)(HWND, Record&) = nullptr>
bool HandleRecordControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == WM_CREATE) {
        Record* record = AttachControlRecord<Record>(window);
        if constexpr (Created != nullptr)
            Created(window, *record);
        return true;
    }
    Record* record = ControlRecord<Record>(window);
    if (!record)
        return false;
    if (HandlePaintMessages(window, message, wParam, result,
                            [&](HDC dc, const RECT& area) { Paint(window, *record, dc, area); }))
        return true;
    if (message == WM_DESTROY) {
        DropControlRecord(window, record);
        return false;
    }
    return Handle(window, *record, message, wParam, lParam, result);
}

// The controls' bold face; every fit sets its own height.
inline LOGFONTA BoldControlFont(const char* face) {
    LOGFONTA font{};
    font.lfWeight = FW_BOLD;
    font.lfCharSet = RUSSIAN_CHARSET;
    font.lfOutPrecision = OUT_CHARACTER_PRECIS;
    font.lfPitchAndFamily = FF_MODERN;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

// A bitmap of the client area to paint into without flicker: Show copies
// the update rectangle to the screen; the bitmap and its DC go with the
// object (deselect anything of the caller's own first).
class OffscreenCanvas {
public:
    OffscreenCanvas(HWND window, HDC target)
        : target_(target), client_(ClientOf(window)), dc_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, client_.right, client_.bottom)),
          oldBitmap_(SelectObject(dc_, bitmap_)) {}
    ~OffscreenCanvas() {
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    HDC dc() const { return dc_; }
    const RECT& client() const { return client_; }
    void Show(const RECT& update) const {
        BitBlt(target_, update.left, update.top, update.right - update.left, update.bottom - update.top, dc_,
               update.left, update.top, SRCCOPY);
    }

private:
    static RECT ClientOf(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return client;
    }
    HDC target_;
    RECT client_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
};

// A class whose controls paint all of their client area themselves.
template <ControlMessageHandler Handle>
ATOM RegisterPaintedControlClass(HINSTANCE instance, const char* name) {
    return RegisterControlClass(instance, name, ControlWindowProc<Handle>,
                                static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
}
