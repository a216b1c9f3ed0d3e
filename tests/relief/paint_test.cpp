// The relief look painted: the gallery dialog on a registered thread below
// version 3.95 (CTest sets 3.51 for this program), read back pixel by pixel
// against the layouts of buttons, glyphs, group boxes, field borders and
// static frames, with colours that are all distinct; what a change paints
// at once against a whole repaint; what a change sends.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include "reliefsupport.h"
#include "relief/controls/controls.h"
#include "relief/subclass.h"
#include "tools/gallery.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
const COLORREF kHilite = RGB(250, 250, 240), kFace = RGB(190, 190, 180), kShadow = RGB(120, 110, 100),
               kText = RGB(10, 20, 30), kWindow = RGB(255, 255, 254), kWindowText = RGB(40, 0, 0),
               kGray = RGB(140, 140, 150), kFrame = RGB(0, 0, 60), kMark = RGB(255, 0, 255);

int Width(HWND w) { RECT r; GetClientRect(w, &r); return r.right; }
int Height(HWND w) { RECT r; GetClientRect(w, &r); return r.bottom; }

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

// The control printed, as a parent that prints its children asks, on a
// canvas of a colour no painter uses; the canvas's DC must come back as
// it went.
std::unique_ptr<Canvas> Print(HWND control)
{
    auto c = std::make_unique<Canvas>(Width(control), Height(control), kMark);
    SetTextColor(c->dc, RGB(1, 2, 3));
    SetBkColor(c->dc, RGB(4, 5, 6));
    SetBkMode(c->dc, TRANSPARENT);
    HGDIOBJ font = GetCurrentObject(c->dc, OBJ_FONT), brush = GetCurrentObject(c->dc, OBJ_BRUSH);
    SendMessageA(control, WM_PRINTCLIENT, (WPARAM)c->dc, PRF_CLIENT);
    RECT clip;
    EXPECT_EQ(GetClipBox(c->dc, &clip), SIMPLEREGION) << "control " << GetDlgCtrlID(control);
    EXPECT_TRUE(GetTextColor(c->dc) == RGB(1, 2, 3) && GetBkColor(c->dc) == RGB(4, 5, 6)
                && GetBkMode(c->dc) == TRANSPARENT && GetCurrentObject(c->dc, OBJ_FONT) == font
                && GetCurrentObject(c->dc, OBJ_BRUSH) == brush && clip.right == c->width)
        << "control " << GetDlgCtrlID(control) << ": the DC left as it was found";
    return c;
}

// A caption as DrawTextA draws it in the control's font, on the face colour.
std::unique_ptr<Canvas> Drawn(HWND control, const char *text, RECT r, UINT format, COLORREF color)
{
    auto c = std::make_unique<Canvas>(Width(control), Height(control), kFace);
    SelectObject(c->dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    SetTextColor(c->dc, color);
    SetBkColor(c->dc, kFace);
    DrawTextA(c->dc, text, -1, &r, format);
    return c;
}

SIZE Extent(HWND control, const char *text)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    SIZE size;
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

int Differ(const Canvas &a, const Canvas &b, RECT r)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += a.At(x, y) != b.At(x, y);
    return n;
}

void Fill(HWND control, COLORREF color)
{
    HDC dc = GetDC(control);
    HBRUSH brush = CreateSolidBrush(color);
    RECT r = {0, 0, Width(control), Height(control)};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(control, dc);
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

void ExpectPixels(const Canvas &c, int dx, int dy, std::initializer_list<Pixel> pixels,
                  const std::string &where)
{
    for (const Pixel &p : pixels)
        EXPECT_EQ(c.At(dx + p.x, dy + p.y), p.color) << where << ": " << p.what << " at " << p.x
                                                     << "," << p.y;
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
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)Item(IDC_CHECK), TRUE);
        Settle();
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        ReliefUnregister(Self());
    }
    void Settle()
    {
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpWait(20);
    }
    HWND Item(int id) { return GetDlgItem(dialog, id); }
};

