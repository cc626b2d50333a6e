// The training reception page driven with the messages of the operator's
// actions, a scripted player and a test clock.
#include "PageHarness.h"

#include "controls/ControlMessages.h"
#include "controls/win/DisplayControls.h"
#include "resources/resource.h"
#include "sound/MorseTable.h"
#include "texts/TextGenerator.h"
#include "texts/TrainingSession.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace harness;

namespace {

enum {
    kTextNumber = 1165,
    kTextNumberSpin = 1166,
    kTypeList = 1036,
    kLengthList = 1037,
    kSpeedStep = 1049,
    kFirstText = 1060,
    kSpeed = 1043,
    kSpeedSpin = 1045,
    kGroups = 1033,
    kGroupsSpin = 1255,
    kRefresh = 1032,
    kSeriesClock = 1068,
    kTextClock = 1062,
    kTextBox = 1027,
    kBack = 1014,
    kBegin = 1063,
    kFinish = 1064,
    kPrevious = 1185,
    kStop = 1247,
    kRepeat = 1066,
    kStart = 1174,
    kCaption = 1070
};
constexpr UINT_PTR kSeriesTimer = 1, kPlayTimer = 2;

struct TrainingPage : ::testing::Test {
    PageUnderTest h{IDD_TRAINING, TrainingPageProc};

