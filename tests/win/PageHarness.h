// A stand-in main window, an application object and the replaceable seams
// (message boxes, save dialog, tick count, Morse player) for driving one page
// at a time with the messages the operator's actions produce.
#pragma once

#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "app/win/Startup.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "controls/win/DisplayControls.h"
#include "sound/MorsePlayerApi.h"
#include "sound/MorseTable.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace harness {

// ---- main window: records the page switches asked for (sent or posted)

inline std::vector<int>& PageRequests() {
    static std::vector<int> requests;
    return requests;
}

inline LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PM_SHOW_PAGE) {
        PageRequests().push_back(static_cast<int>(lParam));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Delivers posted messages (GoToPage's posting form).
inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// ---- message boxes: recorded and answered from a queue (default IDYES/IDOK)

struct Box {
    std::string text;
    UINT type;
};
inline std::vector<Box>& Boxes() {
    static std::vector<Box> boxes;
    return boxes;
}
inline std::deque<int>& Answers() {
    static std::deque<int> answers;
    return answers;
}
inline int AnswerBox(HWND, const char* text, const char*, UINT type) {
    Boxes().push_back({text ? text : "", type});
    if (Answers().empty())
        return (type & MB_YESNO) ? IDYES : IDOK;
    const int a = Answers().front();
    Answers().pop_front();
    return a;
}

// ---- save dialog: the request is kept, the answer scripted

struct SaveRequest {
    HWND owner;
    std::string file, title, filter, extension;
    DWORD flags;
    DWORD filterIndex, maxFile, maxTitle;
};
inline std::vector<SaveRequest>& SaveRequests() {
    static std::vector<SaveRequest> requests;
    return requests;
}
// Empty: Cancel; otherwise the path "chosen".
inline std::string& SaveAnswer() {
    static std::string answer;
    return answer;
}
inline bool AnswerSave(OPENFILENAMEA* r) {
    std::string filter;
    for (const char* p = r->lpstrFilter; p && *p; p += std::strlen(p) + 1)
        filter += std::string(p) + "|";
    SaveRequests().push_back({r->hwndOwner, r->lpstrFile, r->lpstrFileTitle ? r->lpstrFileTitle : "", filter,
                              r->lpstrDefExt ? r->lpstrDefExt : "", r->Flags, r->nFilterIndex, r->nMaxFile,
                              r->nMaxFileTitle});
    if (SaveAnswer().empty())
        return false;
    std::snprintf(r->lpstrFile, r->nMaxFile, "%s", SaveAnswer().c_str());
    return true;
}

// ---- test clock

inline uint32_t& Now() {
    static uint32_t now = 0;
    return now;
}
inline uint32_t TestTicks() {
    return Now();
}

// ---- scripted player: the test sets what it reports, and sees what it got

struct PlayerScript {
    bool failed = false;
    bool playing = false;
    int current = -1;
    int64_t markA = -1, markB = -1;
    // What the page asked for.
    struct Start {
        std::string text;
        int unit, delay, frequency, markA, markB, space;
    };
    std::vector<Start> starts;
    std::vector<bool> pauses;
    int created = 0;
    int alive = 0;
};
inline PlayerScript& Script() {
    static PlayerScript script;
    return script;
}

class ScriptedPlayer : public IMorsePlayer {
public:
    ScriptedPlayer() {
        ++Script().created;
        ++Script().alive;
    }
    ~ScriptedPlayer() override { --Script().alive; }
    bool failed() const override { return Script().failed; }
    void start(const std::string& text, int unit, int delay, int frequency, int a, int b,
               int space) override {
        Script().starts.push_back({text, unit, delay, frequency, a, b, space});
        Script().playing = true;
        Script().current = -1;
        Script().markA = Script().markB = -1;
    }
    void pause(bool paused) override { Script().pauses.push_back(paused); }
    bool isPlaying() const override { return Script().playing; }
    int currentCharacter() const override { return Script().current; }
    int64_t markTimeA() const override { return Script().markA; }
    int64_t markTimeB() const override { return Script().markB; }
};

// ---- text box: what was last put into it

inline std::string& ShownText() {
    static std::string text;
    return text;
}
inline WNDPROC& TextBoxOriginal() {
    static WNDPROC proc = nullptr;
    return proc;
}
inline LRESULT CALLBACK TextBoxSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ATB_SETTEXT)
        ShownText() = wParam ? reinterpret_cast<const char*>(wParam) : "";
    return CallWindowProcA(TextBoxOriginal(), window, message, wParam, lParam);
}

