// The cached colours, the brushes and the recoloured glyph strip (fix-ups,
// colour changes that rebuild, keep or fail, the palette, the pixels, no
// leaks), and the drawing primitives, pixel by pixel on memory DCs, in
// colours each test sets itself.
#include <gtest/gtest.h>
#include <string.h>
#include <vector>
#include "reliefsupport.h"
#include "relief/edges.h"
#include "relief/state.h"

namespace {

ReliefRecord &rs = ReliefState;

const COLORREF kGray = RGB(128, 128, 128), kSilver = RGB(192, 192, 192);

COLORREF BrushColor(HBRUSH b) { LOGBRUSH lb{}; GetObjectA(b, sizeof lb, &lb); return lb.lbColor; }

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
        fake.colors[COLOR_GRAYTEXT] = c.gray, fake.colors[COLOR_BTNFACE] = c.face;
        EXPECT_TRUE(ReliefColorChange() && rs.SysColorTable[SYSCLR_GRAYTEXT] == c.expected)
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
    EXPECT_TRUE(rs.SysColorTable[SYSCLR_BTNSHADOW] == RGB(1, 2, 3)
                && BrushColor(rs.BrushTable[2]) == RGB(1, 2, 3));
    HGDIOBJ after[] = {rs.BrushTable[0], rs.BrushTable[1], rs.BrushTable[2], rs.checkBitmap};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(after[i] != before[i] && !GetObjectType(before[i])) << "replaced " << i;
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
    EXPECT_TRUE(rs.reliefOn && rs.checkBitmap == bitmap);
    EXPECT_EQ(memcmp(table, rs.SysColorTable, sizeof table), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(rs.BrushTable[i] == brushes[i] && GetObjectType(brushes[i]) == OBJ_BRUSH) << i;
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
        ReliefRegister(Self()), ReliefAutoSubclass(Self());
        fake.colors[COLOR_BTNFACE] = RGB(i, 100, 200);
        ReliefColorChange(), ReliefRegister(Self());
        fake.colors[COLOR_WINDOW] = RGB(200, i, 100);
        ReliefColorChange(), ReliefUnregister(Self()), ReliefUnregister(Self());
    };
    cycle(0);
    int objects = GdiObjectCount();
    for (int i = 1; i <= 200; ++i)
        cycle(i);
    EXPECT_EQ(GdiObjectCount(), objects);
    EXPECT_TRUE(!PropertyAtomsFound() && !rs.hookCount);
}

// ---- The glyph strip ----

// The 16 standard colours as palette entries: blue, green, red, zero.
const BYTE kStandardPalette[16][4] = {
    {0, 0, 0, 0}, {0, 0, 128, 0}, {0, 128, 0, 0}, {0, 128, 128, 0}, {128, 0, 0, 0},
    {128, 0, 128, 0}, {128, 128, 0, 0}, {128, 128, 128, 0}, {192, 192, 192, 0}, {0, 0, 255, 0},
    {0, 255, 0, 0}, {0, 255, 255, 0}, {255, 0, 0, 0}, {255, 0, 255, 0}, {255, 255, 0, 0},
    {255, 255, 255, 0},
};

int TableEntry(int x, int y) { char d[2] = {kGlyphRows[y][x], 0}; return (int)strtol(d, 0, 16); }

ImportPatch *createPatch;
RGBQUAD recordedPalette[16];

HBITMAP WINAPI RecordCreateDIBitmap(HDC dc, const BITMAPINFOHEADER *header, DWORD init,
                                    const void *bits, const BITMAPINFO *info, UINT usage)
{
    memcpy(recordedPalette, info->bmiColors, sizeof recordedPalette);
    return createPatch->Original<decltype(&CreateDIBitmap)>()(dc, header, init, bits, info, usage);
}

