// The about page: thirteen instances stand for every screen that is not part
// of this program. It shows pictures only; its three links open addresses
// fixed by the build (empty by default, and an empty link does nothing).
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PagePictures.h"
#include "app/win/Pages.h"
#include "resources/resource.h"

#include <shellapi.h>

#ifndef KLAVIRO_ABOUT_WEB
#define KLAVIRO_ABOUT_WEB ""
#endif
#ifndef KLAVIRO_ABOUT_MAIL1
#define KLAVIRO_ABOUT_MAIL1 ""
#endif
#ifndef KLAVIRO_ABOUT_MAIL2
#define KLAVIRO_ABOUT_MAIL2 ""
#endif

namespace {

const int kOk = 1014;
const int kWebLink = 1322;
const int kMailLink1 = 1324;
const int kMailLink2 = 1323;
const int kMailField1 = 1271;
const int kMailField2 = 1272;

const char* const kWeb = KLAVIRO_ABOUT_WEB;
const char* const kMail1 = KLAVIRO_ABOUT_MAIL1;
const char* const kMail2 = KLAVIRO_ABOUT_MAIL2;

void OpenLink(const std::string& link) {
    if (link.empty())
        return;
    // Nothing is reported when no program handles the link.
    ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string MailLink(const char* address) {
    return *address ? std::string("mailto:") + address : std::string();
}

// The hand cursor is given to the three link controls only: changing the
// static class's cursor would give it to every static text of the program.
LRESULT CALLBACK LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(control, "KlaviroLinkProc"));
    if (message == WM_SETCURSOR) {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE));
        if (HCURSOR hand = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_LINK_HAND))) {
            SetCursor(hand);
            return TRUE;
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(control, "KlaviroLinkProc");
    }
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

void MakeLink(HWND page, int control) {
    HWND link = GetDlgItem(page, control);
    if (!link)
        return;
    LONG_PTR previous = SetWindowLongPtrA(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkProc));
    SetPropA(link, "KlaviroLinkProc", reinterpret_cast<HANDLE>(previous));
}

BOOL OnCommand(HWND page, int control, int notification) {
    if (control == kOk) {
        GoToPage(page, PAGE_MAIN_MENU, false);
        return TRUE;
    }
    if (notification != STN_CLICKED) // a double click opens a link once
        return control == kWebLink || control == kMailLink1 || control == kMailLink2;
    switch (control) {
    case kWebLink:
        OpenLink(kWeb);
        return TRUE;
    case kMailLink1:
        OpenLink(MailLink(kMail1));
        return TRUE;
    case kMailLink2:
        OpenLink(MailLink(kMail2));
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (Application* app = AttachApplication(page, lParam))
            ColourPagePictures(page, *app);
        SetDlgItemTextA(page, kMailField1, kMail1);
        SetDlgItemTextA(page, kMailField2, kMail2);
        MakeLink(page, kWebLink);
        MakeLink(page, kMailLink1);
        MakeLink(page, kMailLink2);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        ReleasePagePictures(page);
        return FALSE;
    }
    if (IsCommonDrawMessage(message))
        return CommonDrawHandler(page, message, wParam, lParam);
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam)
            if (Application* app = AppFromWindow(page))
                ColourPagePictures(page, *app);
        return FALSE;
    case PM_LOAD_TEXTS: // the page shows no language texts
    case PM_CLOSING:
        return TRUE;
    case PM_KEY:
        if (lParam == KEY_ENTER || lParam == KEY_ESC) {
            GoToPage(page, PAGE_MAIN_MENU, false);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
