// Keying under Wine: the serial path through a scripted line source, keys
// and the mouse button injected with SendInput at keying-clock times the
// test sets, the paddles through the real-time keyer, and the side tone's
// life without a sound card (as on CI). A real serial adapter on a real
// Windows cannot be tested here.
#include "config/AppConfig.h"
#include "config/Languages.h"
#include "transmission/KeyTiming.h"
#include "transmission/win/KeyingClock.h"
#include "transmission/win/KeyingSession.h"
#include "transmission/win/SerialLines.h"
#include "transmission/win/SideTone.h"

#include "WinTestUtil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>

namespace {

// Keying clock of the tests: a time the test sets, or a queue of times, one
// per reading, for several events injected at once.
std::atomic<double> g_now{0};
std::mutex g_queueLock;
std::deque<double> g_queue;
double SetTime() {
    return g_now.load();
}
double QueuedTime() {
    std::lock_guard<std::mutex> lock(g_queueLock);
    if (g_queue.empty())
        return -1; // a reading the test did not expect shows as a wrong time
    const double t = g_queue.front();
    g_queue.pop_front();
    return t;
}

std::string Russian(const char* key) {
    return FindBuiltIn(key)->russian;
}

std::string Replaced(std::string text, const char* from, const std::string& to) {
    return text.replace(text.find(from), std::char_traits<char>::length(from), to);
}

// The line changes of a script, at their own times or, with realTime, at
// those offsets from the first reading on the real keying clock.
class ScriptedLines : public ILineSource {
public:
    std::vector<LineState> script;
    bool realTime = false;
    bool failAtEnd = false;
    std::string openError;
    std::vector<double>* seen = nullptr; // the times given, in real time

    bool Open(std::string& error) override {
        error = openError;
        return openError.empty();
    }
    bool Next(HANDLE stop, LineState& state, bool& failed) override {
        failed = false;
        if (next_ < script.size()) {
            state = script[next_++];
            if (realTime) {
                if (next_ == 1)
                    origin_ = KeyingClockMs();
                while (KeyingClockMs() < origin_ + state.ms)
                    if (WaitForSingleObject(stop, 1) == WAIT_OBJECT_0)
                        return false;
                state.ms = KeyingClockMs();
                seen->push_back(state.ms);
            }
            return true;
        }
        if (failAtEnd) {
            failed = true;
            return false;
        }
        WaitForSingleObject(stop, INFINITE);
        return false;
    }

private:
    size_t next_ = 0;
    double origin_ = 0;
};

// The page: counts the problems it is told of.
int g_problems = 0;
LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PM_KEYING_PROBLEM)
        ++g_problems;
    return DefWindowProcA(window, message, wParam, lParam);
}

class KeyingTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PageProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KeyingTestPage";
        RegisterClassA(&wc); // fails harmlessly from the second test on
        g_problems = 0;
        // A page is a child of the main window, as in the program.
        main = CreateWindowExA(0, "KeyingTestPage", "main", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        page = CreateWindowExA(0, "KeyingTestPage", "page", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, main,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        area = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 100, 50, 100, 100, page, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(main);
        SetActiveWindow(main);
        SetFocus(page);
    }
    void TearDown() override {
        SetLineSourceFactory(nullptr);
        SetKeyingClockSource(nullptr);
        DestroyWindow(main);
        testutil::Pump();
    }

    // Handles the queue until the session has given `count` presses in all.
    bool WaitForPresses(KeyingSession& session, size_t count, DWORD limitMs = 3000) {
        return testutil::PumpUntil(
            [&] {
                for (const KeyPress& p : session.TakePresses())
                    presses.push_back(p);
                return presses.size() >= count;
            },
            limitMs);
    }

    void Keys(std::initializer_list<std::pair<WORD, DWORD>> keys) {
        std::vector<INPUT> inputs;
        for (const auto& k : keys) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = k.first;
            input.ki.dwFlags = k.second;
            inputs.push_back(input);
        }
        ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    }

    void Queue(std::initializer_list<double> times) {
        std::lock_guard<std::mutex> lock(g_queueLock);
        g_queue.assign(times.begin(), times.end());
    }

    AppConfig app;
    HWND main = nullptr, page = nullptr, area = nullptr;
    KeyTimes presses;
    const SideToneSettings tone;
};

} // namespace

