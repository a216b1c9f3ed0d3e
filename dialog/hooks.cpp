// The hook procedures of the customised file dialog. ExplorerHookProc is the
// dialog procedure of our child template inside the Explorer-style dialog
// (its parent); OldStyleHookProc sees every message of a whole old-style
// dialog made from our templates 102 and 103.
#include "dialog/dialog.h"
#include "relief/relief.h"
#include "dialog/dialogextras.h"
#include <string.h>

const DWORD HelpIdTable[] = {
    IDC_WORKBOOKS, 113,
    IDC_LABEL,     113,
    IDC_CHECKBOX,  114,
    0,             0,
};

static const char HELP_FILE_NAME[] = "tovahelp.hlp";

// Each dialog keeps its own request, so that a dialog opened above it (a
// nested request) and closed again leaves it its own record.
static const char PROP_REQUEST[] = "JxrRequest";

static const OPENFILENAMEW *RequestOf(HWND dialog)
{
    return (const OPENFILENAMEW *)GetPropA(dialog, PROP_REQUEST);
}

static DialogExtras *ExtrasOf(HWND dialog)
{
    const OPENFILENAMEW *ofn = RequestOf(dialog);
    return ofn ? (DialogExtras *)ofn->lCustData : NULL;
}

static void KeepRequest(HWND dialog, LPARAM ofn)
{
    SetPropA(dialog, PROP_REQUEST, (HANDLE)ofn);
}

// Centred and rounded to a multiple of 8 pixels across (a remainder of 4
// rounds up); both divisions truncate toward zero.
void CenterOnScreen(HWND window, BOOL repaint)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x = ((GetSystemMetrics(SM_CXSCREEN) - width) / 2 + 4) & ~7;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(window, x, y, width, height, repaint);
}

// The help file lies beside the program that the request names; a missing
// one is the help engine's business. A path that does not fit opens no
// help at all.
static UINT_PTR OnHelp(HWND dialog, const HELPINFO *info)
{
    char path[MAX_PATH];
    const OPENFILENAMEW *ofn = RequestOf(dialog);
    DWORD length = GetModuleFileNameA(ofn ? ofn->hInstance : NULL, path, sizeof path);
    if (!info || length == 0 || length >= sizeof path)
        return TRUE;
    char *name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    if ((size_t)(name - path) + sizeof HELP_FILE_NAME > sizeof path)
        return TRUE;
    memcpy(name, HELP_FILE_NAME, sizeof HELP_FILE_NAME);
    WinHelpA((HWND)info->hItemHandle, path, HELP_WM_HELP, (ULONG_PTR)HelpIdTable);
    return TRUE;
}

// The state the user confirmed travels back in the request's record.
static void RecordCheckState(HWND dialog, DialogExtras *extras)
{
    if (extras)
        extras->nCheckState = (int)SendDlgItemMessageA(dialog, IDC_CHECKBOX, BM_GETCHECK, 0, 0);
}

static UINT_PTR OnMeasureItem(HWND dialog, WPARAM id, MEASUREITEMSTRUCT *measure)
{
    if (id != IDC_WORKBOOKS)
        return FALSE;
    measure->itemHeight = MeasureWorkbookItem(GetDlgItem(dialog, IDC_WORKBOOKS));
    return TRUE;
}

static UINT_PTR OnDrawItem(WPARAM id, const DRAWITEMSTRUCT *item)
{
    return id == IDC_WORKBOOKS ? DrawWorkbookItem(item) : FALSE;
}

// Every notification of the workbook combo box counts as handled; picking
// an entry and dropping the list down both take the current entry.
static UINT_PTR OnWorkbookCommand(WPARAM wParam, LPARAM lParam, HWND fileDialog)
{
    if (LOWORD(wParam) != IDC_WORKBOOKS)
        return FALSE;
    if (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_DROPDOWN)
        TakeWorkbook((HWND)lParam, fileDialog);
    return TRUE;
}

static UINT_PTR OnHookDestroy(HWND dialog)
{
    RemovePropA(dialog, PROP_REQUEST);
    ReleaseNoteFont(dialog);
    return FALSE;
}

// ---- Explorer style: dialog is our child dialog, its parent the platform's.

