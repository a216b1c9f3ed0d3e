// The dialog customisation: the extra controls of our templates and the
// hook procedures of the two dialog styles. A dialog knows its request only
// through the OPENFILENAME it receives, whose lCustData is the request's
// DialogExtras, and keeps what it needs with its window.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include "res/resource.h"

// Extra controls (extras.cpp): fonts and the set-up at WM_INITDIALOG.
extern const LOGFONTA lfNoteFont;   // note font of the old-style dialogs
void UseParentFont(HWND dialog);
// Each old-style dialog makes a note font of its own, which ReleaseNoteFont
// deletes when the dialog ends.
void UseNoteFont(HWND dialog);
void ReleaseNoteFont(HWND dialog);
// Our controls set up from the request (null: fonts only), in Explorer
// style or in old style.
void InitExtraControls(HWND dialog, const OPENFILENAMEW *ofn, BOOL fExplorer);
// Explorer style: widens the platform's dialog until our controls show whole.
void WidenParentToFit(HWND dialog);

// The workbook combo box (workbooks.cpp).
void FillWorkbooks(HWND comboBox, const char *list, UINT codePage);
WORD MeasureWorkbookItem(HWND comboBox);
BOOL DrawWorkbookItem(const DRAWITEMSTRUCT *item);
// Puts the selected entry into the file name box of the file dialog.
void TakeWorkbook(HWND comboBox, HWND fileDialog);

// The strings of a reply after its two numbers, handed to the sink in order
// (selection.cpp): the file; after a multi-selection, the directory and each
// chosen file's path, expanded in the style given. FALSE when the sink
// refused one, or a path did not fit a work buffer: that must cost the whole
// reply, as a cut path would name another file.
typedef BOOL (*ReplyPathSink)(void *context, LPCWSTR path);
BOOL ForEachReplyPath(const OPENFILENAMEW *ofn, BOOL fExplorer, ReplyPathSink sink,
                      void *context);

// Reply paths in the ANSI code page (ansiform.cpp): the exact form, or each
// component that has none by its short (8.3) form; -1 when a component has
// neither, written into size bytes. AnsiPathCopy gives it allocated, or null.
int AnsiPathForm(LPCWSTR path, char *out, int size);
char *AnsiPathCopy(LPCWSTR path);
// TRUE when the client can use every path the answer gives; otherwise the
// user is told, in a message box owned by owner, and the answer is refused.
// A Unicode request takes any name.
BOOL AcceptAnswer(HWND owner, const OPENFILENAMEW *ofn, BOOL fExplorer);

// Hook procedures (hooks.cpp).
extern const DWORD HelpIdTable[];   // (control, help context) pairs for WinHelp
void CenterOnScreen(HWND window, BOOL repaint);
UINT_PTR CALLBACK ExplorerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK OldStyleHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
