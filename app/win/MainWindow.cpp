#include "app/win/MainWindow.h"

#include "app/Paths.h"
#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/MessageWindow.h"
#include "app/win/WideText.h"
#include "app/win/Pages.h"
#include "organisation/win/DrawPage.h"
#include "organisation/win/OrganisationPage.h"
#include "transmission/win/TransmissionTestPage.h"
#include "transmission/win/TransmissionPage.h"
#include "resources/resource.h"
#include "config/TextCatalogue.h"
#include "config/win/LanguageWin.h"

namespace {

struct PageEntryTemplate {
    int dialog;
    DLGPROC procedure;
    bool fill;
};

// Every menu button whose screen is not part of this program leads to an
// instance of the about page. Each procedure runs guarded: a failure inside
// a page is reported and ends only what the page was doing.
const PageEntryTemplate kPageTable[PAGE_COUNT] = {
    {IDD_MAIN_MENU, GuardedPageProc<MainMenuProc>, false},                         // 0
    {IDD_LEARNING, GuardedPageProc<LearningPageProc>, true},                       // 1
    {IDD_TRAINING_MENU, GuardedPageProc<TrainingMenuProc>, false},                 // 2
    {IDD_COMPETITIONS_MENU, GuardedPageProc<CompetitionsMenuProc>, false},         // 3
    {IDD_TEXT_GENERATOR, GuardedPageProc<TextGeneratorPageProc>, true},            // 4
    {IDD_PLAYER, GuardedPageProc<PlayerPageProc>, true},                           // 5
    {IDD_SETTINGS_MENU, GuardedPageProc<SettingsMenuProc>, false},                 // 6
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 7
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 8
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 9
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 10
    {IDD_DIARY, GuardedPageProc<DiaryPageProc>, true},                             // 11
    {IDD_TRANSMISSION, GuardedPageProc<TransmissionPageProc>, true},               // 12
    {IDD_TRAINING, GuardedPageProc<TrainingPageProc>, true},                       // 13
    {IDD_COMPETITION_OPTIONS, GuardedPageProc<CompetitionOptionsPageProc>, false}, // 14
    {IDD_COMPETITION_RUN, GuardedPageProc<CompetitionRunPageProc>, true},          // 15
    {IDD_ORGANISATION, GuardedPageProc<OrganisationPageProc>, true},               // 16
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 17
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 18
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 19
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 20
    {IDD_RESULTS, GuardedPageProc<ResultsPageProc>, true},                         // 21
    {IDD_TRANSMISSION_TEST, GuardedPageProc<TransmissionTestPageProc>, true},      // 22
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 23
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 24
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 25
    {IDD_COLOURS, GuardedPageProc<ColoursPageProc>, false},                        // 26
    {IDD_SOUND_SETTINGS, GuardedPageProc<SoundSettingsPageProc>, false},           // 27
    {IDD_SOUND_SETTINGS, GuardedPageProc<SoundSettingsPageProc>, false},           // 28
    {IDD_DRAW, GuardedPageProc<DrawPageProc>, true},                               // 29
    {IDD_ABOUT, GuardedPageProc<AboutPageProc>, false},                            // 30
};

const UINT_PTR kSlideTimer = 1;
const UINT kSlideMoves = 11; // positions 0 to 10
const UINT kSlidePeriodMs = 10;

// Accelerator commands and the key codes the current page receives for them.
int KeyForCommand(int command) {
    switch (command) {
    case 50050:
        return KEY_ENTER;
    case 50051:
        return KEY_ESC;
    case 50052:
        return KEY_PAGE_UP;
    case 50053:
        return KEY_PAGE_DOWN;
    case 50054:
        return KEY_INSERT;
    }
    return 0;
}

void MoveSlidingPage(Application& app) {
    const PageSlide& s = app.slide;
    HWND page = app.Page(s.from);
    const RECT& r = s.start;
    MoveWindow(page, r.left + s.step * s.dx, r.top + s.step * s.dy, r.right - r.left, r.bottom - r.top, TRUE);
}

// Hides the old page, puts it back where it was and shows the new one. The
// current index changes only after the new page has been shown, so its
// WM_SHOWWINDOW handling still sees the old current page.
void EndSlide(HWND window, Application& app) {
    PageSlide& s = app.slide;
    KillTimer(window, kSlideTimer);
    s.active = false;
    HWND old = app.Page(s.from);
    if (old) {
        ShowWindow(old, SW_HIDE);
        const RECT& r = s.start;
        MoveWindow(old, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    }
    HWND next = app.Page(s.to);
    ShowWindow(next, SW_SHOW);
    app.currentPage = s.to;
    SetFocus(next);
}

// The slide is drawn by a timer so the window keeps painting while the old
// page moves out; anything that needs the pages at rest (a key, another
// switch, a resize) completes a running slide first.
void CompleteSlide(HWND window, Application& app) {
    if (app.slide.active)
        EndSlide(window, app);
}

void StartSlide(HWND window, Application& app, int target) {
    if (target < 0 || target >= app.pageCount)
        return; // not a page: stay where we are rather than show nothing
    CompleteSlide(window, app);
    PageSlide& s = app.slide;
    s.from = app.currentPage;
    s.to = target;
    s.step = 0;
    HWND page = app.Page(s.from);
    if (!page) {
        EndSlide(window, app);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    GetWindowRect(page, &s.start);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&s.start), 2);
    s.dx = (client.right - s.start.left) / 10;
    s.dy = (client.bottom - s.start.top) / 10;
    s.active = true;
    MoveSlidingPage(app);
    SetTimer(window, kSlideTimer, kSlidePeriodMs, nullptr);
}

void SlideTick(HWND window, Application& app) {
    PageSlide& s = app.slide;
    if (!s.active) {
        KillTimer(window, kSlideTimer);
        return;
    }
    if (++s.step < static_cast<int>(kSlideMoves)) {
        MoveSlidingPage(app);
        return;
    }
    EndSlide(window, app);
}

void Layout(HWND window, Application& app, int width, int height) {
    if (width < 375 || height < 275)
        return; // minimised or too small: the pages stay where they are
    CompleteSlide(window, app);
    for (int i = 0; i < app.pageCount; ++i) {
        HWND page = app.pages[i].window;
        if (app.pages[i].fill) {
            MoveWindow(page, 0, 0, width, height, TRUE);
            continue;
        }
        RECT r;
        GetWindowRect(page, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        MoveWindow(page, (width - w) / 2, (height - h) / 2, w, h, TRUE);
    }
    InvalidateRect(window, nullptr, TRUE);
}

// Creates the pages in index order. False when one of them could not be
// created (a missing template or control class): the program cannot run.
bool CreatePages(HWND window, Application& app) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    for (const PageEntryTemplate& entry : kPageTable) {
        HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(entry.dialog), window, entry.procedure,
                                       reinterpret_cast<LPARAM>(&app));
        if (!page)
            return false;
        app.pages[app.pageCount].window = page;
        app.pages[app.pageCount].fill = entry.fill;
        ++app.pageCount;
    }
    return true;
}

