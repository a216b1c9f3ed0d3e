// The relief library's public entries.
#pragma once
#include <windows.h>

BOOL ReliefRegister(HINSTANCE instance);
BOOL ReliefUnregister(HINSTANCE instance);
BOOL ReliefAutoSubclass(HINSTANCE instance);
BOOL ReliefColorChange(void);
HBRUSH ReliefCtlColor(UINT msg, HDC hdc, HWND hwnd);
