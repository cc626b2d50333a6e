// Transmission training (page 12): the sender keys a numbered KLAVIRO text
// (or free text) on the key chosen here; what the key sends is decoded as it
// comes. Stop, Enter, Esc or a long silence ends the text: the copy is
// marked against the text, the timing measured against the speed reached,
// the chart drawn, and a row goes to the diary. The keying session watches
// the keys itself while it runs (it swallows the keying keys, so Space
// never presses a focused button); the rules live in transmission/.
#include "transmission/win/TransmissionPage.h"

#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "app/win/WideText.h"
#include "controls/ControlMessages.h"
#include "diary/DiaryFile.h"
#include "sound/MorseTable.h"
#include "texts/TextEncoding.h"
#include "texts/TrainingSession.h"
#include "transmission/Judge.h"
#include "transmission/KeyStats.h"
#include "transmission/KeyTiming.h"
#include "transmission/KeyingSettings.h"
#include "transmission/TransmissionRows.h"
#include "transmission/win/KeyingClock.h"
#include "transmission/win/TimingChart.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

double EndPauseMs(double unitMs) {
    return std::max(kEndPauseMs, kEndPauseUnits * unitMs);
}

namespace {

constexpr int kCaption = 1070, kBack = 1014, kStart = 1174, kStop = 1247, kTextBox = 1027, kClock = 1062;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;

const PageText kTexts[] = {
    {kCaption, "PK_01", "Передача"},   {kBack, "PK_02", "<< Назад"},   {2501, "PK_03", "Текст"},
    {2503, "PK_04", "Номер текста"},   {2506, "PK_05", "Число групп"}, {2509, "PK_06", "Ключ"},
    {2511, "PK_07", "Скорость ключа"}, {2515, "PK_08", "Принято"},     {kStop, "PK_09", "Стоп"},
    {kStart, "PK_10", "Старт"},
};
const PageListItem kSources[] = {
    {"PK_11", "Буквы"}, {"PK_12", "Цифры"}, {"PK_13", "Смешанный"}, {"PK_14", "Свободный"}};
const PageListItem kInputs[] = {{"PK_15", "Клавиатура"},
                                {"PK_16", "Мышь"},
                                {"PK_17", "Манипулятор A"},
                                {"PK_18", "Манипулятор B"},
                                {"PK_19", "COM-порт"}};
const PageList kLists[] = {TextList(TX_SOURCE, kSources, 0, true), TextList(TX_INPUT, kInputs, 0, true)};

using Text = CatalogueText;
const Text kStraightKeyText{"PK_20", "Ключ: %1"};
const Text kPaddleKeysText{"PK_21", "Точка: %1, тире: %2"};
const Text kMouseText{"PK_22", "Ключ: левая кнопка мыши над полем \"Принято\""};
const Text kSerialKeyText{"PK_23", "%1: ключ на линии %2"};
const Text kSerialPaddlesText{"PK_24", "%1: точка на линии %2, тире на %3"};
const Text kSpeedErrorsText{"PK_25", "Скорость %1 зн/мин, ошибок %2 в %3 знаках"};
const Text kSpeedFreeText{"PK_26", "Скорость %1 зн/мин, передано %2 знаков"};
const Text kRatioText{"PK_27", "Тире/точка %1 (норма 3), точка %2 мс"};
const Text kGapsText{"PK_28", "Паузы в знаке %1, между знаками %2, между группами %3 (норма 1, 3, 7)"};
const Text kWorstText{"PK_29", "Хуже всего: %1"};
const Text kQualityText{"PK_30", "Качество %1 %"};
const Text kKeyingText{"PK_31", "Ключ включен: передавайте, Enter или Esc - конец"};
const Text kNothingText{"PK_32", "Ничего не принято"};
const Text kDiaryFailedText{"PK_33", "Дневник не удалось записать:"};
const Text kRowNames[5] = {{"PK_34", "Точки"},
                           {"PK_35", "Тире"},
                           {"PK_36", "В знаке"},
                           {"PK_37", "Между знаками"},
                           {"PK_38", "Между группами"}};
const Text kNoKeyingText{"PK_39", "Пока ничего не передано"};
const Text kDiaryWrittenText{"PK_40", "Записано в дневник"};

// [Transmission] entries of this page beside the keying ones.
const char kGroupsKey[] = "Groups";
const char kTextKey[] = "Text";
const char kMaxErrorsKey[] = "MaxErrors";
const char* const kSourceNames[] = {"Letters", "Figures", "Mixed", "Free"};
constexpr NumberField kTxGroupsField{1, 1000, 20};
constexpr NumberField kKeyerSpeedField{kKeyerSpeedMin, kKeyerSpeedMax, 100};
constexpr NumberField kMaxErrorsField{0, 1000, kDefaultTransmissionMaxErrors};

// Controls a keyed text disables (Stop the other way round).
const int kIdleControls[] = {kBack, kStart, TX_SOURCE, TX_NUMBER, TX_GROUPS, TX_INPUT, TX_SPEED};

std::string Replaced(std::string text, const char* from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, std::char_traits<char>::length(from), to);
    return text;
}