    void SetUp() override { h.Show(); }
    int SelStart() { return static_cast<int>(SendDlgItemMessageA(h.page, kTextBox, ATB_GETSELSTART, 0, 0)); }
    int SelEnd() { return static_cast<int>(SendDlgItemMessageA(h.page, kTextBox, ATB_GETSELEND, 0, 0)); }
    // The text the page plays: the sent string without preamble and AR.
    std::string PlayedText() {
        const std::string& s = h.Player().starts.back().text;
        return s.substr(kTrainingPreambleLength, s.size() - kTrainingPreambleLength - 2);
    }
    std::string Letters(int number, int groups) { return generateText(number, groups * 5, TextAlphabet(0)); }
    // The controls enabled now, among the ones whose state the series decides.
    std::vector<int> EnabledNow() {
        std::vector<int> on;
        for (int id : {kBack, kBegin, kFinish, kPrevious, kStop, kRepeat, kStart, kTextNumber, kTypeList,
                       kLengthList, kSpeed, kSpeedStep, kGroups, kRefresh})
            if (h.Enabled(id))
                on.push_back(id);
        return on;
    }
};

using Ids = std::vector<int>;

// The clocks' minutes, seconds and tenths.
std::string Clocked(int ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d.%d", ms / 60000, ms % 60000 / 1000, ms % 1000 / 100);
    return text;
}

TEST_F(TrainingPage, ShownIdleWithTheTextOfTheNumberAndNoClocks) {
    EXPECT_EQ(h.Number(kSpeed), 100);
    EXPECT_EQ(h.Number(kTextNumber), 1);
    EXPECT_EQ(h.Number(kSpeedStep), 10);
    EXPECT_EQ(h.Number(kGroups), 20); // standard length at 100
    EXPECT_EQ(ShownText(), Letters(1, 20));
    EXPECT_EQ(EnabledNow(),
              (Ids{kBack, kBegin, kTextNumber, kTypeList, kLengthList, kSpeed, kSpeedStep, kRefresh}));
    EXPECT_EQ(h.Clock(kSeriesClock), "--:--");
    EXPECT_EQ(h.Clock(kTextClock), "--:--");
    ASSERT_EQ(h.players.size(), 1u);
    EXPECT_EQ(h.Player().sampleRate, 44100);
    EXPECT_EQ(h.Player().volume, 80);
    EXPECT_EQ(h.Player().soundType, 1);
    EXPECT_EQ(h.Player().toneShape, 0);
    EXPECT_FALSE(h.Enabled(kFirstText));
    h.Hide();
    h.app->SetToneShape(1);
    h.Show();
    EXPECT_EQ(h.Player().toneShape, 1);
}

TEST_F(TrainingPage, SeriesWalkPlaysSevenEightSevenWithTheStatesEnabled) {
    h.SetNumber(kTextNumber, 7);
    h.Command(kBegin);
    EXPECT_EQ(h.Number(kFirstText), 7);
    EXPECT_EQ(EnabledNow(),
              (Ids{kFinish, kRepeat, kStart, kTypeList, kLengthList, kSpeed, kSpeedStep, kRefresh}));
    EXPECT_EQ(GetFocus(), GetDlgItem(h.page, kStart));

    h.Command(kStart);
    ASSERT_EQ(h.Player().starts.size(), 1u);
    const auto& s = h.Player().starts[0];
    const std::string text = Letters(7, 20);
    EXPECT_EQ(s.text, "V V V   =   " + text + "AR");
    EXPECT_EQ(s.unit, unitSamples(TextLetters, 100, 44100));
    EXPECT_EQ(s.delay, 3);
    EXPECT_EQ(s.frequency, 850);
    EXPECT_EQ(s.markA, 12);
    EXPECT_EQ(s.markB, 12 + static_cast<int>(text.size()));
    EXPECT_EQ(s.space, -1);
    EXPECT_EQ(h.Player().pauses, (std::vector<bool>{false}));
    EXPECT_EQ(ShownText(), text);
    EXPECT_EQ(EnabledNow(), (Ids{kStop}));
    EXPECT_EQ(GetFocus(), GetDlgItem(h.page, kStop));

    h.Command(kStop);
    EXPECT_EQ(h.Player().pauses.back(), true);
    EXPECT_EQ(EnabledNow(),
              (Ids{kFinish, kRepeat, kStart, kTypeList, kLengthList, kSpeed, kSpeedStep, kRefresh}));
    h.Command(kStart);
    EXPECT_EQ(h.Number(kTextNumber), 8);
    EXPECT_EQ(PlayedText(), Letters(8, 20));
    h.Command(kStop);
    EXPECT_TRUE(h.Enabled(kPrevious));

    h.Command(kPrevious);
    EXPECT_EQ(h.Number(kTextNumber), 7);
    EXPECT_FALSE(h.Enabled(kPrevious));
    h.Command(kStart);
    EXPECT_EQ(h.Number(kTextNumber), 7);
    EXPECT_EQ(PlayedText(), Letters(7, 20));
    EXPECT_EQ(h.players.size(), 1u); // one player for the whole visit
}

TEST_F(TrainingPage, RepeatReplaysTheNumberShown) {
    h.SetNumber(kTextNumber, 3);
    h.Command(kBegin);
    h.Command(kStart);
    h.Command(kStop);
    h.Command(kRepeat);
    EXPECT_EQ(h.Number(kTextNumber), 3);
    EXPECT_EQ(h.Player().starts.size(), 2u);
    EXPECT_EQ(h.Player().starts[1].text, h.Player().starts[0].text);
}

TEST_F(TrainingPage, NumberLoweredBelowTheFirstByTheArrowsIsRaisedBackOnStop) {
    h.SetNumber(kTextNumber, 7);
    h.Command(kBegin);
    h.Command(kStart);
    EXPECT_NE(h.Arrow(kTextNumberSpin, -1), 0); // the page moves the field itself
    h.Arrow(kTextNumberSpin, -1);
    EXPECT_EQ(h.Number(kTextNumber), 5);
    EXPECT_EQ(ShownText(), Letters(5, 20)); // the arrows act while playing too
    EXPECT_EQ(h.Player().starts.size(), 1u);
    h.Command(kStop);
    EXPECT_EQ(h.Number(kTextNumber), 7);
    EXPECT_FALSE(h.Enabled(kPrevious));
    EXPECT_EQ(ShownText(), Letters(7, 20));
}

TEST_F(TrainingPage, StandardLengthFollowsTheSpeedAndFixedLengthIsTyped) {
    h.SetNumber(kSpeed, 3);
    h.Command(kRefresh);
    EXPECT_EQ(h.Number(kGroups), 1);
    EXPECT_EQ(ShownText(), Letters(1, 1));
    h.Arrow(kSpeedSpin, +1); // 3 + step 10
    EXPECT_EQ(h.Number(kSpeed), 13);
    EXPECT_EQ(h.Number(kGroups), 2);
    EXPECT_EQ(ShownText(), Letters(1, 2));

    h.Select(kLengthList, 0);
    EXPECT_TRUE(h.Enabled(kGroups));
    h.SetNumber(kGroups, 3);
    h.Arrow(kGroupsSpin, +1);
    EXPECT_EQ(h.Number(kGroups), 4);
    EXPECT_EQ(ShownText(), Letters(1, 4));
    // In fixed length the speed arrow leaves groups and text alone.
    h.Arrow(kSpeedSpin, +1);
    EXPECT_EQ(h.Number(kSpeed), 23);
    EXPECT_EQ(h.Number(kGroups), 4);
    EXPECT_EQ(ShownText(), Letters(1, 4));

    h.Select(kLengthList, 1);
    EXPECT_FALSE(h.Enabled(kGroups));
    EXPECT_EQ(h.Number(kGroups), 4);
    h.SetNumber(kSpeed, 100);
    h.Command(kRefresh);
    EXPECT_EQ(h.Number(kGroups), 20);
}

TEST_F(TrainingPage, InvalidFieldsFallBackToTheirDefaults) {
    h.SetText(kSpeed, "abc");
    h.SetText(kTextNumber, "0");
    h.Command(kRefresh);
    EXPECT_EQ(h.Number(kSpeed), 100);
    EXPECT_EQ(h.Number(kTextNumber), 100);
    h.SetText(kSpeedStep, "5000");
    h.SetNumber(kSpeed, 1000);
    h.Arrow(kSpeedSpin, +1); // step read as 1, speed limited to 1000
    EXPECT_EQ(h.Number(kSpeedStep), 1);
    EXPECT_EQ(h.Number(kSpeed), 1000);
    h.SetNumber(kTextNumber, 10000000);
    h.Arrow(kTextNumberSpin, +1);
    EXPECT_EQ(h.Number(kTextNumber), 10000000);
}

TEST_F(TrainingPage, SelectedTextTypeIsGeneratedAndPlayedWithItsUnit) {
    h.Select(kTypeList, 2);
    h.Command(kBegin);
    h.Command(kStart);
    EXPECT_EQ(PlayedText(), generateText(1, 100, TextAlphabet(2)));
    EXPECT_EQ(h.Player().starts[0].unit, unitSamples(TextMixed, 100, 44100));
}

TEST_F(TrainingPage, FixedModeClockCountsDownAndShowsTheFullDurationAtAr) {
    h.Select(kLengthList, 0);
    h.SetNumber(kGroups, 20);
    h.Command(kBegin);
    h.Command(kStart);
    const std::string text = PlayedText();
    const int duration = TextDurationMs(text, unitSamples(TextLetters, 100, 44100), 44100);
    EXPECT_GT(duration, 50000);
    const std::string full = h.Clock(kTextClock);
    EXPECT_EQ(full, Clocked(duration));

    // Start delay and preamble: nothing moves.
    h.Player().playing = true;
    h.Player().current = 3;
    Now() += 3000;
    h.Tick(kPlayTimer);
    EXPECT_EQ(h.Clock(kTextClock), full);
    EXPECT_EQ(SelStart(), -1);

    h.Player().markA = Now();
    h.Player().current = 12 + 10;
    Now() += 5000;
    h.Tick(kPlayTimer);
    EXPECT_EQ(h.Clock(kTextClock), Clocked(duration - 5000));
    EXPECT_EQ(SelStart(), 10);
    EXPECT_EQ(SelEnd(), 11);

    Now() += duration;
    h.Player().markB = Now();
    h.Tick(kPlayTimer);
    EXPECT_EQ(h.Clock(kTextClock), full);
    EXPECT_EQ(SelStart(), -1);
}

TEST_F(TrainingPage, StandardModeClockCountsUpFromTheFirstCharacterAndHighlightsBySpeed) {
    h.SetNumber(kSpeed, 600);
    h.Command(kBegin);
    h.Command(kStart);
    EXPECT_EQ(h.Clock(kTextClock), "--:--");
    h.Player().markA = Now();
    h.Player().current = 12 + 25;
    Now() += 65432;
    h.Tick(kPlayTimer);
    EXPECT_EQ(h.Clock(kTextClock), "1:05.4");
    EXPECT_EQ(SelStart(), 25); // at 600: four positions
    EXPECT_EQ(SelEnd(), 28);
}

TEST_F(TrainingPage, EndOfTheSoundStopsButNotBeforeThePlayerHasStarted) {
    h.Command(kBegin);
    h.Command(kStart);
    Now() += 100;
    h.Player().playing = false; // the player's thread has not picked the text up yet
    h.Tick(kPlayTimer);
    EXPECT_TRUE(h.Enabled(kStop));
    h.Player().playing = true;
    Now() += 100;
    h.Tick(kPlayTimer);
    EXPECT_TRUE(h.Enabled(kStop));
    h.Player().playing = false;
    Now() += 100;
    h.Tick(kPlayTimer);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_TRUE(h.Enabled(kStart));
    EXPECT_FALSE(h.TimerRunning(kPlayTimer));
    EXPECT_TRUE(h.TimerRunning(kSeriesTimer));
}

TEST_F(TrainingPage, SeriesClockRunsFromBeginAndFinishClearsBothClocks) {
    h.Command(kBegin);
    Now() += 65432;
    h.Tick(kSeriesTimer);
    EXPECT_EQ(h.Clock(kSeriesClock), "1:05.4");
    h.Command(kFinish);
    EXPECT_EQ(h.Clock(kSeriesClock), "--:--");
    EXPECT_EQ(h.Clock(kTextClock), "--:--");
    EXPECT_FALSE(h.TimerRunning(kSeriesTimer));
    EXPECT_EQ(EnabledNow(),
              (Ids{kBack, kBegin, kTextNumber, kTypeList, kLengthList, kSpeed, kSpeedStep, kRefresh}));
    EXPECT_EQ(GetFocus(), GetDlgItem(h.page, kBegin));
}

TEST_F(TrainingPage, EscStopsThenFinishesThenLeaves) {
    h.Command(kBegin);
    h.Command(kStart);
    h.Key(27);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_TRUE(h.Enabled(kFinish));
    h.Key(27);
    EXPECT_TRUE(h.Enabled(kBegin));
    EXPECT_TRUE(PageRequests().empty());
    h.Key(27);
    EXPECT_EQ(PageRequests(), (std::vector<int>{2}));
}

TEST_F(TrainingPage, EnterBeginsThenStarts) {
    h.Key(13);
    EXPECT_TRUE(h.Enabled(kFinish));
    EXPECT_TRUE(h.Player().starts.empty());
    h.Key(13);
    EXPECT_EQ(h.Player().starts.size(), 1u);
    h.Key(13); // Start and Begin are both disabled while playing
    EXPECT_EQ(h.Player().starts.size(), 1u);
    EXPECT_EQ(SendMessageA(h.page, PM_KEY, 0, 23), 0); // Insert is not the page's
}

TEST_F(TrainingPage, PageKeysStepTheSpeedEvenWhilePlaying) {
    h.Key(24);
    EXPECT_EQ(h.Number(kSpeed), 110);
    EXPECT_EQ(h.Number(kGroups), 22);
    EXPECT_EQ(ShownText(), Letters(1, 22));
    h.Command(kBegin);
    h.Command(kStart);
    const std::string playing = h.Player().starts[0].text;
    h.Key(25);
    h.Key(25);
    EXPECT_EQ(h.Number(kSpeed), 90);
    EXPECT_EQ(h.Number(kGroups), 18);
    EXPECT_EQ(ShownText(), Letters(1, 18));
    EXPECT_FALSE(h.Enabled(kGroups));
    EXPECT_EQ(h.Player().starts.size(), 1u);
    EXPECT_EQ(h.Player().starts[0].text, playing);
    h.SetNumber(kSpeed, 5);
    h.Key(25);
    EXPECT_EQ(h.Number(kSpeed), 1);
}

TEST_F(TrainingPage, HidingWhilePlayingStopsTheTimersBeforeThePlayerGoes) {
    h.Command(kBegin);
    h.Command(kStart);
    h.Hide();
    EXPECT_TRUE(h.Player().destroyed);
    EXPECT_EQ(h.app->training.player, nullptr);
    EXPECT_FALSE(h.TimerRunning(kPlayTimer));
    EXPECT_FALSE(h.TimerRunning(kSeriesTimer));
    h.Tick(kPlayTimer); // a tick already queued must find no player
    h.Tick(kSeriesTimer);

    // Shown again: a new player and an idle page.
    h.Show();
    ASSERT_EQ(h.players.size(), 2u);
    EXPECT_TRUE(h.Enabled(kBegin));
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_EQ(h.Clock(kSeriesClock), "--:--");
}

TEST_F(TrainingPage, SoundCardFailureWarnsAndReturnsToTheTrainingMenu) {
    h.Hide();
    h.failNext = true;
    h.Show();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Ошибка при работе со звуковой картой"}));
    EXPECT_TRUE(h.players.back()->destroyed);
    EXPECT_EQ(h.app->training.player, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, h.main, PM_SHOW_PAGE, PM_SHOW_PAGE, PM_REMOVE)); // posted, not sent
    EXPECT_EQ(msg.lParam, 2);

