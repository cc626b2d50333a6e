#include "transmission/win/KeyingSession.h"

#include "config/AppConfig.h"
#include "config/TextCatalogue.h"
#include "transmission/win/KeyerThread.h"
#include "transmission/win/KeyingClock.h"
#include "transmission/win/SerialLines.h"

#include <mutex>

namespace {

using Text = CatalogueText;
const Text kPortText{"PY_01", "Порт %1 не удается открыть: %2"};
const Text kSilentText{"PY_02",
                       "Самоконтроль не звучит: звуковой вывод не открылся. Ключ работает без звука."};
const Text kPortLostText{"PY_03", "Порт %1 перестал отвечать, прием с ключа остановлен."};
const Text kHookText{"PY_04", "Не удается следить за клавишами и мышью:"};

std::string Replaced(std::string text, const char* from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, std::char_traits<char>::length(from), to);
    return text;
}

std::string LastErrorText() {
    char* text = nullptr;
    const DWORD code = GetLastError();
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : "error " + std::to_string(code);
    if (text)
        LocalFree(text);
    return result;
}

bool Matches(int configured, WPARAM vk, int specific) {
    return configured == specific || configured == static_cast<int>(vk);
}

} // namespace

struct KeyingCore {
    KeyingCore(HWND p, AppConfig& a, const KeyingSettings& k, const SideToneSettings& t, bool tone)
        : page(p), app(a), keying(k), toneSettings(t), toneWanted(tone) {}

    bool Start();
    void Stop();
    bool OnKey(WPARAM vk, LPARAM lParam);
    bool OnMouse(WPARAM message, const MOUSEHOOKSTRUCT& info);
    void Output(bool down, double ms);
    void Paddle(bool dot, bool dash, double ms);
    bool PageActive() const;
    void SerialLoop();
    void SetProblem(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        problem = text;
    }

    const HWND page;
    AppConfig& app;
    const KeyingSettings keying;
    const SideToneSettings toneSettings;
    const bool toneWanted;
    bool running = false;
    HWND area = nullptr;
    HHOOK keyboardHook = nullptr, mouseHook = nullptr;
    std::unique_ptr<SideTone> tone;
    std::unique_ptr<KeyerThread> keyer;
    std::unique_ptr<ILineSource> lines;
    HANDLE serialThread = nullptr, serialStop = nullptr;

    // Input state, kept by the thread the input arrives on (UI or serial).
    bool straightDown = false, dotDown = false, dashDown = false;

    // Keyed output, from any thread.
    mutable std::mutex mutex;
    bool keyDown = false;
    double downMs = 0, lastUpMs = -1e300;
    KeyTimes pending;
    std::string problem;
    std::string portLostText; // made on the UI thread: the serial thread must not read the settings
};

namespace {

// The session whose hooks watch this thread (pages live on the UI thread).
KeyingCore* g_hooked = nullptr;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_hooked && g_hooked->OnKey(wParam, lParam))
        return 1; // a keying key: no control sees it
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_hooked &&
        g_hooked->OnMouse(wParam, *reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI SerialThread(void* parameter) {
    static_cast<KeyingCore*>(parameter)->SerialLoop();
    return 0;
}

} // namespace

namespace {

bool Down(SHORT state) {
    return (state & 0x8000) != 0;
}

// Left or right of a pair (Ctrl, Alt): the extended-key flag, which
// keyboards send with the right key and Wine goes by. Input injected without
// it (on Windows) still shows in the key states: at a key-down the
// asynchronous state already has the new key down, at a key-up the thread's
// state (as the hook sees it, not yet updated) still has it down.
int LeftOrRight(int left, int right, bool extended, bool up) {
    if (extended)
        return right;
    const bool r = up ? Down(GetKeyState(right)) : Down(GetAsyncKeyState(right));
    const bool l = up ? Down(GetKeyState(left)) : Down(GetAsyncKeyState(left));
    return r && !l ? right : left;
}

} // namespace

int SpecificVirtualKey(WPARAM vk, LPARAM lParam) {
    const bool extended = (lParam & (1 << 24)) != 0;
    const bool up = (lParam & (1u << 31)) != 0;
    switch (vk) {
    case VK_CONTROL:
        return LeftOrRight(VK_LCONTROL, VK_RCONTROL, extended, up);
    case VK_MENU:
        return LeftOrRight(VK_LMENU, VK_RMENU, extended, up);
    case VK_SHIFT: {
        // Both Shift keys are plain keys; only their scan codes differ.
        const UINT scan = (lParam >> 16) & 0xFF;
        const UINT specific = MapVirtualKeyA(scan, MAPVK_VSC_TO_VK_EX);
        if (specific == VK_LSHIFT || specific == VK_RSHIFT)
            return static_cast<int>(specific);
        return scan == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    }
    default:
        return static_cast<int>(vk);
    }
}