// ---- files

inline std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + "klaviro-page-" + name;
}
inline std::string ReadFile(const std::string& path) {
    std::string s;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            s.append(buf, n);
        std::fclose(f);
    }
    return s;
}
inline void WriteFile(const std::string& path, const std::string& bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// One page of the program under a stand-in main window, with every seam
// replaced for the life of the object.
class PageUnderTest {
public:
    PageUnderTest(int dialog, DLGPROC procedure) {
        static bool registered = [] {
            INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
            InitCommonControlsEx(&icc);
            RegisterControlClasses(GetModuleHandleA(nullptr));
            InitMorseTable();
            WNDCLASSA wc{};
            wc.lpfnWndProc = MainProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "KlaviroPageTestMain";
            RegisterClassA(&wc);
            return true;
        }();
        (void)registered;
        PageRequests().clear();
        Boxes().clear();
        Answers().clear();
        SaveRequests().clear();
        SaveAnswer().clear();
        Script() = PlayerScript();
        ShownText().clear();
        Now() = 100000;
        previousBox_ = SetMessageBoxHook(AnswerBox);
        previousSave_ = SetSaveFileNameHook(AnswerSave);
        previousTicks_ = SetTickSource(TestTicks);
        SetMorsePlayerFactory([](void*, int, int, int) { return std::make_unique<ScriptedPlayer>(); });

        main = CreateWindowExA(0, "KlaviroPageTestMain", "KLAVIRO", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               1000, 760, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        app = std::make_unique<Application>(main);
        page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), main, procedure,
                                  reinterpret_cast<LPARAM>(app.get()));
        if (!page)
            throw std::runtime_error("page " + std::to_string(dialog) + " not created, error " +
                                     std::to_string(GetLastError()));
        if (HWND box = GetDlgItem(page, 1027))
            TextBoxOriginal() = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextBoxSpy)));
        SendMessageA(page, PM_LOAD_TEXTS, 0, 0);
    }
    ~PageUnderTest() {
        if (page)
            ShowWindow(page, SW_HIDE);
        DestroyWindow(main); // the page with it
        Pump();
        app.reset();
        SetMorsePlayerFactory(nullptr);
        SetTickSource(previousTicks_);
        SetSaveFileNameHook(previousSave_);
        SetMessageBoxHook(previousBox_);
    }
    PageUnderTest(const PageUnderTest&) = delete;
    PageUnderTest& operator=(const PageUnderTest&) = delete;

    void Show() { ShowWindow(page, SW_SHOW); }
    void Hide() { ShowWindow(page, SW_HIDE); }
    LRESULT Command(int control, int code = 0) {
        return SendMessageA(page, WM_COMMAND, MAKEWPARAM(control, code),
                            reinterpret_cast<LPARAM>(GetDlgItem(page, control)));
    }
    LRESULT Key(int code) { return SendMessageA(page, PM_KEY, 0, code); }
    void Select(int list, int item) {
        SendDlgItemMessageA(page, list, CB_SETCURSEL, item, 0);
        Command(list, CBN_SELCHANGE);
    }
    std::string Text(int control) {
        char buf[2048];
        GetDlgItemTextA(page, control, buf, sizeof buf);
        return buf;
    }
    void SetText(int control, const std::string& text) { SetDlgItemTextA(page, control, text.c_str()); }
    std::string Clock(int control) { return TimerShownText(GetDlgItem(page, control)); }
    bool Enabled(int control) { return IsWindowEnabled(GetDlgItem(page, control)) != FALSE; }
    bool Visible(int control) {
        return (GetWindowLongA(GetDlgItem(page, control), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    RECT Rect(int control) {
        RECT r;
        GetWindowRect(GetDlgItem(page, control), &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void Resize(int width, int height) {
        RECT r{0, 0, width, height};
        AdjustWindowRectEx(&r, GetWindowLongA(page, GWL_STYLE), FALSE, GetWindowLongA(page, GWL_EXSTYLE));
        MoveWindow(page, 0, 0, r.right - r.left, r.bottom - r.top, TRUE);
    }

    HWND main = nullptr;
    HWND page = nullptr;
    std::unique_ptr<Application> app;

private:
    MessageBoxHook previousBox_;
    SaveFileNameHook previousSave_;
    TickSource previousTicks_;
};

} // namespace harness
