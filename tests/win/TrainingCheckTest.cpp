// The training page as a place to copy: the text hidden while it plays, a
// typed copy checked against the text just played with the errors marked
// and counted, and every check added to the diary.
#include "ControlTestSupport.h"
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "app/win/Startup.h"
#include "diary/DiaryFile.h"
#include "resources/resource.h"
#include "texts/TextGenerator.h"
#include "texts/TrainingSession.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace harness;
using testsupport::Canvas;

namespace {

enum {
    kTextNumber = 1165,
    kTextNumberSpin = 1166,
    kLengthList = 1037,
    kGroups = 1033,
    kTextBox = 1027,
    kBegin = 1063,
    kStop = 1247,
    kStart = 1174,
    kHideText = 1271,
    kCopy = 1273,
    kCheck = 1274,
    kSummary = 1275,
    kConfusions = 1276,
};
constexpr UINT_PTR kPlayTimer = 2;

// What the text box was last given as marks (the harness keeps the text).
std::string& ShownMarks() {
    static std::string marks;
    return marks;
}
WNDPROC& MarksOriginal() {
    static WNDPROC proc = nullptr;
    return proc;
}
LRESULT CALLBACK MarksSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ATB_SETTEXT)
        ShownMarks() = lParam ? reinterpret_cast<const char*>(lParam) : "";
    return CallWindowProcA(MarksOriginal(), window, message, wParam, lParam);
}

// The diary in a user's folder of the test's own, gone at the end.
struct DiaryFolder {
    DiaryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        SetUserFilesFolder(folder + "\\");
    }
    ~DiaryFolder() {
        SetUserFilesFolder("");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::string Diary() const { return folder + "\\" + kDiaryFileName; }
    const std::string folder = TempPath("diary-" + std::to_string(GetCurrentProcessId()));
};

struct TrainingCheck : ::testing::Test {
    DiaryFolder user;
    PageUnderTest h{IDD_TRAINING, TrainingPageProc};

    void SetUp() override {
        ShownMarks().clear();
        MarksOriginal() = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            GetDlgItem(h.page, kTextBox), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MarksSpy)));
    }
    // Begins a series and starts text `number` of two fixed groups.
    void StartText(int number) {
        h.Show();
        h.Select(kLengthList, LengthFixed);
        h.SetNumber(kGroups, 2);
        h.SetNumber(kTextNumber, number);
        h.Command(kBegin);
        h.Command(kStart);
    }
    // Pixels of the text box in one colour.
    int BoxPixels(int colour) {
        HWND box = GetDlgItem(h.page, kTextBox);
        const SIZE size = testsupport::ClientSize(box);
        Canvas canvas(size.cx, size.cy);
        testsupport::Render(box, canvas);
        return canvas.Count(static_cast<COLORREF>(colour));
    }
    int TextPixels() { return BoxPixels(h.app->GetTextBoxTColor()) + BoxPixels(h.app->GetTextBoxHColor()); }
    int SelStart() { return static_cast<int>(SendDlgItemMessageA(h.page, kTextBox, ATB_GETSELSTART, 0, 0)); }
    std::wstring LabelW(int control) {
        wchar_t text[512] = L"";
        GetWindowTextW(GetDlgItem(h.page, control), text, 512);
        return text;
    }
};

TEST_F(TrainingCheck, HiddenTextShowsNeitherCharactersNorHighlightUntilItsEnd) {
    for (const bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden" : "shown");
        h.Hide();
        h.app->SetHideText(hide ? 1 : 0);
        StartText(7);
        EXPECT_EQ(IsDlgButtonChecked(h.page, kHideText) == BST_CHECKED, hide);
        const std::string text = generateText(7, 10, TextAlphabet(TextLetters));
        h.Player().markA = Now();
        h.Player().current = kTrainingPreambleLength + 2;
        h.Tick(kPlayTimer);
        EXPECT_EQ(ShownText(), hide ? std::string(text.size(), ' ') : text);
        EXPECT_EQ(SelStart(), hide ? -1 : 2);
        if (hide)
            EXPECT_EQ(TextPixels(), 0);
        else
            EXPECT_GT(TextPixels(), 0);

        h.Player().markB = Now();
        h.Tick(kPlayTimer);
        EXPECT_EQ(ShownText(), text) << "the text once it has ended";
        EXPECT_GT(TextPixels(), 0);
        h.Command(kStop);
    }
}

TEST_F(TrainingCheck, TheCheckBoxHidesAndRevealsATextInProgressAndIsKept) {
    StartText(3);
    CheckDlgButton(h.page, kHideText, BST_CHECKED);
    h.Command(kHideText);
    EXPECT_EQ(h.app->GetHideText(), 1);
    EXPECT_EQ(TextPixels(), 0);
    CheckDlgButton(h.page, kHideText, BST_UNCHECKED);
    h.Command(kHideText);
    EXPECT_EQ(h.app->GetHideText(), 0);
    EXPECT_GT(TextPixels(), 0);
}

// The letters of a text (without its blanks) and where each one stands.
struct Letters {
    std::string letters;
    std::vector<size_t> at;
};
Letters LettersOf(const std::string& text) {
    Letters l;
    for (size_t k = 0; k < text.size(); ++k)
        if (text[k] != ' ') {
            l.letters += text[k];
            l.at.push_back(k);
        }
    return l;
}

