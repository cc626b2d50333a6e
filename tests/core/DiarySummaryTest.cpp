#include "diary/DiaryCharts.h"
#include "diary/DiaryExport.h"
#include "diary/DiarySummary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Seven checks worked through by hand (see each day's expectations below).
const char kDiary[] =
    "\xEF\xBB\xBF"
    "date;kind;series;number;groups;speed;tone;characters;errors;accepted;confusions;copy\r\n"
    "2025-02-20 18:00:00;mixed;training;3;1;80;square;5;5;no;?>-:5;\r\n"
    "2025-03-03 08:00:00;letters;training;9;2;150;square;10;0;yes;;ABCDE FGHIJ\r\n"
    "2025-03-08 09:00:00;letters;training;1;2;100;square;10;1;yes;Q>Y:1;ABCDE FGHIY\r\n"
    "2025-03-08 19:30:00;letters;training;2;2;120;sine;10;7;no;Q>Y:2 A>-:5;YYXYZ\r\n"
    "2025-03-09 07:15:00;figures;training;3;1;90;square;5;1;yes;->5:1;123455\r\n"
    "2025-03-10 12:00:00;letters;training;4;2;110;square;10;0;yes;;QQQQQ ABCDE\r\n"
    "2025-03-11 08:00:00;letters;training;5;2;200;square;10;0;yes;;ABCDE FGHIJ\r\n";
const int kToday = DayOfDate(2025, 3, 10);

std::vector<DiaryRow> Rows(const std::string& csv) {
    DiaryContents diary;
    std::string error;
    EXPECT_TRUE(ParseDiary(csv, diary, error)) << error;
    EXPECT_EQ(diary.skipped, 0) << diary.firstProblem;
    return diary.rows;
}

std::string Days(const DiarySummary& s) {
    std::string out;
    for (const DaySummary& d : s.days)
        out += DayText(d.day).substr(5) + " " + std::to_string(d.kind) + ": " + std::to_string(d.checks) +
               " " + std::to_string(d.bestAcceptedSpeed) + " " + std::to_string(d.right) + "/" +
               std::to_string(d.characters) + "; ";
    return out;
}

std::string Weakest(const DiarySummary& s) {
    std::string out;
    for (const CharacterSummary& c : s.weakest)
        out += static_cast<char>(c.character) + std::string(" ") + std::to_string(c.errors) + "/" +
               std::to_string(c.checked) + "; ";
    return out;
}

DiaryRow LettersRow(const std::string& copy, int characters, int errors, std::vector<Confusion> confusions,
                    int kind = 0) {
    DiaryRow row;
    row.day = kToday;
    row.played.kind = kind;
    row.played.speed = 100;
    row.characters = characters;
    row.errors = errors;
    row.confusions = std::move(confusions);
    row.copy = copy;
    return row;
}

size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(DiarySummary, DaysAndWeakestCharactersWorkedByHand) {
    const std::vector<DiaryRow> rows = Rows(kDiary);
    // The last seven days up to the 10th: not the 3rd, not the 11th. On the
    // 8th the copy of 120 was not accepted (7 errors, 3 of 10 right).
    DiarySummary week = SummariseDiary(rows, kToday, 7);
    EXPECT_EQ(Days(week), "03-08 0: 2 100 12/20; 03-09 1: 1 90 5/5; 03-10 0: 1 110 10/10; ");
    // A: 1 + 5 + 1 checked, the 5 missing; Q: 5 + 2 + 1, 3 written as Y.
    EXPECT_EQ(Weakest(week), "A 5/7; Q 3/8; ");
    EXPECT_EQ(week.checks, 4);
    EXPECT_EQ(week.firstDay, DayOfDate(2025, 3, 4));
    EXPECT_EQ(week.lastDay, kToday);
    EXPECT_EQ(week.lastChecks, (std::vector<size_t>{5, 4, 3, 2}));

    // A transmission (keying) on the 10th is a check, but no reception
    // speed and no copied characters.
    std::vector<DiaryRow> keyed =
        Rows(std::string(kDiary) + "2025-03-10 13:00:00;letters;training;4;2;300;square;10;5;yes;A>E:5;"
                                   "EEEEE ABCDE;;;0;transmission;2.5;0.1;0.2;0.3;80\r\n");
    ASSERT_TRUE(keyed.back().transmission.present);
    const DiarySummary withKeying = SummariseDiary(keyed, kToday, 7);
    EXPECT_EQ(Days(withKeying), Days(week));
    EXPECT_EQ(Weakest(withKeying), Weakest(week));
    EXPECT_EQ(withKeying.checks, 5);
    EXPECT_EQ(withKeying.lastChecks.front(), 7u);

    const DiarySummary all = SummariseDiary(rows, kToday, 0);
    EXPECT_EQ(Days(all), "02-20 2: 1 0 0/5; 03-03 0: 1 150 10/10; 03-08 0: 2 100 12/20; 03-09 1: 1 90 5/5; "
                         "03-10 0: 1 110 10/10; 03-11 0: 1 200 10/10; ");
    EXPECT_EQ(Weakest(all), "? 5/5; A 5/9; Q 3/8; ");
    EXPECT_EQ(all.firstDay, DayOfDate(2025, 2, 20));
    EXPECT_EQ(all.lastDay, DayOfDate(2025, 3, 11));
}

