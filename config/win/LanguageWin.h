// The language lookups applied to controls, and the main menu's language list.
#pragma once

#include <windows.h>

#include <string>

class AppConfig;

// LangText, then WM_SETTEXT to the control.
void SetLangItemText(HWND page, int control, AppConfig& app, const std::string& language, const char* key,
                     const char* builtIn);
// LangText, then CB_ADDSTRING to the combo box.
void AddLangComboString(HWND page, int control, AppConfig& app, const std::string& language, const char* key,
                        const char* builtIn);
// Chooses the language of a first start by the user's Windows language
// (ChooseFirstStartLanguage).
void ChooseFirstStartLanguage(AppConfig& app);
// Fills the language combo box (control 1008) of the page from the store.
void FillLanguageList(HWND page, AppConfig& app, int combo = 1008);
// Makes list entry `index` the current language and has every page reload
// its texts (PM_LOAD_TEXTS to `mainWindow`).
void SelectLanguage(HWND mainWindow, AppConfig& app, int index);
