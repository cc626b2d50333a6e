// Display colours page (page 26), interim: it labels its controls and Cancel
// leads back to the settings menu; choosing colours comes with its own work.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"

namespace {

const int kCancel = 1014;

// Groups 1401 to 1406 and swatch labels 1411 to 1428 of the template.
const PageText kTexts[] = {
    {1401, "PNC_11", "Основной индикатор времени"},
    {1411, "PNC_12", "Цвет текста"},
    {1412, "PNC_13", "Цвет фона"},
    {1402, "PNC_14", "Дополнительный индикатор времени"},
    {1413, "PNC_15", "Цвет текста"},
    {1414, "PNC_16", "Цвет фона"},
    {1403, "PNC_17", "Индикатор скорости"},
    {1415, "PNC_18", "Цвет текста"},
    {1416, "PNC_19", "Цвет фона"},
    {1404, "PNC_27", "Индикатор очков"},
    {1417, "PNC_28", "Цвет текста"},
    {1405, "PNC_02", "Параметры отображения текста"},
    {1418, "PNC_03", "Цвет основного текста"},
    {1419, "PNC_04", "Цвет ошибок"},
    {1420, "PNC_08", "Цвет сливаний"},
    {1421, "PNC_05", "Подсветка текста"},
    {1422, "PNC_06", "Подсветка ошибок"},
    {1423, "PNC_09", "Подсветка сливаний"},
    {1424, "PNC_07", "Цвет фона"},
    {1406, "PNC_20", "Другие элементы"},
    {1425, "PNC_21", "Цвет фона окон"},
    {1426, "PNC_22", "Цвет статического текста"},
    {1427, "PNC_23", "Цвет заголовков"},
    {1428, "PNC_24", "Цвет выделенного текста"},
    {kCancel, "PNC_25", "Отмена"},
    {1214, "PNC_26", "Применить"},
};

} // namespace

INT_PTR CALLBACK ColoursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
        if (lParam != KEY_ESC)
            return FALSE;
        ClickControl(page, kCancel);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != kCancel)
            return FALSE;
        GoToPage(page, PAGE_SETTINGS_MENU, false);
        return TRUE;
    }
    return FALSE;
}
