// Competition transmission page (page 22): the referee chooses the
// participant and the text, presses Start, and the participant keys; the
// minute runs from the first key down. At its end the copy is judged by the
// correction rule and the marking rules, shown with the timing figures and
// chart, and stored with the key timings beside the reception results.
#include "transmission/win/TransmissionTestPage.h"

#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "app/win/WideText.h"
#include "config/TextCatalogue.h"
#include "controls/ControlMessages.h"
#include "organisation/RosterView.h"
#include "organisation/win/OrganisationState.h"
#include "results/Results.h"
#include "texts/TextEncoding.h"
#include "texts/TrainingSession.h"
#include "transmission/KeyingSettings.h"
#include "transmission/TransmissionTest.h"
#include "transmission/win/KeyingClock.h"
#include "transmission/win/TimingChart.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kCaption = 1070, kBack = 1014, kStop = 1247, kStart = 1174, kTextBox = 1027;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 100;

const FileField kCompetitionFile{TQ_COMPETITION, 2603, "CSV\0*.csv\0All Files\0*.*\0", "csv", false};
const FileField kResultsFile{TQ_RESULTS, 2606, "CSV\0*.csv\0All Files\0*.*\0", "csv", false};

using Text = CatalogueText;
const Text kTitle{"PQ_01", "Передача"};
const PageText kTexts[] = {
    {kBack, "PQ_02", "<< Назад"}, {2601, "PQ_03", "Файл соревнования"}, {2604, "PQ_04", "Файл результатов"},
    {2607, "PQ_05", "Участник"},  {2609, "PQ_06", "Дисциплина"},        {2611, "PQ_07", "Номер текста"},
    {2614, "PQ_08", "Ввод"},      {2621, "PQ_09", "Передано"},          {kStop, "PQ_10", "Стоп"},
    {kStart, "PQ_11", "Старт"},   {TQ_STORE, "PQ_19", "Сохранить"},
};
const PageListItem kDisciplines[] = {{"PQ_12", "Буквы"}, {"PQ_13", "Цифры"}, {"PQ_14", "Смешанный"}};
const PageListItem kInputs[] = {
    {"PQ_15", "Клавиша"}, {"PQ_16", "Мышь"}, {"PQ_17", "Манипулятор"}, {"PQ_18", "COM-порт"}};
const PageList kLists[] = {TextList(TQ_DISCIPLINE, kDisciplines, 0, true),
                           TextList(TQ_INPUT, kInputs, 0, true)};

const Text kSendNow{"PQ_20", "Передавайте: минута идет от первого нажатия ключа"};
const Text kNoParticipant{"PQ_21", "Введите участника"};
const Text kNotInRoster{"PQ_22", "В списке участников нет такого участника или стартового номера:"};
const Text kSpeedText{"PQ_23", "Скорость, зн/мин:"};
const Text kMistakesText{"PQ_24", "ошибок:"};
const Text kCorrectionsText{"PQ_25", "исправлений:"};
const Text kQualityText{"PQ_26", "качество:"};
const Text kAccepted{"PQ_27", "Принята"};
const Text kNotAccepted{"PQ_28", "Не принята, допускается ошибок:"};
const Text kEarlier{"PQ_29", "У участника уже есть передача в этой дисциплине:"};
const Text kReplaceQuestion{"PQ_30", "Заменить прежний результат новым?"};
const Text kStored{"PQ_31", "Результат сохранен:"};
const Text kNotStored{"PQ_32", "Результат не сохранен, он остается на странице (Сохранить — повторить):"};
const Text kNothingKeyed{"PQ_33", "Ключ не нажимали: оценивать нечего"};
const Text kStripNames[5] = {{"PQ_34", "Точки"},
                             {"PQ_35", "Тире"},
                             {"PQ_36", "Паузы в знаке"},
                             {"PQ_37", "Между знаками"},
                             {"PQ_38", "Между группами"}};
