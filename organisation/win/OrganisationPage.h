// The organisation page (page 16): the competition's file and data, the
// roster with its categories, a roster's import and export.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OrganisationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The control ids the tests use.
enum : int {
    ORG_PATH = 2302,
    ORG_BROWSE = 2303,
    ORG_TITLE = 2305,
    ORG_VENUE = 2307,
    ORG_FIRST_DAY = 2309,
    ORG_LAST_DAY = 2339,
    ORG_JUDGE = 2311,
    ORG_NUMBER = 2314,
    ORG_NAME = 2316,
    ORG_SEX = 2318,
    ORG_YEAR = 2320,
    ORG_CATEGORY = 2322,
    ORG_CLUB = 2324,
    ORG_CALLSIGN = 2326,
    ORG_ADD = 2327,
    ORG_CHANGE = 2328,
    ORG_DELETE = 2329,
    ORG_STATUS = 2330,
    ORG_ORDER = 2332,
    ORG_ROSTER = 2333,
    ORG_CATEGORIES = 2335,
    ORG_IMPORT = 2336,
    ORG_EXPORT = 2337,
};
