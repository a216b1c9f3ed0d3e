// The relief procedure of buttons and their painting: push buttons with a
// frame and raised edges, check boxes, radio buttons and three-state boxes
// from the glyph strip, group boxes with an etched frame.
//
// The system's procedure still runs the button: for the messages that
// change what it shows it runs with WS_VISIBLE cleared, so that it paints
// nothing, and the change is painted here at once into a window DC.
#include "relief/controls/controls.h"
#include "relief/edges.h"
#include "relief/subclass.h"

#define CAPTION_SIZE 256
#define GLYPH_CX 14                 // a cell of the glyph strip
#define GLYPH_CY 13
#define GLYPH_COLUMNS 5
#define THREE_STATE_ROW 2           // the indeterminate boxes; row 0 otherwise
#define TEXT_INDENT 18              // the glyph and a gap of 4
#define BUTTON_KIND(style) ((style) & BS_TYPEMASK)

// What PaintButton draws, by flags.
#define PAINT_TEXT          0x02    // the caption; the group box
#define PAINT_GLYPH         0x04    // the glyph; the group box
#define PAINT_FOCUS         0x08    // the focus rectangle, by inversion (= BST_FOCUS)
#define PAINT_BACKGROUND    0x10    // the parent's button brush over the client area
                                    // (a group box's caption band)
#define PAINT_CAPTION_AREA  0x20    // group box: the caption band is repainted

// What a painter is given: a DC of the button's client area with the
// button's font and the parent's button brush selected and the clip
// narrowed to the client area, which PaintButton restores once done.
struct ButtonPaint {
    HWND button;
    HDC dc;
    RECT client;
    UINT flags;         // PAINT_*
    DWORD style;
    UINT state;         // BM_GETSTATE
    BOOL enabled;
};
typedef void (*ButtonPainter)(const ButtonPaint *p);

static void PaintPushButton(const ButtonPaint *p);
static void PaintCheckBox(const ButtonPaint *p);
static void PaintGroupBox(const ButtonPaint *p);

// The painter of each kind, and the glyph row of the boxes.
static const struct {
    ButtonPainter paint;
    signed char glyphRow;
} buttonKinds[BS_TYPEMASK + 1] = {
    {PaintPushButton, -1},                  // BS_PUSHBUTTON
    {PaintPushButton, -1},                  // BS_DEFPUSHBUTTON
    {PaintCheckBox, 0},                     // BS_CHECKBOX
    {PaintCheckBox, 0},                     // BS_AUTOCHECKBOX
    {PaintCheckBox, 1},                     // BS_RADIOBUTTON
    {PaintCheckBox, THREE_STATE_ROW},       // BS_3STATE
    {PaintCheckBox, THREE_STATE_ROW},       // BS_AUTO3STATE
    {PaintGroupBox, -1},                    // BS_GROUPBOX
    {NULL, -1},                             // BS_USERBUTTON: nothing
    {PaintCheckBox, 1},                     // BS_AUTORADIOBUTTON
    // BS_PUSHBOX, BS_OWNERDRAW and the later kinds: nothing
};

// The low word of a button's style without BS_LEFTTEXT names one of the
// kinds from BS_PUSHBUTTON to BS_AUTORADIOBUTTON, with no other bit.
BOOL ButtonFilter(HWND, DWORD style, WORD, WORD, HWND)
{
    return ReliefState.winVersion < WINVER_395
        && (LOWORD(style) & ~BS_LEFTTEXT) <= BS_AUTORADIOBUTTON;
}

static int ReadCaption(HWND button, char caption[CAPTION_SIZE])
{
    caption[0] = '\0';
    return GetWindowTextA(button, caption, CAPTION_SIZE);
}

// Disabled boxes show the pushed-unchecked or the disabled-checked picture;
// a disabled box that is also pushed and checked would fall beyond the
// strip and shows the disabled-checked picture too.
static int GlyphColumn(BOOL enabled, BOOL pushed, BOOL checked)
{
    int column = enabled ? 2 * pushed + checked : 2 * pushed + 2 * checked + 2;
    return column < GLYPH_COLUMNS ? column : GLYPH_COLUMNS - 1;
}

