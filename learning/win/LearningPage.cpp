// Learning page (page 1): Koch lessons — the lesson's signs sent at the
// character speed with the gaps stretched to the slower effective speed, the
// new sign on its own, a pass offering the next lesson — and drills of the
// signs the diary says are missed most. The copy is checked as on the
// training page and goes to the diary. The rules live in learning/; this file
// reads the controls, applies the rules and drives the player.
#include "learning/win/LearningPage.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/WideText.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "controls/ControlMessages.h"
#include "learning/Koch.h"
#include "learning/LearningSession.h"
#include "learning/LessonText.h"
#include "sound/MorseTable.h"
#include "texts/TextEncoding.h"
#include "texts/win/ReceptionView.h"

#include <commctrl.h>

namespace {

using namespace receptionview;

constexpr int kCaption = 1070, kBack = 1014;
constexpr int kLessonLabel = 2215, kKindLabel = 2217;

constexpr UINT_PTR kClockTimer = 1, kPlayTimer = 2;
constexpr UINT kTickMs = 100;

const PageText kTexts[] = {
    {kCaption, "PL_01", "Обучение"},
    {kBack, "PL_02", "<< Назад"},
    {2201, "PL_03", "Режим"},
    {2203, "PL_04", "Номер текста"},
    {2206, "PL_05", "Число групп"},
    {2209, "PL_06", "Скорость знаков"},
    {2212, "PL_07", "Общая скорость"},
    {kLessonLabel, "PL_08", "Урок"},
    {kKindLabel, "PL_09", "Тип текста"},
    {LEARN_NEW_SIGN, "PL_10", "Новый знак"},
    {kHideText, "PL_11", "Скрыть текст"},
    {kCopyLabel, "PL_12", "Копия"},
    {kCheck, "PL_13", "Проверить"},
    {kStop, "PL_14", "Стоп"},
    {kStart, "PL_15", "Старт"},
};
const PageListItem kModes[] = {{"PL_16", "Уроки"}, {"PL_17", "Слабые знаки"}};
const PageListItem kKinds[] = {{"PL_18", "Буквы"}, {"PL_19", "Цифры"}, {"PL_20", "Смешанный"}};
const PageList kLists[] = {TextList(LEARN_MODE, kModes, 0, true), TextList(LEARN_KIND, kKinds, 0, true)};

using Text = CatalogueText;
const Text kSignsText{"PL_21", "Знаки урока:"};
const Text kPassedText{"PL_22", "Урок %1 сдан, верно %2 %. Дальше урок %3, новый знак %4"};
const Text kLastPassedText{"PL_23", "Урок %1 сдан, верно %2 %. Это последний урок"};
const Text kNotPassedText{"PL_24", "Урок %1 не сдан: верно %2 %, нужно %3 %"};
const Text kTooShortText{"PL_25", "Зачет урока только за текст не короче %1 групп"};
const Text kBadOrderText{"PL_26", "Порядок знаков [Learning] Order не принят, взят обычный:"};
const Text kWeightsText{"PL_27", "Чаще всего ошибки (доля в последних 500):"};
const Text kDiaryUnreadable{"PL_28", "Дневник не удается прочитать, знаки взяты поровну:"};

// Controls of one mode only.
const int kLessonControls[] = {kLessonLabel, LEARN_LESSONS, LEARN_NEW_SIGN, LEARN_PATTERN};
const int kDrillControls[] = {kKindLabel, LEARN_KIND, LEARN_WEIGHTS};
// Controls a playing text disables (Stop the other way round).
const int kIdleControls[] = {kBack,       kStart,          LEARN_MODE,    LEARN_NUMBER, LEARN_GROUPS,
                             LEARN_SPEED, LEARN_EFFECTIVE, LEARN_LESSONS, LEARN_KIND,   LEARN_NEW_SIGN};

std::string Replaced(std::string text, const char* from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, std::char_traits<char>::length(from), to);
    return text;
}

void SetStatus(HWND page, const std::string& text) {
    SetItemLanguageText(page, LEARN_STATUS, text);
}

std::string SignsOf(const LearningState& st) {
    return LessonSigns(st.order, st.lesson);
}

// The kind whose unit the text is sent with: a lesson is timed as letters.
int SentKind(const LearningState& st) {
    return st.mode == LearningMode::Lessons ? TextLetters : st.kind;
}

