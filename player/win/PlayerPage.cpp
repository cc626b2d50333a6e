// Player page (page 5): plays the texts of a control-text file as the
// competition run sent them (or any text file as the training page sends
// text), one after another with a pause between, on the run page's clocks
// and large view.
#include "player/win/PlayerPage.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/WideText.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "controls/ControlMessages.h"
#include "texts/ControlTextFile.h"
#include "texts/TextEncoding.h"
#include "texts/win/RunView.h"
#include "config/TextCatalogue.h"

#include <cstdio>
#include <string>

namespace {

using namespace runview;

const int kTitle = 1070;
const int kPathLabel = 1100, kPath = 1101, kBrowse = 1102, kListLabel = 1103, kList = 1104;
const int kKindLabel = 1105, kKindList = 1106, kSpeedListLabel = 1107, kSpeedList = 1108, kRecorded = 1109;
const int kIntervalLabel = 1110, kIntervalList = 1111, kPrevious = 1112, kNext = 1113;

const int kDefaultSpeedItem = 9;    // 100 characters per minute
const int kDefaultIntervalItem = 6; // 60 seconds

const FileField kFile{kPath, kBrowse, "Text Files (*.TXT)\0*.TXT\0All Files (*.*)\0*.*\0", "TXT", true};

const CatalogueText kCannotRead{"PPL_21", "Не удалось прочитать файл"};
const CatalogueText kNothingToSend{"PPL_22", "В файле нет текстов для передачи"};
const CatalogueText kTooLarge{"PPL_23", "Файл слишком велик"};
const CatalogueText kNoTakes{"PPL_25", "В файле нет записанных передач"};
const CatalogueText kKinds[] = {{"PPL_13", "Буквы"}, {"PPL_14", "Цифры"}, {"PPL_15", "Смешанный"}};
// The decoder's first guess of a take's unit: the unit of 100 cpm letters.
constexpr double kTakeGuessUnitMs = 60;

// Shown only in the normal view: the large clocks take their place.
const int kChoices[] = {kPathLabel, kPath,           kBrowse,    kListLabel, kList,          kKindLabel,
                        kKindList,  kSpeedListLabel, kSpeedList, kRecorded,  kIntervalLabel, kIntervalList};

const PageText kTexts[] = {
    {kTitle, "PPL_01", "Проигрыватель"},
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
    return FileFieldPath(page, kFile);
}

bool Keyed(const PlayerPageState& state) {
    return !state.takes.empty();
}

// Texts of a control-text file, or takes of a transmissions file.
size_t Count(const PlayerPageState& state) {
    return Keyed(state) ? state.takes.size() : state.file.texts.size();
}

bool HasTexts(const PlayerPageState& state) {
    return Count(state) > 0;
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
    EnableControl(page, kNext, state.current + 1 < Count(state));
}

// The current text in the list and the text box (no highlight), its speed
// on the speed clocks.
// A take shows its decoded text; its sound is made ready to be played.
void ShowCurrent(HWND page, PlayerPageState& state) {
    const bool any = HasTexts(state);
    Send(page, kList, LB_SETCURSEL, any ? state.current : static_cast<WPARAM>(-1), 0);
    if (Keyed(state)) {
        Application* app = AppFromWindow(page);
        state.keyed = DecodedKeyTimesSound(state.takes[state.current].keys, kTakeGuessUnitMs, app->GetSPS(),
                                           app->GetFrequency(), app->GetToneShape());
    }
    const char* text = !any           ? ""
                       : Keyed(state) ? state.keyed.text.c_str()
                                      : state.file.texts[state.current].text.c_str();
    Send(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(text), 0);
    ShowSpeed(page, SpeedOf(page, state, state.current));
    EnableStepping(page, state);
}

void FillList(HWND page, const PlayerPageState& state) {
    Send(page, kList, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < state.takes.size(); ++i)
        SendDlgItemMessageW(page, kList, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(
                                Utf8ToWide(std::to_string(i + 1) + ".  " + state.takes[i].label).c_str()));
    for (size_t i = 0; i < state.file.texts.size(); ++i) {
        std::string item = std::to_string(i + 1);
        if (!state.file.texts[i].header.empty())
            item += ".  " + state.file.texts[i].header;
        // A header is code page 1251, as the file's texts are.
        SendDlgItemMessageW(page, kList, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ToWide(item, 1251).c_str()));
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
    const std::string kinds[3] = {SystemTextToUtf8(Lang(app, kKinds[0])),
                                  SystemTextToUtf8(Lang(app, kKinds[1])),
                                  SystemTextToUtf8(Lang(app, kKinds[2]))};
    const KeyedLoad keyed = LoadKeyedTakes(path, kinds, state.takes, error);
    const PlayerLoad result = keyed == KeyedLoad::Loaded    ? PlayerLoad::Loaded
                              : keyed == KeyedLoad::NoTakes ? PlayerLoad::NothingToSend
                                                            : LoadPlayerFile(path, screen, state.file, error);
    if (keyed != KeyedLoad::NotKeyed)
        state.file = PlayerFile();
    state.loadedPath = path;
    state.current = 0;
    if (result == PlayerLoad::Loaded && !Keyed(state)) {
        ComboSetSelection(page, kKindList, state.file.kind);
        CheckDlgButton(page, kRecorded, state.file.speedsRecorded ? BST_CHECKED : BST_UNCHECKED);
    } else if (result != PlayerLoad::Loaded) {
        state.file = PlayerFile();
    }
    EnableControl(page, kRecorded, state.file.speedsRecorded);
    FillList(page, state);
    ShowCurrent(page, state);
    if (result != PlayerLoad::Loaded && !quiet) {
        std::string message;
        switch (result) {
        case PlayerLoad::TooLarge:
            message = Lang(app, kTooLarge);
            break;
        case PlayerLoad::NothingToSend:
            message = Lang(app, keyed == KeyedLoad::NoTakes ? kNoTakes : kNothingToSend);
            break;
        default:
            message = Lang(app, kCannotRead);
            break;
        }
        ShowWarning(page, message + "\n" + path);
    }
    return result == PlayerLoad::Loaded;
}

void Browse(HWND page, Application& app) {
    if (BrowseFileField(page, app, kFile))
        LoadFile(page, app, false);
}

void EnableChoices(HWND page, const PlayerPageState& state, bool enable) {
    for (int control : {kPath, kBrowse, kList, kKindList, kSpeedList, kIntervalList})
        EnableControl(page, control, enable);
    EnableControl(page, kRecorded, enable && state.file.speedsRecorded);
}

// Sends the current text at its speed, from its start delay on.
// A take is played as keyed, its character being heard highlighted.
void SendCurrent(HWND page, Application& app) {
    PlayerPageState& state = app.playerPage;
    if (Keyed(state)) {
        state.sending = true;
        ShowCurrent(page, state);
        DashAllTimes(page);
        state.player->startRecorded(state.keyed);
        state.player->pause(false);
        return;
    }
    const int kind = ChosenKind(page);
    state.speed = SpeedOf(page, state, state.current);
    const SentText s = PlayerSentText(state.file, state.current, kind, state.speed);
    state.sending = true;
    ShowCurrent(page, state);
    ShowTextTime(page, -1);
    ShowPauseTime(page, -1);
    StartSending(app, state, kind, s);
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
    ApplyColours(page, app);
    if (!OpenPagePlayer(page, app, state.player, PAGE_MAIN_MENU))
        return;
    // The file of the last competition run, or the run's default file.
    if (ReadPath(page).empty())
        SetFileField(page, kFile,
                     app.competition.controlFile.empty() ? UserFilePath("Letters.txt")
                                                         : app.competition.controlFile);
    if (ReadPath(page) != state.loadedPath && FileExists(ReadPath(page)))
        LoadFile(page, app, true);
    state.sending = true;
    DashAllTimes(page);
    ShowCurrent(page, state);
    SetReady(page, state);
    LayoutLargeView(page, state);
}

void OnHidden(HWND page, Application& app) {
    ReleaseRun(page, app.playerPage);
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
    if (selected >= 0 && static_cast<size_t>(selected) < Count(state))
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
    HaltRun(page, state);
    state.sending = true;
    ShowCurrent(page, state);
    SetReady(page, state);
    LayoutLargeView(page, state);
}

// Previous and Next: while playing, the new text is sent at once.
void Step(HWND page, Application& app, int delta) {
    PlayerPageState& state = app.playerPage;
    if (delta < 0 ? state.current == 0 : state.current + 1 >= Count(state))
        return;
    state.current = delta < 0 ? state.current - 1 : state.current + 1;
    if (IsWindowEnabled(GetDlgItem(page, kStop)) && state.player)
        SendCurrent(page, app);
    else
        ShowCurrent(page, state);
}

BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    if (id != kRunTimer)
        return FALSE;
    PlayerPageState& state = app.playerPage;
    if (!RunTickAllowed(page, state))
        return TRUE;
    if (Keyed(state)) {
        const int heard = state.player->currentCharacter();
        if (heard >= 0 && heard < static_cast<int>(state.keyed.text.size())) {
            Send(page, kTextBox, ATB_SETSEL, static_cast<WPARAM>(heard), heard);
            Send(page, kTextBox, ATB_SHOWPOS, 0, heard);
        }
        if (!state.player->isPlaying())
            ClickControl(page, kStop); // one take at a time
        return TRUE;
    }
    const uint32_t now = TickCount();
    switch (TickRunClock(page, state, IntervalSeconds(page), now).action) {
    case RunClockAction::None:
        break;
    case RunClockAction::TextOver:
        if (state.current + 1 >= state.file.texts.size()) {
            // No pause after the last text: the file has been played.
            ClickControl(page, kStop);
            break;
        }
        state.sending = false;
        state.pauseStart = now;
        ShowSpeed(page, SpeedOf(page, state, state.current + 1));
        LayoutLargeView(page, state);
        break;
    case RunClockAction::Stop: // the file, not the speed, decides the end
    case RunClockAction::NextText:
        ++state.current;
        SendCurrent(page, app);
        break;
    }
    return TRUE;
}