const Text kNothingSent{"PQ_39", "Ничего не передано"};
const Text kKeptOnPage{"PQ_40", "Результат не сохранен по просьбе судьи"};
const Text kInputFailed{"PQ_41", "Ввод ключа не удалось открыть:"};
const Text kAddQuestion{"PQ_42", "Сохранить и эту попытку?"};
const double kIdeals[5] = {1, 3, 1, 3, 7};

// Controls a test under way disables (Stop the other way round).
const int kIdleControls[] = {kBack,          kStart,        TQ_COMPETITION, 2603,           TQ_RESULTS, 2606,
                             TQ_PARTICIPANT, TQ_DISCIPLINE, TQ_NUMBER,      TQ_NUMBER_SPIN, TQ_INPUT};

std::unique_ptr<KeyingSession> RealSession(HWND page, Application& app) {
    return std::make_unique<KeyingSession>(page, app);
}
KeyingSessionMaker sessionMaker = RealSession;

TransmissionTestState& State(Application& app) {
    return app.transmissionTest;
}

void SetStatus(HWND page, const std::string& text) {
    SetItemLanguageText(page, TQ_STATUS, text);
}

int ReadMaxErrors(Application& app) {
    int value = kDefaultTransmissionMaxErrors;
    return app.GetInt(kTransmissionSection, "MaxErrors", value) && value >= 0 ? value
                                                                              : kDefaultTransmissionMaxErrors;
}

const Competition* RosterOf(Application& app) {
    return app.organisation.load == CompetitionLoad::Loaded ? &app.organisation.competition : nullptr;
}

// The roster's participants as "<start number> <name>", by number.
void FillParticipants(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    const std::wstring typed = ReadWindowWide(GetDlgItem(page, TQ_PARTICIPANT));
    st.names.clear();
    ComboClear(page, TQ_PARTICIPANT);
    if (const Competition* c = RosterOf(app))
        for (size_t k : SortedRoster(*c, StartListOrder::ByNumber)) {
            const Entrant& e = c->roster[k];
            st.names.push_back(e.name);
            const std::string item = (e.startNumber > 0 ? std::to_string(e.startNumber) + " " : "") + e.name;
            SendDlgItemMessageW(page, TQ_PARTICIPANT, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
        }
    SetDlgItemTextW(page, TQ_PARTICIPANT, typed.c_str());
}

// The participant of the field (UTF-8): an item of the list, a start number
// or a name the roster knows gives the roster's name; without a roster the
// name as typed. Empty when the roster lacks the one typed.
std::string Participant(HWND page, Application& app, std::string& typed) {
    const TransmissionTestState& st = State(app);
    const std::wstring field = ReadWindowWide(GetDlgItem(page, TQ_PARTICIPANT));
    typed = CleanName(WideToUtf8(field));
    const LRESULT item =
        SendDlgItemMessageW(page, TQ_PARTICIPANT, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(field.c_str()));
    if (!field.empty() && item >= 0 && static_cast<size_t>(item) < st.names.size())
        return st.names[static_cast<size_t>(item)];
    const Competition* roster = RosterOf(app);
    if (!roster)
        return typed;
    const Entrant* e = FindEntrant(*roster, typed);
    return e ? e->name : std::string();
}

long long ReadNumber(HWND page) {
    return ReadBoundedInt(page, TQ_NUMBER, kTextNumberField.minimum, kTextNumberField.maximum, 1);
}

void ShowChosenText(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    const int discipline = ComboGetSelection(page, TQ_DISCIPLINE);
    st.discipline = discipline >= 0 && discipline <= 2 ? discipline : 0;
    st.number = ReadNumber(page);
    st.text = TestText(st.discipline, static_cast<int32_t>(st.number));
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(st.text.c_str()), 0);
}

void ApplyEnabling(HWND page, const TransmissionTestState& st) {
    const bool keying = st.phase == TestPhase::Keying;
    for (int c : kIdleControls)
        EnableControl(page, c, !keying);
    EnableControl(page, kStop, keying);
    EnableControl(page, TQ_STORE, !keying && st.unsaved);
}

void ShowClock(HWND page, const TransmissionTestState& st, double nowMs) {
    const double left = TestMsLeft(st.started, st.firstDownMs, nowMs);
    SendDlgItemMessageA(page, TQ_CLOCK, ATM_SETTIME, 0, static_cast<LPARAM>(std::ceil(left)));
}

