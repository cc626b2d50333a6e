// Organisation page (page 16): the competition's file and data, the roster
// as a list with one participant's fields beside it, the categories, and a
// roster's import and export. Every change is written at once, to the file
// read afresh, so that the draw page, the results page and klaviro-cli
// never lose what another wrote.
#include "organisation/win/OrganisationPage.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/WholeFile.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "app/win/ReportList.h"
#include "app/win/WideText.h"
#include "config/TextCatalogue.h"
#include "config/win/OpenFileDialog.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "organisation/Roster.h"
#include "organisation/RosterView.h"
#include "organisation/win/OrganisationState.h"
#include "results/Results.h"
#include "texts/ControlTextFile.h" // FileExists
#include "texts/TextEncoding.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const int kCaption = 2300, kBack = 1014;
const FileField kFile{ORG_PATH, ORG_BROWSE, "CSV\0*.csv\0All Files\0*.*\0", "csv", false};
const char kCsvFilter[] = "CSV\0*.csv\0All Files\0*.*\0";
const int kMaxReportLines = 20; // lines of a report shown; the rest counted

const PageText kTexts[] = {
    {kBack, "PO_02", "<< Назад"},
    {2301, "PO_03", "Файл соревнования"},
    {2304, "PO_04", "Название"},
    {2306, "PO_05", "Место проведения"},
    {2308, "PO_06", "Первый день"},
    {2338, "PO_38", "Последний день"},
    {2310, "PO_07", "Главный судья"},
    {2312, "PO_08", "Участник"},
    {2313, "PO_09", "Номер"},
    {2315, "PO_10", "Имя"},
    {2317, "PO_11", "Пол"},
    {2319, "PO_12", "Год рождения"},
    {2321, "PO_13", "Категория"},
    {2323, "PO_14", "Клуб или страна"},
    {2325, "PO_15", "Позывной"},
    {ORG_ADD, "PO_16", "Добавить"},
    {ORG_CHANGE, "PO_17", "Изменить"},
    {ORG_DELETE, "PO_18", "Удалить"},
    {2331, "PO_19", "Порядок"},
    {2334, "PO_20", "Категории"},
    {ORG_IMPORT, "PO_21", "Импорт..."},
    {ORG_EXPORT, "PO_22", "Экспорт..."},
};

using Text = CatalogueText;
const Text kTitle{"PO_01", "Организация"};
const PageListItem kOrders[] = {{"PO_23", "По номеру"}, {"PO_24", "По имени"}, {"PO_25", "По категории"}};
const PageListItem kSexes[] = {{"PO_26", "-"}, {"PO_27", "М"}, {"PO_28", "Ж"}};
const Text kByAge{"PO_29", "По возрасту"};
const Text kCategoryColumn{"PO_30", "Категория"};
const Text kSexColumn{"PO_31", "Пол"};
const Text kAgeColumn{"PO_32", "Возраст"};
const Text kUpTo{"PO_33", "до"};
const Text kAndOver{"PO_34", "и старше"};
const Text kBothSexes{"PO_35", "все"};
const Text kNumberColumn{"PO_36", "Номер"};
const Text kNameColumn{"PO_37", "Участник"};
const Text kYearColumn{"PO_39", "Год"};
const Text kClubColumn{"PO_42", "Клуб"};
const Text kCallsignColumn{"PO_43", "Позывной"};
const Text kNoName{"PO_44", "Введите имя участника"};
const Text kNameTaken{"PO_45", "Участник с таким именем уже есть в списке:"};
const Text kNumberTaken{"PO_46", "Этот стартовый номер уже занят:"};
const Text kNumberRange{"PO_47", "Стартовый номер должен быть от 1 до 99999"};
const Text kBadYear{"PO_48", "Год рождения должен быть от 1900 до 2100"};
const Text kBadDay{"PO_49", "Дата указывается как ГГГГ-ММ-ДД или ДД.ММ.ГГГГ:"};
const Text kNoSelection{"PO_50", "Выберите участника в списке"};
const Text kDeleteQuestion{"PO_51", "Удалить участника из списка?"};
const Text kNotRoster{"PO_52", "Это не список участников:"};
const Text kCannotRead{"PO_53", "Не удается прочитать файл:"};
const Text kImported{"PO_54", "Список участников прочитан. Добавлено:"};
const Text kUpdated{"PO_55", "обновлено:"};
const Text kSkippedLines{"PO_56", "Не приняты строки:"};
const Text kLine{"PO_57", "строка"};
const Text kMoreLines{"PO_58", "и еще строк:"};
const Text kEntrants{"PO_59", "Участников:"};
const Text kNewFile{"PO_60", "Файла еще нет, он будет создан при первом изменении"};
const Text kWritten{"PO_61", "Список участников записан:"};

