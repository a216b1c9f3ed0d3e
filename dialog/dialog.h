// The dialog customisation: hook procedures of the two dialog styles.
#pragma once
#include <windows.h>
#include "res/resource.h"

UINT_PTR CALLBACK ExplorerHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK OldStyleHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
