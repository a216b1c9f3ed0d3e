// Helpers of the relief library's tests: windows, GDI objects and property
// atoms counted, the glyph rows, faked system colours, worker threads and
// a message recorder.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "support/testsupport.h"

inline HINSTANCE Self() { return GetModuleHandleA(nullptr); }
inline WNDPROC ProcOf(HWND window) { return (WNDPROC)GetWindowLongPtrA(window, GWLP_WNDPROC); }
const LPCSTR kDialogAtom = MAKEINTATOM(0x8002);     // "#32770", as dialogs are created
// A child of parent, or a popup without one.
HWND Window(const char *cls, DWORD style, HWND parent, int x = 0, int y = 0, int w = 80,
            int h = 40);

// Live GDI objects of this process, counted in its GDI handle table
// (Wine's GetGuiResources answers 0); the test fails when it cannot be read.
int GdiObjectCount();
int PropertyAtomsFound();                   // of the seven names, in the atom table
extern const char *const kGlyphRows[39];    // the glyph strip, from res/glyphs.inc

// While it lives, the program's GetSysColor answers from colors[], which
// starts as the real system colours.
struct FakeSysColors {
    static COLORREF colors[31];
    ImportPatch patch;
    FakeSysColors();
};

// A thread that runs the functions handed to Run, one at a time, and
// stays alive (keeping its id) until the object goes.
struct Worker {
    HANDLE thread = nullptr, go = nullptr, done = nullptr;
    DWORD id = 0;
    std::function<void()> job;
    bool quit = false;
    Worker();
    ~Worker();
    void Run(std::function<void()> fn);
};

int IdentifyCode(HWND window);  // what a relief procedure answers, or 0

// A message as a recording procedure saw it, in the manner of Wine's
// tests/msg.c: UNDER a relief procedure (what it forwards; HIDDEN when the
// window, visible when the recorder came, was not then), OVER it (style
// changes, and WM_NCDESTROY once the procedures below ran; MARKED while
// "RlfNew" and "RlfD" were set), or at the PARENT (WM_COMMAND, its wParam).
enum { UNDER = 1, OVER = 2, PARENT = 4, HIDDEN = 8, MARKED = 16 };
struct message { UINT msg; int flags; WPARAM wParam; };
// Under the relief procedure (as its saved procedure, or before it is
// installed), over the window's procedure, over a parent's.
void RecordUnder(HWND window);
void RecordOver(HWND window);
void RecordParent(HWND parent);
void ForgetMessages();
// Compares what was recorded since the last check with the sequence
// (ended by a zero message), printing both on a mismatch.
#define ok_sequence(seq, context) CheckSequence(seq, context, __FILE__, __LINE__)
void CheckSequence(const message *expected, const std::string &context, const char *file,
                   int line);
