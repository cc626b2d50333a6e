#include "config/AppConfig.h"

std::string AppConfig::CurrentLanguage() {
    std::string language;
    GetStringOr("Default", "Language", "Russian", language);
    return language;
}

std::string AppConfig::LangText(const std::string& language, const std::string& key,
                                const std::string& builtIn) {
    std::string text;
    GetStringOr(language, key, builtIn, text);
    return text;
}

std::string AppConfig::SoundCardErrorText() {
    return LangText(CurrentLanguage(), "SBError", "Ошибка при работе со звуковой картой");
}

std::string AppConfig::WriteErrorText() {
    return LangText(CurrentLanguage(), "Can'tSave", "Ошибка при записи в файл");
}

std::string AppConfig::FileExistsText() {
    // The stored text keeps the three characters \\n; only the shown text
    // breaks there.
    std::string text = LangText(CurrentLanguage(), "FileExi",
                                "Файл с таким именем уже существует.\\\\nПереписать существующий файл?");
    for (size_t at; (at = text.find("\\\\n")) != std::string::npos;)
        text.replace(at, 3, "\n");
    return text;
}

std::string AppConfig::PrinterErrorText() {
    return LangText(CurrentLanguage(), "PrinterErr", "Принтер не найден.");
}

std::string AppConfig::SettingsNotSavedText() {
    return LangText(CurrentLanguage(), "CfgNotSaved", "Не удалось сохранить настройки в файл");
}

std::vector<std::string> AppConfig::BuildLanguageList() {
    const std::string language = CurrentLanguage();
    std::string name;
    if (!GetString("Language", language, name))
        SetString("Language", language, language);
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
