// Text and font-size rules of the label and timer controls. Heights are
// LOGFONT lfHeight values: negative means a character height in pixels.
#pragma once

#include <string>

// At most 1023 characters, then trailing blanks removed except the first
// character, so a text of blanks keeps one.
std::string TrimLabelText(const char* text);

// First try for a label of client height h, before measuring.
int LabelStartHeight(int h);
// After measuring the text at the start height as tw x th in a client of
// w x h: shrunk by 0.95 x w / tw when too wide, else to fit the height.
int LabelFittedHeight(int w, int h, int tw, int th);
// Labels up to 20 pixels high are antialiased and flat; larger ones are
// drawn in relief.
bool LabelInRelief(int lfHeight);

int TimerStartHeight(int h);
int TimerFittedHeight(int w, int h, int tw, int th);
