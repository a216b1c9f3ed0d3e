// Drawing primitives of the relief look: chiselled edges in cached system
// colours, sunken borders, fills, clipping and caption measurement.
#pragma once
#include <windows.h>

// Sides of PaintEdge.
#define EDGE_LEFT         0x0001   // first colour
#define EDGE_TOP          0x0002   // first colour
#define EDGE_RIGHT        0x0004   // second colour
#define EDGE_BOTTOM       0x0008   // second colour
#define EDGE_SHORT_BOTTOM 0x1000   // the bottom row stops two pixels short
#define EDGE_ALL (EDGE_LEFT | EDGE_TOP | EDGE_RIGHT | EDGE_BOTTOM)

BOOL PatFillRect(HDC hdc, const RECT *rect);
void PaintEdge(HDC hdc, const RECT *rect, WORD topLeftColor, WORD bottomRightColor, WORD sides);
void PaintSunkenBorder(HDC hdc, const RECT *rect, WORD sides);
void ClipToClient(HWND hwnd, HDC hdc);
void MeasureLabelText(HDC hdc, LPCSTR text, int *cx, int *cy);
