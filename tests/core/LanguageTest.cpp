#include "StoredValue.h"

#include "config/AppConfig.h"
#include "config/Languages.h"
#include "config/TextCatalogue.h"

#include <gtest/gtest.h>

TEST(Language, EmptyConfigurationListsBothBuiltInLanguagesAndStoresTexts) {
    AppConfig c;
    auto names = c.BuildLanguageList();
    ASSERT_EQ(names, (std::vector<std::string>{"English", "Русский"}));
    EXPECT_EQ(c.SelectedLanguage(), 1);
    EXPECT_EQ(Stored(c, "Default", "Language"), "Russian");
    EXPECT_EQ(c.LangText("Russian", "PS_01", "Обучение"), "Обучение");
    EXPECT_EQ(Stored(c, "Russian", "PS_01"), "Обучение");
    // The English section starts from the English built-in texts.
    EXPECT_EQ(c.LangText("English", "PS_01", "Обучение"), "Learning");
    EXPECT_EQ(Stored(c, "English", "PS_01"), "Learning");
}

TEST(Language, ListInKeyOrderWithTheCurrentSelected) {
    AppConfig c;
    c.Parse("[Default]\nLanguage=English\n[Language]\nRussian=Русский\nEnglish=English\n"
            "[English]\nPS_01=Learning\n");
    auto names = c.BuildLanguageList();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "English");
    EXPECT_EQ(names[1], "Русский");
    EXPECT_EQ(c.SelectedLanguage(), 0);
    const std::string lang = c.CurrentLanguage();
    EXPECT_EQ(c.LangText(lang, "PS_01", "Обучение"), "Learning");
    // A key the section lacks gets its English built-in text, stored there.
    EXPECT_EQ(c.LangText(lang, "PS_02", "Тренировка"), "Training");
    EXPECT_EQ(Stored(c, "English", "PS_02"), "Training");
    // A section the program does not know starts from the Russian texts.
    EXPECT_EQ(c.LangText("German", "PS_02", "Тренировка"), "Тренировка");
    // The Russian an earlier version stored for a missing English text gives
    // way to the English, also where two texts share the key; a Russian
    // word written by hand under a key of its own is kept.
    c.SetString("English", "PS_04", "Настройки");
    c.SetString("English", "Can'tSave", "Ошибка при записи в файл");
    c.SetString("English", "PS_05", "Настройки");
    EXPECT_EQ(c.LangText(lang, "PS_04", "Настройки"), "Settings");
    EXPECT_EQ(Stored(c, "English", "PS_04"), "Settings");
    EXPECT_EQ(c.LangText(lang, "Can'tSave", "Ошибка при сохранении текста"), "Could not write the file");
    EXPECT_EQ(c.LangText(lang, "PS_05", "О программе..."), "Настройки");
    EXPECT_EQ(c.LangText("German", "PS_04", "Настройки"), "Настройки");
}

TEST(Language, UnlistedCurrentLanguageIsAddedUnderItsOwnId) {
    AppConfig c;
    c.Parse("[Default]\nLanguage=German\n[Language]\nRussian=Russisch\n");
    auto names = c.BuildLanguageList();
    // A display name the file gives is kept.
    ASSERT_EQ(names, (std::vector<std::string>{"English", "German", "Russisch"}));
    EXPECT_EQ(c.SelectedLanguage(), 1);
    EXPECT_EQ(Stored(c, "Language", "German"), "German");
}

TEST(Language, SelectingChangesOnlyOnADifferentEntry) {
    AppConfig c;
    c.Parse("[Language]\nEnglish=English\nRussian=Русский\n");
    c.BuildLanguageList();
    EXPECT_EQ(c.SelectedLanguage(), 1);
    EXPECT_FALSE(c.SelectLanguageIndex(1));
    EXPECT_FALSE(c.SelectLanguageIndex(-1));
    EXPECT_FALSE(c.SelectLanguageIndex(7));
    EXPECT_TRUE(c.SelectLanguageIndex(0));
    EXPECT_EQ(c.CurrentLanguage(), "English");
    EXPECT_EQ(c.SelectedLanguage(), 0);
}

