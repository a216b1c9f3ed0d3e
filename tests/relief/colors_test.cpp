// The cached colours, the brushes and the recoloured glyph strip: fix-ups,
// colour changes that rebuild, keep or fail, the palette, the pixels, and
// the absence of leaks.
#include <gtest/gtest.h>
#include <string.h>
#include <vector>
#include "reliefsupport.h"
#include "relief/state.h"
#include "server/server.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
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

TEST(Colors, ServerFrameHandsColourChangesToTheLibrary)
{
    FakeSysColors fake;
    hInst = Self();
    fReliefLook = 1;
    RegisterFrameClass();
    HWND frame = CreateFrameWindow("relief colours");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ReliefRegister(hInst));
    HBRUSH face = rs.BrushTable[1];
    fake.colors[COLOR_BTNFACE] = RGB(40, 50, 60);
    SendMessageA(frame, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_NE(rs.BrushTable[1], face);
    EXPECT_EQ(BrushColor(rs.BrushTable[1]), RGB(40, 50, 60));
    DestroyWindow(frame);
    ReliefUnregister(hInst);
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
    BITMAPINFOHEADER h;
    memcpy(&h, data, sizeof h);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 70);
    EXPECT_EQ(h.biHeight, 39);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 4);
    EXPECT_EQ(h.biCompression, (DWORD)BI_RGB);
    EXPECT_EQ(h.biSizeImage, 1404u);
    EXPECT_EQ(h.biXPelsPerMeter | h.biYPelsPerMeter | h.biClrUsed | h.biClrImportant, 0);
    EXPECT_EQ(memcmp(data + 40, kStandardPalette, 64), 0);
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
BYTE recordedPalette[16][4];

HBITMAP WINAPI RecordCreateDIBitmap(HDC dc, const BITMAPINFOHEADER *header, DWORD init,
                                    const void *bits, const BITMAPINFO *info, UINT usage)
{
    memcpy(recordedPalette, info->bmiColors, sizeof recordedPalette);
    return createPatch->Original<decltype(&CreateDIBitmap)>()(dc, header, init, bits, info, usage);
}

TEST(GlyphStrip, PaletteTakesTheCachedColoursBlueFirst)
{
    FakeSysColors fake;
    fake.colors[COLOR_WINDOWTEXT] = RGB(255, 0, 0);
    ImportPatch patch("gdi32.dll", "CreateDIBitmap", (void *)RecordCreateDIBitmap);
    createPatch = &patch;
    ASSERT_TRUE(ReliefRegister(Self()));
    const BYTE red[4] = {0, 0, 255, 0};
    EXPECT_EQ(memcmp(recordedPalette[0], red, 4), 0);
    struct { int entry, color; } replaced[] = {{7, SYSCLR_BTNSHADOW}, {8, SYSCLR_BTNFACE},
        {15, SYSCLR_BTNHILITE}, {11, SYSCLR_WINDOW}, {10, SYSCLR_WINDOWFRAME}};
    for (const auto &r : replaced) {
        COLORREF c = rs.SysColorTable[r.color];
        const BYTE expected[4] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
        EXPECT_EQ(memcmp(recordedPalette[r.entry], expected, 4), 0) << "entry " << r.entry;
    }
    for (int entry : {1, 2, 3, 4, 5, 6, 9, 12, 13, 14})
        EXPECT_EQ(memcmp(recordedPalette[entry], kStandardPalette[entry], 4), 0) << "entry " << entry;
    ReliefUnregister(Self());
}

TEST(GlyphStrip, RecolouredPixelsFollowTheTable)
{
    FakeSysColors fake;
    fake.colors[COLOR_WINDOWTEXT] = RGB(200, 0, 0);
    fake.colors[COLOR_BTNSHADOW] = RGB(0, 100, 0);
    fake.colors[COLOR_BTNFACE] = RGB(0, 0, 150);
    fake.colors[COLOR_BTNHIGHLIGHT] = RGB(250, 250, 0);
    fake.colors[COLOR_WINDOW] = RGB(0, 220, 220);
    fake.colors[COLOR_WINDOWFRAME] = RGB(120, 0, 120);
    ASSERT_TRUE(ReliefRegister(Self()));
    COLORREF byEntry[16] = {};
    byEntry[0] = RGB(200, 0, 0);
    byEntry[7] = RGB(0, 100, 0);
    byEntry[8] = RGB(0, 0, 150);
    byEntry[15] = RGB(250, 250, 0);
    byEntry[11] = RGB(0, 220, 220);
    byEntry[10] = RGB(120, 0, 120);

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
