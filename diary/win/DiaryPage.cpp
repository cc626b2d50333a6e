// Diary page (page 11): the training diary as pictures — best accepted speed
// and share right per day, the weakest characters as bars — and a table of
// the last checks; "Экспорт" writes the same as a web page and opens it.
#include "diary/win/DiaryPage.h"

#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/WideText.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "config/TextCatalogue.h"
#include "config/win/LanguageWin.h"
#include "controls/ControlMessages.h"
#include "diary/DiaryCharts.h"
#include "diary/DiaryExport.h"
#include "results/ResultsSession.h"
#include "results/win/ResultsPage.h"
#include "texts/TextEncoding.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kCaption = 1070, kBack = 1014, kPeriodLabel = 1130;
const int kAreas[4] = {DIARY_SPEED_CHART, DIARY_SHARE_CHART, DIARY_WEAKEST, DIARY_CHECKS};
const int kPeriodDays[] = {30, 90, 0}; // 0: every day of the diary

const PageText kTexts[] = {
    {kBack, "PD_02", "<< Назад"},
    {kPeriodLabel, "PD_03", "Период"},
    {DIARY_EXPORT, "PD_04", "Экспорт"},
};
const CatalogueText kTitle{"PD_01", "Дневник тренировок"};
const PageListItem kPeriods[] = {{"PD_05", "30 дней"}, {"PD_06", "90 дней"}, {"PD_07", "Все дни"}};
const CatalogueText kSpeedTitle{"PD_08", "Лучшая зачтенная скорость по дням"};
const CatalogueText kShareTitle{"PD_09", "Доля верно принятых знаков по дням, %"};
const CatalogueText kWeakestTitle{"PD_10", "Слабые знаки: доля ошибок в последних 500"};
const CatalogueText kNoChecks{"PD_11", "Проверок за этот период нет."};
const CatalogueText kKinds[kDisciplines] = {{"PD_12", "Буквы"}, {"PD_13", "Цифры"}, {"PD_14", "Смешанный"}};
const CatalogueText kDate{"PD_15", "Дата"};
const CatalogueText kKind{"PD_16", "Вид"};
const CatalogueText kNumber{"PD_17", "Номер"};
const CatalogueText kSpeed{"PD_18", "Скорость"};
const CatalogueText kErrors{"PD_19", "Ошибки"};
const CatalogueText kAccepted{"PD_20", "Зачет"};
const CatalogueText kYes{"PD_21", "да"};
const CatalogueText kNo{"PD_22", "нет"};
const CatalogueText kUnreadable{"PD_23", "Дневник не удается прочитать, он не будет изменен:"};
const CatalogueText kSkipped{"PD_24", "Строк дневника пропущено, их не удалось прочитать:"};
const CatalogueText kLastChecks{"PD_25", "Последние проверки"};
const CatalogueText kConfusions{"PD_26", "Путаница"};
const CatalogueText kCopy{"PD_27", "Принято"};

int PeriodDays(HWND page) {
    const int item = ComboGetSelection(page, DIARY_PERIOD);
    return item >= 0 && item < 3 ? kPeriodDays[item] : kPeriodDays[0];
}

std::string TimeText(const DiaryRow& r) {
    const int h = r.second / 3600, m = r.second / 60 % 60;
    return DayText(r.day) + " " + (h < 10 ? "0" : "") + std::to_string(h) + ":" + (m < 10 ? "0" : "") +
           std::to_string(m);
}

// ---- the table of the last checks (every cell is in the page's code page)

void SetColumns(HWND list, Application& app) {
    while (SendMessageA(list, LVM_DELETECOLUMN, 0, 0))
        ;
    RECT r;
    GetClientRect(list, &r);
    const CatalogueText* titles[] = {&kDate, &kKind, &kNumber, &kSpeed, &kErrors, &kAccepted};
    const int unit = std::max(1, static_cast<int>(r.right - r.left - 4) / 9);
    const int widths[] = {3 * unit, 2 * unit, unit, unit, unit, unit};
    for (int k = 0; k < 6; ++k) {
        std::wstring title = TextToWide(Lang(app, *titles[k]));
        title += L'\0';
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = k < 2 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = widths[k];
        column.pszText = &title[0];
        SendMessageW(list, LVM_INSERTCOLUMNW, k, reinterpret_cast<LPARAM>(&column));
    }
}

