// Results page (page 21): marks the participants' copies against the control
// texts, keeps the marks in the results file, shows the rankings and exports
// the results sheet.
#include "results/win/ResultsPage.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/WholeFile.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "app/win/ReportList.h"
#include "app/win/WideText.h"
#include "config/win/FolderDialog.h"
#include "config/win/OpenFileDialog.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "texts/ControlTextFile.h"
#include "results/Marking.h"
#include "results/ResultsFile.h"
#include "results/ResultsSheet.h"
#include "texts/TextEncoding.h"
#include "texts/TextGeneratorFields.h"
#include "config/TextCatalogue.h"
#include "organisation/BatchMarking.h"
#include "organisation/CompetitionSheet.h"
#include "organisation/RosterView.h"
#include "organisation/win/OrganisationState.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace {

const int kCaption = 1004, kBack = 1014, kTextBox = 1027;
const int kResultsPath = 1101, kResultsBrowse = 1102;
const int kFromFile = 1103, kControlPath = 1104, kControlBrowse = 1105, kFromNumber = 1106;
const int kNumber = 1108, kSeries = 1110, kGroups = 1112;
const int kDiscipline = 1114, kSpeed = 1116, kParticipant = 1118;
const int kLoadCopy = 1120, kCopy = 1121, kMark = 1122, kExport = 1123;
const int kScore = 1125, kVerdict = 1126, kViewLabel = 1127, kView = 1128, kList = 1129, kDelete = 1130;
const int kCompetitionPath = 2491, kCompetitionBrowse = 2492, kMarkFolder = 2493, kCategory = 2495;

const FileField kResultsFile{kResultsPath, kResultsBrowse, "CSV\0*.csv\0All Files\0*.*\0", "csv", false};
const FileField kCompetitionFile{kCompetitionPath, kCompetitionBrowse, "CSV\0*.csv\0All Files\0*.*\0", "csv",
                                 false};
const FileField kControlFile{kControlPath, kControlBrowse, "Text Files\0*.TXT\0All Files\0*.*\0", "txt",
                             true};
const int kOverallView = kDisciplines; // the last item of the view list
const int32_t kInitialGroups = 20;

const PageText kTexts[] = {
    {kBack, "PR_02", "<< Назад"},
    {1100, "PR_03", "Файл результатов"},
    {kFromFile, "PR_04", "Файл с контрольными текстами"},
    {kFromNumber, "PR_05", "Тренировочный текст"},
    {1113, "PR_06", "Дисциплина"},
    {1115, "PR_10", "Скорость"},
    {1107, "PR_11", "Номер текста"},
    {1109, "PR_12", "Вид"},
    {1111, "PR_15", "Длина"},
    {1117, "PR_16", "Участник"},
    {1119, "PR_17", "Копия"},
    {kLoadCopy, "PR_18", "Загрузить..."},
    {kMark, "PR_19", "Проверить"},
    {kDelete, "PR_57", "Удалить"},
    {kExport, "PR_20", "Экспорт"},
    {kViewLabel, "PR_21", "Таблица"},
    {1124, "PR_23", "Ошибки"},
    {2490, "PR_58", "Файл соревнования"},
    {kMarkFolder, "PR_59", "Проверить папку"},
};

// Texts looked up when needed: key and built-in text.
using Text = CatalogueText;
const Text kTitle{"PR_01", "Результаты"};
const Text kDisciplineTexts[kDisciplines] = {{"PR_07", "Буквы"}, {"PR_08", "Цифры"}, {"PR_09", "Смешанный"}};
const Text kSeriesTexts[2] = {{"PR_13", "Тренировка"}, {"PR_14", "Соревнования"}};
const Text kOverallText{"PR_22", "Общий зачет"};
const Text kAccepted{"PR_24", "Принята"};
const Text kNotAccepted{"PR_25", "Не принята"};
const Text kAllowed{"PR_41", "допускается ошибок"};
const Text kResultsUnreadable{"PR_26", "Файл результатов не удается прочитать, он не будет изменен:"};
const Text kNotControlFile{"PR_27", "Это не файл с контрольными текстами:"};
const Text kNoSuchSpeed{"PR_28", "В файле нет текста для этой скорости"};
const Text kNoParticipant{"PR_29", "Введите имя участника"};
const Text kTooManyCopies{"PR_30",
                          "У участника уже есть наибольшее число проверенных копий в этой дисциплине"};
const Text kNoSpeed{"PR_31", "Укажите скорость"};
const Text kTooLong{"PR_32", "Текст или копия слишком длинные для проверки"};
const Text kCannotRead{"PR_33", "Не удается прочитать файл:"};
const Text kFileTooLarge{"PR_42", "Файл слишком велик, он не будет прочитан:"};
const Text kEmptyCopy{"PR_43", "Копия пуста"};
const Text kRankColumn{"PR_34", "Место"};
const Text kNameColumn{"PR_35", "Участник"};
const Text kSpeedColumn{"PR_36", "Скорость"};
const Text kErrorsColumn{"PR_37", "Ошибки"};
const Text kTotalColumn{"PR_39", "Сумма"};
const Text kSheetTitle{"PR_40", "Результаты соревнований по приему"};
const Text kResultsInUse{"PR_50",
                         "Файл результатов занят другой программой, оценка не сохранена. Повторите:"};
