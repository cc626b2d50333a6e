// The page skeleton on its own: a page made only of tables, on the player's
// dialog template, driven with the operator's messages.
#include "PageHarness.h"

#include "app/win/PageSkeleton.h"
#include "config/win/OpenFileDialog.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

using namespace harness;

namespace {

const int kBack = 1014, kStop = 1247, kStart = 1174, kPath = 1101, kBrowse = 1102;
const int kKindList = 1106, kSpeedList = 1108, kIntervalList = 1111, kRecorded = 1109, kTitle = 1070;
const int kTextBox = 1027, kList = 1104, kPrevious = 1112, kPathLabel = 1100;

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

void Clicked(HWND, Application&) {
    Log().push_back("clicked");
}
void Stepped(HWND, Application&, int key) {
    Log().push_back("step " + std::to_string(KeyStep(key)));
}
void Shown(HWND, Application&) {
    Log().push_back("shown");
}
void Hidden(HWND, Application&) {
    Log().push_back("hidden");
}
BOOL Other(HWND, Application&, int control, int code) {
    Log().push_back("other " + std::to_string(control) + " " + std::to_string(code));
    return TRUE;
}
PageSize KeptSize(Application& app) {
    return {&app.playerPage.clientWidth, &app.playerPage.clientHeight};
}

const FileField kFile{kPath, kBrowse, "Text\0*.txt\0", "txt", true};
void Browse(HWND page, Application& app) {
    Log().push_back(BrowseFileField(page, app, kFile) ? "chosen" : "cancelled");
}

const PageText kTexts[] = {{kPathLabel, "SKEL_01", "Заголовок"}};
const PageListItem kKinds[] = {{"SKEL_02", "Первый"}, {"SKEL_03", "Второй"}, {"SKEL_04", "Третий"}};
const PageList kLists[] = {
    TextList(kKindList, kKinds, 1, true),
    NumberList(kSpeedList, 10, 50, 20, 0, false),
    NumberList(kIntervalList, 0, 30, 10, 2, true),
};
const PageKey kKeys[] = {
    {KEY_ENTER, {kStart, kStop, kBack}},
    {KEY_PAGE_UP, {}, Stepped},
    {KEY_PAGE_DOWN, {}, Stepped},
};
const PageCommand kCommands[] = {
    {kStart, Clicked},
    {kStop, Clicked},
    {kBack, nullptr, PAGE_MAIN_MENU},
    {kKindList, Clicked, kNoPage, CBN_SELCHANGE},
    {kBrowse, Browse},
};
const PageAnchor kAnchors[] = {
    {kTitle, kFollowWidth}, {kTextBox, kFollowBoth}, {kStart, kFollowBottomRight}, {kBack, kFollowBottomLeft},
    {kList, kFollowHeight}, {1285, kFollowTopRight}, {kPrevious, kAnchorTop},
};
const PageDescription kDescribed =
    DescribePage(kAnchors, kCommands, kKeys, kLists, kTexts, PageKeptSize{KeptSize}, PageShow{Shown},
                 PageHide{Hidden}, PageOtherCommand{Other});

INT_PTR CALLBACK SkeletonPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kDescribed, page, message, wParam, lParam);
}

