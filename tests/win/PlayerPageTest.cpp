// The player page driven with the operator's keys, a scripted player and a
// test clock: a run's control-text file played text after text.
#include "PageHarness.h"

#include "resources/resource.h"
#include "texts/CompetitionRun.h"
#include "texts/ControlTextFile.h"
#include "config/win/OpenFileDialog.h"
#include "player/KeyTimesSound.h"
#include "player/win/PlayerPage.h"
#include "transmission/TransmissionFile.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

const int kStart = 1174, kStop = 1247, kBack = 1014, kPrevious = 1112, kNext = 1113;
const int kPath = 1101, kList = 1104, kKindList = 1106, kSpeedList = 1108, kRecorded = 1109,
          kIntervalList = 1111;
const int kTextBox = 1027;
const int kSpeedClock = 1075, kTextClock = 1282, kPauseClock = 1069;

const char* const kRunTexts[] = {"A B C D E   ", "F G H I J   K L M N O   ", "P Q R S T   "};

struct PlayerPage : PageUnderTest {
    PlayerPage() : PageUnderTest(IDD_PLAYER, PlayerPageProc) {}
    ~PlayerPage() { std::remove(path.c_str()); }
    void Write(const std::string& name, const std::string& content) {
        path = TempPath(name);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
        SetText(kPath, path);
    }
    // The text now sent reaches its end: the player falls silent.
    void EndOfText() {
        Player().markA = Now();
        Player().current = Player().starts.back().markA + 2;
        Tick();
        Player().markB = Now() + 1000;
        Now() += 1500;
        Tick();
        Player().playing = false;
        Tick();
    }
    int Listed() { return static_cast<int>(SendDlgItemMessageA(page, kList, LB_GETCOUNT, 0, 0)); }
    int Selected() { return static_cast<int>(SendDlgItemMessageA(page, kList, LB_GETCURSEL, 0, 0)); }
    std::string path;
};

} // namespace

TEST(PlayerPage, PlaysARunFileTextAfterTextAtItsSpeeds) {
    PlayerPage p;
    p.Write("Letters.txt", ControlTextBlock(kRunTexts[0], 60, 200) + ControlTextBlock(kRunTexts[1], 12, 210) +
                               ControlTextBlock(kRunTexts[2], 60, 220));
    ComboSetSelection(p.page, kKindList, 2);
    p.Show(); // reads the file named: the kind from its name, its speeds
    EXPECT_EQ(p.Listed(), 3);
    EXPECT_EQ(p.Text(kKindList), "Буквы");
    EXPECT_TRUE(IsDlgButtonChecked(p.page, kRecorded) == BST_CHECKED);
    ComboSetSelection(p.page, kIntervalList, 1); // 10 s
    p.Key(KEY_ENTER);
    const int rate = p.app->GetSPS();
    auto expectSent = [&](size_t start, int text, int speed) {
        ASSERT_GT(p.Player().starts.size(), start);
        const SentText s = CompetitionSentText(TextLetters, speed, kRunTexts[text]);
        const PlayerLog::Start& got = p.Player().starts[start];
        EXPECT_EQ(got.text, s.sent);
        EXPECT_EQ(got.unit, unitSamples(TextLetters, speed, rate));
        EXPECT_EQ(got.markA, s.markA);
        EXPECT_EQ(got.markB, s.markB);
        EXPECT_EQ(got.delay, p.app->GetStartDelay());
        EXPECT_EQ(p.Selected(), text);
        EXPECT_EQ(ShownText(), kRunTexts[text]);
        EXPECT_EQ(p.Clock(kSpeedClock), std::to_string(speed));
    };
    expectSent(0, 0, 200);
    EXPECT_FALSE(p.Enabled(kStart));
    EXPECT_FALSE(p.Enabled(kBack));
    EXPECT_FALSE(p.Enabled(kList));
    EXPECT_TRUE(p.Enabled(kStop));

    // The pause after the first text, then the second at its own speed.
    p.EndOfText();
    EXPECT_EQ(p.Player().starts.size(), 1u);
    EXPECT_EQ(p.Clock(kSpeedClock), "210");
    EXPECT_EQ(p.Clock(kTextClock), "0:01.0");
    Now() += 6000;
    p.Tick();
    EXPECT_EQ(p.Clock(kPauseClock), "0:04.0");
    EXPECT_EQ(p.Player().starts.size(), 1u);
    Now() += 4000;
    p.Tick();
    expectSent(1, 1, 210);

    // Page Down sends the next text at once, Page Up the one before.
    p.Key(KEY_PAGE_DOWN);
    expectSent(2, 2, 220);
    EXPECT_FALSE(p.Enabled(kNext));
    p.Key(KEY_PAGE_UP);
    expectSent(3, 1, 210);
    p.Key(KEY_PAGE_DOWN);
    expectSent(4, 2, 220);

    // No pause after the last text: the file is over.
    p.EndOfText();
    EXPECT_EQ(p.Player().starts.size(), 5u);
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_TRUE(p.Enabled(kBack));
    EXPECT_FALSE(p.TimerRunning(0));

    // One chosen speed for all, from the text picked in the list.
    CheckDlgButton(p.page, kRecorded, BST_UNCHECKED);
    ComboSetSelection(p.page, kSpeedList, 29); // 300
    SendDlgItemMessageA(p.page, kList, LB_SETCURSEL, 1, 0);
    p.Command(kList, LBN_SELCHANGE);
    EXPECT_TRUE(p.Enabled(kPrevious));
    p.Key(KEY_ENTER);
    expectSent(5, 1, 300);

    // Esc stops, a second Esc goes back to the main menu.
    p.Key(KEY_ESC);
    EXPECT_EQ(p.Player().pauses.back(), true);
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_TRUE(PageRequests().empty());
    p.Key(KEY_ESC);
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_MAIN_MENU});
    // Start again continues with the shown text.
    p.Key(KEY_ENTER);
    expectSent(6, 1, 300);
}

