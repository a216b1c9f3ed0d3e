// The dialog customisation: the extra controls of our templates and the
// hook procedures of the two dialog styles.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include "res/resource.h"

// Extra controls (extras.cpp): fonts and the set-up at WM_INITDIALOG.
extern const LOGFONTA lfNoteFont;   // note font of the old-style dialogs
extern HFONT hNoteFont;             // made from lfNoteFont; null until needed
void UseParentFont(HWND dialog);
void UseNoteFont(HWND dialog);
// lParam is the OPENFILENAMEA the dialog received; its lCustData is the
// request's DialogExtras.
void InitExtraControls(HWND dialog, WPARAM wParam, LPARAM lParam);
// Explorer style: widens the platform's dialog until our controls show whole.
void WidenParentToFit(HWND dialog);

// The workbook combo box (workbooks.cpp).
void FillWorkbooks(HWND comboBox, const char *list);
WORD MeasureWorkbookItem(HWND comboBox);
BOOL DrawWorkbookItem(const DRAWITEMSTRUCT *item);
// Puts the selected entry into the file name box of the file dialog.
void TakeWorkbook(HWND comboBox, HWND fileDialog);

// Hook procedures (hooks.cpp).
extern OPENFILENAMEA *lpOfnCurrent; // the running old-style dialog's request
extern const DWORD HelpIdTable[];   // (control, help context) pairs for WinHelp
void CenterOnScreen(HWND window, BOOL repaint);
UINT_PTR CALLBACK ExplorerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK OldStyleHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
