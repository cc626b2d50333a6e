#include "results/ResultsSheet.h"

#include "texts/TextEncoding.h"

namespace {
void Cell(std::string& out, const char* tag, const std::string& text, const char* cls = nullptr) {
    out += std::string("<") + tag + (cls ? std::string(" class=\"") + cls + "\"" : "") + ">" +
           HtmlEscape(text) + "</" + tag + ">";
}

std::string RankText(int rank, const SheetCaptions& c) {
    return rank > 0 ? std::to_string(rank) : c.noResult;
}
} // namespace

SheetCaptions DefaultSheetCaptions() {
    SheetCaptions c;
    c.title = Cp1251ToUtf8("Результаты соревнований по приему");
    c.rank = Cp1251ToUtf8("Место");
    c.participant = Cp1251ToUtf8("Участник");
    c.speed = Cp1251ToUtf8("Скорость");
    c.errors = Cp1251ToUtf8("Ошибки");
    c.result = Cp1251ToUtf8("Результат");
    c.points = Cp1251ToUtf8("Очки");
    c.total = Cp1251ToUtf8("Сумма");
    c.overall = Cp1251ToUtf8("Общий зачет");
    c.disciplines[0] = Cp1251ToUtf8("Буквы");
    c.disciplines[1] = Cp1251ToUtf8("Цифры");
    c.disciplines[2] = Cp1251ToUtf8("Смешанный");
    c.noResult = "-";
    return c;
}

std::string HtmlEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

std::string ResultsHtml(const std::vector<MarkRecord>& records, int maxErrors, const SheetCaptions& c,
                        const std::string& date) {
    std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                      HtmlEscape(c.title) +
                      "</title>\n<style>\n"
                      "body { font-family: sans-serif; margin: 2em; }\n"
                      "table { border-collapse: collapse; margin-bottom: 2em; }\n"
                      "th, td { border: 1px solid #444; padding: 0.2em 0.8em; }\n"
                      "td.n { text-align: right; }\n"
                      "tr.none td { color: #777; }\n"
                      "@media print { h2 { page-break-after: avoid; } table { page-break-inside: avoid; } }\n"
                      "</style>\n</head>\n<body>\n";
    out += "<h1>" + HtmlEscape(c.title) + "</h1>\n<p class=\"date\">" + HtmlEscape(date) + "</p>\n";
    for (int d = 0; d < kDisciplines; ++d) {
        out += "<h2>" + HtmlEscape(c.disciplines[d]) + "</h2>\n<table class=\"discipline\" id=\"" +
               DisciplineName(d) + "\">\n<tr>";
        Cell(out, "th", c.rank);
        Cell(out, "th", c.participant);
        Cell(out, "th", c.speed);
        Cell(out, "th", c.errors);
        Cell(out, "th", c.result);
        out += "</tr>\n";
        for (const RankRow& r : RankDiscipline(records, d, maxErrors)) {
            out += r.rank > 0 ? "<tr>" : "<tr class=\"none\">";
            Cell(out, "td", RankText(r.rank, c), "n");
            Cell(out, "td", r.participant);
            Cell(out, "td", r.speed >= 0 ? std::to_string(r.speed) : c.noResult, "n");
            Cell(out, "td", r.errors >= 0 ? std::to_string(r.errors) : c.noResult, "n");
            Cell(out, "td", r.result >= 0 ? std::to_string(r.result) : c.noResult, "n");
            out += "</tr>\n";
        }
        out += "</table>\n";
    }
    out += "<h2>" + HtmlEscape(c.overall) + "</h2>\n<table class=\"overall\" id=\"overall\">\n<tr>";
    Cell(out, "th", c.rank);
    Cell(out, "th", c.participant);
    for (int d = 0; d < kDisciplines; ++d)
        Cell(out, "th", c.disciplines[d]);
    Cell(out, "th", c.total);
    out += "</tr>\n";
    for (const OverallRow& r : RankOverall(records, maxErrors)) {
        out += r.rank > 0 ? "<tr>" : "<tr class=\"none\">";
        Cell(out, "td", RankText(r.rank, c), "n");
        Cell(out, "td", r.participant);
        for (int d = 0; d < kDisciplines; ++d)
            Cell(out, "td", FormatPoints(r.points[d]), "n");
        Cell(out, "td", FormatPoints(r.total), "n");
        out += "</tr>\n";
    }
    out += "</table>\n</body>\n</html>\n";
    return out;
}