std::string FieldText(HWND page, int control) {
    char text[kMaxFieldPath + 1] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

void SetField(HWND page, int control, const std::string& utf8) {
    SetItemUtf8Text(page, control, utf8);
}

// A field's text as UTF-8, read as UTF-16: every letter survives, whatever
// the code pages of the system and the language.
std::string FieldUtf8(HWND page, int control) {
    return ReadItemUtf8(page, control);
}

std::string CleanField(const std::string& utf8) {
    return CleanName(utf8);
}

// A report, under the page's title: it is no error.
void Report(HWND page, Application& app, const std::string& text) {
    ShowMessageBox(page, text.c_str(), Lang(app, kTitle).c_str(), MB_ICONINFORMATION | MB_OK);
}

OrganisationState& State(Application& app) {
    return app.organisation;
}

// ---- showing the competition

std::string SexText(Application& app, const std::string& sex) {
    return sex == "M" ? Lang(app, kSexes[1]) : sex == "F" ? Lang(app, kSexes[2]) : "";
}

std::string AgeText(Application& app, const CategoryRule& rule) {
    if (rule.minAge <= 0)
        return Lang(app, kUpTo) + " " + std::to_string(rule.maxAge);
    if (rule.maxAge >= 999)
        return std::to_string(rule.minAge) + " " + Lang(app, kAndOver);
    return std::to_string(rule.minAge) + "-" + std::to_string(rule.maxAge);
}

void FillCategories(HWND page, Application& app) {
    OrganisationState& s = State(app);
    HWND list = GetDlgItem(page, ORG_CATEGORIES);
    BeginReportRows(list);
    SetReportColumns(list, {{Lang(app, kCategoryColumn), 3, true},
                            {Lang(app, kSexColumn), 1, true},
                            {Lang(app, kAgeColumn), 2, true}});
    for (const CategoryRule& rule : s.competition.categories)
        AddReportRow(list,
                     {rule.name,
                      SystemTextToUtf8(rule.sex.empty() ? Lang(app, kBothSexes) : SexText(app, rule.sex)),
                      SystemTextToUtf8(AgeText(app, rule))});
    EndReportRows(list);

    // The category list: by age first, then each name of the table once,
    // then names set by hand that the table lacks.
    s.categoryChoices.clear();
    auto offer = [&](const std::string& name) {
        if (!name.empty() &&
            std::find(s.categoryChoices.begin(), s.categoryChoices.end(), name) == s.categoryChoices.end())
            s.categoryChoices.push_back(name);
    };
    for (const CategoryRule& rule : s.competition.categories)
        offer(rule.name);
    for (const Entrant& e : s.competition.roster)
        offer(e.category);
    const int chosen = ComboGetSelection(page, ORG_CATEGORY);
    ComboClear(page, ORG_CATEGORY);
    AddComboText(GetDlgItem(page, ORG_CATEGORY), Lang(app, kByAge));
    for (const std::string& name : s.categoryChoices)
        SendDlgItemMessageW(page, ORG_CATEGORY, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Utf8ToWide(name).c_str()));
    ComboSetSelection(page, ORG_CATEGORY,
                      chosen > 0 && chosen <= static_cast<int>(s.categoryChoices.size()) ? chosen : 0);
}

StartListOrder Order(HWND page) {
    const int item = ComboGetSelection(page, ORG_ORDER);
    return item == 1   ? StartListOrder::ByName
           : item == 2 ? StartListOrder::ByCategory
                       : StartListOrder::ByNumber;
}

// The roster in the chosen order; each row carries the entrant's index.
void FillRoster(HWND page, Application& app) {
    const Competition& c = State(app).competition;
    HWND list = GetDlgItem(page, ORG_ROSTER);
    BeginReportRows(list);
    SetReportColumns(list, {{Lang(app, kNumberColumn), 2, false},
                            {Lang(app, kNameColumn), 6, true},
                            {Lang(app, kSexColumn), 1, true},
                            {Lang(app, kYearColumn), 2, false},
                            {Lang(app, kClubColumn), 4, true},
                            {Lang(app, kCallsignColumn), 3, true},
                            {Lang(app, kCategoryColumn), 4, true}});
    for (size_t k : SortedRoster(c, Order(page))) {
        const Entrant& e = c.roster[k];
        AddReportRow(list,
                     {e.startNumber > 0 ? std::to_string(e.startNumber) : "", e.name,
                      SystemTextToUtf8(SexText(app, e.sex)),
                      e.birthYear > 0 ? std::to_string(e.birthYear) : "", e.club, e.callsign, e.category},
                     static_cast<LPARAM>(k));
    }
    EndReportRows(list);
}

