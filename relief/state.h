// The relief library's process-wide record, its class tables and the
// functions that build, guard and take down its shared resources.
#pragma once
#include "relief/relief.h"

#define RELIEF_GLYPH_BITMAP 26567   // resource id of the glyph strip
#define RELIEF_MAX_THREADS  128     // rows of ThreadHookTable

// Entries of SysColorTable; the painting code names colours by these.
enum {
    SYSCLR_BTNHILITE, SYSCLR_BTNFACE, SYSCLR_BTNSHADOW, SYSCLR_BTNTEXT,
    SYSCLR_WINDOW, SYSCLR_WINDOWTEXT, SYSCLR_GRAYTEXT, SYSCLR_WINDOWFRAME,
    SYSCLR_COUNT
};

// Class indices: rows of ClassTable and ClassProcTable, and the dialog.
enum {
    RCLASS_BUTTON, RCLASS_LISTBOX, RCLASS_EDIT, RCLASS_COMBOBOX,
    RCLASS_STATIC, RCLASS_COMBOLBOX, RCLASS_COUNT,
    RCLASS_DIALOG = RCLASS_COUNT
};

// The three versions the library tells apart (major * 256 + minor).
#define WINVER_30  0x0300   // btnHilite forced to white
#define WINVER_310 0x030A   // lowest version with per-thread hooks
#define WINVER_395 0x035F   // from here on the system draws most of the look

typedef BOOL (*SubclassFilter)(HWND window, DWORD style, WORD classes,
                               WORD atCreation, HWND parent);

struct ClassEntry {
    char className[20];
    WNDPROC subclassProc;
    SubclassFilter filter;
    WORD classMask;
};

struct ClassProcEntry {
    WNDPROC subclassProc;   // the library's procedure while it is on, else null
    WNDPROC systemProc;     // the system class's procedure
};

// One thread's automatic-subclassing hook.
struct ThreadHookEntry {
    HINSTANCE instance;     // the instance that created the row
    DWORD threadId;
    HHOOK hook;             // the thread's WH_CBT hook
    LONG useCount;
    DWORD flags;            // normalised RELIEF_AUTO_CONTROLS and other bits
};

struct FrameMetrics {
    int cxFrame, cyFrame, cyCaption;
};

struct ReliefRecord {
    CRITICAL_SECTION lock;      // guards every field; never deleted
    int reliefOn;
    int registerCount;
    ATOM atomBase, atomH, atomL, atomNew, atomHNew, atomLNew, atomD;
    HINSTANCE resourceInstance;
    HINSTANCE hookInstance;
    WORD winVersion;
    WORD platform;              // 16 (Win32s) or 32
    COLORREF SysColorTable[SYSCLR_COUNT];
    HBRUSH BrushTable[3];       // btnHilite, btnFace, btnShadow
    HBITMAP checkBitmap;
    DWORD cachedThread;         // 0, or a thread whose row is cachedRow
    int cachedRow;
    int hookCount;
    ThreadHookEntry ThreadHookTable[RELIEF_MAX_THREADS];
    ClassProcEntry ClassProcTable[RCLASS_COUNT];
    WNDPROC dialogSystemProc;
    FrameMetrics frameMetrics;
    char mnemonicMarker;
    BYTE dbcsEnabled;
};

extern ReliefRecord ReliefState;
extern const ClassEntry ClassTable[RCLASS_COUNT];

// The lock, initialised at its first use by whichever thread comes first.
void LockRelief(void);
void UnlockRelief(void);

BOOL InitializeRelief(void);
void TerminateRelief(void);
void ReadDbcsMenuMode(void);

BOOL RefreshColors(BOOL first);
HBITMAP LoadGlyphBitmap(HINSTANCE instance, LPCSTR name, COLORREF windowText,
                        COLORREF btnFace, COLORREF btnShadow, COLORREF btnHilite,
                        COLORREF window, COLORREF windowFrame);
void FreeGdiObject(HGDIOBJ *slot);
void FreeColorObjects(void);

BOOL ThreadHasHookEntry(void);
WORD WinVersionOf(DWORD version);
WORD PlatformOf(DWORD version);

LRESULT CALLBACK ReliefCbtHookProc(int code, WPARAM wParam, LPARAM lParam);
