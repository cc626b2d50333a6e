#include "StoredValue.h"

#include "config/AppConfig.h"
#include "config/TextCatalogue.h"

#include <gtest/gtest.h>

TEST(Language, EmptyConfigurationListsRussianAndStoresTexts) {
    AppConfig c;
    auto names = c.BuildLanguageList();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "Russian");
    EXPECT_EQ(c.SelectedLanguage(), 0);
    EXPECT_EQ(Stored(c, "Default", "Language"), "Russian");
    EXPECT_EQ(Stored(c, "Language", "Russian"), "Russian");
    EXPECT_EQ(c.LangText("Russian", "PS_01", "Обучение"), "Обучение");
    EXPECT_EQ(Stored(c, "Russian", "PS_01"), "Обучение");
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
    // A key the language lacks appears in Russian and is added under it.
    EXPECT_EQ(c.LangText(lang, "PS_02", "Тренировка"), "Тренировка");
    EXPECT_EQ(Stored(c, "English", "PS_02"), "Тренировка");
}

TEST(Language, UnlistedCurrentLanguageIsAddedUnderItsOwnId) {
    AppConfig c;
    c.Parse("[Default]\nLanguage=German\n[Language]\nRussian=Русский\n");
    auto names = c.BuildLanguageList();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "German");
    EXPECT_EQ(c.SelectedLanguage(), 0);
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
    EXPECT_EQ(Stored(c, "English", "SBError"), "Ошибка при работе со звуковой картой");
    EXPECT_EQ(Stored(c, "Russian", "SBError"), "<missing>");
    ASSERT_FALSE(CatalogueTexts().empty());
    for (const CatalogueText* t : CatalogueTexts())
        EXPECT_NE(Stored(c, "English", t->key), "<missing>") << t->key;
}
