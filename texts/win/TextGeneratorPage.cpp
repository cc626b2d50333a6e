// Text generator page (page 4): shows the text a number, kind, series and
// length name, and saves consecutive texts into a text file.
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "texts/ControlTextFile.h"
#include "texts/TextGeneratorFields.h"
#include "config/TextCatalogue.h"

#include <commctrl.h>

#include <string>

namespace {

const CatalogueText kSaveError{"Can'tSave", "Ошибка при сохранении текста"};
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

void OnShown(HWND page, Application& app) {
    ApplyTextBoxLook(page, kTextBox, app);
    ShowCaption(page, kCaption, app);
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
                    Lang(app, kSaveError));
}

void OnInit(HWND page, Application&) {
    SetSpinRange(page, kNumberSpin, 1, kTextNumberLimit);
    SetSpinRange(page, kGroupsSpin, 1, kGroupsLimit);
    SetSpinRange(page, kCountSpin, 1, kSaveCountLimit);
    ShowValue(page, kNumber, kInitialNumber);
    ShowValue(page, kGroups, kInitialGroups);
    ShowValue(page, kCount, kInitialCount);
}

BOOL OnNotify(HWND page, Application&, const NMHDR& header, LPARAM lParam) {
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

void Refresh(HWND page, Application&) {
    Regenerate(page);
}

void Print(HWND page, Application& app) {
    ShowWarning(page, app.PrinterErrorText());
}

void StepNumberKey(HWND page, Application&, int key) {
    StepNumber(page, kNumber, kTextNumberLimit, KeyStep(key));
}

const PageListItem kKinds[] = {{"PP_08", "Буквы"}, {"PP_09", "Цифры"}, {"PP_10", "Смешанный"}};
const PageListItem kSeries[] = {{"PP_11", "Тренировка"}, {"PP_12", "Соревнования"}};
const PageList kLists[] = {TextList(kKindList, kKinds, 0, false), TextList(kSeriesList, kSeries, 0, false)};

const PageKey kKeys[] = {
    {KEY_ENTER, {kRefresh}},
    {KEY_ESC, {kBack}},
    {KEY_PAGE_UP, {}, StepNumberKey},
    {KEY_PAGE_DOWN, {}, StepNumberKey},
};

const PageCommand kCommands[] = {
    {kKindList, Refresh, kNoPage, CBN_SELCHANGE},
    {kSeriesList, Refresh, kNoPage, CBN_SELCHANGE},
    {kRefresh, Refresh},
    {kBack, nullptr, PAGE_MAIN_MENU},
    {kPrint, Print},
    {kSave, Save},
};

const PageAnchor kAnchors[] = {
    {kCaption, kFollowWidth},    {kTextBox, kFollowBoth},      {kBack, kFollowBottomLeft},
    {kSave, kFollowBottomRight}, {kPrint, kFollowBottomRight},
};

PageSize KeptSize(Application& app) {
    return {&app.textGeneratorWidth, &app.textGeneratorHeight};
}

const PageDescription kPage = DescribePage(kTexts, kLists, kKeys, kCommands, kAnchors, PageKeptSize{KeptSize},
                                    PageInit{OnInit}, PageShow{OnShown}, PageNotify{OnNotify});

} // namespace

INT_PTR CALLBACK TextGeneratorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
