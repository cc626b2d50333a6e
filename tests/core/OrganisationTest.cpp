#include "TestFiles.h"

#include "organisation/BatchMarking.h"
#include "organisation/Competition.h"
#include "organisation/CompetitionSheet.h"
#include "organisation/Draw.h"
#include "organisation/Roster.h"
#include "organisation/RosterView.h"
#include "results/ResultsFile.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

using namespace testfiles;

namespace {
// Literals here are code page 1251; the organisation's text is UTF-8.
std::string U(const char* cp1251) {
    return Cp1251ToUtf8(cp1251);
}

Competition OnDay(const std::string& day) {
    Competition c = NewCompetition();
    c.firstDay = day;
    return c;
}

Entrant Person(const std::string& name, const std::string& sex, int year, int number = 0) {
    Entrant e;
    e.name = name;
    e.sex = sex;
    e.birthYear = year;
    e.startNumber = number;
    return e;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}
} // namespace

TEST(Competition, CategoriesFollowSexAndAgeOnTheCompetitionYearAtEveryBoundary) {
    const Competition c = OnDay("2026-03-12");
    struct Case {
        const char* sex;
        int age;
        const char* category; // code page 1251
    };
    const Case cases[] = {
        {"M", 16, "Юноши"},   {"M", 17, "Юниоры"},  {"M", 21, "Юниоры"},
        {"M", 22, "Мужчины"}, {"M", 49, "Мужчины"}, {"M", 50, "Ветераны-мужчины"},
        {"F", 16, "Девушки"}, {"F", 17, "Юниорки"}, {"F", 21, "Юниорки"},
        {"F", 22, "Женщины"}, {"F", 49, "Женщины"}, {"F", 50, "Ветераны-женщины"},
        {"", 30, ""},  // sex unknown
        {"M", -1, ""}, // born after the competition
    };
    for (const Case& k : cases)
        EXPECT_EQ(CategoryOf(c, k.sex, 2026 - k.age), U(k.category)) << k.sex << " " << k.age;
    EXPECT_EQ(CategoryOf(c, "M", 0), "");
    EXPECT_EQ(CategoryOf(OnDay(""), "M", 2000), "");

    // A changed boundary is one line of the table, and hand-set categories stay.
    Competition edited = c;
    edited.categories[2].maxAge = 20; // juniors to 20, seniors from 21
    edited.categories[4].minAge = 21;
    std::string error;
    ASSERT_TRUE(AddEntrant(edited, Person("A", "M", 2005), error)) << error;
    Entrant byHand = Person("B", "M", 2005);
    byHand.category = "Open";
    byHand.categoryByHand = true;
    ASSERT_TRUE(AddEntrant(edited, byHand, error)) << error;
    UpdateCategories(edited);
    EXPECT_EQ(edited.roster[0].category, U("Мужчины"));
    EXPECT_EQ(edited.roster[1].category, "Open");
}

