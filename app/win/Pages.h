// The page messages, page switching and the page procedures the main window
// creates its page table from.
#pragma once

#include <windows.h>

#include <cstddef>
#include <exception>

class Application;

// Custom messages of the main window and its pages (wParam is always 0).
enum : UINT {
    PM_SHOW_PAGE = 0x8001,  // to the main window: lParam = target page index
    PM_LOAD_TEXTS = 0x8002, // to the main window: pass on to every page; to a page: reload all texts
    PM_CLOSING = 0x8003,    // to every page: the main window is being destroyed
    PM_KEY = 0x8005,        // to the current page: lParam = key code
};

// Key codes of PM_KEY.
enum : int {
    KEY_ENTER = 13,
    KEY_ESC = 27,
    KEY_PAGE_UP = 24,
    KEY_PAGE_DOWN = 25,
    KEY_INSERT = 23,
};

// Indexes of the page table that pages ask for.
enum : int {
    PAGE_MAIN_MENU = 0,
    PAGE_LEARNING = 1,
    PAGE_TRAINING_MENU = 2,
    PAGE_COMPETITIONS_MENU = 3,
    PAGE_TEXT_GENERATOR = 4,
    PAGE_PLAYER = 5,
    PAGE_SETTINGS_MENU = 6,
    PAGE_DIARY = 11,
    PAGE_TRANSMISSION = 12,
    PAGE_TRAINING = 13,
    PAGE_COMPETITION_OPTIONS = 14,
    PAGE_COMPETITION_RUN = 15,
    PAGE_ORGANISATION = 16,
    PAGE_RESULTS = 21,
    PAGE_TRANSMISSION_TEST = 22,
    PAGE_COLOURS = 26,
    PAGE_SOUND_TEXT = 27,
    PAGE_SOUND = 28,
    PAGE_DRAW = 29,
    PAGE_COUNT = 31,
};

// Asks the main window to show page `index`. The posting form is for pages
// that are themselves being shown, so the switch runs after their handling.
void GoToPage(HWND page, int index, bool post);

// One translatable text of a page: control, language key, built-in text.
struct PageText {
    int control;
    const char* key;
    const char* builtIn;
};
// Sets every text of the table in the current language (read once).
void LoadPageTexts(HWND page, Application& app, const PageText* texts, size_t count);
template <size_t N> void LoadPageTexts(HWND page, Application& app, const PageText (&texts)[N]) {
    LoadPageTexts(page, app, texts, N);
}

// Stores the creation parameter (the application object) in the page's user
// data; every page does this at WM_INITDIALOG.
Application* AttachApplication(HWND page, LPARAM creationParameter);

// Says that a page's action failed and was abandoned (`what` names the
// failure) through the message box seam. While one such box is open, further
// failures (a timer's, say) are not shown again.
void ReportPageFailure(HWND page, const char* what);

// A page procedure as the main window creates it: an exception from the page
// (memory running out, say) ends only the message it came with; it is
// reported and the program goes on, its settings still saved at close. An
// exception must not reach the system's code that called the procedure.
template <INT_PTR(CALLBACK* Procedure)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Procedure(page, message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportPageFailure(page, e.what());
    } catch (...) {
        ReportPageFailure(page, "unknown exception");
    }
    return FALSE;
}

// Menu pages.
INT_PTR CALLBACK MainMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TrainingMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CompetitionsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SettingsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Working pages.
INT_PTR CALLBACK TrainingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SoundSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CompetitionOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CompetitionRunPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TextGeneratorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColoursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ResultsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PlayerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DiaryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LearningPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// WM_DRAWITEM and WM_CTLCOLOREDIT to WM_CTLCOLORSTATIC: the messages every
// page passes to the common drawing handler.
bool IsCommonDrawMessage(UINT message);

// Enter on a menu: presses the control that has the keyboard focus. FALSE
// when no window has it.
BOOL PressFocusedControl();