TEST(Language, MessagesAndTheFileExistsLineBreak) {
    AppConfig c;
    EXPECT_EQ(c.SoundCardErrorText(), "Ошибка при работе со звуковой картой");
    EXPECT_EQ(c.WriteErrorText(), "Ошибка при записи в файл");
    EXPECT_EQ(c.PrinterErrorText(), "Принтер не найден.");
    EXPECT_EQ(c.FileExistsText(), "Файл с таким именем уже существует.\nПереписать существующий файл?");
    // The stored text keeps its three-character form.
    EXPECT_EQ(Stored(c, "Russian", "FileExi"),
              "Файл с таким именем уже существует.\\\\nПереписать существующий файл?");
    // A translation breaks at every \\n but not at a single backslash.
    c.SetString("Russian", "FileExi", "a\\\\nb\\nc\\\\n");
    EXPECT_EQ(c.FileExistsText(), "a\nb\\nc\n");
    // Other messages convert nothing.
    c.SetString("Russian", "SBError", "x\\\\ny");
    EXPECT_EQ(c.SoundCardErrorText(), "x\\\\ny");
}

TEST(Language, CantSaveKeepsWhicheverTextWasStoredFirst) {
    AppConfig c;
    EXPECT_EQ(c.LangText("Russian", "Can'tSave", "Ошибка при сохранении текста"),
              "Ошибка при сохранении текста");
    EXPECT_EQ(c.WriteErrorText(), "Ошибка при сохранении текста");
}

// A translation that has only some texts keeps them; every text the program
// may look up later is added in the current language with its built-in text.
TEST(Language, CatalogueTextsAreStoredInTheCurrentLanguage) {
    AppConfig c;
    c.Parse("[Default]\nLanguage=English\n[English]\nCfgNotSaved=Settings not saved\n");
    StoreCatalogueTexts(c);
    EXPECT_EQ(Stored(c, "English", "CfgNotSaved"), "Settings not saved");
    EXPECT_EQ(Stored(c, "English", "SBError"), "Sound card error");
    EXPECT_EQ(Stored(c, "Russian", "SBError"), "<missing>");
    ASSERT_FALSE(CatalogueTexts().empty());
    for (const CatalogueText* t : CatalogueTexts())
        EXPECT_NE(Stored(c, "English", t->key), "<missing>") << t->key;
}

TEST(Language, FirstStartPicksByTheWindowsLanguageAndKeepsAChoice) {
    struct Case {
        unsigned uiLanguage;
        const char* stored; // the configuration's [Default] Language, or null
        const char* expected;
    };
    const Case cases[] = {
        {0x0419, nullptr, "Russian"},                                 // Russian
        {0x0819, nullptr, "Russian"},                                 // Russian (Moldova): any sublanguage
        {0x0422, nullptr, "Russian"},                                 // Ukrainian
        {0x0423, nullptr, "Russian"},                                 // Belarusian
        {0x0409, nullptr, "English"},   {0x0407, nullptr, "English"}, // English, German
        {0x0415, nullptr, "English"},   {0x0418, nullptr, "English"}, // Polish, Romanian (0x18)
        {0x0424, nullptr, "English"},                                 // Slovenian (0x24, next to Belarusian)
        {0x0409, "Russian", "Russian"}, {0x0419, "English", "English"}, {0x0419, "German", "German"},
    };
    for (const Case& t : cases) {
        AppConfig c;
        if (t.stored)
            c.SetString("Default", "Language", t.stored);
        ChooseFirstStartLanguage(c, t.uiLanguage);
        EXPECT_EQ(c.CurrentLanguage(), t.expected)
            << std::hex << t.uiLanguage << " " << (t.stored ? t.stored : "");
    }
}

TEST(Language, CodePageOfASectionOrItsLanguageDefault) {
    struct Case {
        const char* language;
        const char* codePage; // the section's CodePage entry, or null
        int expected;
    };
    const Case cases[] = {
        {"Russian", nullptr, 1251}, {"English", nullptr, 1252}, {"Polish", nullptr, 0},
        {"Polish", "1250", 1250},   {"English", "1250", 1250},  {"Russian", "65001", 65001},
        {"English", "abc", 1252},   {"Russian", "0", 1251},     {"Russian", "65536", 1251},
        {"Russian", "-1251", 1251},
    };
    for (const Case& t : cases) {
        AppConfig c;
        c.SetString("Default", "Language", t.language);
        if (t.codePage)
            c.SetString(t.language, "CodePage", t.codePage);
        EXPECT_EQ(CurrentCodePage(c), t.expected) << t.language << " " << (t.codePage ? t.codePage : "");
    }
}
