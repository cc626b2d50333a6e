// The bitmap pictures (SS_BITMAP statics) of the menu and about pages, shown
// on the current dialog colour and, on a scaled display, at its scale.
#pragma once

#include <windows.h>

class Application;

// Repaints the pictures' margins in the dialog colour, when it changed since
// the last time; the first call also scales them for the display. Pages call
// it when they are created and shown.
void ColourPagePictures(HWND page, Application& app);
// Gives the pictures back the bitmaps they were created with and frees the
// repainted ones; pages call it when they are destroyed.
void ReleasePagePictures(HWND page);
