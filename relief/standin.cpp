// STAND-INS for the relief library until it is built: the library stays
// off, so every entry answers as an off library does.
#include "relief/relief.h"

BOOL ReliefRegister(HINSTANCE) { return FALSE; }
BOOL ReliefUnregister(HINSTANCE) { return TRUE; }
BOOL ReliefAutoSubclass(HINSTANCE) { return FALSE; }
BOOL ReliefColorChange(void) { return FALSE; }
HBRUSH ReliefCtlColor(UINT, HDC, HWND) { return NULL; }
