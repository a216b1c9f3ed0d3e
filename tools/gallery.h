// The gallery dialog: one control of every kind the relief look paints.
#pragma once

#define IDD_GALLERY 200

#define IDC_PUSH            100
#define IDC_DEFAULT         101
#define IDC_PUSHED          102     // held pushed by the program showing it
#define IDC_DEFAULT_OFF     103     // disabled default button
#define IDC_CHECK           110
#define IDC_CHECKED         111     // checked by the program showing it
#define IDC_CHECK_OFF       112
#define IDC_CHECKED_OFF     113     // checked by the program showing it
#define IDC_CHECK_LEFT      114     // BS_LEFTTEXT, checked by the program
#define IDC_THREE_STATE     115     // indeterminate, set by the program
#define IDC_RADIO_ONE       116     // chosen by the program
#define IDC_RADIO_TWO       117
#define IDC_GROUP           120
#define IDC_EDIT            130
#define IDC_EDIT_SCROLL     131     // both scroll bars
#define IDC_LIST            132
#define IDC_COMBO_SIMPLE    133
#define IDC_COMBO_DROPDOWN  134
#define IDC_COMBO_LIST      135
#define IDC_TEXT_LEFT       140
#define IDC_TEXT_CENTER     141
#define IDC_TEXT_RIGHT      142     // SS_NOTIFY
#define IDC_TEXT_NOWRAP     143
#define IDC_BLACK_FRAME     144
#define IDC_GRAY_FRAME      145
#define IDC_WHITE_FRAME     146
#define IDC_BLACK_RECT      147
#define IDC_GRAY_RECT       148
#define IDC_WHITE_RECT      149
#define IDC_ETCHED_HORZ     150
#define IDC_ETCHED_VERT     151
#define IDC_ETCHED_FRAME    152
#define IDC_ICON_STATIC     153

#ifndef RC_INVOKED
#include <windows.h>
// Creates the gallery from the template in the module, in its states;
// closing one without an owner ends the thread's message loop.
HWND CreateGallery(HINSTANCE instance, HWND owner = NULL);
#endif