// Push buttons: frame rings, highlight and shadow edges, face, cut corners,
// and the caption centred on the face by its extent without "&", one pixel
// lower right when pushed, grey when disabled. The disabled default button
// is a default one still, with one ring.
TEST_F(Gallery, PushButtonVariants)
{
    for (int id : {IDC_DEFAULT, IDC_DEFAULT_OFF})     // as the dialog manager leaves them
        SetWindowLongA(Item(id), GWL_STYLE, GetWindowLongA(Item(id), GWL_STYLE) | BS_DEFPUSHBUTTON);
    Settle();
    for (int id : {IDC_PUSH, IDC_DEFAULT, IDC_PUSHED, IDC_DEFAULT_OFF}) {
        auto c = Shot(Item(id));
        const int w = c->width, h = c->height;
        const std::string where = "button " + std::to_string(id);
        ExpectPixels(*c, 0, 0, {{0, 0, kFace, "cut corner"}, {w - 1, h - 1, kFace, "cut corner"},
                                {1, 0, kFrame, "frame"}, {0, h - 2, kFrame, "frame"}}, where);
        RECT face = {3, 3, w - 3, h - 3}, text = face;
        if (id == IDC_PUSH || id == IDC_DEFAULT_OFF)
            ExpectPixels(*c, 0, 0, {{1, 1, kHilite, "light"}, {2, h - 4, kHilite, "light"},
                                    {w - 4, 2, kHilite, "light"}, {w - 2, 1, kShadow, "dark"},
                                    {1, h - 2, kShadow, "dark"}, {w - 3, 3, kShadow, "dark"},
                                    {3, h - 3, kShadow, "dark"}, {3, 3, kFace, "face"},
                                    {w - 4, h - 4, kFace, "face"}}, where);
        if (id == IDC_DEFAULT) {
            ExpectPixels(*c, 0, 0, {{1, 1, kFrame, "second ring"}, {w - 2, h - 2, kFrame, "second ring"},
                                    {2, 2, kHilite, "light"}, {3, 4, kHilite, "light"},
                                    {w - 3, 3, kShadow, "dark"}, {4, h - 4, kShadow, "dark"},
                                    {4, 4, kFace, "face"}}, where);
            face = text = {4, 4, w - 4, h - 4};
        }
        if (id == IDC_PUSHED) {
            ExpectPixels(*c, 0, 0, {{1, 1, kShadow, "dark"}, {1, h - 2, kShadow, "dark"},
                                    {w - 2, 1, kShadow, "dark"}, {2, 2, kFace, "face"},
                                    {w - 2, h - 2, kFace, "face"}}, where);
            face = {2, 2, w - 1, h - 1};
            text = {3, 3, w, h};
        }
        char caption[32];
        GetWindowTextA(Item(id), caption, sizeof caption);
        std::string shown = caption;
        shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
        SIZE size = Extent(Item(id), shown.c_str());
        text.left += (text.right - text.left - size.cx) / 2;
        text.top += (text.bottom - text.top - size.cy) / 2;
        text.right = text.left + size.cx, text.bottom = text.top + size.cy;
        auto drawn = Drawn(Item(id), caption, text, DT_SINGLELINE, id == IDC_DEFAULT_OFF ? kGray : kText);
        EXPECT_EQ(Differ(*c, *drawn, face), 0) << where << ": the caption";
    }
}

// Each glyph cell is the strip's cell chosen by kind and state, in the
// cached colours, at the glyph side of the box; the text begins 18 pixels
// from that side.
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
        const int w = shot->width, h = shot->height;
        int x0 = c.right ? w - 14 : 0, y0 = (h - 13) / 2, wrong = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 14; ++x)
                wrong += shot->At(x0 + x, y0 + y) != GlyphColor(kGlyphRows[13 * c.row + y][14 * c.column + x]);
        EXPECT_EQ(wrong, 0) << "box " << c.id << ": cell row " << c.row << " column " << c.column;
        RECT gap = {c.right ? w - 17 : 14, 0, c.right ? w - 14 : 17, h};
        RECT start = {c.right ? 0 : 18, 0, c.right ? 8 : 26, h};
        EXPECT_EQ(shot->Count(gap, kFace), 3 * h) << "box " << c.id << ": the gap before the text";
        EXPECT_LT(shot->Count(start, kFace), 8 * h) << "box " << c.id << ": the text's start";
    }
    CheckDlgButton(dialog, IDC_THREE_STATE, BST_CHECKED);
    auto shot = Shot(Item(IDC_THREE_STATE));
    EXPECT_EQ(shot->At(4, (shot->height - 13) / 2 + 4), kWindowText) << "checked three-state: a cross";
}

