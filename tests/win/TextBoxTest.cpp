#include "ControlTestSupport.h"
#include "controls/ControlMessages.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

const COLORREF kTextC = RGB(0, 200, 0), kHighC = RGB(200, 200, 200), kMarkC = RGB(250, 0, 0),
               kMarkHighC = RGB(250, 120, 120), kMark2C = RGB(0, 0, 250), kMark2HighC = RGB(120, 120, 250),
               kBackC = RGB(10, 10, 10);

struct TextBoxFixture : ::testing::Test {
    // 60 columns x 10 rows in a 724 x 200 client: cell height 20 by rows.
    TextBoxFixture() {
        EnsureControlClasses();
        box = MakeBox();
    }
    HWND MakeBox() {
        HWND made = parent.Child("ATextBWnd", 1027, WS_BORDER, 0, 0, 100, 100);
        const COLORREF colours[][2] = {
            {ATB_SETTEXTCOLOR, kTextC},   {ATB_SETHIGHLIGHTCOLOR, kHighC},
            {ATB_SETMARKCOLOR, kMarkC},   {ATB_SETMARKHIGHLIGHTCOLOR, kMarkHighC},
            {ATB_SETMARK2COLOR, kMark2C}, {ATB_SETMARK2HIGHLIGHTCOLOR, kMark2HighC},
            {ATB_SETBKCOLOR, kBackC}};
        for (const auto& c : colours)
            SendMessageA(made, c[0], 0, c[1]);
        Shape(made, 724, 200, 60, 10);
        return made;
    }
    // Sizes the client exactly, whatever the border and scroll bar take, and
    // sets the grid.
    static void Shape(HWND window, int width, int height, int columns, int rows) {
        SIZE c = ClientSize(window);
        RECT w;
        GetWindowRect(window, &w);
        SetWindowPos(window, nullptr, 0, 0, w.right - w.left + width - c.cx, w.bottom - w.top + height - c.cy,
                     SWP_NOMOVE | SWP_NOZORDER);
        SendMessageA(window, ATB_SETCOLUMNS, 0, columns);
        SendMessageA(window, ATB_SETROWS, 0, rows);
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(box, message, wParam, lParam);
    }
    void SetText(const std::string& text, const char* marks = nullptr) {
        Send(ATB_SETTEXT, reinterpret_cast<WPARAM>(text.c_str()), reinterpret_cast<LPARAM>(marks));
    }
    void ExpectScroll(int maximum, int position, bool enabled) {
        int lo = -1, hi = -1;
        GetScrollRange(box, SB_VERT, &lo, &hi);
        EXPECT_EQ(lo, 0);
        EXPECT_EQ(hi, maximum);
        EXPECT_EQ(GetScrollPos(box, SB_VERT), position);
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetScrollBarInfo(box, OBJID_VSCROLL, &info));
        // Disabling a scroll bar disables both arrows (elements 1 and 5).
        EXPECT_EQ((info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) == 0, enabled);
        EXPECT_EQ((info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) == 0, enabled);
    }
    void Scroll(int code, int thumb = 0) { Send(WM_VSCROLL, MAKEWPARAM(code, thumb), 0); }

    ParentWindow parent{800, 400};
    HWND box;
};

std::string Letters(int n) {
    return std::string(static_cast<size_t>(n), 'W');
}

} // namespace

