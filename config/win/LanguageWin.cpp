#include "config/win/LanguageWin.h"

#include "config/AppConfig.h"
#include "config/Languages.h"

namespace {
const UINT kLoadTexts = 0x8002; // PM_LOAD_TEXTS
}

void SetLangItemText(HWND page, int control, AppConfig& app, const std::string& language, const char* key,
                     const char* builtIn) {
    const std::string text = app.LangText(language, key, builtIn);
    SendDlgItemMessageA(page, control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void AddLangComboString(HWND page, int control, AppConfig& app, const std::string& language, const char* key,
                        const char* builtIn) {
    const std::string text = app.LangText(language, key, builtIn);
    SendDlgItemMessageA(page, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ChooseFirstStartLanguage(AppConfig& app) {
    ChooseFirstStartLanguage(app, GetUserDefaultUILanguage());
}

void FillLanguageList(HWND page, AppConfig& app, int combo) {
    for (const std::string& name : app.BuildLanguageList())
        SendDlgItemMessageA(page, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendDlgItemMessageA(page, combo, CB_SETCURSEL, static_cast<WPARAM>(app.SelectedLanguage()), 0);
}

void SelectLanguage(HWND mainWindow, AppConfig& app, int index) {
    if (app.SelectLanguageIndex(index))
        SendMessageA(mainWindow, kLoadTexts, 0, 0);
}
