#include "ControlTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::Canvas;
using testsupport::Commands;
using testsupport::ParentWindow;

namespace {

std::string TextOf(HWND dialog, int id) {
    char buffer[64];
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

struct RecordedBox {
    std::string text;
    bool captionNull;
    UINT type;
};
RecordedBox lastBox;
int boxAnswer = IDOK;

int RecordingBox(HWND, const char* text, const char* caption, UINT type) {
    lastBox = {text, caption == nullptr, type};
    return boxAnswer;
}

} // namespace

TEST(DialogHelpers, NumberFieldsClampAndFallBack) {
    ParentWindow parent;
    parent.Child("EDIT", 10, 0, 0, 0, 80, 20);
    ShowClampedInt(parent.hwnd, 10, 1, 60, 75);
    EXPECT_EQ(TextOf(parent.hwnd, 10), "60");
    ShowClampedInt(parent.hwnd, 10, 0, 100, -3);
    EXPECT_EQ(TextOf(parent.hwnd, 10), "0");

    SetDlgItemTextA(parent.hwnd, 10, "120");
    EXPECT_EQ(ReadBoundedInt(parent.hwnd, 10, 1, 100, 50), 50);
    EXPECT_EQ(TextOf(parent.hwnd, 10), "50");
    SetDlgItemTextA(parent.hwnd, 10, "77");
    EXPECT_EQ(ReadBoundedInt(parent.hwnd, 10, 1, 100, 50), 77);
    // Not a number reads as 0: kept when 0 is allowed, else the clamped default.
    SetDlgItemTextA(parent.hwnd, 10, "x1");
    EXPECT_EQ(ReadBoundedInt(parent.hwnd, 10, 0, 100, 50), 0);
    SetDlgItemTextA(parent.hwnd, 10, "-5");
    EXPECT_EQ(ReadBoundedInt(parent.hwnd, 10, 1, 100, 500), 100);
    EXPECT_EQ(TextOf(parent.hwnd, 10), "100");
}

TEST(DialogHelpers, ClicksReachTheParentOnlyWhenEnabled) {
    ParentWindow parent;
    HWND button = parent.Child("BUTTON", 42, BS_PUSHBUTTON, 0, 0, 80, 20);
    EXPECT_TRUE(ClickControl(parent.hwnd, 42));
    EXPECT_TRUE(ClickWindow(button));
    ASSERT_EQ(Commands().size(), 2u);
    EXPECT_EQ(Commands()[0].wParam, 42u);
    EXPECT_EQ(Commands()[1].wParam, 42u);
    EXPECT_EQ(Commands()[1].lParam, 0);

    EnableControl(parent.hwnd, 42, FALSE);
    EXPECT_FALSE(ClickControl(parent.hwnd, 42));
    EXPECT_FALSE(ClickWindow(button));
    EXPECT_FALSE(ClickControl(parent.hwnd, 999));
    EXPECT_EQ(Commands().size(), 2u);
}

TEST(DialogHelpers, AnchorControlMovesInClientCoordinates) {
    ParentWindow parent(200, 100);
    HWND item = parent.Child("STATIC", 7, 0, 10, 20, 30, 10);
    AnchorControl(parent.hwnd, 7, SIZE{200, 100}, SIZE{300, 160}, true, false, true, true, FALSE);
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, parent.hwnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 140); // right gap of 160 kept
    EXPECT_EQ(r.top, 80);    // follows the bottom edge
    EXPECT_EQ(r.bottom, 90);
    AnchorControl(parent.hwnd, 7, SIZE{300, 160}, SIZE{300, 160}, false, false, false, false, FALSE);
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, parent.hwnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 85);
    EXPECT_EQ(r.top, 75);
}

TEST(DialogHelpers, ColorSwatchHasABlackFrame) {
    ParentWindow parent;
    HBITMAP swatch = MakeColorSwatch(parent.hwnd, RGB(10, 200, 30), 20, 10);
    ASSERT_NE(swatch, nullptr);
    Canvas canvas(20, 10);
    HDC source = CreateCompatibleDC(canvas.dc);
    HGDIOBJ old = SelectObject(source, swatch);
    BitBlt(canvas.dc, 0, 0, 20, 10, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(swatch);
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(19, 9), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(10, 5), RGB(10, 200, 30));
    EXPECT_EQ(canvas.At(1, 1), RGB(10, 200, 30));
}