static void DrawGlyph(HDC dc, const RECT *client, BOOL leftText, int row, int column)
{
    HDC strip = CreateCompatibleDC(dc);
    if (!strip)
        return;
    HGDIOBJ old = SelectObject(strip, ReliefState.checkBitmap);
    if (old) {
        int x = leftText ? client->right - GLYPH_CX : client->left;
        int y = client->top + (client->bottom - client->top - GLYPH_CY) / 2;
        BitBlt(dc, x, y, GLYPH_CX, GLYPH_CY, strip, GLYPH_CX * column, GLYPH_CY * row, SRCCOPY);
        SelectObject(strip, old);
    }
    DeleteDC(strip);
}

// The focus rectangle hugs the caption's extent without mnemonic markers.
static void DrawCheckFocus(HDC dc, RECT client, BOOL leftText, const char *caption)
{
    int cx, cy;
    MeasureLabelText(dc, caption, &cx, &cy);
    RECT focus;
    focus.top = (client.bottom - client.top - cy) / 2;
    focus.bottom = focus.top + cy;
    if (leftText) {
        focus.left = client.left;
        client.right -= TEXT_INDENT;
    } else {
        focus.left = client.left + TEXT_INDENT;
    }
    focus.right = focus.left + cx;
    InflateRect(&focus, 1, 1);
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(dc, &focus);
}

