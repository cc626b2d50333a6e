// The competition options and run pages driven with the operator's messages,
// a scripted player and a test clock.
#include "PageHarness.h"

#include "resources/resource.h"
#include "texts/CompetitionRun.h"
#include "texts/ControlTextFile.h"
#include "texts/Random.h"
#include "texts/TextGenerator.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

// Options page controls.
const int kKindList = 1036, kSpeedList = 1043, kIntervalList = 1072, kPath = 1069;
const int kBrowse = 1133, kNext = 1067, kBack = 1014;
// Run page controls.
const int kStart = 1174, kStop = 1247, kMode = 1321, kTextBox = 1027;
const int kSpeedClock = 1075, kTextClock = 1282, kPauseClock = 1069, kTotalClock = 1285;
const int kBigSpeedClock = 1077, kBigTextClock = 1286, kBigPauseClock = 1071, kBigTotalClock = 1287;

const char kWriteError[] = "Ошибка при записи в файл";

struct OptionsPage : PageUnderTest {
    OptionsPage() : PageUnderTest(IDD_COMPETITION_OPTIONS, CompetitionOptionsPageProc) { Show(); }
};

} // namespace

TEST(CompetitionOptionsPage, DefaultsAndFileNamePerKind) {
    OptionsPage p;
    EXPECT_EQ(ComboGetSelection(p.page, kKindList), 0);
    EXPECT_EQ(p.Text(kSpeedList), "100");
    EXPECT_EQ(p.Text(kIntervalList), "60");
    EXPECT_EQ(SendDlgItemMessageA(p.page, kSpeedList, CB_GETCOUNT, 0, 0), 100);
    EXPECT_EQ(SendDlgItemMessageA(p.page, kIntervalList, CB_GETCOUNT, 0, 0), 61);
    EXPECT_EQ(p.Text(kPath), CurrentDirPath("Letters.txt"));

    p.Select(kKindList, 1);
    EXPECT_EQ(p.Text(kPath), CurrentDirPath("Digits.txt"));
    const std::string path = p.Text(kPath);
    EXPECT_EQ(path.substr(path.size() - 11), "\\Digits.txt");
    EXPECT_EQ(path.find("\\\\"), std::string::npos);
    p.Select(kKindList, 2);
    EXPECT_EQ(p.Text(kPath), CurrentDirPath("Mixed.txt"));
    // A typed path is replaced by the kind's default.
    p.SetText(kPath, "C:\\mine.txt");
    p.Select(kKindList, 0);
    EXPECT_EQ(p.Text(kPath), CurrentDirPath("Letters.txt"));

    // A language change resets the fields.
    p.Select(kKindList, 2);
    ComboSetSelection(p.page, kSpeedList, 3);
    SendMessageA(p.page, PM_LOAD_TEXTS, 0, 0);
    EXPECT_EQ(ComboGetSelection(p.page, kKindList), 0);
    EXPECT_EQ(p.Text(kSpeedList), "100");
    EXPECT_EQ(p.Text(kPath), CurrentDirPath("Letters.txt"));
}

TEST(CompetitionOptionsPage, NextStoresTheRunAndAsksBeforeOverwriting) {
    OptionsPage p;
    const std::string path = TempPath("options-next.txt");
    std::remove(path.c_str());
    p.Select(kKindList, 1);
    ComboSetSelection(p.page, kSpeedList, 99);
    ComboSetSelection(p.page, kIntervalList, 0);
    p.SetText(kPath, path);
    p.Key(13); // Enter presses Next
    EXPECT_TRUE(Boxes().empty());
    const CompetitionState& s = p.app->competition;
    EXPECT_EQ(s.textKind, 1);
    EXPECT_EQ(s.speed, 1000);
    EXPECT_EQ(s.interval, 0);
    EXPECT_EQ(s.controlFile, path);
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_COMPETITION_RUN});

    // An existing file: No keeps everything as it was.
    WriteFile(path, "earlier run");
    p.app->competition.speed = 777;
    ComboSetSelection(p.page, kSpeedList, 0);
    Answers().push_back(IDNO);
    p.Command(kNext);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, p.app->FileExistsText());
    EXPECT_NE(Boxes()[0].text.find('\n'), std::string::npos);
    EXPECT_EQ(Boxes()[0].type & MB_YESNO, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(p.app->competition.speed, 777);
    EXPECT_EQ(PageRequests().size(), 1u);
    EXPECT_EQ(ReadFile(path), "earlier run");

    // Yes goes on.
    Answers().push_back(IDYES);
    p.Command(kNext);
    EXPECT_EQ(p.app->competition.speed, 10);
    EXPECT_EQ(PageRequests().back(), PAGE_COMPETITION_RUN);
    std::remove(path.c_str());

    p.Key(27);
    EXPECT_EQ(PageRequests().back(), PAGE_COMPETITIONS_MENU);
}

