// ATextBWnd: fixed-column lines of Morse text with three mark classes, a
// highlighted selection and a vertical scroll bar. The text, scrolling and
// selection rules live in TextBoxModel; this file measures the font, keeps
// the scroll bar in step and paints.
#include "app/win/WideText.h"
#include "controls/ControlMessages.h"
#include "controls/TextBoxGeometry.h"
#include "controls/win/ControlClass.h"
#include "controls/win/ControlClasses.h"

#include <windowsx.h>

#include <new>

namespace {

enum Colour { kText, kHighlight, kMark, kMarkHighlight, kMark2, kMark2Highlight, kBackground, kColourCount };

// What a font fit depends on besides the fixed face: the area it fills, the
// grid, and the resolution of the device it is measured on.
struct FitInputs {
    int width = -1, height = -1, rows = -1, columns = -1, dpi = -1;
    bool operator==(const FitInputs& o) const {
        return width == o.width && height == o.height && rows == o.rows && columns == o.columns &&
               dpi == o.dpi;
    }
};

// A fitted font height and its cell. Fitting creates a font at every step
// down; kept until one of its inputs changes, a fit lets a paint create no
// font at all.
struct FontFit {
    FitInputs inputs;
    LONG height = 0;
    SIZE cell{0, 0};
};

struct TextBoxRecord {
    TextBoxModel model;
    COLORREF colours[kColourCount] = {RGB(0, 128, 0), RGB(192, 192, 192), RGB(255, 0, 0), RGB(255, 128, 128),
                                      RGB(0, 0, 255), RGB(128, 128, 255), RGB(0, 0, 0)};
    LOGFONTA font = BoldControlFont("Courier New");  // the face; every fit sets its own height
    TextBoxModel::Scroll shownScroll{-1, -1, false}; // what the scroll bar shows now
    TextBoxModel::LineParts parts;                   // reused by every paint
    FontFit hitFit, paintFit;                        // full client width; painted area
    // The font of paintFit: the one GDI object kept from paint to paint,
    // replaced with the fit and deleted with the record.
    HFONT paintFont = nullptr;

    TextBoxRecord() = default;
    ~TextBoxRecord() { DropPaintFont(); }
    TextBoxRecord(const TextBoxRecord&) = delete;
    TextBoxRecord& operator=(const TextBoxRecord&) = delete;

    void DropPaintFont() {
        if (paintFont)
            DeleteObject(paintFont);
        paintFont = nullptr;
    }
    HFONT CreateFontOfHeight(LONG height) const {
        LOGFONTA sized = font;
        sized.lfHeight = height;
        return CreateFontIndirectA(&sized);
    }
};

SIZE ExtentOfW(HDC dc, const TextBoxRecord& record, LONG height) {
    HFONT handle = record.CreateFontOfHeight(height);
    HGDIOBJ old = SelectObject(dc, handle);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, "W", 1, &size);
    SelectObject(dc, old);
    DeleteObject(handle);
    return size;
}

// Sizes the font for the client area (FitTextFont, with Courier New under
// Wine as the substitute face); the painted area is 4 pixels narrower than
// the client, hit-testing and row counting use the full width.
const FontFit& FitFont(HDC dc, TextBoxRecord& record, const RECT& client, bool forPainting) {
    const int rows = record.model.Rows(), columns = record.model.Columns();
    const FitInputs inputs{client.right, client.bottom, rows, columns, GetDeviceCaps(dc, LOGPIXELSY)};
    FontFit& fit = forPainting ? record.paintFit : record.hitFit;
    if (fit.inputs == inputs)
        return fit;

    const auto cellAt = [&](int height) {
        const SIZE size = ExtentOfW(dc, record, height);
        return TextCell{size.cx, size.cy};
    };
    const int areaWidth = forPainting ? client.right - 4 : client.right;
    TextCell cell;
    const int height =
        FitTextFont(areaWidth, client.right, client.bottom, rows, columns, cellAt(0), cellAt, cell);
    fit = FontFit{inputs, height, SIZE{cell.width, cell.height}};
    if (forPainting)
        record.DropPaintFont();
    return fit;
}

