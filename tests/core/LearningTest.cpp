#include "StoredValue.h"

#include "config/AppConfig.h"
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

// The signs of a text in the sending format, checking the format on the way:
// each sign followed by a blank, two more after every fifth.
std::string SignsOf(const std::string& text) {
    std::string signs;
    size_t pos = 0;
    while (pos < text.size()) {
        signs += text[pos];
        const size_t blanks = signs.size() % 5 == 0 ? 3 : 1;
        EXPECT_EQ(text.compare(pos + 1, blanks, std::string(blanks, ' ')), 0) << "at " << pos;
        pos += 1 + blanks;
    }
    return signs;
}

std::map<char, int> Counts(const std::string& signs) {
    std::map<char, int> n;
    for (char c : signs)
        ++n[c];
    return n;
}

// A checked copy of `text` in which every sign of `wrong` was taken for X.
DiaryRow CheckedRow(const std::string& text, const std::string& wrong) {
    DiaryRow row;
    row.copy = text;
    row.characters = static_cast<int>(text.size());
    std::map<char, int> errors;
    for (char& c : row.copy)
        if (wrong.find(c) != std::string::npos)
            ++errors[c], c = 'X';
    for (const auto& e : errors)
        row.confusions.push_back({static_cast<char32_t>(e.first), U'X', e.second});
    row.errors = static_cast<int>(row.confusions.size());
    return row;
}

} // namespace

TEST(Koch, TheOrderHoldsEachSentSignOnceAndBadOrdersAreNamed) {
    std::string problem;
    ASSERT_TRUE(CheckKochOrder(kDefaultKochOrder, problem)) << problem;
    std::string sorted = kDefaultKochOrder, alphabet = TextAlphabet(TextMixed);
    std::sort(sorted.begin(), sorted.end());
    std::sort(alphabet.begin(), alphabet.end());
    EXPECT_EQ(sorted, alphabet);
    const std::string order = kDefaultKochOrder;
    struct Case {
        std::string order, named;
    } bad[] = {
        {order.substr(0, 40), "'='"},                          // one missing
        {"K" + order, "'K' more than once"},                   // one twice
        {order.substr(0, 40) + "#", "'#'"},                    // a sign not sent
        {order.substr(0, 40) + "k", "'k'"},                    // lower case is not sent
        {"MKRSUAPTLOWI.NJEF0Y,VG5/Q9ZH38B?427C1D6X =", "' '"}, // a blank
        {"", "lacks 'A'"},
    };
    for (const Case& c : bad) {
        EXPECT_FALSE(CheckKochOrder(c.order, problem)) << c.order;
        EXPECT_NE(problem.find(c.named), std::string::npos) << c.order << ": " << problem;
        EXPECT_EQ(KochOrderOrDefault(c.order), kDefaultKochOrder);
    }
    const std::string swapped = "MK" + order.substr(2);
    EXPECT_EQ(KochOrderOrDefault(swapped), swapped);
    EXPECT_EQ(LessonSigns(order, 1), "KM");
    EXPECT_EQ(LessonSigns(order, 0), "KM");
    EXPECT_EQ(LessonSigns(order, 5), "KMRSUA");
    EXPECT_EQ(LessonSigns(order, kKochLessons), order);
    EXPECT_EQ(LessonSigns(order, 99), order);
}

// Over 10000 groups the newest sign's count is within 10 % of twice the
// mean count of the older ones (about 5 standard deviations at lesson 40).
TEST(Koch, LessonTextsUseTheLessonsSignsTheNewestTwiceAsOften) {
    for (int lesson : {1, 2, 10, kKochLessons}) {
        const std::string signs = LessonSigns(kDefaultKochOrder, lesson);
        const std::string text = LessonText(signs, 7, 10000);
        const std::string sent = SignsOf(text);
        ASSERT_EQ(sent.size(), 50000u);
        std::map<char, int> n = Counts(sent);
        ASSERT_EQ(n.size(), signs.size()) << "lesson " << lesson;
        long long older = 0;
        for (char c : signs.substr(0, signs.size() - 1)) {
            ASSERT_GT(n[c], 0) << c;
            older += n[c];
        }
        const double ratio = n[signs.back()] / (static_cast<double>(older) / (signs.size() - 1));
        EXPECT_NEAR(ratio, 2.0, 0.2) << "lesson " << lesson;

        EXPECT_EQ(LessonText(signs, 7, 10000), text);
        EXPECT_NE(LessonText(signs, 8, 10000), text);
        EXPECT_EQ(LessonText(signs, 7, 3), text.substr(0, 3 * 12)) << "a shorter text is the same start";
    }
    EXPECT_EQ(LessonText("", 7, 20), "");
    EXPECT_EQ(LessonText("KM", 7, 0), "");
}

