#include "HostileFiles.h"

#include "app/Platform.h"
#include "config/ConfigStore.h"
#include "results/ResultsFile.h"
#include "results/ResultsSession.h"
#include "results/ResultsSheet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace testfiles;

namespace {

MarkRecord Mark(const std::string& who, int discipline, int speed, int errors,
                const std::string& copy = "ABCDE") {
    return {who, discipline, speed, errors, copy, "2026-12-07 10:00:00"};
}

std::string Ranks(const std::vector<RankRow>& rows) {
    std::string s;
    for (const RankRow& r : rows)
        s += std::to_string(r.rank) + ":" + r.participant + ":" + std::to_string(r.speed) + "/" +
             std::to_string(r.errors) + " ";
    return s;
}

} // namespace

TEST(Results, ThreeCopiesPerDisciplineAndCorrectionsReplace) {
    std::vector<MarkRecord> r;
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 100, 1), 3), AddOutcome::Added);
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 110, 2), 3), AddOutcome::Added);
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 120, 9), 3), AddOutcome::Added);
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 120, 4), 3), AddOutcome::Replaced);
    const std::vector<MarkRecord> before = r;
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 130, 0), 3), AddOutcome::Refused);
    ASSERT_EQ(r.size(), before.size());
    EXPECT_EQ(r[2].errors, 4);
    // Another discipline and another participant count on their own.
    EXPECT_EQ(AddMark(r, Mark("Anna", 1, 130, 0), 3), AddOutcome::Added);
    EXPECT_EQ(AddMark(r, Mark("Boris", 0, 130, 0), 3), AddOutcome::Added);
    EXPECT_EQ(CleanName("  Jan \t Kowalski \r\n"), "Jan Kowalski");
    EXPECT_EQ(StoredCopy("\t\r\n ABC DE \r\nFG\r\n \n"), "ABC DE \r\nFG");
}

TEST(Results, NamesMatchWithoutRegardToCaseAndBlanks) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Anna Kowalska", "  anna \t KOWALSKA\r\n", true},
        {"Anna\xC2\xA0Kowalska", "anna kowalska", true}, // a no-break space
        {"\xC3\x89mile \xC3\x98sterg\xC3\xA5rd", "\xC3\xA9MILE \xC3\xB8STERG\xC3\x85RD",
         true}, // Émile Østergård
        {"\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87", "\xC5\x82UKASZ \xC5\xBC\xC3\x93\xC5\x81\xC4\x86",
         true}, // Łukasz Żółć
        {"\xC5\xA0imon \xC4\x8C"
         "ech",
         "\xC5\xA1IMON \xC4\x8D"
         "ECH",
         true},                               // Šimon Čech
        {"\xC4\xB0pek", "ipek", true},        // İ
        {"\xC5\xB8ves", "\xC3\xBFves", true}, // Ÿ
        {"\xD0\x9F\xD1\x91\xD1\x82\xD1\x80 \xD0\xAF", "\xD0\xBF\xD0\x81\xD0\xA2\xD0\xA0 \xD1\x8F",
         true},                                                         // Пётр Я
        {"\xD0\x86\xD0\x84\xD0\x87", "\xD1\x96\xD1\x94\xD1\x97", true}, // ІЄЇ
        {"\xD2\x90\xD3\x98", "\xD2\x91\xD3\x99", true},                 // ҐӘ
        {"\xCE\xA3\xCE\xA9", "\xCF\x83\xCF\x89", true},                 // ΣΩ
        {"ANNA\xFF  K", "anna\xFF K", true}, // not UTF-8: ASCII letters and blanks still
        {"Anna Kowalska", "Anna Kowalski", false},
        {"AnnaKowalska", "Anna Kowalska", false},                        // a blank between words is kept
        {"\xC5\x81ukasz", "Lukasz", false},                              // letters are not stripped of marks
        {"\xD0\x95\xD0\xB2\xD0\xB0", "\xD0\x81\xD0\xB2\xD0\xB0", false}, // Ева, Ёва
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameKey(c.a) == NameKey(c.b), c.same) << c.a << " / " << c.b;

    // The copies rule, the rankings and the names offered see one participant
    // shown as first spelt; a correction under another spelling replaces.
    std::vector<MarkRecord> r;
    EXPECT_EQ(AddMark(r, Mark("Anna Kowalska", 0, 100, 1), 2), AddOutcome::Added);
    EXPECT_EQ(AddMark(r, Mark("ANNA  kowalska", 0, 110, 2), 2), AddOutcome::Added);
    EXPECT_EQ(AddMark(r, Mark("anna kowalska", 0, 120, 0), 2), AddOutcome::Refused);
    EXPECT_EQ(AddMark(r, Mark("anna kowalska ", 0, 110, 0), 2), AddOutcome::Replaced);
    r.push_back(Mark("boris", 1, 100, 0));
    r.push_back(Mark("Boris", 0, 100, 0));
    EXPECT_EQ(Ranks(RankDiscipline(r, 0, 5)), "1:Anna Kowalska:110/0 2:boris:100/0 ");
    const std::vector<OverallRow> overall = RankOverall(r, 5);
    ASSERT_EQ(overall.size(), 2u);
    EXPECT_EQ(overall[0].participant, "boris");
    EXPECT_EQ(overall[0].total, 10000 + 9091);
    EXPECT_EQ(ParticipantNames(r), (std::vector<std::string>{"Anna Kowalska", "boris"}));
}

