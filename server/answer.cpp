// Scripted answers: JXR_ANSWER read when a request comes, checked, and
// given to the dialog by a timer of the frame window, which the dialog's
// modal loop dispatches: the names typed, the check box and the filter set,
// OK pressed, and what the dialog then does watched.
#include "server/answer.h"
#include "res/resource.h"
#include <dlgs.h>
#include <stdlib.h>
#include <wchar.h>

#define SCRIPT_TICK_MS     20
#define SCRIPT_PATIENCE_MS 5000     // a dialog still open this long after OK kept it
#define REASON_DETAIL_MAX  160      // characters of a message box quoted in a reason

enum { SCRIPT_WAITING, SCRIPT_PRESSED, SCRIPT_REFUSED, SCRIPT_OVER };

struct ScriptedAnswer {
    int nArmed;             // requests being served; only the outermost is answered
    WCHAR *fields;          // the variable, its fields each ended by a NUL, then a NUL
    int state;
    HWND owner, dialog, box;
    BOOL fExplorer;
    DWORD pressedAt;
    BOOL fCancel;
    int check;              // -1: left as it is
    int filter;             // 0: left as it is
    int fileCount;
};

static ScriptedAnswer script;

// One line on standard error, which the client library hands the server
// when the variable is set; the detail (a message box's text) is quoted on
// the same line.
static void Complain(const char *reason, const WCHAR *detail)
{
    char line[64 + 3 * REASON_DETAIL_MAX];
    int length = wsprintfA(line, "jxrwin32: JXR_ANSWER: %s", reason);
    if (detail) {
        WCHAR cut[REASON_DETAIL_MAX];
        lstrcpynW(cut, detail, REASON_DETAIL_MAX);
        line[length++] = ':';
        line[length++] = ' ';
        length += WideCharToMultiByte(CP_UTF8, 0, cut, -1, line + length,
                                      (int)sizeof line - length - 1, NULL, NULL) - 1;
    }
    for (int i = 0; i < length; i++)
        if ((unsigned char)line[i] < ' ')
            line[i] = ' ';
    line[length++] = '\n';
    DWORD written;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, (DWORD)length, &written, NULL);
}

// The value of a field "name=value", or null when the field is another.
static const WCHAR *FieldValue(const WCHAR *field, const WCHAR *name)
{
    size_t length = wcslen(name);
    return wcsncmp(field, name, length) == 0 && field[length] == '=' ? field + length + 1 : NULL;
}

// A number of one to four digits, or -1.
static int SmallNumber(const WCHAR *text)
{
    int value = 0, digits = 0;
    for (; *text >= '0' && *text <= '9' && digits < 5; text++, digits++)
        value = value * 10 + (*text - '0');
    return digits && digits < 5 && !*text ? value : -1;
}

static const WCHAR *NextField(const WCHAR *field)
{
    return field + wcslen(field) + 1;
}

// The fault of a script, or null.
static const char *ParseScript(void)
{
    script.check = -1;
    script.filter = 0;
    script.fileCount = 0;
    script.fCancel = wcscmp(script.fields, L"cancel") == 0 && !*NextField(script.fields);
    if (script.fCancel)
        return NULL;
    for (const WCHAR *field = script.fields; *field; field = NextField(field)) {
        const WCHAR *value;
        if ((value = FieldValue(field, L"file"))) {
            if (!*value || wcschr(value, '"'))
                return "file= needs a name, without quotes";
            script.fileCount++;
        } else if ((value = FieldValue(field, L"check"))) {
            if (script.check >= 0 || (script.check = SmallNumber(value)) < 0 || script.check > 1)
                return "check= takes 0 or 1, once";
        } else if ((value = FieldValue(field, L"filter"))) {
            if (script.filter || (script.filter = SmallNumber(value)) <= 0)
                return "filter= takes a filter's number from 1, once";
        } else {
            return "unknown field; the fields are file=, check= and filter=, or cancel alone";
        }
    }
    return script.fileCount ? NULL : "an answer that confirms needs file=NAME";
}

// The variable with each "|" made a NUL; an empty one counts as unset.
static BOOL ReadScript(void)
{
    DWORD size = GetEnvironmentVariableW(L"JXR_ANSWER", NULL, 0);
    if (size <= 1)
        return FALSE;
    script.fields = (WCHAR *)calloc(size + 1, sizeof(WCHAR));
    if (!script.fields || GetEnvironmentVariableW(L"JXR_ANSWER", script.fields, size) != size - 1)
        return FALSE;
    for (WCHAR *at = script.fields; *at; at++)
        if (*at == '|')
            *at = 0;
    return TRUE;
}

BOOL ArmScriptedAnswer(HWND frame, HWND owner, BOOL fExplorer)
{
    if (script.nArmed++ || !ReadScript())
        return TRUE;
    const char *fault = ParseScript();
    if (fault) {
        Complain(fault, NULL);
        return FALSE;
    }
    script.state = SCRIPT_WAITING;
    script.owner = owner;
    script.fExplorer = fExplorer;
    SetTimer(frame, TIMER_SCRIPTED_ANSWER, SCRIPT_TICK_MS, NULL);
    return TRUE;
}

void DisarmScriptedAnswer(HWND frame)
{
    if (--script.nArmed || !script.fields)
        return;
    KillTimer(frame, TIMER_SCRIPTED_ANSWER);
    free(script.fields);
    script.fields = NULL;
}

