// Competition reception run page (page 15): sends one-minute texts at rising
// speeds, each with its preamble and AR, writes them to the control-text
// file, and keeps four clocks, in a normal and a large-display view.
#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "controls/ControlMessages.h"
#include "texts/CompetitionRun.h"
#include "texts/ControlTextFile.h"
#include "texts/Random.h"
#include "texts/TextGenerator.h"
#include "texts/win/RunView.h"

#include <ctime>

namespace {

using namespace runview;

const int kCaption = 1004, kTitle = 1070;

void Send(HWND page, int control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendDlgItemMessageA(page, control, message, wParam, lParam);
}

void ShowText(HWND page, CompetitionState& state) {
    state.alphabet = TextAlphabet(state.textKind);
    state.text =
        state.textNumber < 0 ? std::string() : generateText(state.textNumber, state.speed, state.alphabet);
    Send(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(state.text.c_str()), 0);
}

void SendText(Application& app) {
    CompetitionState& state = app.competition;
    StartSending(app, state, state.textKind, CompetitionSentText(state.textKind, state.speed, state.text));
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
    ApplyColours(page, app);
    if (!OpenPagePlayer(page, app, state.player, PAGE_TRAINING_MENU))
        return;
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
    // The page is left only from Ready.
    ReleaseRun(page, app.competition);
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
    HaltRun(page, state);
    ShowSpeed(page, state.speed);
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

BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    if (id != kRunTimer)
        return FALSE;
    CompetitionState& state = app.competition;
    if (!RunTickAllowed(page, state))
        return TRUE;
    if (state.player->failed()) {
        // The card was lost during the run: say so, as on arrival.
        ClickControl(page, kStop);
        ShowWarning(page, app.SoundCardErrorText());
        GoToPage(page, PAGE_TRAINING_MENU, true);
        return TRUE;
    }
    const uint32_t now = TickCount();
    switch (TickRunClock(page, state, state.interval, now).action) {
    case RunClockAction::None:
        break;
    case RunClockAction::TextOver:
        state.sending = false;
        state.pauseStart = now;
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
    return TRUE;
}

void OnLayout(HWND page, Application& app, int width, int height) {
    LayoutRunView(page, app.competition, width, height);
}

void OnInit(HWND page, Application&) {
    InitClocks(page);
    EnableControl(page, kStop, FALSE); // nothing is sent yet
}

void LoadTexts(HWND page, Application& app) {
    LoadRunViewTexts(page, app, "PSI");
}

void SwitchMode(HWND page, Application& app) {
    SwitchView(page, app.competition.sending, app.competition.clientWidth, app.competition.clientHeight);
}

const PageText kTexts[] = {{kTitle, "PSI_01", "Соревнования по приему"}};

const PageKey kKeys[] = {{KEY_ENTER, {kStart}}, {KEY_ESC, {kStop, kBack}}};

const PageCommand kCommands[] = {
    {kStart, Start},
    {kStop, Stop},
    {kBack, nullptr, PAGE_COMPETITION_OPTIONS},
    {kMode, SwitchMode},
};

const PageAnchor kAnchors[] = {{kTitle, kFollowWidth}, {kCaption, kFollowWidth}};

PageSize KeptSize(Application& app) {
    return {&app.competition.clientWidth, &app.competition.clientHeight};
}

const PageDescription kPage = DescribePage(kTexts, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize},
                                    PageInit{OnInit}, PageTextsLoaded{LoadTexts}, PageShow{OnShown},
                                    PageHide{OnHidden}, PageLayout{OnLayout}, PageTimer{OnTimer});

} // namespace

INT_PTR CALLBACK CompetitionRunPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