TEST(CompetitionOptionsPage, BrowseThroughTheSaveDialog) {
    OptionsPage p;
    const std::string start = p.Text(kPath);
    // Cancel leaves the field alone.
    p.Command(kBrowse);
    ASSERT_EQ(SaveRequests().size(), 1u);
    const SaveRequest& r = SaveRequests()[0];
    EXPECT_EQ(r.owner, p.main);
    EXPECT_EQ(r.file, start);
    EXPECT_EQ(r.extension, "TXT");
    EXPECT_EQ(r.flags, static_cast<DWORD>(OFN_LONGNAMES));
    EXPECT_EQ(r.filter, "Text Files|*.TXT|All Files|*.*|");
    EXPECT_EQ(r.filterIndex, 1u);
    EXPECT_EQ(r.maxFile, 1024u);
    EXPECT_EQ(r.maxTitle, 1024u);
    EXPECT_EQ(p.Text(kPath), start);

    SaveAnswer() = "C:\\contest\\chosen.txt";
    p.Command(kBrowse);
    EXPECT_EQ(p.Text(kPath), "C:\\contest\\chosen.txt");
    EXPECT_EQ(p.app->lastSavePath, "C:\\contest\\chosen.txt");

    // An empty field proposes the last path chosen.
    p.SetText(kPath, "");
    SaveAnswer().clear();
    p.Command(kBrowse);
    EXPECT_EQ(SaveRequests().back().file, "C:\\contest\\chosen.txt");
    EXPECT_EQ(p.Text(kPath), "");
}

namespace {

const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct RunPage : PageUnderTest {
    explicit RunPage(int speed = 100, int interval = 60, int kind = 0)
        : PageUnderTest(IDD_COMPETITION_RUN, CompetitionRunPageProc) {
        path = TempPath("run.txt");
        std::remove(path.c_str());
        CompetitionState& s = app->competition;
        s.textKind = kind;
        s.speed = speed;
        s.interval = interval;
        s.controlFile = path;
        Show();
    }
    ~RunPage() { std::remove(path.c_str()); }
    // Plays the current text to its end: the text sounds from `a`, AR from
    // a + textMs, and the player then falls silent.
    void PlayThrough(uint32_t textMs) {
        const uint32_t a = Now() + 3000;
        Now() = a;
        Player().markA = a;
        Player().current = Player().starts.back().markA;
        Tick();
        Player().markB = a + textMs;
        Now() = a + textMs + 400;
        Tick();
        Player().playing = false;
        Tick();
    }
    int SelStart() { return static_cast<int>(SendDlgItemMessageA(page, kTextBox, ATB_GETSELSTART, 0, 0)); }
    int SelEnd() { return static_cast<int>(SendDlgItemMessageA(page, kTextBox, ATB_GETSELEND, 0, 0)); }
    int Width() { return app->GetTextBoxWidth(); }
    std::string path;
};

// The text the run sends after text `number` of `count` characters: its
// number follows from the random state that text left behind.
int32_t FollowingNumber(int32_t number, int count, const std::string& alphabet) {
    generateText(number, count, alphabet);
    return NextCompetitionTextNumber();
}

} // namespace

TEST(CompetitionRunPage, ShowingCreatesThePlayerAndReadiesTheRun) {
    RunPage p;
    EXPECT_EQ(p.PlayersAlive(), 1);
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_TRUE(p.Enabled(kBack));
    EXPECT_EQ(p.Clock(kSpeedClock), "100");
    EXPECT_EQ(p.Clock(kBigSpeedClock), "100");
    for (int clock : {kTextClock, kPauseClock, kTotalClock, kBigTextClock, kBigPauseClock, kBigTotalClock})
        EXPECT_EQ(p.Clock(clock), "--:--");
    EXPECT_EQ(ShownText(), "");
    // The normal view: no large clock, no page title.
    for (int control :
         {kBigSpeedClock, kBigTextClock, kBigPauseClock, kBigTotalClock, 1078, 1288, 1072, 1289, 1070})
        EXPECT_FALSE(p.Visible(control)) << control;

    // Leaving destroys the player; a tick arriving afterwards reaches nothing.
    p.Hide();
    EXPECT_EQ(p.PlayersAlive(), 0);
    EXPECT_EQ(p.app->competition.player, nullptr);
    p.Tick();
    EXPECT_EQ(p.Clock(kTotalClock), "--:--");

    p.Key(27); // Esc with Stop disabled: Back
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_COMPETITION_OPTIONS});

    // The player has the stored tone shape.
    EXPECT_EQ(p.Player().toneShape, 0);
    p.app->SetToneShape(1);
    p.Show();
    EXPECT_EQ(p.Player().toneShape, 1);
}

