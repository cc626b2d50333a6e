#include "controls/TextBoxGeometry.h"

#include <algorithm>
#include <cstring>

namespace {

int AtLeastOne(int v) {
    return v < 1 ? 1 : v;
}

} // namespace

int TextLineCount(int length, int columns) {
    columns = AtLeastOne(columns);
    return length <= 0 ? 0 : (length - 1) / columns + 1;
}

int TextFontHeight(int areaWidth, int clientHeight, int rows, int columns, int cw0, int ch0) {
    int byRows = AtLeastOne(clientHeight / AtLeastOne(rows));
    long long divisor = static_cast<long long>(AtLeastOne(cw0)) * AtLeastOne(columns);
    int byColumns = AtLeastOne(static_cast<int>(static_cast<long long>(ch0) * areaWidth / divisor));
    return std::min(byRows, byColumns);
}

bool TextFontFits(int charWidth, int lineHeight, int drawingWidth, int clientHeight, int columns, int rows) {
    return static_cast<long long>(charWidth) * AtLeastOne(columns) <= drawingWidth &&
           static_cast<long long>(lineHeight) * AtLeastOne(rows) <= clientHeight;
}

int FitTextFont(int areaWidth, int clientWidth, int clientHeight, int rows, int columns, TextCell base,
                const std::function<TextCell(int height)>& cellAt, TextCell& cell) {
    int height = TextFontHeight(areaWidth, clientHeight, rows, columns, base.width, base.height);
    cell = cellAt(height);
    while (height > 1 &&
           !TextFontFits(cell.width, cell.height, clientWidth - 8, clientHeight, columns, rows)) {
        --height;
        cell = cellAt(height);
    }
    return height;
}

int TextVisibleRows(int clientHeight, int lineHeight) {
    return clientHeight / AtLeastOne(lineHeight);
}

int TextHitIndex(int x, int y, int clientWidth, int clientHeight, int charWidth, int lineHeight, int columns,
                 int firstLine) {
    columns = AtLeastOne(columns);
    x = std::max(0, std::min(x, clientWidth - 1) - 4);
    y = std::max(0, std::min(y, clientHeight - 1) - 4);
    int column = std::min(x / AtLeastOne(charWidth), columns - 1);
    int row = y / AtLeastOne(lineHeight);
    return column + columns * (firstLine + row);
}

MarkClass ClassOfMark(char mark) {
    if (mark == ' ')
        return MarkClass::Plain;
    return mark == '%' ? MarkClass::Mark2 : MarkClass::Mark;
}

int TextBoxModel::Limit(int index) const {
    return std::max(0, std::min(index, static_cast<int>(text_.size())));
}

// The disabled scroll bar shows 0..1, but with fewer than two lines the only
// sensible first line is 0.
int TextBoxModel::LastFirstLine() const {
    return scroll_.enabled ? scroll_.maximum : 0;
}

void TextBoxModel::RecomputeRange() {
    int lines = TextLineCount(static_cast<int>(text_.size()), columns_);
    if (lines < 2) {
        scroll_ = Scroll{1, 0, false};
        return;
    }
    scroll_.enabled = true;
    scroll_.maximum = lines - 1;
    scroll_.position = std::max(0, std::min(scroll_.position, lines - 1));
}

void TextBoxModel::CentreLine(int line, int visibleRows) {
    int half = std::max(1, visibleRows / 2);
    int first = std::max(0, line - half + 1);
    scroll_.position = std::min(first, LastFirstLine());
}

void TextBoxModel::RuleB(int e, int visibleRows) {
    long long f = scroll_.position;
    if (e >= static_cast<long long>(columns_) * (f + visibleRows - 1) ||
        e <= static_cast<long long>(columns_) * (f + 1)) {
        RecomputeRange();
        CentreLine(e / columns_, visibleRows);
    }
}

void TextBoxModel::SetText(const char* text, const char* marks) {
    text_ = text ? text : "";
    marks_ = (text && marks) ? marks : "";
    if (marks_.size() < text_.size())
        marks_.append(text_.size() - marks_.size(), ' ');
    selectionShown_ = false;
    tracking_ = false;
    scroll_.position = 0;
    RecomputeRange();
}

void TextBoxModel::InsertText(int position, const char* text, int visibleRows) {
    int length = static_cast<int>(text_.size());
    if (!text || position > length)
        return;
    if (position < 0)
        position = length;
    size_t count = std::strlen(text);
    text_.insert(static_cast<size_t>(position), text, count);
    marks_.insert(static_cast<size_t>(position), count, ' ');
    selectionShown_ = false;
    tracking_ = false;
    long long e = position + static_cast<long long>(count);
    long long f = scroll_.position;
    if (e >= columns_ * (f + visibleRows) || e <= columns_ * f) {
        RecomputeRange();
        CentreLine(static_cast<int>(e / columns_), visibleRows);
    }
}