bool KeyingCore::PageActive() const {
    if (!IsWindowVisible(page))
        return false;
    const HWND active = GetActiveWindow();
    return active && GetAncestor(active, GA_ROOT) == GetAncestor(page, GA_ROOT);
}

// Keys go down only while the page's window is active; a key that went down
// there is let up wherever the focus has gone meanwhile.
bool KeyingCore::OnKey(WPARAM vk, LPARAM lParam) {
    const bool up = (lParam & (1u << 31)) != 0;
    const int specific = SpecificVirtualKey(vk, lParam);
    bool* state = nullptr;
    if (keying.input == KeyingInput::Keyboard && Matches(keying.straightKey, vk, specific))
        state = &straightDown;
    else if (keying.input == KeyingInput::Paddles && Matches(keying.dotKey, vk, specific))
        state = &dotDown;
    else if (keying.input == KeyingInput::Paddles && Matches(keying.dashKey, vk, specific))
        state = &dashDown;
    if (!state || (!up && !*state && !PageActive()))
        return false;
    const double ms = KeyingClockMs();
    // Autorepeat sends more key-downs while the key is held: no new press.
    if (*state == !up)
        return true;
    *state = !up;
    if (state == &straightDown)
        Output(!up, ms);
    else
        Paddle(dotDown, dashDown, ms);
    return true;
}

bool KeyingCore::OnMouse(WPARAM message, const MOUSEHOOKSTRUCT& info) {
    if (keying.input != KeyingInput::Mouse)
        return false;
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && !straightDown) {
        RECT r;
        if (!area || !IsWindowVisible(area) || !PageActive() || !GetWindowRect(area, &r) ||
            !PtInRect(&r, info.pt))
            return false;
        const double ms = KeyingClockMs();
        straightDown = true;
        // The release must come back here even off the area.
        SetCapture(page);
        Output(true, ms);
        return true;
    }
    if ((message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) && straightDown) {
        const double ms = KeyingClockMs();
        straightDown = false;
        if (GetCapture() == page)
            ReleaseCapture();
        Output(false, ms);
        return true;
    }
    return false;
}

void KeyingCore::Paddle(bool dot, bool dash, double ms) {
    if (keyer)
        keyer->Paddles(dot, dash, ms);
}

// Every edge of the keyed output passes here: the side tone follows, the
// press is recorded, the page is told.
void KeyingCore::Output(bool down, double ms) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (down == keyDown)
            return;
        keyDown = down;
        // A press lasts, and starts no earlier than the last one ended, even
        // on a clock that stood still between two events.
        if (down) {
            downMs = ms < lastUpMs ? lastUpMs : ms;
        } else {
            lastUpMs = ms > downMs ? ms : downMs + 0.001;
            pending.push_back({downMs, lastUpMs});
        }
    }
    if (tone)
        down ? tone->KeyDown() : tone->KeyUp();
    PostMessageA(page, PM_KEYING_EDGE, down ? 1 : 0, 0);
    if (!down)
        PostMessageA(page, PM_KEYING_PRESS, 0, 0);
}

void KeyingCore::SerialLoop() {
    LineState s;
    bool failed = false;
    while (lines->Next(serialStop, s, failed)) {
        const bool dot = keying.serialDot == SerialLine::Cts ? s.cts : s.dsr;
        const bool dash = keying.serialDash == SerialLine::Cts ? s.cts : s.dsr;
        if (UsesKeyer(keying))
            Paddle(dot, dash, s.ms);
        else
            Output(dot, s.ms);
    }
    if (failed) {
        SetProblem(portLostText);
        if (!UsesKeyer(keying))
            Output(false, KeyingClockMs());
        else
            Paddle(false, false, KeyingClockMs());
        PostMessageA(page, PM_KEYING_PROBLEM, 0, 0);
    }
}

