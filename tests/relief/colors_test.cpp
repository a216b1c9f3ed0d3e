// The cached colours, the brushes and the recoloured glyph strip: fix-ups,
// colour changes that rebuild, keep or fail, the palette, the pixels, and
// the absence of leaks.
#include <gtest/gtest.h>
#include <string.h>
#include <vector>
#include "reliefsupport.h"
#include "relief/state.h"

namespace {

ReliefRecord &rs = ReliefState;

const COLORREF kGray = RGB(128, 128, 128), kSilver = RGB(192, 192, 192);

COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    return lb.lbColor;
}

TEST(Colors, GrayTextStaysVisibleOnTheFace)
{
    FakeSysColors fake;
    ASSERT_TRUE(ReliefRegister(Self()));
    struct { COLORREF gray, face, expected; } cases[] = {
        {0, kSilver, kGray}, {kGray, kGray, kSilver}, {kGray, kSilver, kGray},
        {kSilver, kSilver, kGray}, {0, kGray, kSilver}, {RGB(1, 2, 3), kSilver, RGB(1, 2, 3)},
        {0, RGB(0, 0, 128), kGray}, {RGB(0, 0, 128), RGB(0, 0, 128), kGray},
    };
    for (const auto &c : cases) {
        fake.colors[COLOR_GRAYTEXT] = c.gray;
        fake.colors[COLOR_BTNFACE] = c.face;
        EXPECT_TRUE(ReliefColorChange());
        EXPECT_EQ(rs.SysColorTable[SYSCLR_GRAYTEXT], c.expected)
            << std::hex << "gray " << c.gray << " on face " << c.face;
    }
    ReliefUnregister(Self());
}

TEST(Colors, ChangeRebuildsOnlyWhenAColourChanged)
{
    FakeSysColors fake;
    ASSERT_TRUE(ReliefRegister(Self()));
    HGDIOBJ before[] = {rs.BrushTable[0], rs.BrushTable[1], rs.BrushTable[2], rs.checkBitmap};
    EXPECT_TRUE(ReliefColorChange());
    EXPECT_TRUE(ReliefColorChange());
    HGDIOBJ same[] = {rs.BrushTable[0], rs.BrushTable[1], rs.BrushTable[2], rs.checkBitmap};
    EXPECT_EQ(memcmp(before, same, sizeof before), 0) << "handles kept";

    fake.colors[COLOR_BTNSHADOW] = RGB(1, 2, 3);
    EXPECT_TRUE(ReliefColorChange());
    EXPECT_EQ(rs.SysColorTable[SYSCLR_BTNSHADOW], RGB(1, 2, 3));
    EXPECT_EQ(BrushColor(rs.BrushTable[2]), RGB(1, 2, 3));
    HGDIOBJ after[] = {rs.BrushTable[0], rs.BrushTable[1], rs.BrushTable[2], rs.checkBitmap};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(after[i], before[i]) << "object " << i << " replaced";
        EXPECT_EQ(GetObjectType(before[i]), 0u) << "object " << i << " deleted";
    }
    ReliefUnregister(Self());
}

TEST(Colors, FailedRebuildKeepsTheOldObjects)
{
    FakeSysColors fake;
    ASSERT_TRUE(ReliefRegister(Self()));
    COLORREF table[SYSCLR_COUNT];
    memcpy(table, rs.SysColorTable, sizeof table);
    HBRUSH brushes[3] = {rs.BrushTable[0], rs.BrushTable[1], rs.BrushTable[2]};
    HBITMAP bitmap = rs.checkBitmap;
    int objects = GdiObjectCount();

    // From now on the glyph strip is looked for in a module that lacks it.
    ReliefProcessAttach(GetModuleHandleA("kernel32.dll"), DLL_PROCESS_ATTACH, nullptr);
    fake.colors[COLOR_BTNFACE] = RGB(10, 20, 30);
    EXPECT_FALSE(ReliefColorChange());
    EXPECT_TRUE(rs.reliefOn);
    EXPECT_EQ(memcmp(table, rs.SysColorTable, sizeof table), 0);
    EXPECT_EQ(rs.checkBitmap, bitmap);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rs.BrushTable[i], brushes[i]);
        EXPECT_EQ(GetObjectType(brushes[i]), (DWORD)OBJ_BRUSH);
    }
    EXPECT_EQ(BrushColor(rs.BrushTable[1]), table[SYSCLR_BTNFACE]);
    EXPECT_EQ(GdiObjectCount(), objects) << "the new brushes are freed";
    ReliefUnregister(Self());
}