TEST(Results, ARemovedMarkFreesItsCopy) {
    std::vector<MarkRecord> r = {Mark("Anna", 0, 100, 1), Mark("Anna", 0, 110, 2), Mark("Anna", 0, 110, 5),
                                 Mark("Anna", 1, 120, 0), Mark("Boris", 0, 120, 0)};
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 120, 0), 2), AddOutcome::Refused);
    ASSERT_NE(FindMark(r, "ANNA", 0, 110), nullptr);
    EXPECT_EQ(FindMark(r, "ANNA", 0, 110)->errors, 2);
    EXPECT_EQ(FindMark(r, "Anna", 2, 110), nullptr);
    EXPECT_EQ(EraseMark(r, "anna", 0, 110), 2u); // with the hand-edited duplicate
    EXPECT_EQ(EraseMark(r, "anna", 0, 110), 0u);
    EXPECT_EQ(r.size(), 3u);
    EXPECT_EQ(AddMark(r, Mark("Anna", 0, 120, 0), 2), AddOutcome::Added);
}

TEST(Results, RankingSharesRanksSkipsTheNextAndListsTheUnacceptedLast) {
    const std::vector<MarkRecord> r = {
        Mark("Egor", 0, 170, 7),   // not accepted
        Mark("Clara", 0, 150, 2),  //
        Mark("Dmitri", 0, 150, 4), //
        Mark("Boris", 0, 150, 2),  //
        Mark("Anna", 0, 170, 6),   // not accepted: her 160 counts
        Mark("Anna", 0, 160, 1),   //
        Mark("Fedor", 0, 140, 0),  //
        Mark("Anna", 0, 162, 4),   // faster, but 158 is below her 159
        Mark("Alla", 0, 151, 5),   // 146 as Dmitri, with more errors
        Mark("Anna", 1, 300, 0),   // another discipline
    };
    // By speed minus errors, then fewer errors.
    EXPECT_EQ(Ranks(RankDiscipline(r, 0, 5)), "1:Anna:160/1 2:Boris:150/2 2:Clara:150/2 4:Dmitri:150/4 "
                                              "5:Alla:151/5 6:Fedor:140/0 0:Egor:-1/-1 ");
    // A stricter limit: Dmitri and Alla are out.
    EXPECT_EQ(Ranks(RankDiscipline(r, 0, 3)), "1:Anna:160/1 2:Boris:150/2 2:Clara:150/2 4:Fedor:140/0 "
                                              "0:Alla:-1/-1 0:Dmitri:-1/-1 0:Egor:-1/-1 ");
    EXPECT_EQ(Ranks(RankDiscipline({Mark("B", 2, 100, 9), Mark("A", 2, 90, 8)}, 2, 5)),
              "0:A:-1/-1 0:B:-1/-1 ");
    EXPECT_TRUE(RankDiscipline(r, 2, 5).empty());
}

