// Subclassing of single windows: the saved previous procedure and the
// per-class filters that decide which controls get the relief look.
#pragma once
#include "relief/state.h"

WNDPROC GetPreviousProc(HWND window, int classIndex);

BOOL ButtonFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ListBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL EditFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ComboBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL StaticFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ComboLBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
