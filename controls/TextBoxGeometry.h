// Everything about the text box that needs no window: the text with its
// marks, lines of a fixed number of columns, the scroll range and position,
// the selection, the auto-scroll rules, the font-size bounds, hit-testing and
// the composition of a painted line. The window class feeds it the number of
// visible rows, which depends on measuring the font.
#pragma once

#include <functional>
#include <string>

// Characters per line and rows below 1 are taken as 1, so no division fails.
int TextLineCount(int length, int columns);

// The most columns and rows a box takes: more than any screen shows, and a
// hand-edited size beyond them would only build lines of endless blanks.
constexpr int kTextBoxMaxColumns = 500;
constexpr int kTextBoxMaxRows = 200;

// The cell height of the font: the smaller of the bound by rows (client
// height / rows) and the bound by columns (ch0 x areaWidth / (cw0 x columns)),
// each at least 1. cw0 and ch0 are the extent of "W" at the default height.
int TextFontHeight(int areaWidth, int clientHeight, int rows, int columns, int cw0, int ch0);

// Whether columns characters of width charWidth fit the drawing width and
// rows lines of lineHeight the client height.
bool TextFontFits(int charWidth, int lineHeight, int drawingWidth, int clientHeight, int columns, int rows);

// The cell of "W" in a font of some height.
struct TextCell {
    int width = 0, height = 0;
};

// The font height for the client area, and its cell in `cell`: the bound of
// TextFontHeight over areaWidth from the cell of the default height, then
// stepped down while the cell `cellAt` measures for it does not fit every
// column into the drawing area (4 pixels in from either side) and every row
// into the client height. A substitute face does not keep the proportions
// of the default height at every height, hence the steps.
int FitTextFont(int areaWidth, int clientWidth, int clientHeight, int rows, int columns, TextCell base,
                const std::function<TextCell(int height)>& cellAt, TextCell& cell);

// Rows of height lineHeight that fit the client height.
int TextVisibleRows(int clientHeight, int lineHeight);

// The character under the mouse (not yet limited to the text).
int TextHitIndex(int x, int y, int clientWidth, int clientHeight, int charWidth, int lineHeight, int columns,
                 int firstLine);

// Mark classes of a character.
enum class MarkClass { Plain, Mark, Mark2 };
MarkClass ClassOfMark(char mark);

// Scroll bar requests, numbered as the system's SB_* codes.
enum ScrollRequest {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
};

class TextBoxModel {
public:
    // The scroll bar: range 0..scrollMaximum; position is the first line shown.
    struct Scroll {
        int maximum = 1;
        int position = 0;
        bool enabled = false;
    };

    // Null text empties text and marks; null marks are all blank; a shorter
    // mark string is padded with blanks.
    void SetText(const char* text, const char* marks);
    // Negative position is the end; a position beyond the text or a null
    // text does nothing. Auto-scroll rule A on the end of the new stretch.
    void InsertText(int position, const char* text, int visibleRows);
    // Removes up to count characters; scroll rule D.
    void DeleteText(int position, int count);
    void SetMark(int position, char mark);
    // Both kept within 1 and their maximum.
    void SetRows(int rows);
    void SetColumns(int columns);
    void SetSelection(int first, int last, int visibleRows);
    // Auto-scroll rule B on the index.
    void ShowPosition(int index, int visibleRows);
    // -1 while no selection is shown; otherwise within the text.
    int SelectionStart() const;
    int SelectionEnd() const;
    // True when the first line shown changed.
    bool ScrollBy(int request, int thumb, int visibleRows);
    void AllowMouseSelection(bool allowed) { mouseSelection_ = allowed; }
    // True when the control must repaint.
    bool DoubleClick(int index);
    bool MouseMove(int index);

    const std::string& Text() const { return text_; }
    const std::string& Marks() const { return marks_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int FirstLine() const { return scroll_.position; }
    const Scroll& ScrollBar() const { return scroll_; }
    bool SelectionShown() const { return selectionShown_; }
    bool Tracking() const { return tracking_; }
    bool MouseSelectionAllowed() const { return mouseSelection_; }
    bool IsSelected(int index) const;

    // The six parts of one painted line (padded with blanks to the columns):
    // for each mark class its characters outside and inside the selection,
    // every other position a blank. part[class][0] is drawn in the class's
    // normal colour, part[class][1] in its highlight colour; `used` tells
    // which parts hold anything but blanks.
    struct LineParts {
        std::string part[3][2];
        bool used[3][2];
    };
    void ComposeLine(int line, LineParts& out) const;

private:
    void RecomputeRange();
    int LastFirstLine() const;
    void CentreLine(int line, int visibleRows);
    void RuleB(int e, int visibleRows);
    int Limit(int index) const;

    std::string text_;
    std::string marks_;
    int columns_ = 60;
    int rows_ = 10;
    Scroll scroll_;
    int anchor_ = 0;
    int end_ = 0;
    bool selectionShown_ = false;
    bool tracking_ = false;
    bool mouseSelection_ = false;
};
