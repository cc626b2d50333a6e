// The main window in-process: its page table, the page switch, the keys,
// the layout and the close sequence.
#include "ShellTestSupport.h"

#include "config/RecordStore.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <set>

using namespace shelltest;

namespace {

// A control only one kind of page has tells which template a page came from.
const char* PageKind(HWND page) {
    struct Mark {
        int control;
        const char* kind;
    };
    const Mark marks[] = {
        {1008, "main"},      {1322, "about"},        {1016, "training menu"},    {1257, "competitions"},
        {1028, "generator"}, {1395, "settings"},     {1063, "training"},         {1136, "diary"},
        {1133, "options"},   {1129, "results"},      {1101, "player"},           {1321, "run"},
        {1210, "colours"},   {1266, "sound"},        {2333, "organisation"},     {2415, "draw"},
        {2216, "learning"},  {2518, "transmission"}, {2623, "transmission test"}};
    for (const Mark& m : marks)
        if (GetDlgItem(page, m.control))
            return m.kind;
    return "?";
}

TEST_F(MainWindowTest, CreatesTheThirtyOnePagesWithTheMainMenuShown) {
    Start();
    ASSERT_EQ(app->pageCount, PAGE_COUNT);
    const std::set<int> about = {7, 8, 9, 10, 17, 18, 19, 20, 23, 24, 25, 30};
    const std::map<int, std::string> others = {{0, "main"},
                                               {1, "learning"},
                                               {2, "training menu"},
                                               {3, "competitions"},
                                               {4, "generator"},
                                               {5, "player"},
                                               {6, "settings"},
                                               {13, "training"},
                                               {14, "options"},
                                               {15, "run"},
                                               {11, "diary"},
                                               {21, "results"},
                                               {26, "colours"},
                                               {27, "sound"},
                                               {28, "sound"},
                                               {16, "organisation"},
                                               {29, "draw"},
                                               {12, "transmission"},
                                               {22, "transmission test"}};
    int aboutCount = 0;
    std::set<HWND> windows;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        HWND page = Page(i);
        ASSERT_NE(page, nullptr);
        windows.insert(page);
        EXPECT_EQ(GetParent(page), main);
        EXPECT_EQ(AppFromWindow(page), app) << "page " << i;
        const std::string kind = PageKind(page);
        if (about.count(i)) {
            EXPECT_EQ(kind, "about") << "page " << i;
            ++aboutCount;
        } else {
            EXPECT_EQ(kind, others.at(i)) << "page " << i;
        }
        EXPECT_EQ(app->pages[i].fill, i == 1 || i == 4 || i == 5 || i == 11 || i == 12 || i == 13 ||
                                          i == 15 || i == 16 || i == 21 || i == 22 || i == 29)
            << "page " << i;
    }
    EXPECT_EQ(windows.size(), 31u); // every instance is a window of its own
    EXPECT_EQ(aboutCount, 12);
    EXPECT_EQ(app->currentPage, 0);
    EXPECT_EQ(VisiblePages(), 1);
    EXPECT_TRUE(IsWindowVisible(Page(0)));
    EXPECT_TRUE(IsZoomed(main));
}

