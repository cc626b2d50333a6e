#include "config/win/LanguageWin.h"

#include "app/win/WideText.h"
#include "config/AppConfig.h"
#include "config/Languages.h"

namespace {
const UINT kLoadTexts = 0x8002; // PM_LOAD_TEXTS
}

void SetLangItemText(HWND page, int control, AppConfig& app, const std::string& language, const char* key,
                     const char* builtIn) {
    SetItemLanguageText(page, control, app.LangText(language, key, builtIn));
}

void AddLangComboString(HWND page, int control, AppConfig& app, const std::string& language, const char* key,
                        const char* builtIn) {
    AddComboText(GetDlgItem(page, control), app.LangText(language, key, builtIn));
}

void ChooseFirstStartLanguage(AppConfig& app) {
    ChooseFirstStartLanguage(app, GetUserDefaultUILanguage());
}

void FillLanguageList(HWND page, AppConfig& app, int combo) {
    // Each name in its own language's code page ("Русский" in 1251).
    const std::vector<std::string> names = app.BuildLanguageList();
    for (size_t k = 0; k < names.size(); ++k) {
        const std::wstring name =
            ToWide(names[k], static_cast<unsigned>(LanguageCodePage(app, app.Languages()[k].first)));
        SendDlgItemMessageW(page, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendDlgItemMessageA(page, combo, CB_SETCURSEL, static_cast<WPARAM>(app.SelectedLanguage()), 0);
}

void SelectLanguage(HWND mainWindow, AppConfig& app, int index) {
    if (app.SelectLanguageIndex(index))
        SendMessageW(mainWindow, kLoadTexts, 0, 0);
}
