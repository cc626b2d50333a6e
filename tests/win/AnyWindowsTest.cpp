// The program's texts on a Windows of any language: tools/test-all.sh runs
// this suite a second time with the system's code page 1252 (wine-en), where
// a Russian text that passes through the code page of the system comes back
// as Latin letters. Each text is read back in UTF-16, as the screen shows it.
#include "PageHarness.h"
#include "ShellTestSupport.h"

#include "app/UserFiles.h"
#include "app/WholeFile.h"
#include "app/win/MessageWindow.h"
#include "app/win/WideText.h"
#include "organisation/Competition.h"
#include "organisation/win/OrganisationPage.h"
#include "resources/resource.h"
#include "texts/TextEncoding.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace shelltest;
using harness::Boxes;
using harness::PageUnderTest;
using harness::SaveAnswer;
using testutil::TempPath;

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = L"";
    GetClassNameW(w, name, 64);
    return name;
}

// Every text a control holds: its window text, a label's or a timer's
// text, the entries of a combo box or a list box, a list's column titles.
void AddShownTexts(HWND control, std::vector<std::wstring>& texts) {
    const std::wstring cls = ClassOf(control);
    wchar_t item[512];
    if (cls == L"ATextLWnd") {
        texts.push_back(MixedTextToWide(LabelShownText(control))); // as it is drawn
    } else if (cls == L"ATimerWnd") {
        texts.push_back(TextToWide(TimerShownText(control)));
    } else if (lstrcmpiW(cls.c_str(), L"ComboBox") == 0 || lstrcmpiW(cls.c_str(), L"ListBox") == 0) {
        const bool combo = lstrcmpiW(cls.c_str(), L"ComboBox") == 0;
        const LRESULT n = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        for (LRESULT k = 0; k < n; ++k)
            if (SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, k, 0) < 512 &&
                SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, k, reinterpret_cast<LPARAM>(item)) >=
                    0)
                texts.push_back(item);
    } else if (cls == L"SysListView32") {
        for (int k = 0;; ++k) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = item;
            column.cchTextMax = 512;
            if (!SendMessageW(control, LVM_GETCOLUMNW, k, reinterpret_cast<LPARAM>(&column)))
                break;
            texts.push_back(item);
        }
    } else {
        // A picture's text is its resource number behind U+FFFF.
        const std::wstring text = ReadWindowWide(control);
        if (text.empty() || text[0] != 0xFFFF)
            texts.push_back(text);
    }
}

BOOL CALLBACK CollectTexts(HWND control, LPARAM texts) {
    AddShownTexts(control, *reinterpret_cast<std::vector<std::wstring>*>(texts));
    return TRUE;
}

// What code page 1251 bytes turn into when a system of code page 1252
// reads them (the Cyrillic letters land on Latin-1 letters), and the
// replacement character.
bool Garbled(const std::wstring& text) {
    for (wchar_t c : text)
        if ((c >= 0x80 && c <= 0xFF) || c == 0xFFFD)
            return true;
    return false;
}

bool Cyrillic(const std::wstring& text) {
    for (wchar_t c : text)
        if (c >= 0x400 && c <= 0x4FF)
            return true;
    return false;
}

// The message box as the test saw it while it was open: caption first,
// then its controls' texts.
std::vector<std::wstring>& SeenBox() {
    static std::vector<std::wstring> seen;
    return seen;
}

void CALLBACK ReadBoxAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    for (HWND w = FindWindowW(L"#32770", nullptr); w && !box; w = GetWindow(w, GW_HWNDNEXT))
        // Owned: the main window is a visible dialog of this thread too, and
        // the box may not be shown yet when the first tick comes.
        if (IsWindowVisible(w) && ClassOf(w) == L"#32770" && GetWindow(w, GW_OWNER) &&
            GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
            box = w;
    if (!box)
        return;
    KillTimer(nullptr, timer);
    SeenBox() = {ReadWindowWide(box)};
    EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&SeenBox()));
    PostMessageW(box, WM_CLOSE, 0, 0);
}

BOOL CALLBACK CollectRects(HWND control, LPARAM rects) {
    RECT r;
    GetWindowRect(control, &r);
    reinterpret_cast<std::vector<RECT>*>(rects)->push_back(r);
    return TRUE;
}

class AnyWindows : public MainWindowTest {
protected:
    // Every text of every page, hidden ones included.
    std::vector<std::wstring> AllTexts() {
        std::vector<std::wstring> texts;
        for (int i = 0; i < app->pageCount; ++i)
            EnumChildWindows(Page(i), CollectTexts, reinterpret_cast<LPARAM>(&texts));
        return texts;
    }
};

// Every page's texts in each built-in language: none garbled, the language's
// own letters throughout (the language list names Russian in Russian).
TEST_F(AnyWindows, EveryTextReadsInItsLanguageWhateverTheSystemCodePage) {
    const struct {
        const char* language;
        const wchar_t* learning; // the first button of the main menu, owner-drawn
        bool russian;
    } languages[] = {{"Russian", L"Обучение", true}, {"English", L"Learning", false}};
    std::vector<std::vector<RECT>> layouts;
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        ConfigStore store;
        store.SetString("Default", "Language", l.language);
        Configure(store);
        Start();
        EXPECT_EQ(ReadWindowWide(Control(0, 1002)), l.learning);
        std::vector<std::wstring> list;
        AddShownTexts(Control(0, 1008), list);
        EXPECT_EQ(list, (std::vector<std::wstring>{L"English", L"Русский"}));
        int cyrillic = 0;
        for (const std::wstring& text : AllTexts()) {
            EXPECT_FALSE(Garbled(text)) << WideToUtf8(text);
            cyrillic += Cyrillic(text) && text != L"Русский" ? 1 : 0;
        }
        // The check above saw the captions: most of them Russian, or none.
        if (l.russian)
            EXPECT_GT(cyrillic, 100);
        else
            EXPECT_EQ(cyrillic, 0);
        layouts.emplace_back();
        for (int i = 0; i < app->pageCount; ++i)
            EnumChildWindows(Page(i), CollectRects, reinterpret_cast<LPARAM>(&layouts.back()));
        Close();
    }
    // The layout does not move with the language: every control's rectangle.
    ASSERT_EQ(layouts[0].size(), layouts[1].size());
    for (size_t k = 0; k < layouts[0].size(); ++k)
        EXPECT_TRUE(EqualRect(&layouts[0][k], &layouts[1][k])) << "control " << k;
}

