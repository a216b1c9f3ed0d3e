// The relief procedure of buttons.
//
// STAND-IN until buttons are painted: it forwards every message to the
// button's previous procedure.
#include "relief/controls/controls.h"
#include "relief/subclass.h"

LRESULT CALLBACK ReliefButtonProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(GetPreviousProc(window, RCLASS_BUTTON), window, msg, wParam, lParam);
}