TEST(Competition, TheFileRoundTripsHostileTextAndRefusesWhatItCannotRead) {
    Competition c = OnDay("2026-03-12");
    c.lastDay = "2026-03-14";
    c.title = U("Кубок \"Эфир\"; <2026> & =SUM(A1)");
    c.venue = "'Quoted";
    c.categories.push_back({U("Открытая; \"все\""), "", 0, 999});
    c.drawSeed = 4000000000u;
    c.drawGroupSize = 4;
    c.drawn = true;
    std::string error;
    for (const char* name :
         {"O'Brien \"Ace\"", "Semi;colon", "=1+2", "-minus", "\xC8\xE2\xE0\xED\xEE\xE2 \xDF"}) {
        Entrant e = Person(Cp1251ToUtf8(name), "F", 1980);
        e.club = "Club; \"X\"\r\nline";
        ASSERT_TRUE(AddEntrant(c, e, error)) << error;
    }
    c.roster[1].category = "By hand";
    c.roster[1].categoryByHand = true;

    Competition back;
    ASSERT_TRUE(ParseCompetitionCsv(CompetitionCsv(c), back, error)) << error;
    EXPECT_EQ(back.title, c.title);
    EXPECT_EQ(back.venue, c.venue);
    EXPECT_EQ(back.lastDay, c.lastDay);
    EXPECT_EQ(back.drawSeed, c.drawSeed);
    EXPECT_EQ(back.drawGroupSize, 4);
    EXPECT_TRUE(back.drawn);
    ASSERT_EQ(back.categories.size(), 9u);
    EXPECT_EQ(back.categories[8].name, c.categories[8].name);
    EXPECT_EQ(back.categories[8].sex, "");
    ASSERT_EQ(back.roster.size(), c.roster.size());
    for (size_t k = 0; k < c.roster.size(); ++k) {
        EXPECT_EQ(back.roster[k].name, c.roster[k].name);
        EXPECT_EQ(back.roster[k].startNumber, c.roster[k].startNumber);
        EXPECT_EQ(back.roster[k].category, c.roster[k].category);
        EXPECT_EQ(back.roster[k].categoryByHand, c.roster[k].categoryByHand);
        EXPECT_EQ(back.roster[k].club, "Club; \"X\" line"); // a line break in a cell is one blank
    }

    const std::string head = "klaviro-competition;1\r\n";
    struct Bad {
        std::string bytes;
        const char* error;
    };
    const Bad bad[] = {
        {"participant;discipline;speed\r\n", "first row"},
        {head + "firstDay;2026-02-30\r\n", "row 2: firstDay"},
        {head + "entrant;1;Anna;F;1990\r\nentrant;1;Boris;M;1990\r\n",
         "row 3: start number 1 is given twice"},
        {head + "entrant;1;Anna;F;1990\r\nentrant;2; ANNA ;F;1990\r\n", "row 3: ANNA is in the roster twice"},
        {head + "entrant;x;Anna\r\n", "row 2: an entrant needs"},
        {head + "entrant;1;Anna;Q\r\n", "sex of Anna"},
        {head + "category;Old;M;60;50\r\n", "row 2: a category"},
        {head + "title;\"open\r\n", "quoted"},
    };
    for (const Bad& b : bad) {
        Competition kept = c;
        EXPECT_FALSE(ParseCompetitionCsv(b.bytes, kept, error)) << b.bytes;
        EXPECT_NE(error.find(b.error), std::string::npos) << error;
        EXPECT_EQ(kept.title, c.title); // nothing taken from a refused file
    }
    // Rows of a later program are skipped; without category rows the defaults stand.
    ASSERT_TRUE(ParseCompetitionCsv(head + "medal;gold\r\n", back, error)) << error;
    EXPECT_EQ(back.categories.size(), DefaultCategories().size());
}

TEST(Competition, EntrantsAreFoundByNumberOrNameAndALateOneMovesNobody) {
    Competition c = OnDay("2026-03-12");
    std::string error;
    for (const char* name : {"Anna Kowalska", "Boris", "Clara", "Dmitri"})
        ASSERT_TRUE(AddEntrant(c, Person(name, "F", 1990), error)) << error;
    DrawStartNumbers(c, 7, 0);
    std::map<std::string, int> before;
    for (const Entrant& e : c.roster)
        before[e.name] = e.startNumber;
    ASSERT_TRUE(AddEntrant(c, Person("  Egor   Late ", "M", 1990), error)) << error;
    EXPECT_EQ(c.roster.back().startNumber, 5);
    EXPECT_EQ(c.roster.back().name, "Egor Late");
    for (const Entrant& e : c.roster)
        if (before.count(e.name)) {
            EXPECT_EQ(e.startNumber, before[e.name]) << e.name;
        }

    EXPECT_EQ(FindEntrant(c, "anna   KOWALSKA")->name, "Anna Kowalska");
    EXPECT_EQ(FindEntrant(c, " 5 ")->name, "Egor Late");
    EXPECT_EQ(FindEntrant(c, "6"), nullptr);
    // A withdrawn participant's number is not given again.
    ASSERT_TRUE(RemoveEntrant(c, 2));
    ASSERT_TRUE(AddEntrant(c, Person("Later Still", "M", 1990), error)) << error;
    EXPECT_EQ(c.roster.back().startNumber, 6);
    EXPECT_FALSE(AddEntrant(c, Person("ANNA kowalska", "F", 1990), error));
    EXPECT_FALSE(AddEntrant(c, Person("Fedor", "M", 1990, 5), error));
    EXPECT_NE(error.find("taken by Egor Late"), std::string::npos) << error;
    // A change keeps its own name and number, and is refused whole when it clashes.
    Entrant egor = *FindEntrant(c, "5");
    egor.club = "Club";
    ASSERT_TRUE(ChangeEntrant(c, 5, egor, error)) << error;
    EXPECT_EQ(FindEntrant(c, "5")->club, "Club");
    egor.startNumber = 6;
    const size_t size = c.roster.size();
    EXPECT_FALSE(ChangeEntrant(c, 5, egor, error));
    EXPECT_EQ(c.roster.size(), size);
    EXPECT_EQ(FindEntrant(c, "5")->name, "Egor Late");
}

