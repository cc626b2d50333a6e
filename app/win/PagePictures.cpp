#include "app/win/PagePictures.h"

#include "controls/win/Image.h"

namespace {

const char kScaledProperty[] = "KlaviroScaledPicture";

bool IsBitmapPicture(HWND w) {
    char name[16] = "";
    GetClassNameA(w, name, sizeof name);
    return lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(w, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

int DisplayDpi() {
    ScreenDc screen;
    return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
}

} // namespace

void ScalePicturesToDisplay(HWND page) {
    const int dpi = DisplayDpi();
    if (dpi == 96)
        return;
    for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsBitmapPicture(w))
            continue;
        HBITMAP original = reinterpret_cast<HBITMAP>(SendMessageA(w, STM_GETIMAGE, IMAGE_BITMAP, 0));
        Image image;
        if (!original || !image.TakeBitmap(original))
            continue;
        // At 96 DPI each drawing is as wide as its frame, its card cut at
        // the frame's height; scaled to the frame's width, it stays so.
        RECT frame;
        GetClientRect(w, &frame);
        if (frame.right <= 0 || image.Width() == 0)
            continue;
        image.Resize(frame.right, MulDiv(image.Height(), frame.right, image.Width()), false);
        HBITMAP scaled = image.MakeDibSection(32);
        if (!scaled)
            continue;
        // The control hands back the bitmap it loaded from the template,
        // which is now ours to free; the scaled copy is freed with the page.
        HBITMAP previous = reinterpret_cast<HBITMAP>(
            SendMessageA(w, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
        if (previous && previous != scaled)
            DeleteObject(previous);
        SetPropA(w, kScaledProperty, scaled);
    }
}

void ReleaseScaledPictures(HWND page) {
    for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        HANDLE scaled = RemovePropA(w, kScaledProperty);
        if (!scaled)
            continue;
        SendMessageA(w, STM_SETIMAGE, IMAGE_BITMAP, 0);
        DeleteObject(scaled);
    }
}
