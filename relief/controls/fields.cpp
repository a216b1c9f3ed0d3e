// The relief procedures of edits, list boxes and combo boxes: the controls
// paint themselves, and after each WM_PAINT a sunken border is painted
// into the parent, on and just outside the control's window rectangle (for
// the edit field and list of a combo box, into the combo box's parent).
// When a control moves, changes size, or is shown or hidden, the ring it
// leaves in the parent is repainted by the parent.
#include "relief/controls/controls.h"
#include "relief/edges.h"
#include "relief/subclass.h"

#define COMBO_LIST_ID 1000          // + hasCaret: the id of a combo box's list or edit field

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

// The control's window rectangle grown by one pixel, in its parent's client
// coordinates, one column wider beside a vertical scroll bar. FALSE for a
// window without a parent, whose ring lies nowhere.
static BOOL RingInParent(HWND control, RECT *ring, HWND *parent)
{
    *parent = ParentOf(control);
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

static DWORD ComboKind(HWND combo)
{
    return (DWORD)GetWindowLongA(combo, GWL_STYLE) & 3;
}

static BOOL IsDroppedDown(HWND combo)
{
    return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// An edit field or list is a combo box's part when its parent is a
// "ComboBox", or a relief combo box of another class.
static BOOL IsComboPart(HWND control, HWND parent, int hasCaret)
{
    if (GetWindowLongA(control, GWL_ID) != COMBO_LIST_ID + hasCaret)
        return FALSE;
    LONG answer = RELIEF_NO_ANSWER;
    LRESULT code = SendMessageA(parent, RM_IDENTIFY, 0, (LPARAM)&answer);
    if (answer == RELIEF_NO_ANSWER)
        code = SendMessageA(parent, RM_IDENTIFY_ALT, 0, (LPARAM)&answer);
    return IsClass(parent, "ComboBox") || (answer == 1 && code == RELIEF_ID_COMBOBOX);
}

static void PaintLine(HDC dc, RECT line, WORD color, WORD side)
{
    PaintEdge(dc, &line, color, color, side);
}

// Beside scroll bars the border gives way to a highlight line outside and
// a frame line under (or beside) the bar; a drop-down list's button gets
// frame lines at its right and bottom.
static void PaintScrollBarEdges(HDC dc, RECT w, DWORD style, BOOL dropDownList)
{
    if (dropDownList) {
        w.left = w.right - GetSystemMetrics(SM_CXVSCROLL);
        PaintLine(dc, w, SYSCLR_WINDOWFRAME, EDGE_RIGHT | EDGE_BOTTOM);
        return;
    }
    if (style & WS_VSCROLL) {
        RECT outside = w;
        outside.right++;
        PaintLine(dc, outside, SYSCLR_BTNHILITE, EDGE_RIGHT);
        RECT under = w;
        under.left = w.right - GetSystemMetrics(SM_CXVSCROLL);
        PaintLine(dc, under, SYSCLR_WINDOWFRAME, EDGE_BOTTOM);
    }
    if (style & WS_HSCROLL) {
        RECT outside = w;
        outside.bottom++;
        PaintLine(dc, outside, SYSCLR_BTNHILITE, EDGE_BOTTOM);
        RECT beside = w;
        beside.top = w.bottom - GetSystemMetrics(SM_CXHSCROLL);
        PaintLine(dc, beside, SYSCLR_WINDOWFRAME, EDGE_RIGHT);
    }
}

// Nothing is painted while a combo box's list is down. A simple combo's
// edit field and list share one border: the edit field draws its bottom
// side only where the list does not reach under it (nothing when the list
// is as wide or wider), and the list draws every side but the top, one
// pixel lower than its window.
static void PaintFieldBorder(HWND control, int hasCaret, int classIndex)
{
    DWORD style = (DWORD)GetWindowLongA(control, GWL_STYLE);
    BOOL dropDownList = classIndex == RCLASS_COMBOBOX && ComboKind(control) == CBS_DROPDOWNLIST;
    if (!(style & WS_VISIBLE) || (dropDownList && IsDroppedDown(control)))
        return;
    RECT w;
    GetWindowRect(control, &w);
    WORD sides = EDGE_ALL;
    if (style & WS_HSCROLL)
        sides = EDGE_LEFT | EDGE_TOP | EDGE_RIGHT;
    if (style & WS_VSCROLL)
        sides &= ~EDGE_RIGHT;
    int jointCut = -1;      // the simple combo edit field's bottom, this much short
    HWND target = ParentOf(control);
    if (target && IsComboPart(control, target, hasCaret)) {
        HWND combo = target;
        target = ParentOf(combo);
        if (!hasCaret) {
            sides &= ~EDGE_TOP;
            w.top++;
        } else if (ComboKind(combo) >= CBS_DROPDOWN) {
            if (IsDroppedDown(combo))
                return;
        } else {
            RECT list = {0, 0, 0, 0};
            GetWindowRect(GetWindow(combo, GW_CHILD), &list);
            jointCut = list.right - list.left;
            sides &= ~EDGE_BOTTOM;
        }
    }
    HDC dc = target ? GetDC(target) : NULL;
    if (!dc)
        return;     // a top-level control has no parent to paint into
    MapWindowPoints(NULL, target, (POINT *)&w, 2);
    if (hasCaret)
        HideCaret(control);
    if (jointCut >= 0) {
        RECT joint = w;
        joint.right -= jointCut;
        PaintSunkenBorder(dc, &joint, EDGE_BOTTOM | EDGE_SHORT_BOTTOM);
    }
    PaintSunkenBorder(dc, &w, sides);
    PaintScrollBarEdges(dc, w, style, dropDownList);
    ReleaseDC(target, dc);
    if (hasCaret)
        ShowCaret(control);
    if (dropDownList)
        ValidateControlRing(control);
}

// Edits and combo boxes: the previous procedure runs first, then the
// border is painted or the ring invalidated. A drop-down combo paints
// nothing itself (its edit field does), and a simple one leaves its border
// to its edit field and list.
static BOOL PaintsOwnBorder(HWND window, int classIndex)
{
    return classIndex == RCLASS_EDIT || ComboKind(window) == CBS_DROPDOWNLIST;
}

static BOOL IsQuietCombo(HWND window, int classIndex)
{
    return classIndex == RCLASS_COMBOBOX && ComboKind(window) == CBS_DROPDOWN;
}

static LRESULT OnFieldPaint(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    if (PaintsOwnBorder(window, classIndex))
        PaintFieldBorder(window, 1, classIndex);
    return result;
}

// From 3.10 on the ring is invalidated before each move, size, show or
// hide; before it only when the control is hidden.
static LRESULT OnFieldPosChanging(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    if (!IsQuietCombo(window, classIndex) && ReliefState.winVersion >= WINVER_310)
        InvalidateControlRing(window, (const WINDOWPOS *)lParam);
    return result;
}

static LRESULT OnFieldShowWindow(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    if (!IsQuietCombo(window, classIndex) && ReliefState.winVersion < WINVER_310 && !wParam)
        InvalidateControlRing(window, NULL);
    return result;
}

// The edit's previous procedure sees the identify messages first.
static LRESULT OnEditIdentify(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    ForwardMessage(window, msg, wParam, lParam, classIndex);
    return AnswerIdentify(window, msg, wParam, lParam, classIndex);
}

static const ReliefMessage editMessages[] = {
    {WM_PAINT, WM_PAINT, OnFieldPaint},
    {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING, OnFieldPosChanging},
    {WM_SHOWWINDOW, WM_SHOWWINDOW, OnFieldShowWindow},
    {RM_IDENTIFY_ALT, RM_IDENTIFY, OnEditIdentify},
    {0, 0, NULL},
};

static const ReliefMessage comboBoxMessages[] = {
    {WM_PAINT, WM_PAINT, OnFieldPaint},
    {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING, OnFieldPosChanging},
    {WM_SHOWWINDOW, WM_SHOWWINDOW, OnFieldShowWindow},
    {0, 0, NULL},
};

// List boxes and combo lists: the ring is invalidated before the move, the
// border painted after the list's own painting.
static LRESULT OnListPaint(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    PaintFieldBorder(window, 0, classIndex);
    return result;
}

static LRESULT OnListPosChanging(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    if (ReliefState.winVersion >= WINVER_310)
        InvalidateControlRing(window, (const WINDOWPOS *)lParam);
    return ForwardMessage(window, msg, wParam, lParam, classIndex);
}

static LRESULT OnListShowWindow(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    if (ReliefState.winVersion < WINVER_310 && !wParam)
        InvalidateControlRing(window, NULL);
    return ForwardMessage(window, msg, wParam, lParam, classIndex);
}

// Below 3.10 the part of the parent uncovered when the list's client area
// shrinks is repainted. The new client area comes in the parent's client
// coordinates, and the old window rectangle is compared in them too.
static LRESULT OnListNcCalcSize(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex)
{
    HWND parent = ParentOf(window);
    if (ReliefState.winVersion >= WINVER_310 || !parent)
        return ForwardMessage(window, msg, wParam, lParam, classIndex);
    RECT before;
    GetWindowRect(window, &before);
    MapWindowPoints(NULL, parent, (POINT *)&before, 2);
    LRESULT result = ForwardMessage(window, msg, wParam, lParam, classIndex);
    RECT band = *(const RECT *)lParam;
    InflateRect(&band, 2, 1);
    if (band.bottom < before.bottom) {
        band.top = band.bottom + 1;
        band.bottom = before.bottom + 1;
        InvalidateRect(parent, &band, TRUE);
    }
    return result;
}

static const ReliefMessage listBoxMessages[] = {
    {WM_PAINT, WM_PAINT, OnListPaint},
    {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGING, OnListPosChanging},
    {WM_SHOWWINDOW, WM_SHOWWINDOW, OnListShowWindow},
    {WM_NCCALCSIZE, WM_NCCALCSIZE, OnListNcCalcSize},
    {RM_IDENTIFY_ALT, RM_IDENTIFY, AnswerIdentify},
    {0, 0, NULL},
};

LRESULT CALLBACK ReliefEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_EDIT, editMessages);
}

// List boxes and combo lists alike.
LRESULT CALLBACK ReliefListBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_LISTBOX, listBoxMessages);
}

// A combo box answers the identify messages even when marked "RlfD" (not
// once the library is down).
LRESULT CALLBACK ReliefComboBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (ReliefState.reliefOn && (msg == RM_IDENTIFY || msg == RM_IDENTIFY_ALT))
        return AnswerIdentify(window, msg, wParam, lParam, RCLASS_COMBOBOX);
    return ReliefDispatch(window, msg, wParam, lParam, RCLASS_COMBOBOX, comboBoxMessages);
}
