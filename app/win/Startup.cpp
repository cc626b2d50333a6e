#include "app/win/Startup.h"

#include "controls/win/ControlClasses.h"

HACCEL CreateKlaviroAccelerators() {
    ACCEL keys[5] = {
        {FVIRTKEY, VK_RETURN, 50050}, {FVIRTKEY, VK_ESCAPE, 50051}, {FVIRTKEY, VK_PRIOR, 50052},
        {FVIRTKEY, VK_NEXT, 50053},   {FVIRTKEY, VK_INSERT, 50054},
    };
    return CreateAcceleratorTableA(keys, 5);
}

void RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG msg;
    while (IsWindow(mainWindow)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || !IsWindow(mainWindow))
            break;
        if (got == -1)
            continue;
        if (TranslateAcceleratorA(mainWindow, accelerators, &msg))
            continue;
        if (IsDialogMessageA(mainWindow, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
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
