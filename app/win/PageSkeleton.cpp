#include "app/win/PageSkeleton.h"
#include "app/win/WideText.h"

#include "app/UserFiles.h"
#include "app/win/Application.h"
#include "app/win/DialogHelpers.h"
#include "config/win/LanguageWin.h"
#include "config/win/OpenFileDialog.h"
#include "config/win/SaveFileDialog.h"
#include "controls/ControlMessages.h"
#include "sound/MorsePlayerApi.h"

namespace {

void Send(HWND page, int control, UINT message, WPARAM wParam, LPARAM lParam) {
    SendDlgItemMessageA(page, control, message, wParam, lParam);
}

template <typename Row> const PageRows<Row>& Rows(const PageDescription& described) {
    return described.Get<PageRows<Row>>();
}
// The page's function of that hook, or null.
template <typename Hook> auto Hooked(const PageDescription& described) {
    return described.Get<Hook>().call;
}

BOOL OnKey(const PageDescription& described, HWND page, Application& app, int key) {
    const PageRows<PageKey>& keys = Rows<PageKey>(described);
    for (size_t i = 0; i < keys.count; ++i) {
        const PageKey& k = keys.rows[i];
        if (k.key != key)
            continue;
        if (k.action)
            k.action(page, app, key);
        for (int button : k.buttons)
            if (button == 0 || ClickControl(page, button))
                break;
        return TRUE;
    }
    return FALSE;
}

BOOL OnCommand(const PageDescription& described, HWND page, Application& app, int control, int code) {
    const PageRows<PageCommand>& commands = Rows<PageCommand>(described);
    for (size_t i = 0; i < commands.count; ++i) {
        const PageCommand& c = commands.rows[i];
        if (c.control != control)
            continue;
        if (c.notification != kAnyNotification && c.notification != code)
            return TRUE;
        if (c.action)
            c.action(page, app);
        if (c.goTo != kNoPage)
            GoToPage(page, c.goTo, false);
        return TRUE;
    }
    const auto other = Hooked<PageOtherCommand>(described);
    return other ? other(page, app, control, code) : FALSE;
}

void OnLoadTexts(const PageDescription& described, HWND page, Application& app) {
    const PageRows<PageText>& texts = Rows<PageText>(described);
    LoadPageTexts(page, app, texts.rows, texts.count);
    const PageRows<PageList>& lists = Rows<PageList>(described);
    for (size_t i = 0; i < lists.count; ++i)
        FillPageList(page, app, lists.rows[i]);
    if (const auto loaded = Hooked<PageTextsLoaded>(described))
        loaded(page, app);
}

void KeepClientSize(const PageDescription& described, Application& app, int width, int height) {
    if (const auto where = Hooked<PageKeptSize>(described)) {
        *where(app).width = width;
        *where(app).height = height;
    }
}

void OnSize(const PageDescription& described, HWND page, Application& app, int width, int height) {
    const auto where = Hooked<PageKeptSize>(described);
    if (!where)
        return;
    const PageSize kept = where(app);
    const PageRows<PageAnchor>& anchors = Rows<PageAnchor>(described);
    AnchorControls(page, anchors.rows, anchors.count, SIZE{*kept.width, *kept.height}, SIZE{width, height});
    if (const auto layout = Hooked<PageLayout>(described))
        layout(page, app, width, height);
    KeepClientSize(described, app, width, height);
    InvalidateChildren(page);
}

} // namespace

int KeyStep(int key) {
    return key == KEY_PAGE_UP ? 1 : key == KEY_PAGE_DOWN ? -1 : 0;
}

void AnchorControls(HWND page, const PageAnchor* anchors, size_t count, SIZE from, SIZE to) {
    for (size_t i = 0; i < count; ++i) {
        const unsigned e = anchors[i].edges;
        AnchorControl(page, anchors[i].control, from, to, e & kAnchorLeft, e & kAnchorTop, e & kAnchorRight,
                      e & kAnchorBottom, TRUE);
    }
}

void FillPageList(HWND page, Application& app, const PageList& list) {
    const int chosen = list.keep ? ComboGetSelection(page, list.control) : -1;
    ComboClear(page, list.control);
    if (list.items) {
        const std::string language = app.CurrentLanguage();
        for (size_t i = 0; i < list.count; ++i)
            AddLangComboString(page, list.control, app, language, list.items[i].key, list.items[i].builtIn);
    } else {
        for (int n = list.first; n <= list.last; n += list.step)
            Send(page, list.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(n).c_str()));
    }
    ComboSetSelection(page, list.control, chosen >= 0 ? chosen : list.initial);
}