// Q is wrong in half its checks, E never, within their last 500
// occurrences; an older check where E was all wrong lies outside that window. Q's weight
// is 9 and E's 1, so Q is drawn at least 6 times as often; a sign never
// checked counts as the average of the two.
TEST(Drill, WeightsFollowTheDiaryAndReplayFromTheDigest) {
    DiaryContents diary;
    diary.rows.push_back(CheckedRow(std::string(300, 'E'), "E"));
    for (int i = 0; i < 300; ++i) {
        DiaryRow row = CheckedRow("QQEE", "");
        row.copy = "QXEE";
        row.confusions = {{U'Q', U'X', 1}};
        diary.rows.push_back(row);
    }
    std::vector<SignWeight> w = DrillWeights(diary, TextLetters);
    ASSERT_EQ(w.size(), 26u);
    const SignWeight& q = w['Q' - 'A'];
    const SignWeight& e = w['E' - 'A'];
    EXPECT_EQ(q.weight, 9);
    EXPECT_GE(q.checked, 500);
    EXPECT_EQ(e.weight, 1);
    EXPECT_EQ(e.errors, 0) << "the oldest check lies outside the window";
    EXPECT_EQ(w['A' - 'A'].weight, 5);
    EXPECT_EQ(HeaviestSigns(w, 10).front().sign, U'Q');
    EXPECT_EQ(HeaviestSigns(w, 10).size(), 10u);

    const std::string digest = WeightsDigest(w);
    EXPECT_EQ(digest, "55551555555555559555555555");
    std::vector<SignWeight> read;
    ASSERT_TRUE(ReadWeightsDigest(digest, TextLetters, read));
    const std::string text = DrillText(w, 11, 2000);
    EXPECT_EQ(DrillText(read, 11, 2000), text);
    std::map<char, int> n = Counts(SignsOf(text));
    EXPECT_GT(n['Q'], 6 * n['E']);
    for (const char* bad : {"", "55551", "55551555555555559555555550", "5555155555555555955555555a"})
        EXPECT_FALSE(ReadWeightsDigest(bad, TextLetters, read)) << bad;
    EXPECT_FALSE(ReadWeightsDigest(digest, TextFigures, read)) << "a digest is over its own kind's alphabet";
}

// A lesson or a drill row names its text, keeps its columns through the
// file, and a row written before those columns still loads as the
// generator's text at its own speed.
TEST(Drill, DiaryRowsNameLessonAndDrillTexts) {
    PlayedText lesson;
    lesson.number = 3;
    lesson.groups = 20;
    lesson.speed = 100;
    lesson.lessonSigns = "=KM"; // a cell that a spreadsheet would take for a formula
    lesson.effectiveSpeed = 50;
    PlayedText drill;
    drill.kind = TextFigures;
    drill.number = 4;
    drill.groups = 5;
    drill.speed = 120;
    drill.drillWeights = "1111111199";
    std::string file = DiaryHeaderLine();
    for (const PlayedText& p : {lesson, drill}) {
        DiaryRow row;
        row.played = p;
        file += DiaryLine(row);
    }
    file += "2025-03-08 10:00:00;letters;training;7;20;120;square;100;2;yes;Q>Y:2;QQ\r\n";
    DiaryContents diary;
    std::string error;
    ASSERT_TRUE(ParseDiary(file, diary, error)) << error;
    ASSERT_EQ(diary.rows.size(), 3u);
    const PlayedText& l = diary.rows[0].played;
    EXPECT_EQ(l.lessonSigns, "=KM");
    EXPECT_EQ(l.effectiveSpeed, 50);
    EXPECT_EQ(PlayedTextOf(l), LessonText("=KM", 3, 20));
    const PlayedText& d = diary.rows[1].played;
    EXPECT_EQ(d.drillWeights, "1111111199");
    EXPECT_EQ(d.effectiveSpeed, 0);
    std::vector<SignWeight> w;
    ASSERT_TRUE(ReadWeightsDigest("1111111199", TextFigures, w));
    EXPECT_EQ(PlayedTextOf(d), DrillText(w, 4, 5));
    const PlayedText& old = diary.rows[2].played;
    EXPECT_TRUE(old.lessonSigns.empty() && old.drillWeights.empty());
    EXPECT_EQ(old.effectiveSpeed, 0);
    EXPECT_EQ(PlayedTextOf(old), generateText(7, 100, TextAlphabet(TextLetters)));
}

// Each [Learning] number: its default when missing or out of range (stored
// back), and the setter keeps to the limits. A bad order is kept for the
// user to mend.
TEST(Koch, LearningSettingsKeepTheirLimits) {
    AppConfig c;
    const struct {
        int (AppConfig::*get)();
        void (AppConfig::*set)(int);
        const char* key;
        int defaultValue, high;
    } cases[] = {
        {&AppConfig::GetLearningPassPercent, &AppConfig::SetLearningPassPercent, "PassPercent", 90, 100},
        {&AppConfig::GetLearningLesson, &AppConfig::SetLearningLesson, "Lesson", 1, kKochLessons},
        {&AppConfig::GetLearningGroups, &AppConfig::SetLearningGroups, "Groups", 20, 10000},
        {&AppConfig::GetLearningCharSpeed, &AppConfig::SetLearningCharSpeed, "CharSpeed", 100, 1000},
        {&AppConfig::GetLearningEffectiveSpeed, &AppConfig::SetLearningEffectiveSpeed, "EffectiveSpeed", 50,
         1000},
    };
    for (const auto& k : cases) {
        EXPECT_EQ((c.*k.get)(), k.defaultValue) << k.key;
        EXPECT_EQ(Stored(c, "Learning", k.key), std::to_string(k.defaultValue)) << k.key;
        for (const std::string& bad : {std::string("0"), std::to_string(k.high + 1), std::string("x")}) {
            c.SetString("Learning", k.key, bad);
            EXPECT_EQ((c.*k.get)(), k.defaultValue) << k.key << " " << bad;
        }
        (c.*k.set)(k.high + 5);
        EXPECT_EQ((c.*k.get)(), k.high) << k.key;
        (c.*k.set)(0);
        EXPECT_EQ((c.*k.get)(), 1) << k.key;
    }
    EXPECT_EQ(c.GetLearningOrder(), kDefaultKochOrder);
    c.SetLearningOrder("KMKM");
    EXPECT_EQ(c.GetLearningOrder(), "KMKM");
}