BOOL Initialise(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_KLAVIRO))));
    Application* app = new Application(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
    // The main menu reads the language list while it is created.
    app->Load(ConfigReadFilePath());
    ChooseFirstStartLanguage(*app);
    if (!CreatePages(window, *app)) {
        // Nothing to save: the close sequence finds no application object.
        // The pages made so far still hold it while they are destroyed.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        delete app;
        // The entry point reports the failure in a message box, which must
        // not find the quit message of this destruction in the queue.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return FALSE;
    }
    SendMessageA(window, PM_LOAD_TEXTS, 0, 0);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    return TRUE;
}

void CloseSequence(HWND window) {
    KillTimer(window, kSlideTimer);
    Application* app = AppFromWindow(window);
    if (app) {
        for (int i = 0; i < app->pageCount; ++i)
            SendMessageA(app->pages[i].window, PM_CLOSING, 0, 0);
        app->SetString("Default", "Database", FileNameForStore(app->records.DatabasePath()));
        // Looked up before the save, so that the text is stored with the
        // others for translators.
        const std::string notSaved = app->SettingsNotSavedText();
        if (!app->Save(ConfigFilePath()))
            ShowMessageBox(nullptr, (notSaved + "\n" + ConfigFilePath()).c_str(), nullptr,
                           MB_ICONWARNING | MB_OK);
        delete app;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    PostQuitMessage(0);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Application* app = message == WM_INITDIALOG ? nullptr : AppFromWindow(window);
    switch (message) {
    case WM_INITDIALOG:
        return Initialise(window);
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        CloseSequence(window);
        return TRUE;
    case WM_SIZE:
        if (app)
            Layout(window, *app, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 750;
        info->ptMinTrackSize.y = 550;
        return TRUE;
    }
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return CommonDrawHandler(window, message, wParam, lParam);
    case WM_COMMAND: {
        const int key = KeyForCommand(LOWORD(wParam));
        if (key && app) {
            CompleteSlide(window, *app);
            SendMessageA(app->Page(app->currentPage), PM_KEY, 0, key);
        }
        return TRUE;
    }
    case WM_TIMER:
        if (wParam != kSlideTimer)
            return FALSE;
        if (app)
            SlideTick(window, *app);
        else
            KillTimer(window, kSlideTimer);
        return TRUE;
    case PM_SHOW_PAGE:
        if (app)
            StartSlide(window, *app, static_cast<int>(lParam));
        return TRUE;
    case PM_LOAD_TEXTS:
        if (app) {
            ApplyLanguageCodePage(*app);
            LoadMessageWindowTexts(*app);
            for (int i = 0; i < app->pageCount; ++i)
                SendMessageA(app->pages[i].window, PM_LOAD_TEXTS, 0, 0);
            StoreCatalogueTexts(*app);
        }
        return TRUE;
    }
    return FALSE;
}

} // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainWindowProc, 0);
    // A dialog destroyed during its own initialisation may still be returned.
    return window && IsWindow(window) ? window : nullptr;
}