void OnLayout(HWND page, Application& app, int width, int height) {
    LayoutRunView(page, app.playerPage, width, height);
}

// A language change keeps the choices made.
const PageList kLists[] = {
    TextList(kKindList, kKinds, 0, true),
    NumberList(kSpeedList, 10, 1000, 10, kDefaultSpeedItem, true),
    NumberList(kIntervalList, 0, 600, 10, kDefaultIntervalItem, true),
};

void LoadTexts(HWND page, Application& app) {
    LoadRunViewTexts(page, app, "PPL");
}

void OnInit(HWND page, Application& app) {
    InitClocks(page);
    EnableControl(page, kStop, FALSE);
    EnableControl(page, kRecorded, FALSE);
    EnableStepping(page, app.playerPage);
    InitFileField(page, kFile);
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    PlayerPageState& state = app.playerPage;
    switch (control) {
    case kPath:
        // A path typed by hand is read once the field is left, if it names a
        // file; Start reads it in any case.
        if (code == EN_KILLFOCUS && ReadPath(page) != state.loadedPath && FileExists(ReadPath(page)))
            LoadFile(page, app, true);
        return TRUE;
    case kList:
        if (code == LBN_SELCHANGE) {
            const LRESULT selected = SendDlgItemMessageA(page, kList, LB_GETCURSEL, 0, 0);
            if (selected >= 0 && static_cast<size_t>(selected) < Count(state))
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

void SwitchMode(HWND page, Application& app) {
    const PlayerPageState& state = app.playerPage;
    SwitchView(page, state.sending, state.clientWidth, state.clientHeight, kChoices,
               sizeof kChoices / sizeof kChoices[0]);
}

void Previous(HWND page, Application& app) {
    Step(page, app, -1);
}

void Next(HWND page, Application& app) {
    Step(page, app, +1);
}

const PageKey kKeys[] = {
    {KEY_ENTER, {kStart}},
    {KEY_ESC, {kStop, kBack}},
    {KEY_PAGE_UP, {kPrevious}},
    {KEY_PAGE_DOWN, {kNext}},
};

const PageCommand kCommands[] = {
    {kStart, Start},     {kStop, Stop},     {kBack, nullptr, PAGE_MAIN_MENU},
    {kMode, SwitchMode}, {kBrowse, Browse}, {kPrevious, Previous},
    {kNext, Next},
};

const PageAnchor kAnchors[] = {
    {kTitle, kFollowWidth},
    {kList, kFollowHeight},
    {kPrevious, kFollowBottomRight},
    {kNext, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&app.playerPage.clientWidth, &app.playerPage.clientHeight};
}

const PageDescription kPage =
    DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize}, PageInit{OnInit},
                 PageTextsLoaded{LoadTexts}, PageShow{OnShown}, PageHide{OnHidden}, PageLayout{OnLayout},
                 PageTimer{OnTimer}, PageOtherCommand{OnCommand});

} // namespace

INT_PTR CALLBACK PlayerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
