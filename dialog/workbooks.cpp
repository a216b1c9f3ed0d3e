// The workbook combo box: its entries from the request's workbook list,
// their owner drawing, and taking an entry into the file name box.
#include "dialog/dialog.h"
#include "dialog/dialogextras.h"
#include "wire/unicode.h"
#include <dlgs.h>
#include <string.h>

// The names come in the request's code page; the entries are wide.
void FillWorkbooks(HWND comboBox, const char *list, UINT codePage)
{
    WorkbookList reader;
    char name[WORKBOOK_LINE_SIZE];
    WCHAR entry[WORKBOOK_LINE_SIZE];
    BOOL fSpecial;
    int added = 0;
    OpenWorkbookList(&reader, list);
    while (ReadWorkbook(&reader, name, &fSpecial)) {
        WidenText(codePage, name, entry, WORKBOOK_LINE_SIZE);
        LRESULT index = SendMessageW(comboBox, CB_ADDSTRING, 0, (LPARAM)entry);
        if (index < 0)
            break;
        ++added;
        if (fSpecial)
            SendMessageA(comboBox, CB_SETITEMDATA, (WPARAM)index, 1);
    }
    if (added)
        SendMessageA(comboBox, CB_SETCURSEL, 0, 0);
}

// CB_GETLBTEXT takes no buffer size: ask the length first.
static BOOL GetEntryText(HWND comboBox, WPARAM index, WCHAR *text)
{
    LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, index, 0);
    if (length < 0 || length >= WORKBOOK_LINE_SIZE)
        return FALSE;
    text[0] = '\0';
    return SendMessageW(comboBox, CB_GETLBTEXT, index, (LPARAM)text) >= 0;
}

static BOOL IsSpecialEntry(HWND comboBox, WPARAM index)
{
    return SendMessageA(comboBox, CB_GETITEMDATA, index, 0) != 0;
}

// The device context's default font, not the combo box's, sets the height.
WORD MeasureWorkbookItem(HWND comboBox)
{
    TEXTMETRICA tm;
    ZeroMemory(&tm, sizeof tm);
    HDC dc = GetDC(comboBox);
    GetTextMetricsA(dc, &tm);
    ReleaseDC(comboBox, dc);
    return (WORD)(tm.tmAscent + 1);
}

static void FillSolid(HDC dc, const RECT *rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, rect, brush);
    DeleteObject(brush);
}

static void DrawEntry(const DRAWITEMSTRUCT *item)
{
    WCHAR text[WORKBOOK_LINE_SIZE];
    if (!GetEntryText(item->hwndItem, item->itemID, text))
        text[0] = '\0';
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    int textColour = IsSpecialEntry(item->hwndItem, item->itemID) ? COLOR_GRAYTEXT
                     : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    RECT rect = item->rcItem;
    FillSolid(item->hDC, &rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int oldMode = SetBkMode(item->hDC, TRANSPARENT);
    COLORREF oldColour = SetTextColor(item->hDC, GetSysColor(textColour));
    rect.left += 1;
    DrawTextW(item->hDC, text, -1, &rect, DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(item->hDC, oldColour);
    SetBkMode(item->hDC, oldMode);
}

// Every WM_DRAWITEM repaints the whole item, whatever its itemAction.
BOOL DrawWorkbookItem(const DRAWITEMSTRUCT *item)
{
    if ((int)item->itemID < 0)
        FillSolid(item->hDC, &item->rcItem, GetSysColor(COLOR_WINDOW));
    else
        DrawEntry(item);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(item->hDC, &item->rcItem);
    return TRUE;
}

// Old-style and older Explorer-style dialogs have edt1; current ones (and
// Wine's) have only the combo box cmb13, which takes WM_SETTEXT as well.
static HWND FileNameBox(HWND fileDialog)
{
    HWND box = GetDlgItem(fileDialog, edt1);
    return box ? box : GetDlgItem(fileDialog, cmb13);
}

// A multiple-selection list refuses LB_SETCURSEL; it is cleared with LB_SETSEL.
static void ClearFileSelection(HWND fileList)
{
    if (GetWindowLongA(fileList, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
        SendMessageA(fileList, LB_SETSEL, FALSE, -1);
    else
        SendMessageA(fileList, LB_SETCURSEL, (WPARAM)-1, 0);
}

void TakeWorkbook(HWND comboBox, HWND fileDialog)
{
    LRESULT selection = SendMessageA(comboBox, CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return;
    ClearFileSelection(GetDlgItem(fileDialog, lst1));
    WPARAM index = LOWORD(selection);
    WCHAR text[WORKBOOK_LINE_SIZE];
    if (!GetEntryText(comboBox, index, text))
        return;
    if (IsSpecialEntry(comboBox, index)) {
        WCHAR *dot = wcsrchr(text, '.');
        if (dot)
            *dot = '\0';
    }
    SendMessageW(FileNameBox(fileDialog), WM_SETTEXT, 0, (LPARAM)text);
}
