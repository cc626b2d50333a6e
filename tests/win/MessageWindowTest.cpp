// Message boxes shown for real at the display scale the test runs under (the
// DPI e2e repeats this at 96, 144 and 192 DPI): each text readable whole,
// nothing of it touching the edge of its label, and the answer keys.
#include "WinTestUtil.h"

#include "app/win/DialogHelpers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

RECT RectIn(HWND w, HWND parent) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What the test saw of the box while it was open.
struct Seen {
    bool found = false;
    std::string label;
    RECT labelRect{}, client{}, window{}, work{};
    std::vector<RECT> others; // the icon and the buttons, in the box's client
    SIZE labelSize{};
    int widestLine = 0, lines = 0, lineHeight = 0;
    int widestInk = 0; // of a line drawn alone on a canvas without edges
    RECT ink{};        // dark pixels' bounds in the label; empty: none
};

struct Pending {
    std::string text;
    WORD key = 0; // pressed once the box is open; 0: closed with WM_CLOSE
    Seen seen;
};
Pending pending;

BOOL CALLBACK FindBox(HWND w, LPARAM found) {
    if (IsWindowVisible(w) && ClassOf(w) == "#32770") {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

// The dark pixels of a window as the screen shows it; without a window, of
// `line` drawn on a white canvas in `font`.
RECT InkOf(HWND w, SIZE size, const std::string& line = "", HFONT font = nullptr) {
    HDC screen = GetDC(w);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    if (w) {
        BitBlt(dc, 0, 0, size.cx, size.cy, screen, 0, 0, SRCCOPY);
    } else {
        PatBlt(dc, 0, 0, size.cx, size.cy, WHITENESS);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        RECT r{size.cx / 4, 0, size.cx, size.cy};
        DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &r,
                  DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP);
        SelectObject(dc, oldFont);
    }
    GdiFlush();
    RECT ink{size.cx, size.cy, -1, -1};
    const auto* pixel = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const unsigned char* p = pixel + 4 * (y * size.cx + x);
            if (p[0] + p[1] + p[2] < 3 * 96) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x);
                ink.bottom = std::max<LONG>(ink.bottom, y);
            }
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(w, screen);
    return ink;
}

void LookAt(HWND box, Seen& s) {
    GetClientRect(box, &s.client);
    GetWindowRect(box, &s.window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor);
    s.work = monitor.rcWork;
    UpdateWindow(box);
    for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w))
            continue;
        if (testutil::WindowText(w) != pending.text || lstrcmpiA(ClassOf(w).c_str(), "Static") != 0) {
            s.others.push_back(RectIn(w, box));
            continue;
        }
        s.found = true;
        s.label = testutil::WindowText(w);
        s.labelRect = RectIn(w, box);
        RECT inside;
        GetClientRect(w, &inside);
        s.labelSize = {inside.right, inside.bottom};
        HDC dc = GetDC(w);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        s.lineHeight = tm.tmHeight;
        for (size_t start = 0; start <= pending.text.size();) {
            size_t end = pending.text.find('\n', start);
            if (end == std::string::npos)
                end = pending.text.size();
            const std::string line = pending.text.substr(start, end - start);
            SIZE extent{};
            GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &extent);
            s.widestLine = std::max<int>(s.widestLine, extent.cx);
            const RECT alone = InkOf(nullptr, {2 * extent.cx + 64, 2 * tm.tmHeight}, line,
                                     reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)));
            s.widestInk = std::max<int>(s.widestInk, alone.right - alone.left + 1);
            ++s.lines;
            start = end + 1;
        }
        SelectObject(dc, old);
        ReleaseDC(w, dc);
        s.ink = InkOf(w, s.labelSize);
    }
}

