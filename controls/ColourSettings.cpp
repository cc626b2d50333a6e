#include "controls/ColourSettings.h"

const char kColoursCancelKey[] = "PNC_25";
const char kColoursCancelText[] = "Отмена";
const char kColoursApplyKey[] = "PNC_26";
const char kColoursApplyText[] = "Применить";

namespace {

const ColourSetting kSettings[kColourSettingCount] = {
    // Main time indicator
    {1210, 1411, "PNC_12", "Цвет текста", "WFTimer", "TColor", &AppConfig::GetFTimerTColor,
     &AppConfig::SetFTimerTColor},
    {1211, 1412, "PNC_13", "Цвет фона", "WFTimer", "BColor", &AppConfig::GetFTimerBColor,
     &AppConfig::SetFTimerBColor},
    // Additional time indicator
    {1212, 1413, "PNC_15", "Цвет текста", "WSTimer", "TColor", &AppConfig::GetSTimerTColor,
     &AppConfig::SetSTimerTColor},
    {1213, 1414, "PNC_16", "Цвет фона", "WSTimer", "BColor", &AppConfig::GetSTimerBColor,
     &AppConfig::SetSTimerBColor},
    // Speed indicator
    {1217, 1415, "PNC_18", "Цвет текста", "WSpeed", "SpeedTColor", &AppConfig::GetSpeedTColor,
     &AppConfig::SetSpeedTColor},
    {1216, 1416, "PNC_19", "Цвет фона", "WSpeed", "SpeedBColor", &AppConfig::GetSpeedBColor,
     &AppConfig::SetSpeedBColor},
    // Score indicator
    {1221, 1417, "PNC_28", "Цвет текста", "Score", "ScoreColor", &AppConfig::GetScoreColor,
     &AppConfig::SetScoreColor},
    // Text box: the error colours are its first mark class, the merge
    // colours its second.
    {1202, 1418, "PNC_03", "Цвет основного текста", "WTextBox", "TColor", &AppConfig::GetTextBoxTColor,
     &AppConfig::SetTextBoxTColor},
    {1203, 1419, "PNC_04", "Цвет ошибок", "WTextBox", "MTColor", &AppConfig::GetTextBoxMTColor,
     &AppConfig::SetTextBoxMTColor},
    {1207, 1420, "PNC_08", "Цвет сливаний", "WTextBox", "MT2Color", &AppConfig::GetTextBoxMT2Color,
     &AppConfig::SetTextBoxMT2Color},
    {1204, 1421, "PNC_05", "Подсветка текста", "WTextBox", "HColor", &AppConfig::GetTextBoxHColor,
     &AppConfig::SetTextBoxHColor},
    {1205, 1422, "PNC_06", "Подсветка ошибок", "WTextBox", "MHColor", &AppConfig::GetTextBoxMHColor,
     &AppConfig::SetTextBoxMHColor},
    {1208, 1423, "PNC_09", "Подсветка сливаний", "WTextBox", "MH2Color", &AppConfig::GetTextBoxMH2Color,
     &AppConfig::SetTextBoxMH2Color},
    {1206, 1424, "PNC_07", "Цвет фона", "WTextBox", "BColor", &AppConfig::GetTextBoxBColor,
     &AppConfig::SetTextBoxBColor},
    // Other elements
    {1215, 1425, "PNC_21", "Цвет фона окон", "Default", "DlgColor", &AppConfig::GetDlgColor,
     &AppConfig::SetDlgColor},
    {1220, 1426, "PNC_22", "Цвет статического текста", "WLabel", "LabelColor", &AppConfig::GetLabelColor,
     &AppConfig::SetLabelColor},
    {1218, 1427, "PNC_23", "Цвет заголовков", "WCaption", "CaptionColor", &AppConfig::GetCaptionColor,
     &AppConfig::SetCaptionColor},
    {1139, 1428, "PNC_24", "Цвет выделенного текста", "WName", "NameColor", &AppConfig::GetNameColor,
     &AppConfig::SetNameColor},
};

const ColourGroup kGroups[kColourGroupCount] = {
    {1401, "PNC_11", "Основной индикатор времени", 0, 2},
    {1402, "PNC_14", "Дополнительный индикатор времени", 2, 2},
    {1403, "PNC_17", "Индикатор скорости", 4, 2},
    {1404, "PNC_27", "Индикатор очков", 6, 1},
    {1405, "PNC_02", "Параметры отображения текста", 7, 7},
    {1406, "PNC_20", "Другие элементы", 14, 4},
};

} // namespace

const ColourSetting* ColourSettings() {
    return kSettings;
}
const ColourGroup* ColourGroups() {
    return kGroups;
}

int ColourSettingIndex(int swatchId) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        if (kSettings[i].swatchId == swatchId)
            return static_cast<int>(i);
    return -1;
}

void ReadColourSettings(AppConfig& config, int colours[kColourSettingCount]) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        colours[i] = (config.*kSettings[i].get)();
}

void WriteColourSettings(AppConfig& config, const int colours[kColourSettingCount]) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        (config.*kSettings[i].set)(colours[i]);
}
