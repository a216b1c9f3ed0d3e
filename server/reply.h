// The reply list: the dialog's answer as a drop list for the client.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include "dialog/dialogextras.h"

// Appends to the reply and returns its new handle: as it is to a wide list,
// in its ANSI form (AnsiPathForm) to an ANSI one. A list that cannot grow,
// or a text without an ANSI form, costs the list: it is freed and null
// returned. A null reply stays null.
HDROP ReplyAppend(HDROP reply, LPCWSTR text);
// The check box state, the filter index, then the file, or the directory
// and each chosen file's path when the dialog allowed several.
HDROP AppendDialogAnswer(HDROP reply, const OPENFILENAMEW *ofn, const DialogExtras *extras);
