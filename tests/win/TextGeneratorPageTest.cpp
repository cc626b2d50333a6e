// The text generator page driven with the operator's messages; the save
// dialog and message boxes answered by the test.
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "resources/resource.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGenerator.h"
#include "texts/TextGeneratorFields.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace harness;

namespace {

const int kNumber = 1031, kNumberSpin = 1035, kGroups = 1033, kGroupsSpin = 1042;
const int kCount = 1058, kCountSpin = 1059, kKindList = 1036, kSeriesList = 1037;
const int kRefresh = 1032, kBack = 1014, kPrint = 1010, kSave = 1028, kTextBox = 1027;

const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct GeneratorPage : PageUnderTest {
    GeneratorPage() : PageUnderTest(IDD_TEXT_GENERATOR, TextGeneratorPageProc) { Show(); }
    LRESULT Spin(int spin, int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = GetDlgItem(page, spin);
        change.hdr.idFrom = static_cast<UINT_PTR>(spin);
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        // The procedure's own answer (SendMessage would give DWLP_MSGRESULT).
        return TextGeneratorPageProc(page, WM_NOTIFY, spin, reinterpret_cast<LPARAM>(&change));
    }
    void Fields(const char* number, int kind, int series, const char* groups) {
        SetText(kNumber, number);
        ComboSetSelection(page, kKindList, kind);
        ComboSetSelection(page, kSeriesList, series);
        SetText(kGroups, groups);
    }
};

// What klaviro-cli.exe (beside the test folder) prints for the arguments.
std::string CliText(const std::string& arguments) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string dir = module;
    dir = dir.substr(0, dir.rfind('\\'));
    dir = dir.substr(0, dir.rfind('\\'));
    const std::string command = dir + "\\klaviro-cli.exe text " + arguments;
    std::string out;
    if (std::FILE* pipe = _popen(command.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
            out.append(buf, n);
        _pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

} // namespace

TEST(TextGeneratorPage, FieldsAreReadByTheirRules) {
    GeneratorPage p;
    p.SetText(kNumber, "");
    p.Command(kRefresh);
    EXPECT_EQ(p.Text(kNumber), "1");
    p.SetText(kNumber, "20000000");
    p.Key(13); // Enter: Refresh
    EXPECT_EQ(p.Text(kNumber), "10000000");
    p.SetText(kGroups, "0");
    p.SetText(kCount, "250");
    p.Command(kRefresh);
    EXPECT_EQ(p.Text(kGroups), "1");

    // PgDn stops at 1, PgUp goes up, neither past its end.
    p.SetText(kNumber, "1");
    p.Key(25);
    EXPECT_EQ(p.Text(kNumber), "1");
    p.Key(24);
    EXPECT_EQ(p.Text(kNumber), "2");
    p.SetText(kNumber, "10000000");
    p.Key(24);
    EXPECT_EQ(p.Text(kNumber), "10000000");

    // The arrows of the number and length fields step and regenerate; the
    // count field's are left to the control.
    p.Fields("7", 0, 0, "5");
    EXPECT_TRUE(p.Spin(kNumberSpin, 5));
    EXPECT_EQ(p.Text(kNumber), "12");
    EXPECT_EQ(ShownText(), generateText(12, 25, kLetters));
    EXPECT_TRUE(p.Spin(kGroupsSpin, -100));
    EXPECT_EQ(p.Text(kGroups), "1");
    EXPECT_EQ(ShownText(), generateText(12, 5, kLetters));
    EXPECT_FALSE(p.Spin(kCountSpin, 1));
}

TEST(TextGeneratorPage, ANumberAlwaysShowsItsText) {
    GeneratorPage p;
    p.Fields("7", 0, 0, "5");
    p.Command(kRefresh);
    const std::string text = ShownText();
    EXPECT_EQ(text, generateText(7, 25, kLetters));
    EXPECT_EQ(text, CliText("--kind letters --number 7 --groups 5"));
    ShownText().clear();
    p.Command(kRefresh);
    EXPECT_EQ(ShownText(), text);

    p.Select(kSeriesList, 1);
    EXPECT_EQ(ShownText(), generateText(10000007, 25, kLetters));
    EXPECT_EQ(ShownText(), CliText("--kind letters --number 7 --series competition --groups 5"));
    p.Select(kKindList, 2);
    EXPECT_EQ(ShownText(), generateText(10000007, 25, TextAlphabet(2)));
}

TEST(TextGeneratorPage, SavesConsecutiveTexts) {
    GeneratorPage p;
    const std::string path = TempPath("generator-save.txt");
    WriteFile(path, "an older file");
    p.Fields("10", 1, 0, "4");
    p.SetText(kCount, "3");
    SaveAnswer() = path;
    Answers().push_back(IDYES); // overwrite
    p.Command(kSave);

    ASSERT_EQ(SaveRequests().size(), 1u);
    const SaveRequest& r = SaveRequests()[0];
    EXPECT_EQ(r.owner, p.main);
    EXPECT_EQ(r.file, UserFilePath("d_10_t_4")); // the dialog opens in the user's files folder
    EXPECT_EQ(r.title, "d_10_t_4");
    EXPECT_EQ(r.extension, "txt");
    EXPECT_EQ(r.flags, static_cast<DWORD>(OFN_LONGNAMES));
    EXPECT_EQ(r.filterIndex, 1u);
    EXPECT_EQ(r.filter, "Text Files|*.TXT|All Files|*.*|");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, p.app->FileExistsText());

    const int width = p.app->GetTextBoxWidth();
    std::string expected = "\r\n\r\n\r\n";
    for (int n = 10; n <= 12; ++n)
        expected += ControlTextBlock(generateText(n, 20, "0123456789"), width, n);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(p.Text(kNumber), "13");
    EXPECT_EQ(ShownText(), generateText(13, 20, "0123456789"));

    // No to the overwrite question: the file and the number stay.
    Answers().push_back(IDNO);
    p.Command(kSave);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(p.Text(kNumber), "13");

    // Cancel in the dialog: nothing asked, nothing written.
    SaveAnswer().clear();
    p.Command(kSave);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(ReadFile(path), expected);

    // Three texts asked from 9999999: the last number is written once.
    std::remove(path.c_str());
    p.Fields("9999999", 1, 0, "4");
    SaveAnswer() = path;
    p.Command(kSave);
    expected = "\r\n\r\n\r\n";
    for (int n : {9999999, 10000000})
        expected += ControlTextBlock(generateText(n, 20, "0123456789"), width, n);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(p.Text(kNumber), "10000000");
    std::remove(path.c_str());
}

TEST(TextGeneratorPage, UnwritableFileAndPrinting) {
    GeneratorPage p;
    p.Fields("10", 0, 0, "5");
    SaveAnswer() = TempPath("no-such-folder\\texts.txt");
    p.Command(kSave);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Ошибка при сохранении текста");
    EXPECT_EQ(p.Text(kNumber), "10");

    p.Command(kPrint);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, "Принтер не найден.");

    p.Key(27);
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_MAIN_MENU});
}

TEST(TextGeneratorPage, Layout) {
    GeneratorPage p;
    p.Resize(900, 600);
    const RECT box = p.Rect(kTextBox), save = p.Rect(kSave), back = p.Rect(kBack), print = p.Rect(kPrint);
    p.Resize(1000, 650);
    const RECT box2 = p.Rect(kTextBox), save2 = p.Rect(kSave), back2 = p.Rect(kBack), print2 = p.Rect(kPrint);
    EXPECT_EQ(box2.right - box.right, 100);
    EXPECT_EQ(box2.bottom - box.bottom, 50);
    EXPECT_EQ(save2.left - save.left, 100);
    EXPECT_EQ(save2.top - save.top, 50);
    EXPECT_EQ(print2.left - print.left, 100);
    EXPECT_EQ(print2.top - print.top, 50);
    EXPECT_EQ(back2.left, back.left);
    EXPECT_EQ(back2.top - back.top, 50);
    EXPECT_EQ(p.app->textGeneratorWidth, 1000);
    EXPECT_EQ(p.app->textGeneratorHeight, 650);
}