SIZE CellOf(HWND window, TextBoxRecord& record) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    const SIZE cell = FitFont(dc, record, client, false).cell;
    ReleaseDC(window, dc);
    return cell;
}

int VisibleRows(HWND window, TextBoxRecord& record) {
    RECT client;
    GetClientRect(window, &client);
    return TextVisibleRows(client.bottom, CellOf(window, record).cy);
}

void SyncScrollBar(HWND window, TextBoxRecord& record) {
    const TextBoxModel::Scroll& s = record.model.ScrollBar();
    TextBoxModel::Scroll& shown = record.shownScroll;
    if (s.maximum == shown.maximum && s.position == shown.position && s.enabled == shown.enabled)
        return;
    SetScrollRange(window, SB_VERT, 0, s.maximum, FALSE);
    SetScrollPos(window, SB_VERT, s.position, TRUE);
    // Enabling last: setting the range may re-enable the arrows.
    EnableScrollBar(window, SB_VERT, s.enabled ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    shown = s;
}

// The characters of a line part from its first non-blank to its last, in
// their columns of cellWidth (the face is fixed-pitch), clipped to the row.
void DrawRun(HDC dc, const char* text, int columns, const RECT& row, int cellWidth) {
    int first = 0, last = columns - 1;
    while (first <= last && text[first] == ' ')
        ++first;
    while (last >= first && text[last] == ' ')
        --last;
    // The Morse characters are code page 1251 bytes, one character each,
    // whatever the language and the system's code page.
    if (first <= last) {
        const std::wstring wide =
            ToWide(std::string(text + first, static_cast<size_t>(last - first + 1)), 1251);
        ExtTextOutW(dc, row.left + first * cellWidth, row.top, ETO_CLIPPED, &row, wide.c_str(),
                    static_cast<UINT>(wide.size()), nullptr);
    }
}

// One part of a line, then a slash over each of its zeros. Straight to the
// glyphs: a line of fixed columns needs none of DrawText's layout and
// measuring, and the blanks around its characters draw nothing.
void DrawPart(HDC dc, std::string& work, int columns, const RECT& row, int cellWidth) {
    DrawRun(dc, work.data(), columns, row, cellWidth);
    for (char& c : work)
        c = c == '0' ? '/' : ' ';
    DrawRun(dc, work.data(), columns, row, cellWidth);
}

void Paint(HWND window, TextBoxRecord& record, HDC target, const RECT& update) {
    const OffscreenCanvas canvas(window, target);
    const RECT& client = canvas.client();
    const int w = client.right, h = client.bottom;
    HDC dc = canvas.dc();
    const FontFit& fit = FitFont(dc, record, client, true);
    const SIZE cell = fit.cell;
    if (!record.paintFont)
        record.paintFont = record.CreateFontOfHeight(fit.height);
    HGDIOBJ oldFont = SelectObject(dc, record.paintFont);
    HBRUSH background = CreateSolidBrush(record.colours[kBackground]);
    FillRect(dc, &update, background);

    const TextBoxModel& model = record.model;
    const int length = static_cast<int>(model.Text().size());
    const int columns = model.Columns();
    if (length > 0 && cell.cy > 0) {
        SetBkMode(dc, TRANSPARENT);
        static const int colourOf[3][2] = {
            {kText, kHighlight}, {kMark, kMarkHighlight}, {kMark2, kMark2Highlight}};
        std::string work;
        int line = model.FirstLine();
        for (int y = 0; y < h && static_cast<long long>(line) * columns < length; y += cell.cy, ++line) {
            model.ComposeLine(line, record.parts);
            RECT row{4, y, w - 4, y + cell.cy};
            for (int cls = 0; cls < 3; ++cls) {
                for (int lit = 0; lit < 2; ++lit) {
                    if (!record.parts.used[cls][lit])
                        continue; // an all-blank part draws nothing
                    SetTextColor(dc, record.colours[colourOf[cls][lit]]);
                    work = record.parts.part[cls][lit];
                    DrawPart(dc, work, columns, row, cell.cx);
                }
            }
        }
    }

    canvas.Show(update);
    SelectObject(dc, oldFont);
    DeleteObject(background);
}

int HitIndex(HWND window, TextBoxRecord& record, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    SIZE cell = CellOf(window, record);
    return TextHitIndex(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), client.right, client.bottom, cell.cx,
                        cell.cy, record.model.Columns(), record.model.FirstLine());
}

