// The display colours page inside the real main window: the colour dialog
// is answered by a script, the swatches' bitmaps are read back.
#include "ControlTestSupport.h"

#include "app/Paths.h"
#include "app/win/Application.h"
#include "app/win/MainWindow.h"
#include "app/win/Pages.h"
#include "app/win/Startup.h"
#include "controls/ColourSettings.h"
#include "controls/ControlMessages.h"
#include "controls/win/ColourDialog.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const int kSettingsMenuColoursButton = 1395;

// What the scripted colour dialog answers and what it was given.
struct DialogScript {
    bool confirm = false;
    COLORREF answer = 0; // left in rgbResult, also when cancelling
    int setCustom = -1;  // custom colour the "user" edits, or -1
    COLORREF customValue = 0;
    int calls = 0;
    HWND owner = nullptr;
    DWORD flags = 0;
    COLORREF initial = 0;
    COLORREF custom[16] = {};
};
DialogScript script;

BOOL ScriptedDialog(CHOOSECOLORA* choose) {
    ++script.calls;
    script.owner = choose->hwndOwner;
    script.flags = choose->Flags;
    script.initial = choose->rgbResult;
    for (int i = 0; i < 16; ++i)
        script.custom[i] = choose->lpCustColors[i];
    if (script.setCustom >= 0)
        choose->lpCustColors[script.setCustom] = script.customValue;
    choose->rgbResult = script.answer;
    return script.confirm;
}

// Runs the message loop until `done` or about three seconds have passed;
// waits for messages, not for fixed times.
bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 3000)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// The centre pixel of the bitmap a swatch button shows.
COLORREF SwatchColour(HWND page, int id) {
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(page, id, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!bitmap)
        return CLR_INVALID;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, info.bmWidth / 2, info.bmHeight / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

class ColoursPage : public ::testing::Test {
protected:
    void SetUp() override {
        // The main window loads and saves its configuration file: keep it in
        // a folder of this test, starting empty.
        previousPaths_ = {ProgramDirectory(), TempSoundFilePath(), ConfigFilePath()};
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "klaviro-colours-test\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        SetStartupPaths({folder, folder + "KLAVIRO.bsf", folder + "KLAVIRO.cfg"});
        DeleteFileA(ConfigFilePath().c_str());
        InitCommonControls();
        RegisterControlClasses(GetModuleHandleA(nullptr));
        previousHook_ = SetColourDialogHook(ScriptedDialog);
        script = DialogScript{};
        main_ = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(main_, nullptr);
        app_ = AppFromWindow(main_);
        ASSERT_NE(app_, nullptr);
    }
    void TearDown() override {
        if (main_)
            DestroyWindow(main_);
        MSG msg; // the close sequence posts WM_QUIT; leave no trace for others
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        SetColourDialogHook(previousHook_);
        DeleteFileA(ConfigFilePath().c_str());
        DeleteFileA(TempSoundFilePath().c_str());
        RemoveDirectoryA(ProgramDirectory().c_str());
        SetStartupPaths(previousPaths_);
    }

    HWND Page() const { return app_->Page(PAGE_COLOURS); }
    bool Settled(int index) const { return app_->currentPage == index && !app_->slide.active; }
    bool WaitForPage(int index) {
        return PumpUntil([&] { return Settled(index); });
    }
    // The colours page the way the operator reaches it: from the settings menu.
    bool OpenColours() {
        SendMessageA(main_, PM_SHOW_PAGE, 0, PAGE_SETTINGS_MENU);
        if (!WaitForPage(PAGE_SETTINGS_MENU))
            return false;
        ClickControl(app_->Page(PAGE_SETTINGS_MENU), kSettingsMenuColoursButton);
        return WaitForPage(PAGE_COLOURS);
    }
    void Choose(int swatch, COLORREF colour) {
        script.confirm = true;
        script.answer = colour;
        ClickControl(Page(), swatch);
    }
    std::string Stored(const ColourSetting& s) const {
        std::string v = "<missing>";
        app_->GetString(s.section, s.key, v);
        return v;
    }

    HWND main_ = nullptr;
    Application* app_ = nullptr;

private:
    ColourDialogHook previousHook_ = nullptr;
    StartupPaths previousPaths_;
};

// Cancel and Esc both leave without writing, and the next showing reloads
// the stored colour into swatch and working copy.
TEST_F(ColoursPage, ChoiceIsDroppedByCancelAndByEsc) {
    const int index = ColourSettingIndex(1210); // WFTimer / TColor, blue by default
    for (bool viaEsc : {false, true}) {
        SCOPED_TRACE(viaEsc ? "Esc" : "Cancel");
        ASSERT_TRUE(OpenColours());
        EXPECT_EQ(SwatchColour(Page(), 1210), RGB(0, 0, 255));
        Choose(1210, RGB(10, 200, 30));
        EXPECT_EQ(SwatchColour(Page(), 1210), RGB(10, 200, 30));
        EXPECT_EQ(app_->colours.working[index], RGB(10, 200, 30));

        if (viaEsc)
            SendMessageA(main_, WM_COMMAND, 50051, 0); // the Esc accelerator
        else
            ClickControl(Page(), kColoursCancelId);
        ASSERT_TRUE(WaitForPage(PAGE_SETTINGS_MENU));
        EXPECT_EQ(Stored(ColourSettings()[index]), "16711680");

        ASSERT_TRUE(OpenColours());
        EXPECT_EQ(SwatchColour(Page(), 1210), RGB(0, 0, 255));
        EXPECT_EQ(app_->colours.working[index], 16711680u);
    }
    // A disabled Cancel is not pressed by Esc.
    EnableWindow(GetDlgItem(Page(), kColoursCancelId), FALSE);
    SendMessageA(main_, WM_COMMAND, 50051, 0);
    EXPECT_FALSE(app_->slide.active); // a switch would have started at once
    EXPECT_EQ(app_->currentPage, PAGE_COLOURS);
}

TEST_F(ColoursPage, CancelledDialogKeepsSwatchAndWorkingColour) {
    const int swatch = 1206; // WTextBox / BColor, black by default
    const int index = ColourSettingIndex(swatch);
    ASSERT_TRUE(OpenColours());

    script.setCustom = 3;
    script.customValue = RGB(1, 2, 3);
    Choose(swatch, RGB(0, 170, 0));
    EXPECT_EQ(script.owner, Page());
    EXPECT_EQ(script.flags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR));
    EXPECT_EQ(script.initial, RGB(0, 0, 0));
    for (COLORREF c : script.custom)
        EXPECT_EQ(c, RGB(255, 255, 255));

    // The dialog is dismissed with another colour under the cursor.
    script.confirm = false;
    script.answer = RGB(99, 99, 99);
    script.setCustom = -1;
    ClickControl(Page(), swatch);
    EXPECT_EQ(script.calls, 2);
    EXPECT_EQ(script.initial, RGB(0, 170, 0)); // opened on the working colour
    EXPECT_EQ(script.custom[3], RGB(1, 2, 3)); // custom colours are kept between dialogs
    EXPECT_EQ(app_->colours.custom[3], RGB(1, 2, 3));
    EXPECT_EQ(app_->colours.working[index], RGB(0, 170, 0));
    EXPECT_EQ(SwatchColour(Page(), swatch), RGB(0, 170, 0));
    EXPECT_EQ(Stored(ColourSettings()[index]), "0");
}

