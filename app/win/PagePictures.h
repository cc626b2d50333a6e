// The pictures of the menu and about pages are drawn for 96 DPI; on a scaled
// display their frames grow with the dialog units, so the pictures must grow
// with them.
#pragma once

#include <windows.h>

// Replaces every bitmap picture of the page by a copy scaled to its frame's
// width, as the pictures are at 96 DPI; nothing changes at 96 DPI.
void ScalePicturesToDisplay(HWND page);

// Frees the scaled copies; the page keeps showing nothing in their place.
void ReleaseScaledPictures(HWND page);