std::string Fixed(double value, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// A setting of [Transmission]: missing, unreadable or out of range reads as
// the field's default.
int ReadSetting(Application& app, const char* key, const NumberField& field) {
    int value = 0;
    if (!app.GetInt(kTransmissionSection, key, value) || value < field.minimum || value > field.maximum)
        return field.defaultValue;
    return value;
}

int ReadSource(Application& app) {
    std::string name;
    if (app.GetString(kTransmissionSection, kTextKey, name))
        for (int i = 0; i <= kTransmissionFreeText; ++i)
            if (name == kSourceNames[i])
                return i;
    return TextLetters;
}

void SetStatus(HWND page, const std::string& text) {
    SetItemLanguageText(page, TX_STATUS, text);
}

int InputItem(const KeyingSettings& ks) {
    switch (ks.input) {
    case KeyingInput::Mouse:
        return kInputMouse;
    case KeyingInput::Paddles:
        return ks.modeB ? kInputPaddlesB : kInputPaddlesA;
    case KeyingInput::Serial:
        return kInputSerial;
    default:
        return kInputKeyboard;
    }
}

// The settings with the page's input choice and keyer speed.
KeyingSettings PageKeying(HWND page, Application& app) {
    KeyingSettings ks = ReadKeyingSettings(app);
    switch (ComboGetSelection(page, TX_INPUT)) {
    case kInputMouse:
        ks.input = KeyingInput::Mouse;
        break;
    case kInputPaddlesA:
    case kInputPaddlesB:
        ks.input = KeyingInput::Paddles;
        ks.modeB = ComboGetSelection(page, TX_INPUT) == kInputPaddlesB;
        break;
    case kInputSerial:
        ks.input = KeyingInput::Serial;
        break;
    default:
        ks.input = KeyingInput::Keyboard;
        break;
    }
    ks.keyerSpeed = ReadField(page, TX_SPEED, kKeyerSpeedField);
    return ks;
}

// The key's name as the keyboard layout gives it.
std::string KeyName(int vk) {
    UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
    LONG code = static_cast<LONG>(scan << 16);
    if (vk == VK_RCONTROL || vk == VK_RMENU || (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT ||
        vk == VK_DELETE)
        code |= 1 << 24; // the extended key: Right Ctrl rather than Ctrl
    wchar_t name[64] = L"";
    if (scan && GetKeyNameTextW(code, name, 64) > 0)
        return WideToText(name);
    return "VK " + std::to_string(vk);
}

const char* LineName(SerialLine line) {
    return line == SerialLine::Dsr ? "DSR" : "CTS";
}

void ShowKeys(HWND page, Application& app) {
    const KeyingSettings ks = PageKeying(page, app);
    std::string text;
    switch (ks.input) {
    case KeyingInput::Mouse:
        text = Lang(app, kMouseText);
        break;
    case KeyingInput::Paddles:
        text = Replaced(Replaced(Lang(app, kPaddleKeysText), "%1", KeyName(ks.dotKey)), "%2",
                        KeyName(ks.dashKey));
        break;
    case KeyingInput::Serial:
        text = ks.serialPaddles ? Replaced(Replaced(Replaced(Lang(app, kSerialPaddlesText), "%1", ks.port),
                                                    "%2", LineName(ks.serialDot)),
                                           "%3", LineName(ks.serialDash))
                                : Replaced(Replaced(Lang(app, kSerialKeyText), "%1", ks.port), "%2",
                                           LineName(ks.serialDot));
        break;
    default:
        text = Replaced(Lang(app, kStraightKeyText), "%1", KeyName(ks.straightKey));
        break;
    }
    SetItemLanguageText(page, TX_KEYS, text);
    // The keyer's speed means something only to the keyer.
    EnableControl(page, TX_SPEED, UsesKeyer(ks) && !app.transmission.keying);
}

int Source(HWND page) {
    const int item = ComboGetSelection(page, TX_SOURCE);
    return item >= TextLetters && item <= kTransmissionFreeText ? item : TextLetters;
}

void SetBox(HWND page, int control, const std::string& text, const std::string& marks = "") {
    SendDlgItemMessageA(page, control, ATB_SETTEXT, reinterpret_cast<WPARAM>(text.c_str()),
                        marks.empty() ? 0 : reinterpret_cast<LPARAM>(marks.c_str()));
}

// The text of the number shown, in the text box.
void Regenerate(HWND page, Application& app) {
    TransmissionPageState& st = app.transmission;
    const int source = Source(page);
    const bool free = source == kTransmissionFreeText;
    st.played = PlayedText{free ? TextLetters : source,
                           0,
                           ReadField(page, TX_NUMBER, kTextNumberField),
                           ReadField(page, TX_GROUPS, kTxGroupsField),
                           0,
                           app.GetToneShape()};
    st.text = free ? "" : PlayedTextOf(st.played);
    SetBox(page, kTextBox, st.text);
    for (int c : {TX_NUMBER, TX_GROUPS})
        EnableControl(page, c, !free && !st.keying);
}

void ShowChart(HWND page, Application& app, const KeyDecoding* decoding, double unitMs) {
    std::string names[5];
    for (int i = 0; i < 5; ++i)
        names[i] = Lang(app, kRowNames[i]);
    HWND chart = GetDlgItem(page, TX_CHART);
    SetTimingChartLook(chart, TimingChartLookOf(app));
    SetTimingChart(chart, TimingChartRowsOf(decoding ? *decoding : KeyDecoding{}, unitMs, names),
                   Lang(app, kNoKeyingText));
}

void ApplyEnabling(HWND page, Application& app) {
    const bool keying = app.transmission.keying;
    for (int c : kIdleControls)
        EnableControl(page, c, !keying);
    EnableControl(page, kStop, keying);
    ShowKeys(page, app);
    const bool free = Source(page) == kTransmissionFreeText;
    for (int c : {TX_NUMBER, TX_GROUPS})
        EnableControl(page, c, !free && !keying);
}

void StoreSettings(HWND page, Application& app) {
    WriteKeyingSettings(app, PageKeying(page, app));
    app.SetInt(kTransmissionSection, kGroupsKey, ReadField(page, TX_GROUPS, kTxGroupsField));
    app.SetString(kTransmissionSection, kTextKey, kSourceNames[Source(page)]);
}

// The characters so far, then the pattern of the one being keyed.
void ShowDecoded(HWND page, TransmissionPageState& st) {
    const KeyDecoding& r = st.decoder.Result();
    SetBox(page, TX_DECODED, r.open.empty() ? r.text : r.text + (r.text.empty() ? "" : " ") + r.open);
}

// The presses the session has ended since the last look, into the decoder.
void TakePresses(HWND page, TransmissionPageState& st) {
    if (!st.session)
        return;
    bool any = false;
    for (const KeyPress& p : st.session->TakePresses()) {
        if (!st.decoder.Press(p.downMs, p.upMs))
            continue;
        if (st.firstDownMs < 0 || st.decoder.Presses().size() == 1)
            st.firstDownMs = p.downMs;
        st.lastUpMs = p.upMs;
        any = true;
    }
    if (any)
        ShowDecoded(page, st);
}

void Start(HWND page, Application& app) {
    TransmissionPageState& st = app.transmission;
    if (st.keying)
        return;
    StoreSettings(page, app);
    Regenerate(page, app);
    const KeyingSettings ks = ReadKeyingSettings(app);
    st.guessUnitMs = UnitMsOfSpeed(UsesKeyer(ks) ? kKeyerKind : st.played.kind, ks.keyerSpeed);
    st.decoder.Reset(st.guessUnitMs);
    st.firstDownMs = st.lastUpMs = -1;
    st.keyDown = false;
    // The settings just stored, with the sound settings' tone (or none for a test).
    st.session = st.sideTone ? std::make_unique<KeyingSession>(page, app)
                             : std::make_unique<KeyingSession>(page, app, ks, SideToneSettings{}, false);
    st.session->SetKeyingArea(GetDlgItem(page, TX_DECODED));
    if (!st.session->Start()) {
        SetStatus(page, st.session->Problem());
        st.session.reset();
        return;
    }
    const std::string problem = st.session->Problem(); // a silent side tone, say
    SetStatus(page, Lang(app, kKeyingText) + (problem.empty() ? "" : ". " + problem));
    st.keying = true;
    SetBox(page, TX_DECODED, "");
    SetDlgItemTextA(page, TX_FIGURES, "");
    ShowChart(page, app, nullptr, 0);
    SendDlgItemMessageA(page, kClock, ATM_SETTIME, 0, 0);
    SetTimer(page, kTickTimer, kTickMs, nullptr);
    ApplyEnabling(page, app);
    FocusControl(page, kStop);
}

std::string Spread(const TimingFigure& f) {
    return Fixed(f.mean, 2) + " \xB1 " + Fixed(f.spread, 2); // ± in the language's code page 1251
}

std::string WorstList(const KeyStatistics& stats) {
    std::string list;
    for (const WorstCharacter& w : stats.worst)
        list += (list.empty() ? "" : ", ") + std::string(1, w.sign) + " " + Fixed(w.deviation, 2);
    return list.empty() ? "-" : list;
}

// The copy into the diary: the KLAVIRO text it was sent from, the speed
// reached, the mistakes and the timing figures.
void WriteDiary(HWND page, Application& app, const TransmissionJudgement& j) {
    const DiaryRow row = TransmissionDiaryRow(app.transmission.played, j, std::time(nullptr));
    std::string error;
    if (AppendDiaryRow(UserFilePath(kDiaryFileName), row, error))
        SetStatus(page, Lang(app, kDiaryWrittenText));
    else
        SetStatus(page, Lang(app, kDiaryFailedText) + " " + Utf8ToSystemText(error));
}

// The copy judged and measured; the text box marks the mistakes.
void Judge(HWND page, Application& app) {
    TransmissionPageState& st = app.transmission;
    const KeyTimes presses = st.decoder.Presses();
    if (presses.empty()) {
        SetStatus(page, Lang(app, kNothingText));
        return;
    }
    TransmissionJudgement j;
    std::string first;
    if (!st.text.empty()) {
        JudgeRules rules;
        rules.maxErrors = ReadSetting(app, kMaxErrorsKey, kMaxErrorsField);
        j = JudgeTransmission(presses, st.text, st.guessUnitMs, rules);
        const std::u32string shown(st.text.begin(), st.text.end()); // the texts are ASCII
        SetBox(page, kTextBox, st.text, TextBoxMarks(shown, j.mark));
        first = Replaced(Replaced(Replaced(Lang(app, kSpeedErrorsText), "%1", Fixed(j.cpm, 0)), "%2",
                                  std::to_string(j.mistakes)),
                         "%3", std::to_string(j.mark.characters));
        WriteDiary(page, app, j);
    } else {
        j.decoding = DecodeKeyTimes(presses, st.guessUnitMs);
        j.stats = MeasureKeying(j.decoding);
        j.copy = CorrectedCopy(j.decoding.characters, j.corrections);
        j.cpm = j.stats.cpm;
        first = Replaced(Replaced(Lang(app, kSpeedFreeText), "%1", Fixed(j.cpm, 0)), "%2",
                         std::to_string(j.stats.characters));
        SetStatus(page, "");
    }
    SetBox(page, TX_DECODED, j.copy);
    const KeyStatistics& s = j.stats;
    const std::string figures =
        first + "\r\n" +
        Replaced(Replaced(Lang(app, kRatioText), "%1", Fixed(s.ratio, 2)), "%2", Fixed(s.unitMs, 0)) +
        "\r\n" +
        Replaced(
            Replaced(Replaced(Lang(app, kGapsText), "%1", Spread(s.intraGaps)), "%2", Spread(s.charGaps)),
            "%3", Spread(s.wordGaps)) +
        "\r\n" + Replaced(Lang(app, kWorstText), "%1", WorstList(s)) + "\r\n" +
        Replaced(Lang(app, kQualityText), "%1", Fixed(s.quality, 1));
    SetItemLanguageText(page, TX_FIGURES, figures);
    ShowChart(page, app, &j.decoding, s.unitMs);
}

// Stop, Enter, Esc or a long silence: the session ends, the text is judged.
void End(HWND page, Application& app) {
    TransmissionPageState& st = app.transmission;
    if (!st.keying)
        return;
    KillTimer(page, kTickTimer);
    if (st.session) {
        st.session->Stop(); // a key still down ends its press now
        TakePresses(page, st);
        st.session.reset();
    }
    st.keying = false;
    st.keyDown = false;
    ApplyEnabling(page, app);
    Judge(page, app);
    // Not a button: a Space pressed after the end must not start again.
    FocusControl(page, TX_NUMBER);
    if (GetFocus() != GetDlgItem(page, TX_NUMBER))
        FocusControl(page, TX_SOURCE);
}

void Show(HWND page, Application& app) {
    TransmissionPageState& st = app.transmission;
    ShowCaption(page, kCaption, app);
    // The settings' colours and columns; rows of the page's own, as the boxes
    // are lower than the training page's and hold a short text.
    ApplyTextBoxLook(page, kTextBox, app);
    ApplyTextBoxLook(page, TX_DECODED, app);
    SendDlgItemMessageA(page, kTextBox, ATB_SETROWS, 0, 3);
    SendDlgItemMessageA(page, TX_DECODED, ATB_SETROWS, 0, 3);
    ApplyClockLook(page, kClock, app, ClockLook::Part);
    const KeyingSettings ks = ReadKeyingSettings(app);
    ComboSetSelection(page, TX_INPUT, InputItem(ks));
    ComboSetSelection(page, TX_SOURCE, ReadSource(app));
    WriteField(page, TX_SPEED, kKeyerSpeedField, ks.keyerSpeed);
    WriteField(page, TX_GROUPS, kTxGroupsField, ReadSetting(app, kGroupsKey, kTxGroupsField));
    st.keying = false;
    Regenerate(page, app);
    SetBox(page, TX_DECODED, "");
    SetDlgItemTextA(page, TX_FIGURES, "");
    SetStatus(page, "");
    ShowChart(page, app, nullptr, 0);
    SendDlgItemMessageA(page, kClock, ATM_SETTIME, 0, static_cast<LPARAM>(-1));
    ApplyEnabling(page, app);
}

void Hide(HWND page, Application& app) {
    TransmissionPageState& st = app.transmission;
    KillTimer(page, kTickTimer);
    st.session.reset(); // no hook or tone outlives the page's visit
    st.keying = false;
}

void EnterKey(HWND page, Application& app, int) {
    if (app.transmission.keying)
        End(page, app);
    else
        Start(page, app);
}

void StepNumberKey(HWND page, Application& app, int key) {
    if (app.transmission.keying || Source(page) == kTransmissionFreeText)
        return;
    WriteField(page, TX_NUMBER, kTextNumberField,
               static_cast<long long>(ReadField(page, TX_NUMBER, kTextNumberField)) + KeyStep(key));
    Regenerate(page, app);
}

const PageKey kKeys[] = {
    {KEY_ENTER, {}, EnterKey},
    {KEY_ESC, {kStop, kBack}},
    {KEY_PAGE_UP, {}, StepNumberKey},
    {KEY_PAGE_DOWN, {}, StepNumberKey},
};

void SourceChosen(HWND page, Application& app) {
    Regenerate(page, app);
    ApplyEnabling(page, app);
}

void InputChosen(HWND page, Application& app) {
    ShowKeys(page, app);
}

// The keys' line is composed, not a table text: compose it again in the
// language (and code page) just loaded.
void TextsLoaded(HWND page, Application& app) {
    ShowKeys(page, app);
}

void FieldChanged(HWND page, Application& app) {
    if (!app.transmission.keying)
        Regenerate(page, app);
}

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_TRAINING_MENU},
    {kStart, Start},
    {kStop, End},
    {TX_SOURCE, SourceChosen, kNoPage, CBN_SELCHANGE},
    {TX_INPUT, InputChosen, kNoPage, CBN_SELCHANGE},
    {TX_NUMBER, FieldChanged, kNoPage, EN_KILLFOCUS},
    {TX_GROUPS, FieldChanged, kNoPage, EN_KILLFOCUS},
};