TEST_F(TextBoxFixture, ScrollRangeAndPositionAfterEachMessage) {
    ExpectScroll(1, 0, false);
    SetText(Letters(60));
    ExpectScroll(1, 0, false);
    SetText(Letters(61));
    ExpectScroll(1, 0, true);
    SetText(Letters(600)); // lines 0..9
    ExpectScroll(9, 0, true);
    Scroll(SB_PAGEDOWN); // 10 rows visible: half a page is 5
    ExpectScroll(9, 5, true);
    Scroll(SB_LINEDOWN);
    ExpectScroll(9, 6, true);
    Scroll(SB_THUMBTRACK, 2);
    ExpectScroll(9, 2, true);
    Scroll(SB_BOTTOM);
    ExpectScroll(9, 9, true);
    Send(ATB_SETCOLUMNS, 0, 120); // 60 x 9 / 120
    ExpectScroll(4, 4, true);
    Send(ATB_SETCOLUMNS, 0, 60); // 120 x 4 / 60
    ExpectScroll(9, 8, true);
    Send(ATB_SETROWS, 0, 20); // cell height 10: 20 rows visible
    Scroll(SB_PAGEDOWN);
    ExpectScroll(9, 9, true);
    Scroll(SB_TOP);
    Send(ATB_SETROWS, 0, 10);

    Send(ATB_INSERTTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Letters(600).c_str()));
    ExpectScroll(19, 16, true);   // end at line 20 centred into row 4, clamped to the range
    Send(ATB_DELETETEXT, 0, 300); // before the view: 16 - 5
    ExpectScroll(14, 11, true);
    SetText("");
    ExpectScroll(1, 0, false);
}

TEST_F(TextBoxFixture, SelectionCentresAndReportsItsLimits) {
    SetText(Letters(60 * 30));
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), -1);
    Send(ATB_SETSEL, 60 * 9 + 3, 60 * 9 + 7); // last row shown
    EXPECT_EQ(GetScrollPos(box, SB_VERT), 5); // line 9 now stands in row 4
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), 60 * 9 + 3);
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), 60 * 9 + 7);
    Send(ATB_SHOWPOS, 0, 60 * 25);
    EXPECT_EQ(GetScrollPos(box, SB_VERT), 21);
    Send(ATB_SETSEL, 50, 40);
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), -1);
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), -1);
    Send(ATB_SETSEL, static_cast<WPARAM>(-1), -1);
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), -1);
    Send(ATB_SETSEL, 1700, 99999);
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), 1700);
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), 60 * 30 - 1);
    SetText("AB");
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), -1) << "a new text hides the selection";
}

TEST_F(TextBoxFixture, MarkClassesPaintInTheirColoursInAndOutOfTheSelection) {
    SetText("WWW", "x% ");
    Canvas canvas(724, 200);
    Render(box, canvas);
    EXPECT_EQ(canvas.At(0, 0), kBackC);
    POINT mark = ColumnsOf(canvas, kMarkC, 0, 20), mark2 = ColumnsOf(canvas, kMark2C, 0, 20),
          plain = ColumnsOf(canvas, kTextC, 0, 20);
    ASSERT_GE(mark.x, 4);
    ASSERT_GT(mark2.x, mark.y);
    ASSERT_GT(plain.x, mark2.y) << "each class in its own column";
    EXPECT_EQ(canvas.Count(kHighC) + canvas.Count(kMarkHighC) + canvas.Count(kMark2HighC), 0);
    EXPECT_EQ(canvas.Count(kTextC, 0, 20, 724, 200), 0) << "one line only";

    Send(ATB_SETSEL, 0, 2);
    Render(box, canvas);
    EXPECT_EQ(canvas.Count(kTextC) + canvas.Count(kMarkC) + canvas.Count(kMark2C), 0);
    POINT markHigh = ColumnsOf(canvas, kMarkHighC, 0, 20), mark2High = ColumnsOf(canvas, kMark2HighC, 0, 20),
          plainHigh = ColumnsOf(canvas, kHighC, 0, 20);
    EXPECT_EQ(markHigh.x, mark.x);
    EXPECT_EQ(mark2High.x, mark2.x);
    EXPECT_EQ(plainHigh.x, plain.x);

    Send(ATB_SETMARK, 1, ' ');
    Send(ATB_SETSEL, 1, 1);
    Render(box, canvas);
    EXPECT_EQ(canvas.Count(kMark2C) + canvas.Count(kMark2HighC), 0);
    EXPECT_EQ(ColumnsOf(canvas, kHighC, 0, 20).x, mark2.x) << "the re-marked character is plain and selected";
    EXPECT_EQ(ColumnsOf(canvas, kTextC, 0, 20).x, plain.x);
}

