// Every text the program looks up has both built-in texts: the start and a
// change of language make each page load its texts and store every missing
// one under the language, so the two sections list every key looked up, a
// new page's included, and the table must match them key for key.
#include "ShellTestSupport.h"

#include "config/Languages.h"

#include <map>
#include <set>

using namespace shelltest;

namespace {

std::set<std::string> Keys(const Section& section) {
    std::set<std::string> keys;
    for (const auto& entry : section)
        if (entry.first.compare(0, 5, "SKEL_") != 0) // the page skeleton's own test registers these
            keys.insert(entry.first);
    return keys;
}

// The keys only one side has, named: "+KEY" looked up but not in the table,
// "-KEY" in the table but never looked up.
std::string Unlike(const std::set<std::string>& lookedUp, const std::set<std::string>& table) {
    std::string out;
    for (const std::string& key : lookedUp)
        if (!table.count(key))
            out += " +" + key;
    for (const std::string& key : table)
        if (!lookedUp.count(key))
            out += " -" + key;
    return out;
}

void Choose(HWND mainMenu, int index) {
    HWND list = GetDlgItem(mainMenu, 1008);
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(mainMenu, WM_COMMAND, MAKEWPARAM(1008, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

TEST_F(MainWindowTest, EveryTextLookedUpHasTheTablesRussianAndEnglish) {
    ConfigStore store;
    store.SetString("Default", "Language", kRussian);
    Configure(store);
    Start();
    int english = -1;
    for (size_t k = 0; k < app->Languages().size(); ++k)
        if (app->Languages()[k].first == kEnglish)
            english = static_cast<int>(k);
    ASSERT_GE(english, 0);
    Choose(Page(PAGE_MAIN_MENU), english);
    ASSERT_EQ(app->CurrentLanguage(), kEnglish);

    size_t count = 0;
    const BuiltInEntry* texts = BuiltInTexts(count);
    std::map<std::string, const BuiltInEntry*> table;
    for (size_t k = 0; k < count; ++k)
        table[texts[k].key] = &texts[k];
    std::set<std::string> tableKeys;
    for (const auto& t : table)
        tableKeys.insert(t.first);

    Section russianTexts, englishTexts;
    ASSERT_TRUE(app->GetSection(kRussian, russianTexts));
    ASSERT_TRUE(app->GetSection(kEnglish, englishTexts));
    EXPECT_EQ(Unlike(Keys(russianTexts), tableKeys), "");
    EXPECT_EQ(Unlike(Keys(englishTexts), tableKeys), "");
    for (const std::string& key : Keys(russianTexts)) {
        if (!table.count(key))
            continue;
        // Two messages share this key; whichever is stored first stays.
        if (key != "Can'tSave") {
            EXPECT_EQ(russianTexts[key], table[key]->russian) << key;
        }
        EXPECT_EQ(englishTexts[key], table[key]->english) << key;
    }
    // The pages show what was stored.
    EXPECT_EQ(WindowText(Control(PAGE_MAIN_MENU, 1002)), "Learning");
    EXPECT_EQ(WindowText(Control(PAGE_COMPETITIONS_MENU, 1025)), "Draw");
}

} // namespace