void ShowStatus(HWND page, Application& app) {
    const OrganisationState& s = State(app);
    const std::string text = s.load == CompetitionLoad::Unreadable ? CompetitionUnreadableText(app)
                             : s.load == CompetitionLoad::Missing
                                 ? Lang(app, kNewFile)
                                 : Lang(app, kEntrants) + " " + std::to_string(s.competition.roster.size());
    SendDlgItemMessageA(page, ORG_STATUS, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ShowCompetition(HWND page, Application& app) {
    const Competition& c = State(app).competition;
    SetField(page, ORG_TITLE, c.title);
    SetField(page, ORG_VENUE, c.venue);
    SetField(page, ORG_FIRST_DAY, c.firstDay);
    SetField(page, ORG_LAST_DAY, c.lastDay);
    SetField(page, ORG_JUDGE, c.chiefJudge);
    FillCategories(page, app);
    FillRoster(page, app);
    ShowStatus(page, app);
}

// Selects the row of the entrant of that name, if any, and shows it.
void SelectEntrant(HWND page, Application& app, const std::string& name) {
    HWND list = GetDlgItem(page, ORG_ROSTER);
    const std::string key = NameKey(name);
    const std::vector<Entrant>& roster = State(app).competition.roster;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        const size_t k = static_cast<size_t>(item.lParam);
        if (k < roster.size() && NameKey(roster[k].name) == key) {
            LVITEMW state{};
            state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
            SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
            return;
        }
    }
}

// The entrant of the selected row, or null.
const Entrant* Selected(HWND page, Application& app) {
    const LPARAM k = SelectedReportRow(GetDlgItem(page, ORG_ROSTER));
    const std::vector<Entrant>& roster = State(app).competition.roster;
    return k >= 0 && static_cast<size_t>(k) < roster.size() ? &roster[static_cast<size_t>(k)] : nullptr;
}

void ShowEntrant(HWND page, Application& app, const Entrant& e) {
    SetDlgItemTextA(page, ORG_NUMBER, e.startNumber > 0 ? std::to_string(e.startNumber).c_str() : "");
    SetField(page, ORG_NAME, e.name);
    ComboSetSelection(page, ORG_SEX, e.sex == "M" ? 1 : e.sex == "F" ? 2 : 0);
    SetDlgItemTextA(page, ORG_YEAR, e.birthYear > 0 ? std::to_string(e.birthYear).c_str() : "");
    const std::vector<std::string>& choices = State(app).categoryChoices;
    const auto at = std::find(choices.begin(), choices.end(), e.category);
    ComboSetSelection(page, ORG_CATEGORY,
                      e.categoryByHand && at != choices.end() ? static_cast<int>(at - choices.begin()) + 1
                                                              : 0);
    SetField(page, ORG_CLUB, e.club);
    SetField(page, ORG_CALLSIGN, e.callsign);
}

// ---- changes

// A whole number field: "" is 0; false for a number outside low..high.
bool NumberField(HWND page, int control, int low, int high, int& value) {
    const std::string text = FieldText(page, control);
    if (text.empty()) {
        value = 0;
        return true;
    }
    if (text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

// The participant of the fields.
// False with the field at fault named and focused.
bool EntrantOfFields(HWND page, Application& app, Entrant& e) {
    auto refuse = [&](const Text& t, int control) {
        ShowWarning(page, Lang(app, t));
        FocusControl(page, control);
        return false;
    };
    if (!NumberField(page, ORG_NUMBER, 1, kMaxStartNumber, e.startNumber))
        return refuse(kNumberRange, ORG_NUMBER);
    e.name = CleanField(FieldUtf8(page, ORG_NAME));
    if (e.name.empty())
        return refuse(kNoName, ORG_NAME);
    const int sex = ComboGetSelection(page, ORG_SEX);
    e.sex = sex == 1 ? "M" : sex == 2 ? "F" : "";
    if (!NumberField(page, ORG_YEAR, 1900, 2100, e.birthYear))
        return refuse(kBadYear, ORG_YEAR);
    const int category = ComboGetSelection(page, ORG_CATEGORY);
    const std::vector<std::string>& choices = State(app).categoryChoices;
    e.categoryByHand = category > 0 && category <= static_cast<int>(choices.size());
    e.category = e.categoryByHand ? choices[static_cast<size_t>(category - 1)] : "";
    e.club = CleanField(FieldUtf8(page, ORG_CLUB));
    e.callsign = CleanField(FieldUtf8(page, ORG_CALLSIGN));
    return true;
}

// Refuses a name or a start number that another entrant than `self` has.
bool Unique(HWND page, Application& app, const Entrant& e, const Entrant* self) {
    Competition& c = State(app).competition;
    if (const Entrant* other = FindEntrantByName(c, e.name); other && other != self) {
        ShowWarning(page, Lang(app, kNameTaken) + "\n" + Utf8ToSystemText(other->name));
        FocusControl(page, ORG_NAME);
        return false;
    }
    if (const Entrant* other = e.startNumber > 0 ? FindEntrantByNumber(c, e.startNumber) : nullptr;
        other && other != self) {
        ShowWarning(page, Lang(app, kNumberTaken) + " " + std::to_string(e.startNumber) + "\n" +
                              Utf8ToSystemText(other->name));
        FocusControl(page, ORG_NUMBER);
        return false;
    }
    return true;
}

// Writes the change made to the competition held and shows the result.
void Commit(HWND page, Application& app, const std::string& select = "") {
    SaveCompetitionOrWarn(page, app);
    ShowCompetition(page, app);
    if (!select.empty())
        SelectEntrant(page, app, select);
}

void Add(HWND page, Application& app) {
    Entrant e;
    if (!EntrantOfFields(page, app, e) || !ReadCompetitionForChange(page, app) ||
        !Unique(page, app, e, nullptr))
        return;
    std::string error;
    if (!AddEntrant(State(app).competition, e, error)) {
        ShowWarning(page, Utf8ToSystemText(error));
        ReloadCompetition(app);
        return;
    }
    Commit(page, app, e.name);
}

void Change(HWND page, Application& app) {
    const Entrant* shown = Selected(page, app);
    if (!shown) {
        ShowWarning(page, Lang(app, kNoSelection));
        return;
    }
    const Entrant before = *shown;
    Entrant e;
    if (!EntrantOfFields(page, app, e) || !ReadCompetitionForChange(page, app))
        return;
    Competition& c = State(app).competition;
    Entrant* target = FindEntrantByName(c, before.name);
    if (!target) { // gone from the file meanwhile
        ShowCompetition(page, app);
        ShowWarning(page, Lang(app, kNoSelection));
        return;
    }
    if (!Unique(page, app, e, target))
        return;
    if (e.startNumber == 0)
        e.startNumber = target->startNumber; // a cleared number keeps the old one
    std::string error;
    if (!ChangeEntrant(c, target->startNumber, e, error)) {
        ShowWarning(page, Utf8ToSystemText(error));
        ReloadCompetition(app);
        ShowCompetition(page, app);
        return;
    }
    Commit(page, app, e.name);
}

void Delete(HWND page, Application& app) {
    const Entrant* shown = Selected(page, app);
    if (!shown) {
        ShowWarning(page, Lang(app, kNoSelection));
        return;
    }
    const std::string name = shown->name;
    const std::string line =
        (shown->startNumber > 0 ? std::to_string(shown->startNumber) + " " : "") + Utf8ToSystemText(name);
    if (!AskYesNo(page, Lang(app, kDeleteQuestion) + "\n" + line) || !ReadCompetitionForChange(page, app))
        return;
    Competition& c = State(app).competition;
    if (const Entrant* target = FindEntrantByName(c, name))
        RemoveEntrant(c, target->startNumber);
    Commit(page, app);
}

// The competition's own data, written when a field of it is left changed.
void TakeData(HWND page, Application& app) {
    Competition& held = State(app).competition;
    std::string first, last;
    const int dayFields[] = {ORG_FIRST_DAY, ORG_LAST_DAY};
    std::string* days[] = {&first, &last};
    for (int k = 0; k < 2; ++k)
        if (!ReadDay(FieldText(page, dayFields[k]), *days[k])) {
            ShowWarning(page, Lang(app, kBadDay) + "\n" + FieldText(page, dayFields[k]));
            SetField(page, dayFields[k], k == 0 ? held.firstDay : held.lastDay);
            return;
        }
    const std::string title = CleanField(FieldUtf8(page, ORG_TITLE));
    const std::string venue = CleanField(FieldUtf8(page, ORG_VENUE));
    const std::string judge = CleanField(FieldUtf8(page, ORG_JUDGE));
    if (title == held.title && venue == held.venue && first == held.firstDay && last == held.lastDay &&
        judge == held.chiefJudge)
        return;
    if (!ReadCompetitionForChange(page, app)) {
        ShowCompetition(page, app);
        return;
    }
    Competition& c = State(app).competition;
    const bool newYear = first != c.firstDay;
    c.title = title;
    c.venue = venue;
    c.firstDay = first;
    c.lastDay = last;
    c.chiefJudge = judge;
    if (newYear)
        UpdateCategories(c); // ages count on the competition's year
    Commit(page, app);
}

// "line 5: reason" for the first problems, then how many more.
std::string ProblemLines(Application& app, const std::vector<RosterProblem>& problems) {
    std::string text;
    for (size_t k = 0; k < problems.size() && k < static_cast<size_t>(kMaxReportLines); ++k)
        text += "\n" + Lang(app, kLine) + " " + std::to_string(problems[k].line) + ": " +
                Utf8ToSystemText(problems[k].reason);
    if (problems.size() > static_cast<size_t>(kMaxReportLines))
        text += "\n" + Lang(app, kMoreLines) + " " + std::to_string(problems.size() - kMaxReportLines);
    return text;
}

void Import(HWND page, Application& app) {
    std::string path = State(app).path;
    const size_t slash = path.find_last_of("\\/");
    path = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    if (!AskOpenFileName(app.mainWindow, kCsvFilter, "csv", true, path))
        return;
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, kMaxCompetitionFileBytes, bytes);
    if (read != WholeFileRead::Read) {
        ShowWarning(page, Lang(app, kCannotRead) + "\n" + path);
        return;
    }
    RosterImport import;
    std::string error;
    if (!ReadRosterCsv(bytes, import, error)) {
        ShowWarning(page, Lang(app, kNotRoster) + "\n" + path + "\n" + Utf8ToSystemText(error));
        return;
    }
    if (!ReadCompetitionForChange(page, app))
        return;
    const RosterMerge merged = MergeRoster(State(app).competition, import);
    if (!SaveCompetitionOrWarn(page, app)) {
        ShowCompetition(page, app);
        return;
    }
    ShowCompetition(page, app);
    std::vector<RosterProblem> problems = import.problems;
    problems.insert(problems.end(), merged.problems.begin(), merged.problems.end());
    std::string text = Lang(app, kImported) + " " + std::to_string(merged.added) + ", " +
                       Lang(app, kUpdated) + " " + std::to_string(merged.updated);
    if (!problems.empty())
        text += "\n" + Lang(app, kSkippedLines) + " " + std::to_string(problems.size()) +
                ProblemLines(app, problems);
    Report(page, app, text);
}

void Export(HWND page, Application& app) {
    if (ReloadCompetition(app) == CompetitionLoad::Unreadable) {
        ShowWarning(page, CompetitionUnreadableText(app));
        return;
    }
    ShowCompetition(page, app);
    std::string path = State(app).path;
    const size_t slash = path.find_last_of("\\/");
    path = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + "Roster.csv";
    if (!AskSaveFileNameOf(app, path, kCsvFilter, "csv"))
        return;
    if (FileExists(path) && !AskYesNo(page, app.FileExistsText()))
        return;
    if (!WriteFileReplacing(path, RosterCsv(State(app).competition))) {
        ShowWarning(page, app.WriteErrorText() + "\n" + path);
        return;
    }
    Report(page, app, Lang(app, kWritten) + "\n" + path);
}

void Browse(HWND page, Application& app) {
    if (BrowseFileField(page, app, kFile)) {
        TakeCompetitionPath(page, kFile, app, true);
        ShowCompetition(page, app);
    }
}

// ---- page messages

// A field of the data left by leaving the page is written too.
void OnHidden(HWND page, Application& app) {
    TakeData(page, app);
}

const PageList kLists[] = {
    TextList(ORG_ORDER, kOrders, 0, true),
    TextList(ORG_SEX, kSexes, 0, true),
};

void OnShown(HWND page, Application& app) {
    ShowCaption(page, kCaption, app, Lang(app, kTitle).c_str());
    SendDlgItemMessageA(page, ORG_STATUS, ATL_SETCOLOR, 0, app.GetLabelColor());
    ApplyReportListLook(GetDlgItem(page, ORG_ROSTER), app);
    ApplyReportListLook(GetDlgItem(page, ORG_CATEGORIES), app);
    ShowCompetitionPath(page, kFile, app); // the draw or results page may have named another
    ReloadCompetition(app);
    ShowCompetition(page, app);
    // The organiser starts with the competition's title. Posted: the main
    // window gives the page the focus after showing it.
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, ORG_TITLE)), TRUE);
}

