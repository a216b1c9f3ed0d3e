// The automatic subclassing hooks: the WH_CBT hook of registered threads
// gives new dialogs the frame procedure and hands new controls of relief
// dialogs to the class filters; on platform 16 a one-shot WH_CALLWNDPROC
// hook subclasses a window at its first message instead of at creation.
#include "relief/subclass.h"

#define DIALOG_CLASS_ATOM ((LPCSTR)(ULONG_PTR)0x8002)   // "#32770", as dialogs are created

// The one-shot hook's state. Only one window is pending: a window armed
// while another is still pending replaces it and the armed hook is reused,
// so no hook handle is lost and no window is subclassed twice. (A window's
// first message follows its creation at once, so the window replaced is
// one whose creation was abandoned.)
static HWND pendingWindow;
static WNDPROC pendingProc;
static HHOOK pendingHook;

// The calling thread's row, found through the cache or by a scan that
// renews it; FALSE for a thread without a row. Read under the lock, as a
// removal on another thread moves rows.
static BOOL ReadThreadRow(ThreadHookEntry *row)
{
    DWORD threadId = GetCurrentThreadId();
    BOOL found = FALSE;
    LockRelief();
    if (ReliefState.cachedThread != threadId) {
        for (int i = 0; i < ReliefState.hookCount; ++i) {
            if (ReliefState.ThreadHookTable[i].threadId == threadId) {
                ReliefState.cachedRow = i;
                ReliefState.cachedThread = threadId;
                break;
            }
        }
    }
    if (ReliefState.cachedThread == threadId) {
        *row = ReliefState.ThreadHookTable[ReliefState.cachedRow];
        found = TRUE;
    }
    UnlockRelief();
    return found;
}

static void OnCreateWindow(HWND window, const CREATESTRUCTA *cs, DWORD flags)
{
    if (cs->lpszClass == DIALOG_CLASS_ATOM) {
        if (ReliefState.platform != 32)
            InstallAtFirstMessage(window, DialogFrameProc);
        else if (QueryDialogLook(window))
            InstallSubclass(window, DialogFrameProc);
        return;
    }
    if (!(flags & RELIEF_AUTO_CONTROLS))
        return;
    // A popup's hwndParent is its owner: it has no relief parent.
    HWND parent = cs->style & WS_CHILD ? cs->hwndParent : NULL;
    if (IsReliefParent(parent) || IsReliefParent(ParentOf(parent)))
        SubclassControl(window, RELIEF_ALL, 1, parent);
}

// Rows can outlive the library's termination: their hooks then only pass
// the calls on.
LRESULT CALLBACK ReliefCbtHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    ThreadHookEntry row;
    if (!ReadThreadRow(&row))
        return CallNextHookEx(NULL, code, wParam, lParam);
    if (code == HCBT_CREATEWND && ReliefState.reliefOn)
        OnCreateWindow((HWND)wParam, ((const CBT_CREATEWNDA *)lParam)->lpcs, row.flags);
    return CallNextHookEx(row.hook, code, wParam, lParam);
}

static LRESULT CALLBACK OneShotHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallNextHookEx(pendingHook, code, wParam, lParam);
    if (code != HC_ACTION || ((const CWPSTRUCT *)lParam)->hwnd != pendingWindow)
        return result;
    HWND window = pendingWindow;
    WNDPROC reliefProc = pendingProc;
    UnhookWindowsHookEx(pendingHook);
    pendingHook = NULL;
    pendingProc = NULL;
    pendingWindow = NULL;
    if (ReliefState.reliefOn && QueryDialogLook(window))
        InstallSubclass(window, reliefProc);
    return result;
}

void InstallAtFirstMessage(HWND window, WNDPROC reliefProc)
{
    pendingProc = reliefProc;
    pendingWindow = window;
    if (!pendingHook)
        pendingHook = SetWindowsHookExA(WH_CALLWNDPROC, OneShotHookProc,
                                        ReliefState.hookInstance, GetCurrentThreadId());
}
