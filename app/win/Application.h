// The application object: the configuration store with its settings and
// language lookups, the record store and the state pages keep between
// visits. Created by the main window at initialisation, destroyed at close.
#pragma once

#include "config/AppConfig.h"
#include "config/RecordStore.h"

#include <windows.h>

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

class Application : public AppConfig {
public:
    explicit Application(HWND mainWindow);

    RecordStore records;
    HWND mainWindow;
    int currentPage = 0;
    int pageCount = 0;

private:
    TempSoundFile tempSoundFile_;
};

// The application object stored in a window's user data, or null.
Application* AppFromWindow(HWND window);
