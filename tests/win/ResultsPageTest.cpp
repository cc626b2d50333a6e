// The results page driven as the referee drives it: a control-text file,
// typed copies, Enter to mark, the keys to step through texts and leave.
#include "PageHarness.h"
#include "tests/core/HostileFiles.h"

#include "resources/resource.h"
#include "app/Platform.h"
#include "config/win/OpenFileDialog.h"
#include "results/ResultsFile.h"
#include "results/win/ResultsPage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using namespace harness;

namespace {

const int kResultsPath = 1101, kFromFile = 1103, kControlPath = 1104, kFromNumber = 1106;
const int kDiscipline = 1114, kSpeed = 1116, kParticipant = 1118, kCopy = 1121, kExport = 1123;
const int kScore = 1125, kList = 1129, kDelete = 1130, kTextBox = 1027;

const char kLetters[] = "100\r\n\r\nA B C D E   F G H I J   \r\n\r\n"
                        "110\r\n\r\nK L M N O   \r\n\r\n";

// What the text box was last given: text and marks.
std::string& ShownMarks() {
    static std::string marks;
    return marks;
}
WNDPROC& SpiedProc() {
    static WNDPROC proc = nullptr;
    return proc;
}
LRESULT CALLBACK MarksSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ATB_SETTEXT)
        ShownMarks() = lParam ? reinterpret_cast<const char*>(lParam) : "";
    return CallWindowProcA(SpiedProc(), window, message, wParam, lParam);
}

struct ResultsPage : PageUnderTest {
    std::string results = TempPath("Results.csv"), control = TempPath("Letters.txt");
    OpenDocumentHook previousOpen;

    ResultsPage() : PageUnderTest(IDD_RESULTS, ResultsPageProc) {
        DeleteFileA(results.c_str());
        WriteFile(control, kLetters);
        previousOpen = SetOpenDocumentHook(RecordOpen);
        Opened().clear();
        SpiedProc() = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(GetDlgItem(page, kTextBox), GWLP_WNDPROC,
                                                                  reinterpret_cast<LONG_PTR>(MarksSpy)));
        SetText(kResultsPath, results);
        SetText(kControlPath, control);
        Show();
        Command(kControlPath, EN_KILLFOCUS);
    }
    ~ResultsPage() {
        SetOpenDocumentHook(previousOpen);
        SetFileAttributesA(results.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(results.c_str());
        DeleteFileA((results + ".lock").c_str());
        DeleteFileA(control.c_str());
    }
    void MarkCopy(const std::string& who, int speed, const std::string& copy) {
        SetText(kParticipant, who);
        SetText(kSpeed, std::to_string(speed));
        SetText(kCopy, copy);
        Key(KEY_ENTER);
    }
    std::string Cell(int row, int column) {
        char text[256] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendDlgItemMessageA(page, kList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int Rows() { return static_cast<int>(SendDlgItemMessageA(page, kList, LVM_GETITEMCOUNT, 0, 0)); }
};

} // namespace

TEST(ResultsPage, MarkingATypedCopyStoresItHighlightsTheErrorsAndRanks) {
    ResultsPage p;
    EXPECT_EQ(ComboGetSelection(p.page, kDiscipline), 0); // from the file name
    EXPECT_EQ(SendDlgItemMessageA(p.page, kSpeed, CB_GETCOUNT, 0, 0), 2);

    // C wrong, H missing, an extra Z after J.
    p.MarkCopy("Anna", 100, "abxde\r\nfgijz");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ShownText(), "A B C D E   F G H I J   ");
    std::string marks(24, ' ');
    marks[4] = 'x';
    marks[16] = 'x';
    marks[20] = '%';
    EXPECT_EQ(ShownMarks(), marks);
    EXPECT_TRUE(p.Visible(kScore));
    EXPECT_EQ(p.Clock(kScore), "3");
    const std::string file = ReadFile(p.results);
    EXPECT_EQ(file.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(file.find("\r\nAnna;letters;100;3;\"abxde\r\nfgijz\";"), std::string::npos) << file;

    p.MarkCopy("Boris", 110, "KLMNO");
    ASSERT_EQ(p.Rows(), 2);
    EXPECT_EQ(p.Cell(0, 0) + p.Cell(0, 1) + p.Cell(0, 2), "1Boris110");
    EXPECT_EQ(p.Cell(1, 0) + p.Cell(1, 1) + p.Cell(1, 3), "2Anna3");
    // The participant list offers both names.
    EXPECT_EQ(SendDlgItemMessageA(p.page, kParticipant, CB_GETCOUNT, 0, 0), 2);

    // A name typed in the system's code page reaches the file as UTF-8.
    p.MarkCopy("\xDF\xED", 110, "KLMNO"); // Cyrillic Ya, en
    EXPECT_NE(ReadFile(p.results).find("\r\n\xD0\xAF\xD0\xBD;letters;110;0;"), std::string::npos);

    // Export writes the sheet beside the results file and opens it.
    p.Command(kExport);
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_EQ(Opened()[0], TempPath("Results.html"));
    EXPECT_NE(ReadFile(Opened()[0]).find("id=\"overall\""), std::string::npos);
    DeleteFileA(Opened()[0].c_str());
}

TEST(ResultsPage, RefusalsAndBadFilesAreReportedAndChangeNothing) {
    ResultsPage p;
    p.MarkCopy("", 100, "ABCDE");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Введите имя участника");
    p.MarkCopy("Anna", 120, "ABCDE");
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, "В файле нет текста для этой скорости");
    EXPECT_FALSE(FileExists(p.results));

    // Three speeds in a discipline, then marks that fail: each is said so,
    // changes nothing, and shows no count and no error marks, not even those
    // of the mark before it.
    p.Command(kFromNumber);
    EXPECT_FALSE(p.Enabled(kControlPath));
    for (int speed : {100, 110, 120})
        p.MarkCopy("Anna", speed, "ABCDE");
    std::string stored;
    std::unique_ptr<FileLock> held;
    struct Case {
        const char* what;
        std::function<void()> before, after;
        std::string box; // how the warning begins
        const char* who = "Boris";
    } cases[] = {
        {"a fourth speed", [] {}, [] {},
         "У участника уже есть наибольшее число проверенных копий в этой дисциплине", "Anna"},
        {"in use (after the few seconds' wait)",
         [&] { held = std::make_unique<FileLock>(ResultsLockPath(p.results), 0); }, [&] { held.reset(); },
         "Файл результатов занят другой программой"},
        {"read-only", [&] { SetFileAttributesA(p.results.c_str(), FILE_ATTRIBUTE_READONLY); },
         [&] { SetFileAttributesA(p.results.c_str(), FILE_ATTRIBUTE_NORMAL); },
         "Файл результатов только для чтения, оценка не сохранена:\n" + p.results},
        {"no results file", [&] { WriteFile(p.results, "Name,Score\r\n"); },
         [&] { WriteFile(p.results, stored); }, "Файл результатов не удается прочитать"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.MarkCopy("Anna", 120, "ABCDE"); // a correction, answered yes: a count shown
        ASSERT_TRUE(p.Visible(kScore));
        stored = ReadFile(p.results);
        c.before();
        const std::string file = ReadFile(p.results);
        Boxes().clear();
        p.MarkCopy(c.who, 130, "ABCDE");
        EXPECT_EQ(ReadFile(p.results), file);
        c.after();
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text.substr(0, c.box.size()), c.box);
        EXPECT_FALSE(p.Visible(kScore));
        EXPECT_EQ(ShownMarks().find_first_not_of(' '), std::string::npos) << ShownMarks();
    }
}

