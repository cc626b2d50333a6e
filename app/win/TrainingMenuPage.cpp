// Training menu (page 2).
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"

namespace {

// 1011 is a hidden button: its page is reached by no click.
const MenuLink kLinks[] = {{1013, PAGE_TRAINING}, {1012, 12}, {1014, PAGE_MAIN_MENU}, {1011, 11}};

const PageText kTexts[] = {
    {1011, "PT_01", "Прием"},    {1012, "PT_02", "Передача"},   {1013, "PT_03", "Прием"},
    {1014, "PT_04", "<< Назад"}, {1016, "PT_05", "Тренировка"},
};

} // namespace

INT_PTR CALLBACK TrainingMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachApplication(page, lParam);
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
        if (lParam == KEY_ENTER)
            return PressFocusedControl();
        if (lParam == KEY_ESC) {
            GoToPage(page, PAGE_MAIN_MENU, false);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND: {
        const int target = MenuTarget(kLinks, LOWORD(wParam));
        if (target < 0)
            return FALSE;
        GoToPage(page, target, false);
        return TRUE;
    }
    }
    return FALSE;
}
