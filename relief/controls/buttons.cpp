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
#define TEXT_INDENT 18              // the glyph and a gap of 4

// The glyph row of a check box, radio button or three-state box, or -1.
static int GlyphRow(DWORD kind, UINT check)
{
    switch (kind) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX:         return 0;
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:   return 1;
    case BS_3STATE: case BS_AUTO3STATE:             return check == BST_INDETERMINATE ? 2 : 0;
    }
    return -1;
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

static void PaintCheckBox(HWND window, HDC dc, const RECT *client, UINT flags, DWORD style,
                          const char *caption, int length)
{
    BOOL enabled = IsWindowEnabled(window), leftText = (style & BS_LEFTTEXT) != 0;
    UINT state = (UINT)SendMessageA(window, BM_GETSTATE, 0, 0);
    if (flags & PAINT_GLYPH)
        DrawGlyph(dc, client, leftText, GlyphRow(style & 0x1F, state & 3),
                  GlyphColumn(enabled, (state & BST_PUSHED) != 0, (state & 3) != 0));
    if (flags & PAINT_TEXT) {
        RECT text = *client;
        if (leftText)
            text.right -= TEXT_INDENT;
        else
            text.left += TEXT_INDENT;
        if (!enabled)
            SetTextColor(dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
        DrawTextA(dc, caption, length, &text, DT_SINGLELINE | DT_VCENTER);
    }
    if (flags & PAINT_FOCUS)
        DrawCheckFocus(dc, *client, leftText, caption);
}

// The caption sits 4 pixels in on the top edge; the frame line runs through
// its middle, a shadow ring with a highlight ring one pixel right and down.
// A caption change only has the parent repaint the caption band.
static void PaintGroupBox(HWND window, HDC dc, const RECT *client, UINT flags,
                          const char *caption, int length)
{
    int cx, cy;
    MeasureLabelText(dc, caption, &cx, &cy);
    if (cy == 0) {
        int unused;
        MeasureLabelText(dc, "X", &unused, &cy);
    }
    RECT text = {client->left + 4, client->top, client->left + 4 + cx + 4, client->top + cy};
    if (flags & PAINT_CAPTION_AREA) {
        HWND parent = GetParent(window);
        RECT band = {text.left, text.top, client->right, text.bottom};
        MapWindowPoints(window, parent, (POINT *)&band, 2);
        if (parent)
            InvalidateRect(parent, &band, TRUE);
        return;
    }
    RECT frame = {client->left, client->top + cy / 2, client->right - 1, client->bottom - 1};
    PaintEdge(dc, &frame, SYSCLR_BTNSHADOW, SYSCLR_BTNSHADOW, EDGE_ALL);
    OffsetRect(&frame, 1, 1);
    PaintEdge(dc, &frame, SYSCLR_BTNHILITE, SYSCLR_BTNHILITE, EDGE_ALL);
    if (!IsWindowEnabled(window))
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
void PaintPushButton(HWND button, HDC dc, const RECT *client, const char *caption,
                     int captionLength, int kind, int pushed)
{
    RECT face = *client;
    PaintEdge(dc, client, SYSCLR_WINDOWFRAME, SYSCLR_WINDOWFRAME, EDGE_ALL);
    InflateRect(&face, -1, -1);
    if (LOWORD(kind) == BS_DEFPUSHBUTTON && IsWindowEnabled(button)) {
        PaintEdge(dc, &face, SYSCLR_WINDOWFRAME, SYSCLR_WINDOWFRAME, EDGE_ALL);
        InflateRect(&face, -1, -1);
    }
    FillPixel(dc, client->left, client->top);
    FillPixel(dc, client->right - 1, client->top);
    FillPixel(dc, client->left, client->bottom - 1);
    FillPixel(dc, client->right - 1, client->bottom - 1);

    const HBRUSH *brushes = ReliefState.BrushTable;
    int width = pushed ? 1 : 2;
    HGDIOBJ oldBrush = SelectObject(dc, brushes[pushed ? SYSCLR_BTNSHADOW : SYSCLR_BTNHILITE]);
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

    if (!IsWindowEnabled(button))
        SetTextColor(dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
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
    DrawTextA(dc, caption, captionLength, &text, DT_SINGLELINE);
    if (GetFocus() == button) {
        InflateRect(&text, 1, 1);
        IntersectRect(&text, &text, client);
        DrawFocusRect(dc, &text);
    }
    SelectObject(dc, oldBrush);
}

// Paints into a DC of the button's client area and leaves the DC as it
// found it.
void PaintButton(HWND button, HDC dc, UINT flags)
{
    DWORD style = (DWORD)GetWindowLongA(button, GWL_STYLE), kind = style & 0x1F;
    int saved = SaveDC(dc);
    SetBkMode(dc, OPAQUE);
    RECT client;
    GetClientRect(button, &client);
    HFONT font = (HFONT)SendMessageA(button, WM_GETFONT, 0, 0);
    if (font)
        SelectObject(dc, font);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HBRUSH brush = (HBRUSH)SendMessageA(GetParent(button), WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)button);
    if (brush)
        SelectObject(dc, brush);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    if ((flags & PAINT_BACKGROUND) && kind != BS_GROUPBOX)
        PatFillRect(dc, &client);

    char caption[CAPTION_SIZE] = "";
    int length = 0;
    if (kind <= BS_DEFPUSHBUTTON || kind == BS_GROUPBOX || (flags & (PAINT_TEXT | PAINT_FOCUS)))
        length = GetWindowTextA(button, caption, sizeof caption);
    if (kind <= BS_DEFPUSHBUTTON) {
        UINT state = (UINT)SendMessageA(button, BM_GETSTATE, 0, 0);
        PaintPushButton(button, dc, &client, caption, length, kind, state & BST_PUSHED);
    } else if (kind == BS_GROUPBOX) {
        if (flags & (PAINT_TEXT | PAINT_GLYPH))
            PaintGroupBox(button, dc, &client, flags, caption, length);
    } else if (GlyphRow(kind, 0) >= 0) {
        PaintCheckBox(button, dc, &client, flags, style, caption, length);
    }
    RestoreDC(dc, saved);
}

// The system procedure runs invisible, except at WM_SETFOCUS; then what
// changed is painted, and only outside parts waiting for WM_PAINT.
static LRESULT RepaintAfter(HWND button, UINT msg, WPARAM wParam, LPARAM lParam, UINT baseFlags)
{
    UINT before = (UINT)SendMessageA(button, BM_GETSTATE, 0, 0);
    LONG style = GetWindowLongA(button, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return ForwardMessage(button, msg, wParam, lParam, RCLASS_BUTTON);
    BOOL hide = msg != WM_SETFOCUS;
    if (hide)
        SetWindowLongA(button, GWL_STYLE, style & ~WS_VISIBLE);
    LRESULT result = ForwardMessage(button, msg, wParam, lParam, RCLASS_BUTTON);
    if (hide)
        SetWindowLongA(button, GWL_STYLE, GetWindowLongA(button, GWL_STYLE) | WS_VISIBLE);
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

// Every kind but the group box is painted on the parent's brush, so that a
// repaint neither leaves stale pixels nor inverts the focus twice.
static LRESULT OnButtonPaint(HWND button, UINT, WPARAM wParam, LPARAM, int)
{
    PAINTSTRUCT ps;
    HDC dc = wParam ? (HDC)wParam : BeginPaint(button, &ps);
    UINT state = (UINT)SendMessageA(button, BM_GETSTATE, 0, 0);
    if (dc && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE))
        PaintButton(button, dc, (state & BST_FOCUS) | PAINT_BACKGROUND | PAINT_GLYPH | PAINT_TEXT);
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
    if ((GetWindowLongA(button, GWL_STYLE) & 0x1F) == BS_AUTORADIOBUTTON)
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
    BOOL visibleGroup = (style & 0x1F) == BS_GROUPBOX && (style & WS_VISIBLE);
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
