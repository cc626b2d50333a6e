// Competition reception run page (page 15), interim: it labels its controls
// and Back leads to the options page; the run comes with its own work.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"

namespace {

const int kBack = 1014, kStop = 1247;

const PageText kTexts[] = {
    {1070, "PSI_01", "Соревнования по приему"},
    {kBack, "PSI_02", "<< Назад"},
    {1076, "PSI_03", "Скорость"},
    {1078, "PSI_03", "Скорость"},
    {1281, "PSI_04", "Время текста"},
    {1288, "PSI_04", "Время текста"},
    {1283, "PSI_05", "Пауза"},
    {1072, "PSI_05", "Пауза"},
    {1284, "PSI_06", "Общее время"},
    {1289, "PSI_06", "Общее время"},
    {1174, "PSI_07", "Начать"},
    {kStop, "PSI_08", "Закончить"},
    {1321, "PSI_09", "Режим"},
};

} // namespace

INT_PTR CALLBACK CompetitionRunPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachApplication(page, lParam);
        EnableControl(page, kStop, FALSE); // nothing is sent yet
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
        if (lParam != KEY_ESC)
            return FALSE;
        if (!ClickControl(page, kStop))
            ClickControl(page, kBack);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != kBack)
            return FALSE;
        GoToPage(page, PAGE_COMPETITION_OPTIONS, false);
        return TRUE;
    }
    return FALSE;
}
