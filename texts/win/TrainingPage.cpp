// Training reception page (page 13): numbered texts played one after another
// in a series, the text shown with the sounding characters highlighted, a
// series clock and a text clock. The trainee may hide the text while it plays,
// type a copy and have it checked against the text just played; every check
// goes to the training diary. The rules live in texts/TrainingSession and
// diary/; this file reads the controls, applies the rules and drives the
// player.
#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "controls/ControlMessages.h"
#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"
#include "texts/TrainingSession.h"
#include "texts/win/ReceptionView.h"

#include <commctrl.h>

namespace {

using namespace receptionview;

constexpr int kCaption = 1070;
constexpr int kTextNumber = 1165, kTextNumberSpin = 1166;
constexpr int kTypeList = 1036, kLengthList = 1037;
constexpr int kSpeedStep = 1049;
constexpr int kFirstText = 1060;
constexpr int kSpeed = 1043, kSpeedSpin = 1045;
constexpr int kEffective = 2225, kEffectiveSpin = 2226;
constexpr int kGroups = 1033, kGroupsSpin = 1255;
constexpr int kRefresh = 1032;
constexpr int kBack = 1014, kBegin = 1063, kFinish = 1064, kPrevious = 1185, kRepeat = 1066;

constexpr UINT_PTR kSeriesTimer = 1, kPlayTimer = 2;
constexpr UINT kTickMs = 100;

// Control ids in TrainingControl order.
constexpr int kControlIds[CtlCount] = {kBack,   kBegin,     kFinish,     kPrevious, kStop,
                                       kRepeat, kStart,     kTextNumber, kTypeList, kLengthList,
                                       kSpeed,  kSpeedStep, kGroups,     kRefresh};

const PageText kTexts[] = {
    {kCaption, "PTI_01", "Тренировка по приему"},
    {kBack, "PTI_02", "<< Назад"},
    {1167, "PTI_03", "Номер текста"},
    {1034, "PTI_04", "Число групп"},
    {1061, "PTI_05", "Первый текст"},
    {1051, "PTI_06", "Шаг скорости"},
    {kRefresh, "PTI_11", "Обновить"},
    {kBegin, "PTI_12", "Начать"},
    {kFinish, "PTI_13", "Закончить"},
    {kPrevious, "PTI_14", "Предыдущий"},
    {kStop, "PTI_15", "Стоп"},
    {kStart, "PTI_16", "Старт"},
    {1038, "PTI_20", "Тип текста"},
    {1039, "PTI_26", "Длина"},
    {1044, "PTI_29", "Скорость"},
    {kRepeat, "PTI_30", "Повторить"},
    {kHideText, "PTI_31", "Скрыть текст"},
    {kCopyLabel, "PTI_32", "Копия"},
    {kCheck, "PTI_33", "Проверить"},
    {2224, "PTI_43", "Общая скорость"},
};

LengthMode SelectedLength(HWND page) {
    return ComboGetSelection(page, kLengthList) == LengthStandard ? LengthStandard : LengthFixed;
}

void ApplyEnabling(HWND page, const TrainingState& st) {
    const std::vector<bool> on =
        EnabledControls(st.state, st.previousAllowed, static_cast<LengthMode>(st.lengthMode));
    for (int c = 0; c < CtlCount; ++c)
        EnableControl(page, kControlIds[c], on[c]);
    EnableControl(page, kEffective, on[CtlSpeed]);
}

// In standard length the groups follow the speed and cannot be typed; while
// a text plays the field stays disabled whatever the length.
void UpdateGroupsFromSpeed(HWND page, const TrainingState& st, LengthMode mode, int speed) {
    if (mode == LengthStandard)
        WriteField(page, kGroups, kGroupsField, StandardGroups(speed));
    EnableControl(page, kGroups, mode == LengthFixed && st.state != SeriesState::Playing);
}

// Reads every parameter, generates the text of the number shown and puts it
// in the text box without highlight.
void Regenerate(HWND page, TrainingState& st) {
    st.lengthMode = SelectedLength(page);
    st.speed = ReadField(page, kSpeed, kSpeedField);
    UpdateGroupsFromSpeed(page, st, static_cast<LengthMode>(st.lengthMode), st.speed);
    st.textNumber = ReadField(page, kTextNumber, kTextNumberField);
    st.groups = ReadField(page, kGroups, kGroupsField);
    const int type = ComboGetSelection(page, kTypeList);
    st.textType = type >= TextLetters && type <= TextMixed ? type : TextLetters;
    st.alphabet = TextAlphabet(st.textType);
    st.text = generateText(st.textNumber, st.groups * 5, st.alphabet);
    ShowBoxText(page, st);
}

// After Begin, Previous and Stop: never below the first number of the series.
void CheckTextNumber(HWND page, TrainingState& st) {
    const int shown = ReadField(page, kTextNumber, kTextNumberField);
    st.previousAllowed = st.series.previousAllowed(shown);
    WriteField(page, kTextNumber, kTextNumberField, st.series.checkedNumber(shown));
    Regenerate(page, st);
}

void ApplyColours(HWND page, Application& app) {
    ShowCaption(page, kCaption, app);
    ApplyTextBoxLook(page, kTextBox, app);
    ApplyClockLook(page, kSeriesClock, app, ClockLook::Total);
    ApplyClockLook(page, kTextClock, app, ClockLook::Part);
}

const PageListItem kTypes[] = {{"PTI_17", "Буквы"}, {"PTI_18", "Цифры"}, {"PTI_19", "Смешанный"}};
const PageListItem kLengths[] = {{"PTI_27", "Фиксированная"}, {"PTI_28", "Стандартная"}};
const PageList kLists[] = {TextList(kTypeList, kTypes, 0, false),
                           TextList(kLengthList, kLengths, LengthStandard, false)};

// After the lists: a language change starts again in standard length.
void LoadTexts(HWND page, Application& app) {
    app.training.lengthMode = LengthStandard;
    UpdateGroupsFromSpeed(page, app.training, LengthStandard, ReadField(page, kSpeed, kSpeedField));
}

void Show(HWND page, Application& app) {
    TrainingState& st = app.training;
    st.sampleRate = app.GetSPS();
    st.hideText = app.GetHideText() != 0;
    CheckDlgButton(page, kHideText, st.hideText ? BST_CHECKED : BST_UNCHECKED);
    ApplyColours(page, app);
    if (!OpenPagePlayer(page, app, st.player, PAGE_TRAINING_MENU))
        return;
    st.state = SeriesState::Idle;
    Regenerate(page, st);
    ApplyEnabling(page, st);
    SetClock(page, kSeriesClock, -1);
    SetClock(page, kTextClock, -1);
}

// The timers go before the player, so no tick can reach a destroyed player.
void Hide(HWND page, Application& app) {
    TrainingState& st = app.training;
    KillTimer(page, kSeriesTimer);
    KillTimer(page, kPlayTimer);
    st.player.reset();
    st.state = SeriesState::Idle;
    st.hasPlayed = false; // a new visit checks only what it played
}

void Begin(HWND page, TrainingState& st) {
    st.state = SeriesState::Series;
    const int first = ReadField(page, kTextNumber, kTextNumberField);
    SetDlgItemInt(page, kFirstText, static_cast<UINT>(first), FALSE);
    st.series.begin(first);
    CheckTextNumber(page, st);
    ApplyEnabling(page, st);
    st.seriesStart = TickCount();
    SetTimer(page, kSeriesTimer, kTickMs, nullptr);
    FocusControl(page, kStart);
}

void Start(HWND page, Application& app) {
    TrainingState& st = app.training;
    if (!st.player)
        return;
    const int number = st.series.numberToPlay(ReadField(page, kTextNumber, kTextNumberField));
    WriteField(page, kTextNumber, kTextNumberField, number);
    Regenerate(page, st);
    st.state = SeriesState::Playing;
    st.textEnded = false;
    ShowBoxText(page, st);
    ApplyEnabling(page, st);
    st.hasPlayed = true;
    // The gaps stretched to a slower effective speed, when one is set.
    const int stretched = StretchedSpeed(st.speed, ReadField(page, kEffective, kEffectiveSpeedField));
    st.played = PlayedText{st.textType, 0, st.textNumber, st.groups, st.speed, app.GetToneShape()};
    st.played.effectiveSpeed = stretched;
    st.playedText = st.text;
    ClearCheck(page);

    const int unit = unitSamples(st.textType, st.speed, st.sampleRate);
    const int effectiveUnit = stretched ? unitSamples(st.textType, stretched, st.sampleRate) : 0;
    const std::string sent = TrainingSentString(st.text);
    st.preambleLength = kTrainingPreambleLength;
    st.textDuration = TextDurationMs(st.text, unit, st.sampleRate, effectiveUnit);
    const int textLength = static_cast<int>(st.text.size());
    st.player->start(sent, unit, app.GetStartDelay(), app.GetFrequency(), st.preambleLength,
                     st.preambleLength + textLength, -1, effectiveUnit);
    SetClock(page, kTextClock, st.lengthMode == LengthStandard ? -1 : st.textDuration);
    SetTimer(page, kPlayTimer, kTickMs, nullptr);
    st.player->pause(false);
    st.watch.release(TickCount());
    EnableControl(page, kStop, TRUE);
    FocusControl(page, kStop);
}

void Stop(HWND page, TrainingState& st) {
    EnableControl(page, kStop, FALSE);
    KillTimer(page, kPlayTimer);
    if (st.player)
        st.player->pause(true);
    st.state = SeriesState::Series;
    CheckTextNumber(page, st);
    ApplyEnabling(page, st);
    FocusControl(page, kStart);
}

void Finish(HWND page, TrainingState& st) {
    KillTimer(page, kSeriesTimer);
    st.state = SeriesState::Idle;
    SetClock(page, kSeriesClock, -1);
    SetClock(page, kTextClock, -1);
    ApplyEnabling(page, st);
    FocusControl(page, kBegin);
}

void Previous(HWND page, TrainingState& st) {
    const int shown = ReadField(page, kTextNumber, kTextNumberField);
    WriteField(page, kTextNumber, kTextNumberField, st.series.previous(shown));
    CheckTextNumber(page, st);
    ApplyEnabling(page, st);
}

void PlayTick(HWND page, Application& app) {
    if (!app.training.player) {
        KillTimer(page, kPlayTimer);
        return;
    }
    receptionview::PlayTick(page, app, app.training, PAGE_TRAINING_MENU);
}

// Page Up / Page Down: one speed step, in every state; a text in progress
// keeps sounding at its own speed.
void StepSpeed(HWND page, TrainingState& st, int direction) {
    const int speed = ReadField(page, kSpeed, kSpeedField);
    const int step = ReadField(page, kSpeedStep, kSpeedStepField);
    WriteField(page, kSpeed, kSpeedField, static_cast<long long>(speed) + direction * step);
    Regenerate(page, st);
}

void StepSpeedKey(HWND page, Application& app, int key) {
    StepSpeed(page, app.training, KeyStep(key));
}

// ---- the copy and its check

// Insert: from the copy field to the page's next action and back.
void SwitchFocus(HWND page, Application&, int) {
    SwitchCopyFocus(page, {kStop, kStart, kBegin, kCheck});
}

void Check(HWND page, Application& app) {
    CopyCheck check;
    CheckTypedCopy(page, app, app.training, check);
}

void HideTextClicked(HWND page, Application& app) {
    TrainingState& st = app.training;
    st.hideText = IsDlgButtonChecked(page, kHideText) == BST_CHECKED;
    app.SetHideText(st.hideText ? 1 : 0);
    if (st.state == SeriesState::Playing)
        ShowBoxText(page, st);
}

// Ctrl+Enter in the copy field reaches the page as Enter (plain Enter breaks
// the line there): it checks the copy. Anywhere else Enter starts.
void EnterKey(HWND page, Application& app, int) {
    if (GetFocus() == GetDlgItem(page, kCopy)) {
        Check(page, app);
        return;
    }
    for (int button : {kStart, kBegin})
        if (ClickControl(page, button))
            return;
}

const PageKey kKeys[] = {
    {KEY_ENTER, {}, EnterKey},         {KEY_ESC, {kStop, kFinish, kBack}}, {KEY_PAGE_UP, {}, StepSpeedKey},
    {KEY_PAGE_DOWN, {}, StepSpeedKey}, {KEY_INSERT, {}, SwitchFocus},
};

const PageCommand kCommands[] = {
    {kCheck, Check},
    {kHideText, HideTextClicked, kNoPage, BN_CLICKED},
};

// The arrows of the speed, text number and groups fields write the field
// themselves; the up-down is told not to move (its own position is unused).
BOOL OnNotify(HWND page, Application& app, const NMHDR& header, LPARAM lParam) {
    if (header.code != UDN_DELTAPOS)
        return FALSE;
    TrainingState& st = app.training;
    const NMUPDOWN& nm = *reinterpret_cast<const NMUPDOWN*>(lParam);
    const long long delta = nm.iDelta;
    switch (nm.hdr.idFrom) {
    case kSpeedSpin: {
        const int speed = ReadField(page, kSpeed, kSpeedField);
        const int step = ReadField(page, kSpeedStep, kSpeedStepField);
        WriteField(page, kSpeed, kSpeedField, speed + step * delta);
        const LengthMode mode = SelectedLength(page);
        UpdateGroupsFromSpeed(page, st, mode, ReadField(page, kSpeed, kSpeedField));
        if (mode == LengthStandard)
            Regenerate(page, st);
        break;
    }
    case kEffectiveSpin: {
        // Up from empty starts at the speed step; down to 0 is empty again.
        const int effective = ReadField(page, kEffective, kEffectiveSpeedField);
        const long long next = effective + ReadField(page, kSpeedStep, kSpeedStepField) * delta;
        if (next <= 0)
            SetDlgItemTextA(page, kEffective, "");
        else
            WriteField(page, kEffective, kEffectiveSpeedField, next);
        break;
    }
    case kTextNumberSpin:
        WriteField(page, kTextNumber, kTextNumberField,
                   ReadField(page, kTextNumber, kTextNumberField) + delta);
        Regenerate(page, st);
        break;
    case kGroupsSpin:
        WriteField(page, kGroups, kGroupsField, ReadField(page, kGroups, kGroupsField) + delta);
        Regenerate(page, st);
        break;
    default:
        return FALSE;
    }
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

BOOL OnCommand(HWND page, Application& app, int control, int notification) {
    TrainingState& st = app.training;
    switch (control) {
    case kBack:
        GoToPage(page, PAGE_TRAINING_MENU, false);
        return TRUE;
    case kTypeList:
        if (notification == CBN_SELCHANGE)
            Regenerate(page, st);
        return TRUE;
    case kLengthList:
        if (notification == CBN_SELCHANGE) {
            UpdateGroupsFromSpeed(page, st, SelectedLength(page), ReadField(page, kSpeed, kSpeedField));
            Regenerate(page, st);
        }
        return TRUE;
    case kRefresh:
        Regenerate(page, st);
        return TRUE;
    case kBegin:
        Begin(page, st);
        return TRUE;
    case kFinish:
        Finish(page, st);
        return TRUE;
    case kRepeat:
        st.series.setRepeat();
        ClickControl(page, kStart);
        return TRUE;
    case kStart:
        Start(page, app);
        return TRUE;
    case kPrevious:
        Previous(page, st);
        return TRUE;
    case kStop:
        Stop(page, st);
        return TRUE;
    }
    return FALSE;
}

// Fill page: the caption widens, the clocks and the series buttons follow the
// right edge, the text box takes up the rest, Back stays at the left.
const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},
    {kSeriesClock, kFollowTopRight},
    {kTextClock, kFollowTopRight},
    {kTextBox, kFollowBoth},
    {kStart, kFollowBottomRight},
    {kStop, kFollowBottomRight},
    {kPrevious, kFollowBottomRight},
    {kRepeat, kFollowBottomRight},
    {kBegin, kFollowBottomRight},
    {kFinish, kFollowBottomRight},
    {kBack, kFollowBottomLeft},
    {kCopyLabel, kFollowBottomLeft},
    {kCopy, kAnchorLeft | kAnchorRight | kAnchorBottom},
    {kCheck, kFollowBottomRight},
    {kSummary, kFollowBottomRight},
    {kConfusions, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&app.training.layoutWidth, &app.training.layoutHeight};
}

BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    TrainingState& st = app.training;
    if (id == kSeriesTimer)
        SetClock(page, kSeriesClock, static_cast<int32_t>(TickCount() - st.seriesStart));
    else if (id == kPlayTimer && st.state == SeriesState::Playing)
        PlayTick(page, app);
    return TRUE;
}

void InitDialog(HWND page, Application& app) {
    SetSpinRange(page, kTextNumberSpin, kTextNumberField.minimum, kTextNumberField.maximum);
    SetSpinRange(page, kGroupsSpin, kGroupsField.minimum, kGroupsField.maximum);
    SetSpinRange(page, kSpeedSpin, kSpeedField.minimum, kSpeedField.maximum);
    SetSpinRange(page, kEffectiveSpin, kEffectiveSpeedField.minimum, kEffectiveSpeedField.maximum);
    SetSpinRange(page, 1050, kSpeedStepField.minimum, kSpeedStepField.maximum);
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(""), 0);
    SetDlgItemInt(page, kSpeed, 100, FALSE);
    SetDlgItemInt(page, kTextNumber, 1, FALSE);
    SetDlgItemInt(page, kGroups, 20, FALSE);
    SetDlgItemInt(page, kSpeedStep, 10, FALSE);
    ApplyEnabling(page, app.training);
}

const PageDescription kPage =
    DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize}, PageInit{InitDialog},
                 PageTextsLoaded{LoadTexts}, PageShow{Show}, PageHide{Hide}, PageTimer{OnTimer},
                 PageNotify{OnNotify}, PageOtherCommand{OnCommand});

} // namespace

INT_PTR CALLBACK TrainingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
