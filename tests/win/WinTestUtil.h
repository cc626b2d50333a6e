// Small helpers every Windows test file may need: handling the message
// queue, reading a window's text, and files under the temporary directory.
#pragma once

#include "../core/TestFiles.h"

#include <windows.h>

#include <string>

namespace testutil {

// Handles the queue until `done` holds or the limit has passed. The quit
// message of a closed main window is dropped: tests run no message loop.
template <class Pred> bool PumpUntil(Pred done, DWORD limitMs = 2000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - start > limitMs)
            return false;
        Sleep(1);
    }
}

// Delivers what is queued now (posted page switches, for one).
inline void Pump() {
    PumpUntil([] { return true; });
}

inline std::string WindowText(HWND window) {
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A file of the tests' own in the temporary directory.
inline std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + "klaviro-" + name;
}

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// "" for a file that is not there.
inline std::string ReadFile(const std::string& path) {
    return testfiles::ReadAll(path, "");
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    testfiles::WriteAll(path, bytes);
}

} // namespace testutil