TEST_F(TextBoxFixture, SelectionSplitsALineWithoutMovingColumns) {
    SetText(Letters(20));
    Canvas whole(724, 200);
    Render(box, whole);
    POINT all = ColumnsOf(whole, kTextC, 0, 20);
    Send(ATB_SETSEL, 10, 14);
    Canvas split(724, 200);
    Render(box, split);
    POINT lit = ColumnsOf(split, kHighC, 0, 20);
    POINT normal = ColumnsOf(split, kTextC, 0, 20);
    EXPECT_EQ(normal.x, all.x);
    EXPECT_EQ(normal.y, all.y);
    EXPECT_GT(lit.x, all.x);
    EXPECT_LT(lit.y, all.y);
    EXPECT_EQ(split.Count(kTextC, lit.x, 0, lit.y + 1, 20), 0);
    // Five of twenty cells, counted in pixels of the letters' extent.
    double share = double(lit.y - lit.x) / (all.y - all.x);
    EXPECT_GT(share, 0.18);
    EXPECT_LT(share, 0.26);
    // Pixels that were text are now text or highlight: nothing moved.
    for (int x = 0; x < 724; ++x)
        for (int y = 0; y < 20; ++y)
            if (whole.At(x, y) == kTextC) {
                ASSERT_TRUE(split.At(x, y) == kTextC || split.At(x, y) == kHighC) << x << "," << y;
            }
}

TEST_F(TextBoxFixture, ZerosCarryASlash) {
    Canvas zero(724, 200), slash(724, 200);
    SetText("0");
    Render(box, zero);
    SetText("/");
    Render(box, slash);
    int slashPixels = slash.Count(kTextC, 0, 0, 60, 20);
    ASSERT_GT(slashPixels, 5);
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 20; ++y)
            if (slash.At(x, y) == kTextC) {
                ASSERT_EQ(zero.At(x, y), kTextC) << "slash pixel missing at " << x << "," << y;
            }
    EXPECT_GT(zero.Count(kTextC, 0, 0, 60, 20), slashPixels) << "the zero itself";
}

TEST_F(TextBoxFixture, MouseSelectionAndRightDoubleClick) {
    SetText(Letters(200));
    // Cells are 20 high; x 4 + column x width. Column 0 of row 1 is index 60.
    LPARAM row1 = MAKELPARAM(5, 4 + 25);
    Send(WM_LBUTTONDBLCLK, 0, row1);
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), -1) << "mouse selection not allowed yet";
    Send(ATB_ENABLEMOUSESEL, 0, 1);
    Send(WM_LBUTTONDBLCLK, 0, row1);
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), 60);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 4 + 45));
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), 120);
    Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 4 + 65));
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), 180);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Send(ATB_GETSELEND, 0, 0), 180) << "tracking ended";
    Send(WM_LBUTTONDBLCLK, 0, row1);
    EXPECT_EQ(Send(ATB_GETSELSTART, 0, 0), -1) << "a double-click inside hides it";

    Send(WM_RBUTTONDBLCLK, 0, MAKELPARAM(7, 9));
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].wParam, 1027u);
    EXPECT_EQ(Commands()[0].lParam, MAKELPARAM(7, 9));
}

TEST_F(TextBoxFixture, PaintingOnScreenMatchesTheRendering) {
    SetText("AB0 CDE", "x %");
    Send(ATB_SETSEL, 1, 2);
    Canvas printed(724, 200), screen(724, 200);
    Render(box, printed);
    InvalidateRect(box, nullptr, FALSE);
    UpdateWindow(box);
    HDC dc = GetDC(box);
    BitBlt(screen.dc, 0, 0, 724, 200, dc, 0, 0, SRCCOPY);
    ReleaseDC(box, dc);
    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 724; ++x)
            differing += printed.At(x, y) != screen.At(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(screen.Count(kMark2HighC), 0);
    EXPECT_GT(screen.Count(kMarkC), 0);
}

