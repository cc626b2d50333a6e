// The one skeleton of the working pages. A page describes itself in a
// PageSpec and writes only what is its own:
//
//   const PageSpec kPage = PageSpec()
//       .Texts(kTexts)          // control -> text key, loaded on PM_LOAD_TEXTS
//       .Lists(kLists)          // drop-down lists of language texts or numbers
//       .Keys(kKeys)            // Enter, Esc, Page Up/Down, Insert: buttons or an action
//       .Commands(kCommands)    // button -> action and/or page to show
//       .Anchors(kAnchors, Size) // how controls follow the window, and where the size is kept
//       .OnInit(Init).OnShow(Show).OnHide(Hide);
//   INT_PTR CALLBACK MyPageProc(HWND p, UINT m, WPARAM w, LPARAM l) { return RunPage(kPage, p, m, w, l); }
//
// The skeleton attaches the application object at creation, passes the
// drawing messages to the common handler, answers PM_CLOSING, and calls
// show and hide only for the page switch's own ShowWindow. Anything the
// tables do not cover goes to the page's hooks (timer, notify, command,
// layout, destroy). Beside it: the common look (caption, text box, clocks)
// and the file field with its Browse button.
#pragma once

#include "app/win/Pages.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

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
struct PageListItem {
    const char* key;
    const char* builtIn;
};
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

struct PageSpec {
    const PageText* texts = nullptr;
    size_t textCount = 0;
    const PageList* lists = nullptr;
    size_t listCount = 0;
    const PageKey* keys = nullptr;
    size_t keyCount = 0;
    const PageCommand* commands = nullptr;
    size_t commandCount = 0;
    const PageAnchor* anchors = nullptr;
    size_t anchorCount = 0;
    PageSize (*size)(Application&) = nullptr;

    PageAction init = nullptr;      // after the application object is attached
    PageAction loadTexts = nullptr; // after the texts and lists of the tables
    PageAction show = nullptr;
    PageAction hide = nullptr;
    // After the anchors, before the new size is kept.
    void (*layout)(HWND page, Application& app, int width, int height) = nullptr;
    BOOL (*timer)(HWND page, Application& app, UINT_PTR id) = nullptr;
    BOOL (*notify)(HWND page, Application& app, const NMHDR& header, LPARAM lParam) = nullptr;
    // For a control the command table does not name.
    BOOL (*command)(HWND page, Application& app, int control, int code) = nullptr;
    void (*destroy)(HWND page) = nullptr;

    template <size_t N> PageSpec Texts(const PageText (&t)[N]) const {
        PageSpec s = *this;
        s.texts = t;
        s.textCount = N;
        return s;
    }
    template <size_t N> PageSpec Lists(const PageList (&l)[N]) const {
        PageSpec s = *this;
        s.lists = l;
        s.listCount = N;
        return s;
    }
    template <size_t N> PageSpec Keys(const PageKey (&k)[N]) const {
        PageSpec s = *this;
        s.keys = k;
        s.keyCount = N;
        return s;
    }
    template <size_t N> PageSpec Commands(const PageCommand (&c)[N]) const {
        PageSpec s = *this;
        s.commands = c;
        s.commandCount = N;
        return s;
    }
    template <size_t N> PageSpec Anchors(const PageAnchor (&a)[N], PageSize (*where)(Application&)) const {
        PageSpec s = *this;
        s.anchors = a;
        s.anchorCount = N;
        s.size = where;
        return s;
    }
    PageSpec Sized(PageSize (*where)(Application&)) const {
        PageSpec s = *this;
        s.size = where;
        return s;
    }
    PageSpec OnInit(PageAction f) const {
        PageSpec s = *this;
        s.init = f;
        return s;
    }
    PageSpec OnLoadTexts(PageAction f) const {
        PageSpec s = *this;
        s.loadTexts = f;
        return s;
    }
    PageSpec OnShow(PageAction f) const {
        PageSpec s = *this;
        s.show = f;
        return s;
    }
    PageSpec OnHide(PageAction f) const {
        PageSpec s = *this;
        s.hide = f;
        return s;
    }
    PageSpec OnLayout(void (*f)(HWND, Application&, int, int)) const {
        PageSpec s = *this;
        s.layout = f;
        return s;
    }
    PageSpec OnTimer(BOOL (*f)(HWND, Application&, UINT_PTR)) const {
        PageSpec s = *this;
        s.timer = f;
        return s;
    }
    PageSpec OnNotify(BOOL (*f)(HWND, Application&, const NMHDR&, LPARAM)) const {
        PageSpec s = *this;
        s.notify = f;
        return s;
    }
    PageSpec OnCommand(BOOL (*f)(HWND, Application&, int, int)) const {
        PageSpec s = *this;
        s.command = f;
        return s;
    }
    PageSpec OnDestroy(void (*f)(HWND)) const {
        PageSpec s = *this;
        s.destroy = f;
        return s;
    }
};

// The page procedure of every page described by a PageSpec.
INT_PTR RunPage(const PageSpec& spec, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

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