TEST(ResultsPage, ACorrectionIsAskedAboutAndAMarkCanBeDeleted) {
    ResultsPage p;
    p.MarkCopy("Anna", 100, "abxde"); // C wrong, F to J missing
    const std::string first = ReadFile(p.results);
    ASSERT_NE(first.find("\r\nAnna;letters;100;6;abxde;"), std::string::npos) << first;
    auto rows = [&](const char* row) {
        const std::string file = ReadFile(p.results);
        int n = 0;
        for (size_t at = file.find(row); at != std::string::npos; at = file.find(row, at + 1))
            ++n;
        return n;
    };

    // The same participant typed otherwise at the same speed: the earlier
    // mark is shown, and No keeps it.
    Boxes().clear();
    Answers() = {IDNO};
    p.MarkCopy(" ANNA ", 100, "abcdefghij");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(Boxes()[0].text.find("Эта копия уже проверена:\nAnna, Буквы, 100: Ошибки 6, 20"), 0u)
        << Boxes()[0].text;
    EXPECT_NE(Boxes()[0].text.find("\nЗаменить прежнюю оценку новой? Ошибки в новой: 0"), std::string::npos);
    EXPECT_EQ(ReadFile(p.results), first);
    EXPECT_FALSE(p.Visible(kScore));
    // Yes replaces it, under the file's spelling.
    p.MarkCopy(" ANNA ", 100, "abcdefghij");
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(rows("\nAnna;letters;100;0;abcdefghij;"), 1);
    EXPECT_EQ(rows("\nAnna;"), 1);
    EXPECT_EQ(p.Clock(kScore), "0");
    EXPECT_EQ(p.Text(kParticipant), "Anna");
    EXPECT_EQ(SendDlgItemMessageA(p.page, kParticipant, CB_GETCOUNT, 0, 0), 1);

    // Deleting: a mark that is not there is said so, nothing asked.
    p.MarkCopy("Boris", 110, "KLMNO");
    Boxes().clear();
    p.SetText(kParticipant, "anna");
    p.SetText(kSpeed, "110");
    p.Command(kDelete);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Такой оценки нет в файле результатов:\nAnna, Буквы, 110");
    // One that is: shown and asked about; No keeps it, Yes deletes it.
    p.SetText(kSpeed, "100");
    Answers() = {IDNO};
    p.Command(kDelete);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(Boxes()[1].text.find("Удалить оценку?\nAnna, Буквы, 100: Ошибки 0, 20"), 0u) << Boxes()[1].text;
    EXPECT_EQ(rows("\nAnna;"), 1);
    p.Command(kDelete);
    EXPECT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(rows("\nAnna;"), 0);
    EXPECT_EQ(rows("\nBoris;letters;110;0;"), 1);
    ASSERT_EQ(p.Rows(), 1);
    EXPECT_EQ(p.Cell(0, 1), "Boris");
    EXPECT_EQ(SendDlgItemMessageA(p.page, kParticipant, CB_GETCOUNT, 0, 0), 1);
}

