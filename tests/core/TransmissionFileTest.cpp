#include "TestFiles.h"

#include "transmission/TransmissionFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testfiles;

namespace {

TransmissionRecord Record(const std::string& participant, int discipline, long long number, int cpm) {
    TransmissionRecord r;
    r.participant = participant;
    r.discipline = discipline;
    r.textNumber = number;
    r.cpm = cpm;
    r.mistakes = 2;
    r.accepted = true;
    r.quality = 87.5;
    r.ratio = 3.05;
    r.copy = "ABCDE; \"FG\"";
    r.sentAt = "2026-12-08 10:00:00";
    r.keys = {{1000.04, 1060}, {1120.06, 1300}, {1360, 1420.25}};
    return r;
}

TEST(TransmissionFile, KeyTimesCellsKeepTimesToATenthOfAMillisecond) {
    // Times relative to the first down; each rounded absolutely, so that
    // rounding never adds up over thousands of presses.
    KeyTimes many;
    for (int i = 0; i < 5000; ++i)
        many.push_back({5000 + i * 40.06, 5000 + i * 40.06 + 20.03});
    KeyTimes back;
    std::string error;
    ASSERT_TRUE(ReadKeyTimesCell(KeyTimesCell(many), back, error)) << error;
    ASSERT_EQ(back.size(), many.size());
    for (size_t i = 0; i < many.size(); ++i) {
        EXPECT_NEAR(back[i].downMs, many[i].downMs - 5000, 0.05 + 1e-9) << i;
        EXPECT_NEAR(back[i].upMs, many[i].upMs - 5000, 0.05 + 1e-9) << i;
    }
    EXPECT_EQ(KeyTimesCell({{100, 160}, {220, 400}}), "600 600 1800");
    EXPECT_EQ(KeyTimesCell({}), "");
    // Bad cells: a silence last, a press of no length, not a number.
    for (const char* bad : {"600 600", "0 10 5", "600 x 5", "600 -5 5", "6.5"}) {
        EXPECT_FALSE(ReadKeyTimesCell(bad, back, error)) << bad;
        EXPECT_TRUE(back.empty());
    }
}

TEST(TransmissionFile, RowsRoundTripAndBadFilesAreNamedByRow) {
    const std::vector<TransmissionRecord> records = {Record(u8"Анна Ковальска", 0, 17, 121),
                                                     Record("=Boris", 2, 3, 98)};
    std::vector<TransmissionRecord> back;
    std::string error;
    const std::string bytes = TransmissionCsv(records);
    ASSERT_TRUE(ParseTransmissionCsv(bytes, back, error)) << error;
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(TransmissionCsv(back), bytes);
    EXPECT_EQ(back[0].participant, u8"Анна Ковальска");
    EXPECT_EQ(back[1].participant, "=Boris");
    EXPECT_EQ(back[1].discipline, 2);
    EXPECT_EQ(back[0].copy, "ABCDE; \"FG\"");
    EXPECT_DOUBLE_EQ(back[0].quality, 87.5);
    EXPECT_DOUBLE_EQ(back[0].ratio, 3.05);
    ASSERT_EQ(back[0].keys.size(), 3u);
    EXPECT_DOUBLE_EQ(back[0].keys[2].upMs, 420.2); // 1420.25 - 1000.04, to 0.1 ms
    EXPECT_TRUE(ParseTransmissionCsv("", back, error));
    EXPECT_TRUE(back.empty());

    const std::string header = bytes.substr(0, bytes.find("\r\n") + 2);
    const std::string good = "Anna;letters;17;121;2;yes;87.5;3.05;ABCDE;2026-12-08 10:00:00;600 600 1800\r\n";
    struct Bad {
        std::string row;
        const char* error;
    };
    const Bad bads[] = {
        {"Anna;letters;17;121;2;yes;87.5;3.05;ABCDE;x\r\n", "row 3: 10 fields instead of 11"},
        {";letters;17;121;2;yes;87.5;3.05;A;x;600\r\n", "row 3: no participant"},
        {"Anna;callsigns;17;121;2;yes;87.5;3.05;A;x;600\r\n", "row 3: unknown discipline"},
        {"Anna;letters;17;fast;2;yes;87.5;3.05;A;x;600\r\n", "row 3: text number, cpm and mistakes"},
        {"Anna;letters;17;121;2;maybe;87.5;3.05;A;x;600\r\n", "row 3: accepted must be yes or no"},
        {"Anna;letters;17;121;2;yes;101;3.05;A;x;600\r\n", "row 3: quality"},
        {"Anna;letters;17;121;2;yes;87.5;3,05;A;x;600\r\n", "row 3: quality"},
        {"Anna;letters;17;121;2;yes;87.5;3.05;A;x;600 600\r\n", "row 3: the key times end"},
    };
    for (const Bad& b : bads) {
        EXPECT_FALSE(ParseTransmissionCsv(header + good + b.row, back, error)) << b.row;
        EXPECT_EQ(error.rfind(b.error, 0), 0u) << error;
        EXPECT_TRUE(back.empty());
    }
    EXPECT_FALSE(ParseTransmissionCsv("\xEF\xBB\xBFparticipant;discipline;speed\r\n", back, error));
}

TEST(TransmissionFile, StoringReplacesTheSameTextAndKeepsOtherAttempts) {
    const std::string path = TempFile("Transmission.csv");
    std::remove(path.c_str());
    std::string error;
    EXPECT_EQ(StoreTransmission(path, Record("Anna", 0, 17, 100), error), StoreOutcome::Added) << error;
    EXPECT_EQ(StoreTransmission(path, Record("Anna", 0, 18, 110), error), StoreOutcome::Added);
    EXPECT_EQ(StoreTransmission(path, Record("Anna", 1, 17, 90), error), StoreOutcome::Added);
    EXPECT_EQ(StoreTransmission(path, Record("Boris", 0, 17, 95), error), StoreOutcome::Added);
    // The same participant (any spelling), discipline and text: sent again.
    EXPECT_EQ(StoreTransmission(path, Record(" ANNA ", 0, 17, 120), error), StoreOutcome::Replaced);
    EXPECT_EQ(StoreTransmission(path, Record("  ", 0, 17, 120), error), StoreOutcome::Refused);
    std::vector<TransmissionRecord> stored;
    ASSERT_EQ(LoadTransmissionFile(path, stored, error), ResultsLoad::Loaded) << error;
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[0].cpm, 120);
    EXPECT_EQ(stored[0].participant, "ANNA");
    EXPECT_EQ(stored[1].cpm, 110);
    EXPECT_EQ(ReadAll(path).rfind("\xEF\xBB\xBFparticipant;", 0), 0u);

    // A file that cannot be read as such is kept as it is.
    const std::string foreign =
        "participant;discipline;speed;errors;copy;marked\r\nAnna;letters;100;0;X;now\r\n";
    WriteAll(path, foreign);
    EXPECT_EQ(StoreTransmission(path, Record("Anna", 0, 17, 100), error), StoreOutcome::Unreadable);
    EXPECT_NE(error.find("is not a transmission results file"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(path), foreign);
    std::remove(path.c_str());
    std::remove(ResultsLockPath(path).c_str());

    EXPECT_EQ(TransmissionPathOf("/data/cup/Results.csv"), "/data/cup/Transmission.csv");
    EXPECT_EQ(TransmissionPathOf("C:\\cup\\Results.csv"), "C:\\cup\\Transmission.csv");
    EXPECT_EQ(TransmissionPathOf("Results.csv"), "Transmission.csv");
}

} // namespace
