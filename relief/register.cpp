// Registration: the library is switched on by the first registration in
// the process and off by the last; threads ask for a WH_CBT hook that
// subclasses their dialogs, kept one row a thread in ThreadHookTable.
//
// The first registration initialises, and the last one terminates, while
// still holding the lock that decided it: a registration overlapping on
// another thread waits until the library is up, and cannot be undone by a
// termination decided before it.
#include "relief/state.h"

// GetVersion gives the major version in its low byte, the minor in the next.
WORD WinVersionOf(DWORD version)
{
    return (WORD)(LOBYTE(version) << 8 | HIBYTE(LOWORD(version)));
}

// Bit 31 marks Win32s below 3.95; Windows NT and 95 run 32-bit code.
WORD PlatformOf(DWORD version)
{
    if (!(version & 0x80000000))
        return 32;
    return WinVersionOf(version) >= WINVER_395 ? 32 : 16;
}

typedef BOOL (WINAPI *DisableThreadCallsProc)(HMODULE);

BOOL ReliefProcessAttach(HINSTANCE instance, DWORD reason, void *)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    FARPROC proc = GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "DisableThreadLibraryCalls");
    if (proc)
        ((DisableThreadCallsProc)(void (*)(void))proc)(instance);

    LockRelief();
    ReliefState.hookInstance = instance;
    ReliefState.resourceInstance = instance;
    DWORD version = GetVersion();
    ReliefState.winVersion = WinVersionOf(version);
    ReliefState.platform = PlatformOf(version);
    ReliefState.frameMetrics.cxFrame = GetSystemMetrics(SM_CXDLGFRAME) - 1;
    ReliefState.frameMetrics.cyFrame = GetSystemMetrics(SM_CYDLGFRAME) - 1;
    ReliefState.frameMetrics.cyCaption = GetSystemMetrics(SM_CYCAPTION);
    UnlockRelief();
    return TRUE;
}

BOOL ReliefRegister(HINSTANCE instance)
{
    LockRelief();
    if (++ReliefState.registerCount == 1) {
        ReliefProcessAttach(instance, DLL_PROCESS_ATTACH, NULL);
        InitializeRelief();
    }
    UnlockRelief();
    if (ThreadHasHookEntry())
        ReliefAutoSubclass(instance);
    return ReliefState.reliefOn;
}

// The calling thread's row, or -1. The caller holds the lock.
static int FindThreadRow(DWORD threadId)
{
    for (int row = 0; row < ReliefState.hookCount; ++row)
        if (ReliefState.ThreadHookTable[row].threadId == threadId)
            return row;
    return -1;
}

// Later rows move down one place; the row cache follows its row or, when
// its row is the one removed, is cleared.
static void RemoveThreadRow(int row)
{
    UnhookWindowsHookEx(ReliefState.ThreadHookTable[row].hook);
    ReliefState.hookCount--;
    MoveMemory(&ReliefState.ThreadHookTable[row], &ReliefState.ThreadHookTable[row + 1],
               (ReliefState.hookCount - row) * sizeof(ThreadHookEntry));
    ZeroMemory(&ReliefState.ThreadHookTable[ReliefState.hookCount], sizeof(ThreadHookEntry));
    if (ReliefState.cachedThread && ReliefState.cachedRow == row) {
        ReliefState.cachedThread = 0;
        ReliefState.cachedRow = 0;
    } else if (ReliefState.cachedThread && ReliefState.cachedRow > row) {
        ReliefState.cachedRow--;
    }
}

// The module that created the thread's row removes it at once; a row made
// by another module goes when its count runs out. An unregistration without
// a registration open changes nothing.
BOOL ReliefUnregister(HINSTANCE instance)
{
    DWORD threadId = GetCurrentThreadId();
    LockRelief();
    int row = FindThreadRow(threadId);
    if (row >= 0) {
        ThreadHookEntry *entry = &ReliefState.ThreadHookTable[row];
        if (--entry->useCount == 0 || entry->instance == instance)
            RemoveThreadRow(row);
    }
    if (ReliefState.registerCount > 0 && --ReliefState.registerCount == 0)
        TerminateRelief();
    UnlockRelief();
    return TRUE;
}

BOOL ReliefAutoSubclass(HINSTANCE instance)
{
    return ReliefAutoSubclassEx(instance, 0);
}

// Frames-only requests clear both low bits; all others subclass controls.
static DWORD NormaliseFlags(DWORD flags)
{
    return flags & RELIEF_FRAMES_ONLY
        ? flags & ~(DWORD)(RELIEF_AUTO_CONTROLS | RELIEF_FRAMES_ONLY)
        : flags | RELIEF_AUTO_CONTROLS;
}

// The thread's first request installs its hook. The caller holds the lock.
static BOOL AddThreadRow(HINSTANCE instance, DWORD threadId, DWORD flags)
{
    HHOOK hook = SetWindowsHookExA(WH_CBT, ReliefCbtHookProc, ReliefState.hookInstance, threadId);
    if (!hook)
        return FALSE;
    int row = ReliefState.hookCount++;
    ThreadHookEntry *entry = &ReliefState.ThreadHookTable[row];
    entry->instance = instance;
    entry->threadId = threadId;
    entry->hook = hook;
    entry->useCount = 1;
    entry->flags = flags;
    ReliefState.cachedThread = threadId;
    ReliefState.cachedRow = row;
    return TRUE;
}

// A full table refuses also a thread that has a row. A thread's later
// requests only count up its row; their flags are dropped.
BOOL ReliefAutoSubclassEx(HINSTANCE instance, DWORD flags)
{
    if (ReliefState.winVersion < WINVER_310 || !ReliefState.reliefOn)
        return FALSE;
    flags = NormaliseFlags(flags);
    DWORD threadId = GetCurrentThreadId();
    BOOL done = FALSE;
    LockRelief();
    if (ReliefState.hookCount < RELIEF_MAX_THREADS) {
        int row = FindThreadRow(threadId);
        if (row >= 0) {
            ReliefState.ThreadHookTable[row].useCount++;
            done = TRUE;
        } else {
            done = AddThreadRow(instance, threadId, flags);
        }
    }
    UnlockRelief();
    return done;
}

// Under the lock: another thread's removal moves rows, and an unlocked
// scan could miss this thread's row while it moves.
BOOL ThreadHasHookEntry(void)
{
    LockRelief();
    BOOL found = FindThreadRow(GetCurrentThreadId()) >= 0;
    UnlockRelief();
    return found;
}
