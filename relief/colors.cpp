// The cached system colours and the objects made from them (three solid
// brushes and the glyph strip recoloured), colour changes, and the colour
// answers for dialogs.
#include "relief/state.h"
#include <string.h>

// System colours of SysColorTable, in its order.
static const WORD sysColorIndex[SYSCLR_COUNT] = {
    COLOR_BTNHIGHLIGHT, COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNTEXT,
    COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_GRAYTEXT, COLOR_WINDOWFRAME,
};

#define WHITE  RGB(255, 255, 255)
#define SILVER RGB(192, 192, 192)
#define GRAY   RGB(128, 128, 128)

// The glyph strip's pixels follow a 40-byte header and 16 palette entries.
#define GLYPH_PIXEL_OFFSET (sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD))

// Gray text must stay visible on the face colour.
static void ReadSysColors(COLORREF colors[SYSCLR_COUNT])
{
    for (int i = 0; i < SYSCLR_COUNT; ++i)
        colors[i] = GetSysColor(sysColorIndex[i]);
    if (ReliefState.winVersion == WINVER_30)
        colors[SYSCLR_BTNHILITE] = WHITE;
    COLORREF face = colors[SYSCLR_BTNFACE];
    if (colors[SYSCLR_GRAYTEXT] == 0 || colors[SYSCLR_GRAYTEXT] == face)
        colors[SYSCLR_GRAYTEXT] = face == GRAY ? SILVER : GRAY;
}

// Brushes and bitmap are replaced together or not at all.
BOOL RefreshColors(BOOL first)
{
    if (!ReliefState.reliefOn)
        return FALSE;
    COLORREF colors[SYSCLR_COUNT];
    ReadSysColors(colors);
    if (!first && memcmp(colors, ReliefState.SysColorTable, sizeof colors) == 0)
        return TRUE;

    HBITMAP bitmap = LoadGlyphBitmap(ReliefState.resourceInstance,
        MAKEINTRESOURCEA(RELIEF_GLYPH_BITMAP), colors[SYSCLR_WINDOWTEXT],
        colors[SYSCLR_BTNFACE], colors[SYSCLR_BTNSHADOW], colors[SYSCLR_BTNHILITE],
        colors[SYSCLR_WINDOW], colors[SYSCLR_WINDOWFRAME]);
    HBRUSH brushes[3];
    BOOL made = bitmap != NULL;
    for (int i = 0; i < 3; ++i) {   // btnHilite, btnFace, btnShadow
        brushes[i] = CreateSolidBrush(colors[i]);
        made = made && brushes[i];
    }
    if (!made) {
        for (int i = 0; i < 3; ++i)
            FreeGdiObject((HGDIOBJ *)&brushes[i]);
        FreeGdiObject((HGDIOBJ *)&bitmap);
        return FALSE;
    }
    FreeColorObjects();
    memcpy(ReliefState.BrushTable, brushes, sizeof brushes);
    memcpy(ReliefState.SysColorTable, colors, sizeof colors);
    ReliefState.checkBitmap = bitmap;
    return TRUE;
}

// A palette entry holds blue, green, red; a COLORREF red in its low byte.
static void SetPaletteEntry(RGBQUAD *palette, int entry, COLORREF color)
{
    palette[entry].rgbBlue = GetBValue(color);
    palette[entry].rgbGreen = GetGValue(color);
    palette[entry].rgbRed = GetRValue(color);
    palette[entry].rgbReserved = 0;
}

// Only a 4-bit bitmap with a full palette at the fixed offset and all its
// rows inside the resource is read.
static BOOL IsGlyphStrip(const BITMAPINFOHEADER *header, DWORD size)
{
    if (size < GLYPH_PIXEL_OFFSET || header->biSize != sizeof *header
        || header->biBitCount != 4 || header->biCompression != BI_RGB
        || (header->biClrUsed != 0 && header->biClrUsed != 16)
        || header->biWidth <= 0 || header->biWidth > 0x7FFF
        || header->biHeight == 0 || header->biHeight < -0x7FFF || header->biHeight > 0x7FFF)
        return FALSE;
    DWORD stride = ((DWORD)header->biWidth * 4 + 31) / 32 * 4;
    DWORD rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    return rows * stride <= size - GLYPH_PIXEL_OFFSET;
}

