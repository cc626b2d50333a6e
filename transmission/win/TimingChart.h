// ATimingChartWnd: histograms of a sender's keyed lengths, in units of the
// speed reached, one strip per kind of element or gap (dots, dashes, gaps
// inside characters, between characters, between groups), each against a
// vertical line at its ideal length (1, 3, 1, 3, 7). Both transmission pages
// use it; the page gives the strips their names in its language and the
// control its colours.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Application;

extern const char kTimingChartClass[]; // "ATimingChartWnd", for the dialog templates

ATOM RegisterTimingChartClass(HINSTANCE instance);

// One strip: its name (in the language's code page), the ideal length and
// the keyed lengths, all in units.
struct TimingChartRow {
    std::string name;
    double ideal = 1;
    std::vector<double> lengths;
};

struct TimingChartLook {
    COLORREF background = RGB(255, 255, 255);
    COLORREF text = RGB(0, 0, 0); // names, axis and scale
    COLORREF bars = RGB(0, 0, 255);
    COLORREF ideal = RGB(255, 0, 0);
};
// The text box's display colours: its background, the highlight for text
// and axis, the text colour for the bars and the mark colour for the ideal
// lines, so the chart reads like the page's text box.
TimingChartLook TimingChartLookOf(Application& app);

// What the chart shows; `empty` is said in the middle while no strip has a
// length (nothing keyed yet). Repaints.
void SetTimingChart(HWND chart, const std::vector<TimingChartRow>& rows, const std::string& empty);
void SetTimingChartLook(HWND chart, const TimingChartLook& look);

// The widest length the axis shows, in units: lengths beyond go into the
// last bin. Bins are a quarter of a unit wide.
constexpr double kTimingChartUnits = 10.0;
constexpr int kTimingChartBinsPerUnit = 4;

// Counts per bin of `lengths` (kTimingChartUnits * kTimingChartBinsPerUnit
// bins; negative lengths go into the first, the longest into the last).
std::vector<int> TimingChartBins(const std::vector<double>& lengths);
