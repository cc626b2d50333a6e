// The competition file that the organisation, draw and results pages share,
// and what the organisation and draw pages keep between visits, in the
// application object.
#pragma once

#include "organisation/Competition.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class Application;
struct FileField;

struct OrganisationState {
    std::string path;                           // the competition file, completed with the user's folder
    Competition competition = NewCompetition(); // as last read or written
    CompetitionLoad load = CompetitionLoad::Missing;
    std::string error; // why the file could not be read (UTF-8)
    // The organisation page: the categories its category list offers after
    // "by age" (UTF-8), and its client size at the last layout.
    std::vector<std::string> categoryChoices;
    int width = 0, height = 0;
    // The draw page: the seed on show before any draw, its client size.
    uint32_t seed = 0;
    bool seedChosen = false;
    int drawWidth = 0, drawHeight = 0;
};

// ---- the shared competition file, for the pages

// The path of the competition file; Competition.csv in the user's folder
// until a page names another.
const std::string& CompetitionPath(Application& app);
// Puts the shared path into a page's field.
void ShowCompetitionPath(HWND page, const FileField& field, Application& app);
// Takes the field's path as the shared one and reads the file when it names
// another file than before (or `always`). True when the file was read.
bool TakeCompetitionPath(HWND page, const FileField& field, Application& app, bool always);
// Reads the file afresh (what another page or program wrote meanwhile).
CompetitionLoad ReloadCompetition(Application& app);
// Before a change: the file read afresh; false, with the reason shown, when
// it exists but cannot be read (it is then never written over).
bool ReadCompetitionForChange(HWND page, Application& app);
// Writes the competition held; false with the reason shown. The file stays as
// it was, and the page's copy goes back to it.
bool SaveCompetitionOrWarn(HWND page, Application& app);
// "the file cannot be read" with its reason, for a status line or a message.
std::string CompetitionUnreadableText(Application& app);
