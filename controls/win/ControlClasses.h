// Registration of the display control window classes, called once at start.
#pragma once

#include <windows.h>

ATOM RegisterTextBoxClass(HINSTANCE instance);  // ATextBWnd
ATOM RegisterLabelClass(HINSTANCE instance);    // ATextLWnd
ATOM RegisterTimerClass(HINSTANCE instance);    // ATimerWnd
ATOM RegisterPictureClass(HINSTANCE instance);  // APictureWnd