TEST(CompetitionRunPage, SoundCardFailureReturnsToTheTrainingMenu) {
    PageUnderTest p(IDD_COMPETITION_RUN, CompetitionRunPageProc);
    p.failNext = true;
    p.Show();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Ошибка при работе со звуковой картой");
    EXPECT_TRUE(PageRequests().empty()); // posted, not sent
    Pump();
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_TRAINING_MENU});
}

// The card lost in the middle of a run: the run stops and says so instead of
// waiting for an end that never comes.
TEST(CompetitionRunPage, SoundCardLostDuringTheRunStopsIt) {
    RunPage p(100, 60);
    p.Command(kStart);
    p.Player().failed = true;
    p.Tick();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Ошибка при работе со звуковой картой");
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_EQ(p.Player().pauses.back(), true);
    Pump();
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_TRAINING_MENU});
}

TEST(CompetitionRunPage, LettersFrom100SendTextsAndWriteThem) {
    RunPage p(100, 60);
    p.Key(13); // Enter: Start
    ASSERT_EQ(p.Player().starts.size(), 1u);
    EXPECT_FALSE(p.Enabled(kStart));
    EXPECT_FALSE(p.Enabled(kBack));
    EXPECT_TRUE(p.Enabled(kStop));
    EXPECT_EQ(p.Player().pauses, std::vector<bool>{false});

    const int32_t first = p.app->competition.textNumber;
    EXPECT_GE(first, 20000000);
    EXPECT_LE(first, 29999999);
    const std::string text = generateText(first, 100, kLetters);
    EXPECT_EQ(ShownText(), text);
    const auto& s1 = p.Player().starts[0];
    const std::string preamble = "O O O O O   1 0 0   V V V   =   ";
    EXPECT_EQ(s1.text, preamble + text + "AR");
    EXPECT_EQ(s1.markA, 32);
    EXPECT_EQ(s1.markB, static_cast<int>(32 + text.size()));
    EXPECT_EQ(s1.space, -1);
    EXPECT_EQ(s1.unit, unitSamples(0, 100, p.app->GetSPS()));
    EXPECT_EQ(s1.delay, p.app->GetStartDelay());
    EXPECT_EQ(s1.frequency, p.app->GetFrequency());
    EXPECT_EQ(ReadFile(p.path), ControlTextBlock(text, p.Width(), 100));

    // Preamble: only the total clock runs.
    Now() += 2000;
    p.Tick();
    EXPECT_EQ(p.Clock(kTotalClock), "0:02.0");
    EXPECT_EQ(p.Clock(kBigTotalClock), "0:02.0");
    EXPECT_EQ(p.Clock(kTextClock), "--:--");
    EXPECT_EQ(p.SelStart(), -1);

    // The text: time from its first character, the sounding one highlighted.
    const uint32_t a = Now() + 500;
    p.Player().markA = a;
    p.Player().current = 32 + 10;
    Now() = a + 1500;
    p.Tick();
    EXPECT_EQ(p.Clock(kTextClock), "0:01.5");
    EXPECT_EQ(p.Clock(kBigTextClock), "0:01.5");
    EXPECT_EQ(p.SelStart(), 10);
    EXPECT_EQ(p.SelEnd(), 11);

    // AR: the text's own time, no highlight; it stays through the pause.
    p.Player().markB = a + 59800;
    Now() = a + 60100;
    p.Tick();
    EXPECT_EQ(p.Clock(kTextClock), "0:59.8");
    EXPECT_EQ(p.SelStart(), -1);
    p.Player().playing = false;
    p.Tick();
    EXPECT_EQ(p.Clock(kSpeedClock), "110");  // the next speed, shown in the pause
    EXPECT_FALSE(p.Visible(kBigPauseClock)); // the large view is off
    Now() += 100;
    p.Tick();
    EXPECT_EQ(p.Clock(kPauseClock), "0:59.9");
    EXPECT_EQ(p.Clock(kBigPauseClock), "0:59.9");
    EXPECT_EQ(p.Clock(kTextClock), "0:59.8");
    Now() += 30000;
    p.Tick();
    EXPECT_EQ(p.Clock(kPauseClock), "0:29.9");
    EXPECT_EQ(p.Clock(kTextClock), "0:59.8");
    EXPECT_EQ(p.Player().starts.size(), 1u);

    // Interval over: 110, appended to the same file.
    Now() += 29900;
    p.Tick();
    ASSERT_EQ(p.Player().starts.size(), 2u);
    EXPECT_EQ(p.Clock(kPauseClock), "--:--");
    EXPECT_EQ(p.Clock(kTextClock), "--:--");
    EXPECT_EQ(p.app->competition.speed, 110);
    EXPECT_EQ(p.Clock(kSpeedClock), "110");
    const int32_t second = p.app->competition.textNumber;
    EXPECT_EQ(second, FollowingNumber(first, 100, kLetters));
    const std::string text2 = generateText(second, 110, kLetters);
    EXPECT_EQ(p.Player().starts[1].text, "O O O O O   1 1 0   V V V   =   " + text2 + "AR");
    EXPECT_EQ(p.Player().starts[1].unit, unitSamples(0, 110, p.app->GetSPS()));
    EXPECT_EQ(ReadFile(p.path),
              ControlTextBlock(text, p.Width(), 100) + ControlTextBlock(text2, p.Width(), 110));
    EXPECT_EQ(ShownText(), text2);

    // Esc during the run: Stop.
    p.Key(27);
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_TRUE(PageRequests().empty());
}

