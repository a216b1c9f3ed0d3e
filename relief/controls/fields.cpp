// The relief procedures of edits, list boxes and combo boxes.
//
// STAND-INS until their borders are painted: each forwards every message
// to the control's previous procedure.
#include "relief/controls/controls.h"
#include "relief/subclass.h"

LRESULT CALLBACK ReliefListBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(GetPreviousProc(window, RCLASS_LISTBOX), window, msg, wParam, lParam);
}

LRESULT CALLBACK ReliefEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(GetPreviousProc(window, RCLASS_EDIT), window, msg, wParam, lParam);
}

LRESULT CALLBACK ReliefComboBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(GetPreviousProc(window, RCLASS_COMBOBOX), window, msg, wParam, lParam);
}
