// Helpers of the relief library's tests: the process's GDI objects and the
// property atoms, the glyph rows, faked system colours, memory canvases
// and worker threads that act for a test one call at a time.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "support/testsupport.h"

// Live GDI objects of this process, counted in its GDI handle table
// (Wine's GetGuiResources is a stub that answers 0); the test fails when
// the table cannot be read.
int GdiObjectCount();

// How many of the seven property atom names the system's atom table holds.
int PropertyAtomsFound();

// The glyph strip's rows, top row first, straight from res/glyphs.inc.
extern const char *const kGlyphRows[39];

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

// The identity code a relief procedure answers for the window, or 0 when
// none answers either identify message.
int IdentifyCode(HWND window);

// A message as a recording procedure saw it, in the manner of Wine's
// tests/msg.c: UNDER a relief procedure (what it forwards, HIDDEN when a
// window visible at the start was not visible then), OVER it (the style changes it makes, as a
// subclass above sees them, and WM_NCDESTROY once the procedures below
// ran, MARKED while "RlfNew" and "RlfD" were still set), or at the PARENT
// (WM_COMMAND, its wParam compared).
enum { UNDER = 1, OVER = 2, PARENT = 4, HIDDEN = 8, MARKED = 16 };
struct message {
    UINT msg;
    int flags;
    WPARAM wParam;
};
// The recording procedures: under the relief procedure (its saved one, or
// what the window has before it is subclassed), over what the window has
// now, or over its parent's.
void RecordUnder(HWND window);
void RecordOver(HWND window);
void RecordParent(HWND parent);
void ForgetMessages();
// Compares what was recorded since the last check with the sequence
// (ended by a zero message), printing both on a mismatch.
#define ok_sequence(seq, context) CheckSequence(seq, context, __FILE__, __LINE__)
void CheckSequence(const message *expected, const std::string &context, const char *file,
                   int line);