TEST(CompetitionRunPage, IntervalZeroAndTheStopAfter1000) {
    RunPage p(1000, 0, 1);
    p.Command(kStart);
    ASSERT_EQ(p.Player().starts.size(), 1u);
    EXPECT_EQ(p.Player().starts[0].text.substr(0, 34), "0 0 0 0 0   1 0 0 0   V V V   =   ");
    p.PlayThrough(60000); // the tick that sees the end starts the pause
    EXPECT_EQ(p.Player().starts.size(), 1u);
    p.Tick(); // the next tick: interval 0 is over
    ASSERT_EQ(p.Player().starts.size(), 2u);
    EXPECT_EQ(p.app->competition.speed, 1010);
    EXPECT_EQ(p.Player().starts[1].text.substr(0, 34), "0 0 0 0 0   1 0 1 0   V V V   =   ");
    p.PlayThrough(60000);
    p.Tick(); // above 1000: the run ends by itself
    EXPECT_EQ(p.Player().starts.size(), 2u);
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_TRUE(p.Enabled(kBack));
    EXPECT_EQ(p.Player().pauses.back(), true);
    EXPECT_EQ(p.Clock(kSpeedClock), "1010");
    for (int clock : {kTextClock, kPauseClock, kTotalClock})
        EXPECT_EQ(p.Clock(clock), "--:--");

    const std::string file = ReadFile(p.path);
    EXPECT_EQ(file.substr(0, 6), "1000\r\n");
    EXPECT_NE(file.find("\r\n1010\r\n"), std::string::npos);
    // Ticks after the end change nothing.
    p.Tick();
    EXPECT_EQ(p.Player().starts.size(), 2u);
}

// Stop pressed by mistake: the next Start continues the file, as the texts
// sent cannot be made again. Only a new visit from the options page (which
// asked) starts the file afresh.
TEST(CompetitionRunPage, StopThenStartContinuesAtTheLastSpeedAndKeepsTheFile) {
    RunPage p(100, 0);
    p.Command(kStart);
    p.PlayThrough(60000);
    p.Tick();
    ASSERT_EQ(p.app->competition.speed, 110);
    p.Command(kStop);
    EXPECT_EQ(p.Player().pauses.back(), true);
    EXPECT_EQ(p.Clock(kSpeedClock), "110");
    const std::string sent = ReadFile(p.path);
    ASSERT_NE(sent.find("\r\n110\r\n"), std::string::npos);

    p.Command(kStart);
    ASSERT_EQ(p.Player().starts.size(), 3u);
    EXPECT_EQ(p.Player().starts[2].text.substr(0, 32), "O O O O O   1 1 0   V V V   =   ");
    const std::string text = generateText(p.app->competition.textNumber, 110, kLetters);
    EXPECT_EQ(ReadFile(p.path), sent + ControlTextBlock(text, p.Width(), 110));

    p.Command(kStop);
    p.Hide();
    p.Show();
    p.Command(kStart);
    const std::string fresh = generateText(p.app->competition.textNumber, 110, kLetters);
    EXPECT_EQ(ReadFile(p.path), ControlTextBlock(fresh, p.Width(), 110));
}

