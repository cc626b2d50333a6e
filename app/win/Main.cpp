// Entry point of KLAVIRO.exe: paths, Morse table, common controls, control
// classes, accelerators, the main window and the message loop.
#include "app/Paths.h"
#include "app/Platform.h"
#include "app/UserFiles.h"
#include "app/win/ConfigLocationWin.h"
#include "app/win/MainWindow.h"
#include "app/win/Startup.h"
#include "sound/MorseTable.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

namespace {

// The arguments as WinMain's are cut from the command line (the program's
// name and the blanks after it skipped), but read in UTF-16 and kept as UTF-8.
std::string Arguments() {
    const std::string line = ProcessCommandLine();
    size_t i = 0;
    bool quoted = false;
    for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i)
        if (line[i] == '"')
            quoted = !quoted;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.substr(i);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND mainWindow = nullptr;
    // Every file name inside the program is UTF-8, so that a folder named in
    // any script works whatever the system's code page.
    SetUtf8FileNames(true);
    try {
        StartupPaths paths = ComputeStartupPaths(Arguments());
        const std::string programConfig = paths.configFile;
        const ConfigFiles config = ChooseConfigFiles(programConfig, SystemConfigLocationCalls());
        if (config.save != programConfig)
            EnsureFolderOf(config.save);
        paths.configFile = config.save;
        SetStartupPaths(paths);
        SetConfigReadFilePath(config.read);
        SetUserFilesFolder(ChooseUserFilesFolder(programConfig, config, DocumentsDirectory()));
        InitMorseTable();
        InitCommonControls();
        RegisterControlClasses(instance);
        HACCEL accelerators = CreateKlaviroAccelerators();
        mainWindow = CreateMainWindow(instance);
        if (!mainWindow)
            MessageBoxW(nullptr, L"Can't create main window", nullptr, MB_ICONWARNING | MB_OK);
        else
            RunMessageLoop(mainWindow, accelerators);
    } catch (const std::exception& e) {
        EndAfterFailure(mainWindow, e.what());
    } catch (...) {
        EndAfterFailure(mainWindow, "unknown exception");
    }
    CoUninitialize();
    return 0;
}
