// The relief library's public entries: registration, per-thread automatic
// subclassing, colour changes and colour answers.
#pragma once
#include <windows.h>

// Flags of ReliefAutoSubclassEx.
#define RELIEF_AUTO_CONTROLS 0x0001   // subclass the thread's new controls too
#define RELIEF_FRAMES_ONLY   0x0002   // dialog frames only

// Class selection mask: which standard control classes a call may subclass.
#define RELIEF_BUTTON       0x0001
#define RELIEF_LISTBOX      0x0002    // "ListBox" and "ComboLBox"
#define RELIEF_EDIT         0x0004
#define RELIEF_COMBOBOX     0x0008
#define RELIEF_STATIC_TEXT  0x0010
#define RELIEF_STATIC_FRAME 0x0020
#define RELIEF_ALL          0xFFFF

BOOL ReliefRegister(HINSTANCE instance);
BOOL ReliefUnregister(HINSTANCE instance);
BOOL ReliefAutoSubclass(HINSTANCE instance);
BOOL ReliefAutoSubclassEx(HINSTANCE instance, DWORD flags);
BOOL ReliefProcessAttach(HINSTANCE instance, DWORD reason, void *reserved);
BOOL ReliefColorChange(void);
// The brush answered belongs to the library: never delete it.
HBRUSH ReliefCtlColor(UINT msg, HDC hdc, HWND hwnd);
