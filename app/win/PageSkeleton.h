// The one skeleton of the working pages. A page describes itself with its
// tables and the hooks it needs, in any order, and writes only what is its
// own:
//
//   const PageText kTexts[] = {...};       // control -> text key, set on PM_LOAD_TEXTS
//   const PageList kLists[] = {...};       // drop-down lists of language texts or numbers
//   const PageKey kKeys[] = {...};         // Enter, Esc, Page Up/Down, Insert: buttons or an action
//   const PageCommand kCommands[] = {...}; // a control's action and/or the page it shows
//   const PageAnchor kAnchors[] = {...};   // how controls follow the window (with PageKeptSize)
//   const PageDescription kPage = DescribePage(kTexts, kKeys, kCommands, PageShow{Show}, PageTimer{Tick});
//   INT_PTR CALLBACK MyPageProc(HWND p, UINT m, WPARAM w, LPARAM l) { return RunPage(kPage, p, m, w, l); }
//
// The skeleton attaches the application object at creation, passes the
// drawing messages to the common handler, answers PM_CLOSING, and calls
// show and hide only for the page switch's own ShowWindow. What the tables
// do not cover goes to the page's hooks. Beside it: the common look
// (caption, text box, clocks), the player of a sending page, and the file
// field with its Browse button.
#pragma once

#include "app/win/Pages.h"
#include "config/TextCatalogue.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <tuple>

class IMorsePlayer;

class Application;

using PageAction = void (*)(HWND page, Application& app);

// One of the five keys: the buttons it presses, tried in turn until one is
// enabled (0 ends the list), or an action of the page's own.
struct PageKey {
    int key; // KEY_ENTER, KEY_ESC, KEY_PAGE_UP, KEY_PAGE_DOWN or KEY_INSERT
    int buttons[3];
    void (*action)(HWND page, Application& app, int key) = nullptr;
};
// +1 for Page Up, -1 for Page Down (and 0 for any other key).
int KeyStep(int key);

const int kNoPage = -1;
const int kAnyNotification = -1;

// What a control's WM_COMMAND does: the action, then the page to show.
struct PageCommand {
    int control;
    PageAction action;
    int goTo = kNoPage;
    int notification = kAnyNotification; // acts on this notification code only
};

// A drop-down list filled at every PM_LOAD_TEXTS: language texts, or the
// numbers first..last by step when `items` is null.
// (Registered texts, so a translator finds every item in the configuration.)
using PageListItem = CatalogueText;
struct PageList {
    int control;
    const PageListItem* items;
    size_t count;
    int first, last, step;
    int initial; // the selection of a fresh list
    bool keep;   // a selection made survives a language change
};
template <size_t N>
constexpr PageList TextList(int control, const PageListItem (&items)[N], int initial, bool keep) {
    return {control, items, N, 0, 0, 0, initial, keep};
}
constexpr PageList NumberList(int control, int first, int last, int step, int initial, bool keep) {
    return {control, nullptr, 0, first, last, step, initial, keep};
}

// The edges of the page a control keeps its distance to as the page grows.
enum : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kFollowWidth = kAnchorLeft | kAnchorTop | kAnchorRight,  // a caption
    kFollowTopRight = kAnchorTop | kAnchorRight,             // clocks
    kFollowBoth = kFollowWidth | kAnchorBottom,              // the text box
    kFollowBottomRight = kAnchorRight | kAnchorBottom,       // action buttons
    kFollowBottomLeft = kAnchorLeft | kAnchorBottom,         // Back
    kFollowHeight = kAnchorLeft | kAnchorTop | kAnchorBottom // a list at the left
};
struct PageAnchor {
    int control;
    unsigned edges;
};
// Moves every control of the table from the client size `from` to `to`.
void AnchorControls(HWND page, const PageAnchor* anchors, size_t count, SIZE from, SIZE to);
template <size_t N> void AnchorControls(HWND page, const PageAnchor (&anchors)[N], SIZE from, SIZE to) {
    AnchorControls(page, anchors, N, from, to);
}

// Where a page keeps its client size at the last layout.
struct PageSize {
    int* width;
    int* height;
};

