// The diary page drawn from a prepared diary: the charts' lines and bars in
// the display colours inside their plot areas, the table of the last checks,
// the period choice, the export, and a diary that cannot be read.
#include "ControlTestSupport.h"
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "diary/DiaryFile.h"
#include "diary/win/DiaryPage.h"
#include "resources/resource.h"
#include "results/win/ResultsPage.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace harness;

namespace {

// A user's files folder of its own with the diary `rows` in it (none: no
// diary at all).
struct DiaryFolder {
    explicit DiaryFolder(const std::vector<DiaryRow>& rows) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetUserFilesFolder(folder);
        if (!rows.empty()) {
            std::string bytes = "\xEF\xBB\xBF" + DiaryHeaderLine();
            for (const DiaryRow& r : rows)
                bytes += DiaryLine(r);
            WriteFile(folder + kDiaryFileName, bytes);
        }
        previousOpen = SetOpenDocumentHook(RecordOpen);
        Opened().clear();
    }
    ~DiaryFolder() {
        SetOpenDocumentHook(previousOpen);
        SetUserFilesFolder("");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    const std::string folder = TempPath("diary-" + std::to_string(GetCurrentProcessId())) + "\\";
    OpenDocumentHook previousOpen = nullptr;
};

// A check of text `number` of `kind` at `speed`, made `daysAgo` days before
// today, whose copy has the text's first `wrong` characters replaced.
DiaryRow Check(int daysAgo, int kind, int speed, int32_t number, int wrong) {
    PlayedText played;
    played.kind = kind;
    played.number = number;
    played.groups = 4;
    played.speed = speed;
    std::u32string text, copy;
    DecodeUtf8(PlayedTextOf(played), text);
    copy = text;
    for (int k = 0, done = 0; k < static_cast<int>(copy.size()) && done < wrong; ++k)
        if (copy[static_cast<size_t>(k)] != U' ') {
            copy[static_cast<size_t>(k)] = copy[static_cast<size_t>(k)] == U'Q' ? U'Y' : U'Q';
            ++done;
        }
    CopyCheck check;
    EXPECT_TRUE(CheckCopy(text, copy, 5, check));
    DiaryRow row = MakeDiaryRow(played, check, EncodeUtf8(copy), std::time(nullptr));
    row.day = LocalToday() - daysAgo;
    return row;
}

class DiaryPage : public ::testing::Test {
protected:
    void Open(const std::vector<DiaryRow>& rows) {
        folder = std::make_unique<DiaryFolder>(rows);
        page = std::make_unique<PageUnderTest>(IDD_DIARY, DiaryPageProc);
        page->Show();
    }
    // The chart control drawn the way the dialog manager asks for it.
    std::unique_ptr<testsupport::Canvas> Draw(int control) {
        HWND chart = GetDlgItem(page->page, control);
        RECT r;
        GetClientRect(chart, &r);
        auto canvas = std::make_unique<testsupport::Canvas>(r.right, r.bottom);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_STATIC;
        item.CtlID = static_cast<UINT>(control);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = chart;
        item.hDC = canvas->dc;
        item.rcItem = r;
        SendMessageA(page->page, WM_DRAWITEM, static_cast<WPARAM>(control), reinterpret_cast<LPARAM>(&item));
        return canvas;
    }
    std::string Status() { return LabelShownText(GetDlgItem(page->page, DIARY_STATUS)); }
    int Checks() {
        return static_cast<int>(SendDlgItemMessageA(page->page, DIARY_CHECKS, LVM_GETITEMCOUNT, 0, 0));
    }
    std::string Cell(int row, int column) {
        char text[128] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendDlgItemMessageA(page->page, DIARY_CHECKS, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    std::unique_ptr<DiaryFolder> folder;
    std::unique_ptr<PageUnderTest> page;
};

} // namespace

TEST_F(DiaryPage, DrawsEachChartInItsColoursInsideTheChart) {
    // Letters on three days, figures on one; every check has a wrong character.
    Open({Check(5, 0, 100, 1, 1), Check(3, 0, 110, 2, 2), Check(2, 1, 90, 4, 3), Check(1, 0, 120, 3, 1)});
    const COLORREF background = page->app->GetTextBoxBColor(), letters = page->app->GetTextBoxTColor(),
                   figures = page->app->GetTextBoxMTColor(), mixed = page->app->GetTextBoxMT2Color();
    const struct {
        int control;
        COLORREF colour;
        int least; // pixels at the least (a line two pixels wide, or a bar)
    } drawn[] = {
        {DIARY_SPEED_CHART, letters, 60}, {DIARY_SPEED_CHART, figures, 10}, {DIARY_SPEED_CHART, mixed, 0},
        {DIARY_SHARE_CHART, letters, 60}, {DIARY_SHARE_CHART, figures, 10}, {DIARY_SHARE_CHART, mixed, 0},
        {DIARY_WEAKEST, figures, 100},
    };
    for (const auto& d : drawn) {
        auto canvas = Draw(d.control);
        const int w = canvas->Width(), h = canvas->Height();
        // Beyond the title line and the labels: the plot area.
        const int inside = canvas->Count(d.colour, w / 5, h / 5, w - 4, h - h / 8);
        if (d.least == 0)
            EXPECT_EQ(canvas->Count(d.colour), 0) << d.control;
        else
            EXPECT_GE(inside, d.least) << d.control << " colour " << std::hex << d.colour;
        EXPECT_GT(canvas->Count(background), w * h / 2) << d.control;
    }
    // Newest first, all four.
    ASSERT_EQ(Checks(), 4);
    EXPECT_EQ(Cell(0, 1), "Буквы");
    EXPECT_EQ(Cell(0, 2), "3");
    EXPECT_EQ(Cell(0, 3), "120");
    EXPECT_EQ(Cell(0, 4), "1");
    EXPECT_EQ(Cell(0, 5), "да");
    EXPECT_EQ(Cell(0, 0).substr(0, 10), DayText(LocalToday() - 1));
    EXPECT_EQ(Cell(1, 1), "Цифры");
    EXPECT_EQ(Status(), "");
}

TEST_F(DiaryPage, ThePeriodChoosesTheChecksAndKeysStepIt) {
    Open({Check(60, 2, 100, 1, 0), Check(200, 0, 100, 2, 0), Check(0, 1, 100, 3, 0)});
    EXPECT_EQ(Checks(), 1); // the last 30 days
    page->Key(KEY_PAGE_UP);
    EXPECT_EQ(Checks(), 2); // 90 days
    page->Key(KEY_PAGE_UP);
    EXPECT_EQ(Checks(), 3); // every day
    page->Key(KEY_PAGE_UP);
    EXPECT_EQ(ComboGetSelection(page->page, DIARY_PERIOD), 2);
    page->Select(DIARY_PERIOD, 0);
    EXPECT_EQ(Checks(), 1);
    // The mixed check of 60 days ago shows only with 90 days or more.
    EXPECT_EQ(Draw(DIARY_SPEED_CHART)->Count(page->app->GetTextBoxMT2Color()), 0);
    page->Key(KEY_PAGE_UP);
    EXPECT_GT(Draw(DIARY_SPEED_CHART)->Count(page->app->GetTextBoxMT2Color()), 0);
    page->Key(KEY_ESC);
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_TRAINING_MENU});
}

