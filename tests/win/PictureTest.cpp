#include "ControlTestSupport.h"
#include "controls/BmpLayout.h"
#include "controls/win/ControlClasses.h"
#include "controls/win/Image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using testsupport::Canvas;

namespace {

constexpr UINT kSetBitmap = WM_USER + 1;
constexpr COLORREF kParentColour = RGB(20, 140, 230);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kRed = RGB(220, 0, 0);

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r << 16 | g << 8 | b;
}

// A plain parent painting a solid background, holding one picture control.
class PictureHost {
public:
    PictureHost(int x, int y, int width, int height) {
        static ATOM atoms[2] = {RegisterPictureClass(GetModuleHandleA(nullptr)), [] {
                                    WNDCLASSA wc{};
                                    wc.lpfnWndProc = DefWindowProcA;
                                    wc.hInstance = GetModuleHandleA(nullptr);
                                    wc.hbrBackground = CreateSolidBrush(kParentColour);
                                    wc.lpszClassName = "KlaviroPictureHost";
                                    return RegisterClassA(&wc);
                                }()};
        (void)atoms;
        parent = CreateWindowExA(0, "KlaviroPictureHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        picture = CreateWindowExA(0, "APictureWnd", "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~PictureHost() { DestroyWindow(parent); }
    PictureHost(const PictureHost&) = delete;
    PictureHost& operator=(const PictureHost&) = delete;

    // Lets every pending paint happen, then copies the control's client area.
    void Snapshot(Canvas& canvas) const {
        UpdateWindow(parent);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        HDC dc = GetDC(picture);
        canvas.Fill(RGB(1, 2, 3));
        BitBlt(canvas.dc, 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(picture, dc);
    }

    HWND parent;
    HWND picture;
};

// A device-dependent bitmap, top half one colour and bottom half another.
HBITMAP TwoBandBitmap(int width, int height, COLORREF top, COLORREF bottom) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH topBrush = CreateSolidBrush(top), bottomBrush = CreateSolidBrush(bottom);
    RECT upper{0, 0, width, height / 2}, lower{0, height / 2, width, height};
    FillRect(dc, &upper, topBrush);
    FillRect(dc, &lower, bottomBrush);
    SelectObject(dc, old);
    DeleteObject(topBrush);
    DeleteObject(bottomBrush);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// A BMP file written the way other programs write them: BI_RGB, rows padded.
void WriteBmp(const std::string& path, int width, int height, int bits, const std::vector<RGBQUAD>& table,
              const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> out;
    const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(table.size());
    Put16(out, 0x4D42);
    Put32(out, offset + static_cast<uint32_t>(rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(rows.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(table.size()));
    Put32(out, 0);
    for (const RGBQUAD& q : table) {
        out.push_back(q.rgbBlue);
        out.push_back(q.rgbGreen);
        out.push_back(q.rgbRed);
        out.push_back(0);
    }
    out.insert(out.end(), rows.begin(), rows.end());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), out.size());
}

std::vector<uint32_t> PixelsOf(const Image& image) {
    const uint32_t* p = image.Pixels().Data();
    return std::vector<uint32_t>(p, p + image.Width() * image.Height());
}

struct RecordedBox {
    std::string text, caption;
    int count = 0;
};
RecordedBox recordedBox;
int RecordBox(HWND, const char* text, const char* caption, UINT) {
    recordedBox.text = text ? text : "";
    recordedBox.caption = caption ? caption : "";
    ++recordedBox.count;
    return IDOK;
}

} // namespace

TEST(Picture, PaintsTheBitmapCentredScaledAndOutlinedOverTheParent) {
    PictureHost host(20, 10, 200, 100);
    Canvas canvas(200, 100);
    host.Snapshot(canvas);
    // Nothing to show: only the parent's background, not the class grey.
    EXPECT_EQ(canvas.Count(kParentColour), 200 * 100);

    // 40 x 80 fits 200 x 100 as 50 x 100, centred at x = 75.
    EXPECT_EQ(SendMessageA(host.picture, kSetBitmap, 0,
                           reinterpret_cast<LPARAM>(TwoBandBitmap(40, 80, kGreen, kRed))),
              0);
    host.Snapshot(canvas);
    EXPECT_EQ(canvas.Count(kParentColour, 0, 0, 75, 100), 75 * 100);
    EXPECT_EQ(canvas.Count(kParentColour, 125, 0, 200, 100), 75 * 100);
    // Outline: columns 75 and 124, rows 0 and 99 of the picture.
    EXPECT_EQ(canvas.Count(kBlack, 75, 0, 76, 100), 100);
    EXPECT_EQ(canvas.Count(kBlack, 124, 0, 125, 100), 100);
    EXPECT_EQ(canvas.Count(kBlack, 75, 0, 125, 1), 50);
    EXPECT_EQ(canvas.Count(kBlack, 75, 99, 125, 100), 50);
    // Inside, the right way up.
    EXPECT_EQ(canvas.Count(kGreen, 76, 1, 124, 50), 48 * 49);
    EXPECT_EQ(canvas.Count(kRed, 76, 50, 124, 99), 48 * 49);

    // A wide picture is centred vertically: 80 x 20 in 200 x 100 is 200 x 50.
    SendMessageA(host.picture, kSetBitmap, 0, reinterpret_cast<LPARAM>(TwoBandBitmap(80, 20, kRed, kRed)));
    host.Snapshot(canvas);
    EXPECT_EQ(canvas.Count(kParentColour, 0, 0, 200, 25), 200 * 25);
    EXPECT_EQ(canvas.Count(kParentColour, 0, 75, 200, 100), 200 * 25);
    EXPECT_EQ(canvas.Count(kBlack, 0, 25, 200, 26), 200);
    EXPECT_EQ(canvas.Count(kRed, 1, 26, 199, 74), 198 * 48);
}

TEST(Picture, ScaledBitmapFollowsTheClientSize) {
    PictureHost host(0, 0, 200, 100);
    SendMessageA(host.picture, kSetBitmap, 0, reinterpret_cast<LPARAM>(TwoBandBitmap(40, 80, kGreen, kRed)));
    Canvas wide(200, 100);
    host.Snapshot(wide);
    EXPECT_EQ(wide.Count(kBlack, 75, 0, 76, 100), 100);

    // Same height, narrower than the cached 50 x 100: it must shrink to
    // 40 x 80 at y = 10 rather than be cut off at the sides.
    SetWindowPos(host.picture, nullptr, 0, 0, 40, 100, SWP_NOMOVE | SWP_NOZORDER);
    Canvas narrow(40, 100);
    host.Snapshot(narrow);
    EXPECT_EQ(narrow.Count(kParentColour, 0, 0, 40, 10), 40 * 10);
    EXPECT_EQ(narrow.Count(kParentColour, 0, 90, 40, 100), 40 * 10);
    EXPECT_EQ(narrow.Count(kBlack, 0, 10, 1, 90), 80);
    EXPECT_EQ(narrow.Count(kBlack, 39, 10, 40, 90), 80);
    EXPECT_EQ(narrow.Count(kGreen, 1, 11, 39, 50), 38 * 39);
    EXPECT_EQ(narrow.Count(kRed, 1, 50, 39, 89), 38 * 39);
}

TEST(Picture, DibSectionsOfEachDepthHoldTheirTablesMasksAndPixels) {
    // Black, white, red, green, blue, grey, bottom-up in one row.
    const uint32_t row[6] = {
        0, Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(128, 128, 128)};
    HBITMAP source = CreateDibSectionOfDepth(6, 1, 32);
    ASSERT_NE(source, nullptr);
    DIBSECTION ds;
    ASSERT_EQ(GetObjectA(source, sizeof ds, &ds), static_cast<int>(sizeof ds));
    std::memcpy(ds.dsBm.bmBits, row, sizeof row);
    Image image;
    ASSERT_TRUE(image.TakeBitmap(source));
    DeleteObject(source);
    ASSERT_EQ(PixelsOf(image), std::vector<uint32_t>(row, row + 6));

    struct Expected {
        int depth;
        std::vector<uint32_t> values; // pixel values, or indices into the table
    };
    const Expected cases[] = {
        {1, {0, 1}},
        {4, {0, 15, 12, 10, 9, 8}},
        {8, {0, 255, 7, 56, 192, 164}},
        {15, {0, 0x7FFF, 0x7C00, 0x3E0, 0x1F, 0x4210}},
        {16, {0, 0xFFFF, 0xF800, 0x7E0, 0x1F, 0x8410}},
        {32, {row, row + 6}},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.depth);
        GdiObject<HBITMAP> section(image.MakeDibSection(c.depth));
        ASSERT_NE(section.Get(), nullptr);
        ASSERT_EQ(GetObjectA(section.Get(), sizeof ds, &ds), static_cast<int>(sizeof ds));
        DibFormat format;
        ASSERT_TRUE(DibFormatForDepth(c.depth, format));
        EXPECT_EQ(ds.dsBmih.biBitCount, format.bitCount);
        EXPECT_EQ(ds.dsBm.bmWidth, 6);
        EXPECT_EQ(ds.dsBm.bmHeight, 1);
        if (format.compression == kBmpBitfields) {
            EXPECT_EQ(ds.dsBmih.biCompression, static_cast<DWORD>(BI_BITFIELDS));
            EXPECT_EQ(ds.dsBitfields[0], format.masks[0]);
            EXPECT_EQ(ds.dsBitfields[1], format.masks[1]);
            EXPECT_EQ(ds.dsBitfields[2], format.masks[2]);
        } else {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, section.Get());
            RGBQUAD table[256];
            const UINT n = GetDIBColorTable(dc, 0, 256, table);
            SelectObject(dc, old);
            DeleteDC(dc);
            ASSERT_EQ(n, format.colours.size());
            for (UINT i = 0; i < n; ++i)
                ASSERT_EQ((BmpColour{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue}),
                          format.colours[i])
                    << i;
        }
        const uint8_t* bytes = static_cast<const uint8_t*>(ds.dsBm.bmBits);
        for (size_t i = 0; i < c.values.size(); ++i) {
            uint32_t value = 0;
            switch (format.bitCount) {
            case 1:
                value = bytes[0] >> (7 - i) & 1;
                break;
            case 4:
                value = bytes[i / 2] >> (i % 2 ? 0 : 4) & 0xF;
                break;
            case 8:
                value = bytes[i];
                break;
            case 16:
                value = bytes[2 * i] | bytes[2 * i + 1] << 8;
                break;
            default:
                std::memcpy(&value, bytes + 4 * i, 4);
                break;
            }
            EXPECT_EQ(value, c.values[i]) << "pixel " << i;
        }
    }
    EXPECT_EQ(Image().MakeDibSection(32), nullptr);
}

