// ATimingChartWnd: the keyed lengths as histograms against their ideal
// lengths, painted off screen in one go.
#include "transmission/win/TimingChart.h"

#include "app/win/Application.h"
#include "app/win/WideText.h"
#include "controls/win/ControlClass.h"
#include "transmission/KeyStats.h"

#include <algorithm>
#include <cmath>

const char kTimingChartClass[] = "ATimingChartWnd";

namespace {

constexpr int kBins = kHistogramBins;
static_assert((kBins - 1) * kHistogramBinUnits == kTimingChartUnits,
              "the last bin is centred on the axis' end");

struct ChartRecord {
    TimingChartLook look;
    std::vector<TimingChartRow> rows;
    std::vector<std::vector<int>> bins; // per row
    std::string empty;
    HFONT font = nullptr; // the dialog's, not owned
};

void Write(HDC dc, int x, int y, const std::string& text, UINT align) {
    const std::wstring wide = TextToWide(text);
    SetTextAlign(dc, align);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int TextWidth(HDC dc, const std::string& text) {
    const std::wstring wide = TextToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour, int width) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

std::string RowName(const TimingChartRow& row) {
    return row.name + " (" + std::to_string(row.lengths.size()) + ")";
}

void Paint(HWND window, ChartRecord& record, HDC target, const RECT& update) {
    const OffscreenCanvas canvas(window, target);
    const RECT& client = canvas.client();
    HDC dc = canvas.dc();
    HBRUSH background = CreateSolidBrush(record.look.background);
    FillRect(dc, &client, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont =
        SelectObject(dc, record.font ? static_cast<HGDIOBJ>(record.font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int lineHeight = std::max<int>(1, tm.tmHeight);
    SetTextColor(dc, record.look.text);

    // One strip under another, each under its name, over one axis of units
    // at the bottom: the whole width is the plot's, whatever the language.
    const int left = client.left + 8;
    const int right = std::max<int>(left + kBins, static_cast<int>(client.right) - 10);
    const int width = right - left;
    const int axisY = client.bottom - lineHeight - 6;
    const int count = static_cast<int>(record.rows.size());
    const int rowHeight =
        count ? std::max(lineHeight + 6, (axisY - static_cast<int>(client.top) - 2) / count) : 0;
    auto xOf = [&](double units) {
        return left +
               static_cast<int>(std::lround(std::min(units, kTimingChartUnits) * width / kTimingChartUnits));
    };

    HBRUSH bars = CreateSolidBrush(record.look.bars);
    bool anyLength = false;
    for (int i = 0; i < count; ++i) {
        const TimingChartRow& row = record.rows[static_cast<size_t>(i)];
        const std::vector<int>& bins = record.bins[static_cast<size_t>(i)];
        const int top = client.top + 2 + i * rowHeight;
        const int plotTop = top + lineHeight + 1;
        const int base = top + rowHeight - 2;
        Write(dc, left, top, RowName(row), TA_LEFT | TA_TOP);
        const int highest = bins.empty() ? 0 : *std::max_element(bins.begin(), bins.end());
        anyLength = anyLength || highest > 0;
        for (int b = 0; highest > 0 && b < kBins; ++b) {
            const int n = bins[static_cast<size_t>(b)];
            if (!n)
                continue;
            const int height = std::max(1, (base - plotTop - 1) * n / highest);
            // Centred on the bin's length; adjacent bins touch.
            const int x0 = xOf(std::max(0.0, (b - 0.5) * kHistogramBinUnits));
            const int x1 = xOf((b + 0.5) * kHistogramBinUnits);
            RECT bar{x0, base - height, std::max(x0 + 1, x1), base};
            FillRect(dc, &bar, bars);
        }
        Line(dc, left, base, right, base, record.look.text, 1);
        const int ideal = xOf(row.ideal);
        Line(dc, ideal, plotTop, ideal, base, record.look.ideal, 1); // over the bars, which show either side
    }
    DeleteObject(bars);

    // The axis: a tick on every unit, a number on every one there is room for.
    Line(dc, left, axisY, right, axisY, record.look.text, 1);
    const int step = TextWidth(dc, "10") * 2 > width / static_cast<int>(kTimingChartUnits) ? 2 : 1;
    for (int u = 0; u <= static_cast<int>(kTimingChartUnits); ++u) {
        Line(dc, xOf(u), axisY, xOf(u), axisY + 3, record.look.text, 1);
        if (u % step == 0)
            Write(dc, xOf(u), axisY + 4, std::to_string(u), TA_CENTER | TA_TOP);
    }
    if (!anyLength && !record.empty.empty())
        Write(dc, (client.left + client.right) / 2, (client.top + axisY) / 2 - lineHeight / 2, record.empty,
              TA_CENTER | TA_TOP);
    canvas.Show(update);
    SelectObject(dc, oldFont);
}

bool HandleMessage(HWND window, ChartRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT& result) {
    switch (message) {
    case WM_SETFONT:
        record.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(window, nullptr, FALSE);
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(record.font);
        return true;
    }
    return false;
}

ChartRecord* RecordOf(HWND chart) {
    return chart ? ControlRecord<ChartRecord>(chart) : nullptr;
}

} // namespace

std::vector<int> TimingChartBins(const std::vector<double>& lengths) {
    std::vector<int> bins(static_cast<size_t>(kBins), 0);
    for (double units : lengths) {
        if (!std::isfinite(units))
            continue; // a broken time must not count anywhere
        const double at = std::floor(units / kHistogramBinUnits + 0.5);
        const int bin = at < 0 ? 0 : at >= kBins ? kBins - 1 : static_cast<int>(at);
        ++bins[static_cast<size_t>(bin)];
    }
    return bins;
}

std::vector<TimingChartRow> TimingChartRowsOf(const KeyDecoding& decoding, double unitMs,
                                              const std::string (&names)[5]) {
    const double ideals[5] = {1, 3, 1, 3, 7}; // in ElementKind's order
    std::vector<TimingChartRow> rows(5);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = {names[i], ideals[i], {}};
    if (unitMs > 0)
        for (const DecodedElement& e : decoding.elements)
            rows[static_cast<size_t>(e.kind)].lengths.push_back(e.lengthMs / unitMs);
    return rows;
}

ATOM RegisterTimingChartClass(HINSTANCE instance) {
    return RegisterPaintedControlClass<HandleRecordControl<ChartRecord, Paint, HandleMessage>>(
        instance, kTimingChartClass);
}

TimingChartLook TimingChartLookOf(Application& app) {
    return {static_cast<COLORREF>(app.GetTextBoxBColor()), static_cast<COLORREF>(app.GetTextBoxHColor()),
            static_cast<COLORREF>(app.GetTextBoxTColor()), static_cast<COLORREF>(app.GetTextBoxMTColor())};
}

void SetTimingChart(HWND chart, const std::vector<TimingChartRow>& rows, const std::string& empty) {
    ChartRecord* record = RecordOf(chart);
    if (!record)
        return;
    record->rows = rows;
    record->bins.clear();
    for (const TimingChartRow& row : rows)
        record->bins.push_back(TimingChartBins(row.lengths));
    record->empty = empty;
    InvalidateRect(chart, nullptr, FALSE);
}

void SetTimingChartLook(HWND chart, const TimingChartLook& look) {
    if (ChartRecord* record = RecordOf(chart)) {
        record->look = look;
        InvalidateRect(chart, nullptr, FALSE);
    }
}