TEST_F(DiaryPage, WithoutChecksNothingIsPlottedAndTheExportStillWorks) {
    Open({});
    for (int control : {DIARY_SPEED_CHART, DIARY_SHARE_CHART, DIARY_WEAKEST}) {
        auto canvas = Draw(control);
        for (COLORREF c :
             {page->app->GetTextBoxTColor(), page->app->GetTextBoxMTColor(), page->app->GetTextBoxMT2Color()})
            EXPECT_EQ(canvas->Count(c), 0) << control;
    }
    EXPECT_EQ(Checks(), 0);
    page->Key(KEY_ENTER);
    ASSERT_EQ(Opened(), std::vector<std::string>{folder->folder + "Diary.html"});
    EXPECT_NE(ReadFile(Opened()[0]).find(Cp1251ToUtf8("Проверок за этот период нет.")), std::string::npos);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DiaryPage, ExportWritesTheChartsAndReplacesAnOlderPage) {
    Open({Check(1, 0, 100, 1, 1)});
    WriteFile(folder->folder + "Diary.html", "old");
    page->Command(DIARY_EXPORT);
    ASSERT_EQ(Opened().size(), 1u);
    const std::string html = ReadFile(folder->folder + "Diary.html");
    EXPECT_NE(html.find("<svg id=\"speed\""), std::string::npos);
    EXPECT_NE(html.find("<svg id=\"weakest\""), std::string::npos);
    EXPECT_EQ(html.find("old"), std::string::npos);
}

TEST_F(DiaryPage, ADiaryThatCannotBeReadIsSaidAndNotExported) {
    folder = std::make_unique<DiaryFolder>(std::vector<DiaryRow>{});
    CreateDirectoryA((folder->folder + kDiaryFileName).c_str(), nullptr); // not a file
    page = std::make_unique<PageUnderTest>(IDD_DIARY, DiaryPageProc);
    page->Show();
    EXPECT_NE(Status().find("Дневник не удается прочитать"), std::string::npos) << Status();
    EXPECT_EQ(Checks(), 0);
    page->Command(DIARY_EXPORT);
    EXPECT_TRUE(Opened().empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_FALSE(FileExists(folder->folder + "Diary.html"));
}
