// The relief look painted on the gallery dialog below version 3.95 (CTest
// sets 3.51), in distinct colours, read back pixel by pixel.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include "reliefsupport.h"
#include "relief/controls/controls.h"
#include "relief/subclass.h"
#include "tools/gallery.h"

namespace {

const COLORREF kHilite = RGB(250, 250, 240), kFace = RGB(190, 190, 180),
               kShadow = RGB(120, 110, 100), kText = RGB(10, 20, 30), kWindow = RGB(255, 255, 254),
               kWindowText = RGB(40, 0, 0), kGray = RGB(140, 140, 150), kFrame = RGB(0, 0, 60),
               kMark = RGB(255, 0, 255);
typedef std::unique_ptr<Canvas> Picture;

RECT Client(HWND w) { RECT r; GetClientRect(w, &r); return r; }
void Repaint(HWND w, UINT x = 0) { RedrawWindow(w, 0, 0, RDW_INVALIDATE | RDW_UPDATENOW | x); }
HFONT FontOf(HWND control) { return (HFONT)SendMessageA(control, WM_GETFONT, 0, 0); }

// A client area read back, or a window DC filled with one colour.
Picture Shot(HWND window)
{
    Picture c(new Canvas(Client(window).right, Client(window).bottom, 0));
    HDC dc = GetDC(window);
    BitBlt(c->dc, 0, 0, c->width, c->height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return c;
}

void Fill(HWND window, COLORREF color)
{
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(color);
    RECT all = Client(window);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

// The control printed, as a parent that prints its children asks, on a
// canvas of a colour no painter uses; the DC must come back as it went.
Picture Print(HWND control)
{
    RECT r = Client(control), clip;
    Picture c(new Canvas(r.right, r.bottom, kMark));
    SetTextColor(c->dc, RGB(1, 2, 3)), SetBkColor(c->dc, RGB(4, 5, 6));
    SetBkMode(c->dc, TRANSPARENT);
    HGDIOBJ font = GetCurrentObject(c->dc, OBJ_FONT), brush = GetCurrentObject(c->dc, OBJ_BRUSH);
    SendMessageA(control, WM_PRINTCLIENT, (WPARAM)c->dc, PRF_CLIENT);
    EXPECT_TRUE(GetClipBox(c->dc, &clip) == SIMPLEREGION && EqualRect(&clip, &r)
                && GetTextColor(c->dc) == RGB(1, 2, 3) && GetBkColor(c->dc) == RGB(4, 5, 6)
                && GetBkMode(c->dc) == TRANSPARENT && GetCurrentObject(c->dc, OBJ_FONT) == font
                && GetCurrentObject(c->dc, OBJ_BRUSH) == brush)
        << "control " << GetDlgCtrlID(control) << ": the DC left as it was found";
    return c;
}

// A caption as DrawTextA draws it in the control's font, on the face colour.
Picture Drawn(HWND control, const char *text, RECT r, UINT format, COLORREF color)
{
    Picture c(new Canvas(Client(control).right, Client(control).bottom, kFace));
    SelectObject(c->dc, FontOf(control));
    SetTextColor(c->dc, color), SetBkColor(c->dc, kFace);
    DrawTextA(c->dc, text, -1, &r, format);
    return c;
}

SIZE Extent(HWND control, const char *text)
{
    Canvas c(1, 1, 0);
    SelectObject(c.dc, FontOf(control));
    SIZE size;
    GetTextExtentPoint32A(c.dc, text, lstrlenA(text), &size);
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

RECT InDialog(HWND control, HWND dialog)
{
    RECT r;
    return GetWindowRect(control, &r), MapWindowPoints(nullptr, dialog, (POINT *)&r, 2), r;
}

struct Pixel { int x, y; COLORREF color; };

// Pixels at (dx, dy) plus each offset.
void ExpectPixels(const Canvas &c, int dx, int dy, std::initializer_list<Pixel> pixels)
{
    for (const Pixel &p : pixels)
        EXPECT_EQ(c.At(dx + p.x, dy + p.y), p.color) << "at " << p.x << "," << p.y;
}

class Gallery : public testing::Test {
protected:
    FakeSysColors fake;
    HWND dialog = nullptr;
    void SetUp() override
    {
        fake.colors[COLOR_BTNHIGHLIGHT] = kHilite, fake.colors[COLOR_BTNFACE] = kFace;
        fake.colors[COLOR_BTNSHADOW] = kShadow, fake.colors[COLOR_BTNTEXT] = kText;
        fake.colors[COLOR_WINDOW] = kWindow, fake.colors[COLOR_WINDOWTEXT] = kWindowText;
        fake.colors[COLOR_GRAYTEXT] = kGray, fake.colors[COLOR_WINDOWFRAME] = kFrame;
        ASSERT_TRUE(ReliefRegister(Self()));
        ASSERT_TRUE(ReliefAutoSubclass(Self()));
        ASSERT_LT(ReliefState.winVersion, WINVER_395) << "set by CTest";
        dialog = CreateGallery(Self());
        ASSERT_NE(dialog, nullptr);
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)Item(IDC_CHECK), TRUE);
        Settle();
    }
    void TearDown() override { DestroyWindow(dialog), ReliefUnregister(Self()), ForgetMessages(); }
    void Settle() { Repaint(dialog, RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN), PumpWait(20); }
    HWND Item(int id) { return GetDlgItem(dialog, id); }
};

// Push buttons: frame rings, edges, face, cut corners, the caption centred
// by its extent without "&", one pixel lower right when pushed, grey when
// disabled; a disabled default button has one ring.
TEST_F(Gallery, PushButtonVariants)
{
    for (int id : {IDC_DEFAULT, IDC_DEFAULT_OFF})     // as the dialog manager may leave them
        SetWindowLongA(Item(id), GWL_STYLE, GetWindowLongA(Item(id), GWL_STYLE) | BS_DEFPUSHBUTTON);
    Settle();
    for (int id : {IDC_PUSH, IDC_DEFAULT, IDC_PUSHED, IDC_DEFAULT_OFF}) {
        SCOPED_TRACE("button " + std::to_string(id));
        auto c = Shot(Item(id));
        const int w = c->width, h = c->height;
        RECT face = {3, 3, w - 3, h - 3}, text = face;
        ExpectPixels(*c, 0, 0, {{0, 0, kFace}, {w - 1, h - 1, kFace}, {1, 0, kFrame},
                                {0, h - 2, kFrame}});
        if (id == IDC_PUSH || id == IDC_DEFAULT_OFF)
            ExpectPixels(*c, 0, 0, {{1, 1, kHilite}, {2, h - 4, kHilite}, {w - 4, 2, kHilite},
                                    {w - 2, 1, kShadow}, {1, h - 2, kShadow}, {w - 3, 3, kShadow},
                                    {3, h - 3, kShadow}, {3, 3, kFace}});
        if (id == IDC_DEFAULT) {
            ExpectPixels(*c, 0, 0, {{1, 1, kFrame}, {w - 2, h - 2, kFrame}, {2, 2, kHilite},
                                    {3, 4, kHilite}, {w - 3, 3, kShadow}, {4, h - 4, kShadow}});
            face = text = {4, 4, w - 4, h - 4};
        }
        if (id == IDC_PUSHED) {
            ExpectPixels(*c, 0, 0, {{1, 1, kShadow}, {1, h - 2, kShadow}, {w - 2, 1, kShadow},
                                    {w - 2, h - 2, kFace}});
            face = {2, 2, w - 1, h - 1}, text = {3, 3, w, h};
        }
        char caption[32];
        GetWindowTextA(Item(id), caption, sizeof caption);
        std::string shown = caption;
        shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
        SIZE size = Extent(Item(id), shown.c_str());
        text.left += (text.right - text.left - size.cx) / 2;
        text.top += (text.bottom - text.top - size.cy) / 2;
        text.right = text.left + size.cx, text.bottom = text.top + size.cy;
        COLORREF color = id == IDC_DEFAULT_OFF ? kGray : kText;
        EXPECT_EQ(Differ(*c, *Drawn(Item(id), caption, text, DT_SINGLELINE, color), face), 0);
    }
}

// Each glyph is the strip's cell chosen by kind and state, at the glyph
// side of the box; the text begins 18 pixels from that side.
COLORREF GlyphColor(char digit)
{
    const char *digits = "078abf", *at = strchr(digits, digit);
    const COLORREF colors[] = {kWindowText, kShadow, kFace, kFrame, kWindow, kHilite};
    return at ? colors[at - digits] : RGB(1, 2, 3);
}

TEST_F(Gallery, GlyphCellsByState)
{
    for (int id : {IDC_CHECK, IDC_CHECKED_OFF, IDC_CHECK_LEFT})
        SendMessageA(Item(id), BM_SETSTATE, TRUE, 0);
    SendMessageA(Item(IDC_CHECK_LEFT), BM_SETCHECK, BST_UNCHECKED, 0);
    const struct { int id, row, column; bool right; } cases[] = {
        {IDC_CHECK, 0, 2, false}, {IDC_CHECKED, 0, 1, false},      // pushed, unchecked; checked
        {IDC_CHECK_OFF, 0, 2, false},      // disabled, unchecked
        {IDC_CHECKED_OFF, 0, 4, false},    // disabled, pushed and checked: kept in the strip
        {IDC_CHECK_LEFT, 0, 2, true}, {IDC_THREE_STATE, 2, 1, false},
        {IDC_RADIO_ONE, 1, 1, false}, {IDC_RADIO_TWO, 1, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("box " + std::to_string(c.id));
        auto shot = Shot(Item(c.id));
        const int w = shot->width, h = shot->height, x0 = c.right ? w - 14 : 0, y0 = (h - 13) / 2;
        int wrong = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 14; ++x)
                wrong += shot->At(x0 + x, y0 + y)
                      != GlyphColor(kGlyphRows[13 * c.row + y][14 * c.column + x]);
        EXPECT_EQ(wrong, 0) << "cell row " << c.row << " column " << c.column;
        RECT gap = {c.right ? w - 17 : 14, 0, c.right ? w - 14 : 17, h};
        RECT start = {c.right ? 0 : 18, 0, c.right ? 8 : 26, h};
        EXPECT_EQ(shot->Count(gap, kFace), 3 * h) << "the gap before the text";
        EXPECT_LT(shot->Count(start, kFace), 8 * h) << "the text's start";
    }
    CheckDlgButton(dialog, IDC_THREE_STATE, BST_CHECKED);
    auto shot = Shot(Item(IDC_THREE_STATE));
    EXPECT_EQ(shot->At(4, (shot->height - 13) / 2 + 4), kWindowText) << "checked: a cross";
}

// Group box: rings from the caption's half height, the caption over them.
// A caption change repaints the band, also under WS_CLIPCHILDREN: the old
// caption goes, the line runs on; with none it stays at half an "X".
TEST_F(Gallery, GroupBoxRingsAndCaption)
{
    HWND group = Item(IDC_GROUP);
    const SIZE size = Extent(group, "Group"), g = Extent(group, "G");
    auto c = Shot(group);
    const int w = c->width, h = c->height, top = size.cy / 2;
    ExpectPixels(*c, 0, top, {{0, 0, kShadow}, {5, h - 2 - top, kShadow}, {5, h - 1 - top, kHilite},
                              {3, 0, kShadow}, {6 + size.cx, 0, kShadow}});
    RECT caption = {4, top, 4 + size.cx, top + 1};
    EXPECT_EQ(c->Count(caption, kShadow), 0) << "the caption's background covers the frame line";
    const DWORD style = GetWindowLongA(dialog, GWL_STYLE);
    for (DWORD clip : {0L, WS_CLIPCHILDREN}) {
        SetWindowLongA(dialog, GWL_STYLE, style | clip);
        for (const char *text : {"G", ""}) {
            SCOPED_TRACE(std::string(clip ? "clipping" : "plain") + " \"" + text + "\"");
            SetWindowTextA(group, "&Group");
            Repaint(group);
            SetWindowTextA(group, text);
            PumpWait(20);
            auto after = Shot(group);
            const int past = *text ? 8 + g.cx : 8;
            RECT band = {past, 0, w - 2, size.cy};
            EXPECT_EQ(after->Count(band, kFace), (w - 2 - past) * (size.cy - 2));
            ExpectPixels(*after, past + 2, top, {{0, 0, kShadow}, {0, 1, kHilite}});
        }
    }
}

// Field borders in the dialog: the sunken rings and the scroll-bar lines.
TEST_F(Gallery, FieldBorders)
{
    auto c = Shot(dialog);
    const int cxV = GetSystemMetrics(SM_CXVSCROLL), cxH = GetSystemMetrics(SM_CXHSCROLL);
    for (int id : {IDC_EDIT, IDC_LIST}) {    // the list shows no scroll bar: its items fit
        SCOPED_TRACE("field " + std::to_string(id));
        RECT e = InDialog(Item(id), dialog);
        const int w = e.right - e.left, h = e.bottom - e.top;
        ExpectPixels(*c, e.left, e.top, {{0, 0, kFrame}, {0, 5, kFrame}, {w - 1, 5, kFace},
                                         {5, h - 1, kFace}, {-1, -1, kShadow}, {5, -1, kShadow},
                                         {w, 5, kHilite}, {5, h, kHilite}});
    }
    SCOPED_TRACE("scroll bars, combo boxes");
    RECT s = InDialog(Item(IDC_EDIT_SCROLL), dialog), l = InDialog(Item(IDC_COMBO_LIST), dialog);
    int w = s.right - s.left, h = s.bottom - s.top;
    ExpectPixels(*c, s.left, s.top, {{0, 0, kFrame}, {-1, 5, kShadow}, {w, 5, kHilite},
                                     {w - cxV, h - 1, kFrame}, {5, h, kHilite}, {w + 1, 5, kFace},
                                     {w - 1, h - cxH, kFrame}, {5, h + 1, kFace}});
    w = l.right - l.left, h = l.bottom - l.top;
    ExpectPixels(*c, l.left, l.top, {{0, 0, kFrame}, {w - 1, 5, kFrame}, {w - cxV, h - 1, kFrame},
                                     {-1, 5, kShadow}, {5, h, kHilite}});
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Item(IDC_COMBO_DROPDOWN), &info);
    RECT d = InDialog(info.hwndItem, dialog);
    ExpectPixels(*c, d.left, d.top, {{0, 0, kFrame}, {-1, 3, kShadow}, {3, d.bottom - d.top,
                                                                          kHilite}});
    GetComboBoxInfo(Item(IDC_COMBO_SIMPLE), &info);
    RECT se = InDialog(info.hwndItem, dialog), sl = InDialog(info.hwndList, dialog);
    ExpectPixels(*c, 0, 0, {{se.left, se.top, kFrame}, {se.left - 1, se.top + 3, kShadow},
                            {sl.left + 3, sl.bottom, kHilite}, {sl.left + 3, sl.bottom - 1, kFace},
                            {sl.right, sl.top + 5, kHilite}});
}

// Printed, a control shows what the screen shows and leaves the DC as it
// was; frames and rectangles (sunken, raised, etched) and the group box
// leave their insides unfilled; an icon static paints nothing.
TEST_F(Gallery, PrintedAsOnTheScreen)
{
    InstallSubclass(Item(IDC_ICON_STATIC), ReliefStaticProc);
    const struct { int id, inset; COLORREF left, inner, right; } cases[] = {  // at half height
        {IDC_PUSH, -1, kFrame, kHilite, kFrame}, {IDC_PUSHED, -1, kFrame, kShadow, kFrame},
        {IDC_CHECKED, -1, 0, 0, kFace}, {IDC_TEXT_CENTER, -1, kFace, kFace, kFace},
        {IDC_BLACK_FRAME, 1, kShadow, kMark, kHilite}, {IDC_BLACK_RECT, 1, kShadow, kMark, kHilite},
        {IDC_WHITE_FRAME, 1, kHilite, kMark, kShadow}, {IDC_WHITE_RECT, 1, kHilite, kMark, kShadow},
        {IDC_GRAY_FRAME, 2, kShadow, kHilite, kHilite}, {IDC_GROUP, 20, kShadow, kHilite, kHilite},
        {IDC_GRAY_RECT, 2, kShadow, kHilite, kHilite},
        {IDC_ETCHED_FRAME, 2, kShadow, kHilite, kHilite},
        {IDC_ICON_STATIC, 0, kMark, kMark, kMark},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        auto out = Print(Item(c.id)), shown = Shot(Item(c.id));
        const int w = out->width, h = out->height, n = c.inset;
        int differ = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                differ += out->At(x, y) != kMark && out->At(x, y) != shown->At(x, y);
        EXPECT_EQ(differ, 0);
        if (c.left)
            ExpectPixels(*out, 0, h / 2, {{0, 0, c.left}, {1, 0, c.inner}, {w - 1, 0, c.right}});
        RECT inside = n < 0 ? RECT{0, 0, w, h} : RECT{n, n, w - n, h - n};
        EXPECT_EQ(out->Count(inside, kMark), n < 0 ? 0 : (w - 2 * n) * (h - 2 * n));
    }
}

// Text statics print as DrawTextA draws the caption in their kind's format:
// wrapped but for SS_LEFTNOWORDWRAP, tabs expanded, SS_NOPREFIX, grey text.
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
        SetWindowPos(text, nullptr, 0, 0, Client(text).right, 40, SWP_NOMOVE | SWP_NOZORDER);
        if (c.text)
            SetWindowTextA(text, c.text);
        GetWindowTextA(text, caption, sizeof caption);
        UINT format = c.format | DT_EXPANDTABS | DT_NOCLIP;
        auto drawn = Drawn(text, caption, Client(text), format, c.color);
        EXPECT_EQ(Differ(*Print(text), *drawn, Client(text)), 0) << c.id << ": " << caption;
    }
}

