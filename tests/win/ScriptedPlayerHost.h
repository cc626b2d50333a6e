// For the page tests: a scripted Morse player installed through the player
// factory, a test clock, a stand-in main window that records page switches,
// and a page created from its dialog template with a real Application.
#pragma once

#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "app/win/Startup.h"
#include "sound/MorsePlayerApi.h"

#include <commctrl.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace pagetest {

// What the page asked of one player, kept after the player is destroyed.
struct PlayerLog {
    int sampleRate = 0, volume = 0, soundType = 0;
    bool failed = false;
    bool destroyed = false;
    struct Start {
        std::string text;
        int unit, delay, frequency, markA, markB, space;
    };
    std::vector<Start> starts;
    std::vector<bool> pauses;
    // The script: what the queries answer.
    bool playing = false;
    int current = -1;
    int64_t markA = -1, markB = -1;
};

class ScriptedPlayer : public IMorsePlayer {
public:
    explicit ScriptedPlayer(std::shared_ptr<PlayerLog> log) : log_(std::move(log)) {}
    ~ScriptedPlayer() override { log_->destroyed = true; }
    bool failed() const override { return log_->failed; }
    void start(const std::string& text, int unit, int delay, int frequency, int markA, int markB,
               int space) override {
        log_->starts.push_back({text, unit, delay, frequency, markA, markB, space});
    }
    void pause(bool paused) override { log_->pauses.push_back(paused); }
    bool isPlaying() const override { return log_->playing; }
    int currentCharacter() const override { return log_->current; }
    int64_t markTimeA() const override { return log_->markA; }
    int64_t markTimeB() const override { return log_->markB; }

private:
    std::shared_ptr<PlayerLog> log_;
};

inline uint32_t& Now() {
    static uint32_t now = 0;
    return now;
}
inline uint32_t TestTicks() {
    return Now();
}

inline std::vector<std::string>& Boxes() {
    static std::vector<std::string> boxes;
    return boxes;
}
inline int RecordBox(HWND, const char* text, const char*, UINT) {
    Boxes().push_back(text ? text : "");
    return IDOK;
}

// Page indexes asked of the main window, sent or posted.
inline std::vector<int>& Switches() {
    static std::vector<int> switches;
    return switches;
}
inline LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PM_SHOW_PAGE) {
        Switches().push_back(static_cast<int>(lParam));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// One page of the given template and procedure in a stand-in main window.
class PageHost {
public:
    PageHost(int dialog, DLGPROC proc) {
        static bool once = [] {
            InitCommonControls();
            RegisterControlClasses(GetModuleHandleA(nullptr));
            WNDCLASSA wc{};
            wc.lpfnWndProc = HostProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "KlaviroPageTestHost";
            return RegisterClassA(&wc) != 0;
        }();
        (void)once;
        Now() = 100000;
        previousTicks_ = SetTickSource(TestTicks);
        previousBox_ = SetMessageBoxHook(RecordBox);
        Boxes().clear();
        Switches().clear();
        SetMorsePlayerFactory([this](void*, int rate, int volume, int type) -> std::unique_ptr<IMorsePlayer> {
            auto log = std::make_shared<PlayerLog>();
            log->sampleRate = rate;
            log->volume = volume;
            log->soundType = type;
            log->failed = failNext;
            players.push_back(log);
            return std::make_unique<ScriptedPlayer>(log);
        });
        host = CreateWindowExA(0, "KlaviroPageTestHost", "host", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        app = std::make_unique<Application>(host);
        SetWindowLongPtrA(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app.get()));
        page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), host, proc,
                                  reinterpret_cast<LPARAM>(app.get()));
        SendMessageA(page, PM_LOAD_TEXTS, 0, 0);
    }
    ~PageHost() {
        DestroyWindow(page);
        app.reset();
        DestroyWindow(host);
        SetMorsePlayerFactory(nullptr);
        SetTickSource(previousTicks_);
        SetMessageBoxHook(previousBox_);
    }
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    void Show() { ShowWindow(page, SW_SHOW); }
    void Hide() { ShowWindow(page, SW_HIDE); }
    void Click(int control) { SendMessageA(page, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), 0); }
    void Key(int code) { SendMessageA(page, PM_KEY, 0, code); }
    void Tick(UINT_PTR timer) { SendMessageA(page, WM_TIMER, timer, 0); }
    // One press of an up-down arrow: +1 up, -1 down. Returns the answer the
    // up-down would get (non-zero: do not move by yourself).
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
    void Select(int combo, int item) {
        ComboSetSelection(page, combo, item);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, combo)));
    }
    void SetNumber(int control, int value) { SetDlgItemInt(page, control, static_cast<UINT>(value), FALSE); }
    void SetText(int control, const char* text) { SetDlgItemTextA(page, control, text); }
    int Number(int control) const { return static_cast<int>(GetDlgItemInt(page, control, nullptr, FALSE)); }
    bool Enabled(int control) const { return IsWindowEnabled(GetDlgItem(page, control)) != FALSE; }
    // True when the timer was still running (it is stopped now).
    bool TimerRunning(UINT_PTR timer) const { return KillTimer(page, timer) != FALSE; }
    PlayerLog& Player() { return *players.back(); }

    HWND host = nullptr;
    HWND page = nullptr;
    std::unique_ptr<Application> app;
    std::vector<std::shared_ptr<PlayerLog>> players;
    bool failNext = false;

private:
    TickSource previousTicks_ = nullptr;
    MessageBoxHook previousBox_ = nullptr;
};

} // namespace pagetest