TEST(Draw, TheSameSeedGivesTheSameNumbersWhateverTheRosterOrder) {
    Competition c = OnDay("2026-03-12");
    std::string error;
    for (int k = 0; k < 12; ++k)
        ASSERT_TRUE(AddEntrant(c, Person("P" + std::to_string(k), "M", 1990), error));
    Competition reversed = c, other = c;
    std::reverse(reversed.roster.begin(), reversed.roster.end());
    DrawStartNumbers(c, 2026, 3);
    DrawStartNumbers(reversed, 2026, 3);
    DrawStartNumbers(other, 2027, 3);
    std::map<std::string, int> a, b, d;
    for (size_t k = 0; k < c.roster.size(); ++k) {
        a[c.roster[k].name] = c.roster[k].startNumber;
        b[reversed.roster[k].name] = reversed.roster[k].startNumber;
        d[other.roster[k].name] = other.roster[k].startNumber;
    }
    EXPECT_EQ(a, b);
    EXPECT_NE(a, d);
    std::vector<int> numbers;
    for (const auto& entry : a)
        numbers.push_back(entry.second);
    std::sort(numbers.begin(), numbers.end());
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(numbers[static_cast<size_t>(k)], k + 1);
    EXPECT_EQ(c.drawSeed, 2026u);
    EXPECT_TRUE(c.drawn);
    EXPECT_EQ(SeatOf(7, 3).group, 3);
    EXPECT_EQ(SeatOf(7, 3).seat, 1);
}

TEST(Draw, EveryOrderOfFourIsEquallyLikely) {
    // 60 000 draws from seeds 0..59999, 2 500 expected per order. The bound
    // is chi-square's 0.1 % point for 23 degrees of freedom: a fair shuffle
    // stays under it, a biased one (j drawn from all four places at every
    // step, or a missing last swap) is far above it.
    std::map<std::vector<int>, int> seen;
    for (uint64_t seed = 0; seed < 60000; ++seed)
        ++seen[DrawOrder(4, seed)];
    ASSERT_EQ(seen.size(), 24u);
    double chi = 0;
    for (const auto& entry : seen)
        chi += (entry.second - 2500.0) * (entry.second - 2500.0) / 2500.0;
    EXPECT_LT(chi, 49.73);
}