// A change paints at once what a repaint would, and (on a marked control)
// only what it concerns: nothing for a state kept, the glyph (bar a part
// waiting for WM_PAINT), the whole box for a caption or focus. Focus lost
// releases an automatic radio button. A subclass above sees the window
// invisible while the previous procedure runs, except at WM_SETFOCUS and
// when hidden already; an SS_NOTIFY static's parent is notified.
TEST_F(Gallery, ChangesPaintAtOnceWhatARepaintPaints)
{
    for (int id : {IDC_CHECK, IDC_CHECK_LEFT, IDC_CHECKED, IDC_RADIO_TWO, IDC_TEXT_RIGHT})
        RecordUnder(Item(id)), RecordOver(Item(id));
    RecordParent(dialog);
    const message hide = {WM_STYLECHANGED, OVER | HIDDEN, 0}, show = {WM_STYLECHANGED, OVER, 0};
    const message kill = {WM_KILLFOCUS, UNDER | HIDDEN, 0};
    const message setCheck[] = {hide, {BM_SETCHECK, UNDER | HIDDEN, 0}, show, {}};
    const message setText[] = {hide, {WM_SETTEXT, UNDER | HIDDEN, 0}, show, {}};
    const message moveFocus[] = {hide, kill, show, {WM_SETFOCUS, UNDER, 0}, {}};
    const message killed[] = {hide, kill, show, {}};
    const message released[] = {hide, {BM_SETSTATE, UNDER | HIDDEN, 0}, show, hide, kill, show, {}};
    const message whileHidden[] = {{BM_SETCHECK, UNDER | HIDDEN, 0}, {}};
    const message disabled[] = {{WM_CANCELMODE, UNDER, 0}, hide, {WM_ENABLE, UNDER | HIDDEN, 0},
                                {WM_COMMAND, PARENT, MAKEWPARAM(IDC_TEXT_RIGHT, STN_DISABLE)},
                                show, {}};
    enum Part { NOTHING, GLYPH, GLYPH_RIGHT, WHOLE, SOME, UNMARKED };
    typedef void (*Step)(HWND control);
    static Step toPush = [](HWND b) { SetFocus(GetDlgItem(GetParent(b), IDC_PUSH)); };
    static Step focusPushed = [](HWND b) { SetFocus(b), SendMessageA(b, BM_SETSTATE, TRUE, 0); };
    static Step unchecked = [](HWND b) { SendMessageA(b, BM_SETCHECK, 0, 0); };
    const struct { int id; Part part; Step setup, change; int pushed; const message *sent; }
    cases[] = {
        {IDC_CHECK, NOTHING, nullptr, unchecked, -1, setCheck},
        {IDC_CHECK, GLYPH, nullptr, [](HWND b) { CheckDlgButton(GetParent(b), IDC_CHECK, 1); }, -1,
         setCheck},
        {IDC_THREE_STATE, GLYPH_RIGHT, nullptr, [](HWND b) {
             RECT half = {0, 0, 7, Client(b).bottom};
             InvalidateRect(b, &half, FALSE);
             SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
         }, -1, nullptr},
        {IDC_CHECK_LEFT, WHOLE, nullptr, [](HWND b) { SetFocus(b); }, -1, moveFocus},
        {IDC_CHECK_LEFT, WHOLE, nullptr, [](HWND b) { SetWindowTextA(b, "L"); }, -1, setText},
        {IDC_CHECK_LEFT, UNMARKED, nullptr, toPush, -1, nullptr},
        {IDC_RADIO_TWO, UNMARKED, focusPushed, toPush, 0, released},
        {IDC_CHECK, UNMARKED, focusPushed, toPush, BST_PUSHED, killed},
        {IDC_CHECK, SOME, nullptr, [](HWND b) { EnableWindow(b, FALSE); }, -1, nullptr},
        {IDC_TEXT_RIGHT, WHOLE, nullptr, [](HWND t) { EnableWindow(t, FALSE); }, -1, disabled},
        {IDC_PUSH, WHOLE, nullptr, [](HWND b) { SetWindowTextA(b, "Renamed"); }, -1, nullptr},
        {IDC_CHECKED, UNMARKED, [](HWND b) { ShowWindow(b, SW_HIDE); }, unchecked, -1, whileHidden},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        HWND control = Item(c.id);
        if (c.setup)
            c.setup(control);
        if (c.part != UNMARKED)
            Fill(control, kMark);
        ForgetMessages();
        c.change(control);
        if (c.sent)
            ok_sequence(c.sent, "sent");
        auto now = Shot(control);
        Repaint(control);
        auto whole = Shot(control);
        const RECT all = Client(control);
        const int y0 = (all.bottom - 13) / 2;
        RECT part = c.part == GLYPH ? RECT{0, y0, 14, y0 + 13} : c.part == NOTHING ? RECT{}
                  : c.part == GLYPH_RIGHT ? RECT{7, y0, 14, y0 + 13} : all;
        int differ = 0, marked = 0, misplaced = 0;
        for (int y = 0; y < all.bottom; ++y)
            for (int x = 0; x < all.right; ++x) {
                bool painted = now->At(x, y) != kMark;
                differ += painted && now->At(x, y) != whole->At(x, y);
                marked += !painted;
                misplaced += c.part < SOME && painted != !!PtInRect(&part, {x, y});
            }
        EXPECT_EQ(differ, 0) << "painted at once, unlike a whole repaint";
        EXPECT_EQ(misplaced, 0) << "painted beyond or short of the part changed";
        EXPECT_TRUE(c.part != SOME || (marked > 0 && marked < all.right * all.bottom));
        UINT pushed = SendMessageA(control, BM_GETSTATE, 0, 0) & BST_PUSHED;
        EXPECT_TRUE(c.pushed < 0 || (int)pushed == c.pushed);
    }
}

