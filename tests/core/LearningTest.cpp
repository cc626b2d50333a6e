#include "diary/DiaryFile.h"
#include "learning/Drill.h"
#include "learning/Koch.h"
#include "learning/LessonText.h"
#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

// How often each sign occurs in a text, checking the sending format on the
// way: each sign followed by a blank, two more after every fifth.
std::map<char, int> Counts(const std::string& text) {
    std::map<char, int> n;
    for (size_t pos = 0, signs = 1; pos < text.size(); pos += signs++ % 5 ? 2 : 4) {
        ++n[text[pos]];
        EXPECT_EQ(text.compare(pos + 1, signs % 5 ? 1 : 3, signs % 5 ? " " : "   "), 0) << pos;
    }
    return n;
}

} // namespace

TEST(Koch, TheOrderHoldsEachSentSignOnceAndBadOrdersAreNamed) {
    const std::string order = kDefaultKochOrder;
    std::string problem, sorted = order, alphabet = TextAlphabet(TextMixed);
    ASSERT_TRUE(CheckKochOrder(order, problem)) << problem;
    std::sort(sorted.begin(), sorted.end());
    std::sort(alphabet.begin(), alphabet.end());
    EXPECT_EQ(sorted, alphabet);
    const struct {
        std::string order, named;
    } bad[] = {
        {order.substr(0, 40), "lacks '='"}, {"K" + order, "'K' more than once"},
        {order.substr(0, 40) + "#", "'#'"}, {order.substr(0, 40) + "k", "'k'"},
        {" " + order.substr(1), "' '"},     {"", "lacks 'A'"},
    };
    for (const auto& c : bad) {
        EXPECT_FALSE(CheckKochOrder(c.order, problem)) << c.order;
        EXPECT_NE(problem.find(c.named), std::string::npos) << c.order << ": " << problem;
        EXPECT_EQ(KochOrderOrDefault(c.order), order);
    }
    EXPECT_EQ(KochOrderOrDefault("MK" + order.substr(2)), "MK" + order.substr(2));
    const std::pair<int, std::string> lessons[] = {
        {0, "KM"}, {1, "KM"}, {5, "KMRSUA"}, {40, order}, {99, order}};
    for (const auto& l : lessons)
        EXPECT_EQ(LessonSigns(order, l.first), l.second) << l.first;
}

// Over 10000 groups the newest sign's count is within 10 % of twice the
// mean count of each older one (about 5 standard deviations at lesson 40).
TEST(Koch, LessonTextsUseTheLessonsSignsTheNewestTwiceAsOften) {
    for (int lesson : {1, 2, 10, kKochLessons}) {
        const std::string signs = LessonSigns(kDefaultKochOrder, lesson);
        const std::string text = LessonText(signs, 7, 10000);
        std::map<char, int> n = Counts(text);
        ASSERT_EQ(n.size(), signs.size()) << "lesson " << lesson;
        double older = 0;
        for (char c : signs.substr(0, signs.size() - 1))
            older += n[c];
        EXPECT_EQ(older + n[signs.back()], 50000) << "a sign outside the lesson";
        EXPECT_NEAR(n[signs.back()] / (older / (signs.size() - 1)), 2.0, 0.2) << "lesson " << lesson;
        EXPECT_EQ(LessonText(signs, 7, 10000), text);
        EXPECT_NE(LessonText(signs, 8, 10000), text);
    }
}

// Q is wrong in half its last 500 checks, E in none (an older check where E
// was all wrong lies outside its window): weights 9 and 1, a sign never
// checked the average 5, and Q drawn at least 6 times as often as E.
TEST(Drill, WeightsFollowTheDiaryAndReplayFromTheDigest) {
    DiaryContents diary;
    DiaryRow row;
    row.copy = std::string(300, 'X');
    row.characters = 300;
    row.confusions = {{U'E', U'X', 300}};
    diary.rows.push_back(row);
    row.copy = "QXEE";
    row.characters = 4;
    row.confusions = {{U'Q', U'X', 1}};
    diary.rows.insert(diary.rows.end(), 260, row);
    const std::vector<SignWeight> w = DrillWeights(diary, TextLetters);
    const std::string digest = WeightsDigest(w);
    EXPECT_EQ(digest, "eeeeaeeeeeeeeeeeieeeeeeeee");
    EXPECT_EQ(HeaviestSigns(w, 10).front().sign, U'Q');
    std::vector<SignWeight> read;
    ASSERT_TRUE(ReadWeightsDigest(digest, TextLetters, read));
    const std::string text = DrillText(w, 11, 2000);
    EXPECT_EQ(DrillText(read, 11, 2000), text);
    std::map<char, int> n = Counts(text);
    EXPECT_GT(n['Q'], 6 * n['E']);
    for (const char* bad : {"", "eeee", "eeeeaeeeeeeeeeeeieeeeeeeej", "eeeeaeeeeeeeeeeeieeeeeeee5"})
        EXPECT_FALSE(ReadWeightsDigest(bad, TextLetters, read)) << bad;
    EXPECT_FALSE(ReadWeightsDigest(digest, TextFigures, read));
}

// Lesson and drill rows keep their columns through the file and name their
// texts; a row written before those columns is the generator's text.
TEST(Drill, DiaryRowsNameLessonAndDrillTexts) {
    DiaryRow lesson, drill;
    lesson.played.number = 3, lesson.played.groups = 20, lesson.played.effectiveSpeed = 50;
    lesson.played.speed = drill.played.speed = 100;
    lesson.played.lessonSigns = "=KM"; // a spreadsheet would take it for a formula
    drill.played.kind = TextFigures, drill.played.number = 4, drill.played.groups = 5;
    drill.played.drillWeights = "aaaaaaaaii";
    const std::string file = DiaryHeaderLine() + DiaryLine(lesson) + DiaryLine(drill) +
                             "2025-03-08 10:00:00;letters;training;7;20;120;square;100;2;yes;Q>Y:2;QQ\r\n";
    DiaryContents diary;
    std::string error;
    ASSERT_TRUE(ParseDiary(file, diary, error)) << error;
    ASSERT_EQ(diary.rows.size(), 3u);
    const PlayedText &l = diary.rows[0].played, &d = diary.rows[1].played, &old = diary.rows[2].played;
    EXPECT_EQ(l.effectiveSpeed, 50);
    EXPECT_EQ(PlayedTextOf(l), LessonText("=KM", 3, 20));
    std::vector<SignWeight> w;
    ASSERT_TRUE(ReadWeightsDigest("aaaaaaaaii", TextFigures, w));
    EXPECT_EQ(PlayedTextOf(d), DrillText(w, 4, 5));
    EXPECT_EQ(d.effectiveSpeed, 0);
    EXPECT_TRUE(old.lessonSigns.empty() && old.drillWeights.empty() && old.effectiveSpeed == 0);
    EXPECT_EQ(PlayedTextOf(old), generateText(7, 100, TextAlphabet(TextLetters)));
}