// Reads the fields and puts the text of the number shown in the text box.
void Regenerate(HWND page, LearningState& st) {
    st.textNumber = ReadField(page, LEARN_NUMBER, kTextNumberField);
    st.groups = ReadField(page, LEARN_GROUPS, kLessonGroupsField);
    st.speed = ReadField(page, LEARN_SPEED, kCharSpeedField);
    st.effectiveSpeed = ReadField(page, LEARN_EFFECTIVE, kLessonEffectiveField);
    st.text = st.mode == LearningMode::Lessons ? LessonText(SignsOf(st), st.textNumber, st.groups)
                                               : DrillText(st.weights, st.textNumber, st.groups);
    ShowBoxText(page, st);
}

void ShowLesson(HWND page, Application& app) {
    LearningState& st = app.learning;
    const std::string signs = SignsOf(st);
    SendDlgItemMessageA(page, LEARN_LESSONS, LB_SETCURSEL, static_cast<WPARAM>(st.lesson - 1), 0);
    SetItemLanguageText(page, LEARN_SIGNS, Lang(app, kSignsText) + " " + MarkedSigns(signs));
    const std::string pattern =
        signs.empty() ? "" : std::string(1, signs.back()) + "   " + PatternText(signs.back());
    SetItemLanguageText(page, LEARN_PATTERN, pattern);
}

// The weights from the diary as it is now; the heaviest ten in the list.
void LoadWeights(HWND page, Application& app) {
    LearningState& st = app.learning;
    DiaryContents diary;
    std::string error;
    if (LoadDiary(UserFilePath(kDiaryFileName), diary, error) == DiaryLoad::Unreadable) {
        diary = DiaryContents{};
        SetStatus(page, Lang(app, kDiaryUnreadable) + " " + Utf8ToSystemText(error));
    }
    st.weights = DrillWeights(diary, st.kind);
    HWND list = GetDlgItem(page, LEARN_WEIGHTS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const SignWeight& w : HeaviestSigns(st.weights, 10))
        AddListText(list, WeightLine(w));
}

void ShowMode(HWND page, Application& app) {
    LearningState& st = app.learning;
    const bool lessons = st.mode == LearningMode::Lessons;
    for (int c : kLessonControls)
        ShowWindow(GetDlgItem(page, c), lessons ? SW_SHOW : SW_HIDE);
    for (int c : kDrillControls)
        ShowWindow(GetDlgItem(page, c), lessons ? SW_HIDE : SW_SHOW);
    if (lessons) {
        ShowLesson(page, app);
    } else {
        SetItemLanguageText(page, LEARN_SIGNS, Lang(app, kWeightsText));
        LoadWeights(page, app);
    }
}

void ApplyEnabling(HWND page, const LearningState& st) {
    const bool playing = st.state == SeriesState::Playing;
    for (int c : kIdleControls)
        EnableControl(page, c, !playing);
    EnableControl(page, kStop, playing);
}

// A field or choice changed: the next Start plays the number shown.
void Changed(HWND page, LearningState& st) {
    st.series.setRepeat();
    Regenerate(page, st);
}

// The order of the configuration, or the default with the problem said.
void ReadOrder(HWND page, Application& app) {
    LearningState& st = app.learning;
    const std::string configured = app.GetLearningOrder();
    std::string problem;
    SetStatus(page, CheckKochOrder(configured, problem) ? "" : Lang(app, kBadOrderText) + " " + problem);
    st.order = KochOrderOrDefault(configured);
    HWND list = GetDlgItem(page, LEARN_LESSONS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int n = 1; n <= kKochLessons; ++n)
        AddListText(list, LessonLine(n, st.order));
}

