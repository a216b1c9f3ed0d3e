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

// The atom of "RlfNew" as windows were marked with it, kept past the
// library's termination, which deletes the atoms: a window that outlives
// the library still forwards to the procedure it saved.
static ATOM savedProcAtom;

static ATOM SavedProcAtom(void)
{
    return ReliefState.atomNew ? ReliefState.atomNew : savedProcAtom;
}

static WNDPROC GetSavedProc(HWND window)
{
    if (!window || !SavedProcAtom())
        return NULL;
    return (WNDPROC)GetPropA(window, MAKEINTATOM(SavedProcAtom()));
}

static void SaveProc(HWND window, WNDPROC proc)
{
    savedProcAtom = ReliefState.atomNew;
    SetPropA(window, MAKEINTATOM(savedProcAtom), (HANDLE)proc);
}

// A Unicode window is subclassed, read and forwarded to with the wide
// functions: the ANSI ones would make it an ANSI window and pass every text
// it is sent through the ANSI code page.
static WNDPROC WindowProcOf(HWND window)
{
    return (WNDPROC)(IsWindowUnicode(window) ? GetWindowLongPtrW : GetWindowLongPtrA)(
        window, GWLP_WNDPROC);
}

static WNDPROC SetWindowProc(HWND window, WNDPROC proc)
{
    return (WNDPROC)(IsWindowUnicode(window) ? SetWindowLongPtrW : SetWindowLongPtrA)(
        window, GWLP_WNDPROC, (LONG_PTR)proc);
}

LRESULT CallProcOf(HWND window, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return (IsWindowUnicode(window) ? CallWindowProcW : CallWindowProcA)(proc, window, msg,
                                                                         wParam, lParam);
}

// Without a saved procedure the class's system procedure stands in, and is
// saved so that the window forwards to it from now on; the table holds the
// ANSI view of it, a Unicode window takes its class's wide one.
WNDPROC GetPreviousProc(HWND window, int classIndex)
{
    WNDPROC previous = GetSavedProc(window);
    if (previous)
        return previous;
    if (IsWindowUnicode(window))
        previous = (WNDPROC)GetClassLongPtrW(window, GCLP_WNDPROC);
    else
        previous = classIndex == RCLASS_DIALOG ? ReliefState.dialogSystemProc
                                               : ReliefState.ClassProcTable[classIndex].systemProc;
    if (!previous)
        previous = classIndex == RCLASS_DIALOG ? DefDlgProcA : DefWindowProcA;
    if (ReliefState.atomNew)
        SaveProc(window, previous);
    return previous;
}

LRESULT ForwardMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    return CallProcOf(window, GetPreviousProc(window, classIndex), msg, wParam, lParam);
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

// The class index of a relief procedure, or -1.
static int ReliefProcClass(WNDPROC proc)
{
    for (int row = 0; row < RCLASS_COUNT; ++row)
        if (proc == ReliefState.ClassProcTable[row].subclassProc)
            return row;
    return proc == DialogFrameProc ? RCLASS_DIALOG : -1;
}

// A relief procedure is never saved as a window's previous one: it would
// forward to itself.
void InstallSubclass(HWND window, WNDPROC reliefProc)
{
    for (ATOM ReliefRecord::*mark : subclassMarks)
        if (HasReliefMark(window, ReliefState.*mark))
            return;
    if (ReliefProcClass(WindowProcOf(window)) >= 0)
        return;
    WNDPROC previous = SetWindowProc(window, reliefProc);
    if (previous)
        SaveProc(window, previous);
}

// The window procedure stays: nothing reaches it after WM_NCDESTROY.
static LRESULT ForwardNcDestroy(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    RemoveReliefMark(window, SavedProcAtom());
    RemoveReliefMark(window, ReliefState.atomD);
    return result;
}

// The LONG is written only for a sender of the window's own thread: the
// message is not marshalled, so another process's pointer means nothing
// here. A sender that passes no LONG still gets the code.
LRESULT AnswerIdentify(HWND, UINT, WPARAM, LPARAM lParam, int classIndex)
{
    if (lParam && InSendMessageEx(NULL) == ISMEX_NOSEND)
        *(LONG *)lParam = 1;
    return RELIEF_ID_BUTTON + classIndex;
}

LRESULT ReliefDispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                       int classIndex, const ReliefMessage *table)
{
    if (msg == WM_NCDESTROY)
        return ForwardNcDestroy(window, msg, wParam, lParam, classIndex);
    // A window that outlives the library paints nothing with its freed
    // brushes and answers for nothing.
    if (!ReliefState.reliefOn)
        return ForwardMessage(window, msg, wParam, lParam, classIndex);
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

// The ClassTable row of the window's class among those selected, or -1.
static int ClassRowOf(HWND window, WORD classes)
{
    char name[CLASS_NAME_SIZE];
    ReadClassName(window, name);
    for (int row = 0; row < RCLASS_COUNT; ++row)
        if ((ClassTable[row].classMask & classes) && !lstrcmpA(name, ClassTable[row].className))
            return row;
    return -1;
}

BOOL SubclassControl(HWND window, WORD classes, WORD atCreation, HWND parent)
{
    if (GetSavedProc(window))
        return FALSE;
    int row = ClassRowOf(window, classes);
    if (row < 0)
        return FALSE;
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
// the window subclassed anew, but only while the window runs the procedure
// saved under it or its class's own. Over an application's procedure that
// swallows the identify messages, a relief procedure installed again would
// save that one and forward in a circle through it.
static void SubclassChild(HWND window, WORD classes, HWND parent)
{
    WNDPROC saved = GetSavedProc(window);
    if (saved) {
        if (HasReliefMark(window, ReliefState.atomD) || IdentifyAnswered(window))
            return;
        WNDPROC current = WindowProcOf(window);
        int row = ClassRowOf(window, classes);
        if (current != saved && (row < 0 || current != ReliefState.ClassProcTable[row].systemProc))
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

// A relief procedure that is current is taken out; one that sits under
// another procedure cannot be, and is switched to forwarding instead.
BOOL UnsubclassTree(HWND window)
{
    if (!ReliefState.reliefOn)
        return FALSE;
    int classIndex = ReliefProcClass(WindowProcOf(window));
    if (classIndex >= 0) {
        WNDPROC previous = GetPreviousProc(window, classIndex);
        RemoveReliefMark(window, ReliefState.atomNew);
        SetWindowProc(window, previous);
    } else if (HasReliefMark(window, ReliefState.atomNew)
               || HasReliefMark(window, ReliefState.atomLNew)
               || HasReliefMark(window, ReliefState.atomHNew)) {
        SetPropA(window, MAKEINTATOM(ReliefState.atomD), (HANDLE)1);
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        UnsubclassTree(child);
    return TRUE;
}

// A window marked "RlfD" is no relief parent.
BOOL IsReliefParent(HWND window)
{
    if (!GetSavedProc(window) || HasReliefMark(window, ReliefState.atomD))
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
    return window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
        ? GetAncestor(window, GA_PARENT) : NULL;
}
