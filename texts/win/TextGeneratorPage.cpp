// Text generator page (page 4): shows the text a number, kind, series and
// length name, and saves consecutive texts into a text file.
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/Pages.h"
#include "config/win/LanguageWin.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGeneratorFields.h"

#include <commctrl.h>

#include <string>

namespace {

const int kCaption = 1070, kTextBox = 1027;
const int kNumber = 1031, kNumberSpin = 1035;
const int kGroups = 1033, kGroupsSpin = 1042;
const int kCount = 1058, kCountSpin = 1059;
const int kKindList = 1036, kSeriesList = 1037;
const int kRefresh = 1032, kBack = 1014, kPrint = 1010, kSave = 1028;

// Values a fresh page starts with.
const int32_t kInitialNumber = 1, kInitialGroups = 20, kInitialCount = 1;

const PageText kTexts[] = {
    {1038, "PP_01", "Номер текста"}, {1039, "PP_02", "Тип текста"},        {1040, "PP_03", "Вид"},
    {kRefresh, "PP_04", "Обновить"}, {kSave, "PP_05", "Сохранить"},        {kBack, "PP_06", "<< Назад"},
    {1041, "PP_07", "Длинна"},       {kCaption, "PP_13", "Печать текста"}, {1057, "PP_14", "Количество"},
    {kPrint, "PP_15", "Печать"},
};

void ShowValue(HWND page, int control, int32_t value) {
    SetDlgItemInt(page, control, static_cast<UINT>(value), FALSE);
}

// Reads a field by the page's rule and writes back the value used.
int32_t ReadField(HWND page, int control, int32_t maximum) {
    char text[64];
    GetDlgItemTextA(page, control, text, sizeof text);
    const int32_t value = ReadFieldValue(text, maximum);
    ShowValue(page, control, value);
    return value;
}

TextFields ReadFields(HWND page) {
    TextFields f;
    f.number = ReadField(page, kNumber, kTextNumberLimit);
    const int kind = ComboGetSelection(page, kKindList);
    f.kind = kind >= 0 ? kind : 0;
    f.series = ComboGetSelection(page, kSeriesList) == 1 ? 1 : 0;
    f.groups = ReadField(page, kGroups, kGroupsLimit);
    return f;
}

// Shows the text the fields name and returns it with them.
std::string Regenerate(HWND page, TextFields* fields = nullptr) {
    const TextFields f = ReadFields(page);
    const std::string text = TextOfFields(f);
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXT, reinterpret_cast<WPARAM>(text.c_str()), 0);
    if (fields)
        *fields = f;
    return text;
}

void StepNumber(HWND page, int control, int32_t maximum, int64_t delta) {
    ShowValue(page, control, StepFieldValue(ReadField(page, control, maximum), delta, maximum));
    Regenerate(page);
}

void LoadTexts(HWND page, Application& app) {
    LoadPageTexts(page, app, kTexts);
    const std::string language = app.CurrentLanguage();
    ComboClear(page, kKindList);
    AddLangComboString(page, kKindList, app, language, "PP_08", "Буквы");
    AddLangComboString(page, kKindList, app, language, "PP_09", "Цифры");
    AddLangComboString(page, kKindList, app, language, "PP_10", "Смешанный");
    ComboSetSelection(page, kKindList, 0);
    ComboClear(page, kSeriesList);
    AddLangComboString(page, kSeriesList, app, language, "PP_11", "Тренировка");
    AddLangComboString(page, kSeriesList, app, language, "PP_12", "Соревнования");
    ComboSetSelection(page, kSeriesList, 0);
}

void OnShown(HWND page, Application& app) {
    SendDlgItemMessageA(page, kTextBox, ATB_SETTEXTCOLOR, 0, app.GetTextBoxTColor());
    SendDlgItemMessageA(page, kTextBox, ATB_SETHIGHLIGHTCOLOR, 0, app.GetTextBoxHColor());
    SendDlgItemMessageA(page, kTextBox, ATB_SETMARKCOLOR, 0, app.GetTextBoxMTColor());
    SendDlgItemMessageA(page, kTextBox, ATB_SETMARKHIGHLIGHTCOLOR, 0, app.GetTextBoxMHColor());
    SendDlgItemMessageA(page, kTextBox, ATB_SETBKCOLOR, 0, app.GetTextBoxBColor());
    SendDlgItemMessageA(page, kTextBox, ATB_SETCOLUMNS, 0, app.GetTextBoxWidth());
    SendDlgItemMessageA(page, kTextBox, ATB_SETROWS, 0, app.GetTextBoxHeight());
    SendDlgItemMessageA(page, kCaption, ATL_SETCOLOR, 0, app.GetCaptionColor());
    Regenerate(page);
}