void Show(HWND page, Application& app) {
    LearningState& st = app.learning;
    st.sampleRate = app.GetSPS();
    st.hideText = ReadLearningHideText(app);
    CheckDlgButton(page, kHideText, st.hideText ? BST_CHECKED : BST_UNCHECKED);
    ShowCaption(page, kCaption, app);
    ApplyTextBoxLook(page, kTextBox, app);
    ApplyClockLook(page, kSeriesClock, app, ClockLook::Total);
    ApplyClockLook(page, kTextClock, app, ClockLook::Part);
    if (!OpenPagePlayer(page, app, st.player, PAGE_MAIN_MENU))
        return;
    WriteField(page, LEARN_GROUPS, kLessonGroupsField, app.GetLearningGroups());
    WriteField(page, LEARN_SPEED, kCharSpeedField, app.GetLearningCharSpeed());
    WriteField(page, LEARN_EFFECTIVE, kLessonEffectiveField, app.GetLearningEffectiveSpeed());
    ReadOrder(page, app);
    st.lesson = app.GetLearningLesson();
    st.state = SeriesState::Idle;
    st.series.begin(ReadField(page, LEARN_NUMBER, kTextNumberField));
    ShowMode(page, app);
    Regenerate(page, st);
    ApplyEnabling(page, st);
    SetClock(page, kSeriesClock, -1);
    SetClock(page, kTextClock, -1);
}

// The timers go before the player, so no tick can reach a destroyed player.
void Hide(HWND page, Application& app) {
    LearningState& st = app.learning;
    KillTimer(page, kClockTimer);
    KillTimer(page, kPlayTimer);
    st.player.reset();
    st.state = SeriesState::Idle;
    st.clockRunning = false;
    st.hasPlayed = false; // a new visit checks only what it played
}

void Start(HWND page, Application& app) {
    LearningState& st = app.learning;
    if (!st.player)
        return;
    WriteField(page, LEARN_NUMBER, kTextNumberField,
               st.series.numberToPlay(ReadField(page, LEARN_NUMBER, kTextNumberField)));
    Regenerate(page, st);
    if (st.text.empty())
        return; // a drill of no signs: nothing to send
    app.SetLearningGroups(st.groups);
    app.SetLearningCharSpeed(st.speed);
    app.SetLearningEffectiveSpeed(st.effectiveSpeed);
    const bool lessons = st.mode == LearningMode::Lessons;
    const int kind = SentKind(st);
    const int stretched = StretchedSpeed(st.speed, st.effectiveSpeed);
    st.played = PlayedText{kind, 0, st.textNumber, st.groups, st.speed, app.GetToneShape()};
    st.played.lessonSigns = lessons ? SignsOf(st) : "";
    st.played.drillWeights = lessons ? "" : WeightsDigest(st.weights);
    st.played.effectiveSpeed = stretched;
    st.playedText = st.text;
    st.playedLesson = lessons ? st.lesson : 0;
    st.hasPlayed = true;
    st.state = SeriesState::Playing;
    st.textEnded = false;
    ShowBoxText(page, st);
    ApplyEnabling(page, st);
    ClearCheck(page);

    // The text alone: no preamble or AR of signs the lesson has not taught.
    const int unit = unitSamples(kind, st.speed, st.sampleRate);
    const int effectiveUnit = stretched ? unitSamples(kind, stretched, st.sampleRate) : 0;
    st.preambleLength = 0;
    st.lengthMode = LengthFixed;
    st.textDuration = TextDurationMs(st.text, unit, st.sampleRate, effectiveUnit);
    st.player->start(st.text, unit, app.GetStartDelay(), app.GetFrequency(), 0,
                     static_cast<int>(st.text.size()), -1, effectiveUnit);
    SetClock(page, kTextClock, st.textDuration);
    if (!st.clockRunning) {
        st.clockRunning = true;
        st.clockStart = TickCount();
        SetTimer(page, kClockTimer, kTickMs, nullptr);
    }
    SetTimer(page, kPlayTimer, kTickMs, nullptr);
    st.player->pause(false);
    st.watch.release(TickCount());
    FocusControl(page, kStop);
}

void Stop(HWND page, Application& app) {
    LearningState& st = app.learning;
    KillTimer(page, kPlayTimer);
    if (st.player)
        st.player->pause(true);
    st.state = SeriesState::Series;
    ShowBoxText(page, st);
    ApplyEnabling(page, st);
    FocusControl(page, kCopy);
}

// The new sign of the lesson alone, three times, at the lesson's speeds.
void PlayNewSign(HWND page, Application& app) {
    LearningState& st = app.learning;
    const std::string signs = SignsOf(st);
    if (!st.player || st.state == SeriesState::Playing || signs.empty())
        return;
    const int speed = ReadField(page, LEARN_SPEED, kCharSpeedField);
    const int stretched = StretchedSpeed(speed, ReadField(page, LEARN_EFFECTIVE, kLessonEffectiveField));
    const int unit = unitSamples(TextLetters, speed, st.sampleRate);
    st.player->start(NewSignSent(signs.back()), unit, 0, app.GetFrequency(), -1, -1, -1,
                     stretched ? unitSamples(TextLetters, stretched, st.sampleRate) : 0);
    st.player->pause(false);
}

