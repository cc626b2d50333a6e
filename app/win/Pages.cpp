#include "app/win/Pages.h"

#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "config/win/LanguageWin.h"

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
