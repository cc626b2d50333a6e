#include "app/win/Startup.h"

#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "controls/win/ControlClasses.h"
#include "transmission/win/TimingChart.h"

#include <exception>
#include <string>

namespace {

bool IsClass(HWND window, const char* name) {
    char found[32] = "";
    return window && GetClassNameA(window, found, sizeof found) && lstrcmpiA(found, name) == 0;
}

// Whether the focus is in a combo box whose list is dropped: the combo box
// itself, or the edit of one that can be typed into.
bool InDroppedList(HWND focus) {
    for (HWND w : {focus, focus ? GetParent(focus) : nullptr})
        if (IsClass(w, "ComboBox") && SendMessageA(w, CB_GETDROPPEDSTATE, 0, 0))
            return true;
    return false;
}

bool IsControlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}

// Keys the control with the focus keeps from the accelerators: Enter and Esc
// while a combo box's list is dropped (they close the list and do nothing
// else), and Enter in a multi-line edit that wants it (a new line).
bool ControlTakesKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE))
        return false;
    if (InDroppedList(msg.hwnd))
        return true;
    const LONG style = GetWindowLongA(msg.hwnd, GWL_STYLE);
    return msg.wParam == VK_RETURN && !IsControlDown() && IsClass(msg.hwnd, "Edit") &&
           (style & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN);
}

// Ctrl+A in any edit field selects all its text.
bool SelectAllOnCtrlA(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != 'A' || !IsControlDown() || GetKeyState(VK_MENU) < 0 ||
        !IsClass(msg.hwnd, "Edit"))
        return false;
    SendMessageA(msg.hwnd, EM_SETSEL, 0, -1);
    return true;
}

} // namespace

HACCEL CreateKlaviroAccelerators() {
    ACCEL keys[6] = {
        {FVIRTKEY, VK_RETURN, 50050}, {FVIRTKEY, VK_ESCAPE, 50051}, {FVIRTKEY, VK_PRIOR, 50052},
        {FVIRTKEY, VK_NEXT, 50053},   {FVIRTKEY, VK_INSERT, 50054}, {FVIRTKEY | FCONTROL, VK_RETURN, 50050},
    };
    return CreateAcceleratorTableA(keys, 6);
}

// The wide calls throughout, so that a character typed into a page arrives
// as UTF-16, not narrowed to the system's code page.
void RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG msg;
    while (IsWindow(mainWindow)) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || !IsWindow(mainWindow))
            break;
        if (got == -1)
            continue;
        // A failure that escaped a window procedure ends only its message.
        try {
            if (SelectAllOnCtrlA(msg))
                continue;
            if (!ControlTakesKey(msg) && TranslateAcceleratorW(mainWindow, accelerators, &msg))
                continue;
            if (IsDialogMessageW(mainWindow, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
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
    RegisterTimingChartClass(instance);
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