TEST(Results, OverallPointsAreHundredthsOfTheBestResultRoundedHalfUp) {
    const std::vector<MarkRecord> r = {
        Mark("Anna", 0, 800, 0),   Mark("Boris", 0, 101, 0), // 100, 12.625 -> 12.63
        Mark("Anna", 1, 150, 0),   Mark("Boris", 1, 130, 0), // 100, 86.666 -> 86.67
        Mark("Clara", 0, 800, 1),  Mark("Clara", 1, 150, 5), // 799 -> 99.88, 145 -> 96.67
        Mark("Dmitri", 2, 200, 2), Mark("Egor", 2, 180, 1),  // a championship's: 198 best, 179 -> 90.40
        Mark("Fedor", 2, 200, 6),                            // nothing accepted
    };
    const std::vector<OverallRow> rows = RankOverall(r, 5);
    struct Row {
        const char* participant;
        int rank;
        long points[kDisciplines];
    };
    const Row expected[] = {
        {"Anna", 1, {10000, 10000, 0}}, {"Clara", 2, {9988, 9667, 0}}, {"Dmitri", 3, {0, 0, 10000}},
        {"Boris", 4, {1263, 8667, 0}},  {"Egor", 5, {0, 0, 9040}},     {"Fedor", 0, {0, 0, 0}},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(rows[k].participant, expected[k].participant) << k;
        EXPECT_EQ(rows[k].rank, expected[k].rank) << k;
        for (int d = 0; d < kDisciplines; ++d)
            EXPECT_EQ(rows[k].points[d], expected[k].points[d]) << k << " " << d;
    }
    EXPECT_EQ(FormatPoints(rows[3].total), "99.30");
    EXPECT_EQ(FormatPoints(rows[4].total), "90.40");
}

TEST(ResultsFile, RoundTripsWhatParticipantsType) {
    const std::vector<MarkRecord> in = {
        Mark("Ewa \xC5\x81\xC4\x85"
             "cka",
             2, 250, 3, "=A;B \"C\"\r\nD?/"),
        Mark("-dash", 1, 120, 0, " 12345 "),
        Mark("Plain", 0, 100, 12, ""),
    };
    const std::string csv = ResultsCsv(in);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("\r\nEwa \xC5\x81\xC4\x85"
                       "cka;mixed;250;3;\"'=A;B \"\"C\"\"\r\nD?/\";"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n'-dash;figures;120;0;\" 12345 \";"), std::string::npos) << csv;
    std::vector<MarkRecord> out;
    std::string error;
    ASSERT_TRUE(ParseResultsCsv(csv, out, error)) << error;
    ASSERT_EQ(out.size(), in.size());
    for (size_t k = 0; k < in.size(); ++k) {
        EXPECT_EQ(out[k].participant, in[k].participant);
        EXPECT_EQ(out[k].discipline, in[k].discipline);
        EXPECT_EQ(out[k].speed, in[k].speed);
        EXPECT_EQ(out[k].errors, in[k].errors);
        EXPECT_EQ(out[k].copy, in[k].copy);
        EXPECT_EQ(out[k].markedAt, in[k].markedAt);
    }
    // Saved back by a spreadsheet: no byte order mark, code page 1251, LF.
    ASSERT_TRUE(ParseResultsCsv(
        "participant;discipline;speed;errors;copy;marked\n\xC8\xE2\xE0\xED;letters;90;1;A;\n", out, error))
        << error;
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].participant, "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");

    struct Bad {
        const char* bytes;
        const char* says;
    } bad[] = {
        {"name;speed\r\nAnna;100\r\n", "header"},
        {"name;discipline;speed;errors;copy;marked\r\nAnna;letters;100;1;A;\r\n", "header"},
        {"participant;discipline;speed;errors;copy;marked\r\nAnna;letters;100;1;A\r\n", "row 2"},
        {"participant;discipline;speed;errors;copy;marked\r\nAnna;morse;100;1;A;\r\n", "discipline"},
        {"participant;discipline;speed;errors;copy;marked\r\nAnna;letters;fast;1;A;\r\n", "whole numbers"},
        {"participant;discipline;speed;errors;copy;marked\r\n\"Anna;letters;100;1;A;\r\n", "quoted"},
    };
    for (const Bad& b : bad) {
        EXPECT_FALSE(ParseResultsCsv(b.bytes, out, error)) << b.bytes;
        EXPECT_NE(error.find(b.says), std::string::npos) << error;
    }
}

