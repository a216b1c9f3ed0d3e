// The relief procedure of statics.
//
// STAND-IN until statics are painted: it forwards every message to the
// static's previous procedure.
#include "relief/controls/controls.h"
#include "relief/subclass.h"

LRESULT CALLBACK ReliefStaticProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(GetPreviousProc(window, RCLASS_STATIC), window, msg, wParam, lParam);
}
