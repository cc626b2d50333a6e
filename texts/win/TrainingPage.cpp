// Training reception page (page 13), interim: it labels its controls and
// leads back to the training menu; playing texts comes with its own work.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"

namespace {

const int kBack = 1014, kFinish = 1064, kStop = 1247;
const int kTypeList = 1036, kLengthList = 1037;

const PageText kTexts[] = {
    {1070, "PTI_01", "Тренировка по приему"},
    {kBack, "PTI_02", "<< Назад"},
    {1167, "PTI_03", "Номер текста"},
    {1034, "PTI_04", "Число групп"},
    {1061, "PTI_05", "Первый текст"},
    {1051, "PTI_06", "Шаг скорости"},
    {1032, "PTI_11", "Обновить"},
    {1063, "PTI_12", "Начать"},
    {kFinish, "PTI_13", "Закончить"},
    {1185, "PTI_14", "Предыдущий"},
    {kStop, "PTI_15", "Стоп"},
    {1174, "PTI_16", "Старт"},
    {1038, "PTI_20", "Тип текста"},
    {1039, "PTI_26", "Длина"},
    {1044, "PTI_29", "Скорость"},
    {1066, "PTI_30", "Повторить"},
};

void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    ComboClear(page, kTypeList);
    AddLangComboString(page, kTypeList, app, language, "PTI_17", "Буквы");
    AddLangComboString(page, kTypeList, app, language, "PTI_18", "Цифры");
    AddLangComboString(page, kTypeList, app, language, "PTI_19", "Смешанный");
    ComboSetSelection(page, kTypeList, 0);
    ComboClear(page, kLengthList);
    AddLangComboString(page, kLengthList, app, language, "PTI_27", "Фиксированная");
    AddLangComboString(page, kLengthList, app, language, "PTI_28", "Стандартная");
    ComboSetSelection(page, kLengthList, 1);
}

} // namespace

INT_PTR CALLBACK TrainingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachApplication(page, lParam);
        for (int control : {kFinish, 1185, kStop, 1066, 1174}) // no series yet
            EnableControl(page, control, FALSE);
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
        if (!ClickControl(page, kStop) && !ClickControl(page, kFinish))
            ClickControl(page, kBack);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != kBack)
            return FALSE;
        GoToPage(page, PAGE_TRAINING_MENU, false);
        return TRUE;
    }
    return FALSE;
}
