// One page of the program under a stand-in main window, driven with the
// messages the operator's actions produce. The replaceable seams (message
// boxes, save dialog, tick count, Morse player) are scripted by the test for
// the life of the page.
#pragma once

#include "WinTestUtil.h"

#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "app/win/Startup.h"
#include "app/win/WideText.h"
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

using namespace testutil;

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

// ---- message boxes: recorded and answered from a queue (default IDYES/IDOK)

struct Box {
    std::string text;
    UINT type;
};
inline std::vector<Box>& Boxes() {
    static std::vector<Box> boxes;
    return boxes;
}
inline std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const Box& b : Boxes())
        texts.push_back(b.text);
    return texts;
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

// Documents the pages asked the shell to open (the open-document hook).
inline std::vector<std::string>& Opened() {
    static std::vector<std::string> opened;
    return opened;
}
inline bool RecordOpen(const std::string& path) {
    Opened().push_back(path);
    return true;
}

// Answers of the open-file dialog, one per dialog shown; none left: Cancel.
inline std::deque<std::string>& OpenAnswers() {
    static std::deque<std::string> answers;
    return answers;
}
inline bool AnswerOpen(OPENFILENAMEA* request) {
    if (OpenAnswers().empty())
        return false;
    std::snprintf(request->lpstrFile, request->nMaxFile, "%s", OpenAnswers().front().c_str());
    OpenAnswers().pop_front();
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

// ---- scripted player: what the page asked of one player, kept after the
// player is destroyed, and what its queries answer (set by the test)

struct PlayerLog {
    int sampleRate = 0, volume = 0, soundType = 0, toneShape = 0;
    bool failed = false;
    bool destroyed = false;
    struct Start {
        std::string text;
        int unit, delay, frequency, markA, markB, space;
        int effectiveUnit = 0;
    };
    std::vector<Start> starts;
    std::vector<RecordedSound> recorded; // startRecorded's sounds
    std::vector<bool> pauses;
    // The script. A start reports playing with no character or mark yet; a
    // test that wants the moment before the player's thread picks the text
    // up sets `playing` back to false.
    bool playing = false;
    int current = -1;
    int64_t markA = -1, markB = -1;
};

class ScriptedPlayer : public IMorsePlayer {
public:
    explicit ScriptedPlayer(std::shared_ptr<PlayerLog> log) : log_(std::move(log)) {}
    ~ScriptedPlayer() override { log_->destroyed = true; }
    bool failed() const override { return log_->failed; }
    void start(const std::string& text, int unit, int delay, int frequency, int markA, int markB, int space,
               int effectiveUnit) override {
        log_->starts.push_back({text, unit, delay, frequency, markA, markB, space, effectiveUnit});
        log_->playing = true;
        log_->current = -1;
        log_->markA = log_->markB = -1;
    }
    void startRecorded(const RecordedSound& sound) override {
        log_->recorded.push_back(sound);
        log_->playing = true;
        log_->current = -1;
    }
    void pause(bool paused) override { log_->pauses.push_back(paused); }
    bool isPlaying() const override { return log_->playing; }
    int currentCharacter() const override { return log_->current; }
    int64_t markTimeA() const override { return log_->markA; }
    int64_t markTimeB() const override { return log_->markB; }

private:
    std::shared_ptr<PlayerLog> log_;
};

// ---- text box (control 1027): what was last put into it

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

class PageUnderTest {
public:
    PageUnderTest(int dialog, DLGPROC procedure) {
        static bool registered = [] {
            INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
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
        ShownText().clear();
        Now() = 100000;
        previousBox_ = SetMessageBoxHook(AnswerBox);
        previousSave_ = SetSaveFileNameHook(AnswerSave);
        previousTicks_ = SetTickSource(TestTicks);
        SetMorsePlayerFactory(
            [this](void*, int rate, int volume, int type, int shape) -> std::unique_ptr<IMorsePlayer> {
                auto log = std::make_shared<PlayerLog>();
                log->sampleRate = rate;
                log->volume = volume;
                log->soundType = type;
                log->toneShape = shape;
                log->failed = failNext;
                players.push_back(log);
                return std::make_unique<ScriptedPlayer>(log);
            });

        main = CreateWindowExA(0, "KlaviroPageTestMain", "KLAVIRO", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               1000, 760, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        app = std::make_unique<Application>(main);
        SetWindowLongPtrA(main, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app.get()));
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog), main, procedure,
                                  reinterpret_cast<LPARAM>(app.get()));
        if (!page)
            throw std::runtime_error("page " + std::to_string(dialog) + " not created, error " +
                                     std::to_string(GetLastError()));
        if (HWND box = GetDlgItem(page, 1027))
            TextBoxOriginal() = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextBoxSpy)));
        // As the main window does before the pages load their texts.
        ApplyLanguageCodePage(*app);
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
    LRESULT Command(int control, int code = BN_CLICKED) {
        return SendMessageA(page, WM_COMMAND, MAKEWPARAM(control, code),
                            reinterpret_cast<LPARAM>(GetDlgItem(page, control)));
    }
    LRESULT Key(int code) { return SendMessageA(page, PM_KEY, 0, code); }
    void Tick(UINT_PTR timer = 0) { SendMessageA(page, WM_TIMER, timer, 0); }
    // True when the timer was still running (it is stopped now).
    bool TimerRunning(UINT_PTR timer) { return KillTimer(page, timer) != FALSE; }
    void Select(int list, int item) {
        ComboSetSelection(page, list, item);
        Command(list, CBN_SELCHANGE);
    }
    // One press of an up-down arrow (+1 up, -1 down) through the dialog
    // manager. Returns the answer the up-down gets (non-zero: do not move).
    LRESULT Arrow(int updown, int delta) {
        NMUPDOWN nm{};
        nm.hdr.hwndFrom = GetDlgItem(page, updown);
        nm.hdr.idFrom = static_cast<UINT_PTR>(updown);
        nm.hdr.code = UDN_DELTAPOS;
        nm.iDelta = delta;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        SendMessageA(page, WM_NOTIFY, static_cast<WPARAM>(updown), reinterpret_cast<LPARAM>(&nm));
        return GetWindowLongPtrA(page, DWLP_MSGRESULT);
    }
    std::string Text(int control) { return WindowText(GetDlgItem(page, control)); }
    void SetText(int control, const std::string& text) { SetDlgItemTextA(page, control, text.c_str()); }
    int Number(int control) { return static_cast<int>(GetDlgItemInt(page, control, nullptr, FALSE)); }
    void SetNumber(int control, int value) { SetDlgItemInt(page, control, static_cast<UINT>(value), FALSE); }
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
    // Gives the page this client size.
    void Resize(int width, int height) {
        RECT r{0, 0, width, height};
        AdjustWindowRectEx(&r, GetWindowLongA(page, GWL_STYLE), FALSE, GetWindowLongA(page, GWL_EXSTYLE));
        MoveWindow(page, 0, 0, r.right - r.left, r.bottom - r.top, TRUE);
    }
    // The players the page has created, in order; the last one.
    PlayerLog& Player() { return *players.back(); }
    int PlayersAlive() const {
        int n = 0;
        for (const auto& p : players)
            n += p->destroyed ? 0 : 1;
        return n;
    }

    HWND main = nullptr;
    HWND page = nullptr;
    std::unique_ptr<Application> app;
    std::vector<std::shared_ptr<PlayerLog>> players;
    bool failNext = false; // the next player created reports a failed sound card

private:
    MessageBoxHook previousBox_;
    SaveFileNameHook previousSave_;
    TickSource previousTicks_;
};

} // namespace harness