TEST(Picture, ConversionKeepsAPaletteSourceTable) {
    // An 8-bit source with its own four colours, converted to 8 bits and back.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[4];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), 4, 1, 1, 8, BI_RGB, 0, 0, 0, 4, 0};
    info.colours[0] = {10, 20, 30, 0};
    info.colours[1] = {200, 100, 50, 0};
    info.colours[2] = {1, 2, 3, 0};
    info.colours[3] = {90, 90, 90, 0};
    void* bits = nullptr;
    HBITMAP source =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(source, nullptr);
    const uint8_t indices[4] = {3, 2, 1, 0};
    std::memcpy(bits, indices, 4);
    GdiObject<HBITMAP> converted(ConvertBitmap(source, 8));
    ASSERT_NE(converted.Get(), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, converted.Get());
    RGBQUAD table[256];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
    SelectObject(dc, old);
    DeleteDC(dc);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(table[i].rgbRed, info.colours[i].rgbRed) << i;
        EXPECT_EQ(table[i].rgbBlue, info.colours[i].rgbBlue) << i;
    }
    DIBSECTION ds;
    GetObjectA(converted.Get(), sizeof ds, &ds);
    EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(ds.dsBm.bmBits),
                                   static_cast<uint8_t*>(ds.dsBm.bmBits) + 4),
              std::vector<uint8_t>(indices, indices + 4));

    Image image;
    ASSERT_TRUE(image.TakeBitmap(source));
    EXPECT_EQ(PixelsOf(image),
              (std::vector<uint32_t>{Rgb(90, 90, 90), Rgb(3, 2, 1), Rgb(50, 100, 200), Rgb(30, 20, 10)}));
    DeleteObject(source);
    EXPECT_FALSE(image.TakeBitmap(nullptr));
    EXPECT_EQ(image.Height(), 0u);
}

