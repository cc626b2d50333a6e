// Sound settings page (pages 27 and 28, one procedure): start delay,
// frequency, volume, buffer scheme and tone shape of the Morse sound, tried
// with a test text, and the text box layout values; stored only on Apply.
#include "app/Platform.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "sound/MorseStream.h"
#include "sound/MorseTable.h"
#include "sound/SoundSettingsValues.h"

namespace {

constexpr int kStartDelay = 1220, kStartDelaySpin = 1222;
constexpr int kFrequency = 1230, kFrequencySpin = 1231;
constexpr int kVolume = 1233, kVolumeSpin = 1234;
constexpr int kTest = 1266, kStop = 1247;
constexpr int kDeviceList = 1403, kRateList = 1405;
constexpr int kSoundType = 1036;
constexpr int kToneShapeList = 1238;
constexpr int kGroupsPerLine = 1207, kGroupsPerLineSpin = 1219;
constexpr int kLinesShown = 1208, kLinesShownSpin = 1221;
constexpr int kCharsPerLine = 1209, kCharsPerLineSpin = 1224;
constexpr int kApply = 1214, kCancel = 1014;

constexpr UINT_PTR kTestTimer = 0;
constexpr UINT kTickMs = 100;

const PageText kTexts[] = {
    {1070, "PN_01", "Настройки"},
    {1225, "PN_32", "Параметры звучания"},
    {1226, "PN_33", "Задержка, с"},
    {kSoundType, "PN_34", "Аппаратное ускорение *"},
    {1229, "PN_35", "Частота, Гц"},
    {1232, "PN_36", "Громкость"},
    {kTest, "PN_37", "Тест"},
    {1235, "PN_38", "Число отображаемых строк"},
    {1236, "PN_39", "Число групп в строке ( прием )"},
    {1242, "PN_40", "Число символов в строке ( передача )"},
    {kCancel, "PN_41", "Отмена"},
    {kApply, "PN_42", "Применить"},
    {kStop, "PN_43", "Стоп"},
    {1404, "PN_44", "Звуковая карта"},
    {1406, "PN_46", "Частота дискретизации"},
    {1408, "PN_48", "Дополнительные параметры звука"},
    {1407, "PN_49", "Настройки отображения текста"},
    {1409, "PN_50", "* Не для всех звуковых карт"},
    {1237, "PN_51", "Форма сигнала"},
};

int ReadField(HWND page, int control, const SoundField& field) {
    return ReadBoundedInt(page, control, field.minimum, field.maximum, field.defaultValue);
}

void ShowField(HWND page, int control, const SoundField& field, int value) {
    ShowClampedInt(page, control, field.minimum, field.maximum, value);
}

const PageListItem kDevices[] = {{"PN_45", "Устройство по умолчанию"}};
const PageListItem kRates[] = {{"PN_47", "Частота дискретизации по умолчанию"}};
// Item index = ToneShape value.
const PageListItem kToneShapes[] = {{"PN_52", "Меандр"}, {"PN_53", "Синус"}};
const PageList kLists[] = {
    TextList(kDeviceList, kDevices, 0, false),
    TextList(kRateList, kRates, 0, false),
    TextList(kToneShapeList, kToneShapes, MorseToneSquare, true),
};

int SelectedToneShape(HWND page) {
    return ComboGetSelection(page, kToneShapeList) == MorseToneSine ? MorseToneSine : MorseToneSquare;
}

// The timer goes before the player, so no tick can reach a destroyed player.
void StopTest(HWND page, SoundSettingsState& st) {
    KillTimer(page, kTestTimer);
    st.testPlayer.reset();
}

void Hide(HWND page, Application& app) {
    StopTest(page, app.soundSettings);
}

void Show(HWND page, Application& app) {
    app.soundSettings.testPlayer.reset();
    ShowField(page, kStartDelay, kStartDelayField, app.GetStartDelay());
    ShowField(page, kFrequency, kFrequencyField, app.GetFrequency());
    ShowField(page, kVolume, kVolumeField, app.GetVolume());
    CheckDlgButton(page, kSoundType, app.GetSoundType() ? BST_CHECKED : BST_UNCHECKED);
    ComboSetSelection(page, kToneShapeList, app.GetToneShape());
    ShowField(page, kGroupsPerLine, kGroupsPerLineField, GroupsPerLineFromWidth(app.GetTextBoxWidth()));
    ShowField(page, kLinesShown, kLinesShownField, app.GetTextBoxHeight());
    ShowField(page, kCharsPerLine, kCharsPerLineField, CharsPerLineFromWidth2(app.GetTextBoxWidth2()));
    EnableControl(page, kStop, FALSE);
}

// Plays the test text with the values in the fields, applied or not.
void Test(HWND page, Application& app) {
    SoundSettingsState& st = app.soundSettings;
    StopTest(page, st);
    const int sampleRate = app.GetSPS();
    const int volume = ReadField(page, kVolume, kVolumeField);
    const int soundType = IsDlgButtonChecked(page, kSoundType) == BST_CHECKED ? 1 : 0;
    std::unique_ptr<IMorsePlayer> player =
        CreateMorsePlayer(page, sampleRate, volume, soundType, SelectedToneShape(page));
    if (!player || player->failed()) {
        player.reset();
        ShowWarning(page, app.SoundCardErrorText());
        return;
    }
    st.testPlayer = std::move(player);
    const int delay = ReadField(page, kStartDelay, kStartDelayField);
    const int frequency = ReadField(page, kFrequency, kFrequencyField);
    st.testPlayer->start(kSoundTestText, unitSamples(TextLetters, kSoundTestSpeed, sampleRate), delay,
                         frequency, 0, 0, -1);
    st.testPlayer->pause(false);
    st.watch.release(TickCount());
    SetTimer(page, kTestTimer, kTickMs, nullptr);
    EnableControl(page, kStop, TRUE);
}

void Apply(HWND page, Application& app) {
    app.SetStartDelay(ReadField(page, kStartDelay, kStartDelayField));
    app.SetFrequency(ReadField(page, kFrequency, kFrequencyField));
    app.SetVolume(ReadField(page, kVolume, kVolumeField));
    app.SetSoundType(IsDlgButtonChecked(page, kSoundType) == BST_CHECKED ? 1 : 0);
    app.SetToneShape(SelectedToneShape(page));
    app.SetTextBoxWidth(WidthFromGroupsPerLine(ReadField(page, kGroupsPerLine, kGroupsPerLineField)));
    app.SetTextBoxHeight(ReadField(page, kLinesShown, kLinesShownField));
    app.SetTextBoxWidth2(Width2FromCharsPerLine(ReadField(page, kCharsPerLine, kCharsPerLineField)));
}

void StopClicked(HWND page, Application& app) {
    StopTest(page, app.soundSettings);
    EnableControl(page, kStop, FALSE);
}

const PageKey kKeys[] = {{KEY_ESC, {kCancel}}};

const PageCommand kCommands[] = {
    {kTest, Test},
    {kStop, StopClicked},
    {kApply, Apply, PAGE_SETTINGS_MENU},
    {kCancel, nullptr, PAGE_SETTINGS_MENU},
};

BOOL OnTimer(HWND page, Application& app, UINT_PTR id) {
    if (id != kTestTimer)
        return FALSE;
    SoundSettingsState& st = app.soundSettings;
    if (!st.testPlayer || st.testPlayer->failed() ||
        st.watch.finished(st.testPlayer->isPlaying(), TickCount())) {
        const bool failed = st.testPlayer && st.testPlayer->failed();
        StopTest(page, st);
        EnableControl(page, kStop, FALSE);
        if (failed)
            ShowWarning(page, app.SoundCardErrorText());
    }
    return TRUE;
}

void InitDialog(HWND page, Application&) {
    SetSpinRange(page, kStartDelaySpin, kStartDelayField.minimum, kStartDelayField.maximum);
    SetSpinRange(page, kFrequencySpin, kFrequencyField.minimum, kFrequencyField.maximum);
    SetSpinRange(page, kVolumeSpin, kVolumeField.minimum, kVolumeField.maximum);
    SetSpinRange(page, kGroupsPerLineSpin, kGroupsPerLineField.minimum, kGroupsPerLineField.maximum);
    SetSpinRange(page, kLinesShownSpin, kLinesShownField.minimum, kLinesShownField.maximum);
    SetSpinRange(page, kCharsPerLineSpin, kCharsPerLineField.minimum, kCharsPerLineField.maximum);
}

const PageDescription kPage = DescribePage(kTexts, kLists, kKeys, kCommands, PageInit{InitDialog}, PageShow{Show},
                                    PageHide{Hide}, PageTimer{OnTimer});

} // namespace

INT_PTR CALLBACK SoundSettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