static void PaintCheckBox(const ButtonPaint *p)
{
    BOOL leftText = (p->style & BS_LEFTTEXT) != 0;
    UINT check = p->state & 3;
    if (p->flags & PAINT_GLYPH) {
        int row = buttonKinds[BUTTON_KIND(p->style)].glyphRow;
        if (row == THREE_STATE_ROW && check != BST_INDETERMINATE)
            row = 0;
        DrawGlyph(p->dc, &p->client, leftText, row,
                  GlyphColumn(p->enabled, (p->state & BST_PUSHED) != 0, check != 0));
    }
    if (!(p->flags & (PAINT_TEXT | PAINT_FOCUS)))
        return;
    char caption[CAPTION_SIZE];
    int length = ReadCaption(p->button, caption);
    if (p->flags & PAINT_TEXT) {
        RECT text = p->client;
        if (leftText)
            text.right -= TEXT_INDENT;
        else
            text.left += TEXT_INDENT;
        if (!p->enabled)
            SetTextColor(p->dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
        DrawTextA(p->dc, caption, length, &text, DT_SINGLELINE | DT_VCENTER);
    }
    if (p->flags & PAINT_FOCUS)
        DrawCheckFocus(p->dc, p->client, leftText, caption);
}

// The caption sits 4 pixels in on the top edge; the frame line runs through
// its middle, a shadow ring with a highlight ring one pixel right and down.
// A caption change has the caption band repainted, by the parent and by the
// group box itself, which fills it first: a parent that clips its children
// paints nothing there.
static void PaintGroupBox(const ButtonPaint *p)
{
    if (!(p->flags & (PAINT_TEXT | PAINT_GLYPH)))
        return;
    HDC dc = p->dc;
    const RECT *client = &p->client;
    char caption[CAPTION_SIZE];
    int length = ReadCaption(p->button, caption);
    int cx, cy;
    MeasureLabelText(dc, caption, &cx, &cy);
    if (cy == 0) {
        int unused;
        MeasureLabelText(dc, "X", &unused, &cy);
    }
    RECT text = {client->left + 4, client->top, client->left + 4 + cx + 4, client->top + cy};
    RECT band = {text.left, text.top, client->right, text.bottom};
    if (p->flags & PAINT_CAPTION_AREA) {
        HWND parent = ParentOf(p->button);
        HWND target = parent ? parent : p->button;
        MapWindowPoints(p->button, target, (POINT *)&band, 2);
        RedrawWindow(target, &band, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    if (p->flags & PAINT_BACKGROUND)
        PatFillRect(dc, &band);
    RECT frame = {client->left, client->top + cy / 2, client->right - 1, client->bottom - 1};
    PaintEdge(dc, &frame, SYSCLR_BTNSHADOW, SYSCLR_BTNSHADOW, EDGE_ALL);
    OffsetRect(&frame, 1, 1);
    PaintEdge(dc, &frame, SYSCLR_BTNHILITE, SYSCLR_BTNHILITE, EDGE_ALL);
    if (!p->enabled)
        SetTextColor(dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
    DrawTextA(dc, caption, length, &text, DT_SINGLELINE);
}

static int Smaller(int a, int b)
{
    return a < b ? a : b;
}

static void FillPixel(HDC dc, int x, int y)
{
    PatBlt(dc, x, y, 1, 1, PATCOPY);
}

// A frame (two rings for an enabled default button) with cut corners, two
// raised pixels of highlight and shadow, or one of shadow when pushed, and
// the face; the caption centred on its extent, one pixel lower right when
// pushed.
static void PaintPushButton(const ButtonPaint *p)
{
    HDC dc = p->dc;
    const RECT *client = &p->client;
    RECT face = *client;
    PaintEdge(dc, client, SYSCLR_WINDOWFRAME, SYSCLR_WINDOWFRAME, EDGE_ALL);
    InflateRect(&face, -1, -1);
    if (BUTTON_KIND(p->style) == BS_DEFPUSHBUTTON && p->enabled) {
        PaintEdge(dc, &face, SYSCLR_WINDOWFRAME, SYSCLR_WINDOWFRAME, EDGE_ALL);
        InflateRect(&face, -1, -1);
    }
    FillPixel(dc, client->left, client->top);
    FillPixel(dc, client->right - 1, client->top);
    FillPixel(dc, client->left, client->bottom - 1);
    FillPixel(dc, client->right - 1, client->bottom - 1);

    const HBRUSH *brushes = ReliefState.BrushTable;
    BOOL pushed = (p->state & BST_PUSHED) != 0;
    int width = pushed ? 1 : 2;
    SelectObject(dc, brushes[pushed ? SYSCLR_BTNSHADOW : SYSCLR_BTNHILITE]);
    PatBlt(dc, face.left, face.top, width, face.bottom - face.top, PATCOPY);
    PatBlt(dc, face.left, face.top, face.right - face.left, width, PATCOPY);
    if (!pushed) {
        SelectObject(dc, brushes[SYSCLR_BTNSHADOW]);
        face.bottom--;
        face.right--;
        for (int i = 0; i < 2; ++i) {
            PatBlt(dc, face.left, face.bottom, face.right - face.left + 1, 1, PATCOPY);
            PatBlt(dc, face.right, face.top, 1, face.bottom - face.top, PATCOPY);
            if (i == 0)
                InflateRect(&face, -1, -1);
        }
    }
    face.left++;
    face.top++;
    SelectObject(dc, brushes[SYSCLR_BTNFACE]);
    PatFillRect(dc, &face);

    if (!p->enabled)
        SetTextColor(dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
    char caption[CAPTION_SIZE];
    int length = ReadCaption(p->button, caption);
    int cx, cy;
    MeasureLabelText(dc, caption, &cx, &cy);
    RECT text = face;
    text.top += (text.bottom - text.top - cy) / 2;
    text.left += (text.right - text.left - cx) / 2;
    text.bottom = Smaller(text.top + cy, face.bottom);
    text.right = Smaller(text.left + cx, face.right);
    if (pushed) {
        OffsetRect(&text, 1, 1);
        text.right = Smaller(text.right, client->right - 3);
        text.bottom = Smaller(text.bottom, client->bottom - 3);
    }
    DrawTextA(dc, caption, length, &text, DT_SINGLELINE);
    if (GetFocus() == p->button) {
        InflateRect(&text, 1, 1);
        IntersectRect(&text, &text, client);
        DrawFocusRect(dc, &text);
    }
}

// Paints into a DC of the button's client area and leaves the DC as it
// found it.
static void PaintButton(HWND button, HDC dc, UINT flags)
{
    DWORD style = (DWORD)GetWindowLongA(button, GWL_STYLE);
    int saved = SaveDC(dc);
    SetBkMode(dc, OPAQUE);
    ButtonPaint p = {button, dc, {0, 0, 0, 0}, flags, style, 0, IsWindowEnabled(button)};
    GetClientRect(button, &p.client);
    HFONT font = (HFONT)SendMessageA(button, WM_GETFONT, 0, 0);
    if (font)
        SelectObject(dc, font);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HBRUSH brush = (HBRUSH)SendMessageA(GetParent(button), WM_CTLCOLORBTN, (WPARAM)dc,
                                        (LPARAM)button);
    if (brush)
        SelectObject(dc, brush);
    IntersectClipRect(dc, p.client.left, p.client.top, p.client.right, p.client.bottom);
    if ((flags & PAINT_BACKGROUND) && BUTTON_KIND(style) != BS_GROUPBOX)
        PatFillRect(dc, &p.client);
    p.state = (UINT)SendMessageA(button, BM_GETSTATE, 0, 0);
    // The background wipes the focus rectangle: it is drawn again, or not at all.
    if (flags & PAINT_BACKGROUND)
        p.flags = (flags & ~PAINT_FOCUS) | (p.state & BST_FOCUS);
    ButtonPainter paint = buttonKinds[BUTTON_KIND(style)].paint;
    if (paint)
        paint(&p);
    RestoreDC(dc, saved);
}

// The system procedure runs invisible, except at WM_SETFOCUS; then what
// changed is painted, and only outside parts waiting for WM_PAINT.
static LRESULT RepaintAfter(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, UINT baseFlags)
{
    UINT before = (UINT)SendMessageA(button, BM_GETSTATE, 0, 0);
    if (!(GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE))
        return ForwardMessage(button, msg, wParam, lParam, RCLASS_BUTTON);
    LRESULT result = msg == WM_SETFOCUS
        ? ForwardMessage(button, msg, wParam, lParam, RCLASS_BUTTON)
        : ForwardInvisibly(button, msg, wParam, lParam, RCLASS_BUTTON);
    UINT after = (UINT)SendMessageA(button, BM_GETSTATE, 0, 0);
    if ((msg == BM_SETCHECK || msg == BM_SETSTATE) && after == before)
        return result;
    HDC dc = GetDC(button);
    if (!dc)
        return result;
    UINT changed = after ^ before;
    UINT flags = baseFlags | (changed & 3 ? PAINT_GLYPH : 0) | (changed & BST_FOCUS);
    ExcludeUpdateRgn(dc, button);
    PaintButton(button, dc, flags);
    ReleaseDC(button, dc);
    return result;
}

// Every kind is painted on the parent's brush (the group box its caption
// band), so that a repaint neither leaves stale pixels nor inverts the
// focus twice. WM_PRINTCLIENT paints the same into the DC given.
static LRESULT OnButtonPaint(HWND button, UINT, WPARAM wParam, LPARAM, int)
{
    PAINTSTRUCT ps;
    HDC dc = wParam ? (HDC)wParam : BeginPaint(button, &ps);
    if (dc && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE))
        PaintButton(button, dc, PAINT_BACKGROUND | PAINT_GLYPH | PAINT_TEXT);
    if (!wParam && dc)
        EndPaint(button, &ps);
    return 0;
}

static LRESULT OnButtonSetFocus(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    return RepaintAfter(button, msg, wParam, lParam, PAINT_BACKGROUND | PAINT_GLYPH | PAINT_TEXT);
}

// An automatic radio button losing the focus while pushed is released.
static LRESULT OnButtonKillFocus(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    if (BUTTON_KIND(GetWindowLongA(button, GWL_STYLE)) == BS_AUTORADIOBUTTON)
        SendMessageA(button, BM_SETSTATE, FALSE, 0);
    return RepaintAfter(button, msg, wParam, lParam, 0);
}

static LRESULT OnButtonEnable(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    return RepaintAfter(button, msg, wParam, lParam, PAINT_GLYPH | PAINT_TEXT);
}

static LRESULT OnButtonSetText(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    DWORD style = (DWORD)GetWindowLongA(button, GWL_STYLE);
    BOOL visibleGroup = BUTTON_KIND(style) == BS_GROUPBOX && (style & WS_VISIBLE);
    return RepaintAfter(button, msg, wParam, lParam,
                        visibleGroup ? PAINT_CAPTION_AREA | PAINT_TEXT
                                     : PAINT_BACKGROUND | PAINT_GLYPH | PAINT_TEXT);
}

static LRESULT OnButtonSetState(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    return RepaintAfter(button, msg, wParam, lParam, PAINT_GLYPH);
}

static const ReliefMessage buttonMessages[] = {
    {WM_PAINT, WM_PAINT, OnButtonPaint},
    {WM_PRINTCLIENT, WM_PRINTCLIENT, OnButtonPaint},
    {WM_SETFOCUS, WM_SETFOCUS, OnButtonSetFocus},
    {WM_KILLFOCUS, WM_KILLFOCUS, OnButtonKillFocus},
    {WM_ENABLE, WM_ENABLE, OnButtonEnable},
    {WM_SETTEXT, WM_SETTEXT, OnButtonSetText},
    {BM_SETCHECK, BM_SETCHECK, OnButtonSetState},
    {BM_SETSTATE, BM_SETSTATE, OnButtonSetState},
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefButtonProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_BUTTON, buttonMessages);
}
