// The relief library's public entries: registration, per-thread automatic
// subclassing, dialog subclassing, colour changes and colour answers, and
// the private messages through which relief windows and dialog procedures
// talk.
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

// Private messages, sent with wParam 0 and lParam pointing to a LONG. The
// results are ignored; only the LONG counts.
#define RM_QUERYFRAME   0x11EF  // to a dialog before its frame is painted:
                                // set the LONG (1) to 0 to keep the system's frame
#define RM_QUERYDIALOG  0x11F0  // to a window about to get the look, and to a
                                // dialog at WM_INITDIALOG: nonzero gives it (and
                                // its controls) the look, 0 leaves it alone
#define RM_IDENTIFY_ALT 0x1943  // asked when RM_IDENTIFY left the LONG unanswered
#define RM_IDENTIFY     0x1944  // an active relief procedure sets the LONG to 1
                                // and returns its RELIEF_ID_ code

// A dialog's previous procedure is asked WM_CTLCOLOR* + this offset
// (0x0DF1 to 0x0DF7) with the colour message's own arguments; a result
// other than 0 and 1 is the brush the control gets.
#define RM_CTLCOLOR_OFFSET 3263

#define RELIEF_NO_ANSWER 666    // the LONG's value before an identify query

// Identity codes answered to RM_IDENTIFY and RM_IDENTIFY_ALT.
#define RELIEF_ID_BUTTON   1000
#define RELIEF_ID_LISTBOX  1001     // list boxes and combo lists
#define RELIEF_ID_EDIT     1002
#define RELIEF_ID_COMBOBOX 1003
#define RELIEF_ID_STATIC   1004
#define RELIEF_ID_DIALOG   1006

BOOL ReliefRegister(HINSTANCE instance);
BOOL ReliefUnregister(HINSTANCE instance);
BOOL ReliefAutoSubclass(HINSTANCE instance);
BOOL ReliefAutoSubclassEx(HINSTANCE instance, DWORD flags);
BOOL ReliefProcessAttach(HINSTANCE instance, DWORD reason, void *reserved);
// Subclasses the dialog's children and grandchildren of the classes named.
BOOL ReliefSubclassDialog(HWND dialog, WORD classes);
BOOL ReliefColorChange(void);
// The brush answered belongs to the library: never delete it.
HBRUSH ReliefCtlColor(UINT msg, HDC hdc, HWND hwnd);
