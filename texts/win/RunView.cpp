#include "texts/win/RunView.h"

#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "controls/ControlMessages.h"
#include "sound/MorseTable.h"
#include "texts/CompetitionRun.h"

#include <string>

namespace runview {

namespace {

const int kNormalView[] = {kTextBox,    kSpeedClock, kTextClock,  kPauseClock, kTotalClock,
                           kSpeedLabel, kTextLabel,  kPauseLabel, kTotalLabel};
const int kLargeView[] = {kBigSpeedClock, kBigTextClock, kBigPauseClock, kBigTotalClock,
                          kBigSpeedLabel, kBigTextLabel, kBigPauseLabel, kBigTotalLabel};

void Send(HWND page, int control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendDlgItemMessageA(page, control, message, wParam, lParam);
}

void ShowTime(HWND page, int normal, int large, int64_t ms) {
    Send(page, normal, ATM_SETTIME, 0, static_cast<LPARAM>(ms));
    Send(page, large, ATM_SETTIME, 0, static_cast<LPARAM>(ms));
}

bool HasVisibleStyle(HWND page, int control) {
    return (GetWindowLongA(GetDlgItem(page, control), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Place(HWND page, int control, const LargeViewPlace& place) {
    HWND item = GetDlgItem(page, control);
    if (!place.shown) {
        ShowWindow(item, SW_HIDE);
        return;
    }
    MoveWindow(item, place.rect.left, place.rect.top, place.rect.width, place.rect.height, TRUE);
    ShowWindow(item, SW_SHOW);
}

} // namespace

void ShowTextTime(HWND page, int64_t ms) {
    ShowTime(page, kTextClock, kBigTextClock, ms);
}
void ShowPauseTime(HWND page, int64_t ms) {
    ShowTime(page, kPauseClock, kBigPauseClock, ms);
}
void ShowTotalTime(HWND page, int64_t ms) {
    ShowTime(page, kTotalClock, kBigTotalClock, ms);
}
void ShowSpeed(HWND page, int speed) {
    Send(page, kSpeedClock, ATM_SETNUMBER, 0, speed);
    Send(page, kBigSpeedClock, ATM_SETNUMBER, 0, speed);
}
void DashAllTimes(HWND page) {
    ShowTextTime(page, -1);
    ShowPauseTime(page, -1);
    ShowTotalTime(page, -1);
}
void InitClocks(HWND page) {
    DashAllTimes(page);
    ShowSpeed(page, 0);
}

void ShowClockStep(HWND page, const RunClockStep& step) {
    ShowTotalTime(page, step.totalTime);
    if (step.setTextClock)
        ShowTextTime(page, step.textClock);
    if (step.setSelection)
        Send(page, kTextBox, ATB_SETSEL, static_cast<WPARAM>(step.selection.first),
             static_cast<LPARAM>(step.selection.last));
    if (step.setPauseClock)
        ShowPauseTime(page, step.pauseClock);
}

void ApplyColours(HWND page, Application& app) {
    ShowCaption(page, 1004, app);
    ShowCaption(page, 1070, app);
    ApplyTextBoxLook(page, kTextBox, app);
    for (int clock : {kTextClock, kPauseClock, kBigTextClock, kBigPauseClock})
        ApplyClockLook(page, clock, app, ClockLook::Part);
    for (int clock : {kTotalClock, kBigTotalClock})
        ApplyClockLook(page, clock, app, ClockLook::Total);
    for (int clock : {kSpeedClock, kBigSpeedClock})
        ApplyClockLook(page, clock, app, ClockLook::Speed);
    for (int label : {kSpeedLabel, kTextLabel, kPauseLabel, kTotalLabel, kBigSpeedLabel, kBigTextLabel,
                      kBigPauseLabel, kBigTotalLabel})
        Send(page, label, ATL_SETCOLOR, 0, app.GetLabelColor());
}

void LoadRunViewTexts(HWND page, Application& app, const char* family) {
    struct ViewText {
        int control;
        const char* number;
        const char* builtIn;
    };
    static const ViewText kTexts[] = {
        {kBack, "_02", "<< Назад"},
        {kSpeedLabel, "_03", "Скорость"},
        {kBigSpeedLabel, "_03", "Скорость"},
        {kTextLabel, "_04", "Время текста"},
        {kBigTextLabel, "_04", "Время текста"},
        {kPauseLabel, "_05", "Пауза"},
        {kBigPauseLabel, "_05", "Пауза"},
        {kTotalLabel, "_06", "Общее время"},
        {kBigTotalLabel, "_06", "Общее время"},
        {kStart, "_07", "Начать"},
        {kStop, "_08", "Закончить"},
        {kMode, "_09", "Режим"},
    };
    for (const ViewText& t : kTexts) {
        const std::string key = std::string(family) + t.number;
        const PageText text{t.control, key.c_str(), t.builtIn};
        LoadPageTexts(page, app, &text, 1);
    }
}

void LayoutRunView(HWND page, const RunClocks& clocks, int width, int height) {
    static const PageAnchor kAnchors[] = {
        {kPauseClock, kFollowTopRight}, {kTotalClock, kFollowTopRight}, {kPauseLabel, kFollowTopRight},
        {kTotalLabel, kFollowTopRight}, {kTextBox, kFollowBoth},        {kStart, kFollowBottomRight},
        {kStop, kFollowBottomRight},    {kMode, kFollowBottomRight},    {kBack, kFollowBottomLeft},
    };
    AnchorControls(page, kAnchors, SIZE{clocks.clientWidth, clocks.clientHeight}, SIZE{width, height});
    LayoutLargeView(page, clocks.sending, width, height);
}

void LayoutLargeView(HWND page, const RunClocks& clocks) {
    LayoutLargeView(page, clocks.sending, clocks.clientWidth, clocks.clientHeight);
}

void StartSending(Application& app, RunClocks& clocks, int kind, const SentText& sent) {
    const int unit = unitSamples(kind, clocks.speed, app.GetSPS());
    clocks.preambleLength = sent.markA;
    clocks.player->start(sent.sent, unit, app.GetStartDelay(), app.GetFrequency(), sent.markA, sent.markB,
                         -1);
    clocks.player->pause(false);
}

bool RunTickAllowed(HWND page, const RunClocks& clocks) {
    if (clocks.player && IsWindowEnabled(GetDlgItem(page, kStop)))
        return true;
    KillTimer(page, kRunTimer);
    return false;
}

RunClockStep TickRunClock(HWND page, const RunClocks& clocks, int interval, uint32_t now) {
    IMorsePlayer& player = *clocks.player;
    RunClockInput in{};
    in.now = now;
    in.runStart = clocks.runStart;
    in.pauseStart = clocks.pauseStart;
    in.sending = clocks.sending;
    in.markA = player.markTimeA();
    in.markB = player.markTimeB();
    in.currentCharacter = player.currentCharacter();
    in.playing = player.isPlaying();
    in.preambleLength = clocks.preambleLength;
    in.speed = clocks.speed;
    in.interval = interval;
    const RunClockStep step = DecideRunClock(in);
    ShowClockStep(page, step);
    return step;
}

void HaltRun(HWND page, RunClocks& clocks) {
    EnableControl(page, kStop, FALSE);
    KillTimer(page, kRunTimer);
    if (clocks.player)
        clocks.player->pause(true);
    DashAllTimes(page);
}

void ReleaseRun(HWND page, RunClocks& clocks) {
    ClickControl(page, kStop);
    KillTimer(page, kRunTimer);
    clocks.player.reset();
}

// The window style is asked rather than IsWindowVisible, so that a resize
// while the page is hidden still counts.
void LayoutLargeView(HWND page, bool sending, int width, int height) {
    if (!HasVisibleStyle(page, kBigSpeedClock))
        return;
    const LargeViewLayout l = ComputeLargeView(width, height, sending);
    Place(page, kBigSpeedClock, l.speedClock);
    Place(page, kBigSpeedLabel, l.speedLabel);
    Place(page, kBigTextClock, l.textClock);
    Place(page, kBigTextLabel, l.textLabel);
    Place(page, kBigPauseClock, l.pauseClock);
    Place(page, kBigPauseLabel, l.pauseLabel);
    Place(page, kBigTotalClock, l.totalClock);
    Place(page, kBigTotalLabel, l.totalLabel);
}

void SwitchView(HWND page, bool sending, int width, int height, const int* alsoNormal, size_t alsoCount) {
    const bool large = IsDlgButtonChecked(page, kMode) == BST_CHECKED;
    for (int control : kNormalView)
        ShowWindow(GetDlgItem(page, control), large ? SW_HIDE : SW_SHOW);
    for (size_t i = 0; i < alsoCount; ++i)
        ShowWindow(GetDlgItem(page, alsoNormal[i]), large ? SW_HIDE : SW_SHOW);
    for (int control : kLargeView)
        ShowWindow(GetDlgItem(page, control), large ? SW_SHOW : SW_HIDE);
    LayoutLargeView(page, sending, width, height);
}

} // namespace runview