struct SkeletonPage : PageUnderTest {
    SkeletonPage() : PageUnderTest(IDD_PLAYER, SkeletonPageProc) { Log().clear(); }
    std::string Item(int list) {
        char text[64] = "";
        const LRESULT item = SendDlgItemMessageA(page, list, CB_GETCURSEL, 0, 0);
        SendDlgItemMessageA(page, list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

// Each key presses the first enabled button of its chain; an action key
// gets its step; a key the page does not bind is not handled.
TEST(PageSkeleton, KeysPressTheFirstEnabledButtonOrTheirAction) {
    struct Case {
        int key;
        bool startOn, stopOn, backOn;
        LRESULT handled;
        std::vector<std::string> log;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {KEY_ENTER, true, true, true, TRUE, {"clicked"}, {}},
        {KEY_ENTER, false, true, true, TRUE, {"clicked"}, {}},
        {KEY_ENTER, false, false, true, TRUE, {}, {PAGE_MAIN_MENU}},
        {KEY_ENTER, false, false, false, TRUE, {}, {}},
        {KEY_PAGE_UP, true, true, true, TRUE, {"step 1"}, {}},
        {KEY_PAGE_DOWN, true, true, true, TRUE, {"step -1"}, {}},
        {KEY_ESC, true, true, true, FALSE, {}, {}},
        {KEY_INSERT, true, true, true, FALSE, {}, {}},
    };
    for (const Case& c : cases) {
        SkeletonPage p;
        EnableControl(p.page, kStart, c.startOn);
        EnableControl(p.page, kStop, c.stopOn);
        EnableControl(p.page, kBack, c.backOn);
        EXPECT_EQ(SkeletonPageProc(p.page, PM_KEY, 0, c.key), c.handled)
            << c.key; // the procedure's own answer
        EXPECT_EQ(Log(), c.log) << c.key << c.startOn << c.stopOn;
        EXPECT_EQ(PageRequests(), c.pages) << c.key << c.startOn << c.stopOn;
    }
}

// A row acts only on its notification; a control without a row goes to the
// page's own hook.
TEST(PageSkeleton, CommandsActOnTheirNotificationAndTheRestGoesToThePage) {
    SkeletonPage p;
    p.Command(kKindList, CBN_DROPDOWN);
    EXPECT_TRUE(Log().empty());
    p.Command(kKindList, CBN_SELCHANGE);
    p.Command(kRecorded, BN_CLICKED);
    EXPECT_EQ(Log(), (std::vector<std::string>{"clicked", "other 1109 0"}));
    p.Command(kBack);
    EXPECT_EQ(PageRequests(), std::vector<int>{PAGE_MAIN_MENU});
}

// A language change refills every list: a kept choice survives, another
// starts again at its first selection; numbers run first..last by step.
TEST(PageSkeleton, ListsKeepOrResetTheirChoiceOverALanguageChange) {
    SkeletonPage p;
    EXPECT_EQ(p.Text(kPathLabel), "Заголовок");
    EXPECT_EQ(p.Item(kKindList), "Второй");
    EXPECT_EQ(SendDlgItemMessageA(p.page, kSpeedList, CB_GETCOUNT, 0, 0), 3); // 10, 30, 50
    EXPECT_EQ(p.Item(kIntervalList), "20");
    ComboSetSelection(p.page, kKindList, 2);
    ComboSetSelection(p.page, kSpeedList, 2);
    ComboSetSelection(p.page, kIntervalList, 3);
    SendMessageA(p.page, PM_LOAD_TEXTS, 0, 0);
    EXPECT_EQ(p.Item(kKindList), "Третий");
    EXPECT_EQ(p.Item(kSpeedList), "10");
    EXPECT_EQ(p.Item(kIntervalList), "30");
    EXPECT_EQ(SendDlgItemMessageA(p.page, kKindList, CB_GETCOUNT, 0, 0), 3);
}

// Show and hide answer the page switch only, not a parent's status change.
TEST(PageSkeleton, ShowAndHideFollowThePageSwitchOnly) {
    SkeletonPage p;
    SendMessageA(p.page, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    SendMessageA(p.page, WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
    EXPECT_TRUE(Log().empty());
    p.Show();
    p.Hide();
    EXPECT_EQ(Log(), (std::vector<std::string>{"shown", "hidden"}));
}

// Each edge a control is anchored to keeps its distance to that edge of the
// page; the page's kept size follows.
TEST(PageSkeleton, AnchorsKeepTheChosenEdgesAndTheSizeIsKept) {
    SkeletonPage p;
    p.Resize(800, 500);
    struct Case {
        int control;
        int left, top, right, bottom; // movement of each side for +100, +60
    };
    const Case cases[] =
        {
            {kTitle, 0, 0, 100, 0},    {kTextBox, 0, 0, 100, 60}, {kStart, 100, 60, 100, 60},
            {kBack, 0, 60, 0, 60},     {kList, 0, 0, 0, 60},      {1285, 100, 0, 100, 0},
            {kPrevious, 50, 0, 50, 0}, // neither left nor right: keeps its place in proportion
        };
    std::vector<RECT> before;
    for (const Case& c : cases)
        before.push_back(p.Rect(c.control));
    p.Resize(900, 560);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const RECT after = p.Rect(c.control);
        EXPECT_EQ(after.left - before[i].left, c.left) << c.control;
        EXPECT_EQ(after.top - before[i].top, c.top) << c.control;
        EXPECT_EQ(after.right - before[i].right, c.right) << c.control;
        EXPECT_EQ(after.bottom - before[i].bottom, c.bottom) << c.control;
    }
    EXPECT_EQ(p.app->playerPage.clientWidth, 900);
    EXPECT_EQ(p.app->playerPage.clientHeight, 560);
}

std::string& OpenAnswer() {
    static std::string answer;
    return answer;
}
std::string& OpenProposed() {
    static std::string proposed;
    return proposed;
}
bool AnswerOpen(OPENFILENAMEA* request) {
    OpenProposed() = request->lpstrFile;
    if (OpenAnswer().empty())
        return false;
    std::strcpy(request->lpstrFile, OpenAnswer().c_str());
    return true;
}

// Browse proposes the field's file and writes back only a choice made.
TEST(PageSkeleton, BrowseProposesTheFieldAndKeepsItOnCancel) {
    const OpenFileNameHook previous = SetOpenFileNameHook(AnswerOpen);
    SkeletonPage p;
    InitFileField(p.page, kFile);
    EXPECT_EQ(SendDlgItemMessageA(p.page, kPath, EM_GETLIMITTEXT, 0, 0), kMaxFieldPath);
    p.SetText(kPath, "C:\\runs\\Letters.txt");
    OpenAnswer().clear();
    p.Command(kBrowse);
    EXPECT_EQ(OpenProposed(), "C:\\runs\\Letters.txt");
    EXPECT_EQ(p.Text(kPath), "C:\\runs\\Letters.txt");
    OpenAnswer() = "D:\\other\\Mixed.txt";
    p.Command(kBrowse);
    EXPECT_EQ(p.Text(kPath), "D:\\other\\Mixed.txt");
    std::vector<std::string> browsed; // the field's own edit notices aside
    for (const std::string& entry : Log())
        if (entry.rfind("other", 0) != 0)
            browsed.push_back(entry);
    EXPECT_EQ(browsed, (std::vector<std::string>{"cancelled", "chosen"}));
    SetOpenFileNameHook(previous);
}

} // namespace
