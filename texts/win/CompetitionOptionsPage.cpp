// Competition reception options page (page 14), interim: it labels its
// controls, fills its lists and Back leads to the competitions menu; the
// control-text file and Next come with their own work.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"

#include <string>

namespace {

const int kBack = 1014;
const int kKindList = 1036, kSpeedList = 1043, kIntervalList = 1072;

const PageText kTexts[] = {
    {1070, "PSIO_01", "Соревнования по приему"},
    {kBack, "PSIO_02", "<< Назад"},
    {1067, "PSIO_03", "Далее >>"},
    {1039, "PSIO_04", "Тип текста"},
    {1044, "PSIO_08", "Начальная скорость, з/м"},
    {1071, "PSIO_09", "Интервал, с"},
    {1073, "PSIO_11", "Файл с контрольными текстами"},
};

void FillNumbers(HWND page, int list, int first, int last, int step, int selected) {
    ComboClear(page, list);
    for (int n = first; n <= last; n += step)
        SendDlgItemMessageA(page, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(n).c_str()));
    ComboSetSelection(page, list, selected);
}

void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    ComboClear(page, kKindList);
    AddLangComboString(page, kKindList, app, language, "PSIO_05", "Буквы");
    AddLangComboString(page, kKindList, app, language, "PSIO_06", "Цифры");
    AddLangComboString(page, kKindList, app, language, "PSIO_07", "Смешанный");
    ComboSetSelection(page, kKindList, 0);
    FillNumbers(page, kSpeedList, 10, 1000, 10, 9);
    FillNumbers(page, kIntervalList, 0, 600, 10, 6);
}

} // namespace

INT_PTR CALLBACK CompetitionOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
        LoadTexts(page, *app);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case PM_KEY:
        if ((lParam & 0xFF) != KEY_ESC)
            return FALSE;
        ClickControl(page, kBack);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != kBack)
            return FALSE;
        GoToPage(page, PAGE_COMPETITIONS_MENU, false);
        return TRUE;
    }
    return FALSE;
}
