#include "controls/ColourSettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

std::size_t EntryCount(const AppConfig& c) {
    std::size_t n = 0;
    for (const auto& section : c.Sections())
        n += section.second.size();
    return n;
}

} // namespace

// Each entry's accessors must reach its own section and key and nothing
// else; a getter/setter pair copied from the wrong row shows up here.
TEST(ColourSettings, EveryEntryReadsAndWritesItsOwnSetting) {
    const ColourSetting* table = ColourSettings();
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        AppConfig c;
        const int value = 0x101010 * static_cast<int>(i + 1);
        (c.*table[i].set)(value);
        EXPECT_EQ(EntryCount(c), 1u) << table[i].labelKey;
        int stored = -1;
        EXPECT_TRUE(c.GetInt(table[i].section, table[i].key, stored)) << table[i].labelKey;
        EXPECT_EQ(stored, value) << table[i].labelKey;
        EXPECT_EQ((c.*table[i].get)(), value) << table[i].labelKey;
    }
}

TEST(ColourSettings, CoversTheEighteenColoursOnce) {
    const std::set<std::pair<std::string, std::string>> expected = {
        {"WFTimer", "TColor"},    {"WFTimer", "BColor"},        {"WSTimer", "TColor"},
        {"WSTimer", "BColor"},    {"WSpeed", "SpeedTColor"},    {"WSpeed", "SpeedBColor"},
        {"Score", "ScoreColor"},  {"WTextBox", "TColor"},       {"WTextBox", "MTColor"},
        {"WTextBox", "MT2Color"}, {"WTextBox", "HColor"},       {"WTextBox", "MHColor"},
        {"WTextBox", "MH2Color"}, {"WTextBox", "BColor"},       {"Default", "DlgColor"},
        {"WLabel", "LabelColor"}, {"WCaption", "CaptionColor"}, {"WName", "NameColor"},
    };
    std::set<std::pair<std::string, std::string>> seen;
    std::set<int> ids;
    const ColourSetting* table = ColourSettings();
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        EXPECT_TRUE(seen.insert({table[i].section, table[i].key}).second) << table[i].key;
        EXPECT_TRUE(ids.insert(table[i].swatchId).second) << table[i].swatchId;
        EXPECT_TRUE(ids.insert(table[i].labelId).second) << table[i].labelId;
        EXPECT_EQ(ColourSettingIndex(table[i].swatchId), static_cast<int>(i));
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(ColourSettingIndex(kColoursApplyId), -1);
    EXPECT_EQ(ColourSettingIndex(kColoursCancelId), -1);

    // Groups enclose consecutive runs that together cover the table.
    std::size_t next = 0;
    for (std::size_t g = 0; g < kColourGroupCount; ++g) {
        EXPECT_EQ(ColourGroups()[g].first, next);
        EXPECT_GT(ColourGroups()[g].count, 0u);
        EXPECT_TRUE(ids.insert(ColourGroups()[g].id).second) << ColourGroups()[g].id;
        next += ColourGroups()[g].count;
    }
    EXPECT_EQ(next, kColourSettingCount);
    // No control of the page shares an id with another.
    EXPECT_TRUE(ids.insert(kColoursApplyId).second);
    EXPECT_TRUE(ids.insert(kColoursCancelId).second);
}

// Labels, groups and buttons use each text key of the page exactly once:
// PNC_02 to PNC_09 and PNC_11 to PNC_28.
TEST(ColourSettings, TextKeysAreThePagesKeysOnce) {
    std::multiset<std::string> used;
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        used.insert(ColourSettings()[i].labelKey);
    for (std::size_t g = 0; g < kColourGroupCount; ++g)
        used.insert(ColourGroups()[g].key);
    used.insert(kColoursCancelKey);
    used.insert(kColoursApplyKey);

    std::multiset<std::string> expected;
    for (int n = 2; n <= 28; ++n) {
        if (n == 10)
            continue;
        char key[8];
        std::snprintf(key, sizeof key, "PNC_%02d", n);
        expected.insert(key);
    }
    EXPECT_EQ(used, expected);
}
