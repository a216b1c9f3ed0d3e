// The relief look painted: the gallery dialog on a registered thread below
// version 3.95 (CTest sets 3.51 for this program), read back pixel by pixel
// against the layouts of buttons, glyphs, group boxes, field borders and
// static frames, with colours that are all distinct.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "reliefsupport.h"
#include "relief/subclass.h"
#include "tools/gallery.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
const COLORREF kHilite = RGB(250, 250, 240), kFace = RGB(190, 190, 180), kShadow = RGB(120, 110, 100),
               kText = RGB(10, 20, 30), kWindow = RGB(255, 255, 254), kWindowText = RGB(40, 0, 0),
               kGray = RGB(140, 140, 150), kFrame = RGB(0, 0, 60);

// A whole window area (client, or with nc the whole window) read back.
std::unique_ptr<Canvas> Shot(HWND window, bool nc = false)
{
    RECT r;
    nc ? GetWindowRect(window, &r) : GetClientRect(window, &r);
    auto canvas = std::make_unique<Canvas>(r.right - r.left, r.bottom - r.top, 0);
    HDC dc = nc ? GetWindowDC(window) : GetDC(window);
    BitBlt(canvas->dc, 0, 0, canvas->width, canvas->height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas;
}

// The control's window rectangle in its dialog's client coordinates.
RECT InDialog(HWND control, HWND dialog)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, (POINT *)&r, 2);
    return r;
}

struct Pixel {
    int x, y;
    COLORREF color;
    const char *what;
};

void ExpectPixels(const Canvas &c, int dx, int dy, std::initializer_list<Pixel> pixels, const std::string &where)
{
    for (const Pixel &p : pixels)
        EXPECT_EQ(c.At(dx + p.x, dy + p.y), p.color) << where << ": " << p.what << " at " << p.x << "," << p.y;
}

class Gallery : public testing::Test {
protected:
    FakeSysColors fake;
    HWND dialog = nullptr;

    void SetUp() override
    {
        const struct { int index; COLORREF color; } colors[] = {
            {COLOR_BTNHIGHLIGHT, kHilite}, {COLOR_BTNFACE, kFace}, {COLOR_BTNSHADOW, kShadow},
            {COLOR_BTNTEXT, kText}, {COLOR_WINDOW, kWindow}, {COLOR_WINDOWTEXT, kWindowText},
            {COLOR_GRAYTEXT, kGray}, {COLOR_WINDOWFRAME, kFrame}};
        for (const auto &c : colors)
            fake.colors[c.index] = c.color;
        ASSERT_TRUE(ReliefRegister(Self()));
        ASSERT_TRUE(ReliefAutoSubclass(Self()));
        ASSERT_LT(ReliefState.winVersion, WINVER_395) << "set by CTest";
        dialog = CreateGallery(Self());
        ASSERT_NE(dialog, nullptr);
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        Settle();
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        ReliefUnregister(Self());
    }
    void Settle()
    {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpWait(20);
    }
    HWND Item(int id) { return GetDlgItem(dialog, id); }
};