TEST_F(MainWindowTest, SlideMovesTheOldPageElevenTimesBeforeTheNewPageShows) {
    Start();
    // The window manager's answer to maximising may still be queued; a
    // resize completes a running slide.
    testutil::Pump();
    HWND oldPage = Page(0);
    RECT start;
    GetWindowRect(oldPage, &start);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&start), 2);
    RECT client;
    GetClientRect(main, &client);
    const int dx = (client.right - start.left) / 10, dy = (client.bottom - start.top) / 10;

    MessageSpy spy(oldPage);
    SendMessageA(main, PM_SHOW_PAGE, 0, PAGE_TRAINING_MENU);
    // Until the slide has ended the old page is the current one.
    EXPECT_EQ(app->currentPage, 0);
    EXPECT_FALSE(IsWindowVisible(Page(PAGE_TRAINING_MENU)));
    ASSERT_TRUE(Settle());

    std::vector<POINT> visibleMoves;
    for (const auto& e : spy.entries)
        if (e.message == WM_WINDOWPOSCHANGED && e.visible) {
            const bool moved = e.rect.left != start.left || e.rect.top != start.top;
            const bool repeated = !visibleMoves.empty() && visibleMoves.back().x == e.rect.left &&
                                  visibleMoves.back().y == e.rect.top;
            if (moved && !repeated)
                visibleMoves.push_back({e.rect.left, e.rect.top});
        }
    // The first of the eleven positions is the page's own place.
    ASSERT_EQ(visibleMoves.size(), 10u);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(visibleMoves[k - 1].x, start.left + k * dx) << k;
        EXPECT_EQ(visibleMoves[k - 1].y, start.top + k * dy) << k;
    }
    RECT end;
    GetWindowRect(oldPage, &end);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&end), 2);
    EXPECT_EQ(end.left, start.left);
    EXPECT_EQ(end.top, start.top);
    EXPECT_FALSE(IsWindowVisible(oldPage));
    EXPECT_TRUE(IsWindowVisible(Page(PAGE_TRAINING_MENU)));
    EXPECT_EQ(app->currentPage, PAGE_TRAINING_MENU);
    EXPECT_TRUE(IsChild(Page(PAGE_TRAINING_MENU), GetFocus()) || GetFocus() == Page(PAGE_TRAINING_MENU));
    EXPECT_EQ(VisiblePages(), 1);
}

TEST_F(MainWindowTest, SwitchingToTheShownPageShowsItAgainAndOutsideTheTableDoesNothing) {
    Start();
    MessageSpy spy(Page(0));
    ShowPage(0);
    EXPECT_TRUE(IsWindowVisible(Page(0)));
    EXPECT_GE(spy.Count(WM_SHOWWINDOW), 2); // hidden, then shown again
    SendMessageA(main, PM_SHOW_PAGE, 0, PAGE_COUNT);
    SendMessageA(main, PM_SHOW_PAGE, 0, -1);
    EXPECT_FALSE(app->slide.active);
    EXPECT_EQ(app->currentPage, 0);
    EXPECT_EQ(VisiblePages(), 1);
}

bool SwallowKeys(MessageSpy&, HWND, UINT message, WPARAM, LPARAM) {
    return message == PM_KEY;
}

TEST_F(MainWindowTest, AcceleratorCommandsReachTheCurrentPageAsKeyCodes) {
    Start();
    ShowPage(PAGE_SETTINGS_MENU);
    MessageSpy spy(Page(PAGE_SETTINGS_MENU), SwallowKeys);
    for (int command : {kEnter, kEsc, kPageUp, kPageDown, kInsert, 50055, 1002})
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    std::vector<LPARAM> codes;
    for (const auto& e : spy.entries)
        if (e.message == PM_KEY) {
            EXPECT_EQ(e.wParam, 0u);
            codes.push_back(e.lParam);
        }
    EXPECT_EQ(codes, (std::vector<LPARAM>{13, 27, 24, 25, 23}));
}

// Notes the keys the page receives and ends the message loop at Insert,
// the last key pressed.
bool NoteKeysUntilInsert(MessageSpy&, HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message != PM_KEY)
        return false;
    if (lParam == KEY_INSERT)
        PostQuitMessage(0);
    return true;
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(0);
}

TEST_F(MainWindowTest, PageUpPageDownAndInsertPressedOnTheKeyboardReachThePageThroughTheAccelerators) {
    Start();
    testutil::Pump();
    SetForegroundWindow(main);
    SetFocus(Control(PAGE_MAIN_MENU, 1003));
    MessageSpy spy(Page(PAGE_MAIN_MENU), NoteKeysUntilInsert);
    std::vector<INPUT> keys;
    for (WORD key : {VK_PRIOR, VK_NEXT, VK_INSERT})
        for (DWORD up : {0ul, static_cast<unsigned long>(KEYEVENTF_KEYUP)}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | up;
            keys.push_back(input);
        }
    ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    HACCEL accelerators = CreateKlaviroAccelerators();
    const UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp); // should the keys never arrive
    RunMessageLoop(main, accelerators);
    KillTimer(nullptr, timer);
    DestroyAcceleratorTable(accelerators);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

    std::vector<LPARAM> codes;
    for (const auto& e : spy.entries)
        if (e.message == PM_KEY)
            codes.push_back(e.lParam);
    EXPECT_EQ(codes, (std::vector<LPARAM>{KEY_PAGE_UP, KEY_PAGE_DOWN, KEY_INSERT}));
}