// A language change shows the lists in the new language.
void OnTextsLoaded(HWND page, Application& app) {
    if (IsWindowVisible(page))
        ShowCompetition(page, app);
}

void OnInit(HWND page, Application& app) {
    InitFileField(page, kFile);
    for (int field : {ORG_TITLE, ORG_VENUE, ORG_JUDGE, ORG_NAME, ORG_CLUB, ORG_CALLSIGN})
        SendDlgItemMessageA(page, field, EM_LIMITTEXT, 200, 0);
    SendDlgItemMessageA(page, ORG_NUMBER, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessageA(page, ORG_YEAR, EM_LIMITTEXT, 4, 0);
    SendDlgItemMessageA(page, ORG_FIRST_DAY, EM_LIMITTEXT, 10, 0);
    SendDlgItemMessageA(page, ORG_LAST_DAY, EM_LIMITTEXT, 10, 0);
    InitReportList(GetDlgItem(page, ORG_ROSTER));
    InitReportList(GetDlgItem(page, ORG_CATEGORIES));
    ShowCompetitionPath(page, kFile, app);
}

BOOL OnNotify(HWND page, Application& app, const NMHDR& header, LPARAM lParam) {
    if (header.idFrom != ORG_ROSTER || header.code != LVN_ITEMCHANGED)
        return FALSE;
    const NMLISTVIEW& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED))
        if (const Entrant* e = Selected(page, app))
            ShowEntrant(page, app, *e);
    return TRUE;
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    switch (control) {
    case ORG_PATH:
        if (code == EN_KILLFOCUS && TakeCompetitionPath(page, kFile, app, false))
            ShowCompetition(page, app);
        return TRUE;
    case ORG_TITLE:
    case ORG_VENUE:
    case ORG_FIRST_DAY:
    case ORG_LAST_DAY:
    case ORG_JUDGE:
        if (code == EN_KILLFOCUS && IsWindowVisible(page))
            TakeData(page, app);
        return TRUE;
    case ORG_ORDER:
        if (code == CBN_SELCHANGE)
            FillRoster(page, app);
        return TRUE;
    }
    return FALSE;
}

