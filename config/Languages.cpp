#include "config/Languages.h"

#include "config/AppConfig.h"

const char kRussian[] = "Russian";
const char kEnglish[] = "English";

std::string BuiltInText(const std::string& language, const std::string& key, const std::string& russian) {
    if (language == kEnglish)
        if (const char* english = EnglishText(key))
            return english;
    return russian;
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