// Keys pressed on the keyboard in a control of a page, through the message
// loop: which of them reach the page, and what the control made of the rest.
TEST_F(MainWindowTest, ControlsKeepTheKeysTheyNeedAndPassTheRestToThePage) {
    struct Stroke {
        WORD key;
        bool control;
    };
    const Stroke kA{'A', false}, kB{'B', false}, kX{'X', false}, kEnterKey{VK_RETURN, false},
        kEscKey{VK_ESCAPE, false}, kCtrlEnter{VK_RETURN, true}, kCtrlA{'A', true}, kEnd{VK_END, false};
    struct Case {
        const char* what;
        int page, control;
        const char* before; // put into the control first; null: left as it is
        const char* after;  // what the control shows afterwards; null: not looked at
        bool dropped;       // the control's list is dropped first
        std::vector<Stroke> keys;
        std::vector<LPARAM> toPage;
    } cases[] = {
        // clang-format off
        {"Enter in the copy field is a new line", PAGE_RESULTS, 1121, "", "a\r\nb", false,
         {kA, kEnterKey, kB}, {}},
        {"Ctrl+Enter in the copy field marks", PAGE_RESULTS, 1121, "", "a", false,
         {kA, kCtrlEnter}, {KEY_ENTER}},
        {"Esc in the copy field leaves", PAGE_RESULTS, 1121, nullptr, nullptr, false,
         {kEscKey}, {KEY_ESC}},
        {"Ctrl+A selects a whole field", PAGE_RESULTS, 1101, "C:\\Results.csv", "x", false,
         {kEnd, kCtrlA, kX}, {}},
        {"Ctrl+A selects a list's whole field", PAGE_RESULTS, 1118, "Anna K", "x", false,
         {kEnd, kCtrlA, kX}, {}},
        {"Enter in the results file's field marks", PAGE_RESULTS, 1101, nullptr, nullptr, false,
         {kEnterKey}, {KEY_ENTER}},
        {"Enter in a dropped list closes it", PAGE_COMPETITION_OPTIONS, 1043, nullptr, nullptr, true,
         {kEnterKey}, {}},
        {"Esc in a dropped list closes it", PAGE_PLAYER, 1111, nullptr, nullptr, true,
         {kEscKey}, {}},
        {"Enter on a closed list goes on", PAGE_COMPETITION_OPTIONS, 1043, nullptr, nullptr, false,
         {kEnterKey}, {KEY_ENTER}},
        // clang-format on
    };
    Start();
    testutil::Pump();
    SetForegroundWindow(main);
    HACCEL accelerators = CreateKlaviroAccelerators();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShowPage(c.page);
        HWND control = Control(c.page, c.control);
        if (c.before)
            SetWindowTextA(control, c.before);
        SetFocus(control);
        if (c.dropped) {
            SendMessageA(control, CB_SHOWDROPDOWN, TRUE, 0);
            ASSERT_TRUE(SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0));
        }
        MessageSpy spy(Page(c.page), NoteKeysUntilInsert);
        std::vector<INPUT> keys;
        auto press = [&](WORD key, DWORD up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = up | (key == VK_INSERT || key == VK_END ? KEYEVENTF_EXTENDEDKEY : 0);
            keys.push_back(input);
        };
        std::vector<Stroke> strokes = c.keys;
        strokes.push_back({VK_INSERT, false}); // ends the loop
        for (const Stroke& k : strokes) {
            if (k.control)
                press(VK_CONTROL, 0);
            press(k.key, 0);
            press(k.key, KEYEVENTF_KEYUP);
            if (k.control)
                press(VK_CONTROL, KEYEVENTF_KEYUP);
        }
        ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
        const UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp); // should the keys never arrive
        RunMessageLoop(main, accelerators);
        KillTimer(nullptr, timer);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

        std::vector<LPARAM> codes;
        for (const auto& e : spy.entries)
            if (e.message == PM_KEY && e.lParam != KEY_INSERT)
                codes.push_back(e.lParam);
        EXPECT_EQ(codes, c.toPage);
        if (c.after) {
            EXPECT_EQ(WindowText(control), c.after);
        }
        if (c.dropped) {
            EXPECT_FALSE(SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0));
        }
    }
    DestroyAcceleratorTable(accelerators);
}

