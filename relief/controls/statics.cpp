// The relief procedure of statics and their painting: text on the parent's
// static brush, sunken, raised and etched frames in the relief colours.
// The system's procedure never paints a relief static.
#include "relief/controls/controls.h"
#include "relief/edges.h"
#include "relief/subclass.h"

// The whole caption, whatever its length; a buffer that cannot be had
// leaves the fill without text.
BOOL PaintStaticText(HWND control, HDC dc, const RECT *rect, DWORD style)
{
    PatFillRect(dc, rect);
    int length = GetWindowTextLengthA(control);
    char *text = (char *)LocalAlloc(LMEM_FIXED, length + 2);
    if (!text)
        return FALSE;
    if (GetWindowTextA(control, text, length + 2)) {
        UINT format = (style & 0x0F) == SS_LEFTNOWORDWRAP
            ? DT_EXPANDTABS | DT_NOCLIP
            : (style & 0x0F) | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        COLORREF oldColor = 0;
        if (style & WS_DISABLED)
            oldColor = SetTextColor(dc, ReliefState.SysColorTable[SYSCLR_GRAYTEXT]);
        DrawTextA(dc, text, -1, (RECT *)rect, format);
        if (style & WS_DISABLED)
            SetTextColor(dc, oldColor);
    }
    LocalFree(text);
    return TRUE;
}

// Text takes the colours and brush the parent answers; frames are one
// pixel wide, rectangles drawn as their frame twins.
void PaintStatic(HWND control, HDC dc)
{
    DWORD style = (DWORD)GetWindowLongA(control, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return;
    RECT client;
    GetClientRect(control, &client);
    switch (style & 0x1F) {
    case SS_LEFT: case SS_CENTER: case SS_RIGHT: case SS_LEFTNOWORDWRAP: {
        int saved = SaveDC(dc);
        HFONT font = (HFONT)SendMessageA(control, WM_GETFONT, 0, 0);
        if (font)
            SelectObject(dc, font);
        SetBkMode(dc, OPAQUE);
        HBRUSH brush = (HBRUSH)SendMessageA(GetParent(control), WM_CTLCOLORSTATIC,
                                             (WPARAM)dc, (LPARAM)control);
        if (brush)
            SelectObject(dc, brush);
        PaintStaticText(control, dc, &client, style);
        RestoreDC(dc, saved);
        break;
    }
    case SS_BLACKRECT: case SS_BLACKFRAME:
        PaintEdge(dc, &client, SYSCLR_BTNSHADOW, SYSCLR_BTNHILITE, EDGE_ALL);
        break;
    case SS_WHITERECT: case SS_WHITEFRAME:
        PaintEdge(dc, &client, SYSCLR_BTNHILITE, SYSCLR_BTNSHADOW, EDGE_ALL);
        break;
    case SS_GRAYRECT: case SS_GRAYFRAME:
    case SS_ETCHEDHORZ: case SS_ETCHEDVERT: case SS_ETCHEDFRAME:
        client.left++;
        client.top++;
        PaintEdge(dc, &client, SYSCLR_BTNHILITE, SYSCLR_BTNHILITE, EDGE_ALL);
        OffsetRect(&client, -1, -1);
        PaintEdge(dc, &client, SYSCLR_BTNSHADOW, SYSCLR_BTNSHADOW, EDGE_ALL);
        break;
    }
}

// Enabling or disabling repaints at once, in the new colour.
static LRESULT OnStaticEnable(HWND control, UINT, WPARAM, LPARAM, int)
{
    HDC dc = GetDC(control);
    if (dc) {
        ClipToClient(control, dc);
        PaintStatic(control, dc);
        ReleaseDC(control, dc);
    }
    return 0;
}

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
    {WM_ENABLE, WM_ENABLE, OnStaticEnable},
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefStaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_STATIC, staticMessages);
}
