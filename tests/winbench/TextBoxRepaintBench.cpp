// Times one full repaint of a text box of 60 columns x 40 rows holding 10000
// characters with a selection, rendered into a memory bitmap, and prints the
// figure in microseconds. With a file name argument it also writes the last
// rendering there as a BMP for a look by eye.
#include "../win/ControlTestSupport.h"

#include "controls/ControlMessages.h"
#include "controls/win/ControlClasses.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void SaveBmp(const char* path, const void* bits, int w, int h) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = -h;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(w * h * 4);
    if (FILE* f = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info, sizeof info, 1, f);
        std::fwrite(bits, 4, static_cast<size_t>(w) * h, f);
        std::fclose(f);
    }
}

} // namespace

int main(int argc, char** argv) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterTextBoxClass(instance)) {
        std::fprintf(stderr, "cannot register the text box class\n");
        return 1;
    }
    const int w = 724, h = 800; // 20 pixel rows: 40 of them
    HWND box = CreateWindowExA(0, "ATextBWnd", "", WS_POPUP | WS_BORDER, 0, 0, w, h, nullptr, nullptr,
                               instance, nullptr);
    RECT client;
    GetClientRect(box, &client);
    SetWindowPos(box, nullptr, 0, 0, w + (w - client.right), h + (h - client.bottom),
                 SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(box, ATB_SETCOLUMNS, 0, 60);
    SendMessageA(box, ATB_SETROWS, 0, 40);

    // Groups of five mixed characters with zeros, each followed by a blank,
    // and every seventh character marked.
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,=?/";
    std::string text, marks;
    unsigned seed = 12345;
    while (text.size() < 10000) {
        for (int i = 0; i < 5 && text.size() < 10000; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
            marks += text.size() % 7 == 0 ? 'x' : text.size() % 11 == 0 ? '%' : ' ';
        }
        if (text.size() < 10000) {
            text += ' ';
            marks += ' ';
        }
    }
    SendMessageA(box, ATB_SETTEXT, reinterpret_cast<WPARAM>(text.c_str()),
                 reinterpret_cast<LPARAM>(marks.c_str()));
    SendMessageA(box, ATB_SETSEL, 5000, 5004); // scrolls the selection into view

    const testsupport::Canvas canvas(w, h);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int runs = 200;
    std::vector<double> times;
    for (int i = 0; i < runs + 10; ++i) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
        GdiFlush();
        QueryPerformanceCounter(&stop);
        if (i >= 10) // the first paints load the font
            times.push_back(1e6 * double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times)
        total += t;
    std::printf("text box full repaint, 60 x 40, 10000 characters, selection: median %.0f us, mean %.0f us, "
                "min %.0f us (%d runs)\n",
                times[times.size() / 2], total / times.size(), times.front(), runs);
    if (argc > 1)
        SaveBmp(argv[1], canvas.Bits(), w, h);
    DestroyWindow(box);
    return 0;
}
