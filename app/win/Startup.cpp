#include "app/win/Startup.h"

#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "controls/win/ControlClasses.h"

#include <exception>
#include <string>

HACCEL CreateKlaviroAccelerators() {
    ACCEL keys[5] = {
        {FVIRTKEY, VK_RETURN, 50050}, {FVIRTKEY, VK_ESCAPE, 50051}, {FVIRTKEY, VK_PRIOR, 50052},
        {FVIRTKEY, VK_NEXT, 50053},   {FVIRTKEY, VK_INSERT, 50054},
    };
    return CreateAcceleratorTableA(keys, 5);
}

bool EnterStaysInEdit(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) || msg.wParam != VK_RETURN)
        return false;
    HWND focus = GetFocus();
    if (!focus || msg.hwnd != focus)
        return false;
    char cls[16] = "";
    GetClassNameA(focus, cls, sizeof cls);
    const LONG style = GetWindowLongA(focus, GWL_STYLE);
    const LONG wanted = ES_MULTILINE | ES_WANTRETURN;
    return lstrcmpiA(cls, "Edit") == 0 && (style & wanted) == wanted;
}

void RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG msg;
    while (IsWindow(mainWindow)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || !IsWindow(mainWindow))
            break;
        if (got == -1)
            continue;
        // A failure that escaped a window procedure ends only its message.
        try {
            if (!EnterStaysInEdit(msg) && TranslateAcceleratorA(mainWindow, accelerators, &msg))
                continue;
            if (IsDialogMessageA(mainWindow, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } catch (const std::exception& e) {
            ReportPageFailure(mainWindow, e.what());
        }
    }
}

void RegisterControlClasses(HINSTANCE instance) {
    // Results are not checked here: the page templates use these classes,
    // so one that failed to register makes the main window fail to start,
    // which the entry point reports.
    RegisterTextBoxClass(instance);
    RegisterLabelClass(instance);
    RegisterTimerClass(instance);
    RegisterPictureClass(instance);
}

void EndAfterFailure(HWND mainWindow, const char* what) {
    if (mainWindow && IsWindow(mainWindow)) {
        try {
            DestroyWindow(mainWindow);
        } catch (...) {
            // The report below is all that is left to do.
        }
        // The box must not find the quit message of that close in the queue.
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    const std::string text = std::string("Работа программы прервана из-за ошибки:\n") + what;
    ShowMessageBox(nullptr, text.c_str(), nullptr, MB_ICONWARNING | MB_OK);
}
