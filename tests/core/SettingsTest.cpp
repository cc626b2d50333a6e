#include "StoredValue.h"

#include "config/AppConfig.h"

#include <gtest/gtest.h>

TEST(Settings, EmptyStoreGivesAndStoresDefaults) {
    AppConfig c;
    EXPECT_EQ(c.GetVolume(), 80);
    EXPECT_EQ(c.GetSPS(), 44100);
    EXPECT_EQ(c.GetDlgColor(), 13160660);
    EXPECT_EQ(c.GetStartDelay(), 3);
    EXPECT_EQ(c.GetSoundType(), 1);
    EXPECT_EQ(c.GetFrequency(), 850);
    EXPECT_EQ(c.GetTextBoxMHColor(), 8421631);
    EXPECT_EQ(c.GetSpeedBColor(), 12632256);
    EXPECT_EQ(Stored(c, "Default", "Volume"), "80");
    EXPECT_EQ(Stored(c, "Default", "SPS"), "44100");
    EXPECT_EQ(Stored(c, "Default", "DlgColor"), "13160660");
    EXPECT_EQ(Stored(c, "WTextBox", "MHColor"), "8421631");
}

TEST(Settings, RangeRuleReplacesOutOfRangeValues) {
    AppConfig c;
    for (const char* bad : {"101", "-1", "abc", ""}) {
        c.SetString("Default", "Volume", bad);
        EXPECT_EQ(c.GetVolume(), 80) << bad;
        EXPECT_EQ(Stored(c, "Default", "Volume"), "80");
    }
    c.SetString("Default", "Volume", "100");
    EXPECT_EQ(c.GetVolume(), 100);
    c.SetString("Default", "Volume", "0");
    EXPECT_EQ(c.GetVolume(), 0);
    c.SetString("Default", "Frequency", "abc");
    EXPECT_EQ(c.GetFrequency(), 850);
    EXPECT_EQ(Stored(c, "Default", "Frequency"), "850");
    c.SetString("Default", "Frequency", "499");
    EXPECT_EQ(c.GetFrequency(), 850);
    c.SetString("Default", "StartDelay", "60");
    EXPECT_EQ(c.GetStartDelay(), 60);
    // The tone shape: square unless exactly 1.
    for (const char* stored : {"", "1", "2", "-1", "sine"}) {
        c.SetString("Default", "ToneShape", stored);
        EXPECT_EQ(c.GetToneShape(), std::string(stored) == "1" ? 1 : 0) << stored;
    }
}

TEST(Settings, SampleRateAcceptsOnlyTheFiveRates) {
    AppConfig c;
    for (int rate : {11025, 22050, 44100, 48000, 96000}) {
        c.SetInt("Default", "SPS", rate);
        EXPECT_EQ(c.GetSPS(), rate);
    }
    c.SetInt("Default", "SPS", 8000);
    EXPECT_EQ(c.GetSPS(), 44100);
    EXPECT_EQ(Stored(c, "Default", "SPS"), "44100");
}

TEST(Settings, SettersLimitAsUnsigned) {
    AppConfig c;
    const struct {
        void (AppConfig::*set)(int);
        int value;
        const char* key;
        const char* stored;
    } cases[] = {
        {&AppConfig::SetVolume, 150, "Volume", "100"},
        {&AppConfig::SetVolume, -5, "Volume", "100"},
        {&AppConfig::SetVolume, 0, "Volume", "0"},
        {&AppConfig::SetFrequency, 20, "Frequency", "500"},
        {&AppConfig::SetFrequency, 5000, "Frequency", "3000"},
        {&AppConfig::SetFrequency, -1, "Frequency", "3000"},
        {&AppConfig::SetStartDelay, 61, "StartDelay", "60"},
        {&AppConfig::SetSoundType, 2, "SoundType", "1"},
        {&AppConfig::SetSoundType, 0, "SoundType", "0"},
    };
    for (const auto& k : cases) {
        (c.*k.set)(k.value);
        EXPECT_EQ(Stored(c, "Default", k.key), k.stored) << k.key << " set to " << k.value;
    }
}

TEST(Settings, PlainSettingsHaveNoRange) {
    AppConfig c;
    c.SetString("WTextBox", "Width", "0");
    EXPECT_EQ(c.GetTextBoxWidth(), 0);
    c.SetTextBoxWidth(-7);
    EXPECT_EQ(c.GetTextBoxWidth(), -7);
    c.SetString("WFTimer", "TColor", "junk");
    EXPECT_EQ(c.GetFTimerTColor(), 16711680);
    // Same key in two sections stays apart.
    c.SetSTimerTColor(1);
    c.SetFTimerTColor(2);
    EXPECT_EQ(c.GetSTimerTColor(), 1);
    EXPECT_EQ(c.GetFTimerTColor(), 2);
}
