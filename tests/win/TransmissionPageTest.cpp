// The transmission training page, keyed through the real keying session:
// key events injected with SendInput while the test holds the keying clock,
// so every press has exactly the time the test gives it. A text keyed at
// exact timing decodes whole with ideal figures and chart and goes to the
// diary; a wrong group is counted and marked; the paddles go through the
// keyer; the page's choices are kept in [Transmission].
#include "ControlTestSupport.h"
#include "PageHarness.h"

#include "app/UserFiles.h"
#include "diary/DiaryFile.h"
#include "resources/resource.h"
#include "transmission/KeyTiming.h"
#include "transmission/KeyingSettings.h"
#include "transmission/win/KeyingClock.h"
#include "transmission/win/TimingChart.h"
#include "transmission/win/TransmissionPage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace harness;
using namespace testsupport;

namespace {

enum { kTextBox = 1027, kStart = 1174, kStop = 1247 };

double& ClockNow() {
    static double now = 0;
    return now;
}
double TestClock() {
    return ClockNow();
}

// What the decoded box and the text box were last given, marks included.
struct BoxSpy {
    std::string text, marks;
    WNDPROC original = nullptr;
};
BoxSpy& Spy(int control) {
    static BoxSpy decoded, textBox;
    return control == TX_DECODED ? decoded : textBox;
}
template <int Control> LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BoxSpy& spy = Spy(Control);
    if (message == ATB_SETTEXT) {
        spy.text = wParam ? reinterpret_cast<const char*>(wParam) : "";
        spy.marks = lParam ? reinterpret_cast<const char*>(lParam) : "";
    }
    return CallWindowProcA(spy.original, window, message, wParam, lParam);
}
template <int Control> void Watch(HWND page) {
    Spy(Control) = BoxSpy{};
    Spy(Control).original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        GetDlgItem(page, Control), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc<Control>)));
}

// The characters of a text in the sending format, one blank between groups.
std::string Groups(const std::string& sending) {
    std::string groups;
    int blanks = 0;
    for (char c : sending) {
        if (c == ' ') {
            ++blanks;
            continue;
        }
        if (blanks > 1 && !groups.empty())
            groups += ' ';
        blanks = 0;
        groups += c;
    }
    return groups;
}

struct TransmissionPage : ::testing::Test {
    const std::string folder = TempPath("transmission-" + std::to_string(GetCurrentProcessId())) + "\\";
    std::unique_ptr<PageUnderTest> h;
    KeyingClockSource previousClock = nullptr;

    void SetUp() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        CreateDirectoryA(folder.c_str(), nullptr);
        SetUserFilesFolder(folder);
        previousClock = SetKeyingClockSource(TestClock);
        ClockNow() = 0;
    }
    void TearDown() override {
        h.reset();
        SetKeyingClockSource(previousClock);
        SetUserFilesFolder("");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    void Open() {
        h = std::make_unique<PageUnderTest>(IDD_TRANSMISSION, TransmissionPageProc);
        h->app->transmission.sideTone = false;
        Watch<TX_DECODED>(h->page);
        Watch<kTextBox>(h->page);
        h->Show();
        SetForegroundWindow(h->main);
        Pump();
    }
    TransmissionPageState& State() { return h->app->transmission; }
    size_t Presses() { return State().decoder.Presses().size(); }
    // One key event at keying-clock time `at`, handled by the page's thread.
    void Inject(WORD vk, bool down, double at) {
        ClockNow() = at;
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (vk == VK_RCONTROL ? KEYEVENTF_EXTENDEDKEY : 0);
        ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
    }
    // The presses on the straight key (Space), each handled before the next.
    void KeyStraight(const KeyTimes& presses) {
        for (const KeyPress& p : presses) {
            const size_t before = Presses();
            Inject(VK_SPACE, true, p.downMs);
            ASSERT_TRUE(PumpUntil([&] { return State().keyDown; })) << "down at " << p.downMs;
            Inject(VK_SPACE, false, p.upMs);
            ASSERT_TRUE(PumpUntil([&] { return Presses() == before + 1; })) << "up at " << p.upMs;
        }
    }
    // The silence after the last press, one tick of the page at `at`.
    void TickAt(double at) {
        ClockNow() = at;
        h->Tick(1);
    }
    DiaryContents Diary() {
        DiaryContents diary;
        std::string error;
        EXPECT_EQ(LoadDiary(folder + kDiaryFileName, diary, error), DiaryLoad::Loaded) << error;
        return diary;
    }
};