TEST(PlayerPage, OrdinaryTextAndFilesThatCannotBePlayed) {
    PlayerPage p;
    p.Write("calls.txt", "cq test de R1ABC\r\n");
    p.Show();
    ComboSetSelection(p.page, kSpeedList, 14); // 150
    p.Key(KEY_ENTER);
    EXPECT_EQ(p.Listed(), 1);
    EXPECT_FALSE(p.Enabled(kRecorded));
    ASSERT_EQ(p.Player().starts.size(), 1u);
    EXPECT_EQ(p.Player().starts[0].text, "V V V   =   C Q   T E S T   D E   R 1 A B C   AR");
    EXPECT_EQ(p.Player().starts[0].markA, 12);
    EXPECT_EQ(p.Player().starts[0].unit, unitSamples(TextMixed, 150, p.app->GetSPS()));
    p.Key(KEY_ESC);

    // A file that is not there: said aloud, nothing is sent.
    p.SetText(kPath, TempPath("no-such-player-file.txt"));
    p.Key(KEY_ENTER);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.rfind("Не удалось прочитать файл", 0), 0u);
    EXPECT_EQ(p.Player().starts.size(), 1u);
    EXPECT_EQ(p.Listed(), 0);
    EXPECT_TRUE(p.Enabled(kStart)); // for the next path typed
    EXPECT_TRUE(p.Enabled(kBack));
}

TEST(PlayerPage, NoSoundCardWarnsAndLeaves) {
    PlayerPage p;
    p.failNext = true;
    p.Show();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Ошибка при работе со звуковой картой");
    Pump(); // posted: the page is still being shown
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_MAIN_MENU});
    EXPECT_EQ(p.PlayersAlive(), 0);
}

// A transmissions file lists its takes; Start plays the chosen one as keyed
// (the sound of its key times, not a text), the character heard highlighted,
// and stops when the sound ends.
TEST(PlayerPage, PlaysAStoredTransmissionAsKeyed) {
    PlayerPage p;
    TransmissionRecord anna, boris;
    anna.participant = "Anna";
    anna.textNumber = 4;
    anna.cpm = 90;
    anna.keys = RenderKeyTimes("A B   E ", 60);
    boris.participant = "Boris";
    boris.discipline = 1;
    boris.textNumber = 2;
    boris.cpm = 110;
    boris.keys = RenderKeyTimes("T ", 60);
    p.Write("Transmission.csv", TransmissionCsv({anna, boris}));
    p.Show();
    ASSERT_EQ(p.Listed(), 2);
    wchar_t item[100] = L"";
    SendDlgItemMessageW(p.page, kList, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(WideToUtf8(item), u8"2.  Boris, Цифры 2: 110");
    EXPECT_EQ(ShownText(), "AB E");

    p.Key(KEY_ENTER);
    ASSERT_EQ(p.Player().recorded.size(), 1u);
    EXPECT_TRUE(p.Player().starts.empty());
    const RecordedSound& sound = p.Player().recorded[0];
    EXPECT_EQ(sound.text, "AB E");
    EXPECT_EQ(sound.samples,
              KeyTimesSamples(anna.keys, p.app->GetSPS(), p.app->GetFrequency(), p.app->GetToneShape()));
    EXPECT_FALSE(p.Enabled(kStart));

    p.Player().current = 1;
    p.Tick();
    EXPECT_EQ(SendDlgItemMessageA(p.page, kTextBox, ATB_GETSELSTART, 0, 0), 1);
    p.Player().playing = false;
    p.Tick();
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_FALSE(p.Enabled(kStop));

    // The next take is played from the list.
    SendDlgItemMessageA(p.page, kList, LB_SETCURSEL, 1, 0);
    p.Command(kList, LBN_SELCHANGE);
    p.Key(KEY_ENTER);
    ASSERT_EQ(p.Player().recorded.size(), 2u);
    EXPECT_EQ(p.Player().recorded[1].text, "T");
}