    // The card lost in the middle of a text: the page does not wait for an
    // end that never comes.
    h.Hide();
    h.failNext = false;
    Boxes().clear();
    h.Show();
    h.Command(kBegin);
    h.Command(kStart);
    h.Player().failed = true;
    h.Tick(kPlayTimer);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Ошибка при работе со звуковой картой"}));
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_FALSE(h.TimerRunning(kPlayTimer));
    ASSERT_TRUE(PeekMessageA(&msg, h.main, PM_SHOW_PAGE, PM_SHOW_PAGE, PM_REMOVE));
    EXPECT_EQ(msg.lParam, 2);
}

TEST_F(TrainingPage, LayoutStretchesTheBoxAndMovesTheButtons) {
    RECT client;
    GetClientRect(h.page, &client);
    const RECT box = h.Rect(kTextBox), start = h.Rect(kStart), back = h.Rect(kBack),
               clock = h.Rect(kTextClock), caption = h.Rect(kCaption), speed = h.Rect(kSpeed);
    SetWindowPos(h.page, nullptr, 0, 0, client.right + 100, client.bottom + 60, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(h.Rect(kTextBox).right, box.right + 100);
    EXPECT_EQ(h.Rect(kTextBox).bottom, box.bottom + 60);
    EXPECT_EQ(h.Rect(kTextBox).left, box.left);
    EXPECT_EQ(h.Rect(kStart).left, start.left + 100);
    EXPECT_EQ(h.Rect(kStart).top, start.top + 60);
    EXPECT_EQ(h.Rect(kBack).left, back.left);
    EXPECT_EQ(h.Rect(kBack).top, back.top + 60);
    EXPECT_EQ(h.Rect(kTextClock).left, clock.left + 100);
    EXPECT_EQ(h.Rect(kTextClock).top, clock.top);
    EXPECT_EQ(h.Rect(kCaption).right, caption.right + 100);
    EXPECT_EQ(h.Rect(kSpeed).left, speed.left);
    EXPECT_EQ(h.app->training.layoutWidth, client.right + 100);
}

} // namespace

TEST_F(TrainingPage, EffectiveSpeedStretchesOnlyWhenSlowerAndShowsInTheTextClock) {
    const int unit = unitSamples(TextLetters, 100, 44100);
    const struct {
        const char* typed; // into the effective speed field
        int effectiveUnit; // 0: sent as without the field
    } cases[] = {{"", 0}, {"50", unitSamples(TextLetters, 50, 44100)}, {"100", 0}, {"150", 0}};
    h.Select(kLengthList, LengthFixed);
    h.SetNumber(kGroups, 4);
    h.Command(kBegin);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        h.SetText(2225, c.typed);
        h.Command(kRepeat);
        EXPECT_EQ(h.Player().starts.back().effectiveUnit, c.effectiveUnit);
        EXPECT_FALSE(h.Enabled(2225)); // like the speed, fixed while a text plays
        // The fixed-length text clock starts at the text's stretched length.
        EXPECT_EQ(h.Clock(kTextClock), Clocked(TextDurationMs(Letters(1, 4), unit, 44100, c.effectiveUnit)));
        h.Command(kStop);
    }
}