TEST(DialogHelpers, MessageBoxesGoThroughTheHook) {
    MessageBoxHook previous = SetMessageBoxHook(RecordingBox);
    ShowWarning(nullptr, "careful");
    EXPECT_EQ(lastBox.text, "careful");
    EXPECT_TRUE(lastBox.captionNull);
    EXPECT_EQ(lastBox.type, static_cast<UINT>(MB_ICONWARNING));
    boxAnswer = IDYES;
    EXPECT_TRUE(AskYesNo(nullptr, "sure?"));
    EXPECT_EQ(lastBox.type, static_cast<UINT>(MB_ICONWARNING | MB_YESNO));
    boxAnswer = IDNO;
    EXPECT_FALSE(AskYesNo(nullptr, "sure?"));
    SetMessageBoxHook(previous);
}

TEST(CommonDraw, ControlColoursComeFromTheSettingsWithOneBrush) {
    ParentWindow parent;
    parent.app->SetDlgColor(RGB(10, 20, 30));
    parent.app->SetLabelColor(RGB(200, 0, 100));
    Canvas canvas(4, 4);
    auto first = reinterpret_cast<HBRUSH>(
        CommonDrawHandler(parent.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc), 0));
    ASSERT_NE(first, nullptr);
    LOGBRUSH lb;
    ASSERT_EQ(GetObjectA(first, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetBkColor(canvas.dc), RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(canvas.dc), RGB(200, 0, 100));

    auto second = reinterpret_cast<HBRUSH>(
        CommonDrawHandler(parent.hwnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(canvas.dc), 0));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetObjectType(first), 0u) << "the previous brush is deleted";

    SetTextColor(canvas.dc, 0);
    EXPECT_EQ(CommonDrawHandler(parent.hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(canvas.dc), 0), 0);
    EXPECT_EQ(GetTextColor(canvas.dc), RGB(200, 0, 100));

    ParentWindow bare(100, 100, false);
    EXPECT_EQ(CommonDrawHandler(bare.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc), 0), 0);
    EXPECT_EQ(CommonDrawHandler(parent.hwnd, WM_TIMER, 0, 0), 0);
}

namespace {

constexpr int kW = 60, kH = 24;
const COLORREF kBase = RGB(100, 120, 140);
const COLORREF kText = RGB(100, 50, 20);

COLORREF Sc(COLORREF c, double f) {
    auto ch = [f](int v) { return v * f >= 255 ? 255 : static_cast<int>(v * f); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

// Paints button 50 of the parent with the given item state into a canvas.
void PaintButton(ParentWindow& parent, Canvas& canvas, UINT itemState) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 50;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = GetDlgItem(parent.hwnd, 50);
    item.hDC = canvas.dc;
    item.rcItem = RECT{0, 0, kW, kH};
    ASSERT_EQ(CommonDrawHandler(parent.hwnd, WM_DRAWITEM, 50, reinterpret_cast<LPARAM>(&item)), TRUE);
}

WNDPROC buttonProc;
LRESULT CALLBACK CheckedButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BM_GETSTATE)
        return BST_CHECKED;
    return CallWindowProcA(buttonProc, window, message, wParam, lParam);
}

struct ButtonFixture : ::testing::Test {
    ButtonFixture() : canvas(kW, kH) {
        parent.app->SetDlgColor(kBase);
        parent.app->SetLabelColor(kText);
        button = parent.Child("BUTTON", 50, BS_OWNERDRAW, 10, 10, kW, kH, "WWW");
    }
    void ExpectBorder(bool flat) {
        EXPECT_EQ(canvas.At(0, 0), canvas.At(kW / 2, 3)) << "row 0 keeps the fill";
        EXPECT_EQ(canvas.At(kW / 2, 1), Sc(kBase, 1.1));
        EXPECT_EQ(canvas.At(1, kH / 2), Sc(kBase, 1.1));
        EXPECT_EQ(canvas.At(kW / 2, 2), Sc(kBase, flat ? 0.6 : 2.0));
        EXPECT_EQ(canvas.At(2, kH / 2), Sc(kBase, flat ? 0.6 : 2.0));
        EXPECT_EQ(canvas.At(kW / 2, kH - 3), Sc(kBase, 0.6));
        EXPECT_EQ(canvas.At(kW - 3, kH / 2), Sc(kBase, 0.6));
        EXPECT_EQ(canvas.At(kW / 2, kH - 2), Sc(kBase, flat ? 1.1 : 0.25));
        EXPECT_EQ(canvas.At(kW - 2, kH / 2), Sc(kBase, flat ? 1.1 : 0.25));
        EXPECT_EQ(canvas.At(kW - 1, kH - 1), canvas.At(kW / 2, 3)) << "last row and column keep the fill";
    }
    ParentWindow parent;
    Canvas canvas;
    HWND button;
};

} // namespace