void ShowDecoded(HWND page, const std::string& cp1251) {
    const std::string shown = Cp1251ToUtf8(cp1251);
    if (ReadItemUtf8(page, TQ_DECODED) != shown)
        SetItemUtf8Text(page, TQ_DECODED, shown);
}

void ClearChart(HWND page, Application& app) {
    std::vector<TimingChartRow> rows;
    for (int k = 0; k < 5; ++k)
        rows.push_back({Lang(app, kStripNames[k]), kIdeals[k], {}});
    SetTimingChart(GetDlgItem(page, TQ_CHART), rows, Lang(app, kNothingSent));
}

// ---- keying

void EndSession(TransmissionTestState& st) {
    if (st.session)
        st.session->Stop();
    st.session.reset();
}

// Takes the presses the session has; those beginning after the minute are
// not the test's and are dropped.
void TakePresses(HWND page, TransmissionTestState& st) {
    if (!st.session)
        return;
    bool changed = false;
    for (const KeyPress& p : st.session->TakePresses()) {
        if (!st.exactStart) {
            st.started = st.exactStart = true;
            st.firstDownMs = p.downMs;
        }
        if (p.downMs >= st.firstDownMs + kTransmissionTestMs)
            continue;
        st.presses.push_back(p);
        changed = st.decoder->Press(p.downMs, p.upMs) || changed;
    }
    if (changed)
        ShowDecoded(page, st.decoder->Result().text);
}

std::string ResultLine(Application& app, const TransmissionJudgement& j, int maxErrors) {
    char quality[32];
    std::snprintf(quality, sizeof quality, "%.1f", j.stats.quality);
    std::string line = Lang(app, kSpeedText) + " " + std::to_string(std::lround(j.cpm)) + ", " +
                       Lang(app, kMistakesText) + " " + std::to_string(j.mistakes) + ", " +
                       Lang(app, kCorrectionsText) + " " + std::to_string(j.corrections) + ", " +
                       Lang(app, kQualityText) + " " + quality + "\n";
    line += j.accepted ? Lang(app, kAccepted) : Lang(app, kNotAccepted) + " " + std::to_string(maxErrors);
    return line;
}

std::string AttemptLine(Application& app, const TransmissionRecord& r) {
    const int d = r.discipline >= 0 && r.discipline <= 2 ? r.discipline : 0;
    return Utf8ToSystemText(r.participant) + ", " + Lang(app, kDisciplines[d]) + " " +
           std::to_string(r.textNumber) + ": " + std::to_string(r.cpm) + ", " + Lang(app, kMistakesText) +
           " " + std::to_string(r.mistakes) + (r.sentAt.empty() ? "" : ", " + r.sentAt);
}

std::string ResultsPathOf(HWND page) {
    return UserFilePath(ReadItemFileName(page, TQ_RESULTS));
}

// Stores the judged result; a repeat for the participant in the discipline
// is asked about first. Whatever fails, the result stays on the page and
// Store tries again.
void StoreResult(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    if (!st.unsaved)
        return;
    const std::string path = TransmissionPathOf(ResultsPathOf(page));
    std::vector<TransmissionRecord> records;
    std::string error;
    if (LoadTransmissionFile(path, records, error) == ResultsLoad::Unreadable) {
        ShowWarning(page, Lang(app, kNotStored) + "\n" + path + "\n" + Utf8ToSystemText(error));
        ApplyEnabling(page, st);
        return;
    }
    bool same = false;
    const std::vector<TransmissionRecord> earlier =
        EarlierAttempts(records, st.record.participant, st.record.discipline, st.record.textNumber, same);
    if (!earlier.empty()) {
        std::string question = Lang(app, kEarlier);
        for (const TransmissionRecord& r : earlier)
            question += "\n" + AttemptLine(app, r);
        question += "\n" + Lang(app, same ? kReplaceQuestion : kAddQuestion);
        if (!AskYesNo(page, question)) {
            SetStatus(page, Lang(app, kKeptOnPage));
            ApplyEnabling(page, st);
            return;
        }
    }
    PrepareUserFilesFolder(path); // a failure shows as the write's
    const StoreOutcome outcome = StoreTransmission(path, st.record, error);
    if (outcome == StoreOutcome::Added || outcome == StoreOutcome::Replaced) {
        st.unsaved = false;
        SetStatus(page, Lang(app, kStored) + " " + Utf8ToSystemText(path));
    } else {
        const std::string reason = outcome == StoreOutcome::WriteFailed ? app.WriteErrorText() : error;
        SetStatus(page, Lang(app, kNotStored));
        ShowWarning(page, Lang(app, kNotStored) + "\n" + path + "\n" + Utf8ToSystemText(reason));
    }
    ApplyEnabling(page, st);
}