// Every value is stored in a form the setter would not write, so each entry
// that Apply rewrites shows up; the main window is invalidated as a whole.
TEST_F(ColoursPage, ApplyWithoutChangeRewritesAllEighteen) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        app_->SetString(ColourSettings()[i].section, ColourSettings()[i].key,
                        "+00" + std::to_string(1000 + i));
    ASSERT_TRUE(OpenColours());
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        EXPECT_EQ(app_->colours.working[i], 1000 + i);
        EXPECT_EQ(SwatchColour(Page(), ColourSettings()[i].swatchId), static_cast<COLORREF>(1000 + i));
    }

    ValidateRect(main_, nullptr);
    ClickControl(Page(), kColoursApplyId);
    RECT update{}, client{};
    GetUpdateRect(main_, &update, FALSE);
    GetClientRect(main_, &client);
    EXPECT_TRUE(EqualRect(&update, &client));
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        EXPECT_EQ(Stored(ColourSettings()[i]), std::to_string(1000 + i)) << ColourSettings()[i].key;
    EXPECT_TRUE(WaitForPage(PAGE_SETTINGS_MENU));
}

// After Apply the page shown next (the settings menu) has the new
// background, and a text box and a clock set up the way the working pages
// set theirs up paint in the new colours.
TEST_F(ColoursPage, AppliedColoursReachThePagesShownNext) {
    ASSERT_TRUE(OpenColours());
    Choose(1215, RGB(180, 140, 60)); // DlgColor
    Choose(1206, RGB(20, 40, 160));  // text box background
    Choose(1211, RGB(200, 30, 120)); // main clock background
    ClickControl(Page(), kColoursApplyId);
    ASSERT_TRUE(WaitForPage(PAGE_SETTINGS_MENU));

    HWND menu = app_->Page(PAGE_SETTINGS_MENU);
    RECT r;
    GetClientRect(menu, &r);
    testsupport::Canvas page(r.right, r.bottom);
    page.Fill(RGB(255, 255, 255));
    PrintWindow(menu, page.dc, PW_CLIENTONLY);
    EXPECT_EQ(page.At(2, 2), RGB(180, 140, 60));

    testsupport::ParentWindow host(400, 300, false);
    HWND textBox = host.Child("ATextBWnd", 1027, 0, 0, 0, 300, 120);
    HWND clock = host.Child("ATimerWnd", 1068, 0, 0, 150, 120, 40);
    ASSERT_TRUE(textBox && clock);
    SendMessageA(textBox, ATB_SETTEXTCOLOR, 0, app_->GetTextBoxTColor());
    SendMessageA(textBox, ATB_SETBKCOLOR, 0, app_->GetTextBoxBColor());
    SendMessageA(clock, ATM_SETTEXTCOLOR, 0, app_->GetFTimerTColor());
    SendMessageA(clock, ATM_SETBKCOLOR, 0, app_->GetFTimerBColor());
    SendMessageA(clock, ATM_SETTIME, 0, 0);

    testsupport::Canvas box(300, 120), timer(120, 40);
    SendMessageA(textBox, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(box.dc), PRF_CLIENT);
    SendMessageA(clock, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(timer.dc), PRF_CLIENT);
    EXPECT_EQ(box.At(10, 60), RGB(20, 40, 160));
    EXPECT_EQ(timer.At(3, 3), RGB(200, 30, 120));
}

} // namespace