// A straight key on either line: presses at the script's times, the other
// line ignored; a port lost while the key is down ends the press and says
// so; a port that cannot be opened (scripted, and a real one that is not
// there) gives the message with the system's reason.
TEST_F(KeyingTest, SerialStraightKeyGivesThePressesOfItsLine) {
    const std::vector<LineState> script = {{0, false, false},  {100, true, false}, {150, true, true},
                                           {180, false, true}, {300, true, true},  {340, false, false}};
    struct Case {
        SerialLine dot;
        KeyTimes expected;
    };
    for (const Case& c :
         {Case{SerialLine::Cts, {{100, 180}, {300, 340}}}, Case{SerialLine::Dsr, {{150, 340}}}}) {
        std::string port;
        SetLineSourceFactory([&](const std::string& p) {
            port = p;
            auto lines = std::make_unique<ScriptedLines>();
            lines->script = script;
            return lines;
        });
        KeyingSettings keying;
        keying.input = KeyingInput::Serial;
        keying.port = "COM3";
        keying.serialDot = c.dot;
        keying.serialDash = c.dot == SerialLine::Cts ? SerialLine::Dsr : SerialLine::Cts;
        KeyingSession session(page, app, keying, tone, false);
        presses.clear();
        ASSERT_TRUE(session.Start()) << session.Problem();
        EXPECT_EQ(port, "COM3");
        ASSERT_TRUE(WaitForPresses(session, c.expected.size()));
        session.Stop();
        ASSERT_EQ(presses.size(), c.expected.size());
        for (size_t i = 0; i < presses.size(); ++i) {
            EXPECT_EQ(presses[i].downMs, c.expected[i].downMs) << i;
            EXPECT_EQ(presses[i].upMs, c.expected[i].upMs) << i;
        }
    }

    SetKeyingClockSource(SetTime);
    g_now = 777;
    SetLineSourceFactory([&](const std::string&) {
        auto lines = std::make_unique<ScriptedLines>();
        lines->script = {{500, true, false}};
        lines->failAtEnd = true;
        return lines;
    });
    KeyingSettings keying;
    keying.input = KeyingInput::Serial;
    keying.port = "COM4";
    {
        KeyingSession session(page, app, keying, tone, false);
        presses.clear();
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(testutil::PumpUntil([&] { return g_problems == 1; }));
        EXPECT_EQ(session.Problem(), Replaced(Russian("PY_03"), "%1", "COM4"));
        ASSERT_TRUE(WaitForPresses(session, 1));
        EXPECT_EQ(presses[0].downMs, 500);
        EXPECT_EQ(presses[0].upMs, 777) << "the press ends when the port was lost";
        EXPECT_FALSE(session.KeyIsDown());
    }

    SetLineSourceFactory([&](const std::string&) {
        auto lines = std::make_unique<ScriptedLines>();
        lines->openError = "Access is denied.";
        return lines;
    });
    keying.port = "COM7";
    {
        KeyingSession session(page, app, keying, tone, false);
        EXPECT_FALSE(session.Start());
        EXPECT_FALSE(session.Running());
        EXPECT_EQ(session.Problem(),
                  Replaced(Replaced(Russian("PY_01"), "%1", "COM7"), "%2", "Access is denied."));
    }
    SetLineSourceFactory(nullptr);
    for (const char* missing : {"COM199", "LPT1"}) {
        keying.port = missing;
        KeyingSession session(page, app, keying, tone, false);
        EXPECT_FALSE(session.Start());
        const std::string prefix = Replaced(Replaced(Russian("PY_01"), "%1", missing), "%2", "");
        EXPECT_EQ(session.Problem().compare(0, prefix.size(), prefix), 0) << session.Problem();
        EXPECT_GT(session.Problem().size(), prefix.size()) << "the system's reason follows";
    }
    EXPECT_EQ(ComDevicePath("com12"), "\\\\.\\COM12");
    EXPECT_EQ(ComDevicePath("COM0"), "");
    EXPECT_EQ(ComDevicePath("COM1x"), "");
}