TEST(DiarySummary, CharactersOfARowAddUpOrTheRowIsLeftOut) {
    std::vector<CharacterSummary> counts;
    // Text QQAAAAAXYZ, copy YYXYZ: Q twice as Y, five A missing.
    ASSERT_TRUE(CharactersOfRow(LettersRow("yy x yz", 10, 7, {{U'Q', U'Y', 2}, {U'A', 0, 5}}), counts));
    std::string seen;
    for (const CharacterSummary& c : counts)
        seen +=
            static_cast<char>(c.character) + std::to_string(c.checked) + "/" + std::to_string(c.errors) + " ";
    EXPECT_EQ(seen, "Y1/0 X1/0 Z1/0 Q2/2 A5/5 ");
    EXPECT_EQ(RightOfRow(LettersRow("yy x yz", 10, 7, {{U'Q', U'Y', 2}, {U'A', 0, 5}})), 3);

    EXPECT_FALSE(CharactersOfRow(LettersRow("YYXYZ", 11, 7, {{U'Q', U'Y', 2}, {U'A', 0, 5}}), counts))
        << "characters do not add up";
    EXPECT_FALSE(CharactersOfRow(LettersRow("AB", 2, 3, {{U'Q', U'Y', 3}}), counts))
        << "more Y written than typed";
    DiaryRow incomplete = LettersRow("AB", 4, 1, {});
    incomplete.complete = false;
    EXPECT_FALSE(CharactersOfRow(incomplete, counts));
    EXPECT_EQ(RightOfRow(incomplete), 3);
}

TEST(DiarySummary, OnlyTheLatestFiveHundredOfEachCharacterCount) {
    // Oldest first: 300 E all missing (and one Z), then 600 E right.
    std::vector<DiaryRow> rows = {
        LettersRow("", 301, 301, {{U'E', 0, 300}, {U'Z', 0, 1}}),
        LettersRow(std::string(300, 'E'), 300, 0, {}),
        LettersRow(std::string(300, 'E'), 300, 0, {}),
    };
    EXPECT_EQ(Weakest(SummariseDiary(rows, kToday, 0)), "Z 1/1; ");
    rows.pop_back(); // now the old errors are within the last 500 E
    EXPECT_EQ(Weakest(SummariseDiary(rows, kToday, 0)), "Z 1/1; E 300/600; ");

    // Every letter full: an older letters row adds nothing, an older mixed
    // row still adds its signs.
    std::string all;
    for (char c = 'A'; c <= 'Z'; ++c)
        all += std::string(kCharacterWindow, c);
    rows = {LettersRow("", 3, 3, {{U'?', 0, 2}, {U'A', 0, 1}}, 2), LettersRow("", 3, 3, {{U'Q', 0, 3}}),
            LettersRow(all, static_cast<int>(all.size()), 0, {})};
    EXPECT_EQ(Weakest(SummariseDiary(rows, kToday, 0)), "? 2/2; ");
}

TEST(DiarySummary, WeakestAreTheTenHighestRates) {
    std::vector<DiaryRow> rows;
    // Letter k (A..L) checked 12 times with k errors; M as often wrong as K
    // but checked more, so it goes first.
    for (int k = 1; k <= 12; ++k) {
        const char32_t c = U'A' + static_cast<char32_t>(k - 1);
        rows.push_back(
            LettersRow(std::string(static_cast<size_t>(12 - k), static_cast<char>(c)), 12, k, {{c, 0, k}}));
    }
    rows.push_back(LettersRow("MM", 24, 22, {{U'M', 0, 22}}));
    const DiarySummary s = SummariseDiary(rows, kToday, 0);
    ASSERT_EQ(s.weakest.size(), kWeakestShown);
    EXPECT_EQ(Weakest(s),
              "L 12/12; M 22/24; K 11/12; J 10/12; I 9/12; H 8/12; G 7/12; F 6/12; E 5/12; D 4/12; ");
}

