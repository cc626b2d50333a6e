#include "app/win/DialogHelpers.h"

#include "app/Anchor.h"
#include "app/win/MessageWindow.h"
#include "app/win/WideText.h"
#include "texts/TrainingSession.h"

#include <commctrl.h>

namespace {

MessageBoxHook messageBoxHook = nullptr;

int ClampInt(int value, int minimum, int maximum) {
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

// Fields show unsigned numbers; a negative value (only possible with a
// negative minimum) is shown with its sign rather than as a huge number.
void ShowInt(HWND dialog, int control, int value) {
    SetDlgItemInt(dialog, control, static_cast<UINT>(value), value < 0);
}

} // namespace

void ShowClampedInt(HWND dialog, int control, int minimum, int maximum, int value) {
    ShowInt(dialog, control, ClampInt(value, minimum, maximum));
}

int ReadBoundedInt(HWND dialog, int control, int minimum, int maximum, int defaultValue) {
    int fallback = ClampInt(defaultValue, minimum, maximum);
    // GetDlgItemInt gives 0 for anything that is not an unsigned number.
    long long read = GetDlgItemInt(dialog, control, nullptr, FALSE);
    int result = (read >= minimum && read <= maximum) ? static_cast<int>(read) : fallback;
    ShowInt(dialog, control, result);
    return result;
}

int ComboGetSelection(HWND dialog, int control) {
    return static_cast<int>(SendDlgItemMessageA(dialog, control, CB_GETCURSEL, 0, 0));
}

void ComboSetSelection(HWND dialog, int control, int index) {
    SendDlgItemMessageA(dialog, control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ComboClear(HWND dialog, int control) {
    SendDlgItemMessageA(dialog, control, CB_RESETCONTENT, 0, 0);
}

void SetSpinRange(HWND dialog, int control, int minimum, int maximum) {
    SendDlgItemMessageA(dialog, control, UDM_SETRANGE32, static_cast<WPARAM>(minimum),
                        static_cast<LPARAM>(maximum));
}

void EnableControl(HWND dialog, int control, BOOL flag) {
    EnableWindow(GetDlgItem(dialog, control), flag ? TRUE : FALSE);
}

HWND FocusControl(HWND dialog, int control) {
    return SetFocus(GetDlgItem(dialog, control));
}

bool ClickControl(HWND dialog, int control) {
    HWND item = GetDlgItem(dialog, control);
    if (!item || !IsWindowEnabled(item))
        return false;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, 0), 0);
    return true;
}

bool ClickWindow(HWND control) {
    if (!control || !IsWindowEnabled(control))
        return false;
    SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), 0), 0);
    return true;
}

void InvalidateChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        InvalidateRect(child, nullptr, TRUE);
}

void AnchorControl(HWND dialog, int control, SIZE oldSize, SIZE newSize, bool left, bool top, bool right,
                   bool bottom, BOOL repaint) {
    HWND item = GetDlgItem(dialog, control);
    if (!item)
        return;
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    AnchorSpan x = AnchorAxis(r.left, r.right, oldSize.cx, newSize.cx, left, right);
    AnchorSpan y = AnchorAxis(r.top, r.bottom, oldSize.cy, newSize.cy, top, bottom);
    MoveWindow(item, x.start, y.start, x.length, y.length, repaint);
}

HBITMAP MakeColorSwatch(HWND window, COLORREF colour, int width, int height) {
    HDC windowDc = GetDC(window);
    HDC dc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, 0, 0, width, height);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldBitmap);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(window, windowDc);
    return bitmap;
}

namespace {
// The language's text drawn through the wide call.
int DrawLanguageText(HDC dc, const char* text, int length, RECT* rect, UINT format) {
    const std::wstring wide = TextToWide(length < 0 ? std::string(text) : std::string(text, length));
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}
} // namespace

int DrawTextSlashedZero(HDC dc, char* text, int length, RECT* rect, UINT format) {
    int result = DrawLanguageText(dc, text, length, rect, format);
    bool anyZero = false;
    // length -1 means NUL-terminated, as for DrawTextA.
    for (int i = 0; length < 0 ? text[i] != '\0' : i < length; ++i) {
        if (text[i] == '0') {
            text[i] = '/';
            anyZero = true;
        } else {
            text[i] = ' ';
        }
    }
    if (!anyZero)
        return result;
    return DrawLanguageText(dc, text, length, rect, format);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawCentredText(HDC dc, const char* text, int length, const RECT* rect, int dx, int dy,
                     COLORREF colour) {
    RECT r = *rect;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, colour);
    DrawLanguageText(dc, text, length, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void ShowWarning(HWND window, const std::string& text) {
    ShowMessageBox(window, text.c_str(), nullptr, MB_ICONWARNING);
}

bool AskYesNo(HWND window, const std::string& text) {
    return ShowMessageBox(window, text.c_str(), nullptr, MB_ICONWARNING | MB_YESNO) == IDYES;
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = messageBoxHook;
    messageBoxHook = hook;
    return previous;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (messageBoxHook)
        return messageBoxHook(owner, text, caption, type);
    return ShowMessageWindow(owner, text, caption, type);
}

int ReadField(HWND page, int control, const NumberField& field) {
    return ReadBoundedInt(page, control, field.minimum, field.maximum, field.defaultValue);
}

void WriteField(HWND page, int control, const NumberField& field, long long value) {
    ShowClampedInt(page, control, field.minimum, field.maximum, LimitFieldValue(field, value));
}

int StepSpinField(HWND page, LPARAM deltaPos, const SpinField* spins, size_t count) {
    const NMUPDOWN& nm = *reinterpret_cast<const NMUPDOWN*>(deltaPos);
    for (size_t k = 0; k < count; ++k) {
        const SpinField& s = spins[k];
        if (static_cast<int>(nm.hdr.idFrom) != s.spin)
            continue;
        WriteField(page, s.field, *s.range,
                   static_cast<long long>(ReadField(page, s.field, *s.range)) + nm.iDelta);
        return s.field;
    }
    return 0;
}