bool KeyingCore::Start() {
    if (running)
        return true;
    if (g_hooked && g_hooked != this)
        g_hooked->Stop(); // one page keys at a time; the newer one wins
    SetProblem("");
    if (UsesKeyer(keying))
        keyer = std::make_unique<KeyerThread>(keying.modeB, keying.keyerSpeed,
                                              [this](bool down, double ms) { Output(down, ms); });
    if (keying.input == KeyingInput::Serial) {
        portLostText = Replaced(Lang(app, kPortLostText), "%1", keying.port);
        lines = CreateLineSource(keying.port);
        std::string error;
        serialStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (!lines->Open(error) || !serialStop) {
            SetProblem(Replaced(Replaced(Lang(app, kPortText), "%1", keying.port), "%2", error));
            Stop();
            return false;
        }
        serialThread = CreateThread(nullptr, 0, SerialThread, this, 0, nullptr);
        if (!serialThread) {
            SetProblem(Replaced(Replaced(Lang(app, kPortText), "%1", keying.port), "%2", LastErrorText()));
            Stop();
            return false;
        }
        SetThreadPriority(serialThread, THREAD_PRIORITY_TIME_CRITICAL);
    } else {
        const DWORD thread = GetCurrentThreadId();
        if (keying.input == KeyingInput::Mouse)
            mouseHook = SetWindowsHookExA(WH_MOUSE, MouseHook, nullptr, thread);
        else
            keyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, thread);
        if (!mouseHook && !keyboardHook) {
            SetProblem(Lang(app, kHookText) + " " + LastErrorText());
            Stop();
            return false;
        }
        g_hooked = this;
    }
    if (toneWanted) {
        tone = std::make_unique<SideTone>(page, toneSettings);
        if (tone->failed()) {
            tone.reset();
            SetProblem(Lang(app, kSilentText));
        }
    }
    running = true;
    return true;
}

void KeyingCore::Stop() {
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    if (mouseHook)
        UnhookWindowsHookEx(mouseHook);
    keyboardHook = mouseHook = nullptr;
    if (g_hooked == this)
        g_hooked = nullptr;
    if (serialThread) {
        // Next returns as soon as the stop event is set (its waits include
        // it), and the thread uses this object and the line source: wait
        // for it to end before either goes.
        SetEvent(serialStop);
        WaitForSingleObject(serialThread, INFINITE);
        CloseHandle(serialThread);
        serialThread = nullptr;
    }
    lines.reset();
    if (serialStop) {
        CloseHandle(serialStop);
        serialStop = nullptr;
    }
    keyer.reset(); // lets a keyed element up
    if (straightDown && GetCapture() == page)
        ReleaseCapture();
    straightDown = dotDown = dashDown = false;
    bool down;
    {
        std::lock_guard<std::mutex> lock(mutex);
        down = keyDown;
    }
    if (down)
        Output(false, KeyingClockMs());
    tone.reset();
    running = false;
}

namespace {

SideToneSettings ToneOf(AppConfig& app, const KeyingSettings& keying) {
    SideToneSettings t;
    t.sampleRate = app.GetSPS();
    t.frequency = app.GetFrequency();
    t.volume = app.GetVolume();
    t.toneShape = app.GetToneShape();
    t.soundType = app.GetSoundType();
    t.unitMs = UsesKeyer(keying) ? UnitMsOfSpeed(kKeyerKind, keying.keyerSpeed) : 0;
    return t;
}

} // namespace

KeyingSession::KeyingSession(HWND page, AppConfig& app) {
    const KeyingSettings keying = ReadKeyingSettings(app);
    core_ = std::make_unique<KeyingCore>(page, app, keying, ToneOf(app, keying), true);
}

KeyingSession::KeyingSession(HWND page, AppConfig& app, const KeyingSettings& keying,
                             const SideToneSettings& tone, bool sideTone)
    : core_(std::make_unique<KeyingCore>(page, app, keying, tone, sideTone)) {}

KeyingSession::~KeyingSession() {
    core_->Stop();
}

bool KeyingSession::Start() {
    return core_->Start();
}

void KeyingSession::Stop() {
    core_->Stop();
}

bool KeyingSession::Running() const {
    return core_->running;
}

void KeyingSession::SetKeyingArea(HWND area) {
    core_->area = area;
}

KeyTimes KeyingSession::TakePresses() {
    std::lock_guard<std::mutex> lock(core_->mutex);
    KeyTimes taken;
    taken.swap(core_->pending);
    return taken;
}

bool KeyingSession::KeyIsDown() const {
    std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->keyDown;
}

std::string KeyingSession::Problem() const {
    std::lock_guard<std::mutex> lock(core_->mutex);
    return core_->problem;
}

bool KeyingSession::SideToneSounds() const {
    return core_->tone != nullptr;
}

const KeyingSettings& KeyingSession::Settings() const {
    return core_->keying;
}
