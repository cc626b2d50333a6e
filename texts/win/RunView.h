// The clocks, text box and large-display view of the competition run page,
// shared by every page laid out like it (the run page and the player page
// use the same control identifiers for them).
#pragma once

#include "texts/CompetitionRun.h"

#include <windows.h>

#include <cstdint>

class Application;

namespace runview {

const int kTextBox = 1027, kMode = 1321;
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

// Places the large-view clocks for a client size, only while the large
// view is on (sending: total, speed and text time; else speed and pause).
void LayoutLargeView(HWND page, bool sending, int width, int height);
// Shows the view the mode button asks for; `alsoNormal` lists further
// controls that only the normal view shows.
void SwitchView(HWND page, bool sending, int width, int height, const int* alsoNormal = nullptr,
                size_t alsoCount = 0);

} // namespace runview
