// The menu pages and the about page inside the real main window: where each
// button leads, Enter and Esc, the hidden button and the language list.
#include "ControlTestSupport.h"
#include "ShellTestSupport.h"
#include "config/Languages.h"

#include "controls/win/DisplayControls.h"
#include "resources/resource.h"

using namespace shelltest;

namespace {

struct Route {
    int page;
    int control;
    int target;
};

const Route kRoutes[] = {
    // main menu
    {0, 1002, 1},
    {0, 1003, 2},
    {0, 1004, 3},
    {0, 1010, 4},
    {0, 1025, 5},
    {0, 1005, 6},
    {0, 1006, 7},
    // training menu
    {2, 1013, 13},
    {2, 1012, 12},
    {2, 1014, 0},
    {2, 1011, 11},
    // competitions menu
    {3, 1011, 14},
    {3, 1012, 22},
    {3, 1257, 16},
    {3, 1024, 21},
    {3, 1025, 29},
    {3, 1014, 0},
    // settings menu
    {6, 1395, 26},
    {6, 1027, 27},
    {6, 1025, 28},
    {6, 1014, 0},
    // about page
    {30, 1014, 0},
    // the working pages' way back
    {1, 1014, 0},
    {4, 1014, 0},
    {13, 1014, 2},
    {14, 1014, 3},
    {15, 1014, 14},
    {26, 1014, 6},
    {27, 1014, 6},
    {28, 1014, 6},
};

TEST_F(MainWindowTest, EveryButtonReachesItsPage) {
    Start();
    for (const Route& route : kRoutes) {
        if (app->currentPage != route.page)
            ShowPage(route.page);
        Click(route.page, route.control);
        EXPECT_EQ(app->currentPage, route.target) << "page " << route.page << " button " << route.control;
        EXPECT_TRUE(IsWindowVisible(Page(route.target)));
        EXPECT_EQ(VisiblePages(), 1);
    }
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButton) {
    Start();
    // A page shown for the first time has the focus on its first button; a
    // page shown again gets back the control that had the focus there.
    ShowPage(PAGE_SETTINGS_MENU);
    Key(kEnter);
    EXPECT_EQ(app->currentPage, PAGE_COLOURS);
    const Route focused[] = {{0, 1004, 3},  {3, 1025, 29}, {0, 1005, 6},
                             {6, 1027, 27}, {0, 1003, 2},  {2, 1012, 12}};
    for (const Route& route : focused) {
        ShowPage(route.page);
        SetFocus(Control(route.page, route.control));
        Key(kEnter);
        EXPECT_EQ(app->currentPage, route.target) << "page " << route.page << " button " << route.control;
    }
    ShowPage(0);
    Key(kEnter);
    EXPECT_EQ(app->currentPage, 2);
}

bool SwallowPageSwitch(MessageSpy&, HWND, UINT message, WPARAM, LPARAM) {
    return message == PM_SHOW_PAGE;
}

TEST_F(MainWindowTest, EscLeavesEachMenuAndAboutPageForTheMainMenu) {
    Start();
    Key(kEsc); // the main menu ignores it: nothing closes
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(app->currentPage, 0);

    for (int page : {2, 3, 6, 1}) {
        ShowPage(page);
        Key(kEsc);
        EXPECT_EQ(app->currentPage, 0) << "Esc on page " << page;
    }
    {
        // Every about-page instance asks for the main menu on Enter and Esc;
        // the requests are caught before the main window acts on them.
        MessageSpy requests(main, SwallowPageSwitch);
        const int about[] = {7, 8, 9, 10, 17, 18, 19, 20, 23, 24, 25, 30};
        for (int page : about)
            for (int key : {KEY_ENTER, KEY_ESC}) {
                requests.entries.clear();
                SendMessageA(Page(page), PM_KEY, 0, key);
                ASSERT_EQ(requests.Count(PM_SHOW_PAGE), 1) << page;
                for (const auto& e : requests.entries) {
                    if (e.message == PM_SHOW_PAGE) {
                        EXPECT_EQ(e.lParam, 0) << page;
                    }
                }
            }
    }

    // Other keys do nothing on the menus.
    ShowPage(2);
    Key(kPageUp);
    Key(kInsert);
    EXPECT_EQ(app->currentPage, 2);

    // Esc presses the settings menu's Back button, so a disabled one keeps it.
    ShowPage(6);
    EnableWindow(Control(6, 1014), FALSE);
    Key(kEsc);
    EXPECT_EQ(app->currentPage, 6);
}

TEST_F(MainWindowTest, TheDiaryButtonShowsAndIsTabbedTo) {
    Start();
    HWND diary = Control(PAGE_TRAINING_MENU, 1011);
    ASSERT_NE(diary, nullptr);
    ShowPage(PAGE_TRAINING_MENU);
    EXPECT_TRUE(IsWindowVisible(diary));
    EXPECT_EQ(WindowText(diary), "Дневник");
    // Tabbing round the page lands on it after "Передача".
    EXPECT_EQ(GetNextDlgTabItem(Page(PAGE_TRAINING_MENU), Control(PAGE_TRAINING_MENU, 1012), FALSE), diary);
}

TEST_F(MainWindowTest, ExitButtonClosesTheProgramAndSavesTheConfiguration) {
    Start();
    SendMessageA(Control(0, 1007), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    main = nullptr;
    ConfigStore saved;
    ASSERT_TRUE(saved.Load(folder.ConfigFile()));
    std::string value;
    EXPECT_TRUE(saved.GetString("Default", "Database", value));
}

TEST_F(MainWindowTest, FirstStartListsBothLanguagesAndShowsTheBuiltInTexts) {
    Start();
    // The first start follows the user's Windows language.
    const bool russian = FirstStartLanguage(GetUserDefaultUILanguage()) == "Russian";
    EXPECT_EQ(app->CurrentLanguage(), russian ? "Russian" : "English");
    HWND list = Control(0, 1008);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), russian ? 1 : 0);
    char name[64] = "";
    SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "English");
    SendMessageA(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Русский");
    EXPECT_EQ(WindowText(Control(0, 1002)), russian ? "Обучение" : "Learning");
    EXPECT_EQ(WindowText(Control(0, 1007)), russian ? "Выход" : "Exit");
    EXPECT_EQ(WindowText(Control(2, 1016)), russian ? "Тренировка" : "Training");
    EXPECT_EQ(WindowText(Control(3, 1070)), russian ? "Соревнования" : "Competition");
    EXPECT_EQ(WindowText(Control(6, 1014)), russian ? "<< Назад" : "<< Back");
}

