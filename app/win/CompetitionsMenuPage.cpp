// Competitions menu (page 3). Its caption is the record store's title text,
// refreshed each time the page is shown.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "controls/ControlMessages.h"

namespace {

const int kCaption = 1004;

const MenuLink kLinks[] = {
    {1011, PAGE_COMPETITION_OPTIONS}, {1012, 22}, {1257, 16}, {1024, 21}, {1025, 29}, {1014, PAGE_MAIN_MENU},
};

const PageText kTexts[] = {
    {1011, "PX_01", "Прием"},        {1012, "PX_02", "Передача"},    {1024, "PX_03", "Результаты"},
    {1014, "PX_04", "<< Назад"},     {1257, "PX_06", "Организация"}, {1025, "PX_07", "Жеребьевка"},
    {1070, "PX_09", "Соревнования"},
};

void ShowCaption(HWND page, Application& app) {
    SendDlgItemMessageA(page, kCaption, ATL_SETCOLOR, 0, static_cast<LPARAM>(app.GetCaptionColor()));
    SendDlgItemMessageA(page, kCaption, ATL_SETTEXTTRIM, 0,
                        reinterpret_cast<LPARAM>(app.records.Title().c_str()));
}

} // namespace

INT_PTR CALLBACK CompetitionsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_SHOWWINDOW:
        if (wParam)
            ShowCaption(page, *app);
        return FALSE;
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
