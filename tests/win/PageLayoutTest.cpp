// Every page laid out at the display scale the test runs under (the e2e run
// repeats this at 96, 144 and 192 DPI): each control inside its page,
// none overlapping another, no text cut, and the pictures scaled with the
// display so that they fill their frames as at 96 DPI.
#include "ShellTestSupport.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace shelltest;

namespace {

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

LONG StyleOf(HWND w) {
    return GetWindowLongA(w, GWL_STYLE);
}

bool IsFrame(HWND w) {
    const std::string cls = ClassOf(w);
    const LONG style = StyleOf(w);
    if (lstrcmpiA(cls.c_str(), "Button") == 0)
        return (style & BS_TYPEMASK) == BS_GROUPBOX;
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_ETCHEDFRAME || type == SS_BLACKFRAME || type == SS_GRAYFRAME ||
               type == SS_WHITEFRAME || type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT;
    }
    return false;
}

bool IsPicture(HWND w) {
    return lstrcmpiA(ClassOf(w).c_str(), "Static") == 0 && (StyleOf(w) & SS_TYPEMASK) == SS_BITMAP;
}

// Controls that show a plain caption in the page's font.
bool HasPlainCaption(HWND w) {
    const std::string cls = ClassOf(w);
    const LONG style = StyleOf(w);
    if (lstrcmpiA(cls.c_str(), "Button") == 0)
        return (style & BS_TYPEMASK) != BS_GROUPBOX;
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP;
    }
    return false;
}

RECT RectInParent(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(int page, HWND w) {
    const RECT r = RectInParent(w);
    char buf[200];
    std::snprintf(buf, sizeof buf, "page %d control %d (%s \"%s\") at %ld,%ld-%ld,%ld", page, GetDlgCtrlID(w),
                  ClassOf(w).c_str(), WindowText(w).c_str(), r.left, r.top, r.right, r.bottom);
    return buf;
}

// The width and height the caption needs in the control's own font.
SIZE CaptionExtent(HWND w, bool wrap, int width) {
    HDC dc = GetDC(w);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    const std::string text = WindowText(w);
    RECT r{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    if (old)
        SelectObject(dc, old);
    ReleaseDC(w, dc);
    return {r.right - r.left, r.bottom - r.top};
}

bool IsBuddyPair(HWND a, HWND b) {
    auto buddyOf = [](HWND updown) {
        return lstrcmpiA(ClassOf(updown).c_str(), UPDOWN_CLASSA) == 0
                   ? reinterpret_cast<HWND>(SendMessageA(updown, UDM_GETBUDDY, 0, 0))
                   : nullptr;
    };
    return buddyOf(a) == b || buddyOf(b) == a;
}

TEST_F(MainWindowTest, EveryPageFitsItsControlsAtTheDisplayScale) {
    Start();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    std::printf("display scale: %d DPI\n", dpi);

    for (int index = 0; index < app->pageCount; ++index) {
        ShowPage(index);
        HWND page = Page(index);
        RECT client;
        GetClientRect(page, &client);
        std::vector<HWND> controls;
        for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (IsWindowVisible(w))
                controls.push_back(w);

        for (size_t i = 0; i < controls.size(); ++i) {
            HWND w = controls[i];
            const RECT r = RectInParent(w);
            EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << Describe(index, w) << " lies outside its page " << client.right << "x" << client.bottom;

            for (size_t j = i + 1; j < controls.size(); ++j) {
                HWND o = controls[j];
                // The menu and about designs lay their banners over their
                // drawings.
                if (IsFrame(w) || IsFrame(o) || IsBuddyPair(w, o) || (IsPicture(w) && IsPicture(o)))
                    continue;
                RECT both;
                const RECT ro = RectInParent(o);
                // A control's position and size are rounded from dialog
                // units separately, so neighbours may share one pixel.
                const bool overlap =
                    IntersectRect(&both, &r, &ro) && both.right - both.left > 1 && both.bottom - both.top > 1;
                EXPECT_FALSE(overlap) << Describe(index, w) << " overlaps " << Describe(index, o);
            }

            RECT inside;
            GetClientRect(w, &inside);
            if (HasPlainCaption(w) && !WindowText(w).empty()) {
                const bool isStatic = lstrcmpiA(ClassOf(w).c_str(), "Static") == 0;
                const bool wraps = isStatic && (StyleOf(w) & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
                // Buttons draw a frame around their caption; check boxes and
                // radio buttons a box beside it.
                const LONG type = StyleOf(w) & BS_TYPEMASK;
                const bool boxed =
                    !isStatic && !(StyleOf(w) & BS_PUSHLIKE) &&
                    (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE);
                const int reserve = isStatic ? 0
                                    : boxed  ? MulDiv(16, dpi, 96)
                                             : 2 * GetSystemMetrics(SM_CXEDGE);
                const SIZE need = CaptionExtent(w, wraps, inside.right - reserve);
                EXPECT_LE(need.cx, inside.right - reserve) << Describe(index, w) << ": caption cut";
                EXPECT_LE(need.cy, inside.bottom) << Describe(index, w) << ": caption cut";
            }

            if (IsPicture(w)) {
                HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(w, STM_GETIMAGE, IMAGE_BITMAP, 0));
                ASSERT_NE(bitmap, nullptr) << Describe(index, w);
                BITMAP bm{};
                GetObjectA(bitmap, sizeof bm, &bm);
                // At 96 DPI every picture is as wide as its frame (its
                // drawing sits in a card cut to the frame's height); the
                // picture must scale with the display to stay so.
                const double share = double(bm.bmWidth) / inside.right;
                EXPECT_NEAR(share, 1.0, 0.05)
                    << Describe(index, w) << ": picture " << bm.bmWidth << "x" << bm.bmHeight
                    << " in a frame " << inside.right << "x" << inside.bottom;
            }
        }
    }
}

} // namespace
