// The automatic subclassing hook of registered threads.
//
// STAND-IN until dialogs are subclassed as they are created: the hook only
// passes every call on.
#include "relief/state.h"

LRESULT CALLBACK ReliefCbtHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(NULL, code, wParam, lParam);
}