const Text kResultsReadOnly{"PR_51", "Файл результатов только для чтения, оценка не сохранена:"};
const Text kResultsNotAFile{"PR_52", "Это не обычный файл, оценка не сохранена:"};
const Text kDeleteQuestion{"PR_53", "Удалить оценку?"};
const Text kNoSuchMark{"PR_54", "Такой оценки нет в файле результатов:"};
const Text kEarlierMark{"PR_55", "Эта копия уже проверена:"};
const Text kReplaceQuestion{"PR_56", "Заменить прежнюю оценку новой? Ошибки в новой:"};
const Text kResultColumn{"PR_60", "Результат"};
const Text kEveryone{"PR_61", "Все участники"};
const Text kNoCategory{"PR_62", "Без категории"};
const Text kNotInRoster{"PR_63", "Этого участника нет в списке участников. Добавить его в список?"};
const Text kNoSuchNumber{"PR_64", "В списке участников нет стартового номера"};
const Text kNeedRoster{"PR_65", "Для проверки папки нужен файл соревнования со списком участников:"};
const Text kChooseCopies{"PR_66", "Папка с копиями участников (номер_дисциплина_скорость.txt)"};
const Text kFolderReport{"PR_67", "Копии из папки проверены."};
const Text kFolderNotStored{"PR_68", "Оценки из папки не сохранены:"};
const Text kOutcomeTexts[] = {{"PR_69", "Проверено"},
                              {"PR_70", "Заменено"},
                              {"PR_71", "Отказано"},
                              {"PR_72", "Не понято"},
                              {"PR_73", "Не сохранено"}};
const Text kMoreFiles{"PR_74", "и еще файлов:"};
const Text kNumberCaption{"PR_75", "Номер"};
const Text kClubCaption{"PR_76", "Клуб"};
const Text kCategoryCaption{"PR_77", "Категория"};
const Text kErrorLimitCaption{"PR_78", "Допускается ошибок"};
const Text kJudgeCaption{"PR_79", "Главный судья"};
const Text kVenueCaption{"PR_80", "Место проведения"};
const Text kDatesCaption{"PR_81", "Даты"};
const Text kWholeField{"PR_82", "Все участники"};
const Text kNoCopies{"PR_83", "В папке нет файлов копий (.txt):"};
const int kMaxFolderLines = 20; // lines of the folder's report shown; the rest counted

OpenDocumentHook openDocumentHook = nullptr;

