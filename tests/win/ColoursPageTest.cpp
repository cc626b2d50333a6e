// The display colours page inside the real main window: the colour dialog
// is answered by a script, the swatches' bitmaps are read back.
#include "ControlTestSupport.h"
#include "ShellTestSupport.h"

#include "app/win/Pages.h"
#include "controls/ColourSettings.h"
#include "controls/win/ColourDialog.h"

#include <windows.h>

#include <gtest/gtest.h>

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

class ColoursPage : public shelltest::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        previousHook_ = SetColourDialogHook(ScriptedDialog);
        script = DialogScript{};
        Start();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        SetColourDialogHook(previousHook_);
    }

    HWND Colours() const { return Page(PAGE_COLOURS); }
    // The colours page the way the operator reaches it: from the settings menu.
    void OpenColours() {
        ShowPage(PAGE_SETTINGS_MENU);
        Click(PAGE_SETTINGS_MENU, kSettingsMenuColoursButton);
        ASSERT_EQ(app->currentPage, PAGE_COLOURS);
    }
    void Choose(int swatch, COLORREF colour) {
        script.confirm = true;
        script.answer = colour;
        Click(PAGE_COLOURS, swatch);
    }
    std::string Stored(const ColourSetting& s) const {
        std::string v = "<missing>";
        app->GetString(s.section, s.key, v);
        return v;
    }

private:
    ColourDialogHook previousHook_ = nullptr;
};

// Each swatch fills its button inside the button's frame, which stays
// visible around it.
TEST_F(ColoursPage, SwatchesFitTheirButtons) {
    ASSERT_NO_FATAL_FAILURE(OpenColours());
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        const int id = ColourSettings()[i].swatchId;
        HWND button = Control(PAGE_COLOURS, id);
        RECT r;
        GetClientRect(button, &r);
        BITMAP swatch{};
        GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof swatch, &swatch);
        EXPECT_LE(swatch.bmWidth, r.right - 4) << id;
        EXPECT_LE(swatch.bmHeight, r.bottom - 4) << id;
        EXPECT_GE(swatch.bmWidth, r.right - 8) << id;
        EXPECT_GE(swatch.bmHeight, r.bottom - 8) << id;
    }
    // Drawn: the colour inside, the frame around it.
    HWND button = Control(PAGE_COLOURS, 1210); // blue by default
    RECT r;
    GetClientRect(button, &r);
    testsupport::Canvas canvas(r.right, r.bottom);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_GT(canvas.Count(blue), (r.right - 8) * (r.bottom - 8) / 2);
    EXPECT_EQ(canvas.Count(blue, 0, 0, r.right, 2) + canvas.Count(blue, 0, r.bottom - 2, r.right, r.bottom) +
                  canvas.Count(blue, 0, 0, 2, r.bottom) +
                  canvas.Count(blue, r.right - 2, 0, r.right, r.bottom),
              0);
}

// Cancel and Esc both leave without writing, and the next showing reloads
// the stored colour into swatch and working copy.
TEST_F(ColoursPage, ChoiceIsDroppedByCancelAndByEsc) {
    const int index = ColourSettingIndex(1210); // WFTimer / TColor, blue by default
    for (bool viaEsc : {false, true}) {
        SCOPED_TRACE(viaEsc ? "Esc" : "Cancel");
        ASSERT_NO_FATAL_FAILURE(OpenColours());
        EXPECT_EQ(SwatchColour(Colours(), 1210), RGB(0, 0, 255));
        Choose(1210, RGB(10, 200, 30));
        EXPECT_EQ(SwatchColour(Colours(), 1210), RGB(10, 200, 30));
        EXPECT_EQ(app->colours.working[index], RGB(10, 200, 30));

        if (viaEsc)
            Key(shelltest::kEsc);
        else
            Click(PAGE_COLOURS, kColoursCancelId);
        ASSERT_EQ(app->currentPage, PAGE_SETTINGS_MENU);
        EXPECT_EQ(Stored(ColourSettings()[index]), "16711680");

        ASSERT_NO_FATAL_FAILURE(OpenColours());
        EXPECT_EQ(SwatchColour(Colours(), 1210), RGB(0, 0, 255));
        EXPECT_EQ(app->colours.working[index], 16711680u);
    }
}

