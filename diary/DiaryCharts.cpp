#include "diary/DiaryCharts.h"

#include "results/Results.h"

#include <algorithm>

namespace {
int FloorTo(int v, int step) {
    return (v >= 0 ? v / step : -((-v + step - 1) / step)) * step;
}

int CeilTo(int v, int step) {
    return -FloorTo(-v, step);
}

template <typename ValueOf> LineChart ChartOf(const DiarySummary& summary, int ceiling, ValueOf valueOf) {
    LineChart chart;
    chart.firstDay = summary.firstDay;
    chart.lastDay = summary.lastDay;
    int low = 0, high = 0;
    bool any = false;
    for (int kind = 0; kind < kDisciplines; ++kind) {
        ChartLine line{kind, {}};
        for (const DaySummary& d : summary.days) {
            int value;
            if (d.kind != kind || !valueOf(d, value))
                continue;
            line.points.push_back({d.day, value});
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
        if (!line.points.empty())
            chart.lines.push_back(std::move(line));
    }
    chart.scale = RoundScale(low, high, 5, 0, ceiling);
    return chart;
}
} // namespace

ChartScale RoundScale(int low, int high, int ticks, int floor, int ceiling) {
    if (high < low)
        std::swap(low, high);
    if (high == low) { // one value: room around it
        low = std::max(floor, low - 1);
        high = std::min(ceiling, high + 1);
    }
    ticks = std::max(1, ticks);
    for (long long power = 1;; power *= 10) {
        for (int m : {1, 2, 5}) {
            const long long step = m * power;
            if (step > 1000000000LL)
                return {low, high, high > low ? high - low : 1};
            const int s = static_cast<int>(step);
            const int a = std::max(floor, FloorTo(low, s));
            const int b = std::min(ceiling, CeilTo(high, s));
            if (b > a && (b - a + s - 1) / s <= ticks)
                return {a, b, s};
        }
    }
}

LineChart BestSpeedChart(const DiarySummary& summary) {
    return ChartOf(summary, 100000, [](const DaySummary& d, int& value) {
        value = d.bestAcceptedSpeed;
        return value > 0;
    });
}

LineChart ShareRightChart(const DiarySummary& summary) {
    return ChartOf(summary, 1000, [](const DaySummary& d, int& value) {
        value = ShareTenths(d.right, d.characters);
        return value >= 0;
    });
}

int ChartX(const LineChart& chart, const ChartArea& area, int day) {
    const int span = chart.lastDay - chart.firstDay;
    if (span <= 0)
        return area.left + area.width / 2;
    return area.left + static_cast<int>(static_cast<long long>(day - chart.firstDay) * area.width / span);
}

int ChartY(const ChartScale& scale, const ChartArea& area, int value) {
    const int span = std::max(1, scale.high - scale.low);
    return area.top + area.height -
           static_cast<int>(static_cast<long long>(value - scale.low) * area.height / span);
}

BarChart WeakestChart(const DiarySummary& summary) {
    BarChart chart;
    chart.bars = summary.weakest;
    int highest = 0;
    for (const CharacterSummary& c : summary.weakest) {
        chart.rates.push_back(ShareTenths(c.errors, c.checked));
        highest = std::max(highest, chart.rates.back());
    }
    chart.scale = RoundScale(0, std::max(highest, 1), 5, 0, 1000);
    return chart;
}
