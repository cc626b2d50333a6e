// The configuration store together with the settings catalogue and the
// language lookups: the part of the application object that every page uses.
#pragma once

#include "config/ConfigStore.h"

#include <string>
#include <utility>
#include <vector>

class AppConfig : public ConfigStore {
public:
    // Settings catalogue. Getters store the default of a missing or invalid
    // value; setters apply the setting's limits.
    int GetSPS();
    int GetVolume();
    void SetVolume(int v);
    int GetStartDelay();
    void SetStartDelay(int v);
    int GetSoundType();
    void SetSoundType(int v);
    int GetToneShape(); // MorseToneSquare or MorseToneSine
    void SetToneShape(int v);
    int GetFrequency();
    void SetFrequency(int v);
    int GetDlgColor();
    void SetDlgColor(int v);
    int GetScoreColor();
    void SetScoreColor(int v);
    int GetFTimerTColor();
    void SetFTimerTColor(int v);
    int GetFTimerBColor();
    void SetFTimerBColor(int v);
    int GetSTimerTColor();
    void SetSTimerTColor(int v);
    int GetSTimerBColor();
    void SetSTimerBColor(int v);
    int GetTextBoxTColor();
    void SetTextBoxTColor(int v);
    int GetTextBoxHColor();
    void SetTextBoxHColor(int v);
    int GetTextBoxMTColor();
    void SetTextBoxMTColor(int v);
    int GetTextBoxMHColor();
    void SetTextBoxMHColor(int v);
    int GetTextBoxMT2Color();
    void SetTextBoxMT2Color(int v);
    int GetTextBoxMH2Color();
    void SetTextBoxMH2Color(int v);
    int GetTextBoxBColor();
    void SetTextBoxBColor(int v);
    int GetTextBoxWidth();
    void SetTextBoxWidth(int v);
    int GetTextBoxHeight();
    void SetTextBoxHeight(int v);
    int GetTextBoxWidth2();
    void SetTextBoxWidth2(int v);
    int GetNameColor();
    void SetNameColor(int v);
    int GetCaptionColor();
    void SetCaptionColor(int v);
    int GetLabelColor();
    void SetLabelColor(int v);
    int GetSpeedTColor();
    void SetSpeedTColor(int v);
    int GetSpeedBColor();
    void SetSpeedBColor(int v);
    // The training page hides the text while it plays (0 or 1).
    int GetHideText();
    void SetHideText(int v);
    // The learning page ([Learning]). The Koch order is returned as written
    // (a missing one stores the default); one CheckKochOrder refuses is kept
    // so the user can mend it, and KochOrderOrDefault picks what is used.
    std::string GetLearningOrder();
    void SetLearningOrder(const std::string& order);
    int GetLearningPassPercent(); // 1..100, default 90
    void SetLearningPassPercent(int v);
    int GetLearningLesson(); // 1..kKochLessons, default 1: the lesson reached
    void SetLearningLesson(int v);
    int GetLearningGroups(); // 1..kGroupsLimit, default 20
    void SetLearningGroups(int v);
    int GetLearningCharSpeed(); // 1..1000 cpm, default 100
    void SetLearningCharSpeed(int v);
    // 1..1000 cpm, default 50. Not clamped to the character speed here: the
    // page stretches only when it is the slower one.
    int GetLearningEffectiveSpeed();
    void SetLearningEffectiveSpeed(int v);

    // Language lookups.
    std::string CurrentLanguage();
    std::string LangText(const std::string& language, const std::string& key, const std::string& builtIn);
    std::string SoundCardErrorText();
    std::string WriteErrorText();
    std::string FileExistsText();
    std::string PrinterErrorText();
    // Said at close when the configuration file could not be written; the
    // path follows it on a line of its own.
    std::string SettingsNotSavedText();

    // Language list of the main menu: built once when the main menu is
    // created; returns the display names in list order.
    std::vector<std::string> BuildLanguageList();
    // Makes entry `index` the current language; true when it changed, and
    // the caller then has every page reload its texts.
    bool SelectLanguageIndex(int index);
    const std::vector<std::pair<std::string, std::string>>& Languages() const { return languages_; }
    int SelectedLanguage() const { return selectedLanguage_; }

private:
    int RangeSetting(const char* key, int defaultValue, int low, int high);
    int DefaultSetting(const char* section, const char* key, int defaultValue);
    void LimitedSetting(const char* key, int value, unsigned low, unsigned high);
    // RangeSetting and LimitedSetting of another section.
    int SectionRangeSetting(const char* section, const char* key, int defaultValue, int low, int high);
    void SectionLimitedSetting(const char* section, const char* key, int value, unsigned low, unsigned high);

    std::vector<std::pair<std::string, std::string>> languages_;
    int selectedLanguage_ = -1;
};