// Paddles on the lines drive the keyer in real time: the elements have the
// keyer's exact lengths and spacing, however late its thread woke, and a
// paddle held over several elements repeats them.
TEST_F(KeyingTest, SerialPaddlesThroughTheRealTimeKeyerGiveExactElements) {
    KeyingSettings keying;
    keying.input = KeyingInput::Serial;
    keying.serialPaddles = true;
    keying.keyerSpeed = 100;
    const double u = UnitMsOfSpeed(kKeyerKind, 100);
    std::vector<double> seen;
    SetLineSourceFactory([&](const std::string&) {
        auto lines = std::make_unique<ScriptedLines>();
        // Dot paddle (CTS) held over 5 units: dots at 0, 2 and 4 units; dash
        // paddle (DSR) from 8 units held over 5 units: dashes at 8 and 12.
        lines->script = {{0, false, false},
                         {u, true, false},
                         {6 * u, false, false},
                         {9 * u, false, true},
                         {14 * u, false, false}};
        lines->realTime = true;
        lines->seen = &seen;
        return lines;
    });
    KeyingSession session(page, app, keying, tone, false);
    ASSERT_TRUE(session.Start());
    ASSERT_TRUE(WaitForPresses(session, 5, 5000));
    session.Stop();
    ASSERT_EQ(presses.size(), 5u);
    ASSERT_EQ(seen.size(), 5u);
    const double dot = seen[1], dash = seen[3];
    const double starts[] = {dot, dot + 2 * u, dot + 4 * u, dash, dash + 4 * u};
    const double lengths[] = {u, u, u, 3 * u, 3 * u};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(presses[i].downMs, starts[i], 1e-6) << i;
        EXPECT_NEAR(presses[i].upMs - presses[i].downMs, lengths[i], 1e-6) << i;
    }
}

// A straight key on Space: autorepeat does not restart the press, and keys
// pressed while the page is hidden do not key.
TEST_F(KeyingTest, KeyboardStraightKeyTakesTheTimesOfItsEvents) {
    SetKeyingClockSource(QueuedTime);
    KeyingSettings keying; // Keyboard, Space
    KeyingSession session(page, app, keying, tone, false);
    ASSERT_TRUE(session.Start());
    Queue({1000, 1100, 1250});
    Keys({{VK_SPACE, 0}, {VK_SPACE, 0}, {VK_SPACE, KEYEVENTF_KEYUP}}); // the second down repeats
    ASSERT_TRUE(WaitForPresses(session, 1));
    ShowWindow(page, SW_HIDE);
    Queue({2000, 2100});
    Keys({{VK_SPACE, 0}, {VK_SPACE, KEYEVENTF_KEYUP}});
    testutil::PumpUntil([] { return false; }, 100);
    ShowWindow(page, SW_SHOW);
    Queue({3000, 3040});
    Keys({{VK_SPACE, 0}, {VK_SPACE, KEYEVENTF_KEYUP}});
    ASSERT_TRUE(WaitForPresses(session, 2));
    testutil::Pump();
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].downMs, 1000);
    EXPECT_EQ(presses[0].upMs, 1250);
    EXPECT_EQ(presses[1].downMs, 3000) << "keys pressed while the page was hidden key nothing";
    EXPECT_EQ(presses[1].upMs, 3040);
}

