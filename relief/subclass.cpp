// Subclassing of single windows and of dialog trees, and the outer shape of
// every relief procedure. A relief window keeps the procedure it had before
// under "RlfNew"; "RlfD" switches its relief procedure to forwarding. Both
// are set and read by atom. Which controls are taken is each control file's
// filter.
#include "relief/subclass.h"
#include "relief/controls/controls.h"

#define CLASS_NAME_SIZE 16          // class names are compared up to 15 characters

// The foreign marks of the same property scheme, and our own "RlfNew": any
// of them means the window is subclassed already.
static ATOM ReliefRecord::*const subclassMarks[] = {
    &ReliefRecord::atomBase, &ReliefRecord::atomNew, &ReliefRecord::atomLNew,
    &ReliefRecord::atomL, &ReliefRecord::atomHNew, &ReliefRecord::atomH,
};

static BOOL HasReliefMark(HWND window, ATOM atom)
{
    return atom && GetPropA(window, MAKEINTATOM(atom)) != NULL;
}

static void RemoveReliefMark(HWND window, ATOM atom)
{
    if (atom)
        RemovePropA(window, MAKEINTATOM(atom));
}

static WNDPROC GetSavedProc(HWND window)
{
    if (!window || !ReliefState.atomNew)
        return NULL;
    return (WNDPROC)GetPropA(window, MAKEINTATOM(ReliefState.atomNew));
}

// Without a saved procedure the class's system procedure stands in, and is
// saved so that the window forwards to it from now on.
WNDPROC GetPreviousProc(HWND window, int classIndex)
{
    WNDPROC previous = GetSavedProc(window);
    if (previous)
        return previous;
    previous = classIndex == RCLASS_DIALOG ? ReliefState.dialogSystemProc
                                           : ReliefState.ClassProcTable[classIndex].systemProc;
    if (!previous)
        previous = classIndex == RCLASS_DIALOG ? DefDlgProcA : DefWindowProcA;
    if (ReliefState.atomNew)
        SetPropA(window, MAKEINTATOM(ReliefState.atomNew), (HANDLE)previous);
    return previous;
}

LRESULT ForwardMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    return CallWindowProcA(GetPreviousProc(window, classIndex), window, msg, wParam, lParam);
}

// A window that is not visible is forwarded as it is.
LRESULT ForwardInvisibly(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        return ForwardMessage(window, msg, wParam, lParam, classIndex);
    SetWindowLongA(window, GWL_STYLE, style & ~WS_VISIBLE);
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_VISIBLE);
    return result;
}

void InstallSubclass(HWND window, WNDPROC reliefProc)
{
    for (ATOM ReliefRecord::*mark : subclassMarks)
        if (HasReliefMark(window, ReliefState.*mark))
            return;
    LONG_PTR previous = SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)reliefProc);
    if (previous)
        SetPropA(window, MAKEINTATOM(ReliefState.atomNew), (HANDLE)previous);
}

// The window procedure stays: nothing reaches it after WM_NCDESTROY.
static LRESULT ForwardNcDestroy(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    RemoveReliefMark(window, ReliefState.atomNew);
    RemoveReliefMark(window, ReliefState.atomD);
    return result;
}

// A sender that passes no LONG still gets the code.
LRESULT AnswerIdentify(HWND, UINT, WPARAM, LPARAM lParam, int classIndex)
{
    if (lParam)
        *(LONG *)lParam = 1;
    return RELIEF_ID_BUTTON + classIndex;
}

LRESULT ReliefDispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                       int classIndex, const ReliefMessage *table)
{
    if (msg == WM_NCDESTROY)
        return ForwardNcDestroy(window, msg, wParam, lParam, classIndex);
    // "RlfD" is read only for the procedure's own messages: every other
    // message is forwarded either way, and each read is a property lookup.
    for (const ReliefMessage *row = table; row->handle; ++row)
        if (msg >= row->first && msg <= row->last) {
            if (HasReliefMark(window, ReliefState.atomD))
                break;
            return row->handle(window, msg, wParam, lParam, classIndex);
        }
    return ForwardMessage(window, msg, wParam, lParam, classIndex);
}

static void ReadClassName(HWND window, char name[CLASS_NAME_SIZE])
{
    if (!GetClassNameA(window, name, CLASS_NAME_SIZE))
        name[0] = '\0';
}