// The minute is over (or the page stops listening): the presses of the
// minute are judged, shown and stored.
void Finish(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    KillTimer(page, kTickTimer);
    if (st.session)
        st.session->Stop(); // a key held down ends its press now
    TakePresses(page, st);
    st.session.reset();
    if (st.presses.empty()) {
        st.phase = TestPhase::Idle;
        SetStatus(page, Lang(app, kNothingKeyed));
        ApplyEnabling(page, st);
        return;
    }
    JudgeRules rules;
    rules.maxErrors = ReadMaxErrors(app);
    rules.windowMs = kTransmissionTestMs;
    rules.prefix = true;
    const TransmissionJudgement judged = JudgeTransmission(st.presses, st.text, st.guessUnitMs, rules);
    ShowDecoded(page, judged.decoding.text);
    SetItemLanguageText(page, TQ_RESULT, ResultLine(app, judged, rules.maxErrors));
    const std::array<std::vector<double>, 5> strips = ChartLengths(judged.decoding, judged.stats.unitMs);
    std::vector<TimingChartRow> rows;
    for (int k = 0; k < 5; ++k)
        rows.push_back({Lang(app, kStripNames[k]), kIdeals[k], strips[static_cast<size_t>(k)]});
    SetTimingChart(GetDlgItem(page, TQ_CHART), rows, Lang(app, kNothingSent));
    st.record = TestRecord(st.participant, st.discipline, st.number, judged, st.presses,
                           MarkTimestamp(std::time(nullptr)));
    st.unsaved = true;
    st.phase = TestPhase::Judged;
    SendDlgItemMessageA(page, TQ_CLOCK, ATM_SETTIME, 0, 0);
    ApplyEnabling(page, st);
    StoreResult(page, app);
    // Not Start: a sender still keying after the minute must not begin
    // another test with the straight key.
    FocusControl(page, TQ_DECODED);
}

// The input chosen on the page becomes [Transmission] Input.
void StoreInputChoice(HWND page, Application& app) {
    const int item = ComboGetSelection(page, TQ_INPUT);
    KeyingSettings settings = ReadKeyingSettings(app);
    const KeyingInput chosen =
        item >= 0 && item <= 3 ? static_cast<KeyingInput>(item) : KeyingInput::Keyboard;
    if (settings.input != chosen) {
        settings.input = chosen;
        WriteKeyingSettings(app, settings);
    }
}