TEST(DiaryCharts, ScalesAndPositions) {
    struct Case {
        int low, high, ticks, floor, ceiling;
        int a, b, step;
    } cases[] = {
        {95, 123, 5, 0, 100000, 90, 130, 10},
        {600, 1000, 5, 0, 1000, 600, 1000, 100},
        {1000, 1000, 5, 0, 1000, 999, 1000, 1},
        {0, 0, 5, 0, 1000, 0, 1, 1},
        {3, 7, 2, 0, 100, 0, 10, 5},
        {120, 80, 4, 0, 100000, 80, 120, 10},
    };
    for (const Case& c : cases) {
        const ChartScale s = RoundScale(c.low, c.high, c.ticks, c.floor, c.ceiling);
        EXPECT_EQ(s.low, c.a) << c.low << ".." << c.high;
        EXPECT_EQ(s.high, c.b) << c.low << ".." << c.high;
        EXPECT_EQ(s.step, c.step) << c.low << ".." << c.high;
    }
    LineChart chart;
    chart.firstDay = 100;
    chart.lastDay = 110;
    const ChartArea area{10, 20, 100, 50};
    EXPECT_EQ(ChartX(chart, area, 100), 10);
    EXPECT_EQ(ChartX(chart, area, 105), 60);
    EXPECT_EQ(ChartX(chart, area, 110), 110);
    chart.lastDay = 100;
    EXPECT_EQ(ChartX(chart, area, 100), 60);
    const ChartScale scale{0, 100, 20};
    EXPECT_EQ(ChartY(scale, area, 0), 70);
    EXPECT_EQ(ChartY(scale, area, 50), 45);
    EXPECT_EQ(ChartY(scale, area, 100), 20);

    const DiarySummary week = SummariseDiary(Rows(kDiary), kToday, 7);
    const LineChart speed = BestSpeedChart(week);
    ASSERT_EQ(speed.lines.size(), 2u);
    EXPECT_EQ(speed.lines[0].kind, 0);
    ASSERT_EQ(speed.lines[0].points.size(), 2u);
    EXPECT_EQ(speed.lines[0].points[1].day, kToday);
    EXPECT_EQ(speed.lines[0].points[1].value, 110);
    EXPECT_EQ(speed.scale.low, 90);
    EXPECT_EQ(speed.scale.high, 110);
    const LineChart share = ShareRightChart(week);
    EXPECT_EQ(share.lines[0].points[0].value, 600);
    EXPECT_EQ(share.scale.high, 1000);
}

TEST(DiaryExport, PageDrawsEveryLineAndBarAndEscapesCopies) {
    std::vector<DiaryRow> rows = Rows(kDiary);
    rows.back().copy = "<b>&\"x\"</b>";
    rows.back().day = kToday;
    rows.back().confusions = {{U'<', U'&', 1}};
    const DiarySummary week = SummariseDiary(rows, kToday, 7);
    const std::string page = DiaryHtml(rows, week, DefaultDiaryCaptions(), "2025-03-10");
    EXPECT_EQ(page.compare(0, 15, "<!DOCTYPE html>"), 0);
    EXPECT_EQ(Count(page, "<svg"), 3u);
    EXPECT_EQ(Count(page, "<polyline"), 4u); // letters and figures, twice
    EXPECT_EQ(Count(page, "<rect class=\"bar\""), week.weakest.size());
    EXPECT_EQ(Count(page, "<tr>"), 1 + week.lastChecks.size());
    EXPECT_NE(page.find("&lt;b&gt;&amp;&quot;x&quot;&lt;/b&gt;"), std::string::npos);
    EXPECT_NE(page.find(u8"&lt;\u2192&amp; \u00D71"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(Count(page, "<svg"), Count(page, "</svg>"));

    const std::string empty = DiaryHtml(rows, SummariseDiary(rows, DayOfDate(2030, 1, 1), 30),
                                        DefaultDiaryCaptions(), "2030-01-01");
    EXPECT_EQ(Count(empty, "<svg"), 0u);
    EXPECT_NE(empty.find(DefaultDiaryCaptions().noChecks), std::string::npos);
}
