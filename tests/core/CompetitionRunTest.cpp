#include "texts/CompetitionRun.h"
#include "texts/Highlight.h"

#include <gtest/gtest.h>

TEST(CompetitionRun, PreambleNamesKindAndSpeed) {
    EXPECT_EQ(CompetitionPreamble(0, 100), "O O O O O   1 0 0   V V V   =   ");
    EXPECT_EQ(CompetitionPreamble(1, 1000), "0 0 0 0 0   1 0 0 0   V V V   =   ");
    EXPECT_EQ(CompetitionPreamble(2, 90), "0 0 0 0 0   9 0   V V V   =   ");
}

TEST(CompetitionRun, SentStringMarksTextAndClosingSign) {
    const std::string text = "A B C D E   ";
    const SentText s = CompetitionSentText(0, 110, text);
    const std::string preamble = "O O O O O   1 1 0   V V V   =   ";
    EXPECT_EQ(s.sent, preamble + text + "AR");
    EXPECT_EQ(s.markA, static_cast<int>(preamble.size()));
    EXPECT_EQ(s.sent[s.markA], 'A');
    EXPECT_EQ(s.markB, static_cast<int>(preamble.size() + text.size()));
    EXPECT_EQ(s.sent.substr(s.markB), "AR");
}

TEST(Highlight, SoundingCharacterAndOneMorePositionPer300) {
    const struct {
        int current, preamble, speed, first, last;
    } cases[] = {
        {40, 32, 100, 8, 9},  {40, 32, 299, 8, 9},  {40, 32, 300, 8, 10},
        {40, 32, 599, 8, 10}, {40, 32, 600, 8, 11}, {17, 12, 600, 5, 8},
    };
    for (const auto& c : cases) {
        const TextRange r = HighlightRange(c.current, c.preamble, c.speed);
        EXPECT_EQ(r.first, c.first) << c.speed;
        EXPECT_EQ(r.last, c.last) << c.speed;
    }
}

namespace {
RunClockInput Sending(uint32_t now) {
    RunClockInput in{};
    in.now = now;
    in.runStart = 1000;
    in.sending = true;
    in.markA = -1;
    in.markB = -1;
    in.playing = true;
    in.preambleLength = 32;
    in.speed = 600;
    in.interval = 60;
    return in;
}
} // namespace

TEST(CompetitionRun, ClockWhileSending) {
    // Preamble sounding: only the total clock moves.
    RunClockInput in = Sending(3500);
    RunClockStep s = DecideRunClock(in);
    EXPECT_EQ(s.totalTime, 2500);
    EXPECT_FALSE(s.setTextClock);
    EXPECT_FALSE(s.setSelection);
    EXPECT_FALSE(s.setPauseClock);
    EXPECT_EQ(s.action, RunClockAction::None);

    // Text sounding: time since its first character, highlight.
    in.markA = 5000;
    in.now = 7250;
    in.currentCharacter = 50;
    s = DecideRunClock(in);
    EXPECT_TRUE(s.setTextClock);
    EXPECT_EQ(s.textClock, 2250);
    EXPECT_TRUE(s.setSelection);
    EXPECT_EQ(s.selection.first, 18);
    EXPECT_EQ(s.selection.last, 21);
    EXPECT_EQ(s.action, RunClockAction::None);

    // AR sounding: the text's own time, highlight removed.
    in.markB = 65000;
    in.now = 65300;
    s = DecideRunClock(in);
    EXPECT_EQ(s.textClock, 60000);
    EXPECT_TRUE(s.setSelection);
    EXPECT_EQ(s.selection.first, -1);
    EXPECT_EQ(s.selection.last, -1);
    EXPECT_EQ(s.action, RunClockAction::None);

    // Player finished.
    in.playing = false;
    s = DecideRunClock(in);
    EXPECT_EQ(s.textClock, 60000);
    EXPECT_EQ(s.action, RunClockAction::TextOver);
}

