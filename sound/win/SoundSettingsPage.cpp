// Sound settings page (pages 27 and 28), interim: it labels its controls and
// Cancel leads back to the settings menu; testing and applying come with
// their own work.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"

namespace {

const int kCancel = 1014;
const int kDeviceList = 1403, kRateList = 1405;

const PageText kTexts[] = {
    {1070, "PN_01", "Настройки"},
    {1225, "PN_32", "Параметры звучания"},
    {1226, "PN_33", "Задержка, с"},
    {1036, "PN_34", "Аппаратное ускорение *"},
    {1229, "PN_35", "Частота, Гц"},
    {1232, "PN_36", "Громкость"},
    {1266, "PN_37", "Тест"},
    {1235, "PN_38", "Число отображаемых строк"},
    {1236, "PN_39", "Число групп в строке ( прием )"},
    {1242, "PN_40", "Число символов в строке ( передача )"},
    {kCancel, "PN_41", "Отмена"},
    {1214, "PN_42", "Применить"},
    {1247, "PN_43", "Стоп"},
    {1404, "PN_44", "Звуковая карта"},
    {1406, "PN_46", "Частота дискретизации"},
    {1408, "PN_48", "Дополнительные параметры звука"},
    {1407, "PN_49", "Настройки отображения текста"},
    {1409, "PN_50", "* Не для всех звуковых карт"},
};

void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    ComboClear(page, kDeviceList);
    AddLangComboString(page, kDeviceList, app, language, "PN_45", "Устройство по умолчанию");
    ComboSetSelection(page, kDeviceList, 0);
    ComboClear(page, kRateList);
    AddLangComboString(page, kRateList, app, language, "PN_47", "Частота дискретизации по умолчанию");
    ComboSetSelection(page, kRateList, 0);
}

} // namespace

INT_PTR CALLBACK SoundSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
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