struct Strip {
    int ideal;    // column of the ideal line
    int barsFrom; // columns of the bars' colour in the strip (-1: none)
    int barsTo;
};
// The chart's strips from its pixels: rows that hold the ideal colour, grouped
// by the column of that line, top to bottom.
std::vector<Strip> StripsOf(HWND chart, const TimingChartLook& look) {
    RECT r;
    GetClientRect(chart, &r);
    Canvas canvas(r.right, r.bottom);
    Render(chart, canvas);
    std::vector<Strip> strips;
    int from = -1, last = -2;
    auto close = [&](int to) {
        if (from < 0)
            return;
        const POINT bars = ColumnsOf(canvas, look.bars, from, to);
        strips.push_back({last, static_cast<int>(bars.x), static_cast<int>(bars.y)});
        from = -1;
    };
    for (int y = 0; y < canvas.Height(); ++y) {
        int x = -1;
        for (int i = 0; i < canvas.Width() && x < 0; ++i)
            if (canvas.At(i, y) == look.ideal)
                x = i;
        if (x != last || x < 0)
            close(y);
        if (x >= 0 && from < 0)
            from = y;
        last = x;
    }
    close(canvas.Height());
    return strips;
}

} // namespace

TEST_F(TransmissionPage, TextKeyedAtExactTimingDecodesWholeWithIdealFiguresChartAndDiaryRow) {
    Open();
    h->SetNumber(TX_NUMBER, 7);
    h->SetNumber(TX_GROUPS, 3);
    h->Key(KEY_ENTER); // starts
    ASSERT_TRUE(State().keying);
    const std::string text = Spy(kTextBox).text;
    ASSERT_EQ(Groups(text).size(), 17u) << text;
    EXPECT_FALSE(h->Enabled(kStart));
    // A focused button must not take the straight key.
    SetFocus(GetDlgItem(h->page, kStop));
    const double unit = 60;
    const KeyTimes presses = RenderKeyTimes(text, unit, 0, 1000);
    KeyStraight({presses.front()});
    EXPECT_EQ(Spy(TX_DECODED).text, presses[0].upMs - presses[0].downMs > 2 * unit ? "-" : ".")
        << "shown open";
    KeyStraight(KeyTimes(presses.begin() + 1, presses.end()));
    ASSERT_TRUE(State().keying) << "Space pressed the focused Stop";
    EXPECT_EQ(Presses(), presses.size());

    // The silence ends the text only once it is long.
    const double end = presses.back().upMs;
    TickAt(end + EndPauseMs(unit) - 1);
    ASSERT_TRUE(State().keying);
    EXPECT_EQ(Spy(TX_DECODED).text, Groups(text)); // live, the last character closed by the silence
    TickAt(end + EndPauseMs(unit));
    ASSERT_FALSE(State().keying);
    EXPECT_TRUE(h->Enabled(kStart));
    EXPECT_EQ(GetFocus(), GetDlgItem(h->page, TX_NUMBER)); // not a button Space would press

    EXPECT_EQ(Spy(TX_DECODED).text, Groups(text));
    EXPECT_EQ(Spy(kTextBox).marks.find_first_not_of(' '), std::string::npos) << "no mistakes marked";
    const double cpm = 60000.0 * 15 / (end + 3 * unit - 1000);
    const std::string figures = h->Text(TX_FIGURES);
    for (const std::string& part :
         {"Скорость " + std::to_string(std::lround(cpm)) + " зн/мин, ошибок 0 в 15 знаках",
          std::string("Тире/точка 3.00 (норма 3), точка 60 мс"),
          std::string(
              "Паузы в знаке 1.00 \xB1 0.00, между знаками 3.00 \xB1 0.00, между группами 7.00 \xB1 0.00"),
          std::string("Хуже всего: -"), std::string("Качество 100.0 %")})
        EXPECT_NE(figures.find(part), std::string::npos) << part << "\n" << figures;

    // Every strip of the chart has its bars on its ideal line: 1, 3, 1, 3, 7.
    const TimingChartLook look = TimingChartLookOf(*h->app);
    ASSERT_NE(look.bars, look.ideal);
    ASSERT_NE(look.bars, look.background);
    const std::vector<Strip> strips = StripsOf(GetDlgItem(h->page, TX_CHART), look);
    ASSERT_EQ(strips.size(), 5u);
    for (const Strip& s : strips) {
        EXPECT_LT(s.barsFrom, s.ideal);
        EXPECT_GT(s.barsTo, s.ideal);
        EXPECT_LT(s.barsTo - s.barsFrom, (strips[1].ideal - strips[0].ideal) / 4); // one bin, not spread
    }
    EXPECT_GT(strips[1].ideal, strips[0].ideal);
    EXPECT_EQ(strips[2].ideal, strips[0].ideal);
    EXPECT_EQ(strips[3].ideal, strips[1].ideal);
    EXPECT_NEAR(strips[4].ideal - strips[0].ideal, 3 * (strips[1].ideal - strips[0].ideal), 2);

    const DiaryContents diary = Diary();
    ASSERT_EQ(diary.rows.size(), 1u);
    const DiaryRow& row = diary.rows[0];
    EXPECT_EQ(row.played.kind, TextLetters);
    EXPECT_EQ(row.played.number, 7);
    EXPECT_EQ(row.played.groups, 3);
    EXPECT_EQ(row.played.speed, std::lround(cpm));
    EXPECT_EQ(row.characters, 15);
    EXPECT_EQ(row.errors, 0);
    EXPECT_TRUE(row.accepted);
    ASSERT_TRUE(row.transmission.present);
    EXPECT_DOUBLE_EQ(row.transmission.ratio, 3.0);
    EXPECT_DOUBLE_EQ(row.transmission.intraSpread + row.transmission.charSpread + row.transmission.wordSpread,
                     0);
    EXPECT_DOUBLE_EQ(row.transmission.quality, 100.0);
}

