// Draw page (page 29): the start numbers (or seats in groups of N) drawn at
// random from a seed that is shown before the draw and kept in the
// competition file after it, so that anyone can repeat the draw; the start
// list written as a web page and opened.
#include "organisation/win/DrawPage.h"

#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "app/win/ReportList.h"
#include "config/TextCatalogue.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "organisation/Draw.h"
#include "organisation/RosterView.h"
#include "organisation/win/OrganisationState.h"
#include "results/win/ResultsPage.h" // OpenDocument
#include "texts/ControlTextFile.h"   // FileExists
#include "texts/TextEncoding.h"

#include <algorithm>
#include <ctime>
#include <random>
#include <string>

namespace {

const int kCaption = 2400, kBack = 1014;
const FileField kFile{DRAW_PATH, DRAW_BROWSE, "CSV\0*.csv\0All Files\0*.*\0", "csv", false};
const char kHtmlFilter[] = "Web pages\0*.html;*.htm\0All Files\0*.*\0";
const int kMaxGroupSize = 1000;

const PageText kTexts[] = {
    {kBack, "PZ_02", "<< Назад"},
    {2401, "PZ_03", "Файл соревнования"},
    {2404, "PZ_04", "Ключ жеребьевки"},
    {DRAW_NEW_SEED, "PZ_05", "Новый ключ"},
    {2407, "PZ_06", "Участников в группе"},
    {2409, "PZ_07", "0: только стартовые номера"},
    {DRAW_RUN, "PZ_08", "Провести жеребьевку"},
    {2411, "PZ_09", "Стартовый протокол"},
    {DRAW_WRITE, "PZ_10", "Записать..."},
};

using Text = CatalogueText;
const Text kTitle{"PZ_01", "Жеребьевка"};
const PageListItem kOrders[] = {{"PZ_11", "По номеру"}, {"PZ_12", "По имени"}, {"PZ_13", "По категории"}};
const Text kNumberColumn{"PZ_14", "Номер"};
const Text kGroupColumn{"PZ_15", "Группа"};
const Text kSeatColumn{"PZ_16", "Место"};
const Text kNameColumn{"PZ_17", "Участник"};
const Text kCategoryColumn{"PZ_18", "Категория"};
const Text kClubColumn{"PZ_19", "Клуб"};
const Text kListTitle{"PZ_20", "Стартовый протокол"};
const Text kSexCaption{"PZ_21", "Пол"};
const Text kYearCaption{"PZ_22", "Год рождения"};
const Text kCallsignCaption{"PZ_23", "Позывной"};
const Text kSeedCaption{"PZ_24", "Ключ жеребьевки"};
const Text kNoCategory{"PZ_25", "Без категории"};
const Text kBadSeed{"PZ_26", "Ключ жеребьевки - целое число от 0 до 4294967295"};
const Text kBadGroups{"PZ_27", "Участников в группе - число от 0 до 1000"};
const Text kNoEntrants{"PZ_28", "В списке участников никого нет"};
const Text kDrawnBefore{"PZ_29", "Жеребьевка уже проведена, ключ"};
const Text kRedraw{"PZ_30", "Провести ее заново? Стартовые номера участников изменятся."};
const Text kDrawn{"PZ_31", "Жеребьевка проведена, ключ"};
const Text kInGroups{"PZ_32", "групп по"};
const Text kNotDrawn{"PZ_33", "Жеребьевки еще не было"};
const Text kEntrants{"PZ_34", "Участников:"};
const Text kMale{"PZ_35", "М"};
const Text kFemale{"PZ_36", "Ж"};

OrganisationState& State(Application& app) {
    return app.organisation;
}

std::string FieldText(HWND page, int control) {
    char text[32] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

// A field of plain digits worth at most `high`; false for anything else.
bool WholeField(HWND page, int control, unsigned long long high, unsigned long long& value) {
    const std::string text = FieldText(page, control);
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoull(text);
    return value <= high;
}

// A seed nobody can guess: the system's random source with the time mixed in.
uint32_t NewSeed() {
    std::random_device device;
    return device() ^ static_cast<uint32_t>(std::time(nullptr)) ^ (TickCount() << 16);
}

void ShowSeed(HWND page, uint32_t seed) {
    SetDlgItemTextA(page, DRAW_SEED, std::to_string(seed).c_str());
}

// ---- showing the draw

void ShowStatus(HWND page, Application& app) {
    const OrganisationState& s = State(app);
    const Competition& c = s.competition;
    std::string text;
    if (s.load == CompetitionLoad::Unreadable) {
        text = CompetitionUnreadableText(app);
    } else {
        text = Lang(app, kEntrants) + " " + std::to_string(c.roster.size()) + ". ";
        if (!c.drawn)
            text += Lang(app, kNotDrawn);
        else
            text += Lang(app, kDrawn) + " " + std::to_string(c.drawSeed) +
                    (c.drawGroupSize > 0 ? ", " + Lang(app, kInGroups) + " " + std::to_string(c.drawGroupSize)
                                         : "");
    }
    SendDlgItemMessageA(page, DRAW_STATUS, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The roster by start number, with groups and seats when drawn in groups.
void FillList(HWND page, Application& app) {
    const Competition& c = State(app).competition;
    const bool groups = c.drawn && c.drawGroupSize > 0;
    HWND list = GetDlgItem(page, DRAW_LIST);
    BeginReportRows(list);
    std::vector<ReportColumn> columns = {{Lang(app, kNumberColumn), 2, false}};
    if (groups) {
        columns.push_back({Lang(app, kGroupColumn), 2, false});
        columns.push_back({Lang(app, kSeatColumn), 2, false});
    }
    columns.insert(columns.end(), {{Lang(app, kNameColumn), 7, true},
                                   {Lang(app, kCategoryColumn), 4, true},
                                   {Lang(app, kClubColumn), 4, true}});
    SetReportColumns(list, columns);
    for (size_t k : SortedRoster(c, StartListOrder::ByNumber)) {
        const Entrant& e = c.roster[k];
        std::vector<std::string> cells = {e.startNumber > 0 ? std::to_string(e.startNumber) : ""};
        if (groups) {
            const Seat seat = SeatOf(e.startNumber, c.drawGroupSize);
            cells.push_back(e.startNumber > 0 ? std::to_string(seat.group) : "");
            cells.push_back(e.startNumber > 0 ? std::to_string(seat.seat) : "");
        }
        cells.insert(cells.end(), {e.name, e.category, e.club});
        AddReportRow(list, cells, static_cast<LPARAM>(k));
    }
    EndReportRows(list);
}

// The seed and group size on show: the draw's when there was one,
// otherwise the seed proposed (and kept) for this run.
void ShowDraw(HWND page, Application& app) {
    OrganisationState& s = State(app);
    if (s.competition.drawn) {
        ShowSeed(page, s.competition.drawSeed);
        SetDlgItemInt(page, DRAW_GROUPS, static_cast<UINT>(std::max(0, s.competition.drawGroupSize)), FALSE);
    } else {
        if (!s.seedChosen) {
            s.seed = NewSeed();
            s.seedChosen = true;
        }
        ShowSeed(page, s.seed);
    }
    FillList(page, app);
    ShowStatus(page, app);
}

// ---- the operator's actions

void NewSeedAction(HWND page, Application& app) {
    State(app).seed = NewSeed();
    State(app).seedChosen = true;
    ShowSeed(page, State(app).seed);
}

bool ReadSeed(HWND page, Application& app, uint32_t& seed) {
    unsigned long long value = 0;
    if (!WholeField(page, DRAW_SEED, 0xFFFFFFFFull, value)) {
        ShowWarning(page, Lang(app, kBadSeed));
        FocusControl(page, DRAW_SEED);
        return false;
    }
    seed = static_cast<uint32_t>(value);
    return true;
}

void Draw(HWND page, Application& app) {
    uint32_t seed = 0;
    unsigned long long groups = 0;
    if (!ReadSeed(page, app, seed))
        return;
    if (FieldText(page, DRAW_GROUPS).empty())
        SetDlgItemInt(page, DRAW_GROUPS, 0, FALSE);
    if (!WholeField(page, DRAW_GROUPS, kMaxGroupSize, groups)) {
        ShowWarning(page, Lang(app, kBadGroups));
        FocusControl(page, DRAW_GROUPS);
        return;
    }
    if (!ReadCompetitionForChange(page, app)) {
        ShowDraw(page, app);
        return;
    }
    Competition& c = State(app).competition;
    if (c.roster.empty()) {
        ShowWarning(page, Lang(app, kNoEntrants));
        ShowDraw(page, app);
        return;
    }
    if (c.drawn && !AskYesNo(page, Lang(app, kDrawnBefore) + " " + std::to_string(c.drawSeed) + ".\n" +
                                       Lang(app, kRedraw))) {
        ShowDraw(page, app);
        return;
    }
    DrawStartNumbers(c, seed, static_cast<int>(groups));
    State(app).seed = seed;
    State(app).seedChosen = true;
    const bool saved = SaveCompetitionOrWarn(page, app);
    ShowDraw(page, app);
    if (!saved)
        ShowSeed(page, seed); // the seed typed stays for another try
}

StartListCaptions Captions(Application& app) {
    StartListCaptions c = DefaultStartListCaptions();
    auto utf8 = [&](const Text& t) { return SystemTextToUtf8(Lang(app, t)); };
    c.title = utf8(kListTitle);
    c.number = utf8(kNumberColumn);
    c.name = utf8(kNameColumn);
    c.sex = utf8(kSexCaption);
    c.year = utf8(kYearCaption);
    c.club = utf8(kClubColumn);
    c.callsign = utf8(kCallsignCaption);
    c.category = utf8(kCategoryColumn);
    c.group = utf8(kGroupColumn);
    c.seat = utf8(kSeatColumn);
    c.seed = utf8(kSeedCaption);
    c.noCategory = utf8(kNoCategory);
    c.male = utf8(kMale);
    c.female = utf8(kFemale);
    return c;
}

void WriteStartList(HWND page, Application& app) {
    if (ReloadCompetition(app) == CompetitionLoad::Unreadable) {
        ShowWarning(page, CompetitionUnreadableText(app));
        ShowDraw(page, app);
        return;
    }
    ShowDraw(page, app);
    const int item = ComboGetSelection(page, DRAW_ORDER);
    const StartListOrder order = item == 1   ? StartListOrder::ByName
                                 : item == 2 ? StartListOrder::ByCategory
                                             : StartListOrder::ByNumber;
    std::string path = State(app).path;
    const size_t slash = path.find_last_of("\\/");
    path = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + "StartList.html";
    if (!AskSaveFileNameOf(app, path, kHtmlFilter, "html"))
        return;
    if (FileExists(path) && !AskYesNo(page, app.FileExistsText()))
        return;
    if (!WriteFileReplacing(path, StartListHtml(State(app).competition, order, Captions(app)))) {
        ShowWarning(page, app.WriteErrorText() + "\n" + path);
        return;
    }
    OpenDocument(path);
}

void Browse(HWND page, Application& app) {
    if (BrowseFileField(page, app, kFile)) {
        TakeCompetitionPath(page, kFile, app, true);
        ShowDraw(page, app);
    }
}

// ---- page messages

const PageList kLists[] = {TextList(DRAW_ORDER, kOrders, 0, true)};

void OnShown(HWND page, Application& app) {
    ShowCaption(page, kCaption, app, Lang(app, kTitle).c_str());
    SendDlgItemMessageA(page, DRAW_STATUS, ATL_SETCOLOR, 0, app.GetLabelColor());
    ApplyReportListLook(GetDlgItem(page, DRAW_LIST), app);
    ShowCompetitionPath(page, kFile, app);
    ReloadCompetition(app);
    ShowDraw(page, app);
    // The seed first: typed or taken as proposed, then Enter draws.
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, DRAW_SEED)), TRUE);
}

void OnTextsLoaded(HWND page, Application& app) {
    if (IsWindowVisible(page)) {
        FillList(page, app);
        ShowStatus(page, app);
    }
}

void OnInit(HWND page, Application& app) {
    InitFileField(page, kFile);
    SendDlgItemMessageA(page, DRAW_SEED, EM_LIMITTEXT, 10, 0);
    SendDlgItemMessageA(page, DRAW_GROUPS, EM_LIMITTEXT, 4, 0);
    SetDlgItemInt(page, DRAW_GROUPS, 0, FALSE);
    InitReportList(GetDlgItem(page, DRAW_LIST));
    ShowCompetitionPath(page, kFile, app);
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    switch (control) {
    case DRAW_PATH:
        if (code == EN_KILLFOCUS && TakeCompetitionPath(page, kFile, app, false))
            ShowDraw(page, app);
        return TRUE;
    case DRAW_SEED:
        // A seed typed before the draw is kept for the next visit.
        if (code == EN_KILLFOCUS && !State(app).competition.drawn) {
            unsigned long long value = 0;
            if (WholeField(page, DRAW_SEED, 0xFFFFFFFFull, value))
                State(app).seed = static_cast<uint32_t>(value);
        }
        return TRUE;
    }
    return FALSE;
}

const PageKey kKeys[] = {
    {KEY_ENTER, {DRAW_RUN}},
    {KEY_ESC, {kBack}},
    {KEY_INSERT, {DRAW_WRITE}},
};

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_COMPETITIONS_MENU},
    {DRAW_BROWSE, Browse},
    {DRAW_NEW_SEED, NewSeedAction},
    {DRAW_RUN, Draw},
    {DRAW_WRITE, WriteStartList},
};

const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},
    {DRAW_LIST, kFollowBoth},
    {kBack, kFollowBottomLeft},
};

PageSize KeptSize(Application& app) {
    return {&app.organisation.drawWidth, &app.organisation.drawHeight};
}

const PageDescription kPage =
    DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize}, PageInit{OnInit},
                 PageTextsLoaded{OnTextsLoaded}, PageShow{OnShown}, PageOtherCommand{OnCommand});

} // namespace

INT_PTR CALLBACK DrawPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