// Group box: a shadow ring from the caption's half height, a highlight ring
// one pixel right and down over it, the caption on the face colour. A
// caption change repaints the caption band, also when the dialog clips its
// children: the old caption is gone and the frame line runs on past the
// new one; with no caption the line stays at half the height of an "X".
TEST_F(Gallery, GroupBoxRingsAndCaption)
{
    HWND group = Item(IDC_GROUP);
    const SIZE size = Extent(group, "Group"), g = Extent(group, "G");
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

    DWORD style = GetWindowLongA(dialog, GWL_STYLE);
    for (DWORD clip : {0L, WS_CLIPCHILDREN}) {
        SetWindowLongA(dialog, GWL_STYLE, style | clip);
        for (const char *text : {"G", ""}) {
            SetWindowTextA(group, "&Group");
            RedrawWindow(group, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            SetWindowTextA(group, text);
            PumpWait(20);
            auto after = Shot(group);
            const int past = *text ? 8 + g.cx : 8;
            RECT band = {past, 0, w - 2, size.cy};
            const std::string what = std::string(clip ? "clipping" : "plain") + " \"" + text + "\"";
            EXPECT_EQ(after->Count(band, kFace), (w - 2 - past) * size.cy - 2 * (w - 2 - past))
                << what << ": the band is face and frame line only";
            ExpectPixels(*after, 0, 0, {{past + 2, top, kShadow, "frame line"},
                                        {past + 2, top + 1, kHilite, "frame line"}}, what);
        }
    }
}

// Field borders in the dialog: the sunken rings and the scroll-bar lines.
TEST_F(Gallery, FieldBorders)
{
    auto c = Shot(dialog);
    const int cxV = GetSystemMetrics(SM_CXVSCROLL), cxH = GetSystemMetrics(SM_CXHSCROLL);
    for (int id : {IDC_EDIT, IDC_LIST}) {    // the list shows no scroll bar: its items fit
        RECT e = InDialog(Item(id), dialog);
        const int ew = e.right - e.left, eh = e.bottom - e.top;
        ExpectPixels(*c, e.left, e.top, {{0, 0, kFrame, "inner top"}, {0, 5, kFrame, "inner left"},
                                         {ew - 1, 5, kFace, "inner right"}, {5, eh - 1, kFace, "inner bottom"},
                                         {-1, -1, kShadow, "outer corner"}, {5, -1, kShadow, "outer top"},
                                         {ew, 5, kHilite, "outer right"}, {5, eh, kHilite, "outer bottom"}},
                     "field " + std::to_string(id));
    }
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

// Printed, each control shows what it shows on the screen and leaves the
// DC as it found it; frames and rectangles are one pixel wide (sunken,
// raised or etched) and, like the group box, leave their insides unfilled;
// an icon static given the relief procedure paints nothing.
TEST_F(Gallery, PrintedAsOnTheScreen)
{
    InstallSubclass(Item(IDC_ICON_STATIC), ReliefStaticProc);
    const struct { int id, inset; COLORREF left, inner, right; } cases[] = {  // at half height
        {IDC_PUSH, -1, kFrame, kHilite, kFrame}, {IDC_PUSHED, -1, kFrame, kShadow, kFrame},
        {IDC_CHECKED, -1, 0, 0, kFace}, {IDC_TEXT_CENTER, -1, kFace, kFace, kFace},
        {IDC_BLACK_FRAME, 1, kShadow, kMark, kHilite}, {IDC_BLACK_RECT, 1, kShadow, kMark, kHilite},
        {IDC_WHITE_FRAME, 1, kHilite, kMark, kShadow}, {IDC_WHITE_RECT, 1, kHilite, kMark, kShadow},
        {IDC_GRAY_FRAME, 2, kShadow, kHilite, kHilite}, {IDC_GRAY_RECT, 2, kShadow, kHilite, kHilite},
        {IDC_ETCHED_FRAME, 2, kShadow, kHilite, kHilite}, {IDC_GROUP, 20, kShadow, kHilite, kHilite},
        {IDC_ICON_STATIC, 0, kMark, kMark, kMark},
    };
    for (const auto &c : cases) {
        HWND control = Item(c.id);
        auto printed = Print(control), shown = Shot(control);
        const int w = printed->width, h = printed->height;
        int differ = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                differ += printed->At(x, y) != kMark && printed->At(x, y) != shown->At(x, y);
        const std::string what = "control " + std::to_string(c.id);
        EXPECT_EQ(differ, 0) << what;
        if (c.left)
            ExpectPixels(*printed, 0, h / 2, {{0, 0, c.left, "left"}, {1, 0, c.inner, "inner"},
                                              {w - 1, 0, c.right, "right"}}, what);
        RECT inside = {c.inset, c.inset, w - c.inset, h - c.inset};
        if (c.inset >= 0) {
            EXPECT_EQ(printed->Count(inside, kMark), (w - 2 * c.inset) * (h - 2 * c.inset)) << what;
        } else {
            EXPECT_EQ(printed->Count(kMark), 0) << what << ": filled";
        }
    }
}

// Text statics print as DrawTextA draws their caption in the format of
// their kind: word wrap but for SS_LEFTNOWORDWRAP, tabs expanded, "&"
// drawn with SS_NOPREFIX, grey when disabled.
TEST_F(Gallery, StaticTextsByKind)
{
    const struct { int id; DWORD add; const char *text; UINT format; COLORREF color; } cases[] = {
        {IDC_TEXT_LEFT, 0, nullptr, DT_LEFT | DT_WORDBREAK, kText},
        {IDC_TEXT_CENTER, 0, "Centred words that wrap", DT_CENTER | DT_WORDBREAK, kText},
        {IDC_TEXT_RIGHT, WS_DISABLED, nullptr, DT_RIGHT | DT_WORDBREAK, kGray},
        {IDC_TEXT_NOWRAP, 0, nullptr, 0, kText},
        {IDC_TEXT_LEFT, SS_NOPREFIX, "&Amp && more", DT_WORDBREAK | DT_NOPREFIX, kText},
    };
    for (const auto &c : cases) {
        HWND text = Item(c.id);
        char caption[64];
        SetWindowLongA(text, GWL_STYLE, GetWindowLongA(text, GWL_STYLE) | c.add);
        SetWindowPos(text, nullptr, 0, 0, Width(text), 40, SWP_NOMOVE | SWP_NOZORDER);
        if (c.text)
            SetWindowTextA(text, c.text);
        GetWindowTextA(text, caption, sizeof caption);
        RECT all = {0, 0, Width(text), Height(text)};
        auto drawn = Drawn(text, caption, all, c.format | DT_EXPANDTABS | DT_NOCLIP, c.color);
        EXPECT_EQ(Differ(*Print(text), *drawn, all), 0) << "static " << c.id << ": " << caption;
    }
}

// What a change paints at once (nothing pumped) is what a whole repaint
// then paints; where the control was marked first, only the part that the
// change concerns is painted: nothing for a state that stays, the glyph
// for a new one (but for a part waiting for WM_PAINT), the whole box for a
// caption or the focus gained, glyph and caption for a box disabled, the
// whole static. Focus lost inverts the outline back; an automatic radio
// button is released then.
TEST_F(Gallery, ChangesPaintAtOnceWhatARepaintPaints)
{
    enum Part { NOTHING, GLYPH, GLYPH_RIGHT, WHOLE, SOME, UNMARKED };
    typedef void (*Step)(HWND control);
    const struct { int id; Part part; Step setup, change; int pushed; } cases[] = {
        {IDC_CHECK, NOTHING, nullptr, [](HWND b) { SendMessageA(b, BM_SETCHECK, BST_UNCHECKED, 0); }, -1},
        {IDC_CHECK, GLYPH, nullptr, [](HWND b) { SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0); }, -1},
        {IDC_THREE_STATE, GLYPH_RIGHT, nullptr, [](HWND b) {
             RECT half = {0, 0, 7, Height(b)};
             InvalidateRect(b, &half, FALSE);
             SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
         }, -1},
        {IDC_CHECK_LEFT, WHOLE, nullptr, [](HWND b) { SetFocus(b); }, -1},
        {IDC_CHECK_LEFT, WHOLE, nullptr, [](HWND b) { SetWindowTextA(b, "L"); }, -1},
        {IDC_CHECK_LEFT, UNMARKED, nullptr, [](HWND b) { SetFocus(GetDlgItem(GetParent(b), IDC_PUSH)); }, -1},
        {IDC_RADIO_TWO, UNMARKED, [](HWND b) { SetFocus(b); SendMessageA(b, BM_SETSTATE, TRUE, 0); },
         [](HWND b) { SetFocus(GetDlgItem(GetParent(b), IDC_PUSH)); }, 0},
        {IDC_CHECK, UNMARKED, [](HWND b) { SetFocus(b); SendMessageA(b, BM_SETSTATE, TRUE, 0); },
         [](HWND b) { SetFocus(GetDlgItem(GetParent(b), IDC_PUSH)); }, BST_PUSHED},
        {IDC_CHECK, SOME, nullptr, [](HWND b) { EnableWindow(b, FALSE); }, -1},
        {IDC_TEXT_LEFT, WHOLE, nullptr, [](HWND t) { EnableWindow(t, FALSE); }, -1},
        {IDC_PUSH, WHOLE, nullptr, [](HWND b) { SetWindowTextA(b, "Renamed"); }, -1},
    };
    for (const auto &c : cases) {
        HWND control = Item(c.id);
        const std::string what = "case " + std::to_string(&c - cases);
        if (c.setup)
            c.setup(control);
        if (c.part != UNMARKED)
            Fill(control, kMark);
        c.change(control);
        auto now = Shot(control);
        RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        auto whole = Shot(control);
        const int w = now->width, h = now->height, y0 = (h - 13) / 2;
        RECT part = c.part == GLYPH ? RECT{0, y0, 14, y0 + 13} : c.part == GLYPH_RIGHT ? RECT{7, y0, 14, y0 + 13}
                  : c.part == NOTHING ? RECT{0, 0, 0, 0} : RECT{0, 0, w, h};
        int differ = 0, marked = 0, misplaced = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool painted = now->At(x, y) != kMark, inside = PtInRect(&part, {x, y});
                differ += painted && now->At(x, y) != whole->At(x, y);
                marked += !painted;
                misplaced += c.part != SOME && c.part != UNMARKED && painted != inside;
            }
        EXPECT_EQ(differ, 0) << what << ": painted at once, unlike a whole repaint";
        EXPECT_EQ(misplaced, 0) << what << ": painted beyond or short of the part changed";
        if (c.part == SOME) {
            EXPECT_TRUE(marked > 0 && marked < w * h) << what;
        }
        if (c.pushed >= 0) {
            EXPECT_EQ(SendMessageA(control, BM_GETSTATE, 0, 0) & BST_PUSHED, c.pushed) << what;
        }
    }
}

