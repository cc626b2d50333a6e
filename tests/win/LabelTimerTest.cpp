#include "ControlTestSupport.h"
#include "WinTestUtil.h"
#include "controls/ControlMessages.h"
#include "controls/win/DisplayControls.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;
using testutil::WindowText;

TEST(TimerControl, ShowsTimesNumbersAndTexts) {
    EnsureControlClasses();
    ParentWindow parent;
    HWND timer = parent.Child("ATimerWnd", 1068, 0, 0, 0, 120, 40, "template");
    EXPECT_EQ(TimerShownText(timer), "--:--");
    const struct {
        LPARAM ms;
        const char* text;
    } times[] = {{3600000, "1:00:00.0"}, {-1, "--:--"}}; // every format: FormatClockTime tests
    for (const auto& t : times) {
        SendMessageA(timer, ATM_SETTIME, 0, t.ms);
        EXPECT_EQ(TimerShownText(timer), t.text);
    }
    SendMessageA(timer, ATM_SETNUMBER, 0, 250);
    EXPECT_EQ(TimerShownText(timer), "250");
    SendMessageA(timer, ATM_SETNUMBER, 0, -7);
    EXPECT_EQ(TimerShownText(timer), "-7");
    SetWindowTextA(timer, std::string(200, '9').c_str());
    EXPECT_EQ(TimerShownText(timer), std::string(127, '9'));
    SendMessageA(timer, WM_SETTEXT, 0, 0);
    EXPECT_EQ(TimerShownText(timer), "--:--");
    EXPECT_EQ(WindowText(timer), "template");
}

TEST(TimerControl, PaintsABoxWithTextInRelief) {
    EnsureControlClasses();
    ParentWindow parent;
    HWND timer = parent.Child("ATimerWnd", 1068, 0, 0, 0, 160, 40);
    const COLORREF back = RGB(30, 60, 90), text = RGB(240, 200, 0);
    SendMessageA(timer, ATM_SETBKCOLOR, 0, back);
    SendMessageA(timer, ATM_SETTEXTCOLOR, 0, text);
    SendMessageA(timer, ATM_SETTIME, 0, 65432);
    Canvas canvas(160, 40);
    Render(timer, canvas);
    EXPECT_EQ(canvas.At(0, 0), back);
    EXPECT_EQ(canvas.At(159, 39), back);
    EXPECT_GT(canvas.Count(text), 20);
    EXPECT_GT(canvas.Count(RGB(255, 255, 255)), 0);
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 0);
    // The text fits: the outermost columns stay box-coloured.
    EXPECT_EQ(canvas.Count(back, 0, 0, 1, 40), 40);
    EXPECT_EQ(canvas.Count(back, 159, 0, 160, 40), 40);
}

TEST(LabelControl, TrimmingAndPlainTexts) {
    EnsureControlClasses();
    ParentWindow parent;
    HWND label = parent.Child("ATextLWnd", 1070, 0, 0, 0, 200, 30, "template");
    EXPECT_EQ(LabelShownText(label), "");
    SendMessageA(label, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>("AB   "));
    EXPECT_EQ(LabelShownText(label), "AB");
    SendMessageA(label, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>("   "));
    EXPECT_EQ(LabelShownText(label), " ");
    SetWindowTextA(label, "AB   ");
    EXPECT_EQ(LabelShownText(label), "AB   ");
    SendMessageA(label, WM_SETTEXT, 0, 0);
    EXPECT_EQ(LabelShownText(label), "");
    EXPECT_EQ(WindowText(label), "template");
}

namespace {

// Paints a label of the given size over the parent's white background.
void RenderLabel(int w, int h, const char* text, Canvas& canvas, COLORREF colour) {
    EnsureControlClasses();
    ParentWindow parent;
    HWND label = parent.Child("ATextLWnd", 1070, 0, 10, 10, w, h);
    SendMessageA(label, ATL_SETCOLOR, 0, colour);
    SetWindowTextA(label, text);
    Render(label, canvas);
}

} // namespace

TEST(LabelControl, ParentBackgroundReliefAndAntialiasThresholds) {
    const COLORREF blue = RGB(0, 0, 255), white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    Canvas large(300, 60);
    RenderLabel(300, 60, "Abc", large, blue);
    EXPECT_EQ(large.At(0, 0), white) << "the parent's background";
    EXPECT_GT(large.Count(blue), 50);
    EXPECT_GT(large.Count(black), 0) << "relief above 20 pixels";

    // Height 22 gives a 20 pixel font, large enough for the font's own
    // table to allow greyscale smoothing.
    Canvas small(300, 22);
    RenderLabel(300, 22, "Abc", small, blue);
    EXPECT_GT(small.Count(blue), 0);
    EXPECT_EQ(small.Count(black), 0) << "flat at 20 pixels and below";
    int blended = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 300; ++x)
            blended += small.At(x, y) != white && small.At(x, y) != blue;
    EXPECT_GT(blended, 0) << "antialiased edges";
}

TEST(LabelControl, TooWideTextShrinksOntoOneLine) {
    const COLORREF blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    Canvas canvas(120, 40);
    RenderLabel(120, 40, "A much too long caption", canvas, blue);
    EXPECT_EQ(canvas.Count(white, 0, 0, 1, 40), 40) << "left edge untouched";
    EXPECT_EQ(canvas.Count(white, 119, 0, 120, 40), 40) << "right edge untouched";
    POINT span = ColumnsOf(canvas, blue, 0, 40);
    EXPECT_GT(span.y - span.x, 120 * 0.7);
}

TEST(LabelControl, LoneZeroIsSlashed) {
    const COLORREF blue = RGB(0, 0, 255);
    Canvas zero(40, 40), letter(40, 40);
    RenderLabel(40, 40, "0", zero, blue);
    RenderLabel(40, 40, "/", letter, blue);
    int slash = letter.Count(blue);
    ASSERT_GT(slash, 5);
    int covered = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            covered += letter.At(x, y) == blue && zero.At(x, y) == blue;
    EXPECT_EQ(covered, slash);
}