void CALLBACK WhenOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box)
        return;
    KillTimer(nullptr, timer);
    LookAt(box, pending.seen);
    if (!pending.key) {
        PostMessageA(box, WM_CLOSE, 0, 0);
        return;
    }
    SetForegroundWindow(box);
    INPUT keys[2]{};
    for (INPUT& k : keys) {
        k.type = INPUT_KEYBOARD;
        k.ki.wVk = pending.key;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Shows the box for real (no test hook) and returns its answer.
int ShowForReal(const std::string& text, UINT type, WORD key = 0) {
    pending = Pending{text, key, {}};
    const MessageBoxHook previous = SetMessageBoxHook(nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, WhenOpen);
    const int answer = ShowMessageBox(nullptr, text.c_str(), nullptr, type);
    KillTimer(nullptr, timer);
    SetMessageBoxHook(previous);
    return answer;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST(MessageWindow, EveryMessageIsReadableWholeAtTheDisplayScale) {
    HDC screen = GetDC(nullptr);
    std::printf("display scale: %d DPI\n", GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    const std::string longPath =
        "C:\\" + std::string(60, 'x') + "\\" + std::string(200, 'y') + "\\Results.csv";
    struct Case {
        std::string text;
        UINT type;
    } cases[] = {
        {"В файле нет текста для этой скорости", MB_ICONWARNING},
        {"У участника уже есть наибольшее число проверенных копий в этой дисциплине", MB_ICONWARNING},
        {"Файл результатов занят другой программой, оценка не сохранена. Повторите:\nC:\\Users\\Пётр "
         "Иванов\\Documents\\KLAVIRO\\Results.csv",
         MB_ICONWARNING},
        {"Файл с таким именем уже существует.\nПереписать существующий файл?", MB_ICONWARNING | MB_YESNO},
        {"Эта копия уже проверена:\nВладислав Жолкевский-Щербаков, Смешанный, 1010: Ошибки 12, 2026-12-07 "
         "10:00:00\nЗаменить прежнюю оценку новой? Ошибки в новой: 3",
         MB_ICONWARNING | MB_YESNO},
        {"Ошибка при работе со звуковой картой", MB_ICONWARNING},
        {"Работа программы прервана из-за ошибки:\nstd::bad_alloc", MB_ICONWARNING | MB_OK},
        {"Не удается прочитать файл:\n" + longPath, MB_ICONWARNING},
        {"W&M\tW", MB_ICONERROR}, // no underline, the tab expanded
        {"W", 0},                 // narrower than its button, no icon
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ShowForReal(c.text, c.type);
        const Seen& s = pending.seen;
        ASSERT_TRUE(s.found) << "no label shows the text";
        EXPECT_TRUE(Inside(s.labelRect, s.client));
        EXPECT_TRUE(Inside(s.window, s.work)) << "the box runs off the screen";
        for (const RECT& other : s.others) {
            RECT both;
            EXPECT_TRUE(Inside(other, s.client));
            EXPECT_FALSE(IntersectRect(&both, &other, &s.labelRect)) << "something lies over the text";
        }
        // Ink in the label, and a blank column and row all round it: no
        // letter reaches the label's edge, where it would be cut.
        ASSERT_LE(s.ink.left, s.ink.right) << "nothing drawn";
        EXPECT_GT(s.ink.left, 0);
        EXPECT_GT(s.ink.top, 0);
        EXPECT_LT(s.ink.right, s.labelSize.cx - 1);
        EXPECT_LT(s.ink.bottom, s.labelSize.cy - 1);
        // A line as wide as half the screen may be broken, never cut.
        if (s.widestLine > (s.work.right - s.work.left) / 2) {
            EXPECT_GE(s.labelSize.cy, (s.lines + 1) * s.lineHeight);
        } else {
            // Each line on a line of its own, with room beyond its extent.
            EXPECT_GT(s.labelSize.cx, s.widestLine + 1);
            EXPECT_GE(s.labelSize.cy, s.lines * s.lineHeight);
            // As much ink as the longest line has when nothing can cut or
            // break it.
            EXPECT_GE(s.ink.right - s.ink.left + 1, s.widestInk);
        }
    }
}

TEST(MessageWindow, EnterAnswersWithTheFirstButtonAndEscWithTheLast) {
    struct Case {
        UINT type;
        WORD key;
        int answer;
    } cases[] = {
        {MB_YESNO, VK_RETURN, IDYES}, {MB_YESNO, VK_ESCAPE, IDNO},           {MB_OK, VK_ESCAPE, IDOK},
        {MB_OK, VK_RETURN, IDOK},     {MB_YESNOCANCEL, VK_ESCAPE, IDCANCEL}, {MB_OKCANCEL, VK_RETURN, IDOK},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShowForReal("Заменить?", c.type | MB_ICONQUESTION, c.key), c.answer)
            << "type " << c.type << " key " << c.key;
        EXPECT_TRUE(pending.seen.found);
    }
    // Closed with the close box: as Esc.
    EXPECT_EQ(ShowForReal("Заменить?", MB_YESNO), IDNO);
}