// A cell a spreadsheet would split or run as a formula is quoted or kept
// text; either way the copy reads back as typed.
TEST(ResultsFile, LineBreaksAreQuotedAndFormulaSignsKeptText) {
    struct Case {
        std::string value, cell;
    } cases[] = {
        {"AB\r\nCD", "\"AB\r\nCD\""},
        {"AB\nCD", "\"AB\nCD\""},
        {"AB\rCD", "\"AB\rCD\""},
        {"=1+1", "'=1+1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=1+1", "'\t=1+1"},
        {"\r+1", "\"'\r+1\""},
        {"\t\r\t-1", "\"'\t\r\t-1\""},
        {"\tplain", "\tplain"},
        {"'quoted", "''quoted"},
        {"a=b", "a=b"},
    };
    for (const Case& c : cases) {
        const std::vector<MarkRecord> in = {Mark("Anna", 0, 100, 0, c.value)};
        const std::string csv = ResultsCsv(in);
        EXPECT_NE(csv.find(";0;" + c.cell + ";2026"), std::string::npos) << csv;
        std::vector<MarkRecord> out;
        std::string error;
        ASSERT_TRUE(ParseResultsCsv(csv, out, error)) << error;
        EXPECT_EQ(out.at(0).copy, c.value);
    }
}

TEST(ResultsFile, EachLineIsDecodedOnItsOwnSoAValidLineIsNeverRewritten) {
    const std::string lukasz = "\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87"; // Łukasz Żółć
    const std::string row = lukasz + ";letters;100;0;ABC;2026-12-07 10:00:00\r\n";
    // The program's file, and a line added by an editor in code page 1251.
    const std::string file = "\xEF\xBB\xBFparticipant;discipline;speed;errors;copy;marked\r\n" + row +
                             "\xC8\xE2\xE0\xED;letters;90;1;A;\r\n";
    std::vector<MarkRecord> records;
    std::string error;
    ASSERT_TRUE(ParseResultsCsv(file, records, error)) << error;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].participant, lukasz);
    EXPECT_EQ(records[1].participant, "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");
    EXPECT_NE(ResultsCsv(records).find("\r\n" + row), std::string::npos);
}

TEST(ResultsFile, AFileLargerThanTheLimitIsReportedAndNeverReplaced) {
    const std::string path = hostile::OfSize("big.csv", kMaxResultsFileBytes + 1);
    std::vector<MarkRecord> records;
    std::string error;
    EXPECT_EQ(LoadResultsFile(path, records, error), ResultsLoad::Unreadable);
    EXPECT_NE(error.find("larger than 64 MB"), std::string::npos) << error;
    EXPECT_EQ(StoreMark(path, Mark("Anna", 0, 100, 0), 3, error), StoreOutcome::Unreadable);
    EXPECT_EQ(std::filesystem::file_size(path), kMaxResultsFileBytes + 1);
    std::filesystem::remove(path);
}

#ifndef _WIN32
// Only "no such file" means no marks yet. A file that is there but cannot
// be opened (here: no descriptor left) would otherwise be replaced by the
// new mark alone.
TEST(ResultsFile, AFileThatCannotBeOpenedIsNeverTakenForNone) {
    const std::string path = TempFile("Results.csv");
    std::filesystem::remove(path);
    std::string error;
    ASSERT_EQ(StoreMark(path, Mark("Anna", 0, 100, 1), 3, error), StoreOutcome::Added) << error;
    const std::string before = ReadAll(path);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = dup(0);
    ASSERT_GE(lowestFree, 0);
    close(lowestFree);
    rlimit none = saved;
    none.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
    std::vector<MarkRecord> records;
    const ResultsLoad load = LoadResultsFile(path, records, error);
    const std::string loadError = error;
    const StoreOutcome stored = StoreMark(path, Mark("Boris", 0, 100, 1), 3, error, 0);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(load, ResultsLoad::Unreadable);
    EXPECT_NE(loadError.find("cannot read"), std::string::npos) << loadError;
    EXPECT_EQ(stored, StoreOutcome::Unreadable) << error;
    EXPECT_EQ(ReadAll(path), before);
    std::filesystem::remove(path);
    std::filesystem::remove(ResultsLockPath(path));
}
#endif