// What a relief button forwards, and the style changes that it makes
// around its previous procedure, as a subclass above sees them: the
// window is invisible while the previous procedure runs, except at
// WM_SETFOCUS and for a hidden button. A relief static hands WM_ENABLE on
// the same way, so that its notification reaches the parent.
TEST_F(Gallery, StateChangesHideTheWindowAroundThePreviousProcedure)
{
    for (int id : {IDC_CHECK, IDC_CHECKED, IDC_RADIO_TWO, IDC_TEXT_RIGHT}) {
        RecordUnder(Item(id));
        RecordOver(Item(id));
    }
    RecordParent(dialog);
    const message hiddenOn = {WM_STYLECHANGED, OVER | HIDDEN, 0}, shown = {WM_STYLECHANGED, OVER, 0};
    const message setCheck[] = {hiddenOn, {BM_SETCHECK, UNDER | HIDDEN, 0}, shown, {0, 0, 0}};
    const message setText[] = {hiddenOn, {WM_SETTEXT, UNDER | HIDDEN, 0}, shown, {0, 0, 0}};
    const message moveFocus[] = {hiddenOn, {WM_KILLFOCUS, UNDER | HIDDEN, 0}, shown,
                                 {WM_SETFOCUS, UNDER, 0}, {0, 0, 0}};
    const message hiddenCheck[] = {{BM_SETCHECK, UNDER | HIDDEN, 0}, {0, 0, 0}};
    const message released[] = {hiddenOn, {BM_SETSTATE, UNDER | HIDDEN, 0}, shown,
                                hiddenOn, {WM_KILLFOCUS, UNDER | HIDDEN, 0}, shown, {0, 0, 0}};
    const message disabled[] = {{WM_CANCELMODE, UNDER, 0}, hiddenOn, {WM_ENABLE, UNDER | HIDDEN, 0},
                                {WM_COMMAND, PARENT, MAKEWPARAM(IDC_TEXT_RIGHT, STN_DISABLE)}, shown,
                                {0, 0, 0}};
    typedef void (*Step)(HWND dialog);
    const struct { Step setup, change; const message *sequence; } cases[] = {
        {nullptr, [](HWND d) { CheckDlgButton(d, IDC_CHECK, BST_CHECKED); }, setCheck},
        {nullptr, [](HWND d) { SetDlgItemTextA(d, IDC_CHECK, "Renamed"); }, setText},
        {nullptr, [](HWND d) { SetFocus(GetDlgItem(d, IDC_CHECKED)); }, moveFocus},
        {[](HWND d) { ShowWindow(GetDlgItem(d, IDC_CHECKED), SW_HIDE); },
         [](HWND d) { CheckDlgButton(d, IDC_CHECKED, BST_UNCHECKED); }, hiddenCheck},
        {[](HWND d) { SetFocus(GetDlgItem(d, IDC_RADIO_TWO)); SendDlgItemMessageA(d, IDC_RADIO_TWO, BM_SETSTATE, TRUE, 0); },
         [](HWND d) { SetFocus(GetDlgItem(d, IDC_PUSH)); }, released},
        {nullptr, [](HWND d) { EnableWindow(GetDlgItem(d, IDC_TEXT_RIGHT), FALSE); }, disabled},
    };
    for (const auto &c : cases) {
        if (c.setup)
            c.setup(dialog);
        ForgetMessages();
        c.change(dialog);
        ok_sequence(c.sequence, "case " + std::to_string(&c - cases));
    }
}

