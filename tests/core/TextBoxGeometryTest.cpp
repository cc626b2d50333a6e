#include "controls/TextBoxGeometry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Chars(int n, char c = 'A') {
    return std::string(static_cast<size_t>(n), c);
}

void ExpectScroll(const TextBoxModel& box, int maximum, int position, bool enabled) {
    EXPECT_EQ(box.ScrollBar().maximum, maximum);
    EXPECT_EQ(box.FirstLine(), position);
    EXPECT_EQ(box.ScrollBar().enabled, enabled);
}

} // namespace

TEST(TextBoxGeometry, LinesAndFontBounds) {
    EXPECT_EQ(TextLineCount(0, 60), 0);
    EXPECT_EQ(TextLineCount(60, 60), 1);
    EXPECT_EQ(TextLineCount(61, 60), 2);
    EXPECT_EQ(TextLineCount(5, 0), 5); // columns below 1 count as 1

    // 400 x 200 client, 10 rows, 60 columns, "W" 10 x 16 at the default size.
    EXPECT_EQ(TextFontHeight(396, 200, 10, 60, 10, 16), 10);  // 16 x 396 / 600 = 10.56
    EXPECT_EQ(TextFontHeight(1000, 200, 10, 60, 10, 16), 20); // rows bound
    EXPECT_EQ(TextFontHeight(-4, 0, 0, 0, 0, 16), 1);         // degenerate sizes still give a font
    EXPECT_EQ(TextVisibleRows(200, 21), 9);
    EXPECT_EQ(TextVisibleRows(200, 0), 200);
}

