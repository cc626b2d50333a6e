#include "config/AppConfig.h"

#include "learning/Koch.h"
#include "texts/TextGeneratorFields.h"

namespace {
const char kDefault[] = "Default";
}

int AppConfig::RangeSetting(const char* key, int defaultValue, int low, int high) {
    int v = 0;
    if (!GetInt(kDefault, key, v) || v < low || v > high)
        v = defaultValue;
    SetInt(kDefault, key, v); // always: the file then holds a valid value
    return v;
}

int AppConfig::DefaultSetting(const char* section, const char* key, int defaultValue) {
    int v = 0;
    if (GetInt(section, key, v))
        return v; // hand-edited values are used unchanged
    SetInt(section, key, defaultValue);
    return defaultValue;
}

// Limits are compared as unsigned, so a negative value ends at the upper one.
void AppConfig::LimitedSetting(const char* key, int value, unsigned low, unsigned high) {
    unsigned u = static_cast<unsigned>(value);
    if (u < low)
        u = low;
    else if (u > high)
        u = high;
    SetInt(kDefault, key, static_cast<int>(u));
}

int AppConfig::GetSPS() {
    int v = 0;
    if (!GetInt(kDefault, "SPS", v)) {
        v = 44100;
        SetInt(kDefault, "SPS", v);
    }
    if (v == 11025 || v == 22050 || v == 44100 || v == 48000 || v == 96000)
        return v;
    SetInt(kDefault, "SPS", 44100);
    return 44100;
}

int AppConfig::GetVolume() { return RangeSetting("Volume", 80, 0, 100); }
void AppConfig::SetVolume(int v) { LimitedSetting("Volume", v, 0, 100); }
int AppConfig::GetHideText() { return RangeSetting("HideText", 0, 0, 1); }
void AppConfig::SetHideText(int v) { LimitedSetting("HideText", v, 0, 1); }
int AppConfig::GetStartDelay() { return RangeSetting("StartDelay", 3, 0, 60); }
void AppConfig::SetStartDelay(int v) { LimitedSetting("StartDelay", v, 0, 60); }
int AppConfig::GetSoundType() { return RangeSetting("SoundType", 1, 0, 1); }
void AppConfig::SetSoundType(int v) { LimitedSetting("SoundType", v, 0, 1); }
int AppConfig::GetToneShape() { return RangeSetting("ToneShape", 0, 0, 1); }
void AppConfig::SetToneShape(int v) { LimitedSetting("ToneShape", v, 0, 1); }
int AppConfig::GetFrequency() { return RangeSetting("Frequency", 850, 500, 3000); }
void AppConfig::SetFrequency(int v) { LimitedSetting("Frequency", v, 500, 3000); }

int AppConfig::SectionRangeSetting(const char* section, const char* key, int defaultValue, int low,
                                   int high) {
    int v = 0;
    if (!GetInt(section, key, v) || v < low || v > high)
        v = defaultValue;
    SetInt(section, key, v);
    return v;
}

void AppConfig::SectionLimitedSetting(const char* section, const char* key, int value, unsigned low,
                                      unsigned high) {
    unsigned u = static_cast<unsigned>(value);
    u = u < low ? low : u > high ? high : u;
    SetInt(section, key, static_cast<int>(u));
}

namespace {
const char kLearning[] = "Learning";
}

std::string AppConfig::GetLearningOrder() {
    std::string order;
    GetStringOr(kLearning, "Order", kDefaultKochOrder, order);
    return order;
}
void AppConfig::SetLearningOrder(const std::string& order) {
    SetString(kLearning, "Order", order);
}

#define KLAVIRO_LEARNING_SETTING(Name, key, defaultValue, low, high)                                         \
    int AppConfig::GetLearning##Name() {                                                                     \
        return SectionRangeSetting(kLearning, key, defaultValue, low, high);                                 \
    }                                                                                                        \
    void AppConfig::SetLearning##Name(int v) {                                                               \
        SectionLimitedSetting(kLearning, key, v, low, high);                                                 \
    }

KLAVIRO_LEARNING_SETTING(PassPercent, "PassPercent", 90, 1, 100)
KLAVIRO_LEARNING_SETTING(Lesson, "Lesson", 1, 1, kKochLessons)
KLAVIRO_LEARNING_SETTING(Groups, "Groups", 20, 1, kGroupsLimit)
KLAVIRO_LEARNING_SETTING(CharSpeed, "CharSpeed", 100, 1, 1000)
KLAVIRO_LEARNING_SETTING(EffectiveSpeed, "EffectiveSpeed", 50, 1, 1000)

#undef KLAVIRO_LEARNING_SETTING

#define KLAVIRO_PLAIN_SETTING(Name, section, key, defaultValue)                                              \
    int AppConfig::Get##Name() { return DefaultSetting(section, key, defaultValue); }                        \
    void AppConfig::Set##Name(int v) { SetInt(section, key, v); }

KLAVIRO_PLAIN_SETTING(DlgColor, kDefault, "DlgColor", 13160660)
KLAVIRO_PLAIN_SETTING(ScoreColor, "Score", "ScoreColor", 13172735)
KLAVIRO_PLAIN_SETTING(FTimerTColor, "WFTimer", "TColor", 16711680)
KLAVIRO_PLAIN_SETTING(FTimerBColor, "WFTimer", "BColor", 65280)
KLAVIRO_PLAIN_SETTING(STimerTColor, "WSTimer", "TColor", 16711680)
KLAVIRO_PLAIN_SETTING(STimerBColor, "WSTimer", "BColor", 65280)
KLAVIRO_PLAIN_SETTING(TextBoxTColor, "WTextBox", "TColor", 32768)
KLAVIRO_PLAIN_SETTING(TextBoxHColor, "WTextBox", "HColor", 12632256)
KLAVIRO_PLAIN_SETTING(TextBoxMTColor, "WTextBox", "MTColor", 255)
KLAVIRO_PLAIN_SETTING(TextBoxMHColor, "WTextBox", "MHColor", 8421631)
KLAVIRO_PLAIN_SETTING(TextBoxMT2Color, "WTextBox", "MT2Color", 16711680)
KLAVIRO_PLAIN_SETTING(TextBoxMH2Color, "WTextBox", "MH2Color", 16744576)
KLAVIRO_PLAIN_SETTING(TextBoxBColor, "WTextBox", "BColor", 0)
KLAVIRO_PLAIN_SETTING(TextBoxWidth, "WTextBox", "Width", 60)
KLAVIRO_PLAIN_SETTING(TextBoxHeight, "WTextBox", "Height", 10)
KLAVIRO_PLAIN_SETTING(TextBoxWidth2, "WTextBox", "Width2", 60)
KLAVIRO_PLAIN_SETTING(NameColor, "WName", "NameColor", 32768)
KLAVIRO_PLAIN_SETTING(CaptionColor, "WCaption", "CaptionColor", 16711680)
KLAVIRO_PLAIN_SETTING(LabelColor, "WLabel", "LabelColor", 0)
KLAVIRO_PLAIN_SETTING(SpeedTColor, "WSpeed", "SpeedTColor", 16711680)
KLAVIRO_PLAIN_SETTING(SpeedBColor, "WSpeed", "SpeedBColor", 12632256)

#undef KLAVIRO_PLAIN_SETTING