// Push buttons: frame rings, highlight and shadow edges, face, cut corners.
TEST_F(Gallery, PushButtonVariants)
{
    SendMessageA(dialog, DM_SETDEFID, IDC_DEFAULT, 0);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)Item(IDC_CHECK), TRUE);   // no focus on the buttons
    ASSERT_EQ(GetWindowLongA(Item(IDC_DEFAULT), GWL_STYLE) & 0x1F, BS_DEFPUSHBUTTON);
    Settle();
    for (int id : {IDC_PUSH, IDC_DEFAULT, IDC_PUSHED, IDC_DEFAULT_OFF}) {
        auto c = Shot(Item(id));
        const int w = c->width, h = c->height;
        const std::string where = "button " + std::to_string(id);
        ExpectPixels(*c, 0, 0, {{0, 0, kFace, "cut corner"}, {w - 1, h - 1, kFace, "cut corner"},
                                {1, 0, kFrame, "frame"}, {0, h - 2, kFrame, "frame"}}, where);
        if (id == IDC_PUSH || id == IDC_DEFAULT_OFF)
            ExpectPixels(*c, 0, 0, {{1, 1, kHilite, "light"}, {2, h - 4, kHilite, "light"}, {w - 4, 2, kHilite, "light"},
                                    {w - 2, 1, kShadow, "dark"}, {1, h - 2, kShadow, "dark"}, {w - 3, 3, kShadow, "dark"},
                                    {3, h - 3, kShadow, "dark"}, {3, 3, kFace, "face"}, {w - 4, h - 4, kFace, "face"}}, where);
        if (id == IDC_DEFAULT)
            ExpectPixels(*c, 0, 0, {{1, 1, kFrame, "second ring"}, {w - 2, h - 2, kFrame, "second ring"},
                                    {2, 2, kHilite, "light"}, {3, 4, kHilite, "light"}, {w - 3, 3, kShadow, "dark"},
                                    {4, h - 4, kShadow, "dark"}, {4, 4, kFace, "face"}}, where);
        if (id == IDC_PUSHED)
            ExpectPixels(*c, 0, 0, {{1, 1, kShadow, "dark"}, {1, h - 2, kShadow, "dark"}, {w - 2, 1, kShadow, "dark"},
                                    {2, 2, kFace, "face"}, {w - 2, h - 2, kFace, "face"}}, where);
        EXPECT_EQ(c->Count(kGray) > 0, id == IDC_DEFAULT_OFF) << where << ": grey caption when disabled";
    }
}

// Each glyph cell is the strip's cell chosen by kind and state, in the
// cached colours, at the glyph side of the box.
COLORREF GlyphColor(char digit)
{
    switch (digit) {
    case '0': return kWindowText;
    case '7': return kShadow;
    case '8': return kFace;
    case 'a': return kFrame;
    case 'b': return kWindow;
    case 'f': return kHilite;
    }
    return RGB(1, 2, 3);
}

TEST_F(Gallery, GlyphCellsByState)
{
    SendMessageA(Item(IDC_CHECK), BM_SETSTATE, TRUE, 0);
    SendMessageA(Item(IDC_CHECKED_OFF), BM_SETSTATE, TRUE, 0);
    SendMessageA(Item(IDC_CHECK_LEFT), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(Item(IDC_CHECK_LEFT), BM_SETSTATE, TRUE, 0);
    const struct { int id, row, column; bool right; } cases[] = {
        {IDC_CHECK, 0, 2, false},          // pushed, unchecked
        {IDC_CHECKED, 0, 1, false},
        {IDC_CHECK_OFF, 0, 2, false},      // disabled, unchecked
        {IDC_CHECKED_OFF, 0, 4, false},    // disabled, pushed and checked: kept in the strip
        {IDC_CHECK_LEFT, 0, 2, true},
        {IDC_THREE_STATE, 2, 1, false},
        {IDC_RADIO_ONE, 1, 1, false},
        {IDC_RADIO_TWO, 1, 0, false},
    };
    for (const auto &c : cases) {
        auto shot = Shot(Item(c.id));
        int x0 = c.right ? shot->width - 14 : 0, y0 = (shot->height - 13) / 2, wrong = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 14; ++x)
                wrong += shot->At(x0 + x, y0 + y) != GlyphColor(kGlyphRows[13 * c.row + y][14 * c.column + x]);
        EXPECT_EQ(wrong, 0) << "box " << c.id << ": cell row " << c.row << " column " << c.column;
    }
    CheckDlgButton(dialog, IDC_THREE_STATE, BST_CHECKED);
    auto shot = Shot(Item(IDC_THREE_STATE));
    EXPECT_EQ(shot->At(4, (shot->height - 13) / 2 + 4), kWindowText) << "checked three-state: the check box's cross";
}

// Group box: a shadow ring from the caption's half height, a highlight ring
// one pixel right and down over it, the caption on the face colour.
TEST_F(Gallery, GroupBoxRingsAndCaption)
{
    HWND group = Item(IDC_GROUP);
    HDC dc = GetDC(group);
    SelectObject(dc, (HFONT)SendMessageA(group, WM_GETFONT, 0, 0));
    SIZE size;
    GetTextExtentPoint32A(dc, "Group", 5, &size);
    ReleaseDC(group, dc);
    auto c = Shot(group);
    const int w = c->width, h = c->height, top = size.cy / 2;
    ExpectPixels(*c, 0, 0, {{0, top, kShadow, "shadow top-left"}, {w - 2, top + 5, kShadow, "shadow right"},
                            {5, h - 2, kShadow, "shadow bottom"}, {1, top + 5, kHilite, "highlight left"},
                            {w - 1, top + 5, kHilite, "highlight right"}, {5, h - 1, kHilite, "highlight bottom"},
                            {w - 10, top + 1, kHilite, "highlight top"}, {w - 10, top, kShadow, "shadow top"},
                            {3, top, kShadow, "left of the caption"}, {6 + size.cx, top, kShadow, "right of the caption"}},
                 "group box");
    RECT caption = {4, top, 4 + size.cx, top + 1};
    EXPECT_EQ(c->Count(caption, kShadow), 0) << "the caption's background covers the frame line";
}

