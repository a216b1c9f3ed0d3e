// The reply list: the dialog's answer as a drop list for the client.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include "dialog/dialogextras.h"

// Work buffers of the two selection expanders: a text that does not fit
// makes the reply null.
#define EXPLORER_WORK_SIZE 260
#define OLDSTYLE_WORK_SIZE 300

// Each appends to the reply and returns its new handle. A list that cannot
// grow is freed and null returned; a null reply stays null.
HDROP ReplyAppend(HDROP reply, LPCSTR text);
// The check box state, the filter index, then the file, or the directory
// and each chosen file's path when the dialog allowed several.
HDROP AppendDialogAnswer(HDROP reply, const OPENFILENAMEA *ofn, const DialogExtras *extras);
// Explorer style: "dir\0name\0name\0\0", or one full path.
HDROP AppendExplorerSelection(HDROP reply, LPCSTR result);
// Old style: "dir name name", or one full path.
HDROP AppendOldStyleSelection(HDROP reply, LPCSTR result);