INT_PTR RunPage(const PageDescription& described, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (Application* app = AttachApplication(page, lParam)) {
            RECT client;
            GetClientRect(page, &client);
            KeepClientSize(described, *app, client.right, client.bottom);
            if (const auto init = Hooked<PageInit>(described))
                init(page, *app);
        }
        return TRUE;
    }
    if (message == WM_DESTROY) {
        if (const auto destroy = Hooked<PageDestroy>(described))
            destroy(page);
        return FALSE;
    }
    Application* app = AppFromWindow(page);
    if (message == WM_DRAWITEM && app)
        if (const auto draw = Hooked<PageDrawItem>(described);
            draw && draw(page, *app, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
    if (IsCommonDrawMessage(message))
        return CommonDrawHandler(page, message, wParam, lParam);
    if (!app)
        return FALSE;
    switch (message) {
    case PM_LOAD_TEXTS:
        OnLoadTexts(described, page, *app);
        return TRUE;
    case PM_CLOSING:
        return TRUE;
    case WM_SHOWWINDOW:
        // Only the page switch's own ShowWindow counts (status 0): the main
        // window being minimised or restored must not end a run or a test.
        if (const auto shown = wParam ? Hooked<PageShow>(described) : Hooked<PageHide>(described);
            shown && lParam == 0)
            shown(page, *app);
        return FALSE;
    case WM_SIZE:
        OnSize(described, page, *app, LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_TIMER: {
        const auto timer = Hooked<PageTimer>(described);
        return timer ? timer(page, *app, wParam) : FALSE;
    }
    case WM_NOTIFY: {
        const auto notify = Hooked<PageNotify>(described);
        return notify ? notify(page, *app, *reinterpret_cast<const NMHDR*>(lParam), lParam) : FALSE;
    }
    case PM_KEY:
        return OnKey(described, page, *app, static_cast<int>(lParam));
    case WM_COMMAND:
        return OnCommand(described, page, *app, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

void ShowCaption(HWND page, int caption, Application& app, const char* text) {
    Send(page, caption, ATL_SETCOLOR, 0, static_cast<LPARAM>(app.GetCaptionColor()));
    if (text)
        Send(page, caption, ATL_SETTEXTTRIM, 0, reinterpret_cast<LPARAM>(text));
}

void ApplyTextBoxLook(HWND page, int textBox, Application& app) {
    Send(page, textBox, ATB_SETTEXTCOLOR, 0, app.GetTextBoxTColor());
    Send(page, textBox, ATB_SETHIGHLIGHTCOLOR, 0, app.GetTextBoxHColor());
    Send(page, textBox, ATB_SETMARKCOLOR, 0, app.GetTextBoxMTColor());
    Send(page, textBox, ATB_SETMARKHIGHLIGHTCOLOR, 0, app.GetTextBoxMHColor());
    Send(page, textBox, ATB_SETMARK2COLOR, 0, app.GetTextBoxMT2Color());
    Send(page, textBox, ATB_SETMARK2HIGHLIGHTCOLOR, 0, app.GetTextBoxMH2Color());
    Send(page, textBox, ATB_SETBKCOLOR, 0, app.GetTextBoxBColor());
    Send(page, textBox, ATB_SETCOLUMNS, 0, app.GetTextBoxWidth());
    Send(page, textBox, ATB_SETROWS, 0, app.GetTextBoxHeight());
}

void ApplyClockLook(HWND page, int clock, Application& app, ClockLook look) {
    switch (look) {
    case ClockLook::Total:
        Send(page, clock, ATM_SETTEXTCOLOR, 0, app.GetFTimerTColor());
        Send(page, clock, ATM_SETBKCOLOR, 0, app.GetFTimerBColor());
        break;
    case ClockLook::Part:
        Send(page, clock, ATM_SETTEXTCOLOR, 0, app.GetSTimerTColor());
        Send(page, clock, ATM_SETBKCOLOR, 0, app.GetSTimerBColor());
        break;
    case ClockLook::Speed:
        Send(page, clock, ATM_SETTEXTCOLOR, 0, app.GetSpeedTColor());
        Send(page, clock, ATM_SETBKCOLOR, 0, app.GetSpeedBColor());
        break;
    }
}

bool OpenPagePlayer(HWND page, Application& app, std::unique_ptr<IMorsePlayer>& player, int failPage) {
    player.reset();
    player = CreateConfiguredPlayer(page, app);
    if (player && !player->failed())
        return true;
    player.reset();
    ShowWarning(page, app.SoundCardErrorText());
    GoToPage(page, failPage, true);
    return false;
}

void InitFileField(HWND page, const FileField& field) {
    Send(page, field.path, EM_LIMITTEXT, kMaxFieldPath, 0);
}

std::string FileFieldPath(HWND page, const FileField& field) {
    return UserFilePath(ReadItemFileName(page, field.path));
}

void SetFileField(HWND page, const FileField& field, const std::string& path) {
    SetItemFileName(page, field.path, path);
}

bool BrowseFileField(HWND page, Application& app, const FileField& field) {
    std::string path = FileFieldPath(page, field);
    const bool chosen =
        field.filter ? AskOpenFileName(app.mainWindow, field.filter, field.extension, field.mustExist, path)
                     : AskSaveFileName(app, path);
    if (chosen)
        SetFileField(page, field, path);
    return chosen;
}