struct OwnedQuery {
    HWND owner, found;
};

static BOOL CALLBACK MatchOwnedDialog(HWND window, LPARAM lParam)
{
    OwnedQuery *query = (OwnedQuery *)lParam;
    char name[8];
    if (GetWindow(window, GW_OWNER) != query->owner || !IsWindowVisible(window)
        || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, "#32770") != 0)
        return TRUE;
    query->found = window;
    return FALSE;
}

// A visible dialog of this thread that the window owns: the file dialog
// owned by the client's window, a message box owned by the file dialog.
static HWND OwnedDialog(HWND owner)
{
    OwnedQuery query = {owner, NULL};
    EnumThreadWindows(GetCurrentThreadId(), MatchOwnedDialog, (LPARAM)&query);
    return query.found;
}

// The check box is our template's: in Explorer style that is the child
// dialog inside the platform's.
static HWND CheckBoxOf(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_CHECKBOX);
    return box ? box : GetDlgItem(FindWindowExA(dialog, NULL, "#32770", NULL), IDC_CHECKBOX);
}

// What a person types: one name as it is; several each in quotes in
// Explorer style, separated by blanks in old style.
static WCHAR *TypedNames(void)
{
    size_t size = 1;
    for (const WCHAR *field = script.fields; *field; field = NextField(field))
        size += wcslen(field) + 3;
    WCHAR *typed = (WCHAR *)calloc(size, sizeof(WCHAR));
    BOOL fQuoted = script.fileCount > 1 && script.fExplorer;
    for (const WCHAR *field = script.fields; typed && *field; field = NextField(field)) {
        const WCHAR *name = FieldValue(field, L"file");
        if (!name)
            continue;
        if (*typed)
            wcscat(typed, L" ");
        if (fQuoted)
            wcscat(typed, L"\"");
        wcscat(typed, name);
        if (fQuoted)
            wcscat(typed, L"\"");
    }
    return typed;
}

// The filter and the check box as the script says, the names typed, OK
// pressed; the fault when the dialog has no such filter or shows no box.
static const char *GiveAnswer(HWND dialog)
{
    if (script.filter) {
        HWND combo = GetDlgItem(dialog, cmb1);
        if (script.filter > SendMessageW(combo, CB_GETCOUNT, 0, 0))
            return "filter= names a filter the dialog does not have";
        // A person's pick tells the dialog twice: one style listens to the
        // first notification, the other to the second.
        SendMessageW(combo, CB_SETCURSEL, script.filter - 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), (LPARAM)combo);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), (LPARAM)combo);
    }
    if (script.check >= 0) {
        HWND box = CheckBoxOf(dialog);
        if (!IsWindowVisible(box))
            return "check= but the dialog shows no check box";
        SendMessageW(box, BM_SETCHECK, script.check, 0);
    }
    WCHAR *typed = TypedNames();
    if (!typed)
        return "no memory for the names";
    HWND nameBox = GetDlgItem(dialog, edt1);
    SendMessageW(nameBox ? nameBox : GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, (LPARAM)typed);
    free(typed);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return NULL;
}

// A message box after OK is the dialog refusing the answer: it is answered
// as a person who gives up would (No, else Cancel, else OK).
static void DismissBox(HWND box)
{
    WCHAR text[REASON_DETAIL_MAX];
    if (!GetDlgItemTextW(box, 0xFFFF, text, REASON_DETAIL_MAX))
        GetWindowTextW(box, text, REASON_DETAIL_MAX);
    Complain("the dialog did not take the answer", text);
    HWND button = GetDlgItem(box, IDNO);
    if (!button)
        button = GetDlgItem(box, IDCANCEL);
    if (!button)
        button = GetDlgItem(box, IDOK);
    PostMessageW(button, BM_CLICK, 0, 0);
}

static void Cancel(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    script.state = SCRIPT_OVER;
}

void OnScriptedAnswerTimer(HWND)
{
    if (!script.fields)
        return;
    if (script.state == SCRIPT_WAITING) {
        HWND dialog = OwnedDialog(script.owner);
        if (!dialog)
            return;
        script.dialog = dialog;
        script.pressedAt = GetTickCount();
        script.state = SCRIPT_PRESSED;
        const char *fault = script.fCancel ? NULL : GiveAnswer(dialog);
        if (fault)
            Complain(fault, NULL);
        if (fault || script.fCancel)
            Cancel(dialog);
        return;
    }
    if (script.state == SCRIPT_OVER)
        return;
    // Without our hook a name the client cannot use is refused once the
    // dialog has closed: the box is then the client's, and the dialog that
    // shows again after it is cancelled.
    BOOL fGone = !IsWindow(script.dialog);
    HWND box = OwnedDialog(fGone ? script.owner : script.dialog);
    if (script.state == SCRIPT_PRESSED && box) {
        DismissBox(box);
        script.box = box;
        script.state = SCRIPT_REFUSED;
    } else if (script.state == SCRIPT_REFUSED && fGone) {
        if (box && box != script.box)
            Cancel(box);
    } else if (script.state == SCRIPT_REFUSED && !box) {
        Cancel(script.dialog);
    } else if (script.state == SCRIPT_PRESSED && !fGone
               && GetTickCount() - script.pressedAt > SCRIPT_PATIENCE_MS) {
        Complain("the dialog stayed open after OK", NULL);
        Cancel(script.dialog);
    }
}
