// The request server: its globals and entry points.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include "wire/protocol.h"

extern HINSTANCE hInst;     // instance handed to WinMain
extern int fReliefLook;     // nonzero once a request switched the relief look on

// Frame window and message loop.
ATOM RegisterFrameClass(void);
HWND CreateFrameWindow(LPCSTR title);
LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void RunMessageLoop(void);

// Shell test, evaluated afresh at every call: nonzero on the new shell.
// Lives in a library of its own so a test build can answer "old shell".
int IsNewShell(void);

// Serves one request: dialog, reply, then the frame window is destroyed.
// The reply goes back the way the request came (REPLY_BY_*, transport.h);
// OnFileRequest serves a WM_DROPFILES request. A client that is no window
// gets a message box instead, and the program waits on.
void ServeFileRequest(HWND frame, HDROP request, HWND client, int replyBy);
void OnFileRequest(HWND frame, HDROP request, HWND client);
// Nonzero from a request's arrival to its reply (or its message box).
// The preload thread asks it too; a stale answer there only decides
// whether it warms the shell's image list.
BOOL IsServingRequest(void);