std::string FieldText(HWND page, int control) {
    char text[kMaxFieldPath + 1] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

// The file a path field names; a name without a folder is the user's.
std::string PathField(HWND page, int control) {
    return UserFilePath(ReadItemFileName(page, control));
}

std::u32string Decoded(const std::string& utf8) {
    std::u32string text;
    DecodeUtf8(utf8, text);
    return text;
}

void Warn(HWND page, Application& app, const Text& t, const std::string& detail = "") {
    ShowWarning(page, detail.empty() ? Lang(app, t) : Lang(app, t) + "\n" + detail);
}

// ---- the rankings in the report list (Unicode, so every name shows)

std::string OrDash(int value, bool present) {
    return present ? std::to_string(value) : "-";
}

// The competition of the page's field when it could be read.
const Competition* RosterOf(Application& app) {
    return app.organisation.load == CompetitionLoad::Loaded ? &app.organisation.competition : nullptr;
}

// The category chosen for the rankings: false for everyone.
bool ChosenCategory(HWND page, Application& app, std::string& category) {
    const int item = ComboGetSelection(page, kCategory);
    const std::vector<std::string>& categories = app.results.categories;
    if (item < 1 || item > static_cast<int>(categories.size()) || !RosterOf(app))
        return false;
    category = categories[static_cast<size_t>(item - 1)];
    return true;
}

// The categories that have marks, the one chosen kept when it still has.
void FillCategories(HWND page, Application& app, const std::vector<MarkRecord>& records) {
    std::string chosen;
    const bool one = ChosenCategory(page, app, chosen);
    std::vector<std::string>& categories = app.results.categories;
    categories = RosterOf(app) ? CategoriesWithMarks(*RosterOf(app), records) : std::vector<std::string>{};
    ComboClear(page, kCategory);
    AddComboText(GetDlgItem(page, kCategory), Lang(app, kEveryone));
    int select = 0;
    for (size_t k = 0; k < categories.size(); ++k) {
        const std::wstring shown =
            categories[k].empty() ? TextToWide(Lang(app, kNoCategory)) : Utf8ToWide(categories[k]);
        SendDlgItemMessageW(page, kCategory, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (one && categories[k] == chosen)
            select = static_cast<int>(k) + 1;
    }
    ComboSetSelection(page, kCategory, select);
}

void ShowRankings(HWND page, Application& app, const std::vector<MarkRecord>& all) {
    HWND list = GetDlgItem(page, kList);
    const int maxErrors = ReadResultsLimits(app).maxErrors;
    std::string category;
    const std::vector<MarkRecord> records =
        ChosenCategory(page, app, category) ? RecordsOfCategory(*RosterOf(app), all, category) : all;
    int view = ComboGetSelection(page, kView);
    if (view < 0)
        view = 0;
    BeginReportRows(list);
    if (view < kDisciplines) {
        SetReportColumns(list, {{Lang(app, kRankColumn), 2, false},
                                {Lang(app, kNameColumn), 8, true},
                                {Lang(app, kSpeedColumn), 3, false},
                                {Lang(app, kErrorsColumn), 2, false},
                                {Lang(app, kResultColumn), 3, false}});
        for (const RankRow& r : RankDiscipline(records, view, maxErrors))
            AddReportRow(list, {OrDash(r.rank, r.rank > 0), r.participant, OrDash(r.speed, r.speed >= 0),
                                OrDash(r.errors, r.errors >= 0), OrDash(r.result, r.result >= 0)});
    } else {
        std::vector<ReportColumn> columns = {{Lang(app, kRankColumn), 1, false},
                                             {Lang(app, kNameColumn), 3, true}};
        for (const Text& t : kDisciplineTexts)
            columns.push_back({Lang(app, t), 1, false});
        columns.push_back({Lang(app, kTotalColumn), 1, false});
        SetReportColumns(list, columns);
        for (const OverallRow& r : RankOverall(records, maxErrors))
            AddReportRow(list, {OrDash(r.rank, r.rank > 0), r.participant, FormatPoints(r.points[0]),
                                FormatPoints(r.points[1]), FormatPoints(r.points[2]), FormatPoints(r.total)});
    }
    EndReportRows(list);
}

// The roster's participants, "<start number> <name>" by number, then those
// with marks that the roster lacks.
void FillParticipants(HWND page, Application& app, const std::vector<MarkRecord>& records) {
    const std::wstring typed = ReadWindowWide(GetDlgItem(page, kParticipant));
    std::vector<std::string>& names = app.results.names;
    std::vector<std::string> items;
    names.clear();
    if (const Competition* c = RosterOf(app))
        for (size_t k : SortedRoster(*c, StartListOrder::ByNumber)) {
            const Entrant& e = c->roster[k];
            names.push_back(e.name);
            items.push_back((e.startNumber > 0 ? std::to_string(e.startNumber) + " " : "") + e.name);
        }
    for (const std::string& name : ParticipantNames(records))
        if (!RosterOf(app) || !FindEntrant(*RosterOf(app), name)) {
            names.push_back(name);
            items.push_back(name);
        }
    ComboClear(page, kParticipant);
    for (const std::string& item : items)
        SendDlgItemMessageW(page, kParticipant, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
    SetDlgItemTextW(page, kParticipant, typed.c_str());
}

// Reads the results file for the lists; a file that is no results file shows
// as empty lists and its reason in the verdict line.
void RefreshResults(HWND page, Application& app) {
    std::vector<MarkRecord> records;
    std::string error;
    if (LoadResultsFile(PathField(page, kResultsPath), records, error) == ResultsLoad::Unreadable)
        SendDlgItemMessageA(page, kVerdict, ATL_SETTEXTTRIM, 0,
                            reinterpret_cast<LPARAM>(Lang(app, kResultsUnreadable).c_str()));
    FillParticipants(page, app, records);
    FillCategories(page, app, records);
    ShowRankings(page, app, records);
}

// ---- the text a copy is marked against

bool FromFile(HWND page) {
    return IsDlgButtonChecked(page, kFromFile) == BST_CHECKED;
}

void EnableSource(HWND page) {
    const BOOL file = FromFile(page);
    EnableControl(page, kControlPath, file);
    EnableControl(page, kControlBrowse, file);
    EnableControl(page, kNumber, !file);
    EnableControl(page, kSeries, !file);
    EnableControl(page, kGroups, !file);
}

// Shows a text in the text box, with marks or without.
void ShowText(HWND page, const std::string& utf8, const std::string& marks = "") {
    const std::string shown = Utf8ToCp1251(utf8);
    std::string m = marks;
    m.resize(shown.size(), ' ');
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(shown.c_str()),
                        reinterpret_cast<LPARAM>(m.c_str()));
}

int SpeedField(HWND page) {
    const std::string text = FieldText(page, kSpeed);
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int speed = std::stoi(text);
    return speed > 0 ? speed : -1;
}

void SetSpeedField(HWND page, int speed) {
    SetDlgItemTextA(page, kSpeed, speed > 0 ? std::to_string(speed).c_str() : "");
}

// Reads the control-text file of the path field into the session (false
// with the reason shown when it is not one). The speed list follows the file
// (a run goes on adding texts); the discipline follows a new file's name.
bool LoadControlFile(HWND page, Application& app, bool report) {
    ResultsSession& s = app.results;
    const std::string path = PathField(page, kControlPath);
    std::string error;
    std::vector<ControlBlock> blocks;
    const ControlLoad load = LoadControlBlocks(path, blocks, error);
    const bool ok = load == ControlLoad::Loaded;
    const bool fresh = path != s.controlPath;
    const std::vector<int> before = BlockSpeeds(s.blocks);
    s.controlPath = path;
    s.blocks = ok ? blocks : std::vector<ControlBlock>{};
    const std::vector<int> speeds = BlockSpeeds(s.blocks);
    if (fresh || speeds != before) {
        const int speed = SpeedField(page);
        ComboClear(page, kSpeed);
        for (int v : speeds)
            SendDlgItemMessageA(page, kSpeed, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(std::to_string(v).c_str()));
        SetSpeedField(page, speed);
    }
    if (fresh) {
        const int discipline = DisciplineOfFileName(path);
        if (discipline >= 0)
            ComboSetSelection(page, kDiscipline, discipline);
    }
    if (!ok && report)
        Warn(page, app,
             load == ControlLoad::NotControlTexts ? kNotControlFile
             : load == ControlLoad::TooLarge      ? kFileTooLarge
                                                  : kCannotRead,
             path);
    return ok;
}

TextFields NumberFields(HWND page) {
    TextFields f;
    f.number = ReadFieldValue(FieldText(page, kNumber), kTextNumberLimit);
    f.groups = ReadFieldValue(FieldText(page, kGroups), kGroupsLimit);
    SetDlgItemInt(page, kNumber, static_cast<UINT>(f.number), FALSE);
    SetDlgItemInt(page, kGroups, static_cast<UINT>(f.groups), FALSE);
    const int kind = ComboGetSelection(page, kDiscipline);
    f.kind = kind >= 0 ? kind : 0;
    f.series = ComboGetSelection(page, kSeries) == 1 ? 1 : 0;
    return f;
}

// The control text (UTF-8) the fields name; false with a message shown.
bool ControlText(HWND page, Application& app, std::string& text, bool report) {
    if (!FromFile(page)) {
        text = TextOfFields(NumberFields(page));
        return true;
    }
    if (!LoadControlFile(page, app, report))
        return false;
    const ControlBlock* block = BlockForSpeed(app.results.blocks, SpeedField(page));
    if (!block) {
        if (report)
            Warn(page, app, SpeedField(page) < 0 ? kNoSpeed : kNoSuchSpeed);
        return false;
    }
    text = block->text;
    return true;
}

// Shows the text the fields name, unmarked, and clears the last verdict.
void ShowChosenText(HWND page, Application& app) {
    std::string text;
    ShowText(page, ControlText(page, app, text, false) ? text : "");
    ShowWindow(GetDlgItem(page, kScore), SW_HIDE);
    SendDlgItemMessageA(page, kVerdict, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(""));
}

void StepText(HWND page, Application& app, int delta) {
    if (FromFile(page)) {
        LoadControlFile(page, app, false);
        SetSpeedField(page, StepSpeed(BlockSpeeds(app.results.blocks), SpeedField(page), delta));
    } else {
        SetDlgItemInt(
            page, kNumber,
            static_cast<UINT>(StepFieldValue(ReadFieldValue(FieldText(page, kNumber), kTextNumberLimit),
                                             delta, kTextNumberLimit)),
            FALSE);
    }
    ShowChosenText(page, app);
}

// The participant as UTF-8: a name picked from the list keeps the letters
// the system's code page lacks.
// Matched as the results match names (case and blanks aside), so a mark
// keeps the spelling the file has.
// A start number, or a name the roster knows, gives the roster's name.
std::string Participant(HWND page, Application& app) {
    const std::wstring field = ReadWindowWide(GetDlgItem(page, kParticipant));
    const LRESULT item = SendDlgItemMessageW(page, kParticipant, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(field.c_str()));
    if (!field.empty() && item >= 0 && static_cast<size_t>(item) < app.results.names.size())
        return app.results.names[static_cast<size_t>(item)];
    const std::string typed = WideToUtf8(field);
    if (const Competition* roster = RosterOf(app))
        if (const Entrant* e = FindEntrant(*roster, CleanName(typed)))
            return e->name;
    const std::string key = NameKey(typed);
    for (const std::string& name : app.results.names)
        if (NameKey(name) == key)
            return name;
    return CleanName(typed);
}

// "Anna, Буквы, 100" and, with the errors, ": Ошибки 3, <time of marking>".
std::string MarkLine(Application& app, const MarkRecord& r, bool withErrors) {
    std::string line = Utf8ToSystemText(r.participant) + ", " + Lang(app, kDisciplineTexts[r.discipline]) +
                       ", " + std::to_string(r.speed);
    if (withErrors)
        line += ": " + Lang(app, kErrorsColumn) + " " + std::to_string(r.errors) +
                (r.markedAt.empty() ? "" : ", " + Utf8ToSystemText(r.markedAt));
    return line;
}

// Says why the results file was not changed; false when it was.
bool ReportUnchanged(HWND page, Application& app, StoreOutcome outcome, const std::string& path) {
    switch (outcome) {
    case StoreOutcome::Refused:
        Warn(page, app, kTooManyCopies);
        return true;
    case StoreOutcome::Unreadable:
        Warn(page, app, kResultsUnreadable, path);
        return true;
    case StoreOutcome::WriteFailed:
        ShowWarning(page, app.WriteErrorText());
        return true;
    case StoreOutcome::InUse:
        Warn(page, app, kResultsInUse, path);
        return true;
    case StoreOutcome::ReadOnly:
        Warn(page, app, kResultsReadOnly, path);
        return true;
    case StoreOutcome::NotRegular:
        Warn(page, app, kResultsNotAFile, path);
        return true;
    case StoreOutcome::Earlier:  // asked about by the caller
    case StoreOutcome::NotFound: // told by the caller, who knows the mark
        return true;
    case StoreOutcome::Added:
    case StoreOutcome::Replaced:
    case StoreOutcome::Removed:
        break;
    }
    return false;
}

// The participant, discipline and speed of the fields; false with the
// missing one asked for.
bool MarkKey(HWND page, Application& app, MarkRecord& mark) {
    mark.participant = Participant(page, app);
    if (mark.participant.empty()) {
        Warn(page, app, kNoParticipant);
        FocusControl(page, kParticipant);
        return false;
    }
    mark.speed = SpeedField(page);
    if (mark.speed < 0) {
        Warn(page, app, kNoSpeed);
        FocusControl(page, kSpeed);
        return false;
    }
    const int discipline = ComboGetSelection(page, kDiscipline);
    mark.discipline = discipline >= 0 ? discipline : 0;
    return true;
}

// A participant the roster lacks joins it when the referee says so; false
// when the mark is not to be stored (a start number nobody has, a No).
bool InRoster(HWND page, Application& app, const std::string& participant) {
    const Competition* roster = RosterOf(app);
    if (!roster || FindEntrant(*roster, participant))
        return true;
    if (participant.find_first_not_of("0123456789") == std::string::npos) {
        Warn(page, app, kNoSuchNumber, participant);
        FocusControl(page, kParticipant);
        return false;
    }
    if (!AskYesNo(page, Lang(app, kNotInRoster) + "\n" + Utf8ToSystemText(participant))) {
        FocusControl(page, kParticipant);
        return false;
    }
    if (!ReadCompetitionForChange(page, app))
        return false;
    Competition& c = app.organisation.competition;
    if (FindEntrant(c, participant))
        return true; // added elsewhere meanwhile
    Entrant e;
    e.name = participant;
    std::string error;
    if (!AddEntrant(c, e, error)) {
        ShowWarning(page, Utf8ToSystemText(error));
        ReloadCompetition(app);
        return false;
    }
    return SaveCompetitionOrWarn(page, app);
}

// ---- the operator's actions

void Mark(HWND page, Application& app) {
    const ResultsLimits limits = ReadResultsLimits(app);
    const std::string resultsPath = PathField(page, kResultsPath);
    // Until a mark is stored the page shows no count: a failed one must not
    // look like a result.
    ShowChosenText(page, app);
    MarkRecord mark;
    if (!MarkKey(page, app, mark))
        return;
    // The copy is marked as typed (its length cap counts every blank) and
    // stored without the blanks around it. An empty one is no copy: a click
    // that waited while the program was busy must not store a mark.
    const std::string copy = ReadItemUtf8(page, kCopy);
    mark.copy = StoredCopy(copy);
    if (mark.copy.empty()) {
        Warn(page, app, kEmptyCopy);
        FocusControl(page, kCopy);
        return;
    }
    std::string text;
    if (!ControlText(page, app, text, true))
        return;
    // Loading a control-text file may have set the discipline its name tells.
    const int discipline = ComboGetSelection(page, kDiscipline);
    mark.discipline = discipline >= 0 ? discipline : 0;
    const std::u32string shown = Decoded(text);
    MarkResult result;
    if (!MarkCopy(shown, Decoded(copy), result)) {
        Warn(page, app, kTooLong);
        return;
    }
    mark.errors = result.errors;
    mark.markedAt = MarkTimestamp(std::time(nullptr));
    if (!InRoster(page, app, mark.participant))
        return;

    std::string error;
    PrepareUserFilesFolder(resultsPath); // a failure shows as the write error
    MarkRecord earlier;
    StoreOutcome stored = StoreMark(resultsPath, mark, limits.maxCopies, error, kResultsLockWaitMs, &earlier);
    if (stored == StoreOutcome::Earlier) {
        if (!AskYesNo(page, Lang(app, kEarlierMark) + "\n" + MarkLine(app, earlier, true) + "\n" +
                                Lang(app, kReplaceQuestion) + " " + std::to_string(mark.errors)))
            return;
        stored = StoreMark(resultsPath, mark, limits.maxCopies, error);
    }
    if (ReportUnchanged(page, app, stored, resultsPath))
        return;
    const std::string shownMarks = TextBoxMarks(shown, result);
    std::string marks;
    // One mark per byte of the text as the text box gets it.
    for (size_t k = 0; k < shown.size(); ++k)
        marks += std::string(Utf8ToCp1251(EncodeUtf8(shown[k])).size(), shownMarks[k]);
    ShowText(page, text, marks);
    SendDlgItemMessageA(page, kScore, ATM_SETNUMBER, 0, result.errors);
    ShowWindow(GetDlgItem(page, kScore), SW_SHOW);
    const std::string verdict =
        Lang(app, IsAccepted(result.errors, limits.maxErrors) ? kAccepted : kNotAccepted) + ", " +
        Lang(app, kAllowed) + ": " + std::to_string(limits.maxErrors);
    SendDlgItemMessageA(page, kVerdict, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(verdict.c_str()));
    ComboSetSelection(page, kView, mark.discipline);
    RefreshResults(page, app);
    SetItemUtf8Text(page, kParticipant, mark.participant);
}

// Removes the mark the fields name, after showing it and asking.
void Delete(HWND page, Application& app) {
    const std::string resultsPath = PathField(page, kResultsPath);
    MarkRecord key;
    if (!MarkKey(page, app, key))
        return;
    std::vector<MarkRecord> records;
    std::string error;
    if (LoadResultsFile(resultsPath, records, error) == ResultsLoad::Unreadable) {
        Warn(page, app, kResultsUnreadable, resultsPath);
        return;
    }
    const MarkRecord* found = FindMark(records, key.participant, key.discipline, key.speed);
    if (found && !AskYesNo(page, Lang(app, kDeleteQuestion) + "\n" + MarkLine(app, *found, true)))
        return;
    const StoreOutcome removed =
        found ? RemoveMark(resultsPath, key.participant, key.discipline, key.speed, error)
              : StoreOutcome::NotFound;
    if (removed == StoreOutcome::NotFound)
        Warn(page, app, kNoSuchMark, MarkLine(app, key, false));
    if (ReportUnchanged(page, app, removed, resultsPath))
        return;
    ShowChosenText(page, app);
    RefreshResults(page, app);
}

void Export(HWND page, Application& app) {
    const std::string resultsPath = PathField(page, kResultsPath);
    std::vector<MarkRecord> records;
    std::string error;
    if (LoadResultsFile(resultsPath, records, error) == ResultsLoad::Unreadable) {
        Warn(page, app, kResultsUnreadable, resultsPath);
        return;
    }
    SheetCaptions c;
    auto utf8 = [&](const Text& t) { return SystemTextToUtf8(Lang(app, t)); };
    c.title = utf8(kSheetTitle);
    c.rank = utf8(kRankColumn);
    c.participant = utf8(kNameColumn);
    c.speed = utf8(kSpeedColumn);
    c.errors = utf8(kErrorsColumn);
    c.result = utf8(kResultColumn);
    c.points = c.total = utf8(kTotalColumn);
    c.overall = utf8(kOverallText);
    for (int d = 0; d < kDisciplines; ++d)
        c.disciplines[d] = utf8(kDisciplineTexts[d]);
    c.noResult = "-";
    std::string html;
    if (ReloadCompetition(app) == CompetitionLoad::Unreadable) {
        ShowWarning(page, CompetitionUnreadableText(app));
        return;
    }
    const int maxErrors = ReadResultsLimits(app).maxErrors;
    if (const Competition* roster = RosterOf(app)) {
        CompetitionCaptions cc = DefaultCompetitionCaptions();
        cc.sheet = c;
        cc.number = utf8(kNumberCaption);
        cc.club = utf8(kClubCaption);
        cc.category = utf8(kCategoryCaption);
        cc.errorLimit = utf8(kErrorLimitCaption);
        cc.chiefJudge = utf8(kJudgeCaption);
        cc.venue = utf8(kVenueCaption);
        cc.dates = utf8(kDatesCaption);
        cc.noCategory = utf8(kNoCategory);
        cc.wholeField = utf8(kWholeField);
        std::string category;
        html = CompetitionHtml(*roster, records, maxErrors, cc,
                               ChosenCategory(page, app, category) ? category : std::string());
    } else {
        html = ResultsHtml(records, maxErrors, c, MarkTimestamp(std::time(nullptr)).substr(0, 10));
    }
    const size_t dot = resultsPath.find_last_of('.');
    const size_t slash = resultsPath.find_last_of("\\/");
    const std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? resultsPath.substr(0, dot)
                                 : resultsPath;
    const std::string sheet = base + ".html";
    PrepareUserFilesFolder(sheet);
    if (!WriteResultsBytes(sheet, html)) {
        ShowWarning(page, app.WriteErrorText());
        return;
    }
    OpenDocument(sheet);
}

// The folder of a file (the control texts of a run are beside the
// control-text file of the field).
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string FolderReport(Application& app, const BatchReport& report) {
    int counts[5] = {};
    for (const BatchLine& line : report.lines)
        ++counts[std::min(static_cast<int>(line.outcome), 4)];
    std::string text = Lang(app, kFolderReport);
    for (int k = 0; k < 5; ++k)
        if (counts[k] > 0)
            text += "\n" + Lang(app, kOutcomeTexts[k]) + ": " + std::to_string(counts[k]);
    int shown = 0, more = 0;
    for (const BatchLine& line : report.lines) {
        if (line.outcome == BatchOutcome::Marked)
            continue;
        if (shown == kMaxFolderLines) {
            ++more;
            continue;
        }
        ++shown;
        text +=
            "\n" + line.file + ": " + Lang(app, kOutcomeTexts[std::min(static_cast<int>(line.outcome), 4)]);
        if (!line.reason.empty())
            text += " (" + Utf8ToSystemText(line.reason) + ")";
    }
    if (more > 0)
        text += "\n" + Lang(app, kMoreFiles) + " " + std::to_string(more);
    return text;
}

// "Проверить папку": every copy of a folder marked against the control texts
// beside the control-text file, the participants found by start number.
void MarkCopyFolder(HWND page, Application& app) {
    const std::string resultsPath = PathField(page, kResultsPath);
    if (ReloadCompetition(app) != CompetitionLoad::Loaded || app.organisation.competition.roster.empty()) {
        Warn(page, app, kNeedRoster, CompetitionPath(app));
        return;
    }
    // The copies folder is kept between runs: an organiser marks one speed
    // after another from the same folder.
    std::string folder;
    app.GetStringOr("Results", "CopiesFolder", "", folder);
    if (folder.empty())
        folder = FolderOf(resultsPath); // beside the results file
    if (!AskFolder(app.mainWindow, Lang(app, kChooseCopies), folder))
        return;
    app.SetString("Results", "CopiesFolder", folder);
    const ResultsLimits limits = ReadResultsLimits(app);
    BatchReport report;
    PrepareUserFilesFolder(resultsPath); // a failure shows as the write's
    const bool stored =
        MarkFolder(folder, FolderOf(PathField(page, kControlPath)), app.organisation.competition, resultsPath,
                   limits.maxErrors, limits.maxCopies, MarkTimestamp(std::time(nullptr)), report);
    RefreshResults(page, app);
    if (!stored) {
        Warn(page, app, kFolderNotStored, Utf8ToSystemText(report.error));
        return;
    }
    if (report.lines.empty()) {
        Warn(page, app, kNoCopies, folder);
        return;
    }
    // A report under the page's title: it is no error.
    ShowMessageBox(page, FolderReport(app, report).c_str(), Lang(app, kTitle).c_str(),
                   MB_ICONINFORMATION | MB_OK);
}

void BrowseCompetition(HWND page, Application& app) {
    if (BrowseFileField(page, app, kCompetitionFile)) {
        TakeCompetitionPath(page, kCompetitionFile, app, true);
        RefreshResults(page, app);
    }
}

void BrowseResults(HWND page, Application& app) {
    if (BrowseFileField(page, app, kResultsFile))
        RefreshResults(page, app);
}

void BrowseControl(HWND page, Application& app) {
    if (!BrowseFileField(page, app, kControlFile))
        return;
    CheckRadioButton(page, kFromFile, kFromNumber, kFromFile);
    EnableSource(page);
    if (LoadControlFile(page, app, true)) {
        const std::vector<int> speeds = BlockSpeeds(app.results.blocks);
        if (!speeds.empty() && !BlockForSpeed(app.results.blocks, SpeedField(page)))
            SetSpeedField(page, speeds.front());
    }
    ShowChosenText(page, app);
}

void LoadCopy(HWND page, Application& app) {
    std::string path;
    if (!AskOpenFileName(app.mainWindow, "Text Files\0*.TXT\0All Files\0*.*\0", "txt", true, path))
        return;
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, kMaxCopyFileBytes, bytes);
    if (read != WholeFileRead::Read) {
        Warn(page, app, read == WholeFileRead::TooLarge ? kFileTooLarge : kCannotRead, path);
        return;
    }
    SetItemUtf8Text(page, kCopy, AnyTextToUtf8(bytes));
}

// ---- page messages

const PageListItem kViews[] = {kDisciplineTexts[0], kDisciplineTexts[1], kDisciplineTexts[2], kOverallText};
const PageList kLists[] = {
    TextList(kDiscipline, kDisciplineTexts, 0, true),
    TextList(kSeries, kSeriesTexts, 0, true),
    TextList(kView, kViews, 0, true),
};

void OnShown(HWND page, Application& app) {
    ShowCaption(page, kCaption, app, Lang(app, kTitle).c_str());
    SendDlgItemMessageA(page, kVerdict, ATL_SETCOLOR, 0, app.GetLabelColor());
    ApplyTextBoxLook(page, kTextBox, app);
    SendDlgItemMessageA(page, kScore, ATM_SETTEXTCOLOR, 0, app.GetScoreColor());
    SendDlgItemMessageA(page, kScore, ATM_SETBKCOLOR, 0, app.GetTextBoxBColor());
    HWND list = GetDlgItem(page, kList);
    SendMessageW(list, LVM_SETBKCOLOR, 0, app.GetTextBoxBColor());
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, app.GetTextBoxBColor());
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, app.GetTextBoxTColor());
    ShowCompetitionPath(page, kCompetitionFile, app); // the organisation page may have named another
    ReloadCompetition(app);
    RefreshResults(page, app);
    ShowChosenText(page, app);
    // The referee starts with the speed, then the name and the copy. Posted:
    // the main window gives the page the focus after showing it.
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, kSpeed)), TRUE);
}