TEST_F(ButtonFixture, NormalLookAlsoForFocusWithOtherBits) {
    for (UINT state : {0u, static_cast<UINT>(ODS_FOCUS | ODS_NOFOCUSRECT)}) {
        PaintButton(parent, canvas, state);
        EXPECT_EQ(canvas.At(kW / 2, 3), Sc(kBase, 1.1));
        ExpectBorder(false);
        EXPECT_GT(canvas.Count(kText), 0);
        EXPECT_EQ(canvas.Count(Sc(kBase, 0.8)), 0) << "no marks";
    }
}

TEST_F(ButtonFixture, FocusedLook) {
    PaintButton(parent, canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.At(kW / 2, 3), Sc(kBase, 1.3));
    ExpectBorder(false);
    const COLORREF mark = Sc(kBase, 0.8);
    EXPECT_EQ(canvas.At(4, kH / 2), mark);
    EXPECT_EQ(canvas.At(5, kH / 2), Sc(kBase, 1.3));
    EXPECT_EQ(canvas.At(6, kH / 2), mark);
    EXPECT_EQ(canvas.At(kW - 8, kH / 2), mark);
    EXPECT_EQ(canvas.At(kW - 6, kH / 2), mark);
    EXPECT_EQ(canvas.At(4, kH - 5), Sc(kBase, 1.3)) << "end point excluded";
    EXPECT_GT(canvas.Count(kText), 0);
}

TEST_F(ButtonFixture, PressedLookBySelectionOrCheck) {
    PaintButton(parent, canvas, ODS_SELECTED | ODS_FOCUS | ODS_NOACCEL);
    EXPECT_EQ(canvas.At(kW / 2, 3), Sc(kBase, 1.4));
    ExpectBorder(true);
    EXPECT_EQ(canvas.At(5, kH / 2), Sc(kBase, 0.8));
    EXPECT_EQ(canvas.At(4, kH / 2), Sc(kBase, 1.4));
    EXPECT_EQ(canvas.At(kW - 7, kH / 2), Sc(kBase, 0.8));
    EXPECT_GT(canvas.Count(Sc(kText, 1.3)), 0);
    EXPECT_EQ(canvas.Count(kText), 0);

    // A checked button looks pressed even without the selected state.
    // Owner-drawn buttons keep no check state of their own, so the button
    // answers BM_GETSTATE through a subclass.
    buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckedButtonProc)));
    canvas.Fill(0);
    PaintButton(parent, canvas, 0);
    EXPECT_EQ(canvas.At(kW / 2, 3), Sc(kBase, 1.4));
    ExpectBorder(true);
}

TEST_F(ButtonFixture, DisabledLookIsFlatWithOrWithoutBsFlat) {
    EnableWindow(button, FALSE);
    PaintButton(parent, canvas, ODS_FOCUS);
    EXPECT_EQ(canvas.At(kW / 2, 3), kBase);
    ExpectBorder(true);
    EXPECT_GT(canvas.Count(RGB(128, 128, 128)), 0);
    EXPECT_GT(canvas.Count(RGB(255, 255, 255)), 0);
    EXPECT_EQ(canvas.Count(Sc(kBase, 0.8)), 0);

    SetWindowLongPtrA(button, GWL_STYLE, GetWindowLongPtrA(button, GWL_STYLE) | BS_FLAT);
    canvas.Fill(0);
    PaintButton(parent, canvas, 0);
    ExpectBorder(true);

    EnableWindow(button, TRUE); // BS_FLAT alone flattens an enabled button
    PaintButton(parent, canvas, 0);
    EXPECT_EQ(canvas.At(kW / 2, 3), Sc(kBase, 1.1));
    ExpectBorder(true);
}

TEST_F(ButtonFixture, NotAButtonOrNoApplicationDeclines) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = 50;
    item.hDC = canvas.dc;
    EXPECT_EQ(CommonDrawHandler(parent.hwnd, WM_DRAWITEM, 50, reinterpret_cast<LPARAM>(&item)), 0);
    ParentWindow bare(100, 100, false);
    item.CtlType = ODT_BUTTON;
    EXPECT_EQ(CommonDrawHandler(bare.hwnd, WM_DRAWITEM, 50, reinterpret_cast<LPARAM>(&item)), 0);
}
