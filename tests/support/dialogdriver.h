// Driving the platform's file dialog from a test, in this process or
// another: find it, type names, press its buttons, read message boxes.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Waits for a visible dialog (#32770) of the process (0: of any process);
// owner and title, when given, must match. Returns once its initialisation is done.
HWND WaitForDialog(DWORD processId, HWND owner, const char *title, DWORD timeoutMs = 10000);

// The file name box: edt1 in old-style dialogs, cmb13 in Explorer style.
HWND FileNameBox(HWND dialog);
// Names in UTF-8.
bool TypeFileName(HWND dialog, const std::string &name);
// Several files of a multi-select dialog, written as "a" "b".
bool TypeFileNames(HWND dialog, const std::vector<std::string> &names);

// Posted clicks: the dialog runs on in its own thread or process.
void PressOk(HWND dialog);
void PressCancel(HWND dialog);
// Waits until a dialog or message box is gone; false on timeout.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);

// The text of a message box (its static control).
std::string MessageBoxText(HWND box);

// The dialog that holds a custom template's controls: the child dialog of
// an Explorer-style dialog, else the (old-style) dialog itself.
HWND CustomDialog(HWND dialog);
// A control of the custom template (by id) in either style.
HWND CustomControl(HWND dialog, int id);

// What a user does with a control of a dialog in this or another process:
// pick a combo box entry (the parent hears CBN_SELCHANGE), drop the list
// down and close it again, click a button (a check box toggles).
bool PickComboEntry(HWND comboBox, int index);
bool DropDownCombo(HWND comboBox);
bool ClickButton(HWND button);