TEST(CompetitionRunPage, HighlightAt600) {
    RunPage p(600);
    p.Command(kStart);
    const int a = p.Player().starts[0].markA;
    p.Player().markA = Now();
    p.Player().current = a + 20;
    Now() += 100;
    p.Tick();
    EXPECT_EQ(p.SelStart(), 20);
    EXPECT_EQ(p.SelEnd(), 23);
}

TEST(CompetitionRunPage, UnwritableFileAtStartIsReported) {
    RunPage p;
    p.app->competition.controlFile = TempPath("no-such-folder\\run.txt");
    p.Command(kStart);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kWriteError);
    EXPECT_EQ(Boxes()[0].type & MB_ICONWARNING, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_TRUE(p.Player().starts.empty());
    EXPECT_EQ(ShownText(), "");
    EXPECT_EQ(p.app->competition.textNumber, -1);
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_TRUE(p.Enabled(kBack));
    EXPECT_FALSE(p.Enabled(kStop));
    p.Tick();
    EXPECT_EQ(p.Clock(kTotalClock), "--:--");
}

TEST(CompetitionRunPage, UnwritableFileForALaterTextStopsTheRun) {
    RunPage p(100, 0);
    p.Command(kStart);
    p.app->competition.controlFile = TempPath("no-such-folder\\run.txt");
    p.PlayThrough(60000);
    p.Tick();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kWriteError);
    EXPECT_EQ(p.Player().starts.size(), 1u);
    EXPECT_FALSE(p.Enabled(kStop));
    EXPECT_TRUE(p.Enabled(kStart));
    EXPECT_EQ(p.Player().pauses.back(), true);
    p.Tick();
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST(CompetitionRunPage, LargeViewAndLayout) {
    RunPage p(100, 0);
    p.Resize(1000, 700);
    RECT client;
    GetClientRect(p.page, &client);
    ASSERT_EQ(client.right, 1000);
    ASSERT_EQ(client.bottom, 700);

    SendDlgItemMessageA(p.page, kMode, BM_SETCHECK, BST_CHECKED, 0);
    p.Command(kMode);
    EXPECT_FALSE(p.Visible(kTextBox));
    EXPECT_FALSE(p.Visible(kSpeedClock));
    EXPECT_TRUE(p.Visible(kBigSpeedClock));

    auto same = [&](int control, const LargeViewPlace& place) {
        const RECT r = p.Rect(control);
        return place.shown && p.Visible(control) && r.left == place.rect.left && r.top == place.rect.top &&
               r.right - r.left == place.rect.width && r.bottom - r.top == place.rect.height;
    };
    p.Command(kStart); // sending: total, speed, text time
    LargeViewLayout l = ComputeLargeView(1000, 700, true);
    EXPECT_TRUE(same(kBigTotalClock, l.totalClock));
    EXPECT_TRUE(same(kBigSpeedClock, l.speedClock));
    EXPECT_TRUE(same(kBigTextClock, l.textClock));
    EXPECT_FALSE(p.Visible(kBigPauseClock));

    p.Player().playing = false;
    p.Tick(); // pause: speed and pause remaining
    l = ComputeLargeView(1000, 700, false);
    EXPECT_TRUE(same(kBigSpeedClock, l.speedClock));
    EXPECT_TRUE(same(kBigPauseClock, l.pauseClock));
    EXPECT_FALSE(p.Visible(kBigTotalClock));
    EXPECT_FALSE(p.Visible(kBigTextClock));

    // A resize lays the large view out for the new size.
    p.Resize(1200, 800);
    l = ComputeLargeView(1200, 800, false);
    EXPECT_TRUE(same(kBigPauseClock, l.pauseClock));

    // Back to the normal view; its controls follow their anchors.
    SendDlgItemMessageA(p.page, kMode, BM_SETCHECK, BST_UNCHECKED, 0);
    p.Command(kMode);
    EXPECT_TRUE(p.Visible(kTextBox));
    EXPECT_FALSE(p.Visible(kBigSpeedClock));
    const RECT box = p.Rect(kTextBox), start = p.Rect(kStart), back = p.Rect(kBack);
    p.Resize(1300, 850);
    const RECT box2 = p.Rect(kTextBox), start2 = p.Rect(kStart), back2 = p.Rect(kBack);
    EXPECT_EQ(box2.right - box.right, 100);
    EXPECT_EQ(box2.bottom - box.bottom, 50);
    EXPECT_EQ(box2.left, box.left);
    EXPECT_EQ(start2.left - start.left, 100);
    EXPECT_EQ(start2.top - start.top, 50);
    EXPECT_EQ(back2.left, back.left);
    EXPECT_EQ(back2.top - back.top, 50);
}
