#include "config/AppConfig.h"
#include "config/Languages.h"
#include "config/TextCatalogue.h"

#include <utility>

namespace {
const CatalogueText kSoundCardError{"SBError", "Ошибка при работе со звуковой картой"};
const CatalogueText kWriteError{"Can'tSave", "Ошибка при записи в файл"};
// The stored text keeps the three characters \\n; only the shown text
// breaks there.
const CatalogueText kFileExists{"FileExi",
                                "Файл с таким именем уже существует.\\\\nПереписать существующий файл?"};
const CatalogueText kPrinterError{"PrinterErr", "Принтер не найден."};
const CatalogueText kSettingsNotSaved{"CfgNotSaved", "Не удалось сохранить настройки в файл"};
} // namespace

std::string AppConfig::CurrentLanguage() {
    std::string language;
    GetStringOr("Default", "Language", kRussian, language);
    return language;
}

std::string AppConfig::LangText(const std::string& language, const std::string& key,
                                const std::string& builtIn) {
    std::string text;
    // An English section may still hold the Russian an earlier version
    // stored for its missing texts: bytes of another code page, never a
    // translation.
    if (!GetString(language, key, text) || (language == kEnglish && IsRussianStandIn(key, text, builtIn))) {
        text = BuiltInText(language, key, builtIn);
        SetString(language, key, text);
    }
    return text;
}

std::string AppConfig::SoundCardErrorText() {
    return Lang(*this, kSoundCardError);
}

std::string AppConfig::WriteErrorText() {
    return Lang(*this, kWriteError);
}

std::string AppConfig::FileExistsText() {
    std::string text = Lang(*this, kFileExists);
    for (size_t at; (at = text.find("\\\\n")) != std::string::npos;)
        text.replace(at, 3, "\n");
    return text;
}

std::string AppConfig::PrinterErrorText() {
    return Lang(*this, kPrinterError);
}

std::string AppConfig::SettingsNotSavedText() {
    return Lang(*this, kSettingsNotSaved);
}

std::vector<std::string> AppConfig::BuildLanguageList() {
    const std::string language = CurrentLanguage();
    std::string name;
    // The built-in languages are offered even before their sections exist,
    // under their own names; a language only the settings name, under its id.
    const std::pair<const char*, const char*> builtIns[] = {{kRussian, "Русский"}, {kEnglish, "English"}};
    for (const auto& builtIn : builtIns)
        if (!GetString("Language", builtIn.first, name))
            SetString("Language", builtIn.first, builtIn.second);
    if (!GetString("Language", language, name))
        SetString("Language", language, language);
    // So is a section that names its code page: a translation added to the
    // file (a translator's template) needs no entry of its own here.
    for (const auto& section : Sections())
        if (section.second.count("CodePage") && IsLanguageSectionName(section.first) &&
            !GetString("Language", section.first, name))
            SetString("Language", section.first, section.first);
    Section list;
    GetSection("Language", list);
    languages_.clear();
    std::vector<std::string> names;
    int counter = 0;
    for (const auto& entry : list) {
        if (entry.first == language)
            selectedLanguage_ = counter;
        languages_.push_back(entry);
        names.push_back(entry.second);
        ++counter;
    }
    return names;
}

bool AppConfig::SelectLanguageIndex(int index) {
    if (index < 0 || index == selectedLanguage_ || index >= static_cast<int>(languages_.size()))
        return false;
    selectedLanguage_ = index;
    SetString("Default", "Language", languages_[index].first);
    return true;
}
