// The languages built into the program (Russian, the default, and English),
// the code page each language section's texts are kept in, and the language
// a first start picks.
#pragma once

#include <cstddef>
#include <string>

class AppConfig;

// Section names of the built-in languages.
extern const char kRussian[];
extern const char kEnglish[];

// The built-in English text of `key`, or null when there is none.
const char* EnglishText(const std::string& key);
// Every text key the program looks up, with its built-in texts, in the
// table's order (grouped by page).
struct BuiltInEntry {
    const char* key;
    const char* russian;
    const char* english;
};
const BuiltInEntry* BuiltInTexts(size_t& count);
// The entry of `key`, or null.
const BuiltInEntry* FindBuiltIn(const std::string& key);

// The built-in text of `key` in `language`: English for the English section
// when it has one, `russian` otherwise (a section the program does not know
// starts from the Russian texts, as it always did).
std::string BuiltInText(const std::string& language, const std::string& key, const std::string& russian);
// Whether `stored`, an English section's text of `key`, is only the Russian
// an earlier version stored there for a text the section lacked (`russian`
// or the table's Russian): the English built-in text replaces it.
bool IsRussianStandIn(const std::string& key, const std::string& stored, const std::string& russian);

// The code page a language section's texts are kept in: its `CodePage`
// entry when that is a number from 1 to 65535, else 1251 for Russian, 1252
// for English and 0 (the system's ANSI code page, where such texts were
// typed so far) for any other language. Nothing is stored.
int LanguageCodePage(AppConfig& app, const std::string& language);
// LanguageCodePage of the current language.
int CurrentCodePage(AppConfig& app);

// The language a first start picks for a Windows user interface language
// (a LANGID): Russian for Russian, Ukrainian and Belarusian, English for
// any other.
std::string FirstStartLanguage(unsigned uiLanguage);
// At a start without a chosen language (no configuration file, or none
// named in it), chooses FirstStartLanguage; a choice made is kept.
void ChooseFirstStartLanguage(AppConfig& app, unsigned uiLanguage);

// The translator's template of a new language section `language`: every key
// with its Russian and English built-in texts as comments, then the line to
// translate, holding the English until it is changed. UTF-8 throughout, and
// the section says so (CodePage = 65001); the section is offered in the
// language list once it is in the configuration file.
std::string LanguageTemplate(const std::string& language);
// Whether `language` can name a template's section: letters, digits, '-' and
// '_', and neither Default nor Language.
bool IsLanguageSectionName(const std::string& language);