// Faces measured by hand: "W" is 10 x 16 at the default height. The
// proportional one keeps that shape at every height; the wide one is a
// pixel wider, the tall one's lines a pixel taller than asked.
TEST(TextBoxGeometry, TheFontFitsTheLastColumnAndTheLastRow) {
    const auto proportional = [](int h) { return TextCell{h * 10 / 16, h}; };
    const auto wide = [](int h) { return TextCell{h * 10 / 16 + 1, h}; };
    const auto tall = [](int h) { return TextCell{h / 2, h + 1}; };
    const struct {
        const char* what;
        int clientWidth, clientHeight, rows, columns;
        std::function<TextCell(int)> cellAt;
        int height, cellWidth;
    } cases[] = {
        // 60 columns of 10 fill the drawing area of 608 - 8 exactly.
        {"exactly the width", 608, 200, 10, 60, proportional, 16, 10},
        {"a pixel short for the last column", 607, 200, 10, 60, proportional, 15, 9},
        {"a wider face steps down", 608, 200, 10, 60, wide, 15, 10},
        // The rows bound 200 / 10 = 20, but lines of 21 take 210.
        {"a taller face steps down for the last row", 1000, 200, 10, 60, tall, 19, 9},
        {"nothing fits: the smallest font", 20, 5, 10, 60, proportional, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextCell cell;
        EXPECT_EQ(FitTextFont(c.clientWidth - 4, c.clientWidth, c.clientHeight, c.rows, c.columns,
                              TextCell{10, 16}, c.cellAt, cell),
                  c.height);
        EXPECT_EQ(cell.width, c.cellWidth);
    }
}

TEST(TextBoxGeometry, HitIndexLimitsToTheClientAndColumns) {
    // cell 10 x 20, 60 columns, first line 3: (4 + 25, 4 + 45) is column 2, row 2.
    EXPECT_EQ(TextHitIndex(29, 49, 700, 400, 10, 20, 60, 3), 2 + 60 * 5);
    EXPECT_EQ(TextHitIndex(-50, -50, 700, 400, 10, 20, 60, 0), 0);
    EXPECT_EQ(TextHitIndex(5000, 0, 700, 400, 10, 20, 60, 0), 59);      // beyond the last column
    EXPECT_EQ(TextHitIndex(0, 5000, 700, 400, 10, 20, 60, 0), 60 * 19); // y limited to 399
}

TEST(TextBoxModel, ScrollRangeFollowsTheLines) {
    TextBoxModel box;
    ExpectScroll(box, 1, 0, false);
    box.SetText(Chars(60).c_str(), nullptr);
    ExpectScroll(box, 1, 0, false);
    box.SetText(Chars(61).c_str(), nullptr);
    ExpectScroll(box, 1, 0, true); // two lines: enabled with range 0..1
    box.SetText(Chars(600).c_str(), nullptr);
    ExpectScroll(box, 9, 0, true);
    EXPECT_TRUE(box.ScrollBy(kScrollBottom, 0, 5));
    ExpectScroll(box, 9, 9, true);
    box.SetRows(3); // first line kept, still within range
    EXPECT_EQ(box.FirstLine(), 9);
    // 60 x 9 / 120 = 4: the first character shown stays near the top.
    box.SetColumns(120);
    ExpectScroll(box, 4, 4, true);
    box.SetColumns(0);
    EXPECT_EQ(box.Columns(), 1);
    ExpectScroll(box, 599, 480, true);
    box.SetText(nullptr, "xyz");
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(box.Marks(), "");
    ExpectScroll(box, 1, 0, false);
}

TEST(TextBoxModel, VerticalScrollRequests) {
    TextBoxModel box;
    box.SetText(Chars(60 * 20).c_str(), nullptr); // lines 0..19
    EXPECT_TRUE(box.ScrollBy(kScrollPageDown, 0, 9));
    EXPECT_EQ(box.FirstLine(), 4);
    EXPECT_TRUE(box.ScrollBy(kScrollPageDown, 0, 1));
    EXPECT_EQ(box.FirstLine(), 5);
    EXPECT_TRUE(box.ScrollBy(kScrollLineUp, 0, 9));
    EXPECT_EQ(box.FirstLine(), 4);
    EXPECT_TRUE(box.ScrollBy(kScrollThumbTrack, 17, 9));
    EXPECT_EQ(box.FirstLine(), 17);
    EXPECT_TRUE(box.ScrollBy(kScrollThumbPosition, 500, 9));
    EXPECT_EQ(box.FirstLine(), 19);
    EXPECT_FALSE(box.ScrollBy(kScrollLineDown, 0, 9)) << "no change, no repaint";
    EXPECT_FALSE(box.ScrollBy(8, 0, 9)); // end-scroll
    EXPECT_TRUE(box.ScrollBy(kScrollTop, 0, 9));
    EXPECT_FALSE(box.ScrollBy(kScrollPageUp, 0, 9));
    EXPECT_EQ(box.FirstLine(), 0);
}

TEST(TextBoxModel, SelectionLimitsAndRuleB) {
    TextBoxModel box;
    box.SetText(Chars(60 * 30).c_str(), nullptr);
    const int visible = 10; // centring puts the line in row 4
    box.SetSelection(10, 14, visible);
    EXPECT_EQ(box.SelectionStart(), 10);
    EXPECT_EQ(box.SelectionEnd(), 14);
    EXPECT_EQ(box.FirstLine(), 0);
    // A group in the last row shown (row 9): its line goes to row 4.
    box.SetSelection(9 * 60 + 6, 9 * 60 + 10, visible);
    EXPECT_EQ(box.FirstLine(), 5);
    // Row 8 is left alone; the last row shown (row 9) already moves, one
    // row earlier than rule A, which waits for the row after the view.
    box.SetSelection(13 * 60 + 6, 13 * 60 + 10, visible);
    EXPECT_EQ(box.FirstLine(), 5);
    box.SetSelection(14 * 60 + 6, 14 * 60 + 10, visible);
    EXPECT_EQ(box.FirstLine(), 10);
    // A group in the first row shown centres back.
    box.SetSelection(10 * 60 + 2, 10 * 60 + 3, visible);
    EXPECT_EQ(box.FirstLine(), 6);
    box.ShowPosition(6 * 60 + 5, visible);
    EXPECT_EQ(box.FirstLine(), 2);

    box.SetSelection(20, 10, visible);
    EXPECT_EQ(box.SelectionStart(), -1);
    EXPECT_EQ(box.SelectionEnd(), -1);
    box.SetSelection(-1, -1, visible);
    EXPECT_EQ(box.SelectionStart(), -1);
    box.SetSelection(-5, 100000, visible);
    EXPECT_EQ(box.SelectionStart(), 0);
    EXPECT_EQ(box.SelectionEnd(), 60 * 30 - 1) << "never past the text";
    EXPECT_EQ(box.FirstLine(), 26) << "centred on the line after the text";

    TextBoxModel empty;
    empty.SetSelection(0, 3, visible);
    EXPECT_EQ(empty.SelectionStart(), 0);
    EXPECT_EQ(empty.SelectionEnd(), 0);
}

TEST(TextBoxModel, ShortTextNeverScrollsOutOfView) {
    // Centring the line after a one-line text would show an empty line with
    // the scroll bar disabled; the first line stays 0.
    TextBoxModel box;
    box.SetText(Chars(60).c_str(), nullptr);
    box.SetSelection(55, 59, 2);
    EXPECT_EQ(box.FirstLine(), 0);
    EXPECT_FALSE(box.ScrollBy(kScrollBottom, 0, 2));
}

TEST(TextBoxModel, InsertRuleAAndDeleteRuleD) {
    TextBoxModel box;
    box.SetText(Chars(60 * 3).c_str(), "xy");
    EXPECT_EQ(box.Marks(), "xy" + Chars(178, ' '));
    box.SetSelection(0, 2, 10);
    // Inside the view: no scrolling and the range is left as it was.
    box.InsertText(-1, Chars(60 * 5).c_str(), 10);
    EXPECT_FALSE(box.SelectionShown());
    ExpectScroll(box, 2, 0, true);
    EXPECT_EQ(box.Text().size(), 480u);
    EXPECT_EQ(box.Marks().substr(178, 4), "    ");
    // Reaching the line after the view: centred, range recomputed.
    box.InsertText(-1, Chars(120).c_str(), 10); // e = 600, line 10
    ExpectScroll(box, 9, 6, true);
    box.InsertText(0, "QQ", 10); // e = 2 <= 60 x 6: centre line 0
    EXPECT_EQ(box.FirstLine(), 0);
    EXPECT_EQ(box.Text().substr(0, 3), "QQA");
    EXPECT_EQ(box.Marks().substr(0, 4), "  xy");
    box.InsertText(10000, "Z", 10);
    box.InsertText(0, nullptr, 10);
    EXPECT_EQ(box.Text().size(), 602u);

    box.ScrollBy(kScrollThumbPosition, 8, 10);
    box.DeleteText(0, 130); // before the view: 8 - 130 / 60 = 6
    EXPECT_EQ(box.Text().size(), 472u);
    ExpectScroll(box, 7, 6, true);
    box.DeleteText(470, 1000); // to the end only
    EXPECT_EQ(box.Text().size(), 470u);
    box.DeleteText(471, 1);
    EXPECT_EQ(box.Text().size(), 470u);
    EXPECT_EQ(box.Marks().size(), box.Text().size());
}

TEST(TextBoxModel, MarksAndComposedLines) {
    TextBoxModel box;
    box.SetText("AB0 CDEFG", "x% ");
    box.SetMark(4, '%');
    box.SetMark(99, 'x');
    box.SetMark(-1, 'x');
    EXPECT_EQ(box.Marks(), "x%  %    ");
    box.SetColumns(6);
    box.SetSelection(5, 6, 10);
    TextBoxModel::LineParts parts;
    box.ComposeLine(0, parts);
    EXPECT_EQ(parts.part[0][0], "  0   ");
    EXPECT_EQ(parts.part[0][1], "     D");
    EXPECT_EQ(parts.part[1][0], "A     ");
    EXPECT_EQ(parts.part[2][0], " B  C ");
    EXPECT_FALSE(parts.used[1][1]);
    EXPECT_FALSE(parts.used[2][1]);
    box.ComposeLine(1, parts);
    EXPECT_EQ(parts.part[0][1], "E     ");
    EXPECT_EQ(parts.part[0][0], " FG   ") << "last line padded with blanks";
    box.ComposeLine(2, parts);
    EXPECT_FALSE(parts.used[0][0]);
}

TEST(TextBoxModel, MouseSelection) {
    TextBoxModel box;
    box.SetText(Chars(100).c_str(), nullptr);
    EXPECT_FALSE(box.DoubleClick(5)) << "not allowed yet";
    EXPECT_FALSE(box.SelectionShown());
    box.AllowMouseSelection(true);
    EXPECT_FALSE(box.MouseMove(7));
    EXPECT_TRUE(box.DoubleClick(5));
    EXPECT_TRUE(box.Tracking());
    EXPECT_TRUE(box.MouseMove(9));
    EXPECT_FALSE(box.MouseMove(9));
    EXPECT_TRUE(box.MouseMove(500)); // limited to the length
    EXPECT_TRUE(box.MouseMove(2));
    EXPECT_TRUE(box.DoubleClick(3));
    EXPECT_FALSE(box.Tracking());
    EXPECT_EQ(box.SelectionStart(), 3);
    EXPECT_EQ(box.SelectionEnd(), 5);
    EXPECT_TRUE(box.DoubleClick(4)); // inside: hides it
    EXPECT_FALSE(box.SelectionShown());
    EXPECT_TRUE(box.DoubleClick(40)); // outside or hidden: starts anew
    EXPECT_EQ(box.SelectionStart(), 40);
    EXPECT_TRUE(box.Tracking());
}