TEST_F(TransmissionPage, WrongGroupIsCountedMarkedAndWrittenStopEndsTheText) {
    Open();
    h->SetNumber(TX_NUMBER, 3);
    h->SetNumber(TX_GROUPS, 2);
    h->Command(kStart);
    const std::string text = Spy(kTextBox).text;
    // The second group's first character keyed as another one.
    std::string keyed = text;
    const size_t at = text.find_first_not_of(' ', text.find("   "));
    ASSERT_LT(at, text.size());
    keyed[at] = keyed[at] == 'E' ? 'T' : 'E';
    KeyStraight(RenderKeyTimes(keyed, 80, 0, 500));
    h->Key(KEY_ENTER); // ends as Stop does
    ASSERT_FALSE(State().keying);

    EXPECT_EQ(Spy(TX_DECODED).text, Groups(keyed));
    ASSERT_EQ(Spy(kTextBox).marks.size(), text.size());
    EXPECT_EQ(Spy(kTextBox).marks[at], 'x');
    EXPECT_EQ(Spy(kTextBox).marks.find('x', at + 1), std::string::npos);
    EXPECT_NE(h->Text(TX_FIGURES).find("ошибок 1 в 10 знаках"), std::string::npos) << h->Text(TX_FIGURES);
    const DiaryContents diary = Diary();
    ASSERT_EQ(diary.rows.size(), 1u);
    EXPECT_EQ(diary.rows[0].errors, 1);
    ASSERT_EQ(diary.rows[0].confusions.size(), 1u);
    EXPECT_EQ(diary.rows[0].confusions[0].expected, static_cast<char32_t>(text[at]));
    EXPECT_EQ(diary.rows[0].confusions[0].written, static_cast<char32_t>(keyed[at]));

    // Keying nothing and stopping says so, and writes nothing.
    h->Command(kStart);
    h->Key(KEY_ESC);
    EXPECT_FALSE(State().keying);
    EXPECT_EQ(h->Text(TX_STATUS), "Ничего не принято");
    EXPECT_EQ(Diary().rows.size(), 1u);
}

