// Competition reception options page (page 14): the kind of text, the
// starting speed, the pause between texts and the control-text file of a
// run; Next hands them to the run page.
#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "app/win/PageSkeleton.h"
#include "app/win/Pages.h"
#include "texts/ControlTextFile.h"

#include <string>

namespace {

const int kCaption = 1004, kBack = 1014, kNext = 1067, kBrowse = 1133, kPath = 1069;
const int kKindList = 1036, kSpeedList = 1043, kIntervalList = 1072;

const int kDefaultSpeedItem = 9;    // 100 characters per minute
const int kDefaultIntervalItem = 6; // 60 seconds

// The control-text file is written by the run: Browse asks the save question.
const FileField kFile{kPath, kBrowse, nullptr, nullptr, false};

const PageText kTexts[] = {
    {1070, "PSIO_01", "Соревнования по приему"},
    {kBack, "PSIO_02", "<< Назад"},
    {kNext, "PSIO_03", "Далее >>"},
    {1039, "PSIO_04", "Тип текста"},
    {1044, "PSIO_08", "Начальная скорость, з/м"},
    {1071, "PSIO_09", "Интервал, с"},
    {1073, "PSIO_11", "Файл с контрольными текстами"},
};

// A language change resets every field to its default.
const PageListItem kKinds[] = {{"PSIO_05", "Буквы"}, {"PSIO_06", "Цифры"}, {"PSIO_07", "Смешанный"}};
const PageList kLists[] = {
    TextList(kKindList, kKinds, 0, false),
    NumberList(kSpeedList, 10, 1000, 10, kDefaultSpeedItem, false),
    NumberList(kIntervalList, 0, 600, 10, kDefaultIntervalItem, false),
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

void ShowDefaultFile(HWND page, Application&) {
    SetFileField(page, kFile, UserFilePath(DefaultFileName(ComboGetSelection(page, kKindList))));
}

void OnShown(HWND page, Application& app) {
    ShowCaption(page, kCaption, app, app.records.Title().c_str());
}

void Browse(HWND page, Application& app) {
    BrowseFileField(page, app, kFile);
}

void Next(HWND page, Application& app) {
    const std::string path = FileFieldPath(page, kFile);
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

void OnInit(HWND page, Application&) {
    InitFileField(page, kFile);
}

const PageKey kKeys[] = {{KEY_ENTER, {kNext}}, {KEY_ESC, {kBack}}};

const PageCommand kCommands[] = {
    {kKindList, ShowDefaultFile, kNoPage, CBN_SELCHANGE},
    {kBrowse, Browse},
    {kNext, Next},
    {kBack, nullptr, PAGE_COMPETITIONS_MENU},
};

const PageDescription kPage = DescribePage(kTexts, kLists, kKeys, kCommands, PageInit{OnInit},
                                    PageTextsLoaded{ShowDefaultFile}, PageShow{OnShown});

} // namespace

INT_PTR CALLBACK CompetitionOptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}