TEST_F(ColoursPage, CancelledDialogKeepsSwatchAndWorkingColour) {
    const int swatch = 1206; // WTextBox / BColor, black by default
    const int index = ColourSettingIndex(swatch);
    ASSERT_NO_FATAL_FAILURE(OpenColours());

    script.setCustom = 3;
    script.customValue = RGB(1, 2, 3);
    Choose(swatch, RGB(0, 170, 0));
    EXPECT_EQ(script.owner, Colours());
    EXPECT_EQ(script.flags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR));
    EXPECT_EQ(script.initial, RGB(0, 0, 0));
    for (COLORREF c : script.custom)
        EXPECT_EQ(c, RGB(255, 255, 255));

    // The dialog is dismissed with another colour under the cursor.
    script.confirm = false;
    script.answer = RGB(99, 99, 99);
    script.setCustom = -1;
    Click(PAGE_COLOURS, swatch);
    EXPECT_EQ(script.calls, 2);
    EXPECT_EQ(script.initial, RGB(0, 170, 0)); // opened on the working colour
    EXPECT_EQ(script.custom[3], RGB(1, 2, 3)); // custom colours are kept between dialogs
    EXPECT_EQ(app->colours.custom[3], RGB(1, 2, 3));
    EXPECT_EQ(app->colours.working[index], RGB(0, 170, 0));
    EXPECT_EQ(SwatchColour(Colours(), swatch), RGB(0, 170, 0));
    EXPECT_EQ(Stored(ColourSettings()[index]), "0");
}

// Every value is stored in a form the setter would not write, so each entry
// that Apply rewrites shows up; the main window is invalidated as a whole.
TEST_F(ColoursPage, ApplyWithoutChangeRewritesAllEighteen) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        app->SetString(ColourSettings()[i].section, ColourSettings()[i].key,
                       "+00" + std::to_string(1000 + i));
    ASSERT_NO_FATAL_FAILURE(OpenColours());
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        EXPECT_EQ(app->colours.working[i], 1000 + i);
        EXPECT_EQ(SwatchColour(Colours(), ColourSettings()[i].swatchId), static_cast<COLORREF>(1000 + i));
    }

    ValidateRect(main, nullptr);
    SendMessageA(Control(PAGE_COLOURS, kColoursApplyId), BM_CLICK, 0, 0); // no pumping: paints would validate
    RECT update{}, client{};
    GetUpdateRect(main, &update, FALSE);
    GetClientRect(main, &client);
    EXPECT_TRUE(EqualRect(&update, &client));
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        EXPECT_EQ(Stored(ColourSettings()[i]), std::to_string(1000 + i)) << ColourSettings()[i].key;
    EXPECT_TRUE(Settle());
    EXPECT_EQ(app->currentPage, PAGE_SETTINGS_MENU);
}

// After Apply the page shown next (the settings menu) has the new
// background, and the training page, shown after it, paints its text box
// and its series clock in the new colours.
TEST_F(ColoursPage, AppliedColoursReachThePagesShownNext) {
    ASSERT_NO_FATAL_FAILURE(OpenColours());
    Choose(1215, RGB(180, 140, 60)); // DlgColor
    Choose(1206, RGB(20, 40, 160));  // text box background
    Choose(1211, RGB(200, 30, 120)); // main clock background
    Click(PAGE_COLOURS, kColoursApplyId);
    ASSERT_EQ(app->currentPage, PAGE_SETTINGS_MENU);

    HWND menu = Page(PAGE_SETTINGS_MENU);
    RECT r;
    GetClientRect(menu, &r);
    testsupport::Canvas background(r.right, r.bottom);
    background.Fill(RGB(255, 255, 255));
    PrintWindow(menu, background.dc, PW_CLIENTONLY);
    EXPECT_EQ(background.At(2, 2), RGB(180, 140, 60));

    ShowPage(PAGE_TRAINING); // its player is the fixture's silent one

    HWND textBox = Control(PAGE_TRAINING, 1027), clock = Control(PAGE_TRAINING, 1068);
    ASSERT_TRUE(textBox && clock);
    GetClientRect(textBox, &r);
    testsupport::Canvas box(r.right, r.bottom);
    SendMessageA(textBox, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(box.dc), PRF_CLIENT);
    // The box shows a text; most of it is still background.
    EXPECT_GT(box.Count(RGB(20, 40, 160)), box.Width() * box.Height() / 2);
    EXPECT_EQ(box.At(box.Width() - 6, box.Height() - 2), RGB(20, 40, 160));
    GetClientRect(clock, &r);
    testsupport::Canvas timer(r.right, r.bottom);
    SendMessageA(clock, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(timer.dc), PRF_CLIENT);
    EXPECT_EQ(timer.At(2, 2), RGB(200, 30, 120));
}

} // namespace
