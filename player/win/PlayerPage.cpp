// Player page (page 5): plays the texts of a control-text file as the
// competition run sent them (or any text file as the training page sends
// text), one after another with a pause between, on the run page's clocks
// and large view.
#include "player/win/PlayerPage.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"
#include "config/win/OpenFileDialog.h"
#include "controls/ControlMessages.h"
#include "sound/MorseTable.h"
#include "texts/ControlTextFile.h"
#include "texts/win/RunView.h"

#include <cstdio>
#include <string>

namespace {

using namespace runview;

const int kTitle = 1070, kBack = 1014, kStop = 1247, kStart = 1174;
const int kPathLabel = 1100, kPath = 1101, kBrowse = 1102, kListLabel = 1103, kList = 1104;
const int kKindLabel = 1105, kKindList = 1106, kSpeedListLabel = 1107, kSpeedList = 1108, kRecorded = 1109;
const int kIntervalLabel = 1110, kIntervalList = 1111, kPrevious = 1112, kNext = 1113;

const UINT_PTR kRunTimer = 0;
const UINT kRunTimerPeriod = 100;
const int kDefaultSpeedItem = 9;    // 100 characters per minute
const int kDefaultIntervalItem = 6; // 60 seconds
const int kMaxPath = 1023;

// Shown only in the normal view: the large clocks take their place.
const int kChoices[] = {kPathLabel, kPath,           kBrowse,    kListLabel, kList,          kKindLabel,
                        kKindList,  kSpeedListLabel, kSpeedList, kRecorded,  kIntervalLabel, kIntervalList};

const PageText kTexts[] = {
    {kTitle, "PPL_01", "Проигрыватель"},
    {kBack, "PPL_02", "<< Назад"},
    {kSpeedLabel, "PPL_03", "Скорость"},
    {kBigSpeedLabel, "PPL_03", "Скорость"},
    {kTextLabel, "PPL_04", "Время текста"},
    {kBigTextLabel, "PPL_04", "Время текста"},
    {kPauseLabel, "PPL_05", "Пауза"},
    {kBigPauseLabel, "PPL_05", "Пауза"},
    {kTotalLabel, "PPL_06", "Общее время"},
    {kBigTotalLabel, "PPL_06", "Общее время"},
    {kStart, "PPL_07", "Начать"},
    {kStop, "PPL_08", "Закончить"},
    {kMode, "PPL_09", "Режим"},
    {kPathLabel, "PPL_10", "Файл"},
    {kListLabel, "PPL_11", "Тексты"},
    {kKindLabel, "PPL_12", "Тип текста"},
    {kSpeedListLabel, "PPL_16", "Скорость, з/м"},
    {kRecorded, "PPL_17", "Как в файле"},
    {kIntervalLabel, "PPL_18", "Пауза, с"},
    {kPrevious, "PPL_19", "Предыдущий"},
    {kNext, "PPL_20", "Следующий"},
};

void Send(HWND page, int control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendDlgItemMessageA(page, control, message, wParam, lParam);
}

std::string ReadPath(HWND page) {
    char path[kMaxPath + 1];
    GetDlgItemTextA(page, kPath, path, sizeof path);
    return UserFilePath(path); // a name without a folder is the user's
}

bool HasTexts(const PlayerPageState& state) {
    return !state.file.texts.empty();
}

int ChosenKind(HWND page) {
    const int kind = ComboGetSelection(page, kKindList);
    return kind >= 0 && kind <= 2 ? kind : 0;
}

// The recorded speed when the file has them and the operator keeps them,
// otherwise the chosen one.
int SpeedOf(HWND page, const PlayerPageState& state, size_t index) {
    if (index < state.file.texts.size() && state.file.speedsRecorded &&
        IsDlgButtonChecked(page, kRecorded) == BST_CHECKED)
        return HeaderSpeed(state.file.texts[index]);
    const int item = ComboGetSelection(page, kSpeedList);
    return (item < 0 ? kDefaultSpeedItem : item) * 10 + 10;
}

int IntervalSeconds(HWND page) {
    const int item = ComboGetSelection(page, kIntervalList);
    return (item < 0 ? kDefaultIntervalItem : item) * 10;
}

void EnableStepping(HWND page, const PlayerPageState& state) {
    EnableControl(page, kPrevious, HasTexts(state) && state.current > 0);
    EnableControl(page, kNext, state.current + 1 < state.file.texts.size());
}

// The current text in the list and the text box (no highlight), its speed
// on the speed clocks.
void ShowCurrent(HWND page, PlayerPageState& state) {
    const bool any = HasTexts(state);
    Send(page, kList, LB_SETCURSEL, any ? state.current : static_cast<WPARAM>(-1), 0);
    const char* text = any ? state.file.texts[state.current].text.c_str() : "";
    Send(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(text), 0);
    ShowSpeed(page, SpeedOf(page, state, state.current));
    EnableStepping(page, state);
}

void FillList(HWND page, const PlayerPageState& state) {
    Send(page, kList, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < state.file.texts.size(); ++i) {
        std::string item = std::to_string(i + 1);
        if (!state.file.texts[i].header.empty())
            item += ".  " + state.file.texts[i].header;
        Send(page, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

// Reads the file named in the path field. A failure empties the list and,
// unless `quiet`, is said aloud.
bool LoadFile(HWND page, Application& app, bool quiet) {
    PlayerPageState& state = app.playerPage;
    const std::string path = ReadPath(page);
    const int width = app.GetTextBoxWidth(), height = app.GetTextBoxHeight();
    const size_t screen =
        static_cast<size_t>(width > 0 ? width : 60) * static_cast<size_t>(height > 0 ? height : 10);
    std::string error;
    const PlayerLoad result = LoadPlayerFile(path, screen, state.file, error);
    state.loadedPath = path;
    state.current = 0;
    if (result == PlayerLoad::Loaded) {
        ComboSetSelection(page, kKindList, state.file.kind);
        CheckDlgButton(page, kRecorded, state.file.speedsRecorded ? BST_CHECKED : BST_UNCHECKED);
    } else {
        state.file = PlayerFile();
    }
    EnableControl(page, kRecorded, state.file.speedsRecorded);
    FillList(page, state);
    ShowCurrent(page, state);
    if (result != PlayerLoad::Loaded && !quiet) {
        const std::string language = app.CurrentLanguage();
        std::string message;
        switch (result) {
        case PlayerLoad::TooLarge:
            message = app.LangText(language, "PPL_23", "Файл слишком велик");
            break;
        case PlayerLoad::NothingToSend:
            message = app.LangText(language, "PPL_22", "В файле нет текстов для передачи");
            break;
        default:
            message = app.LangText(language, "PPL_21", "Не удалось прочитать файл");
            break;
        }
        ShowWarning(page, message + "\n" + path);
    }
    return result == PlayerLoad::Loaded;
}

void Browse(HWND page, Application& app) {
    std::string path = ReadPath(page);
    if (!AskOpenFileName(page, "Text Files (*.TXT)\0*.TXT\0All Files (*.*)\0*.*\0", "TXT", true, path))
        return;
    SetDlgItemTextA(page, kPath, path.c_str());
    LoadFile(page, app, false);
}

void EnableChoices(HWND page, const PlayerPageState& state, bool enable) {
    for (int control : {kPath, kBrowse, kList, kKindList, kSpeedList, kIntervalList})
        EnableControl(page, control, enable);
    EnableControl(page, kRecorded, enable && state.file.speedsRecorded);
}

void LayoutLargeView(HWND page, const PlayerPageState& state) {
    runview::LayoutLargeView(page, state.sending, state.clientWidth, state.clientHeight);
}

// Sends the current text at its speed, from its start delay on.
void SendCurrent(HWND page, Application& app) {
    PlayerPageState& state = app.playerPage;
    const int kind = ChosenKind(page);
    state.speed = SpeedOf(page, state, state.current);
    const SentText s = PlayerSentText(state.file, state.current, kind, state.speed);
    state.preambleLength = s.markA;
    state.sending = true;
    ShowCurrent(page, state);
    ShowTextTime(page, -1);
    ShowPauseTime(page, -1);
    const int unit = unitSamples(kind, state.speed, app.GetSPS());
    state.player->start(s.sent, unit, app.GetStartDelay(), app.GetFrequency(), s.markA, s.markB, -1);
    state.player->pause(false);
    LayoutLargeView(page, state);
}

void SetReady(HWND page, PlayerPageState& state) {
    EnableChoices(page, state, true);
    EnableControl(page, kStart, TRUE); // Start reads a newly typed path
    EnableControl(page, kBack, TRUE);
    EnableControl(page, kStop, FALSE);
    EnableStepping(page, state);
    FocusControl(page, kStart);
}

void OnShown(HWND page, Application& app) {
    PlayerPageState& state = app.playerPage;
    state.player = CreateConfiguredPlayer(page, app);
    ApplyColours(page, app);
    if (!state.player || state.player->failed()) {
        state.player.reset();
        ShowWarning(page, app.SoundCardErrorText());
        GoToPage(page, PAGE_MAIN_MENU, true);
        return;
    }
    // The file of the last competition run, or the run's default file.
    if (ReadPath(page).empty())
        SetDlgItemTextA(
            page, kPath,
            (app.competition.controlFile.empty() ? UserFilePath("Letters.txt") : app.competition.controlFile)
                .c_str());
    if (ReadPath(page) != state.loadedPath && FileExists(ReadPath(page)))
        LoadFile(page, app, true);
    state.sending = true;
    DashAllTimes(page);
    ShowCurrent(page, state);
    SetReady(page, state);
    LayoutLargeView(page, state);
}

void OnHidden(HWND page, Application& app) {
    // Should anything hide the page while it plays, it stops first, so no
    // tick can reach the player destroyed here.
    ClickControl(page, kStop);
    KillTimer(page, kRunTimer);
    app.playerPage.player.reset();
}

void Start(HWND page, Application& app) {
    PlayerPageState& state = app.playerPage;
    if (!state.player)
        return;
    // A path typed since the last reading is read now, and one that could
    // not be read is tried again.
    if ((ReadPath(page) != state.loadedPath || !HasTexts(state)) && !LoadFile(page, app, false))
        return;
    const LRESULT selected = SendDlgItemMessageA(page, kList, LB_GETCURSEL, 0, 0);
    if (selected >= 0 && static_cast<size_t>(selected) < state.file.texts.size())
        state.current = static_cast<size_t>(selected);
    EnableControl(page, kStart, FALSE);
    EnableControl(page, kBack, FALSE);
    EnableChoices(page, state, false);
    EnableControl(page, kStop, TRUE);
    DashAllTimes(page);
    state.runStart = TickCount();
    SendCurrent(page, app);
    SetTimer(page, kRunTimer, kRunTimerPeriod, nullptr);
    FocusControl(page, kStop);
}

void Stop(HWND page, Application& app) {
    PlayerPageState& state = app.playerPage;
    EnableControl(page, kStop, FALSE);
    KillTimer(page, kRunTimer);
    if (state.player)
        state.player->pause(true);
    DashAllTimes(page);
    state.sending = true;
    ShowCurrent(page, state);
    SetReady(page, state);
    LayoutLargeView(page, state);
}

// Previous and Next: while playing, the new text is sent at once.
void Step(HWND page, Application& app, int delta) {
    PlayerPageState& state = app.playerPage;
    if (delta < 0 ? state.current == 0 : state.current + 1 >= state.file.texts.size())
        return;
    state.current = delta < 0 ? state.current - 1 : state.current + 1;
    if (IsWindowEnabled(GetDlgItem(page, kStop)) && state.player)
        SendCurrent(page, app);
    else
        ShowCurrent(page, state);
}

void OnTimer(HWND page, Application& app) {
    PlayerPageState& state = app.playerPage;
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
    in.interval = IntervalSeconds(page);
    const RunClockStep step = DecideRunClock(in);

    ShowClockStep(page, step);

    switch (step.action) {
    case RunClockAction::None:
        break;
    case RunClockAction::TextOver:
        if (state.current + 1 >= state.file.texts.size()) {
            // No pause after the last text: the file has been played.
            ClickControl(page, kStop);
            break;
        }
        state.sending = false;
        state.pauseStart = in.now;
        ShowSpeed(page, SpeedOf(page, state, state.current + 1));
        LayoutLargeView(page, state);
        break;
    case RunClockAction::Stop: // the file, not the speed, decides the end
    case RunClockAction::NextText:
        ++state.current;
        SendCurrent(page, app);
        break;
    }
}

void OnSize(HWND page, PlayerPageState& state, int width, int height) {
    const SIZE from{state.clientWidth, state.clientHeight};
    const SIZE to{width, height};
    AnchorControl(page, kTitle, from, to, true, true, true, false, TRUE);
    for (int control : {kPauseClock, kTotalClock, kPauseLabel, kTotalLabel})
        AnchorControl(page, control, from, to, false, true, true, false, TRUE);
    AnchorControl(page, kTextBox, from, to, true, true, true, true, TRUE);
    AnchorControl(page, kList, from, to, true, true, false, true, TRUE);
    for (int control : {kStart, kStop, kMode, kPrevious, kNext})
        AnchorControl(page, control, from, to, false, false, true, true, TRUE);
    AnchorControl(page, kBack, from, to, true, false, false, true, TRUE);
    runview::LayoutLargeView(page, state.sending, width, height);
    state.clientWidth = width;
    state.clientHeight = height;
    InvalidateChildren(page);
}

void FillNumbers(HWND page, int list, int first, int last, int step, int fallback) {
    const int selected = ComboGetSelection(page, list);
    ComboClear(page, list);
    for (int n = first; n <= last; n += step)
        SendDlgItemMessageA(page, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(n).c_str()));
    ComboSetSelection(page, list, selected >= 0 ? selected : fallback);
}

// A language change keeps the choices made.
void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    const int kind = ComboGetSelection(page, kKindList);
    ComboClear(page, kKindList);
    AddLangComboString(page, kKindList, app, language, "PPL_13", "Буквы");
    AddLangComboString(page, kKindList, app, language, "PPL_14", "Цифры");
    AddLangComboString(page, kKindList, app, language, "PPL_15", "Смешанный");
    ComboSetSelection(page, kKindList, kind >= 0 ? kind : 0);
    FillNumbers(page, kSpeedList, 10, 1000, 10, kDefaultSpeedItem);
    FillNumbers(page, kIntervalList, 0, 600, 10, kDefaultIntervalItem);
}

void OnInit(HWND page, Application& app) {
    InitClocks(page);
    EnableControl(page, kStop, FALSE);
    EnableControl(page, kRecorded, FALSE);
    EnableStepping(page, app.playerPage);
    RECT client;
    GetClientRect(page, &client);
    app.playerPage.clientWidth = client.right;
    app.playerPage.clientHeight = client.bottom;
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    PlayerPageState& state = app.playerPage;
    switch (control) {
    case kStart:
        Start(page, app);
        return TRUE;
    case kStop:
        Stop(page, app);
        return TRUE;
    case kBack:
        GoToPage(page, PAGE_MAIN_MENU, false);
        return TRUE;
    case kMode:
        SwitchView(page, state.sending, state.clientWidth, state.clientHeight, kChoices,
                   sizeof kChoices / sizeof kChoices[0]);
        return TRUE;
    case kBrowse:
        Browse(page, app);
        return TRUE;
    case kPrevious:
        Step(page, app, -1);
        return TRUE;
    case kNext:
        Step(page, app, +1);
        return TRUE;
    case kPath:
        // A path typed by hand is read once the field is left, if it names a
        // file; Start reads it in any case.
        if (code == EN_KILLFOCUS && ReadPath(page) != state.loadedPath && FileExists(ReadPath(page)))
            LoadFile(page, app, true);
        return TRUE;
    case kList:
        if (code == LBN_SELCHANGE) {
            const LRESULT selected = SendDlgItemMessageA(page, kList, LB_GETCURSEL, 0, 0);
            if (selected >= 0 && static_cast<size_t>(selected) < state.file.texts.size())
                state.current = static_cast<size_t>(selected);
            ShowCurrent(page, state);
        }
        return TRUE;
    case kKindList:
    case kSpeedList:
        if (code == CBN_SELCHANGE)
            ShowCurrent(page, state); // the speed clocks follow the choice
        return TRUE;
    case kRecorded:
        ShowCurrent(page, state);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK PlayerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
        LoadTexts(page, *app);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case WM_SHOWWINDOW:
        // Only the page switch's own ShowWindow counts (lParam 0).
        if (lParam != 0)
            return FALSE;
        if (wParam)
            OnShown(page, *app);
        else
            OnHidden(page, *app);
        return FALSE;
    case WM_SIZE:
        OnSize(page, app->playerPage, LOWORD(lParam), HIWORD(lParam));
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
        case KEY_PAGE_UP:
            ClickControl(page, kPrevious);
            return TRUE;
        case KEY_PAGE_DOWN:
            ClickControl(page, kNext);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, *app, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