// Field borders in the dialog: the sunken rings and the scroll-bar lines.
TEST_F(Gallery, FieldBorders)
{
    auto c = Shot(dialog);
    const int cxV = GetSystemMetrics(SM_CXVSCROLL), cxH = GetSystemMetrics(SM_CXHSCROLL);
    RECT e = InDialog(Item(IDC_EDIT), dialog);
    ExpectPixels(*c, e.left, e.top, {{0, 0, kFrame, "inner top"}, {0, 5, kFrame, "inner left"},
                                     {e.right - e.left - 1, 5, kFace, "inner right"}, {5, e.bottom - e.top - 1, kFace, "inner bottom"},
                                     {-1, -1, kShadow, "outer corner"}, {5, -1, kShadow, "outer top"},
                                     {e.right - e.left, 5, kHilite, "outer right"}, {5, e.bottom - e.top, kHilite, "outer bottom"}},
                 "edit");
    RECT s = InDialog(Item(IDC_EDIT_SCROLL), dialog);
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    ExpectPixels(*c, s.left, s.top, {{0, 0, kFrame, "inner top"}, {-1, 5, kShadow, "outer left"},
                                     {sw, 5, kHilite, "beside the vertical bar"}, {sw - cxV, sh - 1, kFrame, "under the vertical bar"},
                                     {5, sh, kHilite, "under the horizontal bar"}, {sw - 1, sh - cxH, kFrame, "beside the horizontal bar"},
                                     {sw + 1, 5, kFace, "no outer right side"}, {5, sh + 1, kFace, "no outer bottom side"}},
                 "edit with scroll bars");
    RECT l = InDialog(Item(IDC_COMBO_LIST), dialog);
    ExpectPixels(*c, l.left, l.top, {{0, 0, kFrame, "inner top"}, {l.right - l.left - 1, 5, kFrame, "button edge"},
                                     {l.right - l.left - cxV, l.bottom - l.top - 1, kFrame, "button bottom"},
                                     {-1, 5, kShadow, "outer left"}, {5, l.bottom - l.top, kHilite, "outer bottom"}},
                 "drop-down list combo");
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Item(IDC_COMBO_DROPDOWN), &info);
    RECT d = InDialog(info.hwndItem, dialog);
    ExpectPixels(*c, d.left, d.top, {{0, 0, kFrame, "edit field inner top"}, {-1, 3, kShadow, "edit field outer left"},
                                     {3, d.bottom - d.top, kHilite, "edit field outer bottom"}},
                 "drop-down combo");
    GetComboBoxInfo(Item(IDC_COMBO_SIMPLE), &info);
    RECT se = InDialog(info.hwndItem, dialog), sl = InDialog(info.hwndList, dialog);
    ExpectPixels(*c, 0, 0, {{se.left, se.top, kFrame, "edit field inner top"}, {se.left - 1, se.top + 3, kShadow, "edit field outer left"},
                            {sl.left + 3, sl.bottom, kHilite, "list outer bottom"},
                            {sl.left + 3, sl.bottom - 1, kFace, "list inner bottom"},
                            {sl.right, sl.top + 5, kHilite, "list outer right"}},
                 "simple combo");
}

