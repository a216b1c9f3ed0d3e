// The relief window procedures of the standard controls and their subclass
// filters, one file a control: buttons.cpp, fields.cpp (edits, lists and
// combo boxes), statics.cpp.
#pragma once
#include <windows.h>

LRESULT CALLBACK ReliefButtonProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefListBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefComboBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReliefStaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// The filters of ClassTable: TRUE when the window is to be subclassed.
BOOL ButtonFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ListBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL EditFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ComboBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL StaticFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ComboLBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);

// The one-pixel ring that a field's border leaves in its parent: repainted
// by the parent before a move, size, show or hide, or validated once the
// border is painted.
void InvalidateControlRing(HWND control, const WINDOWPOS *pending);
void ValidateControlRing(HWND control);
