// The application object: the configuration store with its settings and
// language lookups, the record store, the page table and the state pages
// keep between visits. Created by the main window at initialisation,
// destroyed at close; members are built in declaration order and destroyed
// in reverse, so the page states go first and the store last.
#pragma once

#include "app/win/PageStates.h"
#include "config/AppConfig.h"
#include "config/RecordStore.h"
#include "results/ResultsSession.h"
#include "player/win/PlayerPage.h"
#include "diary/win/DiaryPage.h"
#include "organisation/win/OrganisationState.h"
#include "learning/LearningSession.h"
#include "transmission/win/TransmissionTestPage.h"
#include "transmission/win/TransmissionPage.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <string>

// The temporary sound file: created empty at start, closed with one line.
class TempSoundFile {
public:
    explicit TempSoundFile(const std::string& path);
    ~TempSoundFile();
    TempSoundFile(const TempSoundFile&) = delete;
    TempSoundFile& operator=(const TempSoundFile&) = delete;

private:
    std::FILE* file_;
};

// One entry of the page table.
struct PageEntry {
    HWND window = nullptr;
    bool fill = false; // fills the client area; otherwise keeps its size, centred
};

// A page switch in progress: the old page slides towards the bottom-right
// corner in eleven timer-driven moves before the new page is shown.
struct PageSlide {
    bool active = false;
    int from = 0;
    int to = 0;
    int step = 0; // moves made so far
    RECT start{}; // the old page's rectangle in client coordinates
    int dx = 0, dy = 0;
};

class Application : public AppConfig {
public:
    explicit Application(HWND mainWindow);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static constexpr int kMaxPages = 32;

    RecordStore records;
    HWND mainWindow;
    int currentPage = 0;
    int pageCount = 0;
    std::array<PageEntry, kMaxPages> pages{};
    // The text generator page's client size at its last layout.
    int textGeneratorWidth = 0, textGeneratorHeight = 0;
    // Last path chosen in the save-file dialog during this run.
    std::string lastSavePath;

private:
    TempSoundFile tempSoundFile_;

public:
    PageSlide slide;
    TrainingState training;
    SoundSettingsState soundSettings; // the test player of both sound settings pages
    ColoursState colours;
    CompetitionState competition;
    ResultsSession results;
    PlayerPageState playerPage;
    DiaryPageState diaryPage;
    OrganisationState organisation; // the organisation and draw pages, the competition file
    LearningState learning;
    TransmissionTestState transmissionTest;
    TransmissionPageState transmission;

    // The window of page `index`, or null outside the table.
    HWND Page(int index) const;
};

// The application object stored in a window's user data, or null.
Application* AppFromWindow(HWND window);
