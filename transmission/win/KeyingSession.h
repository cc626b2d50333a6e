// The keying session a transmission page owns: the key input chosen in
// [Transmission] (keyboard key, mouse button over a keying area, paddles on
// two keys through the iambic keyer, or a serial port's lines), the keyer
// thread and the side tone. The page creates it, starts it, and reads the
// presses when told; it does not forward key messages: the session watches
// the page's thread through thread-local hooks (WH_KEYBOARD, WH_MOUSE) while
// started, and takes the keying keys only while the page is visible and its
// top-level window active (they are then swallowed, so Space does not press a
// button). One session on a thread listens at a time: starting another one
// stops the first.
//
// Threading: construct, Start, Stop, TakePresses and the rest on the page's
// thread. Key times come from KeyingClockMs when the event arrives (hook,
// serial thread) or, through the keyer, are the keyer's exact element times.
//
// Messages posted to the page window (wParam/lParam as noted):
//   PM_KEYING_EDGE    wParam 1 key down, 0 key up (the keyed output, after
//                     the keyer): show the key state, restart a gap timer.
//   PM_KEYING_PRESS   a press has ended: call TakePresses() (several presses
//                     may have come by then; the message only wakes the page).
//   PM_KEYING_PROBLEM the input failed while running (port unplugged): show
//                     Problem(); the session has stopped its input.
#pragma once

#include "transmission/KeyTiming.h"
#include "transmission/KeyingSettings.h"
#include "transmission/win/SideTone.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class AppConfig;
struct KeyingCore;

enum : UINT {
    PM_KEYING_EDGE = 0x8040,
    PM_KEYING_PRESS = 0x8041,
    PM_KEYING_PROBLEM = 0x8042,
};

class KeyingSession {
public:
    // Settings from [Transmission] and the sound settings of `app`; texts of
    // messages in app's language.
    KeyingSession(HWND page, AppConfig& app);
    // Explicit settings (tests); sideTone false keeps the side tone closed.
    KeyingSession(HWND page, AppConfig& app, const KeyingSettings& keying, const SideToneSettings& tone,
                  bool sideTone = true);
    ~KeyingSession(); // Stop()
    KeyingSession(const KeyingSession&) = delete;
    KeyingSession& operator=(const KeyingSession&) = delete;

    // Opens the input and the side tone and starts listening. False when the
    // input cannot be used (port cannot be opened, hooks refused): Problem()
    // says why, in the page's language. A side tone that
    // cannot be opened leaves keying working, silent, with Problem() set and
    // true returned.
    bool Start();
    // Stops input, keyer and side tone; a key held down is released (its
    // press ends now). Safe to call twice.
    void Stop();
    bool Running() const;

    // Mouse input: the window over which a held left button keys (any child
    // of the page; the session checks the cursor against its rectangle).
    void SetKeyingArea(HWND area);

    // Presses of the keyed output (keying clock ms) ended since the last
    // call, in order.
    KeyTimes TakePresses();
    // Keyed output down now.
    bool KeyIsDown() const;
    // The last problem's text ("" when none).
    std::string Problem() const;
    bool SideToneSounds() const;
    const KeyingSettings& Settings() const;

private:
    std::unique_ptr<KeyingCore> core_;
};

// The left/right-specific virtual key of a keyboard message as a keyboard
// hook sees it: VK_CONTROL, VK_SHIFT and VK_MENU become VK_L.../VK_R... from
// the extended-key bit (Ctrl, Alt; with the key states for input injected
// without it) or the scan code (Shift) of lParam; other keys are returned as
// they are. Wine takes a right Ctrl injected without the extended-key flag
// for the left one.
int SpecificVirtualKey(WPARAM vk, LPARAM lParam);