void OnCreated(HWND window, TextBoxRecord& record) {
    ShowScrollBar(window, SB_VERT, TRUE);
    SyncScrollBar(window, record);
}

// Handles the control's own messages; false sends the message on to the
// default window procedure.
bool HandleMessage(HWND window, TextBoxRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT& result) {
    TextBoxModel& model = record.model;
    bool repaint = message >= ATB_SETTEXT && message <= ATB_SETMARK2HIGHLIGHTCOLOR &&
                   message != ATB_GETSELSTART && message != ATB_GETSELEND;
    COLORREF colour = static_cast<COLORREF>(lParam);
    switch (message) {
    case ATB_SETTEXT:
        model.SetText(reinterpret_cast<const char*>(wParam), reinterpret_cast<const char*>(lParam));
        break;
    case ATB_INSERTTEXT:
        model.InsertText(static_cast<int>(wParam), reinterpret_cast<const char*>(lParam),
                         VisibleRows(window, record));
        break;
    case ATB_DELETETEXT:
        model.DeleteText(static_cast<int>(wParam), static_cast<int>(lParam));
        break;
    case ATB_SETMARK:
        model.SetMark(static_cast<int>(wParam), static_cast<char>(lParam & 0xFF));
        break;
    case ATB_SETTEXTCOLOR:
        record.colours[kText] = colour;
        break;
    case ATB_SETHIGHLIGHTCOLOR:
        record.colours[kHighlight] = colour;
        break;
    case ATB_SETMARKCOLOR:
        record.colours[kMark] = colour;
        break;
    case ATB_SETMARKHIGHLIGHTCOLOR:
        record.colours[kMarkHighlight] = colour;
        break;
    case ATB_SETMARK2COLOR:
        record.colours[kMark2] = colour;
        break;
    case ATB_SETMARK2HIGHLIGHTCOLOR:
        record.colours[kMark2Highlight] = colour;
        break;
    case ATB_SETBKCOLOR:
        record.colours[kBackground] = colour;
        break;
    case ATB_SETROWS:
        model.SetRows(static_cast<int>(lParam));
        break;
    case ATB_SETCOLUMNS:
        model.SetColumns(static_cast<int>(lParam));
        break;
    case ATB_SETSEL:
        model.SetSelection(static_cast<int>(wParam), static_cast<int>(lParam), VisibleRows(window, record));
        break;
    case ATB_SHOWPOS:
        model.ShowPosition(static_cast<int>(lParam), VisibleRows(window, record));
        break;
    case ATB_GETSELSTART:
        result = model.SelectionStart();
        return true;
    case ATB_GETSELEND:
        result = model.SelectionEnd();
        return true;
    case ATB_ENABLEMOUSESEL:
        model.AllowMouseSelection(lParam != 0);
        return true;
    case WM_VSCROLL:
        if (model.ScrollBy(LOWORD(wParam), static_cast<int>(HIWORD(wParam)), VisibleRows(window, record)))
            repaint = true;
        break;
    case WM_LBUTTONDBLCLK:
        if (model.MouseSelectionAllowed() && model.DoubleClick(HitIndex(window, record, lParam)))
            repaint = true;
        break;
    case WM_MOUSEMOVE:
        if (model.Tracking() && model.MouseMove(HitIndex(window, record, lParam)))
            repaint = true;
        break;
    case WM_RBUTTONDBLCLK:
        SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), 0), lParam);
        return true;
    case WM_SIZE:
        return true; // the next paint adapts
    default:
        return false;
    }
    SyncScrollBar(window, record);
    if (repaint)
        InvalidateRect(window, nullptr, FALSE);
    return true;
}

} // namespace

ATOM RegisterTextBoxClass(HINSTANCE instance) {
    return RegisterPaintedControlClass<HandleRecordControl<TextBoxRecord, Paint, HandleMessage, OnCreated>>(
        instance, "ATextBWnd");
}
