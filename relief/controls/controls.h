// The relief window procedures of the standard controls and their painting.
#pragma once
#include <windows.h>

LRESULT CALLBACK ReliefButtonProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefListBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefComboBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefStaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Buttons: the paint flags choose what PaintButton draws into a DC of the
// button's client area.
#define PAINT_TEXT          0x02    // the caption; the group box
#define PAINT_GLYPH         0x04    // the glyph; the group box
#define PAINT_FOCUS         0x08    // the focus rectangle, by inversion (= BST_FOCUS)
#define PAINT_BACKGROUND    0x10    // the parent's button brush over the client area
#define PAINT_CAPTION_AREA  0x20    // group box: the parent repaints the caption band
void PaintButton(HWND button, HDC dc, UINT flags);
void PaintPushButton(HWND button, HDC dc, const RECT *client, const char *caption,
                     int captionLength, int kind, int pushed);

// Edits, lists and combo boxes: the sunken border painted into the parent.
void PaintFieldBorder(HWND control, int hasCaret, int classIndex);

// Statics.
void PaintStatic(HWND control, HDC dc);
BOOL PaintStaticText(HWND control, HDC dc, const RECT *rect, DWORD style);
