// Set-up of the extra controls from the request's DialogExtras when a
// customised dialog initialises, and their fonts.
#include "dialog/dialog.h"
#include "dialog/dialogextras.h"
#include "wire/unicode.h"

const LOGFONTA lfNoteFont = {-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Helv"};

static const char PROP_NOTE_FONT[] = "JxrNoteFont";

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

// A dialog opened above this one (a nested request) has a font of its own,
// so its end leaves this one's note as it was.
void UseNoteFont(HWND dialog)
{
    HFONT font = CreateFontIndirectA(&lfNoteFont);
    if (font && SetPropA(dialog, PROP_NOTE_FONT, font))
        SendDlgItemMessageA(dialog, IDC_NOTE, WM_SETFONT, (WPARAM)font, 0);
    else if (font)
        DeleteObject(font);
}

void ReleaseNoteFont(HWND dialog)
{
    HFONT font = (HFONT)RemovePropA(dialog, PROP_NOTE_FONT);
    if (font)
        DeleteObject(font);
}

// A text of the request in its code page, cut to the texts' limit.
static void SetText(HWND window, const char *text, UINT codePage)
{
    WCHAR wide[JXR_EXTRAS_TEXT_MAX + 1];
    WidenText(codePage, text, wide, JXR_EXTRAS_TEXT_MAX + 1);
    SetWindowTextW(window, wide);
}

// New shell: the note shows the request's text, or the child dialog gives
// up the note's height so the platform's dialog grows less.
static void SetExplorerNote(HWND dialog, const char *text, UINT codePage)
{
    HWND note = GetDlgItem(dialog, IDC_NOTE);
    if (text) {
        SetText(note, text, codePage);
        ShowWindow(note, SW_SHOWNORMAL);
        return;
    }
    RECT whole = {0, 0, 0, 0}, noteRect = {0, 0, 0, 0};
    GetClientRect(dialog, &whole);
    GetClientRect(note, &noteRect);
    MoveWindow(dialog, 0, 0, whole.right, whole.bottom - noteRect.bottom, TRUE);
}

// Our controls keep this much room from the right edge, as from the left.
#define CHILD_MARGIN_DLU 4

// Windows widens its Explorer-style dialog to hold a wider child template;
// Wine's keeps its width, with a wider font, and cuts our rightmost
// controls. The platform's dialog grows until every visible control of
// ours shows whole; it sizes our child to its new width itself.
void WidenParentToFit(HWND dialog)
{
    HWND parent = GetParent(dialog);
    RECT margin = {0, 0, CHILD_MARGIN_DLU, 0};
    MapDialogRect(dialog, &margin);
    LONG needed = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT rect;
        if (!(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) || !GetWindowRect(control, &rect))
            continue;
        MapWindowPoints(NULL, dialog, (POINT *)&rect, 2);
        if (rect.right + margin.right > needed)
            needed = rect.right + margin.right;
    }
    RECT client = {0, 0, 0, 0}, window = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    GetWindowRect(parent, &window);
    if (needed > client.right)
        SetWindowPos(parent, NULL, 0, 0, window.right - window.left + needed - client.right,
                     window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Old shell: the template's own note text stays unless the request has one.
static void SetOldStyleNote(HWND dialog, const char *text, UINT codePage)
{
    HWND note = GetDlgItem(dialog, IDC_NOTE);
    if (!IsWindow(note))
        return;
    if (text)
        SetText(note, text, codePage);
    ShowWindow(note, SW_SHOWNORMAL);
}

// Controls that a template lacks (the check box of 102) are null windows
// here, and the calls aimed at them do nothing.
void InitExtraControls(HWND dialog, const OPENFILENAMEW *ofn, BOOL fExplorer)
{
    const DialogExtras *extras = ofn ? (const DialogExtras *)ofn->lCustData : NULL;
    if (fExplorer)
        UseParentFont(dialog);
    else
        UseNoteFont(dialog);
    if (!extras)
        return;

    UINT codePage = extras->codePage;
    FillWorkbooks(GetDlgItem(dialog, IDC_WORKBOOKS), extras->lpstrWorkbooks, codePage);
    HWND checkBox = GetDlgItem(dialog, IDC_CHECKBOX);
    if (extras->fShowCheckBox)
        ShowWindow(checkBox, SW_SHOWNORMAL);
    if (extras->nCheckState)
        SendMessageA(checkBox, BM_SETCHECK, BST_CHECKED, 0);
    SetText(checkBox, extras->lpstrCheckBoxText, codePage);
    SetText(GetDlgItem(dialog, IDC_LABEL), extras->lpstrLabel, codePage);
    if (fExplorer)
        SetExplorerNote(dialog, extras->lpstrNote, codePage);
    else
        SetOldStyleNote(dialog, extras->lpstrNote, codePage);
}
