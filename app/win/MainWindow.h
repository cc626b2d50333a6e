#pragma once

#include <windows.h>

// Creates the main window (dialog 101, no owner); null on failure.
HWND CreateMainWindow(HINSTANCE instance);
