// Windows and bitmaps for the control and dialog-helper tests: a plain
// parent window that passes drawing messages to the common handler and
// records commands, and a 32-bit memory bitmap whose pixels can be read.
#pragma once

#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "controls/win/ControlClasses.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace testsupport {

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

inline LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        Commands().push_back({wParam, lParam});
        return 0;
    }
    INT_PTR handled = CommonDrawHandler(window, message, wParam, lParam);
    if (handled)
        return handled;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A visible top-level window of the given client size, owning a real
// Application in its user data (or none).
class ParentWindow {
public:
    explicit ParentWindow(int width = 400, int height = 300, bool withApp = true) {
        static ATOM atom = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = ParentProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            wc.lpszClassName = "KlaviroTestParent";
            return RegisterClassA(&wc);
        }();
        (void)atom;
        RECT r{0, 0, width, height};
        AdjustWindowRect(&r, WS_POPUP, FALSE);
        hwnd = CreateWindowExA(0, "KlaviroTestParent", "test", WS_POPUP | WS_VISIBLE, 0, 0, r.right - r.left,
                               r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (withApp) {
            app = std::make_unique<Application>(hwnd);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app.get()));
        }
        Commands().clear();
    }
    ~ParentWindow() { DestroyWindow(hwnd); }
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND Child(const char* className, int id, DWORD style, int x, int y, int w, int h,
               const char* text = "") {
        return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                               nullptr);
    }

    HWND hwnd;
    std::unique_ptr<Application> app;
};

// A top-down 32-bit bitmap selected into its own memory device context.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF colour) {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i)
            bits_[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels of exactly this colour inside [x0, x1) x [y0, y1).
    int Count(COLORREF colour, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == colour;
        return n;
    }
    int Count(COLORREF colour) const { return Count(colour, 0, 0, width_, height_); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixels, top row first, as a 32-bit BMP holds them.
    const void* Bits() const {
        GdiFlush();
        return bits_;
    }

    HDC dc;

private:
    int width_, height_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

inline void EnsureControlClasses() {
    static bool done = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterTextBoxClass(instance);
        RegisterLabelClass(instance);
        RegisterTimerClass(instance);
        return true;
    }();
    (void)done;
}

inline SIZE ClientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

// Renders a control's client area through WM_PRINTCLIENT into the canvas,
// which must be at least the client size.
inline void Render(HWND control, Canvas& canvas) {
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
}

// Horizontal extent of the pixels of one colour: {first x, last x}, or
// {-1, -1} when there are none.
inline POINT ColumnsOf(const Canvas& canvas, COLORREF colour, int y0, int y1) {
    POINT span{-1, -1};
    for (int x = 0; x < canvas.Width(); ++x) {
        if (canvas.Count(colour, x, y0, x + 1, y1) == 0)
            continue;
        if (span.x < 0)
            span.x = x;
        span.y = x;
    }
    return span;
}

} // namespace testsupport