// Static frames: sunken, raised and etched, one pixel wide.
TEST_F(Gallery, StaticFrames)
{
    const struct { int id; COLORREF topLeft, bottomRight, innerTopLeft; } cases[] = {
        {IDC_BLACK_FRAME, kShadow, kHilite, kFace}, {IDC_BLACK_RECT, kShadow, kHilite, kFace},
        {IDC_WHITE_FRAME, kHilite, kShadow, kFace}, {IDC_WHITE_RECT, kHilite, kShadow, kFace},
        {IDC_GRAY_FRAME, kShadow, kHilite, kHilite}, {IDC_ETCHED_FRAME, kShadow, kHilite, kHilite},
    };
    for (const auto &c : cases) {
        auto shot = Shot(Item(c.id));
        const int w = shot->width, h = shot->height;
        ExpectPixels(*shot, 0, 0, {{0, 0, c.topLeft, "top-left"}, {0, h / 2, c.topLeft, "left"},
                                   {w - 1, h / 2, c.bottomRight, "right"}, {w / 2, h - 1, c.bottomRight, "bottom"},
                                   {1, 1, c.innerTopLeft, "inside"}, {w / 2, h / 2, kFace, "not filled"}},
                     "static " + std::to_string(c.id));
    }
}

// What a state change paints: nothing when the state stays, the glyph
// alone when it changes; focus gained and lost inverts the same outline.
TEST_F(Gallery, RepaintSequencePaintsOnlyWhatChanged)
{
    HWND box = Item(IDC_CHECK);
    auto mark = [&] {
        HDC dc = GetDC(box);
        RECT r;
        GetClientRect(box, &r);
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(box, dc);
    };
    mark();
    SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(Shot(box)->Count(RGB(255, 0, 255)), Shot(box)->width * Shot(box)->height) << "unchanged: nothing painted";
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    auto c = Shot(box);
    RECT glyph = {0, (c->height - 13) / 2, 14, (c->height - 13) / 2 + 13};
    EXPECT_EQ(c->Count(glyph, RGB(255, 0, 255)), 0) << "the glyph repainted";
    EXPECT_EQ(c->Count(RGB(255, 0, 255)), c->width * c->height - 14 * 13) << "nothing else";

    SetFocus(box);
    mark();
    SetFocus(Item(IDC_PUSH));
    auto lost = Shot(box);
    SetFocus(box);
    auto focused = Shot(box);
    SetFocus(Item(IDC_PUSH));
    auto unfocused = Shot(box);
    int outline = 0, differ = 0;
    for (int y = 0; y < lost->height; ++y)
        for (int x = 0; x < lost->width; ++x) {
            bool inverted = lost->At(x, y) != RGB(255, 0, 255);
            outline += inverted;
            differ += inverted != (focused->At(x, y) != unfocused->At(x, y));
        }
    EXPECT_GT(outline, 20) << "losing the focus inverts the outline alone";
    EXPECT_EQ(differ, 0) << "gaining and losing the focus invert the same outline";
}

// No border while a combo's list is down; the ring follows a moved edit.
TEST_F(Gallery, DroppedListAndMovedControl)
{
    HWND combo = Item(IDC_COMBO_LIST);
    RECT l = InDialog(combo, dialog);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    HDC dc = GetDC(dialog);
    SetPixel(dc, l.left - 1, l.top + 3, RGB(255, 0, 255));
    ReleaseDC(dialog, dc);
    InvalidateRect(combo, nullptr, FALSE);
    UpdateWindow(combo);
    EXPECT_EQ(Shot(dialog)->At(l.left - 1, l.top + 3), RGB(255, 0, 255)) << "no border while dropped down";
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

    HWND edit = Item(IDC_EDIT);
    RECT before = InDialog(edit, dialog);
    SetWindowPos(edit, nullptr, before.left, before.top + 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    UpdateWindow(dialog);
    PumpWait(20);
    auto c = Shot(dialog);
    EXPECT_EQ(c->At(before.left + 5, before.top - 1), kFace) << "old outer top repainted by the dialog";
    EXPECT_EQ(c->At(before.left + 5, before.top + 5), kShadow) << "new outer top";
}

// Relief galleries created, painted and destroyed leave no GDI object
// behind (the bench runs a thousand).
TEST_F(Gallery, CreatedAndDestroyedLeavesNoObjects)
{
    const int objects = GdiObjectCount();
    ASSERT_GT(objects, 0) << "the GDI handle table could not be read";
    for (int i = 0; i < 20; ++i) {
        HWND other = CreateGallery(Self(), dialog);
        ShowWindow(other, SW_SHOW);
        RedrawWindow(other, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DestroyWindow(other);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

}  // namespace