void Start(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    if (st.phase == TestPhase::Keying)
        return;
    if (TakeCompetitionPath(page, kCompetitionFile, app, false))
        FillParticipants(page, app);
    std::string typed;
    const std::string participant = Participant(page, app, typed);
    if (participant.empty()) {
        ShowWarning(page, typed.empty() ? Lang(app, kNoParticipant)
                                        : Lang(app, kNotInRoster) + "\n" + Utf8ToSystemText(typed));
        FocusControl(page, TQ_PARTICIPANT);
        return;
    }
    ShowChosenText(page, app);
    StoreInputChoice(page, app);
    st.session = sessionMaker(page, app);
    if (!st.session->Start()) {
        ShowWarning(page, Lang(app, kInputFailed) + "\n" + st.session->Problem());
        st.session.reset();
        return;
    }
    if (st.session->Settings().input == KeyingInput::Mouse)
        st.session->SetKeyingArea(GetDlgItem(page, kTextBox));
    st.participant = participant;
    st.guessUnitMs = UnitMsOfSpeed(kKeyerKind, st.session->Settings().keyerSpeed);
    st.decoder = std::make_unique<KeyDecoder>(st.guessUnitMs);
    st.presses.clear();
    st.started = st.exactStart = false;
    st.firstDownMs = 0;
    st.unsaved = false;
    st.phase = TestPhase::Keying;
    SetItemUtf8Text(page, TQ_DECODED, "");
    SetItemLanguageText(page, TQ_RESULT, "");
    ClearChart(page, app);
    const std::string problem = st.session->Problem(); // a silent side tone, say
    SetStatus(page, problem.empty() ? Lang(app, kSendNow) : Lang(app, kSendNow) + " (" + problem + ")");
    ShowClock(page, st, 0);
    ApplyEnabling(page, st);
    // Not a button: the straight key must press nothing.
    FocusControl(page, TQ_DECODED);
    SetTimer(page, kTickTimer, kTickMs, nullptr);
}

// Stop: the test is abandoned, nothing judged or stored.
void Stop(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    KillTimer(page, kTickTimer);
    EndSession(st);
    st.phase = TestPhase::Idle;
    st.started = false;
    SetStatus(page, "");
    ShowClock(page, st, 0);
    ApplyEnabling(page, st);
    FocusControl(page, kStart);
}

BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    TransmissionTestState& st = State(app);
    if (id != kTickTimer)
        return FALSE;
    if (st.phase != TestPhase::Keying) {
        KillTimer(page, kTickTimer);
        return TRUE;
    }
    const double now = KeyingClockMs();
    TakePresses(page, st);
    ShowClock(page, st, now);
    if (!st.started)
        return TRUE;
    if (TestMsLeft(true, st.firstDownMs, now) <= 0) {
        Finish(page, app);
        return TRUE;
    }
    // A silence closes the character being sent, so it shows.
    if (st.session && !st.session->KeyIsDown()) {
        st.decoder->Idle(now);
        ShowDecoded(page, st.decoder->Result().text);
    }
    return TRUE;
}

// Messages of the keying session.
bool OnKeying(HWND page, UINT message, WPARAM wParam) {
    Application* app = AppFromWindow(page);
    if (!app)
        return false;
    TransmissionTestState& st = State(*app);
    if (st.phase != TestPhase::Keying || !st.session)
        return true;
    switch (message) {
    case PM_KEYING_EDGE:
        // The countdown starts at once; the first press brings its own time.
        if (wParam == 1 && !st.started) {
            st.started = true;
            st.firstDownMs = KeyingClockMs();
        }
        return true;
    case PM_KEYING_PRESS:
        TakePresses(page, st);
        return true;
    case PM_KEYING_PROBLEM: {
        const std::string problem = st.session->Problem();
        Finish(page, *app); // what was keyed is judged
        ShowWarning(page, Lang(*app, kInputFailed) + "\n" + problem);
        return true;
    }
    }
    return false;
}

void Show(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    ShowCaption(page, kCaption, app, Lang(app, kTitle).c_str());
    ApplyTextBoxLook(page, kTextBox, app);
    ApplyClockLook(page, TQ_CLOCK, app, ClockLook::Total);
    SetTimingChartLook(GetDlgItem(page, TQ_CHART), TimingChartLookOf(app));
    ShowCompetitionPath(page, kCompetitionFile, app);
    ReloadCompetition(app);
    FillParticipants(page, app);
    ComboSetSelection(page, TQ_INPUT, static_cast<int>(ReadKeyingSettings(app).input));
    ShowChosenText(page, app);
    if (st.phase != TestPhase::Judged) {
        ShowClock(page, st, 0);
        ClearChart(page, app);
    }
    ApplyEnabling(page, st);
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, TQ_PARTICIPANT)), TRUE);
}

// Leaving the page abandons a test under way (it is not judged).
void Hide(HWND page, Application& app) {
    TransmissionTestState& st = State(app);
    KillTimer(page, kTickTimer);
    EndSession(st);
    if (st.phase == TestPhase::Keying) {
        st.phase = TestPhase::Idle;
        st.started = false;
    }
}