// No border while a combo's list is down, neither from a drop-down list
// combo nor from a drop-down combo's edit field; a drop-down list combo
// validates its ring once painted; the ring follows a moved edit.
TEST_F(Gallery, DroppedListsValidatedRingAndMovedControl)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Item(IDC_COMBO_DROPDOWN), &info);
    const struct { HWND combo, painter; } cases[] = {
        {Item(IDC_COMBO_LIST), Item(IDC_COMBO_LIST)}, {Item(IDC_COMBO_DROPDOWN), info.hwndItem},
    };
    for (const auto &c : cases) {
        RECT l = InDialog(c.painter, dialog);
        SendMessageA(c.combo, CB_SHOWDROPDOWN, TRUE, 0);
        HDC dc = GetDC(dialog);
        SetPixel(dc, l.left - 1, l.top + 3, kMark);
        ReleaseDC(dialog, dc);
        InvalidateRect(c.painter, nullptr, FALSE);
        UpdateWindow(c.painter);
        EXPECT_EQ(Shot(dialog)->At(l.left - 1, l.top + 3), kMark) << "no border while dropped down";
        SendMessageA(c.combo, CB_SHOWDROPDOWN, FALSE, 0);
    }
    HWND combo = Item(IDC_COMBO_LIST);
    RECT l = InDialog(combo, dialog);
    PumpWait(20);
    InvalidateRect(dialog, nullptr, FALSE);
    InvalidateRect(combo, nullptr, FALSE);
    UpdateWindow(combo);
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(dialog, pending, FALSE);
    EXPECT_FALSE(PtInRegion(pending, l.left - 1, l.top + 3) || PtInRegion(pending, l.right, l.bottom));
    EXPECT_TRUE(PtInRegion(pending, l.left - 2, l.top + 3));
    DeleteObject(pending);

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