// No border while a combo's list is down (drop-down list combo, drop-down
// combo's edit); a drop-down list combo validates its ring once painted.
TEST_F(Gallery, DroppedListsAndValidatedRing)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(Item(IDC_COMBO_DROPDOWN), &info);
    HWND combo = Item(IDC_COMBO_LIST);
    for (HWND painter : {combo, info.hwndItem}) {
        RECT l = InDialog(painter, dialog);
        HWND owner = painter == combo ? combo : Item(IDC_COMBO_DROPDOWN);
        SendMessageA(owner, CB_SHOWDROPDOWN, TRUE, 0);
        HDC dc = GetDC(dialog);
        SetPixel(dc, l.left - 1, l.top + 3, kMark);
        ReleaseDC(dialog, dc);
        Repaint(painter);
        EXPECT_EQ(Shot(dialog)->At(l.left - 1, l.top + 3), kMark) << "no border while dropped down";
        SendMessageA(owner, CB_SHOWDROPDOWN, FALSE, 0);
    }
    RECT l = InDialog(combo, dialog);
    PumpWait(20);
    InvalidateRect(dialog, nullptr, FALSE);
    Repaint(combo);
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(dialog, pending, FALSE);
    EXPECT_FALSE(PtInRegion(pending, l.left - 1, l.top + 3) || PtInRegion(pending, l.right, l.top));
    EXPECT_TRUE(PtInRegion(pending, l.left - 2, l.top + 3));
    DeleteObject(pending);
}

// Galleries created, painted and destroyed leave no GDI object behind.
TEST_F(Gallery, CreatedAndDestroyedLeavesNoObjects)
{
    const int objects = GdiObjectCount();
    for (int i = 0; i < 20; ++i) {
        HWND other = CreateGallery(Self(), dialog);
        ShowWindow(other, SW_SHOW);
        Repaint(other, RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        DestroyWindow(other);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

}  // namespace
