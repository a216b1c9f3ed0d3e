// The gallery dialog, created from its template and put in the states it
// shows: a pushed button, checked, disabled and indeterminate boxes, a
// chosen radio button, and lists with a few entries.
#include "tools/gallery.h"
#include <windows.h>

static void Fill(HWND dialog, int id, UINT add, UINT select)
{
    static const char *const entries[] = {"alpha.txt", "beta.txt", "gamma.txt", "delta.txt"};
    for (const char *entry : entries)
        SendDlgItemMessageA(dialog, id, add, 0, (LPARAM)entry);
    SendDlgItemMessageA(dialog, id, select, 1, 0);
}

// Close ends the program showing a gallery without an owner.
static INT_PTR CALLBACK GalleryProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(dialog);
        return TRUE;
    }
    if (msg == WM_DESTROY && !GetWindow(dialog, GW_OWNER))
        PostQuitMessage(0);
    return FALSE;
}

HWND CreateGallery(HINSTANCE instance, HWND owner)
{
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_GALLERY), owner, GalleryProc, 0);
    if (!dialog)
        return NULL;
    SendDlgItemMessageA(dialog, IDC_PUSHED, BM_SETSTATE, TRUE, 0);
    static const int checked[] = {IDC_CHECKED, IDC_CHECKED_OFF, IDC_CHECK_LEFT, IDC_RADIO_ONE};
    for (int id : checked)
        CheckDlgButton(dialog, id, BST_CHECKED);
    CheckDlgButton(dialog, IDC_THREE_STATE, BST_INDETERMINATE);
    SetDlgItemTextA(dialog, IDC_EDIT, "C:\\jxrdemo\\report.txt");
    SetDlgItemTextA(dialog, IDC_EDIT_SCROLL, "Several lines\r\nof text\r\nin an edit\r\nwith scroll bars");
    Fill(dialog, IDC_LIST, LB_ADDSTRING, LB_SETCURSEL);
    Fill(dialog, IDC_COMBO_SIMPLE, CB_ADDSTRING, CB_SETCURSEL);
    Fill(dialog, IDC_COMBO_DROPDOWN, CB_ADDSTRING, CB_SETCURSEL);
    Fill(dialog, IDC_COMBO_LIST, CB_ADDSTRING, CB_SETCURSEL);
    return dialog;
}
