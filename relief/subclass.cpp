// Subclassing of single windows and of dialog trees. A relief window keeps
// the procedure it had before under "RlfNew"; "RlfD" switches its relief
// procedure to forwarding. Both are set and read by atom.
#include "relief/subclass.h"

#define CLASS_NAME_SIZE 16          // class names are compared up to 15 characters

// The foreign marks of the same property scheme, and our own "RlfNew": any
// of them means the window is subclassed already.
static ATOM ReliefRecord::*const subclassMarks[] = {
    &ReliefRecord::atomBase, &ReliefRecord::atomNew, &ReliefRecord::atomLNew,
    &ReliefRecord::atomL, &ReliefRecord::atomHNew, &ReliefRecord::atomH,
};

BOOL HasReliefMark(HWND window, ATOM atom)
{
    return atom && GetPropA(window, MAKEINTATOM(atom)) != NULL;
}

static void RemoveReliefMark(HWND window, ATOM atom)
{
    if (atom)
        RemovePropA(window, MAKEINTATOM(atom));
}

WNDPROC GetSavedProc(HWND window)
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
LRESULT ForwardNcDestroy(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
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

static BOOL IsClass(HWND window, const char *className)
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

// The low word of a button's style without BS_LEFTTEXT names one of the
// kinds from BS_PUSHBUTTON to BS_AUTORADIOBUTTON, with no other bit.
BOOL ButtonFilter(HWND, DWORD style, WORD, WORD, HWND)
{
    return ReliefState.winVersion < WINVER_395
        && (LOWORD(style) & ~BS_LEFTTEXT) <= BS_AUTORADIOBUTTON;
}

// From 3.95 on the system draws the parts of combo boxes itself.
BOOL ListBoxFilter(HWND, DWORD, WORD, WORD, HWND parent)
{
    return ReliefState.winVersion < WINVER_395 || !parent || !IsClass(parent, "ComboBox");
}

BOOL EditFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent)
{
    return ListBoxFilter(window, style, classes, atCreation, parent);
}

// A drop-down combo is taken when its edit field exists (not while it is
// being created); a simple one while it is created, or later through its
// list and edit field.
BOOL ComboBoxFilter(HWND combo, DWORD style, WORD, WORD atCreation, HWND)
{
    if (ReliefState.winVersion >= WINVER_395)
        return FALSE;
    HWND child;
    switch (style & 3) {
    case CBS_DROPDOWNLIST:
        return TRUE;
    case CBS_DROPDOWN:
        if (atCreation == 1)
            return FALSE;
        if ((child = GetWindow(combo, GW_CHILD)) != NULL)
            SubclassControl(child, RELIEF_EDIT, atCreation, combo);
        return TRUE;
    default:    // CBS_SIMPLE, and kind 0
        if (atCreation == 1)
            return TRUE;
        if ((child = GetWindow(combo, GW_CHILD)) == NULL)
            return FALSE;
        SubclassControl(child, RELIEF_LISTBOX, atCreation, combo);
        if ((child = GetWindow(child, GW_HWNDNEXT)) != NULL)
            SubclassControl(child, RELIEF_EDIT, atCreation, combo);
        return TRUE;
    }
}

BOOL StaticFilter(HWND, DWORD style, WORD classes, WORD, HWND)
{
    DWORD kind = style & 0x1F;
    if (kind == SS_ICON)
        return FALSE;
    if (classes & RELIEF_STATIC_TEXT) {
        if (kind <= SS_RIGHT || kind == SS_LEFTNOWORDWRAP)
            return TRUE;
    }
    if (classes & RELIEF_STATIC_FRAME) {
        if (kind >= SS_BLACKRECT && kind <= SS_WHITEFRAME)
            return TRUE;
        if (kind >= SS_ETCHEDHORZ && kind <= SS_ETCHEDFRAME)
            return ReliefState.winVersion < WINVER_395;
    }
    return FALSE;
}

// The list of a drop-down combo is created as a popup of its own and left
// to the system; a simple combo's list is taken.
BOOL ComboLBoxFilter(HWND, DWORD, WORD, WORD atCreation, HWND parent)
{
    if (ReliefState.winVersion >= WINVER_395)
        return FALSE;
    if (atCreation != 1)
        return TRUE;
    return (GetWindowLongA(parent, GWL_STYLE) & 3) < CBS_DROPDOWN;
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
void SubclassChild(HWND window, WORD classes, HWND parent)
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
    } else if (HasReliefMark(window, ReliefState.atomNew) || HasReliefMark(window, ReliefState.atomLNew)
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

// The control's window rectangle grown by one pixel, in its parent's client
// coordinates, one column wider beside a vertical scroll bar. FALSE for a
// window without a parent, whose ring lies nowhere.
static BOOL RingInParent(HWND control, RECT *ring, HWND *parent)
{
    *parent = GetParent(control);
    if (!*parent)
        return FALSE;
    InflateRect(ring, 1, 1);
    ScreenToClient(*parent, (POINT *)&ring->left);
    ScreenToClient(*parent, (POINT *)&ring->right);
    if (GetWindowLongA(control, GWL_STYLE) & WS_VSCROLL)
        ring->right++;
    return TRUE;
}

// A height-only shrink refreshes only the band below the new bottom edge.
void InvalidateControlRing(HWND control, const WINDOWPOS *pending)
{
    if (!(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE))
        return;
    RECT ring;
    GetWindowRect(control, &ring);
    if (pending) {
        UINT flags = LOBYTE(pending->flags);
        UINT moveSize = flags & (SWP_NOMOVE | SWP_NOSIZE);
        if (!(flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) && moveSize == (SWP_NOMOVE | SWP_NOSIZE))
            return;
        if (moveSize == SWP_NOMOVE && ring.right - ring.left == pending->cx
            && ring.bottom - ring.top >= pending->cy)
            ring.top += pending->cy + 1;
    }
    HWND parent;
    if (RingInParent(control, &ring, &parent))
        InvalidateRect(parent, &ring, FALSE);
}

void ValidateControlRing(HWND control)
{
    RECT ring;
    GetWindowRect(control, &ring);
    HWND parent;
    if (RingInParent(control, &ring, &parent))
        ValidateRect(parent, &ring);
}
