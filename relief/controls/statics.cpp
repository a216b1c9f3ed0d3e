// The relief procedure of statics and their painting: text on the parent's
// static brush, sunken, raised and etched frames in the relief colours.
// The system's procedure never paints a relief static.
#include "relief/controls/controls.h"
#include "relief/edges.h"
#include "relief/subclass.h"

#define STATIC_KIND(style) ((style) & SS_TYPEMASK)

// Text takes the colours and brush the parent answers; the whole caption
// is drawn, whatever its length, and a buffer that cannot be had leaves
// the fill without text. It is read wide: a Unicode window's text may hold
// characters the ANSI code page lacks.
static void PaintText(HWND control, HDC dc, RECT *client, DWORD style)
{
    HFONT font = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
    if (font)
        SelectObject(dc, font);
    SetBkMode(dc, OPAQUE);
    HBRUSH brush = (HBRUSH)SendMessageA(GetParent(control), WM_CTLCOLORSTATIC, (WPARAM)dc,
                                         (LPARAM)control);
    if (brush)
        SelectObject(dc, brush);
    PatFillRect(dc, client);
    int length = GetWindowTextLengthW(control);
    WCHAR *text = (WCHAR *)LocalAlloc(LMEM_FIXED, (length + 2) * sizeof(WCHAR));
    if (!text)
        return;
    if (GetWindowTextW(control, text, length + 2)) {
        DWORD kind = STATIC_KIND(style);
        UINT format = kind == SS_LEFTNOWORDWRAP ? DT_EXPANDTABS | DT_NOCLIP
                                                : kind | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        if (style & WS_DISABLED)
            SetTextColor(dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
        DrawTextW(dc, text, -1, client, format);
    }
    LocalFree(text);
}

// Frames are one pixel wide, rectangles drawn as their frame twins.
static void PaintSunken(HWND, HDC dc, RECT *client, DWORD)
{
    PaintEdge(dc, client, SYSCLR_BTNSHADOW, SYSCLR_BTNHILITE, EDGE_ALL);
}

static void PaintRaised(HWND, HDC dc, RECT *client, DWORD)
{
    PaintEdge(dc, client, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_ALL);
}

// A highlight ring one pixel right and down, under a shadow ring.
static void PaintEtched(HWND, HDC dc, RECT *client, DWORD)
{
    client->left++;
    client->top++;
    PaintEdge(dc, client, SYSCLR_BTNHILITE, SYSCLR_BTNHILITE, EDGE_ALL);
    OffsetRect(client, -1, -1);
    PaintEdge(dc, client, SYSCLR_BTNSHADOW, SYSCLR_BTNSHADOW, EDGE_ALL);
}

typedef void (*StaticPainter)(HWND control, HDC dc, RECT *client, DWORD style);

static const StaticPainter staticPainters[SS_TYPEMASK + 1] = {
    PaintText,      // SS_LEFT
    PaintText,      // SS_CENTER
    PaintText,      // SS_RIGHT
    NULL,           // SS_ICON
    PaintSunken,    // SS_BLACKRECT
    PaintEtched,    // SS_GRAYRECT
    PaintRaised,    // SS_WHITERECT
    PaintSunken,    // SS_BLACKFRAME
    PaintEtched,    // SS_GRAYFRAME
    PaintRaised,    // SS_WHITEFRAME
    NULL,           // SS_USERITEM
    NULL,           // SS_SIMPLE
    PaintText,      // SS_LEFTNOWORDWRAP
    NULL,           // SS_OWNERDRAW
    NULL,           // SS_BITMAP
    NULL,           // SS_ENHMETAFILE
    PaintEtched,    // SS_ETCHEDHORZ
    PaintEtched,    // SS_ETCHEDVERT
    PaintEtched,    // SS_ETCHEDFRAME
    // the later kinds: nothing
};

// Text kinds with RELIEF_STATIC_TEXT; rectangles, frames and (below 3.95)
// etched lines with RELIEF_STATIC_FRAME; never an icon.
BOOL StaticFilter(HWND, DWORD style, WORD classes, WORD, HWND)
{
    DWORD kind = STATIC_KIND(style);
    if (kind == SS_ICON)
        return FALSE;
    if (classes & RELIEF_STATIC_TEXT) {
        if (kind <= SS_RIGHT || kind == SS_LEFTNOWORDWRAP)
            return TRUE;
    }
    if (classes & RELIEF_STATIC_FRAME) {
        if (kind >= SS_BLACKRECT && kind <= SS_WHITEFRAME)
            return TRUE;
        if (kind >= SS_ETCHEDHORZ && kind <= SS_ETCHEDFRAME)
            return ReliefState.winVersion < WINVER_395;
    }
    return FALSE;
}

// Paints the whole static and leaves the DC as it found it.
static void PaintStatic(HWND control, HDC dc)
{
    DWORD style = (DWORD)GetWindowLongA(control, GWL_STYLE);
    StaticPainter paint = staticPainters[STATIC_KIND(style)];
    if (!(style & WS_VISIBLE) || !paint)
        return;
    RECT client;
    GetClientRect(control, &client);
    int saved = SaveDC(dc);
    paint(control, dc, &client, style);
    RestoreDC(dc, saved);
}

// Enabling or disabling repaints at once, in the new colour. The system's
// procedure still sees the message, invisible, and notifies the parent of
// an SS_NOTIFY static.
static LRESULT OnStaticEnable(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, int)
{
    LRESULT result = ForwardInvisibly(control, msg, wParam, lParam, RCLASS_STATIC);
    HDC dc = GetDC(control);
    if (dc) {
        ClipToClient(control, dc);
        PaintStatic(control, dc);
        ReleaseDC(control, dc);
    }
    return result;
}

// WM_PRINTCLIENT paints the same into the DC given.
static LRESULT OnStaticPaint(HWND control, UINT, WPARAM wParam, LPARAM, int)
{
    PAINTSTRUCT ps;
    HDC dc = (HDC)wParam;
    if (!dc && (dc = BeginPaint(control, &ps)) != NULL)
        ClipToClient(control, dc);
    if (dc)
        PaintStatic(control, dc);
    if (!wParam && dc)
        EndPaint(control, &ps);
    return 0;
}

static const ReliefMessage staticMessages[] = {
    {WM_PAINT, WM_PAINT, OnStaticPaint},
    {WM_PRINTCLIENT, WM_PRINTCLIENT, OnStaticPaint},
    {WM_ENABLE, WM_ENABLE, OnStaticEnable},
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefStaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_STATIC, staticMessages);
}