HBITMAP LoadGlyphBitmap(HINSTANCE instance, LPCSTR name, COLORREF windowText,
                        COLORREF btnFace, COLORREF btnShadow, COLORREF btnHilite,
                        COLORREF window, COLORREF windowFrame)
{
    HRSRC info = FindResourceA(instance, name, (LPCSTR)RT_BITMAP);
    if (!info)
        return NULL;
    DWORD size = SizeofResource(instance, info);
    HGLOBAL data = LoadResource(instance, info);
    const void *resource = data ? LockResource(data) : NULL;
    if (!resource || !IsGlyphStrip((const BITMAPINFOHEADER *)resource, size))
        return NULL;
    BYTE *block = (BYTE *)GlobalAlloc(GMEM_ZEROINIT, size);
    if (!block)
        return NULL;
    CopyMemory(block, resource, size);

    RGBQUAD *palette = (RGBQUAD *)(block + sizeof(BITMAPINFOHEADER));
    SetPaletteEntry(palette, 0, windowText);
    SetPaletteEntry(palette, 7, btnShadow);
    SetPaletteEntry(palette, 8, btnFace);
    SetPaletteEntry(palette, 15, btnHilite);
    SetPaletteEntry(palette, 11, window);
    SetPaletteEntry(palette, 10, windowFrame);

    HBITMAP bitmap = NULL;
    HDC screen = GetDC(NULL);
    if (screen) {
        bitmap = CreateDIBitmap(screen, (BITMAPINFOHEADER *)block, CBM_INIT,
                                block + GLYPH_PIXEL_OFFSET, (BITMAPINFO *)block,
                                DIB_RGB_COLORS);
        ReleaseDC(NULL, screen);
    }
    GlobalFree(block);
    return bitmap;
}

void FreeGdiObject(HGDIOBJ *slot)
{
    if (*slot) {
        DeleteObject(*slot);
        *slot = NULL;
    }
}

void FreeColorObjects(void)
{
    for (int i = 0; i < 3; ++i)
        FreeGdiObject((HGDIOBJ *)&ReliefState.BrushTable[i]);
    FreeGdiObject((HGDIOBJ *)&ReliefState.checkBitmap);
}

BOOL ReliefColorChange(void)
{
    LockRelief();
    BOOL result = RefreshColors(FALSE);
    UnlockRelief();
    return result;
}

// Below version 3.95 list-box colour messages of simple and drop-down
// combo boxes (those with an edit child) get the face colour too.
static BOOL ListBoxTakesFaceColor(HWND hwnd)
{
    return ReliefState.winVersion < WINVER_395 && GetWindow(hwnd, GW_CHILD)
        && (GetWindowLongA(hwnd, GWL_STYLE) & 3) != 3;
}

// Buttons, dialogs and statics are painted on the face colour; message
// boxes, edits and scroll bars keep the default.
HBRUSH ReliefCtlColor(UINT msg, HDC hdc, HWND hwnd)
{
    if (!ReliefState.reliefOn || msg < WM_CTLCOLORLISTBOX || msg > WM_CTLCOLORSTATIC
        || msg == WM_CTLCOLORSCROLLBAR)
        return NULL;
    if (msg == WM_CTLCOLORLISTBOX && !ListBoxTakesFaceColor(hwnd))
        return NULL;
    SetTextColor(hdc, ReliefState.SysColorTable[SYSCLR_BTNTEXT]);
    SetBkColor(hdc, ReliefState.SysColorTable[SYSCLR_BTNFACE]);
    return ReliefState.BrushTable[SYSCLR_BTNFACE];
}
