// Small helpers every Windows test file may need: handling the message
// queue, reading a window's text, and files under the temporary directory.
#pragma once

#include <windows.h>

#include <cstdio>
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

inline std::string ReadFile(const std::string& path) {
    std::string s;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            s.append(buf, n);
        std::fclose(f);
    }
    return s;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

} // namespace testutil