ResultsSession::Box ControlBox(HWND page, int control) {
    RECT r;
    GetWindowRect(GetDlgItem(page, control), &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

// The left column keeps its width; the text box and the list share the
// height the window gains over the template, half each.
const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},         {kVerdict, kFollowWidth},
    {kCopy, kFollowHeight},           {kBack, kFollowBottomLeft},
    {kMark, kFollowBottomLeft},       {kDelete, kFollowBottomLeft},
    {kExport, kFollowBottomRight},    {kMarkFolder, kFollowBottomRight},
    {kCompetitionPath, kFollowWidth}, {kCompetitionBrowse, kFollowTopRight},
};

PageSize KeptSize(Application& app) {
    return {&app.results.clientWidth, &app.results.clientHeight};
}

void OnLayout(HWND page, Application& app, int width, int height) {
    const ResultsSession& s = app.results;
    const int wider = width - s.baseWidth, taller = height - s.baseHeight, half = taller / 2;
    auto place = [&](int control, const ResultsSession::Box& b, int down, int grow, bool stretch) {
        MoveWindow(GetDlgItem(page, control), b.left, b.top + down, b.right - b.left + (stretch ? wider : 0),
                   b.bottom - b.top + grow, TRUE);
    };
    place(kTextBox, s.textBox, 0, half, true);
    place(kViewLabel, s.viewLabel, half, 0, false);
    place(kView, s.view, half, 0, false);
    place(kCategory, s.category, half, 0, false);
    place(kList, s.list, half, taller - half, true);
}