TEST_F(TrainingCheck, TypedCopyIsMarkedCountedAndWrittenToTheDiary) {
    // A text whose sixth letter differs from both neighbours, so that its
    // omission can be marked in one place only.
    int number = 1;
    std::string text;
    for (;; ++number) {
        text = generateText(number, 10, TextAlphabet(TextLetters));
        const std::string l = LettersOf(text).letters;
        if (l[5] != l[4] && l[5] != l[6])
            break;
    }
    const Letters l = LettersOf(text);
    // Two letters the text does not have: one for the second letter, one more at the end.
    std::string absent;
    for (char c = 'A'; absent.size() < 2; ++c)
        if (l.letters.find(c) == std::string::npos)
            absent += c;
    const std::string copy = l.letters.substr(0, 1) + absent[0] + l.letters.substr(2, 3) + "\r\n" +
                             l.letters.substr(6) + absent[1];

    const struct {
        int maxErrors;
        const char* verdict;
        bool accepted;
    } cases[] = {{5, "Ошибок: 3 (допускается 5), верно 80.0 %, принята", true},
                 {2, "Ошибок: 3 (допускается 2), верно 80.0 %, не принята", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxErrors);
        h.Hide();
        h.app->SetInt("Results", "MaxErrors", c.maxErrors);
        h.app->SetHideText(1);
        StartText(number);
        h.SetText(kCopy, copy);
        h.Arrow(kTextNumberSpin, 1); // the field moves on; the check is of the text played
        // Ctrl+Enter in the copy field reaches the page as its Enter key: the
        // text still playing stops, the copy is checked.
        SetFocus(GetDlgItem(h.page, kCopy));
        h.Key(KEY_ENTER);
        EXPECT_FALSE(h.Enabled(kStop));
        EXPECT_EQ(h.Text(kCopy), copy) << "the check takes no line break into the copy";

        EXPECT_EQ(ShownText(), text);
        std::string marks(text.size(), ' ');
        marks[l.at[1]] = marks[l.at[5]] = 'x';
        marks[l.at[9]] = '%';
        EXPECT_EQ(ShownMarks(), marks);
        EXPECT_GT(BoxPixels(h.app->GetTextBoxMTColor()), 0);
        EXPECT_GT(BoxPixels(h.app->GetTextBoxMT2Color()), 0);
        EXPECT_EQ(h.Text(kSummary), c.verdict);
        const std::string s = std::string(1, l.letters[1]), m = std::string(1, l.letters[5]);
        const std::wstring w1(1, static_cast<wchar_t>(l.letters[1])),
            w5(1, static_cast<wchar_t>(l.letters[5]));
        const std::wstring a0(1, static_cast<wchar_t>(absent[0])), a1(1, static_cast<wchar_t>(absent[1]));
        EXPECT_EQ(LabelW(kConfusions), w1 + L"\u2192" + a0 + L" \u00D71, " + w5 + L" пропущено \u00D71, " +
                                           a1 + L" лишний \u00D71");
        EXPECT_TRUE(BoxTexts().empty());

        DiaryContents diary;
        std::string error;
        ASSERT_EQ(LoadDiary(user.Diary(), diary, error), DiaryLoad::Loaded) << error;
        const DiaryRow& row = diary.rows.back();
        EXPECT_EQ(row.played.number, number);
        EXPECT_EQ(row.played.groups, 2);
        EXPECT_EQ(row.played.speed, 100);
        EXPECT_EQ(row.played.kind, TextLetters);
        EXPECT_EQ(row.characters, 10);
        EXPECT_EQ(row.errors, 3);
        EXPECT_EQ(row.accepted, c.accepted);
        EXPECT_EQ(ConfusionsField(row.confusions),
                  s + ">" + absent[0] + ":1 " + m + ">-:1 ->" + absent[1] + ":1");
        h.Command(kStart);
        EXPECT_EQ(h.Text(kSummary), "") << "a new text clears the last check";
    }
    DiaryContents diary;
    std::string error;
    LoadDiary(user.Diary(), diary, error);
    EXPECT_EQ(diary.rows.size(), 2u) << "each check appends one row";
}

TEST_F(TrainingCheck, CheckRefusedWithoutAPlayedTextOrACopyAndShownWithoutADiary) {
    const struct {
        bool play;
        const char* copy;
        bool diaryBlocked;
        const char* box; // the start of the one message expected, or "" for none
        bool checked;
    } cases[] = {
        {false, "ABCDE", false, "Ни один текст еще не прозвучал", false},
        {true, " \r\n ", false, "Копия пуста", false},
        {true, "ABCDE", true, "Проверка не записана в дневник:", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        h.Hide();
        Boxes().clear();
        ShownMarks().clear();
        std::error_code ec;
        std::filesystem::remove_all(user.folder, ec);
        if (c.diaryBlocked) // a folder where the diary should be
            std::filesystem::create_directories(user.Diary(), ec);
        if (c.play) {
            StartText(5);
            h.Command(kStop);
        } else {
            h.Show();
        }
        h.SetText(kCopy, c.copy);
        h.Command(kCheck);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text.rfind(c.box, 0), 0u) << Boxes()[0].text;
        EXPECT_EQ(ShownMarks().find('x') != std::string::npos, c.checked) << "the result shows all the same";
        EXPECT_EQ(h.Text(kSummary).empty(), !c.checked);
        EXPECT_EQ(std::filesystem::is_directory(user.Diary(), ec), c.diaryBlocked);
        EXPECT_FALSE(!c.diaryBlocked && FileExists(user.Diary())) << "nothing checked, nothing written";
    }
}

TEST_F(TrainingCheck, InsertMovesTheFocusBetweenTheCopyAndThePage) {
    StartText(2);
    h.Command(kStop);
    SetFocus(h.page);
    h.Key(KEY_INSERT);
    EXPECT_EQ(GetFocus(), GetDlgItem(h.page, kCopy));
    h.Key(KEY_INSERT);
    EXPECT_EQ(GetFocus(), GetDlgItem(h.page, kStart));
}

} // namespace