// FALSE keeps the keyboard focus in the file name box, where the platform's
// dialog put it; TRUE would move it to our first control, the workbook box.
static UINT_PTR OnExplorerInit(HWND dialog, LPARAM lParam)
{
    KeepRequest(dialog, lParam);
    InitExtraControls(dialog, (const OPENFILENAMEW *)lParam, TRUE);
    WidenParentToFit(dialog);
    return FALSE;
}

// An answer the client cannot use keeps the dialog open: the platform reads
// the refusal from the result and the message result both.
static UINT_PTR OnExplorerFileOk(HWND dialog, const OPENFILENAMEW *ofn)
{
    RecordCheckState(dialog, ofn ? (DialogExtras *)ofn->lCustData : NULL);
    if (!ofn || AcceptAnswer(GetParent(dialog), ofn, TRUE))
        return FALSE;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
    return TRUE;
}

static UINT_PTR OnExplorerNotify(HWND dialog, const OFNOTIFYW *notify)
{
    switch (notify->hdr.code) {
    case CDN_FILEOK:   return OnExplorerFileOk(dialog, notify->lpOFN);
    case CDN_INITDONE: CenterOnScreen(GetParent(dialog), FALSE); break;
    }
    return FALSE;
}

UINT_PTR CALLBACK ExplorerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:  return OnExplorerInit(dialog, lParam);
    case WM_DESTROY:     return OnHookDestroy(dialog);
    case WM_MEASUREITEM: return OnMeasureItem(dialog, wParam, (MEASUREITEMSTRUCT *)lParam);
    case WM_DRAWITEM:    return OnDrawItem(wParam, (const DRAWITEMSTRUCT *)lParam);
    case WM_NOTIFY:      return OnExplorerNotify(dialog, (const OFNOTIFYW *)lParam);
    case WM_HELP:        return OnHelp(dialog, (const HELPINFO *)lParam);
    case WM_CONTEXTMENU: return TRUE;
    case WM_COMMAND:     return OnWorkbookCommand(wParam, lParam, GetParent(dialog));
    }
    return FALSE;
}

// ---- Old style: dialog is the whole dialog.

// The registered message that the old-style dialog sends once it has
// checked a name, with the answer in place; nonzero refuses it.
static UINT uFileOkMessage;

static UINT_PTR OnOldStyleInit(HWND dialog, LPARAM lParam)
{
    uFileOkMessage = RegisterWindowMessageW(FILEOKSTRINGW);
    KeepRequest(dialog, lParam);
    InitExtraControls(dialog, (const OPENFILENAMEW *)lParam, FALSE);
    CenterOnScreen(dialog, TRUE);
    ShowWindow(dialog, SW_SHOW);
    return TRUE;
}

// OK goes on to the platform's own handling once the state is recorded.
static UINT_PTR OnOldStyleCommand(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK) {
        RecordCheckState(dialog, ExtrasOf(dialog));
        return FALSE;
    }
    return OnWorkbookCommand(wParam, lParam, dialog);
}

// With the relief look off the platform keeps its own colours.
static UINT_PTR OnCtlColor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    const DialogExtras *extras = ExtrasOf(dialog);
    if (!extras || !extras->fReliefLook)
        return FALSE;
    return (UINT_PTR)ReliefCtlColor(message, (HDC)wParam, (HWND)lParam);
}

UINT_PTR CALLBACK OldStyleHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == uFileOkMessage && uFileOkMessage && lParam)
        return !AcceptAnswer(dialog, (const OPENFILENAMEW *)lParam, FALSE);
    switch (message) {
    case WM_INITDIALOG:  return OnOldStyleInit(dialog, lParam);
    case WM_DESTROY:     return OnHookDestroy(dialog);
    case WM_MEASUREITEM: return OnMeasureItem(dialog, wParam, (MEASUREITEMSTRUCT *)lParam);
    case WM_DRAWITEM:    return OnDrawItem(wParam, (const DRAWITEMSTRUCT *)lParam);
    case WM_HELP:        return OnHelp(dialog, (const HELPINFO *)lParam);
    case WM_CONTEXTMENU: return TRUE;
    case WM_COMMAND:     return OnOldStyleCommand(dialog, wParam, lParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return OnCtlColor(dialog, message, wParam, lParam);
    }
    return FALSE;
}
