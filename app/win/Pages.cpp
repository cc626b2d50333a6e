#include "app/win/Pages.h"

#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "config/win/LanguageWin.h"
#include "config/TextCatalogue.h"

void GoToPage(HWND page, int index, bool post) {
    Application* app = AppFromWindow(page);
    if (!app)
        return;
    if (post)
        PostMessageA(app->mainWindow, PM_SHOW_PAGE, 0, index);
    else
        SendMessageA(app->mainWindow, PM_SHOW_PAGE, 0, index);
}

void LoadPageTexts(HWND page, Application& app, const PageText* texts, size_t count) {
    const std::string language = app.CurrentLanguage();
    for (size_t i = 0; i < count; ++i)
        SetLangItemText(page, texts[i].control, app, language, texts[i].key, texts[i].builtIn);
}

namespace {
const CatalogueText kPageFailure{"PageFail", "Действие прервано из-за ошибки, программа продолжает работу:"};
} // namespace

void ReportPageFailure(HWND page, const char* what) {
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    const char* builtIn = kPageFailure.builtIn;
    std::string text = builtIn;
    try {
        if (Application* app = AppFromWindow(page))
            text = Lang(*app, kPageFailure);
        text += std::string("\n") + what;
    } catch (...) {
        text = builtIn; // no memory for more: the built-in text alone
    }
    try {
        ShowWarning(page, text);
    } catch (...) {
        // Nothing more can be said; the page goes on all the same.
    }
    reporting = false;
}

Application* AttachApplication(HWND page, LPARAM creationParameter) {
    SetWindowLongPtrA(page, GWLP_USERDATA, creationParameter);
    return reinterpret_cast<Application*>(creationParameter);
}

bool IsCommonDrawMessage(UINT message) {
    return message == WM_DRAWITEM || (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC);
}

BOOL PressFocusedControl() {
    HWND focus = GetFocus();
    if (!focus)
        return FALSE;
    ClickWindow(focus);
    return TRUE;
}
