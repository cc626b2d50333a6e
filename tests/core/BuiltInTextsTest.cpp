// The built-in text table: both languages for every key, English that any
// code page shows, the same markers in both; and the translator's template
// made from it, read back as a configuration.
#include "StoredValue.h"

#include "config/AppConfig.h"
#include "config/Languages.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <vector>

namespace {

// The parts of a text a translation must keep: %1-style and printf-style
// placeholders, a lone percent sign, and the stored line break \\n.
std::vector<std::string> Markers(const std::string& text) {
    static const std::regex marker(R"(\\\\n|%[-+#0]*[0-9]*(\.[0-9]+)?[diouxXfeEgGcsp]|%[0-9]|%)");
    std::vector<std::string> found;
    for (auto m = std::sregex_iterator(text.begin(), text.end(), marker); m != std::sregex_iterator(); ++m)
        found.push_back(m->str());
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

TEST(BuiltInTexts, EveryKeyOnceWithBothLanguagesPlainEnglishAndTheSameMarkers) {
    EXPECT_EQ(Markers("Урок %1 сдан, верно %2 %. %d of %5.2f\\\\n"),
              (std::vector<std::string>{"%", "%1", "%2", "%5.2f", "%d", "\\\\n"}));
    size_t count = 0;
    const BuiltInEntry* texts = BuiltInTexts(count);
    ASSERT_GT(count, 400u);
    std::set<std::string> keys;
    for (size_t k = 0; k < count; ++k) {
        const BuiltInEntry& t = texts[k];
        EXPECT_TRUE(keys.insert(t.key).second) << "twice: " << t.key;
        EXPECT_STRNE(t.russian, "") << t.key;
        EXPECT_STRNE(t.english, "") << t.key;
        // ASCII: the same characters in 1252 and in every other code page,
        // never a Cyrillic byte.
        for (const char* c = t.english; *c; ++c)
            EXPECT_LT(static_cast<unsigned char>(*c), 0x80u) << t.key << ": " << t.english;
        EXPECT_EQ(Markers(t.russian), Markers(t.english)) << t.key << ": " << t.english;
        EXPECT_STREQ(EnglishText(t.key), t.english);
    }
    EXPECT_EQ(EnglishText("NO_SUCH_KEY"), nullptr);
}

TEST(BuiltInTexts, TemplateFilledInAsItIsReadsBackAsAListedLanguageSection) {
    struct Name {
        const char* name;
        bool valid;
    };
    for (const Name& n : {Name{"Polish", true}, Name{"pt-BR", true}, Name{"Cz_2", true}, Name{"", false},
                          Name{"Default", false}, Name{"Language", false}, Name{"Pol]ish", false},
                          Name{"Pol ish", false}, Name{"Pol=ish", false}})
        EXPECT_EQ(IsLanguageSectionName(n.name), n.valid) << n.name;

    const std::string made = LanguageTemplate("Polish");
    AppConfig c;
    c.Parse("[Default]\r\nLanguage=Russian\r\n[Russian]\r\nPS_01=Obuchenie\r\n" + made);
    size_t count = 0;
    const BuiltInEntry* texts = BuiltInTexts(count);
    Section polish;
    ASSERT_TRUE(c.GetSection("Polish", polish));
    // Every key, and nothing the comments could have added.
    EXPECT_EQ(polish.size(), count + 1);
    EXPECT_EQ(LanguageCodePage(c, "Polish"), 65001);
    for (size_t k = 0; k < count; ++k) {
        EXPECT_EQ(Stored(c, "Polish", texts[k].key), texts[k].english);
        const std::string beside = "; ru: " + Cp1251ToUtf8(texts[k].russian) +
                                   "\r\n; en: " + texts[k].english + "\r\n" + texts[k].key + " = ";
        EXPECT_NE(made.find(beside), std::string::npos) << texts[k].key;
    }
    EXPECT_EQ(Stored(c, "Russian", "PS_01"), "Obuchenie");
    const std::vector<std::string> names = c.BuildLanguageList();
    EXPECT_NE(std::find(names.begin(), names.end(), "Polish"), names.end());
    // The section of the current language's choice is no language.
    c.SetString("Default", "CodePage", "1250");
    EXPECT_EQ(c.BuildLanguageList().size(), names.size());
}
