// Display colours page (page 26): eighteen colour swatches edited in a
// working copy that only Apply writes to the settings.
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"
#include "controls/ColourSettings.h"
#include "controls/win/ColourDialog.h"

#include <algorithm>

namespace {

// The swatch leaves the button's frame (two pixels) and one pixel inside it
// free, whatever size the dialog font gives the button.
const int kSwatchInset = 3;

static_assert(ColoursState::kColours == static_cast<int>(kColourSettingCount),
              "the working copy holds one value per swatch");

// Gives the swatch a new bitmap of the colour and deletes the one it had.
void PaintSwatch(HWND page, int swatchId, COLORREF colour) {
    HWND button = GetDlgItem(page, swatchId);
    if (!button)
        return;
    RECT r;
    GetClientRect(button, &r);
    HBITMAP bitmap =
        MakeColorSwatch(button, colour, std::max(1, static_cast<int>(r.right) - 2 * kSwatchInset),
                        std::max(1, static_cast<int>(r.bottom) - 2 * kSwatchInset));
    SendMessageA(button, BM_SETSTYLE, BS_BITMAP, TRUE);
    HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old && old != bitmap)
        DeleteObject(old);
}

void PaintAllSwatches(HWND page, const ColoursState& state) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        PaintSwatch(page, ColourSettings()[i].swatchId, state.working[i]);
}

// The buttons do not own their images, so the page frees the last ones.
void FreeSwatches(HWND page) {
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        HWND button = GetDlgItem(page, ColourSettings()[i].swatchId);
        if (!button)
            continue;
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, 0));
        if (old)
            DeleteObject(old);
    }
}

void LoadTexts(HWND page, Application& app) {
    const std::string language = app.CurrentLanguage();
    for (std::size_t g = 0; g < kColourGroupCount; ++g) {
        const ColourGroup& group = ColourGroups()[g];
        SetLangItemText(page, group.id, app, language, group.key, group.text);
    }
    for (std::size_t i = 0; i < kColourSettingCount; ++i) {
        const ColourSetting& s = ColourSettings()[i];
        SetLangItemText(page, s.labelId, app, language, s.labelKey, s.labelText);
    }
    SetLangItemText(page, kColoursCancelId, app, language, kColoursCancelKey, kColoursCancelText);
    SetLangItemText(page, kColoursApplyId, app, language, kColoursApplyKey, kColoursApplyText);
}

void LoadWorkingCopy(Application& app) {
    int colours[kColourSettingCount];
    ReadColourSettings(app, colours);
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        app.colours.working[i] = static_cast<uint32_t>(colours[i]);
}

void ChooseColour(HWND page, Application& app, int index) {
    ColoursState& state = app.colours;
    // The dialog edits COLORREFs; the shared custom colours go in and come
    // back through a copy of that type.
    COLORREF custom[16];
    std::copy(state.custom.begin(), state.custom.end(), custom);
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = page;
    choose.rgbResult = state.working[index];
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    const BOOL chosen = ShowColourDialog(&choose);
    std::copy(custom, custom + 16, state.custom.begin());
    if (chosen)
        state.working[index] = choose.rgbResult;
    PaintSwatch(page, ColourSettings()[index].swatchId, state.working[index]);
}

void Apply(HWND, Application& app) {
    int colours[kColourSettingCount];
    for (std::size_t i = 0; i < kColourSettingCount; ++i)
        colours[i] = static_cast<int>(app.colours.working[i]);
    WriteColourSettings(app, colours);
    // Everything on screen takes its colours from the settings at paint time.
    InvalidateRect(app.mainWindow, nullptr, TRUE);
}

// Choices not applied are dropped whenever the page is left.
void Show(HWND page, Application& app) {
    LoadWorkingCopy(app);
    PaintAllSwatches(page, app.colours);
}

BOOL ChooseSwatch(HWND page, Application& app, int control, int) {
    const int index = ColourSettingIndex(control);
    if (index < 0)
        return FALSE;
    ChooseColour(page, app, index);
    return TRUE;
}

const PageKey kKeys[] = {{KEY_ESC, {kColoursCancelId}}};

const PageCommand kCommands[] = {
    {kColoursApplyId, Apply, PAGE_SETTINGS_MENU},
    {kColoursCancelId, nullptr, PAGE_SETTINGS_MENU},
};

const PageDescription kPage = DescribePage(kKeys, kCommands, PageTextsLoaded{LoadTexts}, PageShow{Show},
                                    PageOtherCommand{ChooseSwatch}, PageDestroy{FreeSwatches});

} // namespace

INT_PTR CALLBACK ColoursPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
