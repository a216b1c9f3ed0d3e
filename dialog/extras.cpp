// Set-up of the extra controls from the request's DialogExtras when a
// customised dialog initialises, and their fonts.
#include "dialog/dialog.h"
#include "server/dialogextras.h"
#include "server/server.h"

const LOGFONTA lfNoteFont = {-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Helv"};
HFONT hNoteFont;

// The controls that take the Explorer-style dialog's font, in this order.
static const int PARENT_FONT_CONTROLS[] = {IDC_LABEL, IDC_WORKBOOKS, IDC_NOTE, IDC_CHECKBOX};

// The Explorer-style dialog's font, so our controls match the platform's;
// none of them is redrawn yet.
void UseParentFont(HWND dialog)
{
    HWND parent = GetParent(dialog);
    WPARAM font = parent ? (WPARAM)SendMessageA(parent, WM_GETFONT, 0, 0) : 0;
    if (!font)
        return;
    for (int id : PARENT_FONT_CONTROLS)
        SendDlgItemMessageA(dialog, id, WM_SETFONT, font, 0);
}

void UseNoteFont(HWND dialog)
{
    if (!hNoteFont)
        hNoteFont = CreateFontIndirectA(&lfNoteFont);
    if (hNoteFont)
        SendDlgItemMessageA(dialog, IDC_NOTE, WM_SETFONT, (WPARAM)hNoteFont, 0);
}

// New shell: the note shows the request's text, or the child dialog gives
// up the note's height so the platform's dialog grows less.
static void SetExplorerNote(HWND dialog, const char *text)
{
    HWND note = GetDlgItem(dialog, IDC_NOTE);
    if (text) {
        SetWindowTextA(note, text);
        ShowWindow(note, SW_SHOWNORMAL);
        return;
    }
    RECT whole = {0, 0, 0, 0}, noteRect = {0, 0, 0, 0};
    GetClientRect(dialog, &whole);
    GetClientRect(note, &noteRect);
    MoveWindow(dialog, 0, 0, whole.right, whole.bottom - noteRect.bottom, TRUE);
}

// Old shell: the template's own note text stays unless the request has one.
static void SetOldStyleNote(HWND dialog, const char *text)
{
    HWND note = GetDlgItem(dialog, IDC_NOTE);
    if (!IsWindow(note))
        return;
    if (text)
        SetWindowTextA(note, text);
    ShowWindow(note, SW_SHOWNORMAL);
}

// Controls that a template lacks (the check box of 102) are null windows
// here, and the calls aimed at them do nothing.
void InitExtraControls(HWND dialog, WPARAM, LPARAM lParam)
{
    const OPENFILENAMEA *ofn = (const OPENFILENAMEA *)lParam;
    const DialogExtras *extras = ofn ? (const DialogExtras *)ofn->lCustData : NULL;
    int newShell = IsNewShell();
    if (newShell)
        UseParentFont(dialog);
    else
        UseNoteFont(dialog);
    if (!extras)
        return;

    FillWorkbooks(GetDlgItem(dialog, IDC_WORKBOOKS), extras->lpstrWorkbooks);
    HWND checkBox = GetDlgItem(dialog, IDC_CHECKBOX);
    if (extras->fShowCheckBox)
        ShowWindow(checkBox, SW_SHOWNORMAL);
    if (extras->nCheckState)
        SendMessageA(checkBox, BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextA(checkBox, extras->lpstrCheckBoxText);
    SetWindowTextA(GetDlgItem(dialog, IDC_LABEL), extras->lpstrLabel);
    if (newShell)
        SetExplorerNote(dialog, extras->lpstrNote);
    else
        SetOldStyleNote(dialog, extras->lpstrNote);
}