void Save(HWND page, Application& app) {
    TextFields fields;
    Regenerate(page, &fields);
    const std::string suggested = SuggestedFileName(fields);
    std::string path;
    if (!ShowSaveFileDialog(app.mainWindow, UserFilePath(suggested), suggested, "txt", path))
        return;
    const int count = ReadField(page, kCount, kSaveCountLimit);
    if (FileExists(path) && !AskYesNo(app.mainWindow, app.FileExistsText()))
        return;
    const SaveOutcome out = SaveConsecutiveTexts(path, fields, count, app.GetTextBoxWidth());
    // The field shows the first number not saved, and the page its text.
    ShowValue(page, kNumber, out.nextNumber);
    Regenerate(page);
    if (!out.ok)
        ShowWarning(app.mainWindow,
                    app.LangText(app.CurrentLanguage(), "Can'tSave", "Ошибка при сохранении текста"));
}

void OnSize(HWND page, Application& app, int width, int height) {
    const SIZE from{app.textGeneratorWidth, app.textGeneratorHeight};
    const SIZE to{width, height};
    AnchorControl(page, kCaption, from, to, true, true, true, false, TRUE);
    AnchorControl(page, kTextBox, from, to, true, true, true, true, TRUE);
    AnchorControl(page, kBack, from, to, true, false, false, true, TRUE);
    AnchorControl(page, kSave, from, to, false, false, true, true, TRUE);
    InvalidateChildren(page);
    AnchorControl(page, kPrint, from, to, false, false, true, true, TRUE);
    app.textGeneratorWidth = width;
    app.textGeneratorHeight = height;
}

void OnInit(HWND page, Application& app) {
    SetSpinRange(page, kNumberSpin, 1, kTextNumberLimit);
    SetSpinRange(page, kGroupsSpin, 1, kGroupsLimit);
    SetSpinRange(page, kCountSpin, 1, kSaveCountLimit);
    ShowValue(page, kNumber, kInitialNumber);
    ShowValue(page, kGroups, kInitialGroups);
    ShowValue(page, kCount, kInitialCount);
    RECT client;
    GetClientRect(page, &client);
    app.textGeneratorWidth = client.right;
    app.textGeneratorHeight = client.bottom;
}

BOOL OnNotify(HWND page, const NMHDR& header, LPARAM lParam) {
    if (header.code != UDN_DELTAPOS)
        return FALSE;
    const NMUPDOWN& change = *reinterpret_cast<const NMUPDOWN*>(lParam);
    if (header.idFrom == kNumberSpin)
        StepNumber(page, kNumber, kTextNumberLimit, change.iDelta);
    else if (header.idFrom == kGroupsSpin)
        StepNumber(page, kGroups, kGroupsLimit, change.iDelta);
    else
        return FALSE;
    return TRUE;
}

BOOL OnCommand(HWND page, Application& app, int control, int code) {
    switch (control) {
    case kKindList:
    case kSeriesList:
        if (code != CBN_SELCHANGE)
            return FALSE;
        Regenerate(page);
        return TRUE;
    case kRefresh:
        Regenerate(page);
        return TRUE;
    case kBack:
        GoToPage(page, PAGE_MAIN_MENU, false);
        return TRUE;
    case kPrint:
        ShowWarning(page, app.PrinterErrorText());
        return TRUE;
    case kSave:
        Save(page, app);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK TextGeneratorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (Application* app = AttachApplication(page, lParam))
            OnInit(page, *app);
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
    case WM_SIZE:
        OnSize(page, *app, LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(page, *reinterpret_cast<const NMHDR*>(lParam), lParam);
    case PM_KEY:
        switch (lParam & 0xFF) {
        case KEY_ENTER:
            ClickControl(page, kRefresh);
            return TRUE;
        case KEY_PAGE_UP:
            StepNumber(page, kNumber, kTextNumberLimit, 1);
            return TRUE;
        case KEY_PAGE_DOWN:
            StepNumber(page, kNumber, kTextNumberLimit, -1);
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
