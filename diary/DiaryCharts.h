// The diary's pictures as data, so that the page (GDI) and the HTML export
// (SVG) draw the same thing: one line per kind over the days shown, a scale
// with round steps, and where a value lands in a plot area.
#pragma once

#include "diary/DiarySummary.h"

#include <vector>

struct ChartPoint {
    int day;
    int value;
};

struct ChartLine {
    int kind;
    std::vector<ChartPoint> points; // by day; days without a value are left out
};

// From `low` to `high` in steps of `step`: a tick on every step.
struct ChartScale {
    int low = 0;
    int high = 1;
    int step = 1;
};

struct LineChart {
    int firstDay = 0, lastDay = 0;
    ChartScale scale;
    std::vector<ChartLine> lines; // kinds with at least one point
};

// A scale from at most `low` to at least `high` in 1, 2 or 5 times a power of
// ten, with no more than `ticks` steps; `floor` and `ceiling` bound it (a
// share never goes past 100 %).
ChartScale RoundScale(int low, int high, int ticks, int floor, int ceiling);

// Best accepted speed per day, one line per kind.
LineChart BestSpeedChart(const DiarySummary& summary);
// Share of characters right per day, in tenths of a percent, one line per kind.
LineChart ShareRightChart(const DiarySummary& summary);

struct ChartArea {
    int left, top, width, height;
};
// Pixel positions in `area`: the first day at the left edge, the last at the
// right (a single day in the middle); the scale's low at the bottom.
int ChartX(const LineChart& chart, const ChartArea& area, int day);
int ChartY(const ChartScale& scale, const ChartArea& area, int value);

// Error rate in tenths of a percent of each of the weakest characters, and
// the scale their bars are drawn against.
struct BarChart {
    ChartScale scale;
    std::vector<CharacterSummary> bars;
    std::vector<int> rates; // tenths of a percent, as bars
};
BarChart WeakestChart(const DiarySummary& summary);
