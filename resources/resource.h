// Resource identifiers of KLAVIRO.exe. Control identifiers are the numbers
// the pages use directly.
#pragma once

// Dialogs: the main window and its pages.
#define IDD_MAIN 101
#define IDD_MAIN_MENU 102
#define IDD_TRAINING_MENU 103
#define IDD_COMPETITIONS_MENU 105
#define IDD_TEXT_GENERATOR 106
#define IDD_COMPETITION_RUN 109
#define IDD_COMPETITION_OPTIONS 111
#define IDD_PLAYER 119
#define IDD_SOUND_SETTINGS 122
#define IDD_TRAINING 131
#define IDD_ABOUT 132
#define IDD_COLOURS 150
#define IDD_SETTINGS_MENU 151
#define IDD_RESULTS 176
#define IDD_DIARY 177
#define IDD_LEARNING 178
#define IDD_ORGANISATION 179
#define IDD_DRAW 180
#define IDD_TRANSMISSION 181
#define IDD_TRANSMISSION_TEST 182

// Pictures.
#define IDB_ABOUT_KEY 134
#define IDB_ABOUT_LINK 138
#define IDB_ABOUT_TITLE 144
#define IDB_ABOUT_TEXT 145
#define IDB_MENU_KEY 154
#define IDB_SETTINGS 159
#define IDB_BANNER_COMPETITIONS 160
#define IDB_BANNER_MAIN 161
#define IDB_BANNER_SETTINGS 162
#define IDB_BANNER_TRAINING 165
#define IDB_TRAINING 167

#define IDI_KLAVIRO 137
#define IDC_LINK_HAND 105
