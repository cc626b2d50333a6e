#include "texts/win/RunView.h"

#include "app/win/Application.h"
#include "controls/ControlMessages.h"
#include "texts/CompetitionRun.h"

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
    const LPARAM caption = app.GetCaptionColor();
    Send(page, 1004, ATL_SETCOLOR, 0, caption);
    Send(page, 1070, ATL_SETCOLOR, 0, caption);
    Send(page, kTextBox, ATB_SETTEXTCOLOR, 0, app.GetTextBoxTColor());
    Send(page, kTextBox, ATB_SETHIGHLIGHTCOLOR, 0, app.GetTextBoxHColor());
    Send(page, kTextBox, ATB_SETMARKCOLOR, 0, app.GetTextBoxMTColor());
    Send(page, kTextBox, ATB_SETMARKHIGHLIGHTCOLOR, 0, app.GetTextBoxMHColor());
    Send(page, kTextBox, ATB_SETBKCOLOR, 0, app.GetTextBoxBColor());
    Send(page, kTextBox, ATB_SETCOLUMNS, 0, app.GetTextBoxWidth());
    Send(page, kTextBox, ATB_SETROWS, 0, app.GetTextBoxHeight());
    for (int clock : {kTextClock, kPauseClock, kBigTextClock, kBigPauseClock}) {
        Send(page, clock, ATM_SETTEXTCOLOR, 0, app.GetSTimerTColor());
        Send(page, clock, ATM_SETBKCOLOR, 0, app.GetSTimerBColor());
    }
    for (int clock : {kTotalClock, kBigTotalClock}) {
        Send(page, clock, ATM_SETTEXTCOLOR, 0, app.GetFTimerTColor());
        Send(page, clock, ATM_SETBKCOLOR, 0, app.GetFTimerBColor());
    }
    for (int clock : {kSpeedClock, kBigSpeedClock}) {
        Send(page, clock, ATM_SETTEXTCOLOR, 0, app.GetSpeedTColor());
        Send(page, clock, ATM_SETBKCOLOR, 0, app.GetSpeedBColor());
    }
    for (int label : {kSpeedLabel, kTextLabel, kPauseLabel, kTotalLabel, kBigSpeedLabel, kBigTextLabel,
                      kBigPauseLabel, kBigTotalLabel})
        Send(page, label, ATL_SETCOLOR, 0, app.GetLabelColor());
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
