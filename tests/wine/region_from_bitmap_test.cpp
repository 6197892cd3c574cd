#include "render/region_from_bitmap_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/unique_handle.h"

namespace {

constexpr COLORREF kCut = RGB(255, 0, 0);

// Rows of characters: '.' the cut color, '#' dark blue, 'w' white.
using Pattern = std::vector<std::string>;

COLORREF ColorOf(char c) {
    return c == '.' ? kCut : (c == 'w' ? RGB(255, 255, 255) : RGB(0, 0, 128));
}

struct Format {
    const char* name;
    int depth;
    bool rgb555;  // 16 bits stored as 5-5-5 (BI_RGB) instead of 5-6-5 bit fields
    bool topDown;
};

// A bitmap section of the given format, its pixels written through GDI so that
// every depth holds the pattern in its own encoding.
UniqueBitmap MakeSection(const Format& f, const Pattern& rows) {
    const int width = static_cast<int>(rows[0].size());
    const int height = static_cast<int>(rows.size());
    struct {
        BITMAPINFOHEADER header;
        DWORD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = f.topDown ? -height : height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(f.depth);
    info.header.biCompression = BI_RGB;
    if (f.depth == 16 && !f.rgb555) {
        info.header.biCompression = BI_BITFIELDS;
        info.colors[0] = 0xF800;
        info.colors[1] = 0x07E0;
        info.colors[2] = 0x001F;
    }
    if (f.depth == 8) {
        // Red at two indices: both are cut.
        info.header.biClrUsed = 256;
        for (DWORD& c : info.colors)
            c = 0x00808080;
        info.colors[1] = 0x00FF0000;
        info.colors[2] = 0x00FFFFFF;
        info.colors[3] = 0x00000080;
        info.colors[200] = 0x00FF0000;
    }
    void* bits = nullptr;
    UniqueBitmap bitmap(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return bitmap;
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectGuard selected(dc.get(), bitmap.get());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            SetPixelV(dc.get(), x, y, ColorOf(rows[y][x]));
    }
    GdiFlush();
    return bitmap;
}

// Every pixel lies in the region exactly when the pattern has no cut color there.
void ExpectRegionMatches(HRGN region, const Pattern& rows) {
    ASSERT_NE(region, nullptr);
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            EXPECT_EQ(PtInRegion(region, static_cast<int>(x), static_cast<int>(y)) != FALSE, rows[y][x] != '.')
                << "pixel " << x << "," << y;
        }
    }
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_LE(box.right, static_cast<LONG>(rows[0].size()));
    EXPECT_LE(box.bottom, static_cast<LONG>(rows.size()));
}

const Format kFormats[] = {
    {"8-bit palette", 8, false, false},   {"16-bit 5-6-5", 16, false, false}, {"16-bit 5-5-5", 16, true, false},
    {"24-bit", 24, false, false},         {"32-bit", 32, false, false},       {"32-bit top-down", 32, false, true},
    {"24-bit top-down", 24, false, true},
};

const Pattern kFace = {
    "....##....",  //
    "..#w##w#..",  //
    ".#.#..#.#.",  // runs separated by cut pixels
    "#w######w#",  // nothing cut
    "..........",  // everything cut
    "...#w.....",  //
    ".........#",  // a run at the right edge
};

}  // namespace

TEST(RegionFromBitmap, CutsTheCutColorAtEveryDepth) {
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        UniqueBitmap bitmap = MakeSection(f, kFace);
        ASSERT_TRUE(bitmap);
        UniqueRegion region(RegionFromBitmap(bitmap.get(), kCut));
        ExpectRegionMatches(region.get(), kFace);
    }
}

TEST(RegionFromBitmap, PaletteEntriesOfTheCutColorAreAllCut) {
    const Format f{"8-bit", 8, false, false};
    UniqueBitmap bitmap = MakeSection(f, {"####"});
    ASSERT_TRUE(bitmap);
    // Write indices directly: 1 and 200 are both red in the table.
    DIBSECTION section{};
    ASSERT_TRUE(GetObjectA(bitmap.get(), sizeof section, &section));
    auto* row = static_cast<uint8_t*>(section.dsBm.bmBits);
    row[0] = 1, row[1] = 3, row[2] = 200, row[3] = 2;
    UniqueRegion region(RegionFromBitmap(bitmap.get(), kCut));
    ExpectRegionMatches(region.get(), {".#.#"});
}

TEST(RegionFromBitmap, WholeBitmapsOfOneKind) {
    const Format f{"24-bit", 24, false, false};
    UniqueBitmap allCut = MakeSection(f, {"....", "...."});
    UniqueRegion empty(RegionFromBitmap(allCut.get(), kCut));
    ASSERT_NE(empty.get(), nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);

    UniqueBitmap noCut = MakeSection(f, {"#w#w", "ww##", "####"});
    UniqueRegion full(RegionFromBitmap(noCut.get(), kCut));
    ASSERT_NE(full.get(), nullptr);
    EXPECT_EQ(GetRgnBox(full.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 4);
    EXPECT_EQ(box.bottom, 3);
}

TEST(RegionFromBitmap, OtherCutColorsAndDeviceBitmaps) {
    // A bitmap compatible with the screen, as the clock's frame is, drawn with brushes.
    const int width = 40, height = 30;
    HDC screen = GetDC(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(bitmap);
    const COLORREF magenta = RGB(255, 0, 255);
    {
        UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        SelectGuard selected(dc.get(), bitmap.get());
        UniqueBrush cut(CreateSolidBrush(magenta));
        UniqueBrush face(CreateSolidBrush(RGB(20, 40, 60)));
        RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, cut.get());
        RECT inner{10, 5, 30, 25};
        FillRect(dc.get(), &inner, face.get());
    }
    UniqueRegion region(RegionFromBitmap(bitmap.get(), magenta));
    ASSERT_NE(region.get(), nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 30);
    EXPECT_EQ(box.bottom, 25);

    // With red as the cut color nothing of this bitmap is cut.
    UniqueRegion whole(RegionFromBitmap(bitmap.get(), kCut));
    ASSERT_NE(whole.get(), nullptr);
    GetRgnBox(whole.get(), &box);
    EXPECT_EQ(box.right - box.left, width);
    EXPECT_EQ(box.bottom - box.top, height);
}

TEST(RegionFromBitmap, NoBitmapGivesNoRegion) {
    EXPECT_EQ(RegionFromBitmap(nullptr, kCut), nullptr);
    UniqueBrush notABitmap(CreateSolidBrush(kCut));
    EXPECT_EQ(RegionFromBitmap(reinterpret_cast<HBITMAP>(notABitmap.get()), kCut), nullptr);
}
