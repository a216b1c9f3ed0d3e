// The process-wide record of the relief library: its lock, the display
// test, the property atoms, the class tables and the DBCS menu mode, built
// at the first registration and taken down at the last.
#include "relief/state.h"
#include "relief/controls/controls.h"

ReliefRecord ReliefState;

// The six standard control classes the library subclasses; the row is the
// class index.
const ClassEntry ClassTable[RCLASS_COUNT] = {
    {"Button",    ReliefButtonProc,   ButtonFilter,    RELIEF_BUTTON},
    {"ListBox",   ReliefListBoxProc,  ListBoxFilter,   RELIEF_LISTBOX},
    {"Edit",      ReliefEditProc,     EditFilter,      RELIEF_EDIT},
    {"ComboBox",  ReliefComboBoxProc, ComboBoxFilter,  RELIEF_COMBOBOX},
    {"Static",    ReliefStaticProc,   StaticFilter,    RELIEF_STATIC_TEXT | RELIEF_STATIC_FRAME},
    {"ComboLBox", ReliefListBoxProc,  ComboLBoxFilter, RELIEF_LISTBOX},
};

// The property atoms, added and deleted in this order. An atom with
// checkNow set ends a group: the group's atoms are tested together.
static const struct {
    const char *name;
    ATOM ReliefRecord::*field;
    BOOL checkNow;
} propertyAtoms[] = {
    {"Rlf",     &ReliefRecord::atomBase, TRUE},
    {"RlfNew",  &ReliefRecord::atomNew,  TRUE},
    {"RlfL",    &ReliefRecord::atomL,    FALSE},
    {"RlfH",    &ReliefRecord::atomH,    TRUE},
    {"RlfLNew", &ReliefRecord::atomLNew, FALSE},
    {"RlfHNew", &ReliefRecord::atomHNew, TRUE},
    {"RlfD",    &ReliefRecord::atomD,    TRUE},
};
#define ATOM_COUNT (sizeof propertyAtoms / sizeof propertyAtoms[0])

static volatile LONG lockState;    // 0 none yet, 1 being initialised, 2 ready

// The first caller on any thread initialises the lock; a caller that comes
// while that is under way waits for it.
void LockRelief(void)
{
    if (lockState != 2) {
        if (InterlockedCompareExchange(&lockState, 1, 0) == 0) {
            InitializeCriticalSection(&ReliefState.lock);
            InterlockedExchange(&lockState, 2);
        } else {
            while (lockState != 2)
                Sleep(0);
        }
    }
    EnterCriticalSection(&ReliefState.lock);
}

void UnlockRelief(void)
{
    LeaveCriticalSection(&ReliefState.lock);
}

// At least 16 colours, and not an EGA screen of 640 x 350.
static BOOL DisplaySupportsRelief(int bitsPixel, int planes, int cxScreen, int cyScreen)
{
    return bitsPixel * planes >= 4 && !(cyScreen == 350 && cxScreen == 640);
}

static BOOL TestDisplay(void)
{
    int bits = 0, planes = 0;
    HDC screen = GetDC(NULL);
    if (screen) {
        bits = GetDeviceCaps(screen, BITSPIXEL);
        planes = GetDeviceCaps(screen, PLANES);
        ReleaseDC(NULL, screen);
    }
    return DisplaySupportsRelief(bits, planes, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN));
}

// Atoms added before a failure stay held until TerminateRelief.
static BOOL AddPropertyAtoms(void)
{
    BOOL groupOk = TRUE;
    for (unsigned i = 0; i < ATOM_COUNT; ++i) {
        ATOM atom = GlobalAddAtomA(propertyAtoms[i].name);
        ReliefState.*propertyAtoms[i].field = atom;
        groupOk = groupOk && atom;
        if (propertyAtoms[i].checkNow && !groupOk)
            return FALSE;
    }
    return TRUE;
}

static void DeletePropertyAtoms(void)
{
    for (unsigned i = 0; i < ATOM_COUNT; ++i) {
        ATOM *field = &(ReliefState.*propertyAtoms[i].field);
        if (*field) {
            GlobalDeleteAtom(*field);
            *field = 0;
        }
    }
}

// A system class that cannot be looked up (none of these should fail)
// forwards to the default procedure, so forwarding never meets a null.
static void ReadClassProcs(void)
{
    WNDCLASSA wc;
    for (int i = 0; i < RCLASS_COUNT; ++i) {
        ClassProcEntry *row = &ReliefState.ClassProcTable[i];
        row->subclassProc = ClassTable[i].subclassProc;
        row->systemProc = GetClassInfoA(NULL, ClassTable[i].className, &wc)
            ? wc.lpfnWndProc : DefWindowProcA;
    }
    ReliefState.dialogSystemProc = GetClassInfoA(NULL, MAKEINTATOM(0x8002), &wc)
        ? wc.lpfnWndProc : DefDlgProcA;
}

BOOL InitializeRelief(void)
{
    LockRelief();
    ReliefState.reliefOn = TestDisplay();
    if (ReliefState.reliefOn && !AddPropertyAtoms())
        ReliefState.reliefOn = 0;
    if (ReliefState.reliefOn) {
        ReliefState.dbcsEnabled = LOBYTE(GetSystemMetrics(SM_DBCSENABLED));
        ReadDbcsMenuMode();
        if (!RefreshColors(TRUE))
            ReliefState.reliefOn = 0;
    }
    if (ReliefState.reliefOn)
        ReadClassProcs();
    BOOL on = ReliefState.reliefOn;
    UnlockRelief();
    return on;
}

void TerminateRelief(void)
{
    LockRelief();
    for (int i = 0; i < RCLASS_COUNT; ++i)
        ReliefState.ClassProcTable[i].subclassProc = NULL;
    FreeColorObjects();
    DeletePropertyAtoms();
    ReliefState.reliefOn = 0;
    UnlockRelief();
}

// The marker character of menu mnemonics on DBCS systems: 31 when the
// user's profile asks for Kanji or Hangeul menus, else 30. A 9-byte buffer
// compares at most 8 characters of a value.
void ReadDbcsMenuMode(void)
{
    if (!ReliefState.dbcsEnabled)
        return;
    char value[9];
    LockRelief();
    ReliefState.mnemonicMarker = 30;
    GetProfileStringA("windows", "kanjimenu", "roman", value, sizeof value);
    if (lstrcmpiA(value, "kanji") == 0)
        ReliefState.mnemonicMarker = 31;
    GetProfileStringA("windows", "hangeulmenu", "english", value, sizeof value);
    if (lstrcmpiA(value, "hangeul") == 0)
        ReliefState.mnemonicMarker = 31;
    UnlockRelief();
}