TEST(ResultsFile, MarksSurviveAFailedWriteAndAForeignFileIsNeverOverwritten) {
    const std::string path = TempFile("Results.csv");
    std::filesystem::remove(path);
    std::string error;
    EXPECT_EQ(StoreMark(path, Mark("Anna", 0, 100, 1), 3, error), StoreOutcome::Added) << error;
    EXPECT_EQ(StoreMark(path, Mark("Anna", 0, 100, 0), 3, error), StoreOutcome::Replaced) << error;
    EXPECT_EQ(StoreMark(path, Mark("Boris", 0, 110, 2), 3, error), StoreOutcome::Added) << error;
    const std::string good = ReadAll(path);

#ifndef _WIN32
    // A full disk (a file-size limit): the write fails and the file keeps
    // every mark made before.
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const StoreOutcome full = StoreMark(path, Mark("Clara", 0, 120, 0), 3, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(full, StoreOutcome::WriteFailed);
    EXPECT_EQ(ReadAll(path), good);
#endif
    std::vector<MarkRecord> records;
    ASSERT_EQ(LoadResultsFile(path, records, error), ResultsLoad::Loaded) << error;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].errors, 0);

    for (int speed : {120, 130, 140})
        EXPECT_EQ(StoreMark(path, Mark("Anna", 0, speed, 0), 3, error) == StoreOutcome::Refused,
                  speed == 140);
    EXPECT_NE(error.find("3 copies"), std::string::npos) << error;

    const std::string foreign = "Name,Score\r\nAnna,10\r\n";
    WriteAll(path, foreign);
    EXPECT_EQ(StoreMark(path, Mark("Anna", 0, 100, 1), 3, error), StoreOutcome::Unreadable);
    EXPECT_NE(error.find("not a results file"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), foreign);
    std::filesystem::remove(path);
    std::filesystem::remove(ResultsLockPath(path));
}

// The page asks before a correction and removes marks through the same
// locked read and write as a mark; a removal never makes a file.
TEST(ResultsFile, ACorrectionIsReportedFirstAndARemovalTakesOneMarkOut) {
    const std::string path = TempFile("Results.csv");
    std::filesystem::remove(path);
    std::string error;
    EXPECT_EQ(RemoveMark(path, "Anna", 0, 100, error), StoreOutcome::NotFound);
    EXPECT_FALSE(std::filesystem::exists(path));
    MarkRecord earlier;
    ASSERT_EQ(StoreMark(path, Mark("Anna", 0, 100, 4), 3, error, kResultsLockWaitMs, &earlier),
              StoreOutcome::Added);
    ASSERT_EQ(StoreMark(path, Mark("Anna", 0, 110, 2), 3, error), StoreOutcome::Added);
    const std::string two = ReadAll(path);
    EXPECT_EQ(StoreMark(path, Mark(" ANNA", 0, 100, 0), 3, error, kResultsLockWaitMs, &earlier),
              StoreOutcome::Earlier);
    EXPECT_EQ(earlier.errors, 4);
    EXPECT_EQ(earlier.speed, 100);
    EXPECT_EQ(ReadAll(path), two);

    EXPECT_EQ(RemoveMark(path, "anna", 0, 100, error), StoreOutcome::Removed) << error;
    EXPECT_EQ(RemoveMark(path, "anna", 0, 100, error), StoreOutcome::NotFound);
    EXPECT_NE(error.find("no mark of anna (letters, 100)"), std::string::npos) << error;
    std::vector<MarkRecord> records;
    ASSERT_EQ(LoadResultsFile(path, records, error), ResultsLoad::Loaded);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].speed, 110);
    {
        const FileLock held(ResultsLockPath(path), 0);
        EXPECT_EQ(RemoveMark(path, "Anna", 0, 110, error, 100), StoreOutcome::InUse);
    }
    const std::string foreign = "Name,Score\r\n";
    WriteAll(path, foreign);
    EXPECT_EQ(RemoveMark(path, "Anna", 0, 110, error), StoreOutcome::Unreadable);
    EXPECT_EQ(ReadAll(path), foreign);
    std::filesystem::remove(path);
    std::filesystem::remove(ResultsLockPath(path));
}

