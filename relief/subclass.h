// Subclassing: the window properties that carry a relief window's state,
// the per-class filters, dialog trees subclassed and released, the common
// outer shape of every relief procedure, and the ring a control's border
// leaves in its parent.
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
// then a window marked "RlfD" forwards everything, then the procedure's own
// messages, and everything else goes on to the previous procedure.
LRESULT ReliefDispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                       int classIndex, const ReliefMessage *table);
LRESULT ForwardMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex);
// Answers an identify message with the class's code (1000 + class index).
LRESULT AnswerIdentify(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex);

WNDPROC GetSavedProc(HWND window);
WNDPROC GetPreviousProc(HWND window, int classIndex);
BOOL HasReliefMark(HWND window, ATOM atom);
void InstallSubclass(HWND window, WNDPROC reliefProc);
LRESULT ForwardNcDestroy(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, int classIndex);
BOOL SubclassControl(HWND window, WORD classes, WORD atCreation, HWND parent);
void SubclassChild(HWND window, WORD classes, HWND parent);
BOOL UnsubclassTree(HWND window);
BOOL IsReliefParent(HWND window);
// The look is wanted by default below 3.95, or without DS_3DLOOK; the
// window may overrule that through RM_QUERYDIALOG.
BOOL QueryDialogLook(HWND window);

void InvalidateControlRing(HWND control, const WINDOWPOS *pending);
void ValidateControlRing(HWND control);

BOOL ButtonFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ListBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL EditFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ComboBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL StaticFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);
BOOL ComboLBoxFilter(HWND window, DWORD style, WORD classes, WORD atCreation, HWND parent);

// The one-shot hook of platform 16: the window gets reliefProc at its first
// message.
void InstallAtFirstMessage(HWND window, WNDPROC reliefProc);
LRESULT CALLBACK OneShotHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DialogFrameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