void FillChecks(HWND page, Application& app) {
    const DiaryPageState& s = app.diaryPage;
    HWND list = GetDlgItem(page, DIARY_CHECKS);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    SetColumns(list, app);
    int row = 0;
    for (size_t i : s.summary.lastChecks) {
        const DiaryRow& r = s.diary.rows[i];
        const int kind = r.played.kind;
        const std::string cells[] = {TimeText(r),
                                     kind >= 0 && kind < kDisciplines ? Lang(app, kKinds[kind]) : "?",
                                     std::to_string(r.played.number),
                                     std::to_string(r.played.speed),
                                     std::to_string(r.errors),
                                     Lang(app, r.accepted ? kYes : kNo)};
        for (int k = 0; k < 6; ++k) {
            std::wstring text = TextToWide(cells[k]);
            text += L'\0';
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = k;
            item.pszText = &text[0];
            SendMessageW(list, k == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        ++row;
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// ---- reading the diary

void ShowStatus(HWND page, const std::string& text) {
    SendDlgItemMessageA(page, DIARY_STATUS, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Summarise(HWND page, Application& app) {
    DiaryPageState& s = app.diaryPage;
    s.summary = SummariseDiary(s.diary.rows, s.today, PeriodDays(page));
    FillChecks(page, app);
    for (int area : {DIARY_SPEED_CHART, DIARY_SHARE_CHART, DIARY_WEAKEST})
        InvalidateRect(GetDlgItem(page, area), nullptr, TRUE);
}

// Reads the diary afresh (checks made since the last visit show); one that
// cannot be read shows as empty, its reason in the status line.
void LoadTheDiary(HWND page, Application& app) {
    DiaryPageState& s = app.diaryPage;
    s.diary = DiaryContents{};
    s.error.clear();
    s.today = LocalToday();
    const std::string path = UserFilePath(kDiaryFileName);
    s.load = LoadDiary(path, s.diary, s.error);
    if (s.load == DiaryLoad::Unreadable) {
        s.diary = DiaryContents{};
        ShowStatus(page, Lang(app, kUnreadable) + " " + Utf8ToSystemText(s.error));
    } else if (s.diary.skipped > 0) {
        ShowStatus(page, Lang(app, kSkipped) + " " + std::to_string(s.diary.skipped) + " (" +
                             Utf8ToSystemText(s.diary.firstProblem) + ")");
    } else {
        ShowStatus(page, "");
    }
    Summarise(page, app);
}

// ---- the charts, drawn with GDI in the text box's display colours

struct Ink {
    COLORREF background, axis, bar;
    COLORREF kinds[kDisciplines];
};

Ink InkOf(Application& app) {
    return {static_cast<COLORREF>(app.GetTextBoxBColor()),
            static_cast<COLORREF>(app.GetTextBoxHColor()),
            static_cast<COLORREF>(app.GetTextBoxMTColor()),
            {static_cast<COLORREF>(app.GetTextBoxTColor()), static_cast<COLORREF>(app.GetTextBoxMTColor()),
             static_cast<COLORREF>(app.GetTextBoxMT2Color())}};
}

void WriteWide(HDC dc, int x, int y, const std::wstring& text, UINT align) {
    SetTextAlign(dc, align);
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

// A text of the language.
void Write(HDC dc, int x, int y, const std::string& text, UINT align) {
    WriteWide(dc, x, y, TextToWide(text), align);
}

int TextWidth(HDC dc, const std::string& text) {
    const std::wstring wide = TextToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

// The plot area of a line chart inside `r`, with room for the title above,
// the scale's labels on the left and the dates below.
ChartArea PlotArea(HDC dc, const RECT& r, int lineHeight, const std::string& widestLabel) {
    const int left = r.left + TextWidth(dc, widestLabel) + 10;
    const int top = r.top + lineHeight + 8;
    const int right = r.right - 12;
    const int bottom = r.bottom - lineHeight - 6;
    return {left, top, std::max(1, right - left), std::max(1, bottom - top)};
}

void DrawLineChart(HDC dc, const RECT& r, const Ink& ink, const std::string& title, const LineChart& chart,
                   const std::string& none, const std::string (&kinds)[kDisciplines],
                   const std::function<std::string(int)>& label) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int lineHeight = tm.tmHeight;
    SetTextColor(dc, ink.axis);
    Write(dc, r.left + 4, r.top + 2, title, TA_LEFT | TA_TOP);
    if (chart.lines.empty()) {
        Write(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2, none, TA_CENTER | TA_TOP);
        return;
    }
    const ChartArea a = PlotArea(dc, r, lineHeight, label(chart.scale.high));
    const int right = a.left + a.width, bottom = a.top + a.height;
    for (int v = chart.scale.low; v <= chart.scale.high; v += chart.scale.step) {
        const int y = ChartY(chart.scale, a, v);
        DrawLine(dc, a.left - 3, y, a.left, y, ink.axis, 1);
        Write(dc, a.left - 5, y - lineHeight / 2, label(v), TA_RIGHT | TA_TOP);
    }
    DrawLine(dc, a.left, a.top, a.left, bottom, ink.axis, 1);
    DrawLine(dc, a.left, bottom, right, bottom, ink.axis, 1);
    Write(dc, a.left, bottom + 3, DayText(chart.firstDay), TA_LEFT | TA_TOP);
    if (chart.lastDay != chart.firstDay)
        Write(dc, right, bottom + 3, DayText(chart.lastDay), TA_RIGHT | TA_TOP);
    for (const ChartLine& line : chart.lines) {
        const COLORREF colour = ink.kinds[line.kind];
        std::vector<POINT> points;
        for (const ChartPoint& p : line.points)
            points.push_back({ChartX(chart, a, p.day), ChartY(chart.scale, a, p.value)});
        HPEN pen = CreatePen(PS_SOLID, 2, colour);
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        if (points.size() > 1)
            Polyline(dc, points.data(), static_cast<int>(points.size()));
        for (const POINT& p : points)
            Ellipse(dc, p.x - 3, p.y - 3, p.x + 4, p.y + 4);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    }
    // Which colour is which kind, at the title's right.
    int x = r.right - 6;
    for (auto it = chart.lines.rbegin(); it != chart.lines.rend(); ++it) {
        SetTextColor(dc, ink.kinds[it->kind]);
        const std::string& name = kinds[it->kind];
        Write(dc, x, r.top + 2, name, TA_RIGHT | TA_TOP);
        x -= TextWidth(dc, name) + 10;
    }
}

void DrawBars(HDC dc, const RECT& r, const Ink& ink, const std::string& title, const BarChart& chart,
              const std::string& none) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int lineHeight = tm.tmHeight;
    SetTextColor(dc, ink.axis);
    Write(dc, r.left + 4, r.top + 2, title, TA_LEFT | TA_TOP);
    if (chart.bars.empty()) {
        Write(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2, none, TA_CENTER | TA_TOP);
        return;
    }
    const int top = r.top + lineHeight + 8;
    const int rows = static_cast<int>(chart.bars.size());
    const int rowHeight = std::max(4, std::min(lineHeight + 6, static_cast<int>(r.bottom - top - 4) / rows));
    const int labelWidth = TextWidth(dc, "WW") + 8;
    const int countWidth = TextWidth(dc, "100.0 % (500/500)") + 10;
    const int barSpace = std::max(10, static_cast<int>(r.right - r.left) - labelWidth - countWidth);
    HBRUSH brush = CreateSolidBrush(ink.bar);
    for (int k = 0; k < rows; ++k) {
        const CharacterSummary& c = chart.bars[static_cast<size_t>(k)];
        const int rate = chart.rates[static_cast<size_t>(k)];
        const int y = top + k * rowHeight;
        const int width = std::max(
            1, static_cast<int>(static_cast<long long>(rate) * barSpace / std::max(1, chart.scale.high)));
        SetTextColor(dc, ink.axis);
        WriteWide(dc, r.left + labelWidth - 6, y, Utf8ToWide(EncodeUtf8(c.character)), TA_RIGHT | TA_TOP);
        RECT bar{r.left + labelWidth, y + 1, r.left + labelWidth + width, y + rowHeight - 2};
        FillRect(dc, &bar, brush);
        Write(dc, bar.right + 6, y,
              TenthsText(rate) + " % (" + std::to_string(c.errors) + "/" + std::to_string(c.checked) + ")",
              TA_LEFT | TA_TOP);
    }
    DeleteObject(brush);
}

BOOL DrawChart(HWND page, Application& app, const DRAWITEMSTRUCT& item) {
    const DiaryPageState& s = app.diaryPage;
    const Ink ink = InkOf(app);
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    HBRUSH background = CreateSolidBrush(ink.background);
    FillRect(dc, &item.rcItem, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0)))
        SelectObject(dc, font);
    const std::string none = Lang(app, kNoChecks);
    std::string kinds[kDisciplines];
    for (int k = 0; k < kDisciplines; ++k)
        kinds[k] = Lang(app, kKinds[k]);
    switch (item.CtlID) {
    case DIARY_SPEED_CHART:
        DrawLineChart(dc, item.rcItem, ink, Lang(app, kSpeedTitle), BestSpeedChart(s.summary), none, kinds,
                      [](int v) { return std::to_string(v); });
        break;
    case DIARY_SHARE_CHART:
        DrawLineChart(dc, item.rcItem, ink, Lang(app, kShareTitle), ShareRightChart(s.summary), none, kinds,
                      [](int v) { return v % 10 ? TenthsText(v) : std::to_string(v / 10); });
        break;
    default:
        DrawBars(dc, item.rcItem, ink, Lang(app, kWeakestTitle), WeakestChart(s.summary), none);
        break;
    }
    RestoreDC(dc, saved);
    return TRUE;
}

// ---- export

DiaryCaptions Captions(Application& app) {
    DiaryCaptions c = DefaultDiaryCaptions();
    auto utf8 = [&](const CatalogueText& t) { return SystemTextToUtf8(Lang(app, t)); };
    c.title = utf8(kTitle);
    c.speedChart = utf8(kSpeedTitle);
    c.shareChart = utf8(kShareTitle);
    c.weakest = utf8(kWeakestTitle);
    c.lastChecks = utf8(kLastChecks);
    c.noChecks = utf8(kNoChecks);
    c.date = utf8(kDate);
    c.kind = utf8(kKind);
    c.number = utf8(kNumber);
    c.speed = utf8(kSpeed);
    c.errors = utf8(kErrors);
    c.accepted = utf8(kAccepted);
    c.confusions = utf8(kConfusions);
    c.copy = utf8(kCopy);
    c.yes = utf8(kYes);
    c.no = utf8(kNo);
    for (int k = 0; k < kDisciplines; ++k)
        c.kinds[k] = utf8(kKinds[k]);
    return c;
}

void Export(HWND page, Application& app) {
    const DiaryPageState& s = app.diaryPage;
    if (s.load == DiaryLoad::Unreadable) {
        ShowWarning(page, Lang(app, kUnreadable) + "\n" + Utf8ToSystemText(s.error));
        return;
    }
    const std::string path = UserFilePath("Diary.html");
    PrepareUserFilesFolder(path); // a failure shows as the write error
    if (!WriteFileReplacing(path, DiaryHtml(s.diary.rows, s.summary, Captions(app), DayText(s.today)))) {
        ShowWarning(page, app.WriteErrorText() + "\n" + path);
        return;
    }
    OpenDocument(path);
}

// ---- page messages

void OnShown(HWND page, Application& app) {
    ShowCaption(page, kCaption, app, Lang(app, kTitle).c_str());
    SendDlgItemMessageA(page, DIARY_STATUS, ATL_SETCOLOR, 0, app.GetLabelColor());
    HWND list = GetDlgItem(page, DIARY_CHECKS);
    SendMessageA(list, LVM_SETBKCOLOR, 0, app.GetTextBoxBColor());
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, app.GetTextBoxBColor());
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, app.GetTextBoxTColor());
    LoadTheDiary(page, app);
}

// A language change redraws what is on show in the new language.
void OnTextsLoaded(HWND page, Application& app) {
    if (IsWindowVisible(page))
        Summarise(page, app);
}

void StepPeriod(HWND page, Application& app, int key) {
    const int item = std::clamp(ComboGetSelection(page, DIARY_PERIOD) + KeyStep(key), 0, 2);
    ComboSetSelection(page, DIARY_PERIOD, item);
    Summarise(page, app);
}

RECT ControlRect(HWND page, int control) {
    RECT r;
    GetWindowRect(GetDlgItem(page, control), &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void OnInit(HWND page, Application& app) {
    DiaryPageState& s = app.diaryPage;
    RECT client;
    GetClientRect(page, &client);
    s.baseWidth = client.right;
    s.baseHeight = client.bottom;
    for (int k = 0; k < 4; ++k)
        s.base[k] = ControlRect(page, kAreas[k]);
    s.laidOut = true;
    SendDlgItemMessageA(page, DIARY_CHECKS, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                        LVS_EX_FULLROWSELECT);
}

// The two charts above and the bars and the table below share what the page
// gains over its template, in proportion; the caption, the status line and
// the Export button follow the right edge, Back the bottom.
void OnLayout(HWND page, Application& app, int width, int height) {
    const DiaryPageState& s = app.diaryPage;
    if (!s.laidOut || s.baseWidth <= 0 || s.baseHeight <= 0)
        return;
    auto sx = [&](long x) { return static_cast<int>(static_cast<long long>(x) * width / s.baseWidth); };
    auto sy = [&](long y) { return static_cast<int>(static_cast<long long>(y) * height / s.baseHeight); };
    for (int k = 0; k < 4; ++k) {
        const RECT& b = s.base[k];
        MoveWindow(GetDlgItem(page, kAreas[k]), sx(b.left), sy(b.top), sx(b.right) - sx(b.left),
                   sy(b.bottom) - sy(b.top), TRUE);
    }
}

PageSize KeptSize(Application& app) {
    return {&app.diaryPage.width, &app.diaryPage.height};
}

BOOL OnDrawItem(HWND page, Application& app, const DRAWITEMSTRUCT& item) {
    if (item.CtlID != DIARY_SPEED_CHART && item.CtlID != DIARY_SHARE_CHART && item.CtlID != DIARY_WEAKEST)
        return FALSE;
    return DrawChart(page, app, item);
}

const PageList kLists[] = {TextList(DIARY_PERIOD, kPeriods, 0, true)};

const PageKey kKeys[] = {
    {KEY_ENTER, {DIARY_EXPORT}},
    {KEY_ESC, {kBack}},
    {KEY_PAGE_UP, {}, StepPeriod},
    {KEY_PAGE_DOWN, {}, StepPeriod},
};

const PageCommand kCommands[] = {
    {kBack, nullptr, PAGE_TRAINING_MENU},
    {DIARY_EXPORT, Export},
    {DIARY_PERIOD, Summarise, kNoPage, CBN_SELCHANGE},
};

const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},
    {DIARY_STATUS, kFollowWidth},
    {DIARY_EXPORT, kFollowBottomRight},
    {kBack, kFollowBottomLeft},
};

const PageDescription kPage = DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize},
                                           PageInit{OnInit}, PageTextsLoaded{OnTextsLoaded},
                                           PageShow{OnShown}, PageLayout{OnLayout}, PageDrawItem{OnDrawItem});

} // namespace

INT_PTR CALLBACK DiaryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
