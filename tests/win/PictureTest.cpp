#include "ControlTestSupport.h"
#include "WinTestUtil.h"
#include "controls/BmpLayout.h"
#include "controls/win/ControlClasses.h"
#include "controls/win/Image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using testsupport::Canvas;
using testutil::TempPath;

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
    Canvas canvas(1, 1); // any memory context will do
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(canvas.dc, bitmap);
    for (int half = 0; half < 2; ++half) {
        HBRUSH brush = CreateSolidBrush(half ? bottom : top);
        RECT rect{0, half * height / 2, width, half ? height : height / 2};
        FillRect(canvas.dc, &rect, brush);
        DeleteObject(brush);
    }
    SelectObject(canvas.dc, old);
    return bitmap;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A BMP file written the way other programs write them: BI_RGB, rows padded.
void WriteBmp(const std::string& path, int width, int height, WORD bits, const std::vector<RGBQUAD>& table,
              const std::vector<uint8_t>& rows) {
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * table.size();
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(offset + rows.size()), 0, 0, offset};
    const BITMAPINFOHEADER info{sizeof info,
                                width,
                                height,
                                1,
                                bits,
                                BI_RGB,
                                static_cast<DWORD>(rows.size()),
                                2835,
                                2835,
                                static_cast<DWORD>(table.size()),
                                0};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file)
        .write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(table.data()), sizeof(RGBQUAD) * table.size());
    out.write(reinterpret_cast<const char*>(rows.data()), rows.size());
}

std::vector<uint32_t> PixelsOf(const Image& image) {
    const uint32_t* p = image.Pixels().Data();
    return std::vector<uint32_t>(p, p + image.Width() * image.Height());
}

std::string boxText, boxCaption;
int RecordBox(HWND, const char* text, const char* caption, UINT) {
    boxText = text ? text : "(null)";
    boxCaption = caption ? caption : "(null)";
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

    const struct {
        int depth;
        std::vector<uint32_t> values; // pixel values, or indices into the table
    } cases[] = {
        {1, {0, 1}},
        {4, {0, 15, 12, 10, 9, 8}},
        {8, {0, 255, 7, 56, 192, 164}},
        {15, {0, 0x7FFF, 0x7C00, 0x3E0, 0x1F, 0x4210}},
        {16, {0, 0xFFFF, 0xF800, 0x7E0, 0x1F, 0x8410}},
        {32, {row, row + 6}},
    };
    for (const auto& c : cases) {
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
            std::vector<BmpColour> colours;
            for (UINT i = 0; i < n; ++i)
                colours.push_back({table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue});
            EXPECT_TRUE(colours == format.colours);
        }
        const uint8_t* bytes = static_cast<const uint8_t*>(ds.dsBm.bmBits);
        for (size_t i = 0; i < c.values.size(); ++i) {
            const size_t bit = i * format.bitCount;
            uint32_t value = 0;
            if (format.bitCount < 8) // leftmost pixel in the high bits
                value = bytes[bit / 8] >> (8 - format.bitCount - bit % 8) & ((1u << format.bitCount) - 1);
            else
                std::memcpy(&value, bytes + bit / 8, format.bitCount / 8);
            EXPECT_EQ(value, c.values[i]) << "pixel " << i;
        }
    }
    EXPECT_EQ(Image().MakeDibSection(32), nullptr);
}

TEST(Picture, LoadedBmpSavedAgainReadsBackTheSamePixels) {
    // 3 x 2 at 24 bits, rows padded to 12 bytes, bottom row first.
    const std::string original = TempPath("picture_in.bmp");
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

    const std::string saved = TempPath("picture_out.bmp");
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

    // A device, a missing folder or a file that is no picture fail.
    EXPECT_FALSE(again.Save("NUL"));
    EXPECT_FALSE(again.Save(TempPath("no_folder\\x.bmp").c_str()));
    ASSERT_FALSE(again.Load(TempPath("no_such_file.bmp").c_str()));
    EXPECT_EQ(again.Width(), 0u);
    // An empty image writes nothing and succeeds.
    DeleteFileA(saved.c_str());
    EXPECT_TRUE(again.Save(saved.c_str()));
    EXPECT_EQ(GetFileAttributesA(saved.c_str()), INVALID_FILE_ATTRIBUTES);

    // An 8-bit file reads through its colour table.
    WriteBmp(original, 2, 1, 8, {{0, 0, 0, 0}, {30, 20, 10, 0}, {200, 150, 100, 0}}, {2, 1, 0, 0});
    ASSERT_TRUE(image.Load(original.c_str()));
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t>{Rgb(100, 150, 200), Rgb(10, 20, 30)}));
    DeleteFileA(original.c_str());
}

TEST(Picture, FailedSectionShowsTheErrorBox) {
    MessageBoxHook previous = SetMessageBoxHook(RecordBox);
    boxText.clear();
    HBITMAP huge = CreateDibSectionOfDepth(0x7FFFFFFF, 0x7FFFFFFF, 32);
    SetMessageBoxHook(previous);
    EXPECT_EQ(huge, nullptr);
    EXPECT_EQ(boxCaption, "Error");
    EXPECT_EQ(boxText.rfind("Error ", 0), 0u) << boxText;
}
