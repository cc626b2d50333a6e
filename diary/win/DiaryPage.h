// The diary page (page 11): the trainee's progress drawn from Diary.csv, and
// what it keeps between visits, in the application object.
#pragma once

#include "diary/DiarySummary.h"

#include <windows.h>

#include <string>

struct DiaryPageState {
    DiaryContents diary;
    DiaryLoad load = DiaryLoad::Missing;
    std::string error; // why the diary could not be read
    DiarySummary summary;
    int today = 0;
    // Layout: the page's client size at creation and the areas that share
    // what it gains.
    int baseWidth = 0, baseHeight = 0;
    int width = 0, height = 0; // at the last layout
    RECT base[4]{};
    bool laidOut = false;
};

// The control ids the tests look at.
enum : int {
    DIARY_PERIOD = 1131,
    DIARY_EXPORT = 1132,
    DIARY_SPEED_CHART = 1133,
    DIARY_SHARE_CHART = 1134,
    DIARY_WEAKEST = 1135,
    DIARY_CHECKS = 1136,
    DIARY_STATUS = 1137,
};
