// The drawing primitives, pixel by pixel on memory DCs. They read only the
// cached colours, which each test sets itself.
#include <gtest/gtest.h>
#include <string>
#include "reliefsupport.h"
#include "relief/edges.h"
#include "relief/state.h"

namespace {

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
    EXPECT_EQ(c.Count(Color(SYSCLR_BTNHILITE)), 17);
    EXPECT_EQ(c.Count(Color(SYSCLR_BTNSHADOW)), 19);
    EXPECT_EQ(c.Count(kBack), 400 - 36);
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
    PaintEdge(c.dc, &r, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_BOTTOM | EDGE_SHORT_BOTTOM | EDGE_RIGHT);
    for (int x = 5; x <= 12; ++x)
        EXPECT_EQ(c.At(x, 14), second) << "x " << x;
    EXPECT_EQ(c.At(13, 14), kBack) << "left unpainted";
    EXPECT_EQ(c.At(14, 14), second) << "corner painted by the right line";
    EXPECT_EQ(c.Count(second), 8 + 10);
    for (int width : {2, 1, 0, -3}) {
        Canvas narrow(20, 20, kBack);
        RECT n = {8, 5, 8 + width, 15};
        PaintEdge(narrow.dc, &n, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_BOTTOM | EDGE_SHORT_BOTTOM);
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

// The DC's brush over exactly the part of the rectangle on the canvas,
// whatever its background colour; nothing for an empty rectangle.
TEST(PatFillRect, PaintsTheSelectedBrushOverExactlyTheRectangle)
{
    const COLORREF paint = RGB(200, 100, 50);
    const RECT whole = {0, 0, 20, 20};
    HBRUSH brush = CreateSolidBrush(paint);
    struct { RECT r; int area; } cases[] = {
        {{2, 3, 7, 11}, 40}, {{0, 0, 20, 1}, 20}, {{5, 5, 5, 9}, 0}, {{-3, -3, 2, 2}, 4},
    };
    for (const auto &k : cases) {
        Canvas c(20, 20, kBack);
        SelectObject(c.dc, brush);
        SetBkColor(c.dc, RGB(9, 9, 9));
        PatFillRect(c.dc, &k.r);
        SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
        RECT inside;
        IntersectRect(&inside, &k.r, &whole);
        EXPECT_EQ(c.Count(inside, paint), k.area) << k.r.left << ", " << k.r.top;
        EXPECT_EQ(c.Count(kBack), 400 - k.area) << k.r.left << ", " << k.r.top;
    }
    DeleteObject(brush);
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
    EXPECT_TRUE(EqualRect(&box, &expected)) << box.left << "," << box.top << "," << box.right
                                            << "," << box.bottom;
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
        EXPECT_EQ(cx, want.cx) << k.caption;
        EXPECT_EQ(cy, want.cy) << k.caption;
    }
}

}  // namespace
