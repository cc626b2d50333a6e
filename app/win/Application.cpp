#include "app/win/Application.h"

#include "app/Paths.h"
#include "app/Platform.h"

TempSoundFile::TempSoundFile(const std::string& path) : file_(OpenFile(path, "w")) {}

TempSoundFile::~TempSoundFile() {
    if (file_) {
        std::fputs("3 \n", file_);
        std::fclose(file_);
    }
}

Application::Application(HWND mainWindow) : mainWindow(mainWindow), tempSoundFile_(TempSoundFilePath()) {}

HWND Application::Page(int index) const {
    return index >= 0 && index < pageCount ? pages[index].window : nullptr;
}

Application* AppFromWindow(HWND window) {
    return reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