// After the check of a lesson text: passed, the next lesson is offered (the
// list moves on) and the lesson reached is kept.
void JudgeLesson(HWND page, Application& app, const CopyCheck& check) {
    LearningState& st = app.learning;
    const int lesson = st.playedLesson;
    const std::string share = TenthsText(ShareTenths(check.right, check.characters));
    const int passPercent = app.GetLearningPassPercent();
    const LessonResult result = JudgeLessonText(check.right, check.characters, st.played.groups, passPercent);
    if (result == LessonResult::TooShort) {
        SetStatus(page, Replaced(Lang(app, kTooShortText), "%1", std::to_string(kPassGroups)));
        return;
    }
    if (result == LessonResult::NotPassed) {
        SetStatus(page, Replaced(Replaced(Replaced(Lang(app, kNotPassedText), "%1", std::to_string(lesson)),
                                          "%2", share),
                                 "%3", std::to_string(passPercent)));
        return;
    }
    app.SetLearningLesson(LessonReachedAfterPass(lesson, app.GetLearningLesson()));
    if (lesson >= kKochLessons) {
        SetStatus(page,
                  Replaced(Replaced(Lang(app, kLastPassedText), "%1", std::to_string(lesson)), "%2", share));
        return;
    }
    st.lesson = lesson + 1;
    st.series.setRepeat();
    if (st.mode == LearningMode::Lessons)
        ShowLesson(page, app);
    const std::string next = SignsOf(st);
    SetStatus(page, Replaced(Replaced(Replaced(Replaced(Lang(app, kPassedText), "%1", std::to_string(lesson)),
                                               "%2", share),
                                      "%3", std::to_string(st.lesson)),
                             "%4", next.empty() ? "" : std::string(1, next.back())));
}

void Check(HWND page, Application& app) {
    LearningState& st = app.learning;
    CopyCheck check;
    if (!CheckTypedCopy(page, app, st, check))
        return;
    if (st.playedLesson > 0)
        JudgeLesson(page, app, check);
    else if (st.mode == LearningMode::Drills)
        LoadWeights(page, app); // the check just written counts from now on
}

// Ctrl+Enter in the copy field reaches the page as Enter (plain Enter breaks
// the line there): it checks the copy. Anywhere else Enter starts.
void EnterKey(HWND page, Application& app, int) {
    if (GetFocus() == GetDlgItem(page, kCopy))
        Check(page, app);
    else
        ClickControl(page, kStart);
}

// Page Up / Page Down: the next or the previous text, while none plays.
void StepNumberKey(HWND page, Application& app, int key) {
    LearningState& st = app.learning;
    if (st.state == SeriesState::Playing)
        return;
    WriteField(page, LEARN_NUMBER, kTextNumberField,
               static_cast<long long>(ReadField(page, LEARN_NUMBER, kTextNumberField)) + KeyStep(key));
    Changed(page, st);
}

void SwitchFocus(HWND page, Application&, int) {
    SwitchCopyFocus(page, {kStop, kStart, kCheck});
}

const PageKey kKeys[] = {
    {KEY_ENTER, {}, EnterKey},          {KEY_ESC, {kStop, kBack}},     {KEY_PAGE_UP, {}, StepNumberKey},
    {KEY_PAGE_DOWN, {}, StepNumberKey}, {KEY_INSERT, {}, SwitchFocus},
};

void HideTextClicked(HWND page, Application& app) {
    LearningState& st = app.learning;
    st.hideText = IsDlgButtonChecked(page, kHideText) == BST_CHECKED;
    StoreLearningHideText(app, st.hideText);
    if (st.state == SeriesState::Playing)
        ShowBoxText(page, st);
}

void ModeChosen(HWND page, Application& app) {
    LearningState& st = app.learning;
    st.mode = ComboGetSelection(page, LEARN_MODE) == 1 ? LearningMode::Drills : LearningMode::Lessons;
    ShowMode(page, app);
    Changed(page, st);
}

