// Settings menu (page 6).
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"

namespace {

const int kBack = 1014;

const MenuLink kLinks[] = {
    {1395, PAGE_COLOURS}, {1027, PAGE_SOUND_TEXT}, {1025, PAGE_SOUND}, {kBack, PAGE_MAIN_MENU}};

const PageText kTexts[] = {
    {1395, "POPTM_01", "Оформление"}, {1027, "POPTM_02", "Текст"},     {1025, "POPTM_03", "Звучание"},
    {kBack, "POPTM_04", "<< Назад"},  {1070, "POPTM_05", "Настройки"},
};

} // namespace

INT_PTR CALLBACK SettingsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
            ClickControl(page, kBack); // a disabled Back makes Esc do nothing
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