// The resource: a 40-byte header, the standard palette and rows padded
// with zeros. Recoloured, the six entries the picture uses take the cached
// colours, blue first, the ten others keep theirs; every pixel comes out
// as the table.
TEST(GlyphStrip, ResourceRecolouredFollowsTheTable)
{
    HRSRC info = FindResourceA(Self(), MAKEINTRESOURCEA(26567), (LPCSTR)RT_BITMAP);
    ASSERT_TRUE(info && SizeofResource(Self(), info) == 1508);
    const BYTE *data = (const BYTE *)LockResource(LoadResource(Self(), info));
    const BITMAPINFOHEADER header = {40, 70, 39, 1, 4, BI_RGB, 1404, 0, 0, 0, 0};
    EXPECT_EQ(memcmp(data, &header, sizeof header), 0) << "the header";
    EXPECT_EQ(memcmp(data + 40, kStandardPalette, 64), 0) << "the 16 standard colours";
    for (int y = 0; y < 39; ++y)
        EXPECT_EQ(data[104 + 36 * y + 35], 0) << "padding of row " << y;
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

// ---- The drawing primitives ----

const COLORREF kBack = RGB(1, 2, 3);
COLORREF Color(int index) { return ReliefState.SysColorTable[index]; }

void SetDistinctColors()
{
    for (int i = 0; i < SYSCLR_COUNT; ++i)
        ReliefState.SysColorTable[i] = RGB(20 * (i + 1), 0x40, 0x80);
}

// The four lines of a full edge on rect: the top-left pixel and the rest
// of the top row and left column in the first colour, the right column and
// bottom row in the second.
void ExpectEdge(const Canvas &c, RECT r, COLORREF first, COLORREF second)
{
    for (int x = r.left; x < r.right; ++x) {
        EXPECT_EQ(c.At(x, r.top), x < r.right - 1 ? first : second) << "top, x " << x;
        EXPECT_EQ(c.At(x, r.bottom - 1), second) << "bottom, x " << x;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        EXPECT_EQ(c.At(r.left, y), y < r.bottom - 1 ? first : second) << "left, y " << y;
        EXPECT_EQ(c.At(r.right - 1, y), second) << "right, y " << y;
    }
}

TEST(PaintEdge, FourSidesOnTenByTen)
{
    SetDistinctColors();
    Canvas c(20, 20, kBack);
    SetBkColor(c.dc, RGB(9, 9, 9));
    int objects = GdiObjectCount();
    RECT r = {5, 5, 15, 15};
    PaintEdge(c.dc, &r, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_ALL);
    EXPECT_TRUE(c.Count(Color(SYSCLR_BTNHILITE)) == 17 && c.Count(Color(SYSCLR_BTNSHADOW)) == 19
                && c.Count(kBack) == 400 - 36);
    ExpectEdge(c, r, Color(SYSCLR_BTNHILITE), Color(SYSCLR_BTNSHADOW));
    EXPECT_EQ(GetBkColor(c.dc), RGB(9, 9, 9)) << "background colour restored";
    EXPECT_EQ(GdiObjectCount(), objects) << "no GDI object created";
}

// A short bottom line stops two pixels before the corner, which the right
// line paints; shortened to nothing or less (a field narrower than two
// pixels, or inverted) it draws nothing at all.
TEST(PaintEdge, ShortBottom)
{
    SetDistinctColors();
    const COLORREF second = Color(SYSCLR_BTNSHADOW);
    Canvas c(20, 20, kBack);
    RECT r = {5, 5, 15, 15};
    const WORD shortBottom = EDGE_BOTTOM | EDGE_SHORT_BOTTOM;
    PaintEdge(c.dc, &r, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, shortBottom | EDGE_RIGHT);
    for (int x = 5; x <= 12; ++x)
        EXPECT_EQ(c.At(x, 14), second) << "x " << x;
    EXPECT_EQ(c.At(13, 14), kBack) << "left unpainted";
    EXPECT_EQ(c.At(14, 14), second) << "corner painted by the right line";
    EXPECT_EQ(c.Count(second), 8 + 10);
    for (int width : {2, 1, 0, -3}) {
        Canvas narrow(20, 20, kBack);
        RECT n = {8, 5, 8 + width, 15};
        PaintEdge(narrow.dc, &n, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, shortBottom);
        EXPECT_EQ(narrow.Count(kBack), 400) << "width " << width;
    }
}

ImportPatch *bkPatch;
int bkCalls;
COLORREF WINAPI CountSetBkColor(HDC dc, COLORREF color)
{
    ++bkCalls;
    return bkPatch->Original<COLORREF(WINAPI *)(HDC, COLORREF)>()(dc, color);
}

TEST(PaintEdge, BackgroundColourSetOncePerColourAndRestoredOnce)
{
    SetDistinctColors();
    Canvas c(20, 20, kBack);
    ImportPatch patch("gdi32.dll", "SetBkColor", (void *)CountSetBkColor);
    bkPatch = &patch;
    RECT r = {2, 2, 12, 12};
    struct { WORD first, second, sides; int calls; } cases[] = {
        {SYSCLR_BTNFACE, SYSCLR_BTNFACE, EDGE_ALL, 2},
        {SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_ALL, 3},
        {SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_RIGHT | EDGE_BOTTOM, 3},
    };
    for (const auto &k : cases) {
        bkCalls = 0;
        PaintEdge(c.dc, &r, k.first, k.second, k.sides);
        EXPECT_EQ(bkCalls, k.calls) << "colours " << k.first << ", " << k.second;
    }
}

TEST(PaintSunkenBorder, TwoRingsAroundTheField)
{
    SetDistinctColors();
    Canvas c(64, 48, kBack);
    RECT field = {10, 10, 50, 30};
    PaintSunkenBorder(c.dc, &field, EDGE_ALL | EDGE_SHORT_BOTTOM);
    ExpectEdge(c, field, Color(SYSCLR_WINDOWFRAME), Color(SYSCLR_BTNFACE));
    // The outer ring on x 9 ... 50, y 9 ... 30, its bottom row short.
    for (int x = 9; x <= 50; ++x) {
        EXPECT_EQ(c.At(x, 9), x < 50 ? Color(SYSCLR_BTNSHADOW) : Color(SYSCLR_BTNHILITE)) << x;
        EXPECT_EQ(c.At(x, 30), x == 49 ? kBack : Color(SYSCLR_BTNHILITE)) << x;
    }
    for (int y = 9; y <= 30; ++y) {
        EXPECT_EQ(c.At(9, y), y < 30 ? Color(SYSCLR_BTNSHADOW) : Color(SYSCLR_BTNHILITE)) << y;
        EXPECT_EQ(c.At(50, y), Color(SYSCLR_BTNHILITE)) << y;
    }
    int rings = 2 * (40 + 20) - 4 + 2 * (42 + 22) - 4 - 1;
    EXPECT_EQ(c.Count(kBack), 64 * 48 - rings) << "nothing painted inside or beyond";
}

TEST(ClipToClient, NarrowsTheClipToTheClientArea)
{
    HWND window = Window("STATIC", WS_CAPTION, nullptr, 0, 0, 200, 120);
    RECT client, box;
    GetClientRect(window, &client);
    ASSERT_LT(client.bottom, 120);
    Canvas c(300, 200, kBack);
    IntersectClipRect(c.dc, 5, 5, 300, 200);
    ClipToClient(window, c.dc);
    GetClipBox(c.dc, &box);
    RECT expected = {5, 5, client.right, client.bottom};
    EXPECT_TRUE(EqualRect(&box, &expected)) << box.right << "," << box.bottom;
    DestroyWindow(window);
}

// Captions are measured without their markers; a long one by its first
// 255 bytes.
TEST(MeasureLabelText, MeasuresTheCaptionWithoutMarkers)
{
    Canvas c(10, 10, kBack);
    SelectObject(c.dc, GetStockObject(DEFAULT_GUI_FONT));
    auto extent = [&](const std::string &text) {
        SIZE size{};
        GetTextExtentPoint32A(c.dc, text.c_str(), (int)text.size(), &size);
        return size;
    };
    ASSERT_NE(extent("&").cx, 0) << "an ampersand has a width";
    const std::string longCaption(400, 'W');
    struct { const char *caption, *shown; } cases[] = {
        {"File &name:", "File name:"}, {"a&&b", "a&b"}, {"end&", "end"}, {"&F", "F"},
        {"", ""}, {"A\x1e" "B\x1f" "C", "A\x1e" "B\x1f" "C"},    // no DBCS: plain bytes
        {longCaption.c_str(), longCaption.c_str() + 145},
    };
    for (const auto &k : cases) {
        int cx = -1, cy = -1;
        MeasureLabelText(c.dc, k.caption, &cx, &cy);
        SIZE want = extent(k.shown);
        EXPECT_TRUE(cx == want.cx && cy == want.cy) << k.caption;
    }
}

}  // namespace