TEST_F(MainWindowTest, AKeyDuringASlideGoesToTheNewPage) {
    Start();
    SendMessageA(main, PM_SHOW_PAGE, 0, PAGE_TRAINING_MENU);
    ASSERT_TRUE(app->slide.active);
    Key(kEsc); // the training menu answers Esc with the main menu
    EXPECT_EQ(app->currentPage, PAGE_MAIN_MENU);
    EXPECT_EQ(VisiblePages(), 1);
    EXPECT_TRUE(IsWindowVisible(Page(0)));
}

std::vector<RECT> PageRects(Application& app, HWND main) {
    std::vector<RECT> rects;
    for (int i = 0; i < app.pageCount; ++i) {
        RECT r;
        GetWindowRect(app.pages[i].window, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        rects.push_back(r);
    }
    return rects;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(MainWindowTest, LayoutIgnoresSmallSizesFillsFillPagesAndCentresTheOthers) {
    Start();
    const std::vector<RECT> before = PageRects(*app, main);
    for (LPARAM size : {MAKELPARAM(0, 0), MAKELPARAM(374, 900), MAKELPARAM(1200, 274)}) {
        SendMessageA(main, WM_SIZE, SIZE_RESTORED, size);
        const std::vector<RECT> after = PageRects(*app, main);
        for (int i = 0; i < PAGE_COUNT; ++i)
            EXPECT_TRUE(SameRect(before[i], after[i])) << "page " << i;
    }

    for (auto size : {std::make_pair(1000, 700), std::make_pair(375, 275)}) {
        const int width = size.first, height = size.second;
        SendMessageA(main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
        const std::vector<RECT> after = PageRects(*app, main);
        for (int i = 0; i < PAGE_COUNT; ++i) {
            const RECT& r = after[i];
            if (app->pages[i].fill) {
                EXPECT_TRUE(SameRect(r, RECT{0, 0, width, height})) << "page " << i;
                continue;
            }
            const int w = before[i].right - before[i].left, h = before[i].bottom - before[i].top;
            EXPECT_EQ(r.right - r.left, w) << "page " << i;
            EXPECT_EQ(r.bottom - r.top, h) << "page " << i;
            EXPECT_EQ(r.left, (width - w) / 2) << "page " << i;
            EXPECT_EQ(r.top, (height - h) / 2) << "page " << i;
        }
        if (width == 375) { // the menus are larger than that: they overhang on both sides
            EXPECT_LT(after[0].left, 0);
            EXPECT_LT(after[0].top, 0);
            EXPECT_GT(after[0].right, width);
        }
    }
}

TEST_F(MainWindowTest, CannotBeMadeSmallerThan750By550) {
    Start();
    MINMAXINFO info{};
    info.ptMaxSize = {1234, 987};
    info.ptMaxTrackSize = {4000, 3000};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 750);
    EXPECT_EQ(info.ptMinTrackSize.y, 550);
    EXPECT_EQ(info.ptMaxSize.x, 1234);
    EXPECT_EQ(info.ptMaxTrackSize.y, 3000);
}

// Each page notes, when told that the program closes, whether the
// configuration file is already there.
std::string* g_configPath = nullptr;
bool NoteFileAtClosing(MessageSpy& spy, HWND, UINT message, WPARAM, LPARAM) {
    if (message == PM_CLOSING && FileExists(*g_configPath))
        spy.entries.back().wParam = 0xBAD;
    return false;
}

TEST_F(MainWindowTest, ClosingTellsEveryPageThenWritesTheConfigurationOnceWithTheDatabaseEntry) {
    Start();
    std::string path = folder.ConfigFile();
    g_configPath = &path;
    std::vector<std::unique_ptr<MessageSpy>> spies;
    for (int i = 0; i < PAGE_COUNT; ++i)
        spies.push_back(std::make_unique<MessageSpy>(Page(i), NoteFileAtClosing));

    // Moving around and changing nothing writes nothing.
    ShowPage(PAGE_TRAINING_MENU);
    ShowPage(PAGE_MAIN_MENU);
    EXPECT_FALSE(FileExists(path));

    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    main = nullptr;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        int closing = 0;
        for (const auto& e : spies[i]->entries)
            if (e.message == PM_CLOSING) {
                ++closing;
                EXPECT_NE(e.wParam, 0xBADu) << "page " << i << " saw the file already written";
            }
        EXPECT_EQ(closing, 1) << "page " << i;
    }
    ASSERT_TRUE(FileExists(path));
    ConfigStore saved;
    ASSERT_TRUE(saved.Load(path));
    std::string database;
    ASSERT_TRUE(saved.GetString("Default", "Database", database));
    EXPECT_EQ(database, RecordStore().DatabasePath());
    const std::string bytes = ReadFile(path);
    EXPECT_NE(bytes.find("\tDatabase\t=\t" + database + "\r\n"), std::string::npos);
    // The texts the pages showed were stored with the file.
    std::string text;
    EXPECT_TRUE(saved.GetString("Russian", "PS_01", text));
    EXPECT_EQ(text, "Обучение");
    // So were the messages no page had to show, for the translators.
    for (const char* key : {"PageFail", "PPL_21", "PR_52", "CfgNotSaved", "SBError"})
        EXPECT_TRUE(saved.GetString("Russian", key, text)) << key;
    EXPECT_EQ(ReadFile(folder.SoundFile()), "3 \r\n");
}

// The first message box throws, as memory running out inside a page would;
// the boxes after it are answered and kept.
std::vector<std::string> g_boxes;
int ThrowAtFirstBox(HWND, const char* text, const char*, UINT) {
    if (g_boxes.empty()) {
        g_boxes.push_back("(thrown)");
        throw std::bad_alloc();
    }
    g_boxes.push_back(text);
    return IDOK;
}

TEST_F(MainWindowTest, AFailureInsideAPageIsReportedAndTheProgramGoesOnAndSavesAtClose) {
    Start();
    ShowPage(PAGE_RESULTS);
    g_boxes.clear();
    const MessageBoxHook previous = SetMessageBoxHook(ThrowAtFirstBox);
    Key(kEnter); // "type the participant's name": that box throws
    SetMessageBoxHook(previous);
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[1].rfind("Действие прервано из-за ошибки", 0), 0u) << g_boxes[1];
    EXPECT_NE(g_boxes[1].find("bad_alloc"), std::string::npos) << g_boxes[1];
    ASSERT_TRUE(IsWindow(main));
    ShowPage(PAGE_MAIN_MENU); // the program answers as before

    // When a failure reaches the entry point, the settings are saved first.
    app->SetString("Default", "Marker", "kept");
    g_boxes.clear();
    SetMessageBoxHook([](HWND, const char* text, const char*, UINT) {
        g_boxes.push_back(text);
        return IDOK;
    });
    EndAfterFailure(main, "std::bad_alloc");
    SetMessageBoxHook(previous);
    EXPECT_FALSE(IsWindow(main));
    main = nullptr;
    EXPECT_EQ(g_boxes, std::vector<std::string>{"Работа программы прервана из-за ошибки:\nstd::bad_alloc"});
    ConfigStore saved;
    ASSERT_TRUE(saved.Load(folder.ConfigFile()));
    std::string marker;
    EXPECT_TRUE(saved.GetString("Default", "Marker", marker));
    EXPECT_EQ(marker, "kept");
}