TEST(Roster, A1251AndAUtf8FileAreReadByTheirHeadersAndBadLinesReported) {
    // The same roster as a Russian spreadsheet saves it (1251, ';', a title
    // line above the header) and as a UTF-8 export with commas.
    const std::string cp1251 = "\xD1\xEF\xE8\xF1\xEE\xEA\r\n" // a title line
                               "\xB9;\xD4\xC8\xCE;\xCF\xEE\xEB;\xC3\xEE\xE4 \xF0\xEE\xE6\xE4\xE5\xED\xE8\xFF;"
                               "\xCA\xEB\xF3\xE1\r\n" // №;ФИО;Пол;Год рождения;Клуб
                               "7;\xC8\xE2\xE0\xED\xEE\xE2 \xC8\xE2\xE0\xED;\xEC;2010;\"A;B\"\r\n"
                               "\r\n"
                               ";\xCF\xE5\xF2\xF0\xEE\xE2\xE0 \xC0\xED\xED\xE0;\xC6;1970;\r\n"
                               "x;Bad Number;M;1990;\r\n"
                               ";Bad Sex;Q;1990;\r\n"
                               ";;M;1990;\r\n";
    const std::string utf8 = "\xEF\xBB\xBF" + U("Фамилия,Имя,Sex,Year,Club\n") +
                             U("Иванов,Иван,m,2010,\"A;B\"\n") + U("Петрова,Анна,F,1970,\n") +
                             "Kowalski,Jan,M,19x0,\n";
    struct Case {
        std::string bytes;
        int problems;
        int firstNumber;
    };
    for (const Case& k : {Case{cp1251, 3, 7}, Case{utf8, 1, 0}}) {
        RosterImport import;
        std::string error;
        ASSERT_TRUE(ReadRosterCsv(k.bytes, import, error)) << error;
        ASSERT_EQ(import.entrants.size(), 2u);
        EXPECT_EQ(import.entrants[0].name, U("Иванов Иван"));
        EXPECT_EQ(import.entrants[0].startNumber, k.firstNumber);
        EXPECT_EQ(import.entrants[0].sex, "M");
        EXPECT_EQ(import.entrants[0].club, "A;B");
        EXPECT_EQ(import.entrants[1].name, U("Петрова Анна"));
        EXPECT_EQ(import.entrants[1].sex, "F");
        EXPECT_EQ(import.entrants[1].birthYear, 1970);
        EXPECT_EQ(static_cast<int>(import.problems.size()), k.problems);
        if (k.problems == 3) {
            EXPECT_EQ(import.problems[0].line, 6);
        }

        Competition c = OnDay("2026-03-12");
        ASSERT_TRUE(AddEntrant(c, Person(U("петрова   анна"), "F", 1971, 7), error));
        const RosterMerge merge = MergeRoster(c, import);
        EXPECT_EQ(merge.added, 1);
        EXPECT_EQ(merge.updated, 1);
        // Number 7 is Petrova's already: Ivanov gets the next free one.
        EXPECT_EQ(merge.problems.size(), k.firstNumber == 7 ? 1u : 0u);
        EXPECT_EQ(FindEntrant(c, U("Иванов Иван"))->startNumber, 8);
        EXPECT_EQ(FindEntrant(c, U("Иванов Иван"))->category, U("Юноши"));
        EXPECT_EQ(FindEntrant(c, "7")->birthYear, 1970);

        // The export reads back as it was, categories still following the rules.
        RosterImport again;
        ASSERT_TRUE(ReadRosterCsv(RosterCsv(c), again, error)) << error;
        ASSERT_EQ(again.entrants.size(), 2u);
        EXPECT_EQ(again.entrants[0].name, U("петрова анна"));
        EXPECT_EQ(again.entrants[1].club, "A;B");
        Competition copy = OnDay("2026-03-12");
        MergeRoster(copy, again);
        EXPECT_FALSE(copy.roster[1].categoryByHand);
        EXPECT_EQ(copy.roster[1].startNumber, 8);
    }
    RosterImport none;
    std::string error;
    EXPECT_FALSE(ReadRosterCsv("1;2;3\r\n", none, error));
}

namespace {
MarkRecord Mark(const std::string& who, int discipline, int speed, int errors) {
    return {who, discipline, speed, errors, "X", "2026-03-12 10:00:00"};
}
} // namespace

TEST(CompetitionSheet, EachCategoryIsRankedOnItsOwnOnAPrintedPageOfItsOwn) {
    Competition c = OnDay("2026-03-12");
    c.title = "Cup <&>";
    std::string error;
    ASSERT_TRUE(AddEntrant(c, Person("Anna", "F", 1990, 1), error));
    ASSERT_TRUE(AddEntrant(c, Person("Boris", "M", 1990, 2), error));
    ASSERT_TRUE(AddEntrant(c, Person("Clara", "F", 1990, 3), error));
    ASSERT_TRUE(AddEntrant(c, Person("Dmitri", "M", 2012, 4), error));
    const std::vector<MarkRecord> records = {
        Mark("Anna", 0, 200, 2),   Mark("BORIS", 0, 250, 0),   Mark("clara", 0, 180, 1),
        Mark("Dmitri", 0, 100, 0), Mark("<Guest>", 0, 300, 0), // not in the roster
    };
    EXPECT_EQ(CategoriesWithMarks(c, records),
              (std::vector<std::string>{U("Юноши"), U("Мужчины"), U("Женщины"), ""}));
    const std::vector<MarkRecord> women = RecordsOfCategory(c, records, U("Женщины"));
    const std::vector<OverallRow> overall = RankOverall(women, 5);
    ASSERT_EQ(overall.size(), 2u);
    EXPECT_EQ(overall[0].participant, "Anna");
    EXPECT_EQ(overall[1].participant, "clara");
    EXPECT_EQ(FormatPoints(overall[1].total), "90.40"); // 179 of the category's best 198

    const std::string html = CompetitionHtml(c, records, 5, DefaultCompetitionCaptions());
    EXPECT_EQ(Count(html, "<section class=\"category"), 5u); // four and the whole field
    EXPECT_NE(html.find(".category + .category { page-break-before: always"), std::string::npos);
    EXPECT_NE(html.find("<h1>Cup &lt;&amp;&gt;</h1>"), std::string::npos);
    EXPECT_NE(html.find("12.03.2026"), std::string::npos);
    EXPECT_EQ(html.find("<Guest>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">2</td><td class=\"n\">3</td><td>clara</td>"), std::string::npos);
    const std::string only = CompetitionHtml(c, records, 5, DefaultCompetitionCaptions(), U("Юноши"));
    EXPECT_EQ(Count(only, "<section class=\"category"), 1u);
    EXPECT_EQ(only.find("Anna"), std::string::npos);
}

