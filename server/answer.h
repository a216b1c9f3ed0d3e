// Scripted answers, for the automated tests of the programs that use the
// server: the environment variable JXR_ANSWER answers the dialog as a
// person would, through the dialog itself.
//
//     JXR_ANSWER=cancel
//     JXR_ANSWER='file=report.txt|check=1|filter=2'
//
// Fields are separated by "|", which no file name holds. file= is typed
// into the file name box (repeated: a multi-selection), check= sets the
// check box (0 or 1), filter= picks a filter by its 1-based index; then OK
// is pressed. A message box that the dialog shows, or a dialog that stays
// open, cancels it. Every fault is told in one line on standard error.
#pragma once
#include <windows.h>

#define TIMER_SCRIPTED_ANSWER 2

// Before a request's dialog: arms the script, if there is one, for the
// dialog owned by the client's window. FALSE for a malformed script: the
// request is then answered as cancelled, without a dialog.
BOOL ArmScriptedAnswer(HWND frame, HWND owner, BOOL fExplorer);
// After the dialog.
void DisarmScriptedAnswer(HWND frame);
// TIMER_SCRIPTED_ANSWER at the frame window.
void OnScriptedAnswerTimer(HWND frame);
