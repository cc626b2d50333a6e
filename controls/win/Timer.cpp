// ATimerWnd: a filled box with one line of bold Courier New in relief, for
// stopwatches, countdowns, speeds and counts.
#include "app/win/WideText.h"
#include "controls/ControlMessages.h"
#include "controls/LabelTimerRules.h"
#include "controls/TimeFormat.h"
#include "controls/win/ControlClass.h"
#include "controls/win/ControlClasses.h"
#include "controls/win/DisplayControls.h"

#include <cstdio>
#include <string>

namespace {

struct TimerRecord {
    COLORREF textColour = RGB(0, 0, 255);
    COLORREF background = RGB(192, 192, 192);
    LOGFONTA font = BoldControlFont("Courier New");
    std::string text = "--:--";
};

void DrawOnce(HDC dc, const std::string& text, const RECT& client, int dx, int dy, COLORREF colour) {
    RECT r = client;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, colour);
    const std::wstring wide = TextToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void Paint(HWND window, TimerRecord& record, HDC target, const RECT& update) {
    const OffscreenCanvas canvas(window, target);
    const RECT& client = canvas.client();
    const int w = client.right, h = client.bottom;
    HDC dc = canvas.dc();
    HPEN pen = CreatePen(PS_SOLID, 1, record.background);
    HBRUSH brush = CreateSolidBrush(record.background);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);

    record.font.lfHeight = TimerStartHeight(h);
    HFONT font = CreateFontIndirectA(&record.font);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent{0, 0};
    const std::wstring wide = TextToWide(record.text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    record.font.lfHeight = TimerFittedHeight(w, h, extent.cx, extent.cy);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    font = CreateFontIndirectA(&record.font);
    SelectObject(dc, font);

    Rectangle(dc, update.left, update.top, update.right, update.bottom);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    DrawOnce(dc, record.text, client, 1, 0, black);
    DrawOnce(dc, record.text, client, 0, 1, black);
    DrawOnce(dc, record.text, client, 1, 1, black);
    DrawOnce(dc, record.text, client, -1, 0, white);
    DrawOnce(dc, record.text, client, 0, -1, white);
    DrawOnce(dc, record.text, client, -1, -1, white);
    DrawOnce(dc, record.text, client, 0, 0, record.textColour);

    canvas.Show(update);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(font);
    DeleteObject(brush);
    DeleteObject(pen);
}

bool HandleMessage(HWND window, TimerRecord& record, UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    switch (message) {
    case WM_SETTEXT: {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
        if (!text) {
            record.text = "--:--";
        } else {
            std::wstring wide;
            for (size_t i = 0; i < 127 && text[i] != L'\0'; ++i)
                wide += text[i];
            record.text = WideToText(wide);
        }
        break;
    }
    case ATM_SETTIME:
        record.text = FormatClockTime(static_cast<long long>(lParam));
        break;
    case ATM_SETBKCOLOR:
        record.background = static_cast<COLORREF>(lParam);
        break;
    case ATM_SETTEXTCOLOR:
        record.textColour = static_cast<COLORREF>(lParam);
        break;
    case ATM_SETNUMBER: {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(lParam));
        record.text = buffer;
        break;
    }
    default:
        return false;
    }
    (void)wParam;
    InvalidateRect(window, nullptr, FALSE);
    return true;
}

} // namespace

ATOM RegisterTimerClass(HINSTANCE instance) {
    return RegisterPaintedControlClass<HandleRecordControl<TimerRecord, Paint, HandleMessage>>(instance,
                                                                                               "ATimerWnd");
}

std::string TimerShownText(HWND timer) {
    return ControlText<TimerRecord>(timer);
}
