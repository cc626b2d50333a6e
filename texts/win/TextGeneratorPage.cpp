// Text generator page (page 4), interim: it labels its controls, fills its
// lists and Back leads to the main menu; generating and saving texts come
// with their own work.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"

namespace {

const int kBack = 1014;
const int kKindList = 1036, kSeriesList = 1037;

const PageText kTexts[] = {
    {1038, "PP_01", "Номер текста"}, {1039, "PP_02", "Тип текста"},    {1040, "PP_03", "Вид"},
    {1032, "PP_04", "Обновить"},     {1028, "PP_05", "Сохранить"},     {kBack, "PP_06", "<< Назад"},
    {1041, "PP_07", "Длинна"},       {1070, "PP_13", "Печать текста"}, {1057, "PP_14", "Количество"},
    {1010, "PP_15", "Печать"},
};

void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    ComboClear(page, kKindList);
    AddLangComboString(page, kKindList, app, language, "PP_08", "Буквы");
    AddLangComboString(page, kKindList, app, language, "PP_09", "Цифры");
    AddLangComboString(page, kKindList, app, language, "PP_10", "Смешанный");
    ComboSetSelection(page, kKindList, 0);
    ComboClear(page, kSeriesList);
    AddLangComboString(page, kSeriesList, app, language, "PP_11", "Тренировка");
    AddLangComboString(page, kSeriesList, app, language, "PP_12", "Соревнования");
    ComboSetSelection(page, kSeriesList, 0);
}

} // namespace

INT_PTR CALLBACK TextGeneratorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
        if (lParam != KEY_ESC)
            return FALSE;
        ClickControl(page, kBack);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != kBack)
            return FALSE;
        GoToPage(page, PAGE_MAIN_MENU, false);
        return TRUE;
    }
    return FALSE;
}
