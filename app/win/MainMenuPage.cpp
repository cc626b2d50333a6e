// Main menu (page 0): the way to every screen, the exit button and the
// language list.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"

namespace {

const int kExit = 1007;
const int kLanguageList = 1008;

const MenuLink kLinks[] = {
    {1002, 1},
    {1003, PAGE_TRAINING_MENU},
    {1004, PAGE_COMPETITIONS_MENU},
    {1010, PAGE_TEXT_GENERATOR},
    {1025, 5},
    {1005, PAGE_SETTINGS_MENU},
    {1006, 7},
};

// The label "Language" (1009) and the list keep their texts in every language.
const PageText kTexts[] = {
    {1002, "PS_01", "Обучение"},       {1003, "PS_02", "Тренировка"},     {1004, "PS_03", "Соревнования"},
    {1005, "PS_04", "Настройки"},      {1006, "PS_05", "О программе..."}, {kExit, "PS_06", "Выход"},
    {1010, "PS_07", "Печать текстов"}, {1025, "PS_08", "Проигрыватель"},
};

BOOL OnCommand(HWND page, Application& app, int control, int notification) {
    if (control == kLanguageList) {
        if (notification == CBN_SELCHANGE)
            SelectLanguage(app.mainWindow, app, ComboGetSelection(page, kLanguageList));
        return TRUE;
    }
    if (control == kExit) {
        SendMessageA(GetParent(page), WM_CLOSE, 0, 0);
        return TRUE;
    }
    const int target = MenuTarget(kLinks, control);
    if (target < 0)
        return FALSE;
    GoToPage(page, target, false);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK MainMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (Application* app = AttachApplication(page, lParam))
            FillLanguageList(page, *app, kLanguageList);
        return TRUE;
    }
    if (IsCommonDrawMessage(message))
        return CommonDrawHandler(page, message, wParam, lParam);
    Application* app = AppFromWindow(page);
    if (!app)
        return FALSE;
    switch (message) {
    case PM_LOAD_TEXTS:
        LoadPageTexts(page, *app, kTexts);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case PM_KEY:
        return lParam == KEY_ENTER ? PressFocusedControl() : FALSE;
    case WM_COMMAND:
        return OnCommand(page, *app, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