// Paddles on the left and right Ctrl keys: the right one (an extended key,
// as keyboards send it) gives a dash, the left one a dot, each at the time
// its key went down, ending where the keyer ends the element.
TEST_F(KeyingTest, PaddlesOnLeftAndRightCtrlAreToldApart) {
    SetKeyingClockSource(SetTime);
    KeyingSettings keying;
    keying.input = KeyingInput::Paddles;
    keying.keyerSpeed = 200;
    const double u = UnitMsOfSpeed(kKeyerKind, 200);
    KeyingSession session(page, app, keying, tone, false);
    ASSERT_TRUE(session.Start());
    struct Stroke {
        WORD key;
        DWORD extended;
        double at;
        double length;
    };
    const Stroke strokes[] = {{VK_RCONTROL, KEYEVENTF_EXTENDEDKEY, 1000, 3 * u},
                              {VK_LCONTROL, 0, 5000, u},
                              {VK_CONTROL, KEYEVENTF_EXTENDEDKEY, 8000, 3 * u},
                              {VK_CONTROL, 0, 11000, u}};
    size_t count = 0;
    for (const Stroke& s : strokes) {
        g_now = s.at;
        Keys({{s.key, s.extended}});
        ASSERT_TRUE(testutil::PumpUntil([&] { return session.KeyIsDown(); })) << s.at;
        Keys({{s.key, s.extended | KEYEVENTF_KEYUP}});
        testutil::PumpUntil([&] { return GetQueueStatus(QS_INPUT) == 0; }, 200);
        g_now = s.at + 10 * u; // the keyer's thread ends the element on its next wake
        ASSERT_TRUE(WaitForPresses(session, ++count)) << s.at;
        EXPECT_EQ(presses.back().downMs, s.at);
        EXPECT_NEAR(presses.back().upMs - presses.back().downMs, s.length, 1e-6) << s.at;
    }
}

// The left button keys only over the keying area, at its events' times.
TEST_F(KeyingTest, MouseButtonKeysOverTheKeyingArea) {
    SetKeyingClockSource(QueuedTime);
    KeyingSettings keying;
    keying.input = KeyingInput::Mouse;
    KeyingSession session(page, app, keying, tone, false);
    session.SetKeyingArea(area);
    ASSERT_TRUE(session.Start());
    auto click = [&](int x, int y) {
        SetCursorPos(x, y);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);
    };
    RECT r;
    GetWindowRect(area, &r);
    Queue({400, 420});
    click(r.left - 20, r.top + 10); // on the page beside the area: no key
    testutil::PumpUntil([] { return GetQueueStatus(QS_INPUT) == 0; }, 200);
    click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(WaitForPresses(session, 1));
    testutil::Pump();
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].downMs, 400);
    EXPECT_EQ(presses[0].upMs, 420);
}

// Without a sound card the side tone fails at once, keying goes on silent
// with the message, and stopping returns promptly.
TEST_F(KeyingTest, WithoutASoundCardKeyingGoesOnSilently) {
    const char* mode = std::getenv("KLAVIRO_SOUND");
    if (mode && std::string(mode) == "capture")
        GTEST_SKIP() << "a sound card is there";
    SetKeyingClockSource(QueuedTime);
    KeyingSettings keying;
    KeyingSession session(page, app, keying, tone, true);
    ASSERT_TRUE(session.Start());
    EXPECT_FALSE(session.SideToneSounds());
    EXPECT_EQ(session.Problem(), Russian("PY_02"));
    Queue({10, 60});
    Keys({{VK_SPACE, 0}, {VK_SPACE, KEYEVENTF_KEYUP}});
    ASSERT_TRUE(WaitForPresses(session, 1));
    EXPECT_EQ(presses[0].upMs, 60);

    for (int i = 0; i < 3; ++i) {
        const DWORD begin = GetTickCount();
        {
            SideTone side(page, tone);
            EXPECT_TRUE(side.failed());
            side.KeyDown();
            side.KeyUp();
        }
        EXPECT_LT(GetTickCount() - begin, 1500u);
    }
}
