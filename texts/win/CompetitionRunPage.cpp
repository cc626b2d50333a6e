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
#include "texts/win/RunView.h"

#include <ctime>

namespace {

using namespace runview;

const int kCaption = 1004, kTitle = 1070;
const int kBack = 1014, kStop = 1247, kStart = 1174;

const UINT_PTR kRunTimer = 0;
const UINT kRunTimerPeriod = 100;

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

void LayoutLargeView(HWND page, const CompetitionState& state) {
    runview::LayoutLargeView(page, state.sending, state.clientWidth, state.clientHeight);
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

void SetReady(HWND page) {
    EnableControl(page, kStart, TRUE);
    EnableControl(page, kBack, TRUE);
    EnableControl(page, kStop, FALSE);
    FocusControl(page, kStart);
}

void OnShown(HWND page, Application& app) {
    CompetitionState& state = app.competition;
    Send(page, kCaption, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(app.records.Title().c_str()));
    std::unique_ptr<IMorsePlayer> player = CreateConfiguredPlayer(page, app);
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
    if (player.failed()) {
        // The card was lost during the run: say so, as on arrival.
        ClickControl(page, kStop);
        ShowWarning(page, app.SoundCardErrorText());
        GoToPage(page, PAGE_TRAINING_MENU, true);
        return;
    }
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

    ShowClockStep(page, step);

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
    runview::LayoutLargeView(page, state.sending, width, height);
    state.clientWidth = width;
    state.clientHeight = height;
    InvalidateChildren(page);
}

void OnInit(HWND page, Application& app) {
    InitClocks(page);
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
        SwitchView(page, app.competition.sending, app.competition.clientWidth, app.competition.clientHeight);
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