TEST_F(MainWindowTest, LoadsItsConfigurationFromTheProgramFolder) {
    ConfigStore store;
    store.SetString("Russian", "PX_01", "Приём соревнований");
    store.SetString("Default", "Language", "Russian");
    Configure(store);
    Start();
    EXPECT_EQ(WindowText(Control(PAGE_COMPETITIONS_MENU, 1011)), "Приём соревнований");
}

} // namespace

namespace {

// What the temporary sound file held as each page that holds the
// application object was destroyed: the object closes the file with a line
// when it is deleted.
std::string g_soundPath;
std::vector<std::string> g_soundAtPageDestruction;
LRESULT CALLBACK NoteSoundFileAtPageDestruction(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_DESTROY) {
        char name[16] = "";
        GetClassNameA(sent->hwnd, name, sizeof name);
        if (std::string(name) == "#32770" && (GetWindowLongPtrA(sent->hwnd, GWL_STYLE) & WS_CHILD) &&
            GetWindowLongPtrA(sent->hwnd, GWLP_USERDATA))
            g_soundAtPageDestruction.push_back(ReadFile(g_soundPath));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainWindowTest, APageThatCannotBeCreatedFailsTheStartWithoutSavingOrQuitting) {
    ASSERT_TRUE(UnregisterClassA("ATextLWnd", Instance())); // the learning page (page 1) has one
    g_soundPath = folder.SoundFile();
    g_soundAtPageDestruction.clear();
    HHOOK hook =
        SetWindowsHookExA(WH_CALLWNDPROC, NoteSoundFileAtPageDestruction, nullptr, GetCurrentThreadId());
    HWND window = CreateMainWindow(Instance());
    UnhookWindowsHookEx(hook);
    RegisterControlClasses(Instance());
    EXPECT_EQ(window, nullptr);
    EXPECT_FALSE(FileExists(folder.ConfigFile()));
    // The page made before it went while the application object lived.
    EXPECT_EQ(g_soundAtPageDestruction, std::vector<std::string>(1, ""));
    EXPECT_EQ(ReadFile(folder.SoundFile()), "3 \r\n");
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

} // namespace

namespace {

TEST_F(MainWindowTest, TemplatesStartWithOnlyTheirNormalViewsShown) {
    Start();
    auto shown = [this](int page, int id) {
        HWND control = Control(page, id);
        EXPECT_NE(control, nullptr) << "page " << page << " control " << id;
        return (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    };
    for (int id : {1070, 1077, 1078, 1286, 1288, 1071, 1072, 1287, 1289})
        EXPECT_FALSE(shown(PAGE_COMPETITION_RUN, id)) << id;
    for (int id : {1004, 1075, 1076, 1282, 1281, 1069, 1283, 1285, 1284, 1027, 1014, 1321, 1247, 1174})
        EXPECT_TRUE(shown(PAGE_COMPETITION_RUN, id)) << id;
    EXPECT_TRUE(shown(PAGE_TRAINING_MENU, 1011));
    EXPECT_FALSE(shown(7, 1271));
    EXPECT_FALSE(shown(7, 1272));
    // The learning page starts with its lessons, the drill's choices hidden.
    for (int id : {2217, 2218, 2223})
        EXPECT_FALSE(shown(PAGE_LEARNING, id)) << id;
    EXPECT_TRUE(shown(PAGE_LEARNING, 2216));
    for (int id : {1070, 1068, 1062, 1027, 1165, 1166, 1043, 1045, 1033, 1255, 1049, 1050, 1060})
        EXPECT_TRUE(shown(PAGE_TRAINING, id)) << id;
    // The up-downs sit on the fields they belong to.
    const std::pair<int, int> buddies[] = {{1166, 1165}, {1045, 1043}, {1255, 1033}, {1050, 1049}};
    for (const auto& b : buddies)
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(Control(PAGE_TRAINING, b.first), UDM_GETBUDDY, 0, 0)),
                  Control(PAGE_TRAINING, b.second))
            << b.first;
}

} // namespace