TEST(Picture, LoadedBmpSavedAgainReadsBackTheSamePixels) {
    // 3 x 2 at 24 bits, rows padded to 12 bytes, bottom row first.
    const std::string original = TempPath("klaviro_picture_in.bmp");
    const std::vector<uint8_t> rows = {0, 0, 255, 0,   255, 0,   255, 0,  0,  0, 0, 0,
                                       1, 2, 3,   250, 251, 252, 77,  88, 99, 0, 0, 0};
    WriteBmp(original, 3, 2, 24, {}, rows);
    const std::vector<uint32_t> expected = {Rgb(255, 0, 0), Rgb(0, 255, 0),     Rgb(0, 0, 255),
                                            Rgb(3, 2, 1),   Rgb(252, 251, 250), Rgb(99, 88, 77)};
    Image image;
    ASSERT_TRUE(image.Load(original.c_str()));
    ASSERT_EQ(image.Width(), 3u);
    ASSERT_EQ(image.Height(), 2u);
    EXPECT_EQ(PixelsOf(image), expected);

    const std::string saved = TempPath("klaviro_picture_out.bmp");
    ASSERT_TRUE(image.Save(saved.c_str()));
    const std::vector<uint8_t> file = ReadFileBytes(saved);
    ASSERT_EQ(file.size(), 14u + 40u + 1036u + 24u);
    std::vector<uint8_t> head = EncodeBmp32Headers(Bmp32Header(3, 2));
    // The resolution fields are whatever the section reports; the rest is fixed.
    EXPECT_TRUE(std::equal(head.begin(), head.begin() + 38, file.begin()));
    EXPECT_TRUE(std::equal(head.begin() + 46, head.end(), file.begin() + 46));
    std::vector<uint32_t> stored(6);
    std::memcpy(stored.data(), file.data() + head.size(), 24);
    EXPECT_EQ(stored, expected);

    Image again;
    ASSERT_TRUE(again.Load(saved.c_str()));
    EXPECT_EQ(PixelsOf(again), expected);

    // A file that is not a picture leaves an empty image.
    ASSERT_FALSE(again.Load(TempPath("klaviro_no_such_file.bmp").c_str()));
    EXPECT_EQ(again.Width(), 0u);
    DeleteFileA(original.c_str());
    DeleteFileA(saved.c_str());
}

