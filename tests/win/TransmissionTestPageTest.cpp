// The competition transmission page keyed through the real keying session:
// key events injected with SendInput while the test holds the keying clock.
// A minute with one corrected group and two wrong characters is judged
// right, a press after the minute does not count, the row goes to the
// transmission file with its timings, and a repeat is asked about.
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "organisation/Competition.h"
#include "resources/resource.h"
#include "transmission/KeyTiming.h"
#include "transmission/TransmissionTest.h"
#include "transmission/win/KeyingClock.h"
#include "transmission/win/TransmissionTestPage.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace harness;

namespace {

enum { kStart = 1174, kStop = 1247 };
constexpr double kUnit = 60; // 100 cpm letters

double& ClockNow() {
    static double now = 0;
    return now;
}
double TestClock() {
    return ClockNow();
}

// A session on the straight key (Space) with the side tone closed.
std::unique_ptr<KeyingSession> SilentSession(HWND page, Application& app) {
    KeyingSettings keying;
    keying.input = KeyingInput::Keyboard;
    return std::make_unique<KeyingSession>(page, app, keying, SideToneSettings{}, false);
}

// The groups of a text in the sending format (signs a blank apart, groups
// three).
std::vector<std::string> GroupsOf(const std::string& text) {
    std::vector<std::string> groups(1);
    int blanks = 0;
    for (char c : text) {
        if (c == ' ') {
            ++blanks;
            continue;
        }
        if (blanks > 1)
            groups.emplace_back();
        blanks = 0;
        groups.back() += c;
    }
    return groups;
}

// Groups in the sending format.
std::string Sending(const std::vector<std::string>& groups) {
    std::string s;
    for (const std::string& g : groups) {
        for (char c : g)
            s += std::string(1, c) + " ";
        s += "  ";
    }
    return s;
}

char Other(char c) {
    return c == 'E' ? 'T' : 'E';
}

// Presses following `keys` after a gap of `gapUnits`.
void Append(KeyTimes& keys, const KeyTimes& more) {
    keys.insert(keys.end(), more.begin(), more.end());
}
double After(const KeyTimes& keys, double gapUnits) {
    return keys.back().upMs + gapUnits * kUnit;
}

struct TransmissionTestPage : ::testing::Test {
    const std::string folder = TempPath("txtest-" + std::to_string(GetCurrentProcessId())) + "\\";
    std::unique_ptr<PageUnderTest> h;
    KeyingClockSource previousClock = nullptr;
    KeyingSessionMaker previousMaker = nullptr;

