#include "TestFiles.h"

#include "diary/DiaryFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace testfiles;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

DiaryRow SampleRow(const std::string& copy) {
    DiaryRow row;
    row.day = DayOfDate(2025, 3, 8);
    row.second = 9 * 3600 + 5 * 60 + 7;
    row.played = {2, 1, 4711, 40, 150, 1};
    row.characters = 200;
    row.errors = 4;
    row.accepted = true;
    row.confusions = {{U'=', 0, 2}, {U'Q', U';', 1}, {0, U'"', 1}};
    row.copy = copy;
    return row;
}

void ExpectSameRow(const DiaryRow& a, const DiaryRow& b) {
    EXPECT_EQ(DiaryLine(a), DiaryLine(b));
    EXPECT_EQ(a.copy, b.copy);
    EXPECT_EQ(a.confusions, b.confusions);
    EXPECT_EQ(a.complete, b.complete);
}

} // namespace

TEST(DiaryFile, DatesAndTimesAsWrittenAndAsASpreadsheetSavesThem) {
    EXPECT_EQ(DayOfDate(1970, 1, 1), 0);
    EXPECT_EQ(DayOfDate(2000, 3, 1), 11017);
    EXPECT_EQ(DayOfDate(2025, 3, 10), 20157);
    EXPECT_EQ(DayText(20157), "2025-03-10");
    for (int d = DayOfDate(1900, 1, 1); d < DayOfDate(2100, 1, 1); d += 97) {
        int y, m, dd;
        DateOfDay(d, y, m, dd);
        EXPECT_EQ(DayOfDate(y, m, dd), d);
    }
    struct Case {
        const char* text;
        bool ok;
        int day, second;
    } cases[] = {
        {"2025-03-10 09:05:07", true, 20157, 32707},
        {"2025-03-10", true, 20157, 0},
        {"2025-03-10T09:05:07", true, 20157, 32707},
        {"10.03.2025 09:05", true, 20157, 32700},
        {"2024-02-29 00:00:00", true, DayOfDate(2024, 2, 29), 0},
        {"2025-02-29", false, 0, 0},
        {"2025-13-01", false, 0, 0},
        {"2025-03-10 24:00", false, 0, 0},
        {"2025-03-10 09:05:07x", false, 0, 0},
        {"2025-03-10 09", false, 0, 0},
        {"10/03/2025", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        int day = -1, second = -1;
        EXPECT_EQ(ReadDiaryTime(c.text, day, second), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(day, c.day) << c.text;
            EXPECT_EQ(second, c.second) << c.text;
        }
    }
}

TEST(DiaryFile, RowRoundTripKeepsEveryCharacterOfTheCopy) {
    for (const char* copy : {"ABCDE FGHIJ", "a,b;c \"quoted\" d", "first line\r\nsecond\nthird", "=SUM(A1)",
                             "-5 +3 @x 'q", " leading and trailing ", "\xD0\xAF\xD0\x96 ;\"", ""}) {
        const DiaryRow row = SampleRow(copy);
        DiaryContents diary;
        std::string error;
        ASSERT_TRUE(ParseDiary(kBom + DiaryHeaderLine() + DiaryLine(row), diary, error)) << error;
        ASSERT_EQ(diary.rows.size(), 1u) << copy << " " << diary.firstProblem;
        EXPECT_EQ(diary.skipped, 0);
        ExpectSameRow(diary.rows[0], row);
        EXPECT_EQ(diary.rows[0].day, row.day);
        EXPECT_EQ(diary.rows[0].played.toneShape, 1);
    }
    EXPECT_EQ(
        DiaryHeaderLine(),
        "date;kind;series;number;groups;speed;tone;characters;errors;accepted;confusions;copy;signs;drill;"
        "effective\r\n");
    EXPECT_EQ(DiaryLine(SampleRow("AB")), "2025-03-08 09:05:07;mixed;competition;4711;40;150;sine;200;4;yes;"
                                          "\"'=>-:2 Q>;:1 ->\"\":1\";AB;;;0\r\n");
}

TEST(DiaryFile, TransmissionRowsKeepTheirFiguresAndReceptionRowsStayAsTheyWere) {
    DiaryRow row = SampleRow("ABCDE");
    const std::string reception = DiaryLine(row);
    row.transmission = {true, 2.85, 0.12, 0.5, 1.25, 91.5};
    const std::string line = DiaryLine(row);
    EXPECT_EQ(line, reception.substr(0, reception.size() - 2) + ";transmission;2.85;0.12;0.50;1.25;91.5\r\n");
    DiaryContents diary;
    std::string error;
    // An unknown mode or unreadable figures leave a check without figures.
    ASSERT_TRUE(ParseDiary(kBom + DiaryHeaderLine() + line + reception +
                               reception.substr(0, reception.size() - 2) + ";keying;1;1;1;1;1\r\n" +
                               line.substr(0, line.size() - 6) + "x\r\n",
                           diary, error))
        << error;
    ASSERT_EQ(diary.rows.size(), 4u);
    const DiaryTransmission& t = diary.rows[0].transmission;
    EXPECT_TRUE(t.present);
    EXPECT_DOUBLE_EQ(t.ratio, 2.85);
    EXPECT_DOUBLE_EQ(t.intraSpread, 0.12);
    EXPECT_DOUBLE_EQ(t.charSpread, 0.5);
    EXPECT_DOUBLE_EQ(t.wordSpread, 1.25);
    EXPECT_DOUBLE_EQ(t.quality, 91.5);
    EXPECT_EQ(DiaryLine(diary.rows[0]), line);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_FALSE(diary.rows[i].transmission.present) << i;
    EXPECT_EQ(DiaryLine(diary.rows[1]), reception);
}

TEST(DiaryFile, RowsOfOlderAndNewerVersionsLoadAndBadRowsAreCounted) {
    const std::string head = "2025-03-08 10:00:00;letters;training;7;20;120;square;100;";
    const std::string file =
        kBom + DiaryHeaderLine() + head + "2;yes;Q>Y:2;QQ\r\n" +          // 2: complete
        head + "2;yes;Q>Y:2;QQ;later;columns\r\n" +                       // 3: newer, more columns
        head + "3;no;Q>Y:3\r\n" +                                         // 4: no copy
        head + "5\r\n" +                                                  // 5: no accepted: by the limit
        head + "6\r\n" +                                                  // 6: the same, over it
        "\r\n" +                                                          // an empty line
        "2025-03-08;letters;training;7;20;120;square;100\r\n" +           // 8: no errors
        "yesterday;letters;training;7;20;120;square;100;1\r\n" +          // 9: no date
        "2025-03-08;callsigns;training;7;20;120;square;100;1\r\n" +       // 10: unknown kind
        "2025-03-08;figures;drill;7;20;120;triangle;100;1;yes;Q>;C\r\n" + // 11: unknown names
        head + "1;yes;;\"never closed\r\n";                               // 12: cut short
    DiaryContents diary;
    std::string error;
    ASSERT_TRUE(ParseDiary(file, diary, error)) << error;
    ASSERT_EQ(diary.rows.size(), 6u);
    EXPECT_EQ(diary.skipped, 4);
    EXPECT_EQ(diary.firstProblem, "row 8: 8 fields, at least 9 needed");
    const DiaryRow* r = diary.rows.data();
    EXPECT_TRUE(r[0].complete);
    EXPECT_TRUE(r[1].complete);
    EXPECT_EQ(r[1].copy, "QQ");
    EXPECT_FALSE(r[2].complete);
    EXPECT_EQ(r[2].confusions.size(), 1u);
    EXPECT_TRUE(r[3].accepted);
    EXPECT_FALSE(r[4].accepted);
    EXPECT_EQ(r[5].played.kind, 1);
    EXPECT_EQ(r[5].played.series, -1);
    EXPECT_EQ(r[5].played.toneShape, -1);
    EXPECT_FALSE(r[5].complete); // its confusions cannot be read

    // Not a diary at all, and diaries with nothing in them.
    EXPECT_FALSE(ParseDiary(kBom + "participant;discipline;speed\r\n", diary, error));
    EXPECT_NE(error.find("diary header"), std::string::npos);
    EXPECT_FALSE(ParseDiary("\"date;kind", diary, error));
    for (const std::string& empty : {std::string(), kBom, kBom + DiaryHeaderLine()}) {
        EXPECT_TRUE(ParseDiary(empty, diary, error));
        EXPECT_TRUE(diary.rows.empty());
    }
}

TEST(DiaryFile, LoadingInPiecesReadsWhatParsingReads) {
    // Rows past the first piece, a copy with line breaks across its end and
    // one copy longer than a piece.
    std::string file = kBom + DiaryHeaderLine();
    int n = 0;
    while (file.size() < (1u << 20) - 700)
        file += DiaryLine(SampleRow("ABCDE FGHIJ " + std::to_string(n++)));
    file += DiaryLine(SampleRow(std::string(600, 'x') + "\r\n\"" + std::string(600, 'y')));
    file += DiaryLine(SampleRow(std::string(2500000, 'z') + "\n;"));
    for (int k = 0; k < 2000; ++k)
        file += DiaryLine(SampleRow("KLMNO " + std::to_string(k)));
    const std::string path = TempFile("Diary.csv");
    WriteAll(path, file);
    DiaryContents parsed, loaded;
    std::string error;
    ASSERT_TRUE(ParseDiary(file, parsed, error));
    ASSERT_EQ(LoadDiary(path, loaded, error), DiaryLoad::Loaded) << error;
    ASSERT_EQ(loaded.rows.size(), parsed.rows.size());
    EXPECT_EQ(loaded.rows.size(), static_cast<size_t>(n) + 2002);
    EXPECT_EQ(loaded.skipped, 0);
    for (size_t i = 0; i < parsed.rows.size(); ++i)
        ExpectSameRow(loaded.rows[i], parsed.rows[i]);
    std::remove(path.c_str());
}

TEST(DiaryFile, LoadReportsWhatCannotBeRead) {
    DiaryContents diary;
    std::string error;
    EXPECT_EQ(LoadDiary(TempFile("none.csv"), diary, error), DiaryLoad::Missing);

    const std::string dir = TempFile("folder");
    std::filesystem::create_directories(dir);
    EXPECT_EQ(LoadDiary(dir, diary, error), DiaryLoad::Unreadable);
    EXPECT_NE(error.find(dir), std::string::npos);
    std::filesystem::remove(dir);

    const std::string other = TempFile("Diary.csv");
    WriteAll(other, "participant;discipline\r\n");
    EXPECT_EQ(LoadDiary(other, diary, error), DiaryLoad::Unreadable);
    EXPECT_NE(error.find("is not a diary"), std::string::npos) << error;

    // Refused by its size before a byte of it is read (a sparse file).
    std::filesystem::resize_file(other, kMaxDiaryBytes + 1);
    EXPECT_EQ(LoadDiary(other, diary, error), DiaryLoad::Unreadable);
    EXPECT_NE(error.find("larger than 256 MB"), std::string::npos) << error;
    std::remove(other.c_str());
#ifndef _WIN32
    // A device that never ends is not read at all.
    EXPECT_EQ(LoadDiary("/dev/zero", diary, error), DiaryLoad::Unreadable);
    EXPECT_NE(error.find("not a file"), std::string::npos) << error;
#endif
}

TEST(DiaryFile, AppendingLeavesEarlierRowsAsTheyAre) {
    const std::string path = TempFile("Diary.csv");
    std::remove(path.c_str());
    std::string error;
    const DiaryRow first = SampleRow("ABC\r\nDEF"), second = SampleRow("GHI");
    ASSERT_TRUE(AppendDiaryRow(path, first, error)) << error;
    const std::string before = ReadAll(path);
    EXPECT_EQ(before, kBom + DiaryHeaderLine() + DiaryLine(first));
    ASSERT_TRUE(AppendDiaryRow(path, second, error)) << error;
    EXPECT_EQ(ReadAll(path), before + DiaryLine(second));

    // An empty file an editor saved with its byte order mark gets the header.
    WriteAll(path, kBom);
    ASSERT_TRUE(AppendDiaryRow(path, first, error)) << error;
    EXPECT_EQ(ReadAll(path), before);

    // A last row cut short keeps its bytes; the new row starts a line of its own.
    const std::string cut = before + "2025-03-08 10:00:00;letters;train";
    WriteAll(path, cut);
    ASSERT_TRUE(AppendDiaryRow(path, second, error)) << error;
    EXPECT_EQ(ReadAll(path), cut + "\r\n" + DiaryLine(second));
    DiaryContents diary;
    ASSERT_EQ(LoadDiary(path, diary, error), DiaryLoad::Loaded) << error;
    EXPECT_EQ(diary.rows.size(), 2u);
    EXPECT_EQ(diary.skipped, 1);

    // Another file is never written into.
    const std::string results = "\xEF\xBB\xBFparticipant;discipline;speed;errors;copy;marked\r\n";
    WriteAll(path, results);
    EXPECT_FALSE(AppendDiaryRow(path, second, error));
    EXPECT_NE(error.find("not a diary"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), results);

    // Nor is a read-only diary.
    WriteAll(path, before);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    EXPECT_FALSE(AppendDiaryRow(path, second, error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), before);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::remove(path.c_str());

    const std::string dir = TempFile("folder");
    std::filesystem::create_directories(dir);
    EXPECT_FALSE(AppendDiaryRow(dir, second, error));
    EXPECT_NE(error.find(dir), std::string::npos);
    std::filesystem::remove(dir);
}

TEST(DiaryFile, RowOfACheckKeepsTheCopyAsStored) {
    CopyCheck check;
    check.characters = 10;
    check.errors = 1;
    check.accepted = true;
    check.confusions = {{U'C', U'X', 1}};
    std::tm t{};
    t.tm_year = 125, t.tm_mon = 2, t.tm_mday = 8, t.tm_hour = 21, t.tm_min = 30, t.tm_sec = 5,
    t.tm_isdst = -1;
    const DiaryRow row = MakeDiaryRow({0, 0, 5, 2, 100, 0}, check, "ABXDE FGHIJ \r\n", std::mktime(&t));
    EXPECT_EQ(DiaryLine(row),
              "2025-03-08 21:30:05;letters;training;5;2;100;square;10;1;yes;C>X:1;ABXDE FGHIJ;;;0\r\n");
}
