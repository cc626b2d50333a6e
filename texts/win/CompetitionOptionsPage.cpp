// Competition reception options page (page 14): the kind of text, the
// starting speed, the pause between texts and the control-text file of a
// run; Next hands them to the run page.
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "texts/ControlTextFile.h"

#include <string>

namespace {

const int kCaption = 1004, kBack = 1014, kNext = 1067, kBrowse = 1133, kPath = 1069;
const int kKindList = 1036, kSpeedList = 1043, kIntervalList = 1072;

const int kDefaultSpeedItem = 9;    // 100 characters per minute
const int kDefaultIntervalItem = 6; // 60 seconds
// The path field holds at most this many characters.
const int kMaxPath = 1023;

const PageText kTexts[] = {
    {1070, "PSIO_01", "Соревнования по приему"},
    {kBack, "PSIO_02", "<< Назад"},
    {kNext, "PSIO_03", "Далее >>"},
    {1039, "PSIO_04", "Тип текста"},
    {1044, "PSIO_08", "Начальная скорость, з/м"},
    {1071, "PSIO_09", "Интервал, с"},
    {1073, "PSIO_11", "Файл с контрольными текстами"},
};

const char* DefaultFileName(int kind) {
    switch (kind) {
    case 1:
        return "Digits.txt";
    case 2:
        return "Mixed.txt";
    default:
        return "Letters.txt";
    }
}

// The file named in the field; a name without a folder is the user's.
std::string ReadPath(HWND page) {
    char path[kMaxPath + 1];
    GetDlgItemTextA(page, kPath, path, sizeof path);
    return UserFilePath(path);
}

void SetPath(HWND page, const std::string& path) {
    SetDlgItemTextA(page, kPath, path.c_str());
}

void FillNumbers(HWND page, int list, int first, int last, int step, int selected) {
    ComboClear(page, list);
    for (int n = first; n <= last; n += step)
        SendDlgItemMessageA(page, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(n).c_str()));
    ComboSetSelection(page, list, selected);
}

// A language change resets every field to its default.
void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    ComboClear(page, kKindList);
    AddLangComboString(page, kKindList, app, language, "PSIO_05", "Буквы");
    AddLangComboString(page, kKindList, app, language, "PSIO_06", "Цифры");
    AddLangComboString(page, kKindList, app, language, "PSIO_07", "Смешанный");
    ComboSetSelection(page, kKindList, 0);
    FillNumbers(page, kSpeedList, 10, 1000, 10, kDefaultSpeedItem);
    FillNumbers(page, kIntervalList, 0, 600, 10, kDefaultIntervalItem);
    SetPath(page, UserFilePath(DefaultFileName(0)));
}

void OnShown(HWND page, Application& app) {
    SendDlgItemMessageA(page, kCaption, ATL_SETCOLOR, 0, app.GetCaptionColor());
    SendDlgItemMessageA(page, kCaption, ATL_SETTEXTTRIM, 0,
                        reinterpret_cast<LPARAM>(app.records.Title().c_str()));
}

void Browse(HWND page, Application& app) {
    std::string path = ReadPath(page);
    if (AskSaveFileName(app, path))
        SetPath(page, path);
}

void Next(HWND page, Application& app) {
    const std::string path = ReadPath(page);
    if (FileExists(path) && !AskYesNo(page, app.FileExistsText()))
        return;
    const int kind = ComboGetSelection(page, kKindList);
    const int speedItem = ComboGetSelection(page, kSpeedList);
    const int intervalItem = ComboGetSelection(page, kIntervalList);
    CompetitionState& state = app.competition;
    // The lists always hold a selection; the defaults only guard a run
    // against a list emptied behind the page's back.
    state.textKind = kind >= 0 ? kind : 0;
    state.speed = (speedItem >= 0 ? speedItem : kDefaultSpeedItem) * 10 + 10;
    state.interval = (intervalItem >= 0 ? intervalItem : kDefaultIntervalItem) * 10;
    state.controlFile = path;
    // A failure shows as the run's write error at its first text.
    PrepareUserFilesFolder(path);
    GoToPage(page, PAGE_COMPETITION_RUN, false);
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    switch (control) {
    case kKindList:
        if (code != CBN_SELCHANGE)
            return FALSE;
        SetPath(page, UserFilePath(DefaultFileName(ComboGetSelection(page, kKindList))));
        return TRUE;
    case kBrowse:
        Browse(page, app);
        return TRUE;
    case kNext:
        Next(page, app);
        return TRUE;
    case kBack:
        GoToPage(page, PAGE_COMPETITIONS_MENU, false);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK CompetitionOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachApplication(page, lParam);
        SendDlgItemMessageA(page, kPath, EM_LIMITTEXT, kMaxPath, 0);
        return TRUE;
    }
    if (IsCommonDrawMessage(message))
        return CommonDrawHandler(page, message, wParam, lParam);
    Application* app = AppFromWindow(page);
    if (!app)
        return FALSE;
    switch (message) {
    case PM_LOAD_TEXTS:
        LoadTexts(page, *app);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam)
            OnShown(page, *app);
        return FALSE;
    case PM_KEY:
        switch (lParam & 0xFF) {
        case KEY_ENTER:
            ClickControl(page, kNext);
            return TRUE;
        case KEY_ESC:
            ClickControl(page, kBack);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        return OnCommand(page, *app, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
