// Drawing primitives shared by the frame and control painting. They keep
// no state, create no GDI object and leave the DC's background colour as
// they found it.
#include "relief/edges.h"
#include "relief/state.h"

#define LABEL_BUFFER_SIZE 256

BOOL PatFillRect(HDC hdc, const RECT *rect)
{
    return PatBlt(hdc, rect->left, rect->top, rect->right - rect->left,
                  rect->bottom - rect->top, PATCOPY);
}

// An opaque empty text output fills a rectangle with the background colour.
// A line shortened to nothing or less is not drawn: the output would take
// the swapped ends and paint outside the rectangle.
static void FillLine(HDC hdc, int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    RECT line = {left, top, right, bottom};
    ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &line, NULL, 0, NULL);
}

// Top and left come first, so the top-left pixel takes the first colour and
// the three other corners the second.
void PaintEdge(HDC hdc, const RECT *rect, WORD topLeftColor, WORD bottomRightColor, WORD sides)
{
    const COLORREF *colors = ReliefState.SysColorTable;
    COLORREF saved = SetBkColor(hdc, colors[topLeftColor]);
    if (sides & EDGE_TOP)
        FillLine(hdc, rect->left, rect->top, rect->right, rect->top + 1);
    if (sides & EDGE_LEFT)
        FillLine(hdc, rect->left, rect->top, rect->left + 1, rect->bottom);
    if (bottomRightColor != topLeftColor)
        SetBkColor(hdc, colors[bottomRightColor]);
    if (sides & EDGE_RIGHT)
        FillLine(hdc, rect->right - 1, rect->top, rect->right, rect->bottom);
    if (sides & EDGE_BOTTOM) {
        int right = sides & EDGE_SHORT_BOTTOM ? rect->right - 2 : rect->right;
        FillLine(hdc, rect->left, rect->bottom - 1, right, rect->bottom);
    }
    SetBkColor(hdc, saved);
}

// The inner ring lies on the field's outermost pixels, the outer ring just
// outside them.
void PaintSunkenBorder(HDC hdc, const RECT *rect, WORD sides)
{
    PaintEdge(hdc, rect, SYSCLR_WINDOWFRAME, SYSCLR_BTNFACE, sides & 0x000F);
    RECT outer = {rect->left - 1, rect->top - 1, rect->right + 1, rect->bottom + 1};
    PaintEdge(hdc, &outer, SYSCLR_BTNSHADOW, SYSCLR_BTNHILITE, sides);
}

void ClipToClient(HWND hwnd, HDC hdc)
{
    RECT client;
    GetClientRect(hwnd, &client);
    IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
}

// Copies a caption without its mnemonic markers: '&' keeps the byte after
// it; on DBCS systems the marker in force does the same, and the other
// marker drops itself and the whole character after it. A caption longer
// than the buffer is measured by its first 255 bytes.
static void StripMarkers(LPCSTR text, char *copy)
{
    const BYTE marker = (BYTE)ReliefState.mnemonicMarker;
    const BOOL dbcs = ReliefState.dbcsEnabled != 0;
    int n = 0;
    while (*text && n < LABEL_BUFFER_SIZE - 1) {
        BYTE c = (BYTE)*text;
        BOOL keepsNext = c == '&' || (dbcs && c == marker);
        BOOL dropsNext = dbcs && !keepsNext && (c == 30 || c == 31);
        if (keepsNext || dropsNext) {
            if (!*++text)
                break;
            if (dropsNext) {
                text = CharNextA(text);
                continue;
            }
        }
        copy[n++] = *text++;
    }
    copy[n] = '\0';
}

void MeasureLabelText(HDC hdc, LPCSTR text, int *cx, int *cy)
{
    char copy[LABEL_BUFFER_SIZE];
    StripMarkers(text ? text : "", copy);
    SIZE size = {0, 0};
    GetTextExtentPointA(hdc, copy, lstrlenA(copy), &size);
    *cx = size.cx;
    *cy = size.cy;
}
