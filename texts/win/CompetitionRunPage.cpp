// Competition reception run page (page 15): sends one-minute texts at rising
// speeds, each with its preamble and AR, writes them to the control-text
// file, and keeps four clocks, in a normal and a large-display view.
#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "controls/ControlMessages.h"
#include "sound/MorseTable.h"
#include "texts/CompetitionRun.h"
#include "texts/ControlTextFile.h"
#include "texts/Random.h"
#include "texts/TextGenerator.h"

#include <ctime>

namespace {

const int kCaption = 1004, kTitle = 1070, kTextBox = 1027;
const int kBack = 1014, kMode = 1321, kStop = 1247, kStart = 1174;
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

const UINT_PTR kRunTimer = 0;
const UINT kRunTimerPeriod = 100;

const int kNormalView[] = {kTextBox,    kSpeedClock, kTextClock,  kPauseClock, kTotalClock,
                           kSpeedLabel, kTextLabel,  kPauseLabel, kTotalLabel};
const int kLargeView[] = {kBigSpeedClock, kBigTextClock, kBigPauseClock, kBigTotalClock,
                          kBigSpeedLabel, kBigTextLabel, kBigPauseLabel, kBigTotalLabel};

const PageText kTexts[] = {
    {kTitle, "PSI_01", "Соревнования по приему"},
    {kBack, "PSI_02", "<< Назад"},
    {kSpeedLabel, "PSI_03", "Скорость"},
    {kBigSpeedLabel, "PSI_03", "Скорость"},
    {kTextLabel, "PSI_04", "Время текста"},
    {kBigTextLabel, "PSI_04", "Время текста"},
    {kPauseLabel, "PSI_05", "Пауза"},
    {kBigPauseLabel, "PSI_05", "Пауза"},
    {kTotalLabel, "PSI_06", "Общее время"},
    {kBigTotalLabel, "PSI_06", "Общее время"},
    {kStart, "PSI_07", "Начать"},
    {kStop, "PSI_08", "Закончить"},
    {kMode, "PSI_09", "Режим"},
};

void Send(HWND page, int control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendDlgItemMessageA(page, control, message, wParam, lParam);
}

// Each quantity is shown on its normal and its large clock at once.
void ShowTime(HWND page, int normal, int large, int64_t ms) {
    Send(page, normal, ATM_SETTIME, 0, static_cast<LPARAM>(ms));
    Send(page, large, ATM_SETTIME, 0, static_cast<LPARAM>(ms));
}
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

// Only while the large view is on. The window style is asked rather than
// IsWindowVisible, so that a resize while the page is hidden still counts.
void LayoutLargeView(HWND page, const CompetitionState& state, int width, int height) {
    if (!HasVisibleStyle(page, kBigSpeedClock))
        return;
    const LargeViewLayout l = ComputeLargeView(width, height, state.sending);
    Place(page, kBigSpeedClock, l.speedClock);
    Place(page, kBigSpeedLabel, l.speedLabel);
    Place(page, kBigTextClock, l.textClock);
    Place(page, kBigTextLabel, l.textLabel);
    Place(page, kBigPauseClock, l.pauseClock);
    Place(page, kBigPauseLabel, l.pauseLabel);
    Place(page, kBigTotalClock, l.totalClock);
    Place(page, kBigTotalLabel, l.totalLabel);
}
void LayoutLargeView(HWND page, const CompetitionState& state) {
    LayoutLargeView(page, state, state.clientWidth, state.clientHeight);
}

void ShowText(HWND page, CompetitionState& state) {
    state.alphabet = TextAlphabet(state.textKind);
    state.text =
        state.textNumber < 0 ? std::string() : generateText(state.textNumber, state.speed, state.alphabet);
    Send(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(state.text.c_str()), 0);
}

void SendText(Application& app) {
    CompetitionState& state = app.competition;
    const int unit = unitSamples(state.textKind, state.speed, app.GetSPS());
    const SentText s = CompetitionSentText(state.textKind, state.speed, state.text);
    state.preambleLength = s.markA;
    state.player->start(s.sent, unit, app.GetStartDelay(), app.GetFrequency(), s.markA, s.markB, -1);
    state.player->pause(false);
}

void ApplyColours(HWND page, Application& app) {
    const LPARAM caption = app.GetCaptionColor();
    Send(page, kCaption, ATL_SETCOLOR, 0, caption);
    Send(page, kTitle, ATL_SETCOLOR, 0, caption);
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

void SetReady(HWND page) {
    EnableControl(page, kStart, TRUE);
    EnableControl(page, kBack, TRUE);
    EnableControl(page, kStop, FALSE);
    FocusControl(page, kStart);
}

void OnShown(HWND page, Application& app) {
    CompetitionState& state = app.competition;
    Send(page, kCaption, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(app.records.Title().c_str()));
    std::unique_ptr<IMorsePlayer> player =
        CreateMorsePlayer(page, app.GetSPS(), app.GetVolume(), app.GetSoundType());
    state.player = std::move(player); // the previous one, if any, goes here
    ApplyColours(page, app);
    if (!state.player || state.player->failed()) {
        ShowWarning(page, app.SoundCardErrorText());
        GoToPage(page, PAGE_TRAINING_MENU, true);
        return;
    }
    state.textNumber = -1;
    // Arriving from the options page, which has asked before overwriting.
    state.controlFileStarted = false;
    ShowText(page, state);
    DashAllTimes(page);
    ShowSpeed(page, state.speed);
    EnableControl(page, kStop, FALSE);
    EnableControl(page, kStart, TRUE);
    EnableControl(page, kBack, TRUE);
}

void OnHidden(HWND page, Application& app) {
    // The page is left only from Ready; should anything else hide it during
    // a run, it stops first, so no tick can reach the player destroyed here.
    ClickControl(page, kStop);
    KillTimer(page, kRunTimer);
    app.competition.player.reset();
}

void Start(HWND page, Application& app) {
    CompetitionState& state = app.competition;
    if (!state.player)
        return;
    EnableControl(page, kStart, FALSE);
    EnableControl(page, kBack, FALSE);
    SeedCompetitionRun(static_cast<uint32_t>(std::time(nullptr)) + TickCount());
    ShowSpeed(page, state.speed);
    DashAllTimes(page);
    state.sending = true;
    // Otherwise the large view would keep the pause layout through the
    // whole first text.
    LayoutLargeView(page, state);
    state.textNumber = NextCompetitionTextNumber();
    state.runStart = TickCount();
    ShowText(page, state);
    if (!WriteTextFile(state.controlFile, state.text, app.GetTextBoxWidth(), state.speed,
                       !state.controlFileStarted)) {
        // Said aloud: a run that silently refuses to start looks like a
        // dead button.
        ShowWarning(page, app.WriteErrorText());
        state.textNumber = -1;
        ShowText(page, state);
        SetReady(page);
        return;
    }
    state.controlFileStarted = true;
    SendText(app);
    SetTimer(page, kRunTimer, kRunTimerPeriod, nullptr);
    EnableControl(page, kStop, TRUE);
}

void Stop(HWND page, Application& app) {
    CompetitionState& state = app.competition;
    EnableControl(page, kStop, FALSE);
    KillTimer(page, kRunTimer);
    if (state.player)
        state.player->pause(true);
    ShowSpeed(page, state.speed);
    DashAllTimes(page);
    SetReady(page);
    state.sending = true;
    LayoutLargeView(page, state);
}

void SwitchView(HWND page, const CompetitionState& state) {
    const bool large = IsDlgButtonChecked(page, kMode) == BST_CHECKED;
    for (int control : kNormalView)
        ShowWindow(GetDlgItem(page, control), large ? SW_HIDE : SW_SHOW);
    for (int control : kLargeView)
        ShowWindow(GetDlgItem(page, control), large ? SW_SHOW : SW_HIDE);
    LayoutLargeView(page, state);
}

void NextText(HWND page, Application& app) {
    CompetitionState& state = app.competition;
    state.sending = true;
    state.textNumber = NextCompetitionTextNumber();
    state.speed += kCompetitionSpeedStep;
    ShowSpeed(page, state.speed);
    ShowText(page, state);
    if (!WriteTextFile(state.controlFile, state.text, app.GetTextBoxWidth(), state.speed, false)) {
        // The message box runs its own message loop: without the timer off,
        // ticks would arrive under it and try the next text again.
        KillTimer(page, kRunTimer);
        ShowWarning(page, app.WriteErrorText());
        ClickControl(page, kStop);
        return;
    }
    SendText(app);
    LayoutLargeView(page, state);
}

void OnTimer(HWND page, Application& app) {
    CompetitionState& state = app.competition;
    // Ticks count only while a run is on (Stop enabled) and a player exists;
    // a late tick must never reach a player the hidden page destroyed.
    if (!state.player || !IsWindowEnabled(GetDlgItem(page, kStop))) {
        KillTimer(page, kRunTimer);
        return;
    }
    IMorsePlayer& player = *state.player;
    RunClockInput in{};
    in.now = TickCount();
    in.runStart = state.runStart;
    in.pauseStart = state.pauseStart;
    in.sending = state.sending;
    in.markA = player.markTimeA();
    in.markB = player.markTimeB();
    in.currentCharacter = player.currentCharacter();
    in.playing = player.isPlaying();
    in.preambleLength = state.preambleLength;
    in.speed = state.speed;
    in.interval = state.interval;
    const RunClockStep step = DecideRunClock(in);

    ShowTotalTime(page, step.totalTime);
    if (step.setTextClock)
        ShowTextTime(page, step.textClock);
    if (step.setSelection)
        Send(page, kTextBox, ATB_SETSEL, static_cast<WPARAM>(step.selection.first),
             static_cast<LPARAM>(step.selection.last));
    if (step.setPauseClock)
        ShowPauseTime(page, step.pauseClock);

    switch (step.action) {
    case RunClockAction::None:
        break;
    case RunClockAction::TextOver:
        state.sending = false;
        state.pauseStart = in.now;
        ShowSpeed(page, state.speed + kCompetitionSpeedStep);
        LayoutLargeView(page, state);
        break;
    case RunClockAction::Stop:
        ClickControl(page, kStop);
        break;
    case RunClockAction::NextText:
        NextText(page, app);
        break;
    }
}

void OnSize(HWND page, CompetitionState& state, int width, int height) {
    const SIZE from{state.clientWidth, state.clientHeight};
    const SIZE to{width, height};
    for (int control : {kTitle, kCaption})
        AnchorControl(page, control, from, to, true, true, true, false, TRUE);
    for (int control : {kPauseClock, kTotalClock, kPauseLabel, kTotalLabel})
        AnchorControl(page, control, from, to, false, true, true, false, TRUE);
    AnchorControl(page, kTextBox, from, to, true, true, true, true, TRUE);
    for (int control : {kStart, kStop, kMode})
        AnchorControl(page, control, from, to, false, false, true, true, TRUE);
    AnchorControl(page, kBack, from, to, true, false, false, true, TRUE);
    LayoutLargeView(page, state, width, height);
    state.clientWidth = width;
    state.clientHeight = height;
    InvalidateChildren(page);
}

void OnInit(HWND page, Application& app) {
    for (int clock : {kTextClock, kBigTextClock, kPauseClock, kBigPauseClock, kTotalClock, kBigTotalClock})
        Send(page, clock, ATM_SETTIME, 0, -1);
    ShowSpeed(page, 0);
    EnableControl(page, kStop, FALSE); // nothing is sent yet
    RECT client;
    GetClientRect(page, &client);
    app.competition.clientWidth = client.right;
    app.competition.clientHeight = client.bottom;
}

BOOL OnCommand(HWND page, Application& app, int control) {
    switch (control) {
    case kStart:
        Start(page, app);
        return TRUE;
    case kStop:
        Stop(page, app);
        return TRUE;
    case kBack:
        GoToPage(page, PAGE_COMPETITION_OPTIONS, false);
        return TRUE;
    case kMode:
        SwitchView(page, app.competition);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK CompetitionRunPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (Application* app = AttachApplication(page, lParam))
            OnInit(page, *app);
        return TRUE;
    }
    if (IsCommonDrawMessage(message))
        return CommonDrawHandler(page, message, wParam, lParam);
    Application* app = AppFromWindow(page);
    if (!app)
        return FALSE;
    switch (message) {
    case PM_LOAD_TEXTS:
        LoadPageTexts(page, *app, kTexts);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case WM_SHOWWINDOW:
        // Only the page switch's own ShowWindow counts (lParam 0): a status
        // change of the main window must not end a run or its player.
        if (lParam != 0)
            return FALSE;
        if (wParam)
            OnShown(page, *app);
        else
            OnHidden(page, *app);
        return FALSE;
    case WM_SIZE:
        OnSize(page, app->competition, LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_TIMER:
        if (wParam != kRunTimer)
            return FALSE;
        OnTimer(page, *app);
        return TRUE;
    case PM_KEY:
        switch (lParam & 0xFF) {
        case KEY_ENTER:
            ClickControl(page, kStart);
            return TRUE;
        case KEY_ESC:
            if (!ClickControl(page, kStop))
                ClickControl(page, kBack);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, *app, LOWORD(wParam));
    }
    return FALSE;
}