// The font fits every column and row of the text box, whatever the client
// size: the last column's character is drawn whole, like the first one.
TEST_F(TextBoxFixture, TheLastColumnAndRowAreDrawnWholeAtEverySize) {
    const struct {
        int width, height, columns, rows;
    } sizes[] = {{1272, 300, 60, 10}, {1272, 900, 60, 10}, {1000, 400, 72, 10},  {724, 200, 60, 10},
                 {640, 480, 36, 12},  {400, 120, 24, 4},   {1900, 700, 120, 20}, {300, 600, 12, 30}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height << ", " << size.columns
                                        << " columns, " << size.rows << " rows");
        Shape(box, size.width, size.height, size.columns, size.rows);
        ASSERT_EQ(ClientSize(box).cx, size.width);
        ASSERT_EQ(ClientSize(box).cy, size.height);
        // The first character is the measure; the last of the first row and
        // the last of the last row are the ones that could be cut off.
        const int length = size.columns * size.rows;
        std::string marks(length, ' ');
        marks[0] = 'x';
        marks[size.columns - 1] = '%';
        marks[length - 1] = '%';
        SetText(Letters(length), marks.c_str());
        Canvas canvas(size.width, size.height);
        Render(box, canvas);
        const int whole = canvas.Count(kMarkC);
        ASSERT_GT(whole, 10);
        EXPECT_EQ(canvas.Count(kMark2C, 4, 0, size.width - 4, size.height), 2 * whole);
    }
}

// The box keeps its fitted font between paints. Each step changes one input
// of the fit alone; the box must then paint and page exactly as a new box
// made in that state.
TEST_F(TextBoxFixture, AKeptFontFollowsEachChangeOfItsInputs) {
    const struct {
        const char* change;
        int width, height, columns, rows;
    } steps[] = {{"first paint", 724, 200, 60, 10}, {"width", 500, 200, 60, 10},
                 {"height", 500, 120, 60, 10},      {"rows", 500, 120, 60, 4},
                 {"columns", 500, 120, 30, 4},      {"all back", 724, 200, 60, 10}};
    std::string text, marks;
    for (int i = 0; i < 3000; ++i) {
        text += i % 6 == 5 ? ' ' : "W0A?"[i % 4];
        marks += i % 7 == 0 ? 'x' : i % 11 == 0 ? '%' : ' ';
    }
    SetText(text, marks.c_str());
    for (const auto& step : steps) {
        SCOPED_TRACE(step.change);
        Shape(box, step.width, step.height, step.columns, step.rows);
        HWND fresh = MakeBox();
        Shape(fresh, step.width, step.height, step.columns, step.rows);
        SendMessageA(fresh, ATB_SETTEXT, reinterpret_cast<WPARAM>(text.c_str()),
                     reinterpret_cast<LPARAM>(marks.c_str()));
        for (HWND b : {box, fresh}) {
            SendMessageA(b, WM_VSCROLL, SB_TOP, 0);
            SendMessageA(b, WM_VSCROLL, SB_PAGEDOWN, 0); // half the visible rows
        }
        EXPECT_EQ(GetScrollPos(box, SB_VERT), GetScrollPos(fresh, SB_VERT));
        Canvas kept(step.width, step.height), made(step.width, step.height);
        Render(box, kept);
        Render(fresh, made);
        int differing = 0;
        for (int y = 0; y < step.height; ++y)
            for (int x = 0; x < step.width; ++x)
                differing += kept.At(x, y) != made.At(x, y);
        EXPECT_EQ(differing, 0);
        EXPECT_GT(kept.Count(kMarkC), 0);
        DestroyWindow(fresh);
    }
}