BOOL IsClass(HWND window, const char *className)
{
    char name[CLASS_NAME_SIZE];
    ReadClassName(window, name);
    return lstrcmpA(name, className) == 0;
}

BOOL SubclassControl(HWND window, WORD classes, WORD atCreation, HWND parent)
{
    if (GetSavedProc(window))
        return FALSE;
    char name[CLASS_NAME_SIZE];
    ReadClassName(window, name);
    for (int row = 0; row < RCLASS_COUNT; ++row) {
        if (!(ClassTable[row].classMask & classes) || lstrcmpA(name, ClassTable[row].className))
            continue;
        DWORD style = (DWORD)GetWindowLongA(window, GWL_STYLE);
        if (!ClassTable[row].filter(window, style, classes, atCreation, parent))
            return FALSE;
        // After termination the procedure is null: admitted, nothing installed.
        WNDPROC reliefProc = ReliefState.ClassProcTable[row].subclassProc;
        if (reliefProc && atCreation == 1 && ReliefState.platform == 16)
            InstallAtFirstMessage(window, reliefProc);
        else if (reliefProc)
            InstallSubclass(window, reliefProc);
        return TRUE;
    }
    return FALSE;
}

// Asks the window through both identify messages; TRUE when a relief
// procedure answered.
static BOOL IdentifyAnswered(HWND window)
{
    LONG answer = RELIEF_NO_ANSWER;
    SendMessageA(window, RM_IDENTIFY, 0, (LPARAM)&answer);
    if (answer == RELIEF_NO_ANSWER)
        SendMessageA(window, RM_IDENTIFY_ALT, 0, (LPARAM)&answer);
    return answer != RELIEF_NO_ANSWER;
}

// A mark that no relief procedure answers for is stale: it is dropped and
// the window subclassed anew.
static void SubclassChild(HWND window, WORD classes, HWND parent)
{
    if (GetSavedProc(window)) {
        if (HasReliefMark(window, ReliefState.atomD) || IdentifyAnswered(window))
            return;
        RemoveReliefMark(window, ReliefState.atomNew);
    }
    SubclassControl(window, classes, 0, parent);
}

BOOL ReliefSubclassDialog(HWND dialog, WORD classes)
{
    if (!ReliefState.reliefOn)
        return FALSE;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SubclassChild(child, classes, NULL);
        for (HWND grand = GetWindow(child, GW_CHILD); grand; grand = GetWindow(grand, GW_HWNDNEXT))
            SubclassChild(grand, classes, child);
    }
    return TRUE;
}

// The class index of a relief procedure, or -1.
static int ReliefProcClass(WNDPROC proc)
{
    for (int row = 0; row < RCLASS_COUNT; ++row)
        if (proc == ReliefState.ClassProcTable[row].subclassProc)
            return row;
    return proc == DialogFrameProc ? RCLASS_DIALOG : -1;
}

// A relief procedure that is current is taken out; one that sits under
// another procedure cannot be, and is switched to forwarding instead.
BOOL UnsubclassTree(HWND window)
{
    if (!ReliefState.reliefOn)
        return FALSE;
    int classIndex = ReliefProcClass((WNDPROC)GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (classIndex >= 0) {
        WNDPROC previous = GetPreviousProc(window, classIndex);
        RemoveReliefMark(window, ReliefState.atomNew);
        SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)previous);
    } else if (HasReliefMark(window, ReliefState.atomNew)
               || HasReliefMark(window, ReliefState.atomLNew)
               || HasReliefMark(window, ReliefState.atomHNew)) {
        SetPropA(window, MAKEINTATOM(ReliefState.atomD), (HANDLE)1);
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        UnsubclassTree(child);
    return TRUE;
}

BOOL IsReliefParent(HWND window)
{
    if (!GetSavedProc(window))
        return FALSE;
    return ReliefState.winVersion < WINVER_395
        || !(GetWindowLongA(window, GWL_STYLE) & DS_3DLOOK);
}

BOOL QueryDialogLook(HWND window)
{
    LONG look = ReliefState.winVersion < WINVER_395
        || !(GetWindowLongA(window, GWL_STYLE) & DS_3DLOOK);
    SendMessageA(window, RM_QUERYDIALOG, 0, (LPARAM)&look);
    return look != 0;
}

HWND ParentOf(HWND window)
{
    return GetParent(window);
}
