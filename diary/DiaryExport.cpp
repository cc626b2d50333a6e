#include "diary/DiaryExport.h"

#include "diary/DiaryCharts.h"
#include "results/ResultsSheet.h"
#include "texts/TextEncoding.h"

namespace {
const char* const kKindColours[kDisciplines] = {"#1f5fbf", "#c0392b", "#2e8b57"};
constexpr int kSvgWidth = 640, kSvgHeight = 250;
constexpr ChartArea kPlot{60, 14, 560, 200};

std::string Kind(const DiaryCaptions& c, int kind) {
    return kind >= 0 && kind < kDisciplines ? c.kinds[kind] : "";
}

void Cell(std::string& out, const std::string& text, const char* cls = nullptr) {
    out += std::string("<td") + (cls ? std::string(" class=\"") + cls + "\"" : "") + ">" + HtmlEscape(text) +
           "</td>";
}

std::string SvgText(int x, int y, const char* anchor, const std::string& text) {
    return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" text-anchor=\"" + anchor +
           "\">" + HtmlEscape(text) + "</text>\n";
}

std::string SvgLine(int x1, int y1, int x2, int y2, const char* cls) {
    return "<line class=\"" + std::string(cls) + "\" x1=\"" + std::to_string(x1) + "\" y1=\"" +
           std::to_string(y1) + "\" x2=\"" + std::to_string(x2) + "\" y2=\"" + std::to_string(y2) + "\"/>\n";
}

std::string Legend(const LineChart& chart, const DiaryCaptions& c) {
    std::string out = "<p class=\"legend\">";
    for (const ChartLine& line : chart.lines)
        out += "<span style=\"color:" + std::string(kKindColours[line.kind]) + "\">&#9632; " +
               HtmlEscape(Kind(c, line.kind)) + "</span> ";
    return out + "</p>\n";
}

// One line chart; `label` writes a value of the scale.
template <typename Label> std::string LineChartSvg(const LineChart& chart, const char* id, Label label) {
    std::string out = "<svg id=\"" + std::string(id) + "\" width=\"" + std::to_string(kSvgWidth) +
                      "\" height=\"" + std::to_string(kSvgHeight) + "\" viewBox=\"0 0 " +
                      std::to_string(kSvgWidth) + " " + std::to_string(kSvgHeight) + "\">\n";
    const int left = kPlot.left, right = kPlot.left + kPlot.width, bottom = kPlot.top + kPlot.height;
    for (int v = chart.scale.low; v <= chart.scale.high; v += chart.scale.step) {
        const int y = ChartY(chart.scale, kPlot, v);
        out += SvgLine(left, y, right, y, "grid");
        out += SvgText(left - 6, y + 4, "end", label(v));
    }
    out += SvgLine(left, kPlot.top, left, bottom, "axis") + SvgLine(left, bottom, right, bottom, "axis");
    out += SvgText(left, bottom + 18, "start", DayText(chart.firstDay));
    if (chart.lastDay != chart.firstDay)
        out += SvgText(right, bottom + 18, "end", DayText(chart.lastDay));
    for (const ChartLine& line : chart.lines) {
        const std::string colour = kKindColours[line.kind];
        std::string points;
        for (const ChartPoint& p : line.points) {
            const std::string x = std::to_string(ChartX(chart, kPlot, p.day));
            const std::string y = std::to_string(ChartY(chart.scale, kPlot, p.value));
            points += (points.empty() ? "" : " ") + x + "," + y;
            out += "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"3\" fill=\"" + colour + "\"/>\n";
        }
        out += "<polyline fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"2\" points=\"" + points +
               "\"/>\n";
    }
    return out + "</svg>\n";
}

std::string BarsSvg(const BarChart& chart) {
    constexpr int rowHeight = 22, labelWidth = 40, countWidth = 150;
    const int height = static_cast<int>(chart.bars.size()) * rowHeight + 8;
    const int barSpace = kSvgWidth - labelWidth - countWidth;
    std::string out = "<svg id=\"weakest\" width=\"" + std::to_string(kSvgWidth) + "\" height=\"" +
                      std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(kSvgWidth) + " " +
                      std::to_string(height) + "\">\n";
    for (size_t k = 0; k < chart.bars.size(); ++k) {
        const CharacterSummary& c = chart.bars[k];
        const int y = static_cast<int>(k) * rowHeight + 4;
        const int width = std::max(1, static_cast<int>(static_cast<long long>(chart.rates[k]) * barSpace /
                                                       std::max(1, chart.scale.high)));
        out += SvgText(labelWidth - 10, y + 15, "end", EncodeUtf8(c.character));
        out += "<rect class=\"bar\" x=\"" + std::to_string(labelWidth) + "\" y=\"" + std::to_string(y + 2) +
               "\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(rowHeight - 6) +
               "\"/>\n";
        out += SvgText(labelWidth + width + 6, y + 15, "start",
                       TenthsText(chart.rates[k]) + " % (" + std::to_string(c.errors) + "/" +
                           std::to_string(c.checked) + ")");
    }
    return out + "</svg>\n";
}

std::string TimeText(const DiaryRow& r) {
    const int h = r.second / 3600, m = r.second / 60 % 60;
    return DayText(r.day) + " " + (h < 10 ? "0" : "") + std::to_string(h) + ":" + (m < 10 ? "0" : "") +
           std::to_string(m);
}
} // namespace