void StoreClicked(HWND page, Application& app) {
    StoreResult(page, app);
}

void BrowseCompetition(HWND page, Application& app) {
    if (BrowseFileField(page, app, kCompetitionFile)) {
        TakeCompetitionPath(page, kCompetitionFile, app, true);
        FillParticipants(page, app);
    }
}

void BrowseResults(HWND page, Application& app) {
    BrowseFileField(page, app, kResultsFile);
}

void StepNumber(HWND page, Application& app, int delta) {
    if (State(app).phase == TestPhase::Keying)
        return;
    ShowClampedInt(page, TQ_NUMBER, kTextNumberField.minimum, kTextNumberField.maximum,
                   static_cast<int>(std::min<long long>(ReadNumber(page) + delta, kTextNumberField.maximum)));
    ShowChosenText(page, app);
}

void StepNumberKey(HWND page, Application& app, int key) {
    StepNumber(page, app, KeyStep(key));
}

const PageKey kKeys[] = {
    {KEY_ENTER, {kStart}},
    {KEY_ESC, {kStop, kBack}},
    {KEY_PAGE_UP, {}, StepNumberKey},
    {KEY_PAGE_DOWN, {}, StepNumberKey},
};

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_COMPETITIONS_MENU},
    {kStart, Start},
    {kStop, Stop},
    {TQ_STORE, StoreClicked},
    {2603, BrowseCompetition},
    {2606, BrowseResults},
};

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    switch (control) {
    case TQ_DISCIPLINE:
        if (code == CBN_SELCHANGE)
            ShowChosenText(page, app);
        return TRUE;
    case TQ_NUMBER:
        if (code == EN_KILLFOCUS)
            ShowChosenText(page, app);
        return TRUE;
    case TQ_COMPETITION:
        if (code == EN_KILLFOCUS && TakeCompetitionPath(page, kCompetitionFile, app, false))
            FillParticipants(page, app);
        return TRUE;
    }
    return FALSE;
}

BOOL OnNotify(HWND page, Application& app, const NMHDR& header, LPARAM lParam) {
    if (header.code != UDN_DELTAPOS || header.idFrom != TQ_NUMBER_SPIN)
        return FALSE;
    StepNumber(page, app, reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},       {TQ_CLOCK, kFollowTopRight},    {kTextBox, kFollowWidth},
    {TQ_DECODED, kFollowBoth},      {TQ_CHART, kFollowHeight},      {kBack, kFollowBottomLeft},
    {TQ_STATUS, kFollowBottomLeft}, {TQ_STORE, kFollowBottomRight}, {kStop, kFollowBottomRight},
    {kStart, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&State(app).width, &State(app).height};
}

void Init(HWND page, Application& app) {
    InitFileField(page, kCompetitionFile);
    InitFileField(page, kResultsFile);
    SetFileField(page, kResultsFile, UserFilePath(kResultsFileName));
    SetSpinRange(page, TQ_NUMBER_SPIN, kTextNumberField.minimum, kTextNumberField.maximum);
    SetDlgItemInt(page, TQ_NUMBER, 1, FALSE);
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(""), 0);
    ApplyEnabling(page, State(app));
}

const PageDescription kPage = DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize},
                                           PageInit{Init}, PageShow{Show}, PageHide{Hide}, PageTimer{OnTimer},
                                           PageNotify{OnNotify}, PageOtherCommand{OnCommand});

} // namespace

KeyingSessionMaker SetKeyingSessionMaker(KeyingSessionMaker maker) {
    const KeyingSessionMaker previous = sessionMaker;
    sessionMaker = maker ? maker : RealSession;
    return previous;
}

INT_PTR CALLBACK TransmissionTestPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == PM_KEYING_EDGE || message == PM_KEYING_PRESS || message == PM_KEYING_PROBLEM) &&
        OnKeying(page, message, wParam))
        return TRUE;
    return RunPage(kPage, page, message, wParam, lParam);
}