TEST(ResultsPage, KeysStepThroughTheTextsAndLeave) {
    ResultsPage p;
    p.SetText(kSpeed, "100");
    p.Key(KEY_PAGE_UP);
    EXPECT_EQ(p.Text(kSpeed), "110");
    EXPECT_EQ(ShownText(), "K L M N O   ");
    p.Key(KEY_PAGE_UP); // the last text stays
    EXPECT_EQ(p.Text(kSpeed), "110");
    p.Key(KEY_PAGE_DOWN);
    EXPECT_EQ(p.Text(kSpeed), "100");
    EXPECT_EQ(ShownText(), "A B C D E   F G H I J   ");
    EXPECT_EQ(ShownMarks(), std::string(24, ' '));

    // A training text: the keys step its number.
    p.Command(kFromNumber);
    p.SetText(1108, "7");
    p.Key(KEY_PAGE_UP);
    EXPECT_EQ(p.Text(1108), "8");
    EXPECT_EQ(ShownText().size(), 20u * 12);
    p.Command(kFromFile);
    EXPECT_TRUE(p.Enabled(kControlPath));

    EXPECT_TRUE(PageRequests().empty());
    p.Key(KEY_ESC);
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_COMPETITIONS_MENU});
}

TEST(ResultsPage, BrowsingTakesAControlFileAndLoadsACopy) {
    ResultsPage p;
    const OpenFileNameHook previous = SetOpenFileNameHook(AnswerOpen);
    const std::string folder = TempPath("results-browse"), digits = folder + "\\Digits.txt",
                      copy = TempPath("copy.txt");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFile(digits, "130\r\n\r\n1 2 3 4 5   \r\n\r\n120\r\n\r\n6 7 8 9 0   \r\n\r\n");
    WriteFile(copy, "\xEF\xBB\xBF"
                    "12 34\r\n\xD0\xAF"); // UTF-8 with a mark: the digits and a Cyrillic Ya
    p.Command(kFromNumber);
    OpenAnswers() = {digits, copy};
    p.Command(1105); // the control file's browse button
    EXPECT_TRUE(p.Enabled(kControlPath));
    EXPECT_EQ(p.Text(kControlPath), digits);
    EXPECT_EQ(ComboGetSelection(p.page, kDiscipline), 1);
    EXPECT_EQ(p.Text(kSpeed), "120"); // the lowest speed of the file
    EXPECT_EQ(ShownText(), "6 7 8 9 0   ");
    p.Command(1120); // load the copy
    EXPECT_EQ(p.Text(kCopy), "12 34\r\n\xDF");
    SetOpenFileNameHook(previous);
    DeleteFileA(digits.c_str());
    RemoveDirectoryA(folder.c_str());
    DeleteFileA(copy.c_str());
}

TEST(ResultsPage, CopiesInAnyEncodingLoadAndHostileOrEmptyOnesAreRefused) {
    ResultsPage p;
    const OpenFileNameHook previous = SetOpenFileNameHook(AnswerOpen);
    const std::string copy = TempPath("copy.txt");
    struct Case {
        const char* what;
        std::string bytes;
        const char* field; // the copy field afterwards
        const char* box;   // the start of the warning, if any
    } cases[] = {
        // "12 34", a line break and a Cyrillic Ya
        {"UTF-16 LE", hostile::Utf16(u"12 34\r\n\u042F", false), "12 34\r\n\xDF", ""},
        {"over a megabyte", std::string((1 << 20) + 1, 'A'), "", "Файл слишком велик"},
    };
    for (const Case& c : cases) {
        SetWindowTextA(GetDlgItem(p.page, kCopy), "");
        Boxes().clear();
        WriteFile(copy, c.bytes);
        OpenAnswers() = {copy};
        p.Command(1120); // load the copy
        EXPECT_EQ(p.Text(kCopy), c.field) << c.what;
        EXPECT_EQ(Boxes().empty() ? std::string() : Boxes()[0].text.substr(0, std::strlen(c.box)), c.box)
            << c.what;
    }
    SetOpenFileNameHook(previous);
    DeleteFileA(copy.c_str());

    // A copy of nothing but blanks (a click that waited while the program
    // was busy) is refused and stores nothing.
    Boxes().clear();
    p.MarkCopy("Anna", 100, " \r\n\t");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Копия пуста");
    EXPECT_FALSE(FileExists(p.results));
    // A copy is stored without the blanks around it.
    p.MarkCopy("Anna", 100, "\r\n abcde fghij \r\n");
    EXPECT_NE(ReadFile(p.results).find("\r\nAnna;letters;100;0;abcde fghij;"), std::string::npos)
        << ReadFile(p.results);
}
