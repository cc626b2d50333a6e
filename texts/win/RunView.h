// The clocks, text box and large-display view of the competition run page,
// shared by every page laid out like it (the run page and the player page
// use the same control identifiers for them).
#pragma once

#include "sound/MorsePlayerApi.h"
#include "texts/CompetitionRun.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class Application;

// What a page laid out like the run page keeps for its clocks, its large
// view and its player.
struct RunClocks {
    int speed = 0; // of the text being sent
    int preambleLength = 0;
    bool sending = false; // a text is being sent (not the pause after it)
    uint32_t runStart = 0, pauseStart = 0;
    int clientWidth = 0, clientHeight = 0;
    std::unique_ptr<IMorsePlayer> player; // only while the page is shown
};

namespace runview {

const int kTextBox = 1027, kMode = 1321;
const int kBack = 1014, kStop = 1247, kStart = 1174;
const UINT_PTR kRunTimer = 0;
const UINT kRunTimerPeriod = 100;
// Normal view: clocks and the labels over them.
const int kSpeedClock = 1075, kSpeedLabel = 1076;
const int kTextClock = 1282, kTextLabel = 1281;
const int kPauseClock = 1069, kPauseLabel = 1283;
const int kTotalClock = 1285, kTotalLabel = 1284;
// Large view.
const int kBigSpeedClock = 1077, kBigSpeedLabel = 1078;
const int kBigTextClock = 1286, kBigTextLabel = 1288;
const int kBigPauseClock = 1071, kBigPauseLabel = 1072;
const int kBigTotalClock = 1287, kBigTotalLabel = 1289;

// Each quantity is shown on its normal and its large clock at once; -1
// shows "--:--".
void ShowTextTime(HWND page, int64_t ms);
void ShowPauseTime(HWND page, int64_t ms);
void ShowTotalTime(HWND page, int64_t ms);
void ShowSpeed(HWND page, int speed);
void DashAllTimes(HWND page);
// Text, pause and total clocks "--:--", both speed clocks 0.
void InitClocks(HWND page);

// What one tick of the run clock shows: clocks and the text box highlight.
void ShowClockStep(HWND page, const RunClockStep& step);

// The display colours and text box size of the settings.
void ApplyColours(HWND page, Application& app);

// The texts the run view's controls share on every such page: Back, the
// clock labels, Start, Stop and Mode, keys `family`_02 to `family`_09.
void LoadRunViewTexts(HWND page, Application& app, const char* family);

// Anchors the run view's controls from the size the state keeps to the new
// one, then lays out the large view; the page keeps the new size.
void LayoutRunView(HWND page, const RunClocks& clocks, int width, int height);
void LayoutLargeView(HWND page, const RunClocks& clocks);

// Sends a text: `sent` at `speed` in the characters of `kind`.
void StartSending(Application& app, RunClocks& clocks, int kind, const SentText& sent);

// Ticks count only while a run is on (Stop enabled) and a player exists; a
// late tick must never reach a player the hidden page destroyed. False (the
// timer killed) otherwise.
bool RunTickAllowed(HWND page, const RunClocks& clocks);
// Reads the player for one tick, shows the clocks and the highlight, and
// says what the page does next.
RunClockStep TickRunClock(HWND page, const RunClocks& clocks, int interval, uint32_t now);

// Stop's common part: Stop disabled, no ticks, the player paused, clocks
// dashed.
void HaltRun(HWND page, RunClocks& clocks);
// The page hidden: should anything hide it during a run, it stops first, so
// no tick can reach the player destroyed here.
void ReleaseRun(HWND page, RunClocks& clocks);

// Places the large-view clocks for a client size, only while the large
// view is on (sending: total, speed and text time; else speed and pause).
void LayoutLargeView(HWND page, bool sending, int width, int height);
// Shows the view the mode button asks for; `alsoNormal` lists further
// controls that only the normal view shows.
void SwitchView(HWND page, bool sending, int width, int height, const int* alsoNormal = nullptr,
                size_t alsoCount = 0);

} // namespace runview