    // The folder gone, the file a test made read-only too.
    void Clean() {
        SetFileAttributesA((folder + kTransmissionFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    void SetUp() override {
        Clean();
        CreateDirectoryA(folder.c_str(), nullptr);
        SetUserFilesFolder(folder);
        previousClock = SetKeyingClockSource(TestClock);
        previousMaker = SetKeyingSessionMaker(SilentSession);
        ClockNow() = 0;
        Competition c = NewCompetition();
        Entrant anna;
        anna.startNumber = 7;
        anna.name = "Anna Petrova";
        std::string error;
        ASSERT_TRUE(AddEntrant(c, anna, error)) << error;
        ASSERT_TRUE(SaveCompetition(folder + kCompetitionFileName, c, error)) << error;
    }
    void TearDown() override {
        h.reset();
        SetKeyingSessionMaker(previousMaker);
        SetKeyingClockSource(previousClock);
        SetUserFilesFolder("");
        Clean();
    }
    void Open() {
        h = std::make_unique<PageUnderTest>(IDD_TRANSMISSION_TEST, TransmissionTestPageProc);
        h->Show();
        SetForegroundWindow(h->main);
        Pump();
    }
    TransmissionTestState& State() { return h->app->transmissionTest; }
    void Inject(WORD vk, bool down, double at) {
        ClockNow() = at;
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
    }
    // Each press on the straight key handled before the next; `counted`
    // false for a press the page must drop.
    void Key(const KeyTimes& presses, bool counted = true) {
        for (const KeyPress& p : presses) {
            const size_t before = State().presses.size();
            Inject(VK_SPACE, true, p.downMs);
            ASSERT_TRUE(PumpUntil([&] { return State().session && State().session->KeyIsDown(); }))
                << "down at " << p.downMs;
            Inject(VK_SPACE, false, p.upMs);
            ASSERT_TRUE(PumpUntil([&] { return State().session && !State().session->KeyIsDown(); }));
            Pump();
            ASSERT_EQ(State().presses.size(), before + (counted ? 1 : 0)) << "up at " << p.upMs;
        }
    }
    void TickAt(double at) {
        ClockNow() = at;
        h->Tick(1);
    }
    std::vector<TransmissionRecord> Stored() {
        std::vector<TransmissionRecord> records;
        std::string error;
        EXPECT_EQ(LoadTransmissionFile(folder + kTransmissionFileName, records, error), ResultsLoad::Loaded)
            << error;
        return records;
    }
    // Starts a test of text 1 (letters) for start number 7.
    void StartFor(const std::string& participant) {
        h->SetText(TQ_PARTICIPANT, participant);
        h->Command(kStart);
        ASSERT_EQ(State().phase, TestPhase::Keying);
    }
};

TEST_F(TransmissionTestPage, MinuteWithACorrectionAndTwoWrongSignsIsJudgedAndStoredWithItsTimings) {
    Open();
    const std::vector<std::string> g = GroupsOf(TestText(0, 1));
    ASSERT_GE(g.size(), 4u);
    EXPECT_EQ(ShownText(), TestText(0, 1));
    StartFor("7");
    EXPECT_FALSE(h->Enabled(kStart));
    EXPECT_FALSE(h->Enabled(TQ_PARTICIPANT));
    EXPECT_EQ(GetFocus(), GetDlgItem(h->page, TQ_DECODED)); // Space presses no button

    // g0, then g1 begun with a wrong fourth sign, the error sign (8 dots),
    // g1 again, g2 with two wrong signs, g3.
    std::string g1wrong = g[1].substr(0, 3) + Other(g[1][3]);
    std::string g2wrong = g[2];
    g2wrong[1] = Other(g2wrong[1]);
    g2wrong[3] = Other(g2wrong[3]);
    KeyTimes keys = RenderKeyTimes(Sending({g[0]}) + Sending({g1wrong}).substr(0, 8), kUnit, 0, 1000);
    double t = After(keys, 3);
    for (int dot = 0; dot < 8; ++dot, t += 2 * kUnit)
        keys.push_back({t, t + kUnit});
    Append(keys, RenderKeyTimes(Sending({g[1], g2wrong, g[3]}), kUnit, 0, After(keys, 3)));
    Key(keys);

    // The countdown runs from the first key down; the copy shows as it is
    // sent, the error sign and the group sent again (a sign gap after it)
    // among it.
    TickAt(31000);
    EXPECT_EQ(h->Clock(TQ_CLOCK), "0:30.0");
    EXPECT_EQ(h->Text(TQ_DECODED), g[0] + " " + g1wrong + "#" + g[1] + " " + g2wrong + " " + g[3]);
    EXPECT_EQ(State().phase, TestPhase::Keying);
    // A press beginning after the minute is not the test's (the page's own
    // timer stopped, so that only the test's tick ends the minute).
    EXPECT_TRUE(h->TimerRunning(1));
    Key({{61050, 61100}}, false);
    TickAt(61100);
    ASSERT_EQ(State().phase, TestPhase::Judged);
    EXPECT_TRUE(h->Enabled(kStart));
    EXPECT_EQ(GetFocus(), GetDlgItem(h->page, TQ_DECODED)); // keying on starts nothing

    const std::string result = h->Text(TQ_RESULT);
    EXPECT_NE(result.find("ошибок: 2,"), std::string::npos) << result;
    EXPECT_NE(result.find("исправлений: 1,"), std::string::npos) << result;
    EXPECT_NE(result.find("Принята"), std::string::npos) << result;
    EXPECT_EQ(result.find("Не принята"), std::string::npos) << result;

    const std::vector<TransmissionRecord> rows = Stored();
    ASSERT_EQ(rows.size(), 1u);
    const TransmissionRecord& r = rows[0];
    EXPECT_EQ(r.participant, "Anna Petrova");
    EXPECT_EQ(r.discipline, 0);
    EXPECT_EQ(r.textNumber, 1);
    EXPECT_EQ(r.mistakes, 2);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.copy, g[0] + " " + g[1] + " " + g2wrong + " " + g[3]);
    ASSERT_EQ(r.keys.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_NEAR(r.keys[i].downMs, keys[i].downMs - 1000, 0.1) << i;
        EXPECT_NEAR(r.keys[i].upMs, keys[i].upMs - 1000, 0.1) << i;
    }
    EXPECT_FALSE(h->Enabled(TQ_STORE));
    EXPECT_NE(h->Text(TQ_STATUS).find("Результат сохранен"), std::string::npos);
}

TEST_F(TransmissionTestPage, RepeatIsAskedAboutAndKeptOnThePageWhenRefused) {
    Open();
    const std::vector<std::string> g = GroupsOf(TestText(0, 1));
    auto keyOneGroup = [&](double start) {
        Key(RenderKeyTimes(Sending({g[0]}), kUnit, 0, start));
        TickAt(start + kTransmissionTestMs);
        ASSERT_EQ(State().phase, TestPhase::Judged);
    };
    StartFor("Anna Petrova");
    keyOneGroup(1000);
    EXPECT_TRUE(Boxes().empty()); // the first attempt is not asked about
    ASSERT_EQ(Stored().size(), 1u);

    // Again, more than 3 mistakes this time: the referee says No.
    StartFor("7");
    Answers().push_back(IDNO);
    KeyTimes bad = RenderKeyTimes(Sending({"EEEEE"}), kUnit, 0, 100000);
    Key(bad);
    TickAt(100000 + kTransmissionTestMs);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("уже есть передача"), std::string::npos) << Boxes()[0].text;
    EXPECT_NE(Boxes()[0].text.find("Заменить"), std::string::npos); // the same text number
    EXPECT_NE(h->Text(TQ_RESULT).find("Не принята"), std::string::npos);
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0].mistakes, 0);
    ASSERT_TRUE(h->Enabled(TQ_STORE));

