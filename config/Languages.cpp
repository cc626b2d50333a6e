#include "config/Languages.h"

#include "config/AppConfig.h"
#include "texts/TextEncoding.h"

#include <cctype>

const char kRussian[] = "Russian";
const char kEnglish[] = "English";

std::string BuiltInText(const std::string& language, const std::string& key, const std::string& russian) {
    if (language == kEnglish)
        if (const char* english = EnglishText(key))
            return english;
    return russian;
}

bool IsRussianStandIn(const std::string& key, const std::string& stored, const std::string& russian) {
    const BuiltInEntry* entry = FindBuiltIn(key);
    return entry && stored != entry->english && (stored == russian || stored == entry->russian);
}

int LanguageCodePage(AppConfig& app, const std::string& language) {
    int codePage = 0;
    if (app.GetInt(language, "CodePage", codePage) && codePage >= 1 && codePage <= 65535)
        return codePage;
    return language == kRussian ? 1251 : language == kEnglish ? 1252 : 0;
}

int CurrentCodePage(AppConfig& app) {
    return LanguageCodePage(app, app.CurrentLanguage());
}

std::string FirstStartLanguage(unsigned uiLanguage) {
    // The primary language is the low ten bits of a LANGID.
    const unsigned primary = uiLanguage & 0x3FFu;
    const unsigned kRussianId = 0x19, kUkrainianId = 0x22, kBelarusianId = 0x23;
    return primary == kRussianId || primary == kUkrainianId || primary == kBelarusianId ? kRussian : kEnglish;
}

void ChooseFirstStartLanguage(AppConfig& app, unsigned uiLanguage) {
    std::string chosen;
    if (!app.GetString("Default", "Language", chosen))
        app.SetString("Default", "Language", FirstStartLanguage(uiLanguage));
}

bool IsLanguageSectionName(const std::string& language) {
    if (language.empty() || language == "Default" || language == "Language")
        return false;
    for (unsigned char c : language)
        if (!std::isalnum(c) && c != '-' && c != '_')
            return false;
    return true;
}

std::string LanguageTemplate(const std::string& language) {
    // Comment lines hold no equals sign, so that the reader skips them.
    std::string out = "; KLAVIRO texts in the language \"" + language +
                      "\": a translator's template.\r\n"
                      "; Above each text to translate: the built-in Russian (ru) and English (en).\r\n"
                      "; Replace the English after the key's equals sign; keep the key, and keep\r\n"
                      "; every %1, %2 ... marker and every \\\\n line break of the text.\r\n"
                      "; The file is UTF-8, and CodePage says so. Add it to the end of KLAVIRO.cfg\r\n"
                      "; unchanged (copy /b KLAVIRO.cfg + this.cfg KLAVIRO.cfg); an editor that saves\r\n"
                      "; it in a one-byte code page (1250 for Polish, say) needs that number there.\r\n"
                      "; The language list offers the section at the next start.\r\n"
                      "[" +
                      language + "]\r\nCodePage = 65001\r\n";
    size_t count = 0;
    const BuiltInEntry* texts = BuiltInTexts(count);
    for (size_t k = 0; k < count; ++k)
        out += std::string("\r\n; ru: ") + Cp1251ToUtf8(texts[k].russian) + "\r\n; en: " + texts[k].english +
               "\r\n" + texts[k].key + " = " + texts[k].english + "\r\n";
    return out;
}