void StepOrder(HWND page, Application& app, int key) {
    ComboSetSelection(page, ORG_ORDER, std::clamp(ComboGetSelection(page, ORG_ORDER) - KeyStep(key), 0, 2));
    FillRoster(page, app);
}

const PageKey kKeys[] = {
    {KEY_ENTER, {ORG_ADD}},         {KEY_ESC, {kBack}},
    {KEY_INSERT, {ORG_IMPORT}},     {KEY_PAGE_UP, {}, StepOrder},
    {KEY_PAGE_DOWN, {}, StepOrder},
};

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_COMPETITIONS_MENU},
    {ORG_BROWSE, Browse},
    {ORG_ADD, Add},
    {ORG_CHANGE, Change},
    {ORG_DELETE, Delete},
    {ORG_IMPORT, Import},
    {ORG_EXPORT, Export},
};

const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},         {ORG_ROSTER, kFollowBoth},
    {2334, kFollowBottomLeft},        {ORG_CATEGORIES, kAnchorLeft | kAnchorRight | kAnchorBottom},
    {kBack, kFollowBottomLeft},       {ORG_IMPORT, kFollowBottomRight},
    {ORG_EXPORT, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&app.organisation.width, &app.organisation.height};
}

const PageDescription kPage =
    DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize}, PageInit{OnInit},
                 PageTextsLoaded{OnTextsLoaded}, PageShow{OnShown}, PageHide{OnHidden}, PageNotify{OnNotify},
                 PageOtherCommand{OnCommand});

} // namespace

INT_PTR CALLBACK OrganisationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
