// The draw page (page 29): start numbers (or seats in groups) drawn from a
// seed that is shown and kept, and the start list as a web page.
#pragma once

#include <windows.h>

INT_PTR CALLBACK DrawPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The control ids the tests use.
enum : int {
    DRAW_PATH = 2402,
    DRAW_BROWSE = 2403,
    DRAW_SEED = 2405,
    DRAW_NEW_SEED = 2406,
    DRAW_GROUPS = 2408,
    DRAW_RUN = 2410,
    DRAW_ORDER = 2412,
    DRAW_WRITE = 2413,
    DRAW_STATUS = 2414,
    DRAW_LIST = 2415,
};