TEST(BatchMarking, FileNamesAreStartNumberDisciplineAndSpeed) {
    struct Case {
        const char* name;
        int number, discipline, speed; // number 0: refused
    };
    const Case cases[] = {
        {"12_letters_200.txt", 12, 0, 200},
        {"7_F_90.TXT", 7, 1, 90},
        {"3_Mixed_150.txt", 3, 2, 150},
        {"003_m_150.Txt", 3, 2, 150},
        {"1_l_1.txt", 1, 0, 1},
        {"12_letters_200.doc", 0, 0, 0},
        {"12_letters_200", 0, 0, 0},
        {"12_words_200.txt", 0, 0, 0},
        {"12-L-200.txt", 0, 0, 0},
        {"12_L_200_2.txt", 0, 0, 0},
        {"12_L.txt", 0, 0, 0},
        {"_L_200.txt", 0, 0, 0},
        {"0_L_200.txt", 0, 0, 0},
        {"-1_L_200.txt", 0, 0, 0},
        {"12_L_+200.txt", 0, 0, 0},
        {"12_L_0.txt", 0, 0, 0},
        {"12_L_100001.txt", 0, 0, 0},
        {"12 _L_200.txt", 0, 0, 0},
        {"100000_L_200.txt", 0, 0, 0},
        {"99999_L_200.txt", 99999, 0, 200},
    };
    for (const Case& k : cases) {
        BatchName name;
        EXPECT_EQ(ParseBatchName(k.name, name), k.number > 0) << k.name;
        if (k.number > 0) {
            EXPECT_EQ(name.startNumber, k.number) << k.name;
            EXPECT_EQ(name.discipline, k.discipline) << k.name;
            EXPECT_EQ(name.speed, k.speed) << k.name;
        }
    }
}

