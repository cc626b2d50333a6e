#include "app/win/MessageWindow.h"

#include "app/win/WideText.h"
#include "config/TextCatalogue.h"

#include <algorithm>
#include <string>
#include <new>
#include <vector>

namespace {

const CatalogueText kCaption{"MB_01", "Ошибка"}, kOk{"MB_02", "OK"}, kYes{"MB_03", "Да"}, kNo{"MB_04", "Нет"},
    kCancel{"MB_05", "Отмена"};

struct Texts {
    std::string caption = kCaption.builtIn, ok = kOk.builtIn, yes = kYes.builtIn, no = kNo.builtIn,
                cancel = kCancel.builtIn;
} shownTexts;

const int kIcon = 100, kLabel = 101;
// The static control's own wrapping rules, long words broken too, so a long
// path never runs off the screen.
const UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_SETFOREGROUND;

// The template of an empty dialog in the font the system's boxes use; the
// controls are made and placed once the font's size at this scale is known.
#pragma pack(push, 2)
struct BoxTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title, pointSize;
    WCHAR face[13];
};
#pragma pack(pop)

struct Box {
    const char* text;
    const char* caption;
    UINT type;
    HWND owner;
    std::vector<int> buttons;
    RECT textRect; // in the label, as measured
};

std::vector<int> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    default:
        return {IDOK};
    }
}

const std::string& ButtonText(int id) {
    switch (id) {
    case IDYES:
        return shownTexts.yes;
    case IDNO:
        return shownTexts.no;
    case IDCANCEL:
        return shownTexts.cancel;
    default:
        return shownTexts.ok;
    }
}

LPCSTR IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONWARNING:
        return IDI_WARNING;
    case MB_ICONERROR:
        return IDI_ERROR;
    case MB_ICONINFORMATION:
        return IDI_INFORMATION;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    default:
        return nullptr;
    }
}

std::wstring BoxText(const char* text) {
    return MixedTextToWide(text);
}

HWND Child(HWND box, const wchar_t* cls, const std::wstring& text, DWORD style, int id, int x, int y, int w,
           int h, HFONT font) {
    HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                 nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// Every size follows the dialog font's height and average width, so the box
// grows with the display scale as the text does.
void LayOut(HWND box, Box& b) {
    SetWindowTextW(box, TextToWide(b.caption).c_str());
    const std::wstring shown = BoxText(b.text);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int unit = std::max<int>(tm.tmAveCharWidth, 1), line = std::max<int>(tm.tmHeight, 1);
    const int margin = line;
    // Room for ink beyond the first and last characters' advances (two or
    // three pixels at 96 DPI under Wine).
    const int pad = unit;
    const LPCSTR iconName = IconOf(b.type);
    HICON icon = iconName ? LoadIconA(nullptr, iconName) : nullptr;
    const int iconSize = icon ? GetSystemMetrics(SM_CXICON) : 0;
    const int beforeText = icon ? iconSize + margin : 0;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(b.owner ? b.owner : box, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    const int widest =
        std::max<int>((work.right - work.left) * 3 / 4 - 2 * margin - beforeText - 2 * pad, 20 * unit);
    RECT text{0, 0, widest, 0};
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text, kTextFormat | DT_CALCRECT);
    int buttonWidth = 12 * unit;
    for (int id : b.buttons) {
        SIZE size{};
        const std::wstring caption = TextToWide(ButtonText(id));
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        buttonWidth = std::max<int>(buttonWidth, size.cx + 4 * unit);
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);

    b.textRect = {pad, pad, pad + text.right, pad + text.bottom};
    const int labelWidth = text.right + 2 * pad, labelHeight = text.bottom + 2 * pad;
    const int buttons = static_cast<int>(b.buttons.size());
    const int buttonHeight = line * 7 / 4, gap = unit;
    const int rowWidth = buttons * buttonWidth + (buttons - 1) * gap;
    const int topHeight = std::max(iconSize, labelHeight);
    const int clientWidth = 2 * margin + std::max(beforeText + labelWidth, rowWidth);
    const int clientHeight = 3 * margin + topHeight + buttonHeight;

    if (icon) {
        HWND shown = Child(box, L"STATIC", L"", SS_ICON, kIcon, margin, margin + (topHeight - iconSize) / 2,
                           iconSize, iconSize, font);
        SendMessageA(shown, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    Child(box, L"STATIC", shown, SS_OWNERDRAW, kLabel, margin + beforeText,
          margin + (topHeight - labelHeight) / 2, labelWidth, labelHeight, font);
    int x = (clientWidth - rowWidth) / 2;
    for (int k = 0; k < buttons; ++k, x += buttonWidth + gap) {
        HWND button = Child(box, L"BUTTON", TextToWide(ButtonText(b.buttons[k])),
                            WS_TABSTOP | (k == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON), b.buttons[k],
                            x, 2 * margin + topHeight, buttonWidth, buttonHeight, font);
        if (k == 0)
            SetFocus(button);
    }
    SendMessageA(box, DM_SETDEFID, static_cast<WPARAM>(b.buttons.front()), 0);

    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(box, GWL_EXSTYLE)));
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(box, nullptr, std::max<int>(work.left, (work.left + work.right - width) / 2),
                 std::max<int>(work.top, (work.top + work.bottom - height) / 2), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawLabel(const Box& b, const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old =
        SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    // The measured width, so the lines break where they were measured; the
    // ink beyond the last advance falls on the label's margin, not clipped.
    RECT r = b.textRect;
    const std::wstring text = BoxText(b.text);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_NOCLIP);
    SelectObject(item.hDC, old);
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        LayOut(box, *reinterpret_cast<Box*>(lParam));
        return FALSE; // the first button has the focus
    }
    const Box* b = reinterpret_cast<const Box*>(GetWindowLongPtrA(box, DWLP_USER));
    if (!b)
        return FALSE;
    switch (message) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != kLabel)
            return FALSE;
        DrawLabel(*b, *item);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // Esc and the close box answer as the last button does.
        if (std::find(b->buttons.begin(), b->buttons.end(), id) != b->buttons.end())
            EndDialog(box, id);
        else if (id == IDCANCEL)
            EndDialog(box, b->buttons.back());
        return TRUE;
    }
    }
    return FALSE;
}

} // namespace

void LoadMessageWindowTexts(AppConfig& app) {
    shownTexts = {Lang(app, kCaption), Lang(app, kOk), Lang(app, kYes), Lang(app, kNo), Lang(app, kCancel)};
}

int ShowMessageWindow(HWND owner, const char* text, const char* caption, UINT type) {
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    try {
        Box b{text ? text : "",
              caption ? caption : shownTexts.caption.c_str(),
              type,
              root,
              ButtonsOf(type),
              {}};
        alignas(4) BoxTemplate box{};
        box.dialog.style = kStyle;
        box.dialog.cx = 200;
        box.dialog.cy = 100;
        box.pointSize = 8;
        const wchar_t face[] = L"MS Shell Dlg";
        std::copy(face, face + 13, box.face);
        const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &box.dialog, root, BoxProc,
                                                       reinterpret_cast<LPARAM>(&b));
        if (answer > 0)
            return static_cast<int>(answer);
    } catch (const std::bad_alloc&) {
        // Out of memory, as when the program ends after such a failure: the
        // system's box still says why.
    }
    return MessageBoxW(owner, BoxText(text ? text : "").c_str(),
                       caption ? TextToWide(caption).c_str() : nullptr, type);
}