// A mark waits for the lock, and gives up with "in use"; a file the mark may
// not go into is refused before anything is read, so a pipe does not block
// and no lock file is made beside it. (Links and read-only files: the
// replacing writer's table and the two-process command-line test.)
TEST(ResultsFile, AMarkWaitsForTheLockAndNeverOpensAPipe) {
    namespace fs = std::filesystem;
    const fs::path dir = TempFile("folder");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "Results.csv").string();
    std::string error;
    ASSERT_EQ(StoreMark(path, Mark("Anna", 0, 100, 1), 3, error), StoreOutcome::Added) << error;
    const std::string one = ReadAll(path);
    {
        const FileLock held(ResultsLockPath(path), 0);
        ASSERT_EQ(held.GetState(), FileLock::State::Held);
        EXPECT_EQ(StoreMark(path, Mark("Boris", 0, 100, 1), 3, error, 100), StoreOutcome::InUse);
        EXPECT_NE(error.find("in use"), std::string::npos) << error;
        EXPECT_EQ(ReadAll(path), one);
    }
    EXPECT_EQ(StoreMark(path, Mark("Boris", 0, 100, 1), 3, error, 100), StoreOutcome::Added) << error;
#ifndef _WIN32
    const std::string fifo = (dir / "fifo.csv").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_EQ(StoreMark(fifo, Mark("Clara", 0, 100, 1), 3, error), StoreOutcome::NotRegular);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(ResultsLockPath(fifo)));
#endif
    fs::remove_all(dir);
}

TEST(ResultsFile, AWholeNumberCellIsPlainDigitsWithinItsBounds) {
    const struct {
        const char* cell;
        bool read;
        long long value;
    } cases[] = {
        {"1", true, 1},
        {"100000", true, 100000},
        {"000000000007", true, 7},
        {"0", false, 0},
        {"100001", false, 0},
        {"", false, 0},
        {"-5", false, 0},
        {"+5", false, 0},
        {"5 ", false, 0},
        {"1e3", false, 0},
        {"0000000000007", false, 0},
    };
    for (const auto& c : cases) {
        long long out = -1;
        EXPECT_EQ(ReadCsvWhole(c.cell, 1, 100000, out), c.read) << c.cell;
        EXPECT_EQ(out, c.read ? c.value : -1) << c.cell;
    }
}

TEST(ResultsSheet, OneTablePerDisciplineAndTheOverallTableEscaped) {
    const std::string html = ResultsHtml({Mark("<b>Anna & Co</b>", 1, 100, 2), Mark("Boris", 1, 90, 7)}, 5,
                                         DefaultSheetCaptions(), "2026-12-07");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    for (const char* id : {"id=\"letters\"", "id=\"figures\"", "id=\"mixed\"", "id=\"overall\""})
        EXPECT_NE(html.find(id), std::string::npos) << id;
    // The row shows the result the ranking is by: speed minus errors.
    EXPECT_NE(
        html.find("<td>&lt;b&gt;Anna &amp; Co&lt;/b&gt;</td><td class=\"n\">100</td><td class=\"n\">2</td>"
                  "<td class=\"n\">98</td>"),
        std::string::npos)
        << html;
    EXPECT_NE(html.find("<tr class=\"none\"><td class=\"n\">-</td><td>Boris</td>"), std::string::npos)
        << html;
    EXPECT_NE(html.find("<td class=\"n\">100.00</td>"), std::string::npos);
    EXPECT_NE(html.find(DefaultSheetCaptions().title), std::string::npos);
}

TEST(ResultsSession, LimitsComeFromTheResultsSectionWithStoredDefaults) {
    ConfigStore store;
    EXPECT_EQ(ReadResultsLimits(store).maxErrors, 5);
    int stored = 0;
    EXPECT_TRUE(store.GetInt("Results", "MaxCopies", stored));
    EXPECT_EQ(stored, 3);
    store.SetInt("Results", "MaxErrors", 0);
    store.SetInt("Results", "MaxCopies", 0); // no copy at all is no competition
    const ResultsLimits limits = ReadResultsLimits(store);
    EXPECT_EQ(limits.maxErrors, 0);
    EXPECT_EQ(limits.maxCopies, 3);
    EXPECT_EQ(StepSpeed({100, 110, 130}, 110, 1), 130);
    EXPECT_EQ(StepSpeed({100, 110, 130}, 100, -1), 100);
    EXPECT_EQ(StepSpeed({100, 110, 130}, 120, 1), 100); // not among them: the first
}
