// What the label and timer controls show now. Their window texts stay as
// the dialog template made them, so these are the way to read the display.
#pragma once

#include <windows.h>

#include <string>

std::string LabelShownText(HWND label);
std::string TimerShownText(HWND timer);
