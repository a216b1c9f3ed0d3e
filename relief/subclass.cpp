// Subclassing of single windows.
//
// STAND-INS until windows are subclassed: every filter declines, so no
// control is ever given a relief procedure, and the previous procedure of
// a window is the one saved under "RlfNew" or else its system class's.
#include "relief/subclass.h"

WNDPROC GetPreviousProc(HWND window, int classIndex)
{
    WNDPROC saved = ReliefState.atomNew
        ? (WNDPROC)GetPropA(window, MAKEINTATOM(ReliefState.atomNew)) : NULL;
    if (saved)
        return saved;
    if (classIndex == RCLASS_DIALOG)
        return ReliefState.dialogSystemProc ? ReliefState.dialogSystemProc : DefDlgProcA;
    WNDPROC system = ReliefState.ClassProcTable[classIndex].systemProc;
    return system ? system : DefWindowProcA;
}

BOOL ButtonFilter(HWND, DWORD, WORD, WORD, HWND) { return FALSE; }
BOOL ListBoxFilter(HWND, DWORD, WORD, WORD, HWND) { return FALSE; }
BOOL EditFilter(HWND, DWORD, WORD, WORD, HWND) { return FALSE; }
BOOL ComboBoxFilter(HWND, DWORD, WORD, WORD, HWND) { return FALSE; }
BOOL StaticFilter(HWND, DWORD, WORD, WORD, HWND) { return FALSE; }
BOOL ComboLBoxFilter(HWND, DWORD, WORD, WORD, HWND) { return FALSE; }