template <typename Row> struct PageRows {
    const Row* rows = nullptr;
    size_t count = 0;
};
template <typename Function, int Kind> struct PageHook { Function call = nullptr; };
using PageInit = PageHook<PageAction, 0>;        // after the application object is attached
using PageTextsLoaded = PageHook<PageAction, 1>; // after the texts and lists of the tables
using PageShow = PageHook<PageAction, 2>;
using PageHide = PageHook<PageAction, 3>;
using PageKeptSize = PageHook<PageSize (*)(Application&), 4>; // needed by the anchors
// After the anchors, before the new size is kept.
using PageLayout = PageHook<void (*)(HWND page, Application& app, int width, int height), 5>;
using PageTimer = PageHook<BOOL (*)(HWND page, Application& app, UINT_PTR id), 6>;
using PageNotify = PageHook<BOOL (*)(HWND page, Application& app, const NMHDR& header, LPARAM lParam), 7>;
// For a control the command table does not name.
using PageOtherCommand = PageHook<BOOL (*)(HWND page, Application& app, int control, int code), 8>;
using PageDestroy = PageHook<void (*)(HWND page), 9>;
// An owner-drawn control of the page's own; FALSE leaves it to the common drawing.
using PageDrawItem = PageHook<BOOL (*)(HWND page, Application& app, const DRAWITEMSTRUCT& item), 10>;

struct PageDescription {
    std::tuple<PageRows<PageText>, PageRows<PageList>, PageRows<PageKey>, PageRows<PageCommand>,
               PageRows<PageAnchor>, PageInit, PageTextsLoaded, PageShow, PageHide, PageKeptSize, PageLayout,
               PageTimer, PageNotify, PageOtherCommand, PageDestroy, PageDrawItem>
        parts;
    template <typename Part> const Part& Get() const { return std::get<Part>(parts); }
};

template <typename Row, size_t N> void AddPagePart(PageDescription& described, const Row (&rows)[N]) {
    std::get<PageRows<Row>>(described.parts) = {rows, N};
}
template <typename Hook> void AddPagePart(PageDescription& described, const Hook& hook) {
    std::get<Hook>(described.parts) = hook;
}
template <typename... Parts> PageDescription DescribePage(const Parts&... parts) {
    PageDescription described;
    (AddPagePart(described, parts), ...);
    return described;
}

// The page procedure of every page described by a PageDescription.
INT_PTR RunPage(const PageDescription& described, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills a list of the table in the current language.
void FillPageList(HWND page, Application& app, const PageList& list);

// ---- the common look, in the display colours of the settings

// The caption in the caption colour; with `text`, also its text (trimmed).
void ShowCaption(HWND page, int caption, Application& app, const char* text = nullptr);
// The text box's colours and its rows and columns.
void ApplyTextBoxLook(HWND page, int textBox, Application& app);
enum class ClockLook {
    Total, // a clock that runs over a whole run or series
    Part,  // the clock of one text or pause
    Speed,
};
void ApplyClockLook(HWND page, int clock, Application& app, ClockLook look);

// ---- the player of a page that sends

// Gives `player` a new player made to the settings (the old one goes first).
// Without a working sound card: no player, the operator is told, the main
// window shows `failPage` after this message, and false.
bool OpenPagePlayer(HWND page, Application& app, std::unique_ptr<IMorsePlayer>& player, int failPage);

// ---- a file field: the path edit and its Browse button

struct FileField {
    int path;
    int browse;
    // The open dialog's filter and default extension; a null filter asks
    // with the text-file save question instead.
    const char* filter;
    const char* extension;
    bool mustExist;
};
const int kMaxFieldPath = 1023; // characters a path field holds
// Limits the field's length; every page does it at creation.
void InitFileField(HWND page, const FileField& field);
// The file the field names; a name without a folder is the user's.
std::string FileFieldPath(HWND page, const FileField& field);
void SetFileField(HWND page, const FileField& field, const std::string& path);
// Asks for a file, proposing the field's path; true with the choice in the
// field, false (field unchanged) on Cancel.
bool BrowseFileField(HWND page, Application& app, const FileField& field);