void OnInit(HWND page, Application& app) {
    InitFileField(page, kResultsFile);
    InitFileField(page, kControlFile);
    InitFileField(page, kCompetitionFile);
    ShowCompetitionPath(page, kCompetitionFile, app);
    SetFileField(page, kResultsFile, UserFilePath(kResultsFileName));
    SetFileField(page, kControlFile, UserFilePath("Letters.txt"));
    CheckRadioButton(page, kFromFile, kFromNumber, kFromFile);
    SetDlgItemInt(page, kNumber, 1, FALSE);
    SetDlgItemInt(page, kGroups, kInitialGroups, FALSE);
    EnableSource(page);
    InitReportList(GetDlgItem(page, kList));
    RECT client;
    GetClientRect(page, &client);
    ResultsSession& s = app.results;
    s.clientWidth = s.baseWidth = client.right;
    s.clientHeight = s.baseHeight = client.bottom;
    s.textBox = ControlBox(page, kTextBox);
    s.viewLabel = ControlBox(page, kViewLabel);
    s.view = ControlBox(page, kView);
    s.category = ControlBox(page, kCategory);
    s.list = ControlBox(page, kList);
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    switch (control) {
    case kFromFile:
    case kFromNumber:
        // The two buttons are not one dialog group (the path field and its
        // button stand between them), so each click checks by hand.
        CheckRadioButton(page, kFromFile, kFromNumber, control);
        EnableSource(page);
        ShowChosenText(page, app);
        return TRUE;
    case kResultsPath:
        if (code == EN_KILLFOCUS)
            RefreshResults(page, app);
        return TRUE;
    case kControlPath:
    case kNumber:
    case kGroups:
        if (code == EN_KILLFOCUS)
            ShowChosenText(page, app);
        return TRUE;
    case kSpeed:
        if (code == CBN_SELCHANGE) {
            // The edit part takes the picked item only after this notice.
            const int item = ComboGetSelection(page, kSpeed);
            char text[32] = "";
            if (item >= 0 && SendDlgItemMessageA(page, kSpeed, CB_GETLBTEXTLEN, item, 0) < 32)
                SendDlgItemMessageA(page, kSpeed, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
            SetDlgItemTextA(page, kSpeed, text);
        }
        if (code == CBN_SELCHANGE || code == CBN_KILLFOCUS)
            ShowChosenText(page, app);
        return TRUE;
    case kSeries:
    case kDiscipline:
        if (code == CBN_SELCHANGE && !FromFile(page))
            ShowChosenText(page, app);
        return TRUE;
    case kView:
    case kCategory:
        if (code == CBN_SELCHANGE)
            RefreshResults(page, app);
        return TRUE;
    case kCompetitionPath:
        if (code == EN_KILLFOCUS && TakeCompetitionPath(page, kCompetitionFile, app, false))
            RefreshResults(page, app);
        return TRUE;
    }
    return FALSE;
}

void StepTextKey(HWND page, Application& app, int key) {
    StepText(page, app, KeyStep(key));
}

const PageKey kKeys[] = {
    {KEY_ENTER, {kMark}},           {KEY_ESC, {kBack}},
    {KEY_PAGE_UP, {}, StepTextKey}, {KEY_PAGE_DOWN, {}, StepTextKey},
    {KEY_INSERT, {kMarkFolder}},
};

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_COMPETITIONS_MENU},
    {kMark, Mark},
    {kDelete, Delete},
    {kExport, Export},
    {kResultsBrowse, BrowseResults},
    {kControlBrowse, BrowseControl},
    {kLoadCopy, LoadCopy},
    {kMarkFolder, MarkCopyFolder},
    {kCompetitionBrowse, BrowseCompetition},
};

const PageDescription kPage =
    DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize}, PageInit{OnInit},
                 PageShow{OnShown}, PageLayout{OnLayout}, PageOtherCommand{OnCommand});

} // namespace

bool OpenDocument(const std::string& path) {
    if (openDocumentHook)
        return openDocumentHook(path);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", FileSystemPath(path).c_str(), nullptr,
                                                   nullptr, SW_SHOWNORMAL)) > 32;
}

OpenDocumentHook SetOpenDocumentHook(OpenDocumentHook hook) {
    OpenDocumentHook previous = openDocumentHook;
    openDocumentHook = hook;
    return previous;
}

INT_PTR CALLBACK ResultsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
