#include "sound/SoundSettingsValues.h"

int GroupsPerLineFromWidth(int width) {
    return width / kColumnsPerGroup;
}
int WidthFromGroupsPerLine(int groups) {
    return groups * kColumnsPerGroup;
}
int CharsPerLineFromWidth2(int width2) {
    return width2 / kColumnsPerChar;
}
int Width2FromCharsPerLine(int chars) {
    return chars * kColumnsPerChar;
}