TEST(CompetitionRun, ClockDuringPause) {
    RunClockInput in = Sending(70000);
    in.sending = false;
    in.pauseStart = 66000;
    in.speed = 110;
    RunClockStep s = DecideRunClock(in);
    EXPECT_FALSE(s.setTextClock); // the text's time stays through the pause
    EXPECT_TRUE(s.setPauseClock);
    EXPECT_EQ(s.pauseClock, 56000);
    EXPECT_EQ(s.action, RunClockAction::None);

    in.now = 66000 + 60000;
    s = DecideRunClock(in);
    EXPECT_EQ(s.pauseClock, -1);
    EXPECT_TRUE(s.setTextClock);
    EXPECT_EQ(s.textClock, -1);
    EXPECT_EQ(s.action, RunClockAction::NextText);

    // Interval 0: the next text at the first tick of the pause.
    in.interval = 0;
    in.now = 66000;
    EXPECT_EQ(DecideRunClock(in).action, RunClockAction::NextText);

    // 1000 still gets a next text (1010); 1010 ends the run.
    in.speed = 1000;
    EXPECT_EQ(DecideRunClock(in).action, RunClockAction::NextText);
    in.speed = 1010;
    EXPECT_EQ(DecideRunClock(in).action, RunClockAction::Stop);
}

TEST(CompetitionRun, ClockSurvivesTickCountWrap) {
    RunClockInput in = Sending(500);
    in.runStart = 0xFFFFFF00u;
    in.markA = 0xFFFFFFF0u;
    in.currentCharacter = 32;
    RunClockStep s = DecideRunClock(in);
    EXPECT_EQ(s.totalTime, 756);
    EXPECT_EQ(s.textClock, 516);

    // A mark reported a little ahead of the tick count is "just now".
    in.markA = 800;
    EXPECT_EQ(DecideRunClock(in).textClock, 0);

    in.sending = false;
    in.pauseStart = 0xFFFFF000u;
    in.interval = 10;
    s = DecideRunClock(in);
    EXPECT_EQ(s.pauseClock, 10000 - (4096 + 500));
}

TEST(CompetitionRun, LargeViewLayout) {
    // d = 100, c = 440, h = min(80, 110) = 80, x = 510, y = 170.
    LargeViewLayout l = ComputeLargeView(1000, 700, true);
    auto eq = [](const LargeViewPlace& p, int left, int top, int width, int height) {
        return p.shown && p.rect.left == left && p.rect.top == top && p.rect.width == width &&
               p.rect.height == height;
    };
    EXPECT_TRUE(eq(l.totalClock, 510, 150, 440, 80));
    EXPECT_TRUE(eq(l.totalLabel, 50, 170, 440, 40));
    EXPECT_TRUE(eq(l.speedClock, 510, 250, 440, 180));
    EXPECT_TRUE(eq(l.speedLabel, 50, 270, 440, 140));
    EXPECT_TRUE(eq(l.textClock, 510, 450, 440, 180));
    EXPECT_TRUE(eq(l.textLabel, 50, 470, 440, 140));
    EXPECT_FALSE(l.pauseClock.shown);
    EXPECT_FALSE(l.pauseLabel.shown);

    l = ComputeLargeView(1000, 700, false);
    EXPECT_TRUE(eq(l.speedClock, 510, 150, 440, 180));
    EXPECT_TRUE(eq(l.speedLabel, 50, 170, 440, 140));
    EXPECT_TRUE(eq(l.pauseClock, 510, 490, 440, 80));
    EXPECT_TRUE(eq(l.pauseLabel, 50, 510, 440, 40));
    EXPECT_FALSE(l.totalClock.shown || l.totalLabel.shown || l.textClock.shown || l.textLabel.shown);

    // A narrow, tall area: the height follows the width (c / 4).
    // d = 200, c = 190, h = min(160, 47) = 47, y = 23 / 2 + 150 = 161.
    l = ComputeLargeView(500, 1200, true);
    EXPECT_TRUE(eq(l.totalClock, 260, 150, 190, 47));
    EXPECT_TRUE(eq(l.totalLabel, 50, 161, 190, 23));
    EXPECT_TRUE(eq(l.textClock, 260, 750, 190, 247));
}