void PickLanguage(HWND mainMenu, int index) {
    HWND list = GetDlgItem(mainMenu, 1008);
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(mainMenu, WM_COMMAND, MAKEWPARAM(1008, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

TEST_F(MainWindowTest, PickingALanguageRelabelsEveryPageAndStoresTheMissingTexts) {
    ConfigStore store;
    store.SetString("Default", "Language", "Russian");
    store.SetString("Language", "English", "English");
    store.SetString("Language", "Russian", "Русский");
    // A text of every kind of page; the sound page's twice (pages 27 and 28).
    const struct {
        int page, control;
        const char *key, *english;
    } texts[] = {
        {0, 1002, "PS_01", "Learning"},    {2, 1016, "PT_05", "Training"},   {3, 1011, "PX_01", "Reception"},
        {6, 1070, "POPTM_05", "Settings"}, {13, 1014, "PTI_02", "<< Back"},  {27, 1070, "PN_01", "Sound"},
        {28, 1070, "PN_01", "Sound"},      {14, 1067, "PSIO_03", "Next >>"}, {26, 1014, "PNC_25", "Cancel"},
        {4, 1010, "PP_15", "Print"},       {15, 1174, "PSI_07", "Begin"}};
    for (const auto& t : texts)
        store.SetString("English", t.key, t.english);
    Configure(store);
    Start();

    HWND list = Control(0, 1008);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
    char name[64] = "";
    SendMessageA(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "English"); // the store's key order
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(WindowText(Control(0, 1002)), "Обучение");

    PickLanguage(Page(0), 0);
    // Every page, hidden ones included, at once.
    for (const auto& t : texts)
        EXPECT_EQ(WindowText(Control(t.page, t.control)), t.english) << t.key;
    // Missing texts appear in the built-in English and are stored under it.
    EXPECT_EQ(WindowText(Control(0, 1003)), "Training");
    std::string text;
    EXPECT_TRUE(app->GetString("English", "PS_02", text));
    EXPECT_EQ(text, "Training");
    EXPECT_TRUE(app->GetString("English", "PTI_01", text));
    EXPECT_EQ(text, "Reception training");
    // The label beside the list stays as it is.
    EXPECT_EQ(WindowText(Control(0, 1009)), "Language");

    // Picking the selected entry again reloads nothing.
    app->SetString("English", "PS_01", "Changed");
    PickLanguage(Page(0), 0);
    EXPECT_EQ(WindowText(Control(0, 1002)), "Learning");

    // Enter on the list does not pick anything either.
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SetFocus(list);
    Key(kEnter);
    EXPECT_EQ(app->currentPage, 0);
    EXPECT_EQ(WindowText(Control(0, 1002)), "Learning");

    Close();
    ConfigStore saved;
    ASSERT_TRUE(saved.Load(folder.ConfigFile()));
    EXPECT_TRUE(saved.GetString("Default", "Language", text));
    EXPECT_EQ(text, "English");
    EXPECT_TRUE(saved.GetString("English", "PS_02", text));
    EXPECT_EQ(text, "Training");
}

TEST_F(MainWindowTest, CompetitionsMenuCaptionIsTheRecordStoreTitle) {
    const COLORREF caption = RGB(200, 30, 170);
    ConfigStore store;
    store.SetInt("WCaption", "CaptionColor", static_cast<int>(caption));
    Configure(store);
    Start();
    app->records.SetTitle("Кубок клуба   ");
    ShowPage(PAGE_COMPETITIONS_MENU);
    HWND label = Control(PAGE_COMPETITIONS_MENU, 1004);
    EXPECT_EQ(LabelShownText(label), "Кубок клуба");
    RECT r;
    GetClientRect(label, &r);
    testsupport::Canvas canvas(r.right, r.bottom);
    SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
    EXPECT_GT(canvas.Count(caption), 50) << "the title in the caption colour";

    // Shown again, the page reads the title afresh.
    app->records.SetTitle("");
    ShowPage(PAGE_MAIN_MENU);
    ShowPage(PAGE_COMPETITIONS_MENU);
    EXPECT_EQ(LabelShownText(label), "");
}

// Pixels of one colour over every picture of the page, as the pictures
// paint themselves.
int PicturePixels(HWND page, COLORREF colour) {
    int n = 0;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") != 0 ||
            (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        RECT r;
        GetClientRect(child, &r);
        testsupport::Canvas canvas(r.right, r.bottom);
        SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
        n += canvas.Count(colour);
    }
    return n;
}

// The pictures' margins are drawn in the default dialog colour; on any other
// they take the page's colour, also one applied while the program runs.
TEST_F(MainWindowTest, PicturesStandOnTheDialogColour) {
    const COLORREF made = RGB(212, 208, 200), first = RGB(90, 120, 60), second = RGB(30, 40, 110);
    ConfigStore store;
    store.SetInt("Default", "DlgColor", static_cast<int>(first));
    Configure(store);
    Start();
    for (int page : {0, 2, 3, 6, 7, 30}) { // the menus and two about pages
        ShowPage(page);
        EXPECT_EQ(PicturePixels(Page(page), made), 0) << "page " << page;
        EXPECT_GT(PicturePixels(Page(page), first), 5000) << "page " << page;
    }
    for (COLORREF colour : {second, made}) {
        app->SetDlgColor(static_cast<int>(colour));
        ShowPage(PAGE_SETTINGS_MENU);
        EXPECT_EQ(PicturePixels(Page(PAGE_SETTINGS_MENU), first), 0);
        EXPECT_GT(PicturePixels(Page(PAGE_SETTINGS_MENU), colour), 5000);
    }
}

TEST_F(MainWindowTest, AboutLinksShowTheHandAndOpenNothingWhenEmpty) {
    Start();
    ShowPage(7);
    HCURSOR hand = LoadCursorA(Instance(), MAKEINTRESOURCEA(IDC_LINK_HAND));
    ASSERT_NE(hand, nullptr);
    for (int link : {1322, 1323, 1324}) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        HWND control = Control(7, link);
        SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), hand) << link;
        SendMessageA(Page(7), WM_COMMAND, MAKEWPARAM(link, STN_CLICKED), reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(app->currentPage, 7);
    }
    EXPECT_EQ(WindowText(Control(7, 1271)), "");
    EXPECT_FALSE(IsWindowVisible(Control(7, 1271)));
    // An ordinary static keeps the arrow.
    HWND frame = Control(0, 1009);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageA(frame, WM_SETCURSOR, reinterpret_cast<WPARAM>(frame), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);
}

} // namespace
