// The four menu pages: columns of buttons that lead to other pages, each
// described by its tables (where its buttons lead, its texts, what Esc does)
// and the extras only one page has.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PagePictures.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"
#include "controls/ControlMessages.h"

namespace {

const int kLanguageList = 1008, kBack = 1014, kCompetitionsCaption = 1004;

void CloseProgram(HWND page, Application&) {
    SendMessageA(GetParent(page), WM_CLOSE, 0, 0);
}

void PickLanguage(HWND page, Application& app) {
    SelectLanguage(app.mainWindow, app, ComboGetSelection(page, kLanguageList));
}

void PressFocused(HWND, Application&, int) {
    PressFocusedControl();
}

void ToMainMenu(HWND page, Application&, int) {
    GoToPage(page, PAGE_MAIN_MENU, false);
}

void InitMainMenu(HWND page, Application& app) {
    FillLanguageList(page, app, kLanguageList);
    ColourPagePictures(page, app);
}

// The competitions menu's caption is the record store's title text,
// refreshed each time the page is shown.
void ShowCompetitionsMenu(HWND page, Application& app) {
    ColourPagePictures(page, app);
    ShowCaption(page, kCompetitionsCaption, app, app.records.Title().c_str());
}

// Main menu (page 0). The label "Language" (1009) and the list keep their
// texts in every language.
const PageCommand kMainCommands[] = {
    {1002, nullptr, PAGE_LEARNING},
    {1003, nullptr, PAGE_TRAINING_MENU},
    {1004, nullptr, PAGE_COMPETITIONS_MENU},
    {1010, nullptr, PAGE_TEXT_GENERATOR},
    {1025, nullptr, 5},
    {1005, nullptr, PAGE_SETTINGS_MENU},
    {1006, nullptr, 7},
    {1007, CloseProgram},
    {kLanguageList, PickLanguage, kNoPage, CBN_SELCHANGE},
};
const PageText kMainTexts[] = {
    {1002, "PS_01", "Обучение"},       {1003, "PS_02", "Тренировка"},     {1004, "PS_03", "Соревнования"},
    {1005, "PS_04", "Настройки"},      {1006, "PS_05", "О программе..."}, {1007, "PS_06", "Выход"},
    {1010, "PS_07", "Печать текстов"}, {1025, "PS_08", "Проигрыватель"},
};

// Training menu (page 2).
const PageCommand kTrainingCommands[] = {{1013, nullptr, PAGE_TRAINING},
                                         {1012, nullptr, PAGE_TRANSMISSION},
                                         {1014, nullptr, PAGE_MAIN_MENU},
                                         {1011, nullptr, PAGE_DIARY}};
const PageText kTrainingTexts[] = {
    {1011, "PT_01", "Дневник"},  {1012, "PT_02", "Передача"},   {1013, "PT_03", "Прием"},
    {1014, "PT_04", "<< Назад"}, {1016, "PT_05", "Тренировка"},
};

// Competitions menu (page 3).
const PageCommand kCompetitionsCommands[] = {
    {1011, nullptr, PAGE_COMPETITION_OPTIONS},
    {1012, nullptr, 22},
    {1257, nullptr, 16},
    {1024, nullptr, 21},
    {1025, nullptr, 29},
    {1014, nullptr, PAGE_MAIN_MENU},
};
const PageText kCompetitionsTexts[] = {
    {1011, "PX_01", "Прием"},        {1012, "PX_02", "Передача"},    {1024, "PX_03", "Результаты"},
    {1014, "PX_04", "<< Назад"},     {1257, "PX_06", "Организация"}, {1025, "PX_07", "Жеребьевка"},
    {1070, "PX_09", "Соревнования"},
};

// Settings menu (page 6). Esc presses Back, so a disabled Back keeps the page.
const PageCommand kSettingsCommands[] = {{1395, nullptr, PAGE_COLOURS},
                                         {1027, nullptr, PAGE_SOUND_TEXT},
                                         {1025, nullptr, PAGE_SOUND},
                                         {1014, nullptr, PAGE_MAIN_MENU}};
const PageText kSettingsTexts[] = {
    {1395, "POPTM_01", "Оформление"}, {1027, "POPTM_02", "Текст"},     {1025, "POPTM_03", "Звучание"},
    {1014, "POPTM_04", "<< Назад"},   {1070, "POPTM_05", "Настройки"},
};

// Enter presses the focused button; Esc leaves a menu, in the settings menu
// by pressing Back (a disabled Back keeps the page).
const PageKey kMainKeys[] = {{KEY_ENTER, {}, PressFocused}};
const PageKey kLeaveKeys[] = {{KEY_ENTER, {}, PressFocused}, {KEY_ESC, {}, ToMainMenu}};
const PageKey kSettingsKeys[] = {{KEY_ENTER, {}, PressFocused}, {KEY_ESC, {kBack}}};

const PageShow kShowPictures{ColourPagePictures};
const PageDestroy kReleasePictures{ReleasePagePictures};

const PageDescription kMainMenu = DescribePage(kMainTexts, kMainCommands, kMainKeys, PageInit{InitMainMenu},
                                        kShowPictures, kReleasePictures);
const PageDescription kTrainingMenu = DescribePage(kTrainingTexts, kTrainingCommands, kLeaveKeys,
                                            PageInit{ColourPagePictures}, kShowPictures, kReleasePictures);
const PageDescription kCompetitionsMenu =
    DescribePage(kCompetitionsTexts, kCompetitionsCommands, kLeaveKeys, PageInit{ColourPagePictures},
                 PageShow{ShowCompetitionsMenu}, kReleasePictures);
const PageDescription kSettingsMenu = DescribePage(kSettingsTexts, kSettingsCommands, kSettingsKeys,
                                            PageInit{ColourPagePictures}, kShowPictures, kReleasePictures);

} // namespace

INT_PTR CALLBACK MainMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kMainMenu, page, message, wParam, lParam);
}

INT_PTR CALLBACK TrainingMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kTrainingMenu, page, message, wParam, lParam);
}

INT_PTR CALLBACK CompetitionsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kCompetitionsMenu, page, message, wParam, lParam);
}

INT_PTR CALLBACK SettingsMenuProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kSettingsMenu, page, message, wParam, lParam);
}