void TextBoxModel::DeleteText(int position, int count) {
    int length = static_cast<int>(text_.size());
    if (position < 0 || position > length)
        return;
    count = std::max(0, count);
    int removed = std::min(count, length - position);
    text_.erase(static_cast<size_t>(position), static_cast<size_t>(removed));
    marks_.erase(static_cast<size_t>(position), static_cast<size_t>(removed));
    selectionShown_ = false;
    tracking_ = false;
    int first = scroll_.position;
    RecomputeRange();
    if (static_cast<long long>(position) < static_cast<long long>(columns_) * first)
        scroll_.position = std::min(std::max(0, first - count / columns_), LastFirstLine());
}

void TextBoxModel::SetMark(int position, char mark) {
    if (position >= 0 && position < static_cast<int>(marks_.size()))
        marks_[static_cast<size_t>(position)] = mark;
}

void TextBoxModel::SetRows(int rows) {
    rows_ = std::min(AtLeastOne(rows), kTextBoxMaxRows);
    RecomputeRange();
}

void TextBoxModel::SetColumns(int columns) {
    columns = std::min(AtLeastOne(columns), kTextBoxMaxColumns);
    long long first = static_cast<long long>(columns_) * scroll_.position / columns;
    columns_ = columns;
    scroll_.position = static_cast<int>(first);
    RecomputeRange();
}

void TextBoxModel::SetSelection(int first, int last, int visibleRows) {
    anchor_ = Limit(first);
    end_ = Limit(last);
    tracking_ = false;
    if (last < first || first == -1 || last == -1) {
        selectionShown_ = false;
        return;
    }
    RuleB(std::max(anchor_, end_) + 1, visibleRows);
    selectionShown_ = true;
}

void TextBoxModel::ShowPosition(int index, int visibleRows) {
    RuleB(index, visibleRows);
}

int TextBoxModel::SelectionStart() const {
    if (!selectionShown_)
        return -1;
    return Limit(std::min(anchor_, end_));
}

int TextBoxModel::SelectionEnd() const {
    if (!selectionShown_)
        return -1;
    return std::max(0, std::min(std::max(anchor_, end_), static_cast<int>(text_.size()) - 1));
}

bool TextBoxModel::IsSelected(int index) const {
    return selectionShown_ && index >= std::min(anchor_, end_) && index <= std::max(anchor_, end_);
}

bool TextBoxModel::ScrollBy(int request, int thumb, int visibleRows) {
    int page = visibleRows < 2 ? 1 : visibleRows / 2;
    long long target;
    switch (request) {
    case kScrollLineUp:
        target = scroll_.position - 1LL;
        break;
    case kScrollLineDown:
        target = scroll_.position + 1LL;
        break;
    case kScrollPageUp:
        target = scroll_.position - static_cast<long long>(page);
        break;
    case kScrollPageDown:
        target = scroll_.position + static_cast<long long>(page);
        break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        target = thumb;
        break;
    case kScrollTop:
        target = 0;
        break;
    case kScrollBottom:
        target = LastFirstLine();
        break;
    default:
        return false;
    }
    int limited = static_cast<int>(std::max(0LL, std::min(target, static_cast<long long>(LastFirstLine()))));
    if (limited == scroll_.position)
        return false;
    scroll_.position = limited;
    return true;
}

bool TextBoxModel::DoubleClick(int index) {
    if (!mouseSelection_)
        return false;
    index = Limit(index);
    if (tracking_) {
        end_ = index;
        tracking_ = false;
    } else if (IsSelected(index)) {
        selectionShown_ = false;
    } else {
        anchor_ = end_ = index;
        selectionShown_ = true;
        tracking_ = true;
    }
    return true;
}

bool TextBoxModel::MouseMove(int index) {
    if (!tracking_)
        return false;
    index = Limit(index);
    if (index == end_)
        return false;
    end_ = index;
    return true;
}

void TextBoxModel::ComposeLine(int line, LineParts& out) const {
    const size_t columns = static_cast<size_t>(columns_);
    for (auto& byClass : out.part)
        for (auto& part : byClass)
            part.assign(columns, ' ');
    for (auto& byClass : out.used)
        byClass[0] = byClass[1] = false;
    long long start = static_cast<long long>(line) * columns_;
    for (size_t column = 0; column < columns; ++column) {
        long long index = start + static_cast<long long>(column);
        if (index < 0 || index >= static_cast<long long>(text_.size()))
            break;
        char c = text_[static_cast<size_t>(index)];
        if (c == ' ')
            continue; // a blank is a blank in every part
        int cls = static_cast<int>(ClassOfMark(marks_[static_cast<size_t>(index)]));
        int lit = IsSelected(static_cast<int>(index)) ? 1 : 0;
        out.part[cls][lit][column] = c;
        out.used[cls][lit] = true;
    }
}
