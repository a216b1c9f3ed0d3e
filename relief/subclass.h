// Subclassing: the window properties that carry a relief window's state,
// dialog trees subclassed and released, the common outer shape of every
// relief procedure, and the automatic hooks and the dialog procedure that
// use them.
#pragma once
#include "relief/state.h"

// A message, or a range of them, that a relief procedure handles itself.
// Tables end with a row whose handler is null.
typedef LRESULT (*ReliefHandler)(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                 int classIndex);
struct ReliefMessage {
    UINT first, last;
    ReliefHandler handle;
};

// The outer shape shared by every relief procedure: WM_NCDESTROY first,
// then a window marked "RlfD", or one that outlived the library, forwards
// everything, then the procedure's own messages, and everything else goes
// on to the previous procedure.
LRESULT ReliefDispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                       int classIndex, const ReliefMessage *table);
LRESULT ForwardMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex);
// Calls a procedure of the window with the wide or the ANSI function, as the
// window is a Unicode window or not.
LRESULT CallProcOf(HWND window, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam);
// Forwards with WS_VISIBLE cleared, so that the previous procedure paints
// nothing; the caller paints the change itself.
LRESULT ForwardInvisibly(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex);
// Answers an identify message with the class's code (1000 + class index).
LRESULT AnswerIdentify(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex);

WNDPROC GetPreviousProc(HWND window, int classIndex);
void InstallSubclass(HWND window, WNDPROC reliefProc);
BOOL SubclassControl(HWND window, WORD classes, WORD atCreation, HWND parent);
BOOL UnsubclassTree(HWND window);
BOOL IsReliefParent(HWND window);
// The look is wanted by default below 3.95, or without DS_3DLOOK; the
// window may overrule that through RM_QUERYDIALOG.
BOOL QueryDialogLook(HWND window);
BOOL IsClass(HWND window, const char *className);
// The window's parent, or NULL for a top-level window (GetParent answers
// a popup's owner).
HWND ParentOf(HWND window);

// The one-shot hook of platform 16: the window gets reliefProc at its first
// message.
void InstallAtFirstMessage(HWND window, WNDPROC reliefProc);
LRESULT CALLBACK DialogFrameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