// Many cycles of registration, hooks and colour changes, counted after a
// first cycle has warmed the system's caches.
TEST(Colors, CyclesLeaveNoGdiObjectsOrAtoms)
{
    FakeSysColors fake;
    auto cycle = [&](int i) {
        ReliefRegister(Self());
        ReliefAutoSubclass(Self());
        fake.colors[COLOR_BTNFACE] = RGB(i, 100, 200);
        ReliefColorChange();
        ReliefRegister(Self());
        fake.colors[COLOR_WINDOW] = RGB(200, i, 100);
        ReliefColorChange();
        ReliefUnregister(Self());
        ReliefUnregister(Self());
    };
    cycle(0);
    int objects = GdiObjectCount();
    for (int i = 1; i <= 200; ++i)
        cycle(i);
    EXPECT_EQ(GdiObjectCount(), objects);
    EXPECT_EQ(PropertyAtomsFound(), 0);
    EXPECT_EQ(rs.hookCount, 0);
}

// ---- The glyph strip ----

// The 16 standard colours as palette entries: blue, green, red, zero.
const BYTE kStandardPalette[16][4] = {
    {0, 0, 0, 0}, {0, 0, 128, 0}, {0, 128, 0, 0}, {0, 128, 128, 0},
    {128, 0, 0, 0}, {128, 0, 128, 0}, {128, 128, 0, 0}, {128, 128, 128, 0},
    {192, 192, 192, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {0, 255, 255, 0},
    {255, 0, 0, 0}, {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

int TableEntry(int x, int y)
{
    char digit[2] = {kGlyphRows[y][x], 0};
    return (int)strtol(digit, nullptr, 16);
}

TEST(GlyphStrip, ResourceIsTheTable)
{
    HRSRC info = FindResourceA(Self(), MAKEINTRESOURCEA(26567), (LPCSTR)RT_BITMAP);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(SizeofResource(Self(), info), 1508u);
    const BYTE *data = (const BYTE *)LockResource(LoadResource(Self(), info));
    const BITMAPINFOHEADER header = {40, 70, 39, 1, 4, BI_RGB, 1404, 0, 0, 0, 0};
    EXPECT_EQ(memcmp(data, &header, sizeof header), 0) << "the header";
    EXPECT_EQ(memcmp(data + 40, kStandardPalette, 64), 0) << "the 16 standard colours";
    for (int y = 0; y < 39; ++y) {
        const BYTE *row = data + 104 + (38 - y) * 36;    // bottom row first
        for (int x = 0; x < 72; ++x) {
            int pixel = x % 2 ? row[x / 2] & 0xF : row[x / 2] >> 4;
            ASSERT_EQ(pixel, x < 70 ? TableEntry(x, y) : 0) << "x " << x << ", y " << y;
        }
        ASSERT_EQ(row[35], 0) << "padding of row " << y;
    }
}

ImportPatch *createPatch;
RGBQUAD recordedPalette[16];

HBITMAP WINAPI RecordCreateDIBitmap(HDC dc, const BITMAPINFOHEADER *header, DWORD init,
                                    const void *bits, const BITMAPINFO *info, UINT usage)
{
    memcpy(recordedPalette, info->bmiColors, sizeof recordedPalette);
    return createPatch->Original<decltype(&CreateDIBitmap)>()(dc, header, init, bits, info, usage);
}

// The six palette entries the picture uses take the cached colours, blue
// first, the ten others keep theirs; every pixel comes out as the table.
TEST(GlyphStrip, RecolouredPixelsFollowTheTable)
{
    FakeSysColors fake;
    const struct { int index, entry; COLORREF color; } colors[] = {
        {COLOR_WINDOWTEXT, 0, RGB(200, 0, 0)}, {COLOR_BTNSHADOW, 7, RGB(0, 100, 0)},
        {COLOR_BTNFACE, 8, RGB(0, 0, 150)}, {COLOR_BTNHIGHLIGHT, 15, RGB(250, 250, 0)},
        {COLOR_WINDOW, 11, RGB(0, 220, 220)}, {COLOR_WINDOWFRAME, 10, RGB(120, 0, 120)},
    };
    COLORREF byEntry[16] = {};
    for (int i = 0; i < 16; ++i)
        byEntry[i] = RGB(kStandardPalette[i][2], kStandardPalette[i][1], kStandardPalette[i][0]);
    for (const auto &c : colors)
        fake.colors[c.index] = byEntry[c.entry] = c.color;
    ImportPatch patch("gdi32.dll", "CreateDIBitmap", (void *)RecordCreateDIBitmap);
    createPatch = &patch;
    ASSERT_TRUE(ReliefRegister(Self()));
    for (int i = 0; i < 16; ++i) {
        const RGBQUAD &q = recordedPalette[i];
        EXPECT_TRUE(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue) == byEntry[i] && !q.rgbReserved) << i;
    }

    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, 70, -39, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(70 * 39);
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(screen, rs.checkBitmap, 0, 39, pixels.data(), &bi, DIB_RGB_COLORS), 39);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 70; ++x) {
            DWORD p = pixels[y * 70 + x];
            ASSERT_EQ(RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF), byEntry[TableEntry(x, y)])
                << "x " << x << ", y " << y;
        }
    ReliefUnregister(Self());
}

}  // namespace
