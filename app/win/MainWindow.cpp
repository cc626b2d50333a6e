#include "app/win/MainWindow.h"

#include "app/Paths.h"
#include "app/win/Application.h"
#include "resources/resource.h"

namespace {

void CloseSequence(HWND window) {
    Application* app = AppFromWindow(window);
    if (app) {
        app->SetString("Default", "Database", app->records.DatabasePath());
        app->Save(ConfigFilePath()); // a failed save is not reported; closing goes on
        delete app;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    PostQuitMessage(0);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
        SendMessageA(window, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_KLAVIRO))));
        Application* app = new Application(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
        app->Load(ConfigFilePath());
        ShowWindow(window, SW_SHOWMAXIMIZED);
        return TRUE;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        CloseSequence(window);
        return TRUE;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 750;
        info->ptMinTrackSize.y = 550;
        return TRUE;
    }
    }
    (void)wParam;
    return FALSE;
}

} // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc, 0);
}
