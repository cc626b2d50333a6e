// The common drawing handler: every page and the main window take their
// background and text colours from the settings, and every owner-drawn push
// button is painted here in one of four looks.
#include "app/ColorMath.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/WideText.h"

namespace {

void DrawCentredWide(HDC dc, const std::wstring& text, const RECT& rect, int dx, int dy, COLORREF colour) {
    RECT r = rect;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

// The one background brush handed out for control colours. Replaced on each
// request, so at most one exists at a time; the system does not take
// ownership of brushes returned from WM_CTLCOLOR*.
HBRUSH controlBrush = nullptr;

COLORREF Scaled(COLORREF colour, double factor) {
    return static_cast<COLORREF>(ScaleColor(static_cast<std::uint32_t>(colour), factor));
}

INT_PTR HandleControlColour(AppConfig& app, UINT message, HDC dc) {
    COLORREF base = static_cast<COLORREF>(app.GetDlgColor());
    COLORREF text = static_cast<COLORREF>(app.GetLabelColor());
    if (controlBrush)
        DeleteObject(controlBrush);
    controlBrush = CreateSolidBrush(base);
    SetTextColor(dc, text);
    if (message == WM_CTLCOLOREDIT)
        return 0; // edit fields keep the system's colours
    SetBkColor(dc, base);
    return reinterpret_cast<INT_PTR>(controlBrush);
}

enum class Look { Normal, Focused, Disabled };

struct ButtonColours {
    COLORREF outerLight, highlight, shadow, darkShadow, focusFill, pressedFill, mark, pressedText,
        disabledFill;
};

ButtonColours MakeButtonColours(COLORREF base, COLORREF text) {
    return {Scaled(base, 1.1), Scaled(base, 2.0), Scaled(base, 0.6), Scaled(base, 0.25), Scaled(base, 1.3),
            Scaled(base, 1.4), Scaled(base, 0.8), Scaled(text, 1.3), Scaled(base, 1.0)};
}

void FillClient(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// The four short vertical marks of the focused looks; when pressed (o = 1)
// each pair falls on one line.
void DrawMarks(HDC dc, int w, int h, int o, COLORREF colour) {
    DrawLine(dc, 4 + o, 4, 4 + o, h - 5, colour, 1);
    DrawLine(dc, 6 - o, 4, 6 - o, h - 5, colour, 1);
    DrawLine(dc, w - 8 + o, 5, w - 8 + o, h - 5, colour, 1);
    DrawLine(dc, w - 6 - o, 5, w - 6 - o, h - 5, colour, 1);
}

void DrawBorder(HDC dc, int w, int h, bool flat, const ButtonColours& c) {
    DrawLine(dc, 1, 1, w - 1, 1, c.outerLight, 1);
    DrawLine(dc, 1, 1, 1, h - 1, c.outerLight, 1);
    COLORREF innerTopLeft = flat ? c.shadow : c.highlight;
    DrawLine(dc, 2, 2, w - 2, 2, innerTopLeft, 1);
    DrawLine(dc, 2, 2, 2, h - 2, innerTopLeft, 1);
    DrawLine(dc, 2, h - 3, w - 2, h - 3, c.shadow, 1);
    DrawLine(dc, w - 3, 2, w - 3, h - 2, c.shadow, 1);
    COLORREF outerBottomRight = flat ? c.outerLight : c.darkShadow;
    DrawLine(dc, 1, h - 2, w - 1, h - 2, outerBottomRight, 1);
    DrawLine(dc, w - 2, 1, w - 2, h - 1, outerBottomRight, 1);
}

INT_PTR PaintButton(HWND window, AppConfig& app, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON)
        return 0;
    COLORREF base = static_cast<COLORREF>(app.GetDlgColor());
    COLORREF textColour = static_cast<COLORREF>(app.GetLabelColor());
    ButtonColours c = MakeButtonColours(base, textColour);

    HWND button = GetDlgItem(window, static_cast<int>(item.CtlID));
    if (!button)
        button = item.hwndItem;
    RECT client;
    GetClientRect(button, &client);
    int w = client.right, h = client.bottom;

    HDC dc = CreateCompatibleDC(item.hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);

    // The caption as the button holds it, in UTF-16.
    const std::wstring text = ReadWindowWide(button);
    LRESULT buttonState = SendMessageA(button, BM_GETSTATE, 0, 0);
    LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);

    UINT state = item.itemState;
    bool pressed = (state & ODS_SELECTED) != 0 || buttonState == BST_CHECKED;
    if (pressed)
        state = ODS_FOCUS;
    Look look = !IsWindowEnabled(button) ? Look::Disabled : state == ODS_FOCUS ? Look::Focused : Look::Normal;

    switch (look) {
    case Look::Normal:
        FillClient(dc, client, c.outerLight);
        DrawCentredWide(dc, text, client, 0, 0, textColour);
        break;
    case Look::Focused: {
        int o = pressed ? 1 : 0;
        FillClient(dc, client, pressed ? c.pressedFill : c.focusFill);
        DrawCentredWide(dc, text, client, o, o, pressed ? c.pressedText : textColour);
        DrawMarks(dc, w, h, o, c.mark);
        break;
    }
    case Look::Disabled:
        FillClient(dc, client, c.disabledFill);
        DrawCentredWide(dc, text, client, 1, 1, RGB(255, 255, 255));
        DrawCentredWide(dc, text, client, 0, 0, RGB(128, 128, 128));
        break;
    }
    bool flat = look == Look::Disabled || pressed || (style & BS_FLAT) != 0;
    DrawBorder(dc, w, h, flat, c);

    // The item rectangle's right and bottom serve as width and height: the
    // item rectangle of a button always starts at its client origin.
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom, dc, 0, 0,
           SRCCOPY);
    if (oldFont)
        SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return TRUE;
}

} // namespace

INT_PTR CommonDrawHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DRAWITEM && (message < WM_CTLCOLOREDIT || message > WM_CTLCOLORSTATIC))
        return 0;
    Application* app = AppFromWindow(window);
    if (!app)
        return 0;
    if (message == WM_DRAWITEM)
        return lParam ? PaintButton(window, *app, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) : 0;
    return HandleControlColour(*app, message, reinterpret_cast<HDC>(wParam));
}