TEST(Picture, EightBitFileLoadsThroughItsColourTable) {
    const std::string path = TempPath("klaviro_picture_8.bmp");
    WriteBmp(path, 2, 1, 8, {{0, 0, 0, 0}, {30, 20, 10, 0}, {200, 150, 100, 0}}, {2, 1, 0, 0});
    Image image;
    ASSERT_TRUE(image.Load(path.c_str()));
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t>{Rgb(100, 150, 200), Rgb(10, 20, 30)}));
    DeleteFileA(path.c_str());
}

TEST(Picture, SaveFailsOnADeviceOrMissingFolderAndSkipsAnEmptyImage) {
    const uint32_t pixels[1] = {Rgb(1, 2, 3)};
    HBITMAP source = CreateDibSectionOfDepth(1, 1, 32);
    DIBSECTION ds;
    GetObjectA(source, sizeof ds, &ds);
    std::memcpy(ds.dsBm.bmBits, pixels, 4);
    Image image;
    ASSERT_TRUE(image.TakeBitmap(source));
    DeleteObject(source);
    EXPECT_FALSE(image.Save("NUL"));
    EXPECT_FALSE(image.Save(TempPath("klaviro_no_folder\\x.bmp").c_str()));

    const std::string path = TempPath("klaviro_picture_empty.bmp");
    DeleteFileA(path.c_str());
    EXPECT_TRUE(Image().Save(path.c_str()));
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Picture, FailedSectionShowsTheErrorBox) {
    MessageBoxHook previous = SetMessageBoxHook(RecordBox);
    recordedBox = RecordedBox{};
    HBITMAP huge = CreateDibSectionOfDepth(0x7FFFFFFF, 0x7FFFFFFF, 32);
    SetMessageBoxHook(previous);
    EXPECT_EQ(huge, nullptr);
    EXPECT_EQ(recordedBox.count, 1);
    EXPECT_EQ(recordedBox.caption, "Error");
    EXPECT_EQ(recordedBox.text.rfind("Error ", 0), 0u) << recordedBox.text;
}
