// Entry point of KLAVIRO.exe: paths, Morse table, common controls, control
// classes, accelerators, the main window and the message loop.
#include "app/Paths.h"
#include "app/UserFiles.h"
#include "app/win/ConfigLocationWin.h"
#include "app/win/MainWindow.h"
#include "app/win/Startup.h"
#include "sound/MorseTable.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    HWND mainWindow = nullptr;
    try {
        StartupPaths paths = ComputeStartupPaths(args ? args : "");
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
            MessageBoxA(nullptr, "Can't create main window", nullptr, MB_ICONWARNING | MB_OK);
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