BOOL OnNotify(HWND page, Application& app, const NMHDR& header, LPARAM lParam) {
    if (header.code != UDN_DELTAPOS)
        return FALSE;
    const SpinField spins[] = {{TX_NUMBER_SPIN, TX_NUMBER, &kTextNumberField},
                               {TX_GROUPS_SPIN, TX_GROUPS, &kTxGroupsField},
                               {TX_SPEED_SPIN, TX_SPEED, &kKeyerSpeedField}};
    if (!StepSpinField(page, lParam, spins))
        return FALSE;
    FieldChanged(page, app);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

// Every tick while keying: the clock, the last character closed by the
// silence, and the end after a long one.
BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    TransmissionPageState& st = app.transmission;
    if (id != kTickTimer || !st.keying)
        return TRUE;
    TakePresses(page, st);
    const double now = KeyingClockMs();
    if (st.firstDownMs >= 0)
        SendDlgItemMessageA(page, kClock, ATM_SETTIME, 0, static_cast<LPARAM>(now - st.firstDownMs));
    if (st.keyDown || st.lastUpMs < 0)
        return TRUE;
    st.decoder.Idle(now);
    ShowDecoded(page, st);
    const double unit = st.decoder.Result().unitMs > 0 ? st.decoder.Result().unitMs : st.guessUnitMs;
    if (now - st.lastUpMs >= EndPauseMs(unit))
        End(page, app);
    return TRUE;
}