DiaryCaptions DefaultDiaryCaptions() {
    DiaryCaptions c;
    c.title = Cp1251ToUtf8("Дневник тренировок");
    c.speedChart = Cp1251ToUtf8("Лучшая зачтенная скорость по дням");
    c.shareChart = Cp1251ToUtf8("Доля верно принятых знаков по дням, %");
    c.weakest = Cp1251ToUtf8("Слабые знаки: доля ошибок в последних 500");
    c.lastChecks = Cp1251ToUtf8("Последние проверки");
    c.noChecks = Cp1251ToUtf8("Проверок за этот период нет.");
    c.date = Cp1251ToUtf8("Дата");
    c.kind = Cp1251ToUtf8("Вид");
    c.number = Cp1251ToUtf8("Номер");
    c.speed = Cp1251ToUtf8("Скорость");
    c.errors = Cp1251ToUtf8("Ошибки");
    c.accepted = Cp1251ToUtf8("Зачет");
    c.confusions = Cp1251ToUtf8("Путаница");
    c.copy = Cp1251ToUtf8("Принято");
    c.yes = Cp1251ToUtf8("да");
    c.no = Cp1251ToUtf8("нет");
    c.kinds[0] = Cp1251ToUtf8("Буквы");
    c.kinds[1] = Cp1251ToUtf8("Цифры");
    c.kinds[2] = Cp1251ToUtf8("Смешанный");
    // The arrow and the times sign are not in code page 1251.
    c.words.wrong = u8"%1\u2192%2 \u00D7%3";
    c.words.missing = "%1 " + Cp1251ToUtf8("пропущено") + u8" \u00D7%3";
    c.words.extra = "%2 " + Cp1251ToUtf8("лишний") + u8" \u00D7%3";
    c.words.separator = ", ";
    return c;
}

std::string DiaryHtml(const std::vector<DiaryRow>& rows, const DiarySummary& summary, const DiaryCaptions& c,
                      const std::string& date) {
    std::string out =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(c.title) +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 2em; }\n"
        "svg { display: block; margin-bottom: 1.5em; font-size: 12px; }\n"
        "line.grid { stroke: #ddd; } line.axis { stroke: #444; }\n"
        "rect.bar { fill: #c0392b; }\n"
        "table { border-collapse: collapse; }\n"
        "th, td { border: 1px solid #444; padding: 0.2em 0.6em; }\n"
        "td.n { text-align: right; } td.copy { white-space: pre-wrap; font-family: monospace; }\n"
        "</style>\n</head>\n<body>\n";
    out += "<h1>" + HtmlEscape(c.title) + "</h1>\n<p class=\"date\">" + HtmlEscape(date) + "</p>\n";
    if (summary.checks == 0) {
        out += "<p>" + HtmlEscape(c.noChecks) + "</p>\n</body>\n</html>\n";
        return out;
    }
    const LineChart speed = BestSpeedChart(summary);
    out += "<h2>" + HtmlEscape(c.speedChart) + "</h2>\n" + Legend(speed, c);
    out += LineChartSvg(speed, "speed", [](int v) { return std::to_string(v); });
    const LineChart share = ShareRightChart(summary);
    out += "<h2>" + HtmlEscape(c.shareChart) + "</h2>\n" + Legend(share, c);
    out +=
        LineChartSvg(share, "share", [](int v) { return v % 10 ? TenthsText(v) : std::to_string(v / 10); });
    if (!summary.weakest.empty())
        out += "<h2>" + HtmlEscape(c.weakest) + "</h2>\n" + BarsSvg(WeakestChart(summary));

    out += "<h2>" + HtmlEscape(c.lastChecks) + "</h2>\n<table id=\"checks\">\n<tr>";
    for (const std::string* h :
         {&c.date, &c.kind, &c.number, &c.speed, &c.errors, &c.accepted, &c.confusions, &c.copy})
        out += "<th>" + HtmlEscape(*h) + "</th>";
    out += "</tr>\n";
    for (size_t i : summary.lastChecks) {
        const DiaryRow& r = rows[i];
        out += "<tr>";
        Cell(out, TimeText(r));
        Cell(out, Kind(c, r.played.kind));
        Cell(out, std::to_string(r.played.number), "n");
        Cell(out, std::to_string(r.played.speed), "n");
        Cell(out, std::to_string(r.errors), "n");
        Cell(out, r.accepted ? c.yes : c.no);
        Cell(out, ConfusionsText(r.confusions, c.words));
        Cell(out, r.copy, "copy");
        out += "</tr>\n";
    }
    return out + "</table>\n</body>\n</html>\n";
}
