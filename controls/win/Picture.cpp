// APictureWnd: one picture scaled to fit the client area with its aspect,
// centred and outlined, over the parent's background.
#include "controls/win/ControlClass.h"
#include "controls/win/ControlClasses.h"
#include "controls/win/Image.h"

#include <new>

namespace {

constexpr UINT kSetBitmap = WM_USER + 1; // lParam: HBITMAP the control takes and deletes

struct PictureRecord {
    Image image;
    HBITMAP scaled = nullptr; // the image at the size last painted
    ~PictureRecord() { DropScaled(); }
    void DropScaled() {
        if (scaled)
            DeleteObject(scaled);
        scaled = nullptr;
    }
};

PictureRecord* RecordOf(HWND window) {
    return reinterpret_cast<PictureRecord*>(GetWindowLongPtrA(window, 0));
}

// The cached bitmap is reused only while it has the size a fresh fit into the
// client would give; a size matching in one side alone may overflow the other.
HBITMAP ScaledBitmap(PictureRecord& record, int clientWidth, int clientHeight) {
    if (record.image.Height() == 0)
        return nullptr;
    const PixelSize fit =
        FitKeepingAspect({record.image.Width(), record.image.Height()},
                         {static_cast<uint32_t>(clientWidth), static_cast<uint32_t>(clientHeight)});
    if (record.scaled) {
        BITMAP bm;
        if (GetObjectA(record.scaled, sizeof bm, &bm) == sizeof bm &&
            static_cast<uint32_t>(bm.bmWidth) == fit.width &&
            static_cast<uint32_t>(bm.bmHeight) == fit.height)
            return record.scaled;
        record.DropScaled();
    }
    Image copy(record.image); // shares the pixels until resized
    copy.Resize(static_cast<uint32_t>(clientWidth), static_cast<uint32_t>(clientHeight), true);
    record.scaled = copy.MakeDibSection(32);
    return record.scaled;
}

// Lets the parent draw its background into dc, in the parent's own
// coordinates so that patterns line up with the rest of the parent.
void DrawParentBackground(HWND window, HDC dc) {
    HWND parent = GetParent(window);
    if (!parent)
        return;
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT oldOrigin;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &oldOrigin);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

// The picture and its outline drawn with pen, onto dc at the centre.
void DrawPicture(HDC dc, HBITMAP bitmap, int clientWidth, int clientHeight, HPEN pen) {
    BITMAP bm;
    if (GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm)
        return;
    const int x = (clientWidth - bm.bmWidth) / 2;
    const int y = (clientHeight - bm.bmHeight) / 2;
    MemoryDc source(dc);
    Selection picture(source.Get(), bitmap);
    if (!picture.Ok())
        return;
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, source.Get(), 0, 0, SRCCOPY);
    Selection outlinePen(dc, pen);
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x, y + bm.bmHeight - 1);
    LineTo(dc, x + bm.bmWidth - 1, y + bm.bmHeight - 1);
    LineTo(dc, x + bm.bmWidth - 1, y);
    LineTo(dc, x, y);
}

// Composes background and picture off-screen and copies the update
// rectangle in one BitBlt.
void Paint(HWND window, PictureRecord* record) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    if (dc && client.right > 0 && client.bottom > 0) {
        MemoryDc canvasDc(dc);
        GdiObject<HBITMAP> canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
        Selection canvasIn(canvasDc.Get(), canvas.Get());
        if (canvasIn.Ok()) {
            FillRect(canvasDc.Get(), &client,
                     reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)));
            DrawParentBackground(window, canvasDc.Get());
            HBITMAP scaled = record ? ScaledBitmap(*record, client.right, client.bottom) : nullptr;
            if (scaled)
                DrawPicture(canvasDc.Get(), scaled, client.right, client.bottom,
                            static_cast<HPEN>(GetCurrentObject(dc, OBJ_PEN)));
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, canvasDc.Get(), ps.rcPaint.left, ps.rcPaint.top,
                   SRCCOPY);
        }
    }
    EndPaint(window, &ps);
}

void SetBitmap(HWND window, PictureRecord& record, HBITMAP bitmap) {
    GdiObject<HBITMAP> taken(bitmap); // deleted even if reading it fails
    record.image.TakeBitmap(bitmap);
    record.DropScaled();
    HWND parent = GetParent(window);
    if (parent) {
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        InvalidateRect(parent, &rect, TRUE);
    }
    // A parent that clips its children would not repaint the control.
    InvalidateRect(window, nullptr, FALSE);
}

bool HandleMessage(HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_CREATE:
        if (PictureRecord* record = new (std::nothrow) PictureRecord)
            SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(record));
        else
            result = -1;
        return true;
    case WM_DESTROY:
        delete RecordOf(window);
        SetWindowLongPtrA(window, 0, 0);
        return true;
    case WM_ERASEBKGND:
        result = 1; // painting covers the whole client area
        return true;
    case WM_PAINT:
        Paint(window, RecordOf(window));
        return true;
    case kSetBitmap:
        if (PictureRecord* record = RecordOf(window)) {
            SetBitmap(window, *record, reinterpret_cast<HBITMAP>(lParam));
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace

ATOM RegisterPictureClass(HINSTANCE instance) {
    return RegisterControlClass(instance, "APictureWnd", ControlWindowProc<HandleMessage>,
                                static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}