TEST(BatchMarking, AFolderIsMarkedInOneWriteAndAFailureStoresNothing) {
    namespace fs = std::filesystem;
    const std::string copies = TempFile("copies"), control = TempFile("control"),
                      results = TempFile("Results.csv");
    fs::remove_all(copies);
    fs::remove_all(control);
    fs::create_directories(copies);
    fs::create_directories(control);
    WriteAll(control + "/Letters_1.txt", "200\r\n\r\nABCDE FGHIJ\r\n\r\n180\r\n\r\nKLMNO\r\n\r\n");
    WriteAll(control + "/Letters_2.txt", "180\r\n\r\nZZZZZ\r\n\r\n"); // another text at 180
    WriteAll(control + "/Digits_1.txt", "100\r\n\r\n12345 67890\r\n\r\n");
    std::remove(results.c_str());
    // Anna has two letters copies already: a third speed is refused at maxCopies 2.
    std::string error;
    ASSERT_EQ(StoreMark(results, Mark("Anna", 0, 150, 0), 2, error), StoreOutcome::Added) << error;
    ASSERT_EQ(StoreMark(results, Mark("ANNA", 0, 160, 0), 2, error), StoreOutcome::Added) << error;

    Competition c = OnDay("2026-03-12");
    ASSERT_TRUE(AddEntrant(c, Person("Anna", "F", 1990, 1), error));
    ASSERT_TRUE(AddEntrant(c, Person("Boris", "M", 1990, 2), error));
    const struct {
        const char* file;
        const char* copy;
    } files[] = {
        {"1_L_200.txt", "abcde fghij"},       // refused: a third speed
        {"1_L_160.txt", "x"},                 // no text at 160
        {"2_F_100.txt", "12345 67890"},       // marked
        {"2_letters_200.txt", "abxde fghij"}, // marked, 1 error
        {"2_L_180.txt", "klmno"},             // two different texts at 180
        {"3_L_200.txt", "abcde"},             // no start number 3
        {"2_M_200.txt", "x"},                 // no mixed texts
        {"notes.txt", "x"},                   // a bad name
        {"2_F_100.bak", "x"},                 // not a .txt file: skipped
    };
    for (const auto& f : files)
        WriteAll(copies + "/" + f.file, f.copy);
    BatchReport report;
    ASSERT_TRUE(MarkFolder(copies, control, c, results, 5, 2, "2026-03-12 12:00:00", report)) << report.error;
    std::map<std::string, std::string> outcome;
    for (const BatchLine& l : report.lines)
        outcome[l.file] = std::string(BatchOutcomeName(l.outcome)) + ":" + std::to_string(l.errors);
    const std::map<std::string, std::string> expected = {
        {"1_L_200.txt", "refused:0"},         {"1_L_160.txt", "not understood:-1"},
        {"2_F_100.txt", "marked:0"},          {"2_letters_200.txt", "marked:1"},
        {"2_L_180.txt", "not understood:-1"}, {"3_L_200.txt", "not understood:-1"},
        {"2_M_200.txt", "not understood:-1"}, {"notes.txt", "not understood:-1"},
    };
    EXPECT_EQ(outcome, expected);
    EXPECT_TRUE(report.written);
    std::vector<MarkRecord> stored;
    ASSERT_EQ(LoadResultsFile(results, stored, error), ResultsLoad::Loaded) << error;
    EXPECT_EQ(stored.size(), 4u);

    // Marking again corrects; a results file that is not one is never
    // overwritten, and no line claims a stored mark.
    ASSERT_TRUE(MarkFolder(copies, control, c, results, 5, 2, "2026-03-12 12:05:00", report));
    EXPECT_EQ(std::count_if(report.lines.begin(), report.lines.end(),
                            [](const BatchLine& l) { return l.outcome == BatchOutcome::Replaced; }),
              2);
    WriteAll(results, "not;a;results;file\r\n");
    EXPECT_FALSE(MarkFolder(copies, control, c, results, 5, 2, "2026-03-12 12:10:00", report));
    EXPECT_EQ(ReadAll(results), "not;a;results;file\r\n");
    EXPECT_FALSE(report.written);
    for (const BatchLine& l : report.lines)
        EXPECT_EQ(l.outcome == BatchOutcome::NotStored, l.errors >= 0) << l.file;
    EXPECT_FALSE(MarkFolder(copies + "-none", control, c, results, 5, 2, "", report));
    EXPECT_NE(report.error.find("cannot list"), std::string::npos) << report.error;
    fs::remove_all(copies);
    fs::remove_all(control);
    std::remove(results.c_str());
}

// The roster as the pages list it: entrants not yet drawn after every
// number, categories in the table's order with a hand-set one after them
// and none last; days typed either way, impossible ones refused.
TEST(RosterView, OrdersAndDays) {
    Competition c = NewCompetition();
    c.roster = {Person("Dora", "F", 1990, 0), Person("Boris", "M", 1990, 2), Person("Anna", "F", 1990, 0),
                Person("Carl", "M", 1990, 1)};
    c.roster[0].category = "";
    c.roster[1].category = "own";
    c.roster[2].category = c.categories.back().name;
    c.roster[3].category = c.categories.front().name;
    using V = std::vector<size_t>;
    EXPECT_EQ(SortedRoster(c, StartListOrder::ByNumber), (V{3, 1, 2, 0}));
    EXPECT_EQ(SortedRoster(c, StartListOrder::ByName), (V{2, 1, 3, 0}));
    EXPECT_EQ(SortedRoster(c, StartListOrder::ByCategory), (V{3, 2, 1, 0}));
    const struct {
        const char* typed;
        bool read;
        const char* day;
    } days[] = {{" 8.12.2026 ", true, "2026-12-08"},
                {"2026-12-08", true, "2026-12-08"},
                {"", true, ""},
                {"31.4.2026", false, ""},
                {"29.02.2027", false, ""},
                {"12/8/2026", false, ""}};
    for (const auto& d : days) {
        std::string day;
        EXPECT_EQ(ReadDay(d.typed, day), d.read) << d.typed;
        if (d.read) {
            EXPECT_EQ(day, d.day) << d.typed;
        }
    }
}
