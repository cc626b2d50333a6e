// ATextLWnd: a transparent one-line caption in bold Arial that grows to fill
// its rectangle, drawn over the parent's own background.
#include "app/win/DialogHelpers.h"
#include "app/win/WideText.h"
#include "controls/ControlMessages.h"
#include "controls/LabelTimerRules.h"
#include "controls/win/ControlClass.h"
#include "controls/win/ControlClasses.h"
#include "controls/win/DisplayControls.h"

#include <string>

namespace {

struct LabelRecord {
    COLORREF colour = RGB(0, 0, 255);
    LOGFONTA font = BoldControlFont("Arial");
    std::string text;
    bool trimmed = false;
};

SIZE MeasureText(HDC dc, const LOGFONTA& font, const std::string& text) {
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    SIZE size{0, 0};
    const std::wstring wide = MixedTextToWide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    DeleteObject(handle);
    return size;
}

// One drawing of the whole text, centred in the client rectangle moved by
// (dx, dy). A lone character goes through the slashed-zero drawing so that a
// single digit zero is told apart from the letter O.
void DrawOnce(HDC dc, const std::string& text, const RECT& client, int dx, int dy, COLORREF colour) {
    RECT r = client;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, colour);
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (text.size() == 1) {
        char work[2] = {text[0], '\0'};
        DrawTextSlashedZero(dc, work, 1, &r, format);
    } else {
        const std::wstring wide = MixedTextToWide(text);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, format);
    }
}

void Paint(HWND window, LabelRecord& record, HDC target, const RECT& update) {
    const OffscreenCanvas canvas(window, target);
    const RECT& client = canvas.client();
    const int w = client.right, h = client.bottom;
    HDC dc = canvas.dc();

    // The parent paints its background into the bitmap, in its own
    // coordinates so that a patterned background lines up.
    HWND parent = GetParent(window);
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetWindowOrgEx(dc, 0, 0, nullptr);

    HFONT font = nullptr;
    HGDIOBJ oldFont = nullptr;
    if (!record.text.empty()) {
        record.font.lfHeight = LabelStartHeight(h);
        record.font.lfQuality = DEFAULT_QUALITY;
        SIZE extent = MeasureText(dc, record.font, record.text);
        record.font.lfHeight = LabelFittedHeight(w, h, extent.cx, extent.cy);
        bool relief = LabelInRelief(record.font.lfHeight);
        if (!relief)
            record.font.lfQuality = ANTIALIASED_QUALITY;
        font = CreateFontIndirectA(&record.font);
        oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        if (relief) {
            const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
            DrawOnce(dc, record.text, client, -1, 0, white);
            DrawOnce(dc, record.text, client, 0, -1, white);
            DrawOnce(dc, record.text, client, -1, -1, white);
            DrawOnce(dc, record.text, client, 0, 1, black);
            DrawOnce(dc, record.text, client, 1, 0, black);
            DrawOnce(dc, record.text, client, 1, 1, black);
        }
        DrawOnce(dc, record.text, client, 0, 0, record.colour);
    }

    canvas.Show(update);
    if (oldFont)
        SelectObject(dc, oldFont);
    if (font)
        DeleteObject(font);
}

// The label is transparent: the parent must repaint the background behind it.
void InvalidateInParent(HWND window) {
    HWND parent = GetParent(window);
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(parent, &r, TRUE);
    InvalidateRect(window, nullptr, FALSE);
}

bool HandleMessage(HWND window, LabelRecord& record, UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    switch (message) {
    case WM_SETTEXT: {
        // Kept in the language's code page, as the trimmed text is.
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
        std::wstring wide;
        for (size_t i = 0; text && i < 1023 && text[i] != L'\0'; ++i)
            wide += text[i];
        record.text = WideToText(wide);
        record.trimmed = false;
        break;
    }
    case ATL_SETCOLOR:
        record.colour = static_cast<COLORREF>(lParam);
        break;
    case ATL_SETTEXTTRIM:
        record.text = TrimLabelText(reinterpret_cast<const char*>(lParam));
        record.trimmed = true;
        break;
    default:
        return false;
    }
    (void)wParam;
    InvalidateInParent(window);
    return true;
}

} // namespace

ATOM RegisterLabelClass(HINSTANCE instance) {
    return RegisterPaintedControlClass<HandleRecordControl<LabelRecord, Paint, HandleMessage>>(instance,
                                                                                               "ATextLWnd");
}

std::string LabelShownText(HWND label) {
    return ControlText<LabelRecord>(label);
}