const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},
    {kClock, kFollowTopRight},
    {kTextBox, kFollowWidth},
    {TX_DECODED, kFollowBoth},
    {TX_FIGURES, kFollowBottomLeft},
    {TX_CHART, kAnchorTop | kAnchorRight | kAnchorBottom},
    {TX_STATUS, kAnchorLeft | kAnchorRight | kAnchorBottom},
    {kBack, kFollowBottomLeft},
    {kStop, kFollowBottomRight},
    {kStart, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&app.transmission.layoutWidth, &app.transmission.layoutHeight};
}

void InitDialog(HWND page, Application& app) {
    SetSpinRange(page, TX_NUMBER_SPIN, kTextNumberField.minimum, kTextNumberField.maximum);
    SetSpinRange(page, TX_GROUPS_SPIN, kTxGroupsField.minimum, kTxGroupsField.maximum);
    SetSpinRange(page, TX_SPEED_SPIN, kKeyerSpeedField.minimum, kKeyerSpeedField.maximum);
    SetBox(page, kTextBox, "");
    SetBox(page, TX_DECODED, "");
    SetDlgItemInt(page, TX_NUMBER, 1, FALSE);
    ApplyEnabling(page, app);
}

const PageDescription kPage = DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize},
                                           PageInit{InitDialog}, PageTextsLoaded{TextsLoaded}, PageShow{Show},
                                           PageHide{Hide}, PageTimer{OnTimer}, PageNotify{OnNotify});

// The keying session's messages, which the skeleton does not know.
bool OnKeyingMessage(HWND page, UINT message, WPARAM wParam) {
    Application* app = AppFromWindow(page);
    if (!app)
        return false;
    TransmissionPageState& st = app->transmission;
    switch (message) {
    case PM_KEYING_EDGE:
        st.keyDown = wParam != 0;
        if (st.keyDown && st.firstDownMs < 0)
            st.firstDownMs = KeyingClockMs(); // the clock runs from here; the press corrects it
        return true;
    case PM_KEYING_PRESS:
        TakePresses(page, st);
        return true;
    case PM_KEYING_PROBLEM: {
        const std::string problem = st.session ? st.session->Problem() : "";
        End(page, *app);
        SetStatus(page, problem); // over what the judgement said
        return true;
    }
    }
    return false;
}

} // namespace

INT_PTR CALLBACK TransmissionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == PM_KEYING_EDGE || message == PM_KEYING_PRESS || message == PM_KEYING_PROBLEM) &&
        OnKeyingMessage(page, message, wParam))
        return TRUE;
    return RunPage(kPage, page, message, wParam, lParam);
}