TEST_F(TransmissionPage, ChoicesAreKeptInTheTransmissionSectionAndBadOnesReadAsDefaults) {
    Open();
    h->Select(TX_SOURCE, TextFigures);
    h->Select(TX_INPUT, kInputPaddlesA);
    h->SetNumber(TX_SPEED, 150);
    h->SetNumber(TX_GROUPS, 5);
    h->Key(KEY_ENTER);
    h->Key(KEY_ESC);
    std::string value;
    const struct {
        const char* key;
        const char* value;
    } kept[] = {{"Input", "Paddles"},
                {"KeyerMode", "A"},
                {"KeyerSpeed", "150"},
                {"Groups", "5"},
                {"Text", "Figures"}};
    for (const auto& k : kept) {
        ASSERT_TRUE(h->app->GetString("Transmission", k.key, value)) << k.key;
        EXPECT_EQ(value, k.value) << k.key;
    }
    EXPECT_EQ(h->Text(TX_KEYS).rfind("Точка: ", 0), 0u) << h->Text(TX_KEYS);
    // Page Up and Down step the number and show its text.
    const std::string before = Spy(kTextBox).text;
    h->Key(KEY_PAGE_UP);
    EXPECT_EQ(h->Number(TX_NUMBER), 2);
    EXPECT_NE(Spy(kTextBox).text, before);
    h->Key(KEY_PAGE_DOWN);
    EXPECT_EQ(Spy(kTextBox).text, before);

    // Shown again, the page shows what was kept, not what its fields held.
    h->Hide();
    h->SetNumber(TX_GROUPS, 9);
    h->Select(TX_INPUT, kInputKeyboard);
    h->Show();
    EXPECT_EQ(h->Number(TX_GROUPS), 5);
    EXPECT_EQ(ComboGetSelection(h->page, TX_INPUT), kInputPaddlesA);
    EXPECT_EQ(ComboGetSelection(h->page, TX_SOURCE), TextFigures);
    EXPECT_TRUE(h->Enabled(TX_SPEED));

    // Free text: no number or groups to choose; a straight key needs no speed.
    h->Hide();
    h->app->SetString("Transmission", "Groups", "0");
    h->app->SetString("Transmission", "Text", "Poetry");
    h->app->SetString("Transmission", "Input", "Keyboard");
    h->Show();
    EXPECT_EQ(h->Number(TX_GROUPS), 20);
    EXPECT_EQ(ComboGetSelection(h->page, TX_SOURCE), TextLetters);
    EXPECT_FALSE(h->Enabled(TX_SPEED));
    h->Select(TX_SOURCE, kTransmissionFreeText);
    EXPECT_FALSE(h->Enabled(TX_NUMBER));
    EXPECT_FALSE(h->Enabled(TX_GROUPS));
    EXPECT_EQ(Spy(kTextBox).text, "");
}

// Paddles go through the iambic keyer at the page's speed and mode: a
// squeeze (dot first) released during the dash gives ".-" in mode A and
// ".-." in mode B, each element exactly a unit or three long.
TEST_F(TransmissionPage, PaddlesKeyThroughTheKeyerInTheModeChosen) {
    Open();
    h->Select(TX_SOURCE, kTransmissionFreeText);
    h->SetNumber(TX_SPEED, 60);
    const double u = UnitMsOfSpeed(kKeyerKind, 60);
    const struct {
        int input;
        const char* decoded;
        size_t presses;
    } modes[] = {{kInputPaddlesA, "A", 2}, {kInputPaddlesB, "R", 3}};
    for (const auto& m : modes) {
        SCOPED_TRACE(m.decoded);
        h->Select(TX_INPUT, m.input);
        h->Command(kStart);
        ASSERT_TRUE(State().keying);
        const double t0 = 1000;
        Inject(VK_LCONTROL, true, t0);
        ASSERT_TRUE(PumpUntil([&] { return State().keyDown; }));
        Inject(VK_RCONTROL, true, t0 + 0.5 * u);
        ASSERT_TRUE(
            PumpUntil([&] { return GetKeyState(VK_RCONTROL) < 0 || GetAsyncKeyState(VK_RCONTROL) < 0; }));
        Pump();
        Inject(VK_LCONTROL, false, t0 + 2.5 * u); // during the dash
        Inject(VK_RCONTROL, false, t0 + 2.5 * u);
        Pump();
        ClockNow() = t0 + 20 * u; // the keyer thread sends the rest at its own times
        ASSERT_TRUE(PumpUntil([&] { return Presses() == m.presses; }, 3000)) << Presses();
        const KeyTimes& keyed = State().decoder.Presses();
        for (size_t i = 0; i < keyed.size(); ++i) {
            const double length = i == 1 ? 3 * u : u;
            const double start = t0 + (i == 0 ? 0 : i == 1 ? 2 * u : 6 * u);
            EXPECT_NEAR(keyed[i].downMs, start, 1e-6) << i;
            EXPECT_NEAR(keyed[i].upMs - keyed[i].downMs, length, 1e-6) << i;
        }
        h->Key(KEY_ENTER);
        ASSERT_FALSE(State().keying);
        EXPECT_EQ(Spy(TX_DECODED).text, m.decoded);
    }
    EXPECT_FALSE(std::filesystem::exists(folder + kDiaryFileName)) << "free text goes to no diary";
}
