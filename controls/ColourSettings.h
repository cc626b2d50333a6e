// The eighteen colours the display colours page edits: which swatch shows
// each one, its label, the setting it is stored in, and the group boxes
// that hold the swatches. The page and its tests both work from this table.
#pragma once

#include "config/AppConfig.h"

#include <cstddef>

struct ColourSetting {
    int swatchId;          // button showing the colour
    int labelId;           // static text naming it
    const char* labelKey;  // language key of the label at its left
    const char* labelText; // built-in text of the label
    const char* section;   // configuration section ...
    const char* key;       // ... and key of the setting
    int (AppConfig::*get)();
    void (AppConfig::*set)(int);
};

// A group box: its caption and the run of table entries it encloses.
struct ColourGroup {
    int id; // the group box control
    const char* key;
    const char* text;
    std::size_t first; // index of its first entry in ColourSettings()
    std::size_t count;
};

// Page buttons, with their language keys.
enum : int {
    kColoursCancelId = 1014,
    kColoursApplyId = 1214,
};
extern const char kColoursCancelKey[];
extern const char kColoursCancelText[];
extern const char kColoursApplyKey[];
extern const char kColoursApplyText[];

constexpr std::size_t kColourSettingCount = 18;
constexpr std::size_t kColourGroupCount = 6;

// In layout order: the four groups of the left column, then the two of the
// right column; inside a group, top to bottom.
const ColourSetting* ColourSettings();
const ColourGroup* ColourGroups();

// Index of the entry shown by a swatch id, or -1.
int ColourSettingIndex(int swatchId);

// Reads all eighteen settings into `colours` (defaults stored when missing).
void ReadColourSettings(AppConfig& config, int colours[kColourSettingCount]);
// Writes all eighteen, changed or not.
void WriteColourSettings(AppConfig& config, const int colours[kColourSettingCount]);
