// The sound settings page driven with the operator's messages, a scripted
// player and a test clock.
#include "PageHarness.h"

#include "resources/resource.h"
#include "sound/MorseTable.h"
#include "sound/SoundSettingsValues.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

enum {
    kStartDelay = 1220,
    kFrequency = 1230,
    kVolume = 1233,
    kTest = 1266,
    kStop = 1247,
    kSoundType = 1036,
    kGroupsPerLine = 1207,
    kLinesShown = 1208,
    kCharsPerLine = 1209,
    kApply = 1214,
    kCancel = 1014,
    kDeviceList = 1403,
    kRateList = 1405,
    kToneShapeLabel = 1237,
    kToneShapeList = 1238
};
constexpr UINT_PTR kTestTimer = 0;

std::vector<std::string> ComboItems(HWND page, int list) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendDlgItemMessageA(page, list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        SendDlgItemMessageA(page, list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

struct SoundSettingsPage : ::testing::Test {
    PageUnderTest h{IDD_SOUND_SETTINGS, SoundSettingsPageProc};

    // The page shown and the sound fields typed in: these values, the
    // hardware acceleration unticked and the sine picked.
    void ShowAndType(int startDelay, int frequency, int volume) {
        h.Show();
        h.SetNumber(kStartDelay, startDelay);
        h.SetNumber(kFrequency, frequency);
        h.SetNumber(kVolume, volume);
        CheckDlgButton(h.page, kSoundType, BST_UNCHECKED);
        ComboSetSelection(h.page, kToneShapeList, 1);
    }
};

TEST_F(SoundSettingsPage, ShowsTheStoredSettingsWithTheDisplayValuesConverted) {
    h.app->SetTextBoxHeight(7);
    h.app->SetTextBoxWidth2(120);
    h.app->SetSoundType(0);
    h.app->SetToneShape(1);
    h.app->SetTextBoxWidth(1000); // beyond the field: shown at its limit
    h.Show();
    EXPECT_EQ(h.Number(kStartDelay), 3);
    EXPECT_EQ(h.Number(kFrequency), 850);
    EXPECT_EQ(h.Number(kVolume), 80);
    EXPECT_EQ(IsDlgButtonChecked(h.page, kSoundType), BST_UNCHECKED);
    EXPECT_EQ(h.Number(kGroupsPerLine), 60);
    EXPECT_EQ(h.Number(kLinesShown), 7);
    EXPECT_EQ(h.Number(kCharsPerLine), 60);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_TRUE(h.players.empty());
    // The informational lists hold their one item, selected.
    EXPECT_EQ(SendDlgItemMessageA(h.page, kDeviceList, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ComboGetSelection(h.page, kDeviceList), 0);
    EXPECT_EQ(ComboGetSelection(h.page, kRateList), 0);
    // The tone shape list: item index = ToneShape.
    EXPECT_EQ(ComboItems(h.page, kToneShapeList), (std::vector<std::string>{"Меандр", "Синус"}));
    EXPECT_EQ(ComboGetSelection(h.page, kToneShapeList), 1);
    EXPECT_EQ(h.Text(kToneShapeLabel), "Форма сигнала");
}

TEST_F(SoundSettingsPage, TestPlaysTheFieldValuesAndCorrectsInvalidOnes) {
    ShowAndType(1, 5000, 0);
    h.Command(kTest);
    ASSERT_EQ(h.players.size(), 1u);
    EXPECT_EQ(h.Player().sampleRate, 44100);
    EXPECT_EQ(h.Player().volume, 0);
    EXPECT_EQ(h.Player().soundType, 0);
    EXPECT_EQ(h.Player().toneShape, 1);
    ASSERT_EQ(h.Player().starts.size(), 1u);
    const auto& s = h.Player().starts[0];
    EXPECT_EQ(s.text, "V V V   =   H E L L O   W O R L D   AR");
    EXPECT_EQ(s.unit, unitSamples(TextLetters, 50, 44100));
    EXPECT_EQ(s.delay, 1);
    EXPECT_EQ(s.frequency, 850);
    EXPECT_EQ(s.markA, 0);
    EXPECT_EQ(s.markB, 0);
    EXPECT_EQ(s.space, -1);
    EXPECT_EQ(h.Player().pauses, (std::vector<bool>{false}));
    EXPECT_EQ(h.Number(kFrequency), 850);
    EXPECT_TRUE(h.Enabled(kStop));
    // The test does not store anything.
    EXPECT_EQ(h.app->GetFrequency(), 850);
    EXPECT_EQ(h.app->GetVolume(), 80);
    EXPECT_EQ(h.app->GetToneShape(), 0);
}

TEST_F(SoundSettingsPage, TestTwiceRestartsWithANewPlayer) {
    h.Show();
    h.Command(kTest);
    h.Command(kTest);
    ASSERT_EQ(h.players.size(), 2u);
    EXPECT_TRUE(h.players[0]->destroyed);
    EXPECT_FALSE(h.players[1]->destroyed);
    EXPECT_EQ(h.players[1]->starts.size(), 1u);
    EXPECT_TRUE(h.TimerRunning(kTestTimer));
}

TEST_F(SoundSettingsPage, StopAndTheEndOfTheTextReturnToIdle) {
    h.Show();
    h.Command(kTest);
    h.Command(kStop);
    EXPECT_TRUE(h.Player().destroyed);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_FALSE(h.TimerRunning(kTestTimer));

    h.Command(kTest);
    h.Player().playing = false; // not yet picked up by the player's thread
    Now() += 100;
    h.Tick(kTestTimer);
    EXPECT_FALSE(h.Player().destroyed);
    h.Player().playing = true;
    h.Tick(kTestTimer);
    EXPECT_TRUE(h.Enabled(kStop));
    h.Player().playing = false;
    h.Tick(kTestTimer);
    EXPECT_TRUE(h.Player().destroyed);
    EXPECT_EQ(h.app->soundSettings.testPlayer, nullptr);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_FALSE(h.TimerRunning(kTestTimer));
}

TEST_F(SoundSettingsPage, ApplyStoresTheSevenSettingsAndLeaves) {
    ShowAndType(0, 1200, 100);
    h.SetNumber(kGroupsPerLine, 5);
    h.SetText(kLinesShown, "101");
    h.SetNumber(kCharsPerLine, 30);
    h.Command(kApply);
    EXPECT_EQ(h.app->GetStartDelay(), 0);
    EXPECT_EQ(h.app->GetFrequency(), 1200);
    EXPECT_EQ(h.app->GetVolume(), 100);
    EXPECT_EQ(h.app->GetSoundType(), 0);
    EXPECT_EQ(h.app->GetToneShape(), 1);
    EXPECT_EQ(h.app->GetTextBoxWidth(), 60);
    EXPECT_EQ(h.app->GetTextBoxHeight(), 10); // 101 is out of range: the default
    EXPECT_EQ(h.Number(kLinesShown), 10);
    EXPECT_EQ(h.app->GetTextBoxWidth2(), 60);
    EXPECT_EQ(PageRequests(), (std::vector<int>{6}));

    // Shown again, Width2 60 is 30 characters per line.
    h.Hide();
    h.Show();
    EXPECT_EQ(h.Number(kCharsPerLine), 30);
    EXPECT_EQ(h.Number(kGroupsPerLine), 5);
    EXPECT_EQ(ComboGetSelection(h.page, kToneShapeList), 1);
}

TEST_F(SoundSettingsPage, CancelAndEscDropTheChanges) {
    h.Show();
    h.SetNumber(kFrequency, 1200);
    h.Key(27);
    EXPECT_EQ(h.app->GetFrequency(), 850);
    EXPECT_EQ(PageRequests(), (std::vector<int>{6}));
    EXPECT_EQ(SendMessageA(h.page, PM_KEY, 0, 13), 0);
    h.Command(kCancel);
    EXPECT_EQ(PageRequests(), (std::vector<int>{6, 6}));
}

TEST_F(SoundSettingsPage, SoundCardFailureWarnsAndStaysIdle) {
    h.Show();
    h.failNext = true;
    h.Command(kTest);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Ошибка при работе со звуковой картой"}));
    EXPECT_TRUE(h.Player().starts.empty());
    EXPECT_TRUE(h.Player().destroyed);
    EXPECT_EQ(h.app->soundSettings.testPlayer, nullptr);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_FALSE(h.TimerRunning(kTestTimer));

    // The card lost while the test plays.
    h.failNext = false;
    Boxes().clear();
    h.Command(kTest);
    h.Player().failed = true;
    h.Tick(kTestTimer);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Ошибка при работе со звуковой картой"}));
    EXPECT_TRUE(h.Player().destroyed);
    EXPECT_FALSE(h.Enabled(kStop));
    EXPECT_FALSE(h.TimerRunning(kTestTimer));
}

// Leaving the page stops the sound; the other instance of the page finds
// no player left and makes its own.
TEST_F(SoundSettingsPage, LeavingStopsTheSoundAndBothInstancesShareOneTestPlayer) {
    h.Show();
    HWND second = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SOUND_SETTINGS), h.main,
                                     SoundSettingsPageProc, reinterpret_cast<LPARAM>(h.app.get()));
    h.Command(kTest);
    h.Hide();
    EXPECT_TRUE(h.players[0]->destroyed);
    EXPECT_EQ(h.app->soundSettings.testPlayer, nullptr);
    EXPECT_FALSE(h.TimerRunning(kTestTimer));
    h.Tick(kTestTimer); // a queued tick finds no player
    ShowWindow(second, SW_SHOW);
    SendMessageA(second, WM_COMMAND, kTest, 0);
    EXPECT_EQ(h.players.size(), 2u);
    EXPECT_NE(h.app->soundSettings.testPlayer, nullptr);
    DestroyWindow(second);
}

} // namespace
