#include "sound/MorseTable.h"
#include "transmission/Judge.h"
#include "transmission/TransmissionRows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Characters as the decoder gives them: "AB CD" with '#' for the error sign.
std::vector<DecodedCharacter> Characters(const std::string& sent) {
    std::vector<DecodedCharacter> out;
    bool groupStart = true;
    for (char c : sent) {
        if (c == ' ') {
            groupStart = true;
            continue;
        }
        DecodedCharacter d;
        d.sign = c;
        d.groupStart = groupStart;
        groupStart = false;
        out.push_back(d);
    }
    return out;
}

TEST(TransmissionJudge, TheErrorSignWithdrawsTheGroupBeingSent) {
    struct Case {
        const char* sent;
        const char* copy;
        int corrections;
    };
    const Case cases[] = {
        {"ABCDE FGHIJ", "ABCDE FGHIJ", 0},
        {"ABCDE FGX#FGHIJ", "ABCDE FGHIJ", 1},     // within the group, the group again
        {"ABCDE FGX# FGHIJ", "ABCDE FGHIJ", 1},    // the group again after a gap
        {"ABCDE FGXIJ # FGHIJ", "ABCDE FGHIJ", 1}, // after the group's end: that group
        {"ABCDE FG# # FGHIJ", "ABCDE FGHIJ", 1},   // error signs in a row count once
        {"ABCDE FG##FGHIJ", "ABCDE FGHIJ", 1},
        {"ABXDE # FG# ABCDE FGHIJ", "ABCDE FGHIJ", 2},
        {"# ABCDE", "ABCDE", 0}, // nothing to withdraw
        {"ABCDE#", "", 1},
        {"AB*DE", "AB*DE", 0}, // an unknown pattern stays: a mistake
    };
    for (const Case& c : cases) {
        int corrections = -1;
        EXPECT_EQ(CorrectedCopy(Characters(c.sent), corrections), c.copy) << c.sent;
        EXPECT_EQ(corrections, c.corrections) << c.sent;
    }
}

TEST(TransmissionJudge, MistakesAreCountedAgainstTheTextAndAcceptedUpToTheLimit) {
    const double unit = 40;
    struct Case {
        const char* sent; // sending format
        int mistakes;
        bool accepted;
    };
    const Case cases[] = {
        {"A B C D E   F G H I J   ", 0, true},
        {"A B C D E   F G X I J   ", 1, true},
        {"A B X D E   F G X X J   ", 3, true},
        {"X B X D E   F G X X J   ", 4, false},
        {"A B X D E   #   A B C D E   F G H I J   ", 0, true}, // corrected
        {"A B X # A B C D E   F G H I J   ", 0, true},
        {"A B C D E   ", 5, false}, // half the text
    };
    for (const Case& c : cases) {
        const TransmissionJudgement j =
            JudgeTransmission(RenderKeyTimes(c.sent, unit), "A B C D E   F G H I J   ", 50, JudgeRules{});
        EXPECT_EQ(j.mistakes, c.mistakes) << c.sent;
        EXPECT_EQ(j.accepted, c.accepted) << c.sent;
    }
    // The limit is the rule's.
    JudgeRules strict;
    strict.maxErrors = 0;
    EXPECT_FALSE(
        JudgeTransmission(RenderKeyTimes("A B C D X   F G H I J   ", unit), "ABCDE FGHIJ", 50, strict)
            .accepted);
    // Nothing sent is never accepted, whatever the limit.
    strict.maxErrors = 100;
    EXPECT_FALSE(JudgeTransmission({}, "ABCDE", 50, strict).accepted);
}

