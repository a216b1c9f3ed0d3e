// Dialog automation through window messages, which work across threads
// and processes alike.
#include "support/dialogdriver.h"
#include "support/testsupport.h"
#include <dlgs.h>

namespace {
struct DialogQuery {
    DWORD processId;
    HWND owner;
    const char *title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    DialogQuery *q = (DialogQuery *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if ((q->processId && pid != q->processId) || !IsWindowVisible(window) || ClassOf(window) != "#32770")
        return TRUE;
    if (q->owner && GetWindow(window, GW_OWNER) != q->owner)
        return TRUE;
    if (q->title && TextOf(window) != q->title)
        return TRUE;
    q->found = window;
    return FALSE;
}
}

HWND WaitForDialog(DWORD processId, HWND owner, const char *title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        DialogQuery q{processId, owner, title, nullptr};
        EnumWindows(MatchDialog, (LPARAM)&q);
        if (q.found) {
            DWORD_PTR ignored;
            SendMessageTimeoutA(q.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            return q.found;
        }
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        PumpWait();
    }
}

HWND FileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, edt1);
    return box ? box : GetDlgItem(dialog, cmb13);
}

bool TypeFileName(HWND dialog, const std::string &name)
{
    HWND box = FileNameBox(dialog);
    DWORD_PTR ok = 0;
    return box && SendMessageTimeoutW(box, WM_SETTEXT, 0, (LPARAM)Wide(name).c_str(),
                                      SMTO_ABORTIFHUNG, 5000, &ok) && ok;
}

bool TypeFileNames(HWND dialog, const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &n : names)
        text += (text.empty() ? "\"" : " \"") + n + "\"";
    return TypeFileName(dialog, text);
}

void PressOk(HWND dialog)
{
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

void PressCancel(HWND dialog)
{
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        PumpWait();
    }
    return true;
}

std::string MessageBoxText(HWND box)
{
    return TextOf(GetDlgItem(box, 0xFFFF));
}

namespace {
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR *result = nullptr)
{
    DWORD_PTR ignored;
    return window && SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                         5000, result ? result : &ignored);
}
}

// Explorer-style dialogs place the caller's template as their one child
// dialog.
HWND CustomDialog(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "#32770")
            return child;
    return dialog;
}

HWND CustomControl(HWND dialog, int id)
{
    return GetDlgItem(CustomDialog(dialog), id);
}

bool PickComboEntry(HWND comboBox, int index)
{
    DWORD_PTR selected = (DWORD_PTR)CB_ERR;
    return Send(comboBox, CB_SETCURSEL, index, 0, &selected) && (int)selected == index &&
           Send(GetParent(comboBox), WM_COMMAND,
                MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE), (LPARAM)comboBox);
}

bool DropDownCombo(HWND comboBox)
{
    return Send(comboBox, CB_SHOWDROPDOWN, TRUE, 0) && Send(comboBox, CB_SHOWDROPDOWN, FALSE, 0);
}

bool ClickButton(HWND button)
{
    return Send(button, BM_CLICK, 0, 0);
}