TEST_F(AnyWindows, TheMessageBoxReadsInTheLanguageAndAPathInAnyScript) {
    ConfigStore store;
    store.SetString("Default", "Language", "Russian");
    Configure(store);
    Start();
    // The program's own message box: the language's text, and a path (kept
    // in UTF-8) on a line of its own.
    const struct {
        std::string text;
        std::wstring shown;
    } boxes[] = {
        {"Файл не найден", L"Файл не найден"},
        {"Не удалось записать\n" + WideToUtf8(L"C:\\Αγώνας\\Results.csv"),
         L"Не удалось записать\nC:\\Αγώνας\\Results.csv"},
    };
    for (const auto& b : boxes) {
        SeenBox().clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadBoxAndClose);
        ShowMessageWindow(main, b.text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
        KillTimer(nullptr, timer);
        ASSERT_FALSE(SeenBox().empty());
        for (const std::wstring& text : SeenBox())
            EXPECT_FALSE(Garbled(text)) << WideToUtf8(text);
        EXPECT_NE(std::find(SeenBox().begin(), SeenBox().end(), b.shown), SeenBox().end())
            << WideToUtf8(b.shown);
    }
}

// A folder named in Greek and Polish letters, which no code page has both
// of: the competition file proposed there, a Polish name typed on the page
// and the roster exported to a file chosen there all reach the disk.
TEST(AnyWindowsFiles, AFolderNamedInAnyScriptIsWrittenAndNamesKeepTheirLetters) {
    SetUtf8FileNames(true);
    const std::string folder =
        TempPath(WideToUtf8(L"Αγώνας Łódź-") + std::to_string(GetCurrentProcessId())) + "\\";
    const std::string title = WideToUtf8(L"Puchar Łodzi"), name = WideToUtf8(L"Łukasz Żółwiński");
    const std::string exported = folder + WideToUtf8(L"Lista ΑΒΓ.csv");
    std::error_code ec;
    std::filesystem::remove_all(FileSystemPath(folder), ec);
    ASSERT_TRUE(std::filesystem::create_directory(FileSystemPath(folder), ec)) << ec.message();
    SetUserFilesFolder(folder);
    {
        PageUnderTest p(IDD_ORGANISATION, OrganisationPageProc);
        p.Show();
        EXPECT_EQ(ReadItemFileName(p.page, ORG_PATH), folder + "Competition.csv");
        SetItemUtf8Text(p.page, ORG_TITLE, title);
        p.Command(ORG_TITLE, EN_KILLFOCUS);
        SetItemUtf8Text(p.page, ORG_NAME, name);
        p.SetText(ORG_YEAR, "1990");
        ComboSetSelection(p.page, ORG_SEX, 1);
        p.Command(ORG_ADD);
        EXPECT_TRUE(Boxes().empty()) << Boxes()[0].text;

        Competition read;
        std::string error;
        ASSERT_EQ(LoadCompetition(folder + "Competition.csv", read, error), CompetitionLoad::Loaded) << error;
        EXPECT_EQ(read.title, title);
        ASSERT_EQ(read.roster.size(), 1u);
        EXPECT_EQ(read.roster[0].name, name);

        SaveAnswer() = exported;
        p.Command(ORG_EXPORT);
        std::string bytes;
        EXPECT_EQ(ReadWholeFile(exported, 1 << 20, bytes), WholeFileRead::Read);
        EXPECT_NE(bytes.find(name), std::string::npos);
    }
    SetUserFilesFolder("");
    std::filesystem::remove_all(FileSystemPath(folder), ec);
    SetUtf8FileNames(false);
}

// A path the configuration keeps: in the system's code page when it can be
// written there (files of older versions read the same), otherwise UTF-8
// behind its byte order mark.
TEST(AnyWindowsFiles, StoredPathsStayInTheSystemCodePageWhenTheyCan) {
    const UINT system = GetACP();
    const struct {
        const wchar_t* path;
        bool fitsIn1251, fitsIn1252;
    } cases[] = {
        {L"C:\\Temp\\KLAVIRO.bdb", true, true},
        {L"C:\\Временные\\KLAVIRO.bdb", true, false},
        {L"C:\\Café\\KLAVIRO.bdb", false, true},
        {L"C:\\Αγώνας\\KLAVIRO.bdb", false, false},
    };
    SetUtf8FileNames(true);
    for (const auto& c : cases) {
        const std::string utf8 = WideToUtf8(c.path);
        SCOPED_TRACE(utf8);
        const bool fits = system == 1251 ? c.fitsIn1251 : c.fitsIn1252;
        const std::string stored = FileNameForStore(utf8);
        EXPECT_EQ(stored, fits ? FromWide(c.path, system) : "\xEF\xBB\xBF" + utf8);
        EXPECT_EQ(FileNameFromStore(stored), utf8);
    }
    SetUtf8FileNames(false);
}

} // namespace