TEST(TransmissionJudge, TheMinuteCountsWholeCharactersBegunWithinIt) {
    // Letters at 30 ms a unit go on well past a minute.
    std::string sending;
    for (int g = 0; g < 50; ++g)
        sending += "P A R I S   ";
    const KeyTimes keys = RenderKeyTimes(sending, 30, 0, 5000);
    JudgeRules test;
    test.windowMs = kTransmissionTestMs;
    test.prefix = true;
    const TransmissionJudgement j = JudgeTransmission(keys, sending, 30, test);
    // No press begins after the minute, and the last character is whole.
    const DecodedCharacter& last = j.decoding.characters.back();
    EXPECT_LT(j.decoding.characters.back().startMs, 5000 + kTransmissionTestMs);
    const size_t next = last.firstPress + last.presses;
    ASSERT_LT(next, keys.size());
    EXPECT_GE(keys[next].downMs - keys[next - 1].upMs, 3 * 30 - 1e-9); // a character gap: nothing cut
    // The text not reached is no mistake, and the speed is over the minute.
    EXPECT_EQ(j.mistakes, 0);
    EXPECT_TRUE(j.accepted);
    EXPECT_DOUBLE_EQ(j.cpm, j.characters);
    EXPECT_EQ(j.copy.substr(0, 12), "PARIS PARIS ");

    // A character cut by the end of the minute is dropped whole: PARIS sent
    // so that the minute ends inside the A of the second group.
    const KeyTimes two = RenderKeyTimes("P A R I S   P A R I S   ", 1000, 0, 0);
    // PARIS takes 43 units and a group gap 7, so the second P starts at 50
    // units and its A at 64: dot 64-65, dash from 66. The minute ends at 65.5.
    JudgeRules cut = test;
    cut.windowMs = 65500;
    const TransmissionJudgement c = JudgeTransmission(two, "PARIS PARIS", 1000, cut);
    EXPECT_EQ(c.copy, "PARIS P");
    EXPECT_EQ(c.mistakes, 0); // marked against the text's beginning
    // Of beginnings marked alike the one as long as the copy is shown: X is
    // the text's P sent wrong, not an extra character after PARIS.
    const TransmissionJudgement x =
        JudgeTransmission(RenderKeyTimes("P A R I S   X   ", 40), "PARIS PARIS", 40, test);
    EXPECT_EQ(x.mistakes, 1);
    EXPECT_EQ(x.mark.characters, 6);
    // Without the beginning rule the rest of the text is missing.
    cut.prefix = false;
    EXPECT_EQ(JudgeTransmission(two, "PARIS PARIS", 1000, cut).mistakes, 4);
}

TEST(TransmissionJudge, DiaryRowAndRecordKeepTheFiguresAsTheirFilesDo) {
    const KeyTimes keys = RenderKeyTimes("A B C D X   F G H I J   ", 40);
    const TransmissionJudgement j = JudgeTransmission(keys, "ABCDE FGHIJ", 40, JudgeRules{});
    PlayedText played;
    played.kind = 0;
    played.number = 12;
    played.speed = 100; // the page's speed gives way to the speed reached
    const DiaryRow row = TransmissionDiaryRow(played, j, 0);
    EXPECT_EQ(row.played.speed, static_cast<int>(std::lround(j.cpm)));
    EXPECT_EQ(row.played.number, 12);
    EXPECT_EQ(row.errors, 1);
    EXPECT_EQ(row.characters, 10);
    EXPECT_EQ(row.confusions, (std::vector<Confusion>{{U'E', U'X', 1}}));
    EXPECT_EQ(row.copy, "ABCDX FGHIJ");
    EXPECT_TRUE(row.transmission.present);
    EXPECT_DOUBLE_EQ(row.transmission.ratio, 3);
    EXPECT_DOUBLE_EQ(row.transmission.quality, 100);
    // Nothing sent still makes a readable row.
    EXPECT_EQ(TransmissionDiaryRow(played, JudgeTransmission({}, "ABCDE", 40, JudgeRules{}), 0).played.speed,
              1);

    const TransmissionRecord r = TransmissionRecordOf("Anna", 1, 7, j, keys, 0);
    EXPECT_EQ(r.cpm, row.played.speed);
    EXPECT_EQ(r.mistakes, 1);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.keys.size(), keys.size());
    EXPECT_EQ(r.copy, "ABCDX FGHIJ");
}

} // namespace
