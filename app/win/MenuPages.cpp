// The four menu pages: columns of buttons that lead to other pages. One
// procedure serves them all; each page is a row of data (where its buttons
// lead, its texts, what Esc does, and the extras only one page has).
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PagePictures.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"
#include "controls/ControlMessages.h"

namespace {

const int kCloseProgram = -2; // a link that ends the program instead of showing a page
const int kNone = -1;

// A menu button and the page it leads to.
struct MenuLink {
    int control;
    int page;
};

struct MenuPage {
    const MenuLink* links;
    size_t linkCount;
    const PageText* texts;
    size_t textCount;
    int escPage;      // Esc shows this page; kNone: see escButton
    int escButton;    // Esc presses this button (nothing while it is disabled); kNone: Esc is not handled
    int languageList; // the language list, or kNone
    int caption;      // the label that shows the record store's title, or kNone
};

template <size_t L, size_t T>
constexpr MenuPage Menu(const MenuLink (&links)[L], const PageText (&texts)[T], int escPage, int escButton,
                        int languageList = kNone, int caption = kNone) {
    return {links, L, texts, T, escPage, escButton, languageList, caption};
}

// Main menu (page 0). The label "Language" (1009) and the list keep their
// texts in every language.
const MenuLink kMainLinks[] = {
    {1002, 1},
    {1003, PAGE_TRAINING_MENU},
    {1004, PAGE_COMPETITIONS_MENU},
    {1010, PAGE_TEXT_GENERATOR},
    {1025, 5},
    {1005, PAGE_SETTINGS_MENU},
    {1006, 7},
    {1007, kCloseProgram},
};
const PageText kMainTexts[] = {
    {1002, "PS_01", "Обучение"},       {1003, "PS_02", "Тренировка"},     {1004, "PS_03", "Соревнования"},
    {1005, "PS_04", "Настройки"},      {1006, "PS_05", "О программе..."}, {1007, "PS_06", "Выход"},
    {1010, "PS_07", "Печать текстов"}, {1025, "PS_08", "Проигрыватель"},
};

// Training menu (page 2).
const MenuLink kTrainingLinks[] = {
    {1013, PAGE_TRAINING}, {1012, 12}, {1014, PAGE_MAIN_MENU}, {1011, PAGE_DIARY}};
const PageText kTrainingTexts[] = {
    {1011, "PT_01", "Дневник"},  {1012, "PT_02", "Передача"},   {1013, "PT_03", "Прием"},
    {1014, "PT_04", "<< Назад"}, {1016, "PT_05", "Тренировка"},
};

// Competitions menu (page 3). Its caption is the record store's title text,
// refreshed each time the page is shown.
const MenuLink kCompetitionsLinks[] = {
    {1011, PAGE_COMPETITION_OPTIONS}, {1012, 22}, {1257, 16}, {1024, 21}, {1025, 29}, {1014, PAGE_MAIN_MENU},
};
const PageText kCompetitionsTexts[] = {
    {1011, "PX_01", "Прием"},        {1012, "PX_02", "Передача"},    {1024, "PX_03", "Результаты"},
    {1014, "PX_04", "<< Назад"},     {1257, "PX_06", "Организация"}, {1025, "PX_07", "Жеребьевка"},
    {1070, "PX_09", "Соревнования"},
};

// Settings menu (page 6). Esc presses Back, so a disabled Back keeps the page.
const MenuLink kSettingsLinks[] = {
    {1395, PAGE_COLOURS}, {1027, PAGE_SOUND_TEXT}, {1025, PAGE_SOUND}, {1014, PAGE_MAIN_MENU}};
const PageText kSettingsTexts[] = {
    {1395, "POPTM_01", "Оформление"}, {1027, "POPTM_02", "Текст"},     {1025, "POPTM_03", "Звучание"},
    {1014, "POPTM_04", "<< Назад"},   {1070, "POPTM_05", "Настройки"},
};

const MenuPage kMainMenu = Menu(kMainLinks, kMainTexts, kNone, kNone, 1008);
const MenuPage kTrainingMenu = Menu(kTrainingLinks, kTrainingTexts, PAGE_MAIN_MENU, kNone);
const MenuPage kCompetitionsMenu =
    Menu(kCompetitionsLinks, kCompetitionsTexts, PAGE_MAIN_MENU, kNone, kNone, 1004);
const MenuPage kSettingsMenu = Menu(kSettingsLinks, kSettingsTexts, kNone, 1014);

void ShowCaption(HWND page, Application& app, int caption) {
    SendDlgItemMessageA(page, caption, ATL_SETCOLOR, 0, static_cast<LPARAM>(app.GetCaptionColor()));
    SendDlgItemMessageA(page, caption, ATL_SETTEXTTRIM, 0,
                        reinterpret_cast<LPARAM>(app.records.Title().c_str()));
}

BOOL OnCommand(const MenuPage& menu, HWND page, Application& app, int control, int notification) {
    if (control == menu.languageList) {
        if (notification == CBN_SELCHANGE)
            SelectLanguage(app.mainWindow, app, ComboGetSelection(page, control));
        return TRUE;
    }
    for (size_t i = 0; i < menu.linkCount; ++i) {
        const MenuLink& link = menu.links[i];
        if (link.control != control)
            continue;
        if (link.page == kCloseProgram)
            SendMessageA(GetParent(page), WM_CLOSE, 0, 0);
        else
            GoToPage(page, link.page, false);
        return TRUE;
    }
    return FALSE;
}

BOOL OnKey(const MenuPage& menu, HWND page, LPARAM key) {
    if (key == KEY_ENTER)
        return PressFocusedControl();
    if (key != KEY_ESC)
        return FALSE;
    if (menu.escPage != kNone) {
        GoToPage(page, menu.escPage, false);
        return TRUE;
    }
    if (menu.escButton != kNone) {
        ClickControl(page, menu.escButton);
        return TRUE;
    }
    return FALSE;
}

INT_PTR MenuPageProc(const MenuPage& menu, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (Application* app = AttachApplication(page, lParam)) {
            if (menu.languageList != kNone)
                FillLanguageList(page, *app, menu.languageList);
            ColourPagePictures(page, *app);
        }
        return TRUE;
    }
    if (message == WM_DESTROY) {
        ReleasePagePictures(page);
        return FALSE;
    }
    if (IsCommonDrawMessage(message))
        return CommonDrawHandler(page, message, wParam, lParam);
    Application* app = AppFromWindow(page);
    if (!app)
        return FALSE;
    switch (message) {
    case PM_LOAD_TEXTS:
        LoadPageTexts(page, *app, menu.texts, menu.textCount);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam) {
            ColourPagePictures(page, *app);
            if (menu.caption != kNone)
                ShowCaption(page, *app, menu.caption);
        }
        return FALSE;
    case PM_KEY:
        return OnKey(menu, page, lParam);
    case WM_COMMAND:
        return OnCommand(menu, page, *app, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK MainMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return MenuPageProc(kMainMenu, page, message, wParam, lParam);
}

INT_PTR CALLBACK TrainingMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return MenuPageProc(kTrainingMenu, page, message, wParam, lParam);
}

INT_PTR CALLBACK CompetitionsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return MenuPageProc(kCompetitionsMenu, page, message, wParam, lParam);
}

INT_PTR CALLBACK SettingsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return MenuPageProc(kSettingsMenu, page, message, wParam, lParam);
}