void KindChosen(HWND page, Application& app) {
    LearningState& st = app.learning;
    const int kind = ComboGetSelection(page, LEARN_KIND);
    st.kind = kind >= TextLetters && kind <= TextMixed ? kind : TextLetters;
    LoadWeights(page, app);
    Changed(page, st);
}

void LessonChosen(HWND page, Application& app) {
    LearningState& st = app.learning;
    const LRESULT item = SendDlgItemMessageA(page, LEARN_LESSONS, LB_GETCURSEL, 0, 0);
    if (item < 0 || item >= kKochLessons)
        return;
    st.lesson = static_cast<int>(item) + 1;
    ShowLesson(page, app);
    Changed(page, st);
}

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_MAIN_MENU},
    {kStart, Start},
    {kStop, Stop},
    {kCheck, Check},
    {LEARN_NEW_SIGN, PlayNewSign},
    {kHideText, HideTextClicked, kNoPage, BN_CLICKED},
    {LEARN_MODE, ModeChosen, kNoPage, CBN_SELCHANGE},
    {LEARN_KIND, KindChosen, kNoPage, CBN_SELCHANGE},
    {LEARN_LESSONS, LessonChosen, kNoPage, LBN_SELCHANGE},
};

// The arrows of the number fields write the field themselves; the up-down is
// told not to move (its own position is unused).
BOOL OnNotify(HWND page, Application& app, const NMHDR& header, LPARAM lParam) {
    if (header.code != UDN_DELTAPOS)
        return FALSE;
    const SpinField spins[] = {{LEARN_NUMBER_SPIN, LEARN_NUMBER, &kTextNumberField},
                               {LEARN_GROUPS_SPIN, LEARN_GROUPS, &kLessonGroupsField},
                               {LEARN_SPEED_SPIN, LEARN_SPEED, &kCharSpeedField},
                               {LEARN_EFFECTIVE_SPIN, LEARN_EFFECTIVE, &kLessonEffectiveField}};
    if (!StepSpinField(page, lParam, spins))
        return FALSE;
    Changed(page, app.learning);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    LearningState& st = app.learning;
    if (id == kClockTimer) {
        SetClock(page, kSeriesClock, static_cast<int32_t>(TickCount() - st.clockStart));
    } else if (id == kPlayTimer && st.state == SeriesState::Playing) {
        if (!st.player)
            KillTimer(page, kPlayTimer);
        else
            PlayTick(page, app, st, PAGE_MAIN_MENU);
    }
    return TRUE;
}

// Fill page: the caption widens, the clocks follow the right edge, the lists
// and the text box take up the height, the copy and the buttons stay below.
const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},          {kSeriesClock, kFollowTopRight},
    {kTextClock, kFollowTopRight},     {LEARN_LESSONS, kFollowHeight},
    {LEARN_WEIGHTS, kFollowHeight},    {kTextBox, kFollowBoth},
    {kCopyLabel, kFollowBottomLeft},   {kCopy, kAnchorLeft | kAnchorRight | kAnchorBottom},
    {kCheck, kFollowBottomRight},      {kSummary, kFollowBottomRight},
    {kConfusions, kFollowBottomRight}, {LEARN_STATUS, kAnchorLeft | kAnchorRight | kAnchorBottom},
    {kBack, kFollowBottomLeft},        {kStop, kFollowBottomRight},
    {kStart, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&app.learning.layoutWidth, &app.learning.layoutHeight};
}

void InitDialog(HWND page, Application& app) {
    SetSpinRange(page, LEARN_NUMBER_SPIN, kTextNumberField.minimum, kTextNumberField.maximum);
    SetSpinRange(page, LEARN_GROUPS_SPIN, kLessonGroupsField.minimum, kLessonGroupsField.maximum);
    SetSpinRange(page, LEARN_SPEED_SPIN, kCharSpeedField.minimum, kCharSpeedField.maximum);
    SetSpinRange(page, LEARN_EFFECTIVE_SPIN, kLessonEffectiveField.minimum, kLessonEffectiveField.maximum);
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(""), 0);
    SetDlgItemInt(page, LEARN_NUMBER, 1, FALSE);
    ApplyEnabling(page, app.learning);
}

const PageDescription kPage =
    DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize}, PageInit{InitDialog},
                 PageShow{Show}, PageHide{Hide}, PageTimer{OnTimer}, PageNotify{OnNotify});

} // namespace

INT_PTR CALLBACK LearningPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
