// STAND-INS for the hook procedures until the customised dialog is built:
// they leave every message to the platform's dialog.
#include "dialog/dialog.h"

UINT_PTR CALLBACK ExplorerHookProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
UINT_PTR CALLBACK OldStyleHookProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