    // Store asks again; Yes replaces the row of that text.
    h->Command(TQ_STORE);
    ASSERT_EQ(Boxes().size(), 2u);
    const std::vector<TransmissionRecord> rows = Stored();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_GE(rows[0].mistakes, 4);
    EXPECT_FALSE(rows[0].accepted);
    EXPECT_FALSE(h->Enabled(TQ_STORE));
}

TEST_F(TransmissionTestPage, ParticipantMustBeInTheRosterAndStopAbandonsTheTest) {
    Open();
    h->SetText(TQ_PARTICIPANT, "99");
    h->Command(kStart);
    EXPECT_EQ(State().phase, TestPhase::Idle);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("99"), std::string::npos);

    StartFor("anna petrova"); // the roster's spelling is taken
    EXPECT_EQ(State().participant, "Anna Petrova");
    Key(RenderKeyTimes("E ", kUnit, 0, 5000));
    h->Key(KEY_ESC);
    EXPECT_EQ(State().phase, TestPhase::Idle);
    EXPECT_FALSE(State().session);
    EXPECT_FALSE(std::filesystem::exists(folder + kTransmissionFileName));
}

TEST_F(TransmissionTestPage, FailedWriteIsSaidAndTheResultWaitsForStore) {
    // A read-only transmission file: read, but not written.
    const std::string file = folder + kTransmissionFileName;
    WriteFile(file, TransmissionCsv({}));
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    Open();
    StartFor("7");
    Key(RenderKeyTimes(Sending({GroupsOf(TestText(0, 1))[0]}), kUnit, 0, 1000));
    TickAt(61000);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Результат не сохранен"), std::string::npos) << Boxes()[0].text;
    EXPECT_EQ(h->Text(TQ_STATUS).find("Результат сохранен"), std::string::npos);
    ASSERT_TRUE(h->Enabled(TQ_STORE));

    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    h->Command(TQ_STORE);
    ASSERT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Stored()[0].participant, "Anna Petrova");
    EXPECT_FALSE(h->Enabled(TQ_STORE));
}

} // namespace
