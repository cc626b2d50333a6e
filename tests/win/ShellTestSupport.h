// The real main window, run in-process: a fresh program folder for its
// configuration file, message pumping until a page switch has finished,
// and ways to press buttons and keys as the operator does.
#pragma once

#include "WinTestUtil.h"

#include "app/Paths.h"
#include "app/win/Application.h"
#include "app/win/MainWindow.h"
#include "app/win/Pages.h"
#include "app/win/Startup.h"
#include "app/win/DialogHelpers.h"
#include "config/ConfigStore.h"
#include "sound/MorsePlayerApi.h"
#include "texts/TextEncoding.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace shelltest {

inline HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

using testutil::FileExists;
using testutil::PumpUntil;
using testutil::ReadFile;
using testutil::WindowText;

// A program folder of its own under the temporary directory, holding the
// configuration file and the temporary sound file of one test.
class ProgramFolder {
public:
    ProgramFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        static int counter = 0;
        dir_ = std::string(temp) + "klaviro_shell_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++counter) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
        StartupPaths paths{dir_, dir_ + "KLAVIRO.bsf", dir_ + "KLAVIRO.cfg"};
        SetStartupPaths(paths);
    }
    ~ProgramFolder() {
        DeleteFileA(ConfigFile().c_str());
        DeleteFileA(SoundFile().c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    std::string ConfigFile() const { return dir_ + "KLAVIRO.cfg"; }
    std::string SoundFile() const { return dir_ + "KLAVIRO.bsf"; }

private:
    std::string dir_;
};

// Main window tests: each test starts the real main window from its
// template with a configuration file of its own (written by Configure
// before Start) and closes it at the end.
// A player that works and stays silent: the working pages open one when
// shown, and a test machine has no sound card (whose warning box would wait
// for an answer).
class SilentPlayer : public IMorsePlayer {
public:
    bool failed() const override { return false; }
    void start(const std::string&, int, int, int, int, int, int, int) override {}
    void startRecorded(const RecordedSound&) override {}
    void pause(bool) override {}
    bool isPlaying() const override { return false; }
    int currentCharacter() const override { return -1; }
    int64_t markTimeA() const override { return -1; }
    int64_t markTimeB() const override { return -1; }
};

inline int AnswerOk(HWND, const char*, const char*, UINT) {
    return IDOK;
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterControlClasses(Instance()); }

    void SetUp() override {
        SetMorsePlayerFactory([](void*, int, int, int, int) { return std::make_unique<SilentPlayer>(); });
        previousBox_ = SetMessageBoxHook(AnswerOk);
    }

    void TearDown() override {
        Close();
        SetMorsePlayerFactory(nullptr);
        SetMessageBoxHook(previousBox_);
        // The language a test chose must not decide how the next one's texts show.
        SetTextCodePage(0);
    }

    void Configure(const ConfigStore& store) { ASSERT_TRUE(store.Save(folder.ConfigFile())); }

    void Start() {
        main = CreateMainWindow(Instance());
        ASSERT_NE(main, nullptr);
        app = AppFromWindow(main);
        ASSERT_NE(app, nullptr);
    }

    void Close() {
        if (main && IsWindow(main))
            DestroyWindow(main);
        main = nullptr;
        app = nullptr;
        PumpUntil([] { return true; });
    }

    HWND Page(int index) const { return app->Page(index); }
    HWND Control(int page, int id) const { return GetDlgItem(Page(page), id); }

    // Waits for a running page switch to end.
    bool Settle() {
        return PumpUntil([this] { return !app->slide.active; });
    }

    void ShowPage(int index) {
        SendMessageA(main, PM_SHOW_PAGE, 0, index);
        ASSERT_TRUE(Settle());
        ASSERT_EQ(app->currentPage, index);
    }

    // The operator's click: BM_CLICK makes the button notify its page.
    void Click(int page, int id) {
        HWND button = Control(page, id);
        ASSERT_NE(button, nullptr) << "page " << page << " control " << id;
        SendMessageA(button, BM_CLICK, 0, 0);
        Settle();
    }

    // One of the five accelerator keys, as the message loop delivers it.
    void Key(int command) {
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(command, 1), 0);
        Settle();
    }

    int VisiblePages() const {
        int n = 0;
        for (int i = 0; i < app->pageCount; ++i)
            n += IsWindowVisible(Page(i)) ? 1 : 0;
        return n;
    }

    ProgramFolder folder;
    HWND main = nullptr;
    Application* app = nullptr;

private:
    MessageBoxHook previousBox_ = nullptr;
};

constexpr int kEnter = 50050, kEsc = 50051, kPageUp = 50052, kPageDown = 50053, kInsert = 50054;

// Records the messages a window receives, ahead of its own procedure.
class MessageSpy {
public:
    using Hook = bool (*)(MessageSpy&, HWND, UINT, WPARAM, LPARAM); // true: swallow

    MessageSpy(HWND window, Hook hook = nullptr) : window_(window), hook_(hook) {
        SetPropA(window, "ShellTestSpy", this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageSpy::Proc)));
    }
    ~MessageSpy() {
        if (IsWindow(window_)) {
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
            RemovePropA(window_, "ShellTestSpy");
        }
    }
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

    struct Entry {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        RECT rect; // the window's rectangle in its parent at that moment
        bool visible;
    };
    std::vector<Entry> entries;

    int Count(UINT message) const {
        int n = 0;
        for (const Entry& e : entries)
            n += e.message == message;
        return n;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        MessageSpy* spy = static_cast<MessageSpy*>(GetPropA(window, "ShellTestSpy"));
        WNDPROC previous = spy->previous_;
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
        spy->entries.push_back({message, wParam, lParam, r, IsWindowVisible(window) != FALSE});
        if (spy->hook_ && spy->hook_(*spy, window, message, wParam, lParam))
            return 0;
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            RemovePropA(window, "ShellTestSpy");
        }
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }

    HWND window_;
    Hook hook_;
    WNDPROC previous_;
};

} // namespace shelltest
