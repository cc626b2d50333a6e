// The about page: thirteen instances stand for every screen that is not part
// of this program. It shows pictures only; its three links open addresses
// fixed by the build (empty by default, and an empty link does nothing).
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PagePictures.h"
#include "app/win/PageSkeleton.h"
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

void OnInit(HWND page, Application& app) {
    ColourPagePictures(page, app);
    SetDlgItemTextA(page, kMailField1, kMail1);
    SetDlgItemTextA(page, kMailField2, kMail2);
    MakeLink(page, kWebLink);
    MakeLink(page, kMailLink1);
    MakeLink(page, kMailLink2);
}

void BackToMenu(HWND page, Application&, int) {
    GoToPage(page, PAGE_MAIN_MENU, false);
}

void OpenWeb(HWND, Application&) {
    OpenLink(kWeb);
}
void OpenMail1(HWND, Application&) {
    OpenLink(MailLink(kMail1));
}
void OpenMail2(HWND, Application&) {
    OpenLink(MailLink(kMail2));
}

const PageKey kKeys[] = {
    {KEY_ENTER, {}, BackToMenu},
    {KEY_ESC, {}, BackToMenu},
};

// A link opens on a single click only: a double click opens it once.
const PageCommand kCommands[] = {
    {kOk, nullptr, PAGE_MAIN_MENU},
    {kWebLink, OpenWeb, kNoPage, STN_CLICKED},
    {kMailLink1, OpenMail1, kNoPage, STN_CLICKED},
    {kMailLink2, OpenMail2, kNoPage, STN_CLICKED},
};

// The page shows no language texts.
const PageDescription kPage = DescribePage(kKeys, kCommands, PageInit{OnInit}, PageShow{ColourPagePictures},
                                    PageDestroy{ReleasePagePictures});

} // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
