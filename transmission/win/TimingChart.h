// ATimingChartWnd: histograms of a sender's keyed lengths, in units of the
// speed reached, one strip per kind of element or gap (dots, dashes, gaps
// inside characters, between characters, between groups), each against a
// vertical line at its ideal length (1, 3, 1, 3, 7). Both transmission pages
// use it; the page gives the strips their names in its language and the
// control its colours.
#pragma once

#include "transmission/KeyDecoder.h"

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

// The five strips of a decoding: dots, dashes, gaps inside characters,
// between characters and between groups, each length divided by `unitMs`
// (the sender's unit, KeyStatistics::unitMs), under the names given.
std::vector<TimingChartRow> TimingChartRowsOf(const KeyDecoding& decoding, double unitMs,
                                              const std::string (&names)[5]);

// The axis runs from 0 to kTimingChartUnits. Bins are centred on multiples
// of a quarter unit, as KeyStatistics counts them, so an exact 1, 3 or 7
// sits on its ideal line; the last bin takes everything longer, the first
// anything shorter.
constexpr double kTimingChartUnits = 10.0;
std::vector<int> TimingChartBins(const std::vector<double>& lengths);
