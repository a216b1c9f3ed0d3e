// Process entry: one run of the program serves one request.
//
// Windows and their procedures:
//   frame window "JxrWin32Frame"   FrameWndProc      server/frame.cpp
//   Explorer-style child dialog    ExplorerHookProc  dialog/
//   old-style dialogs              OldStyleHookProc  dialog/
#include "server/server.h"
#include "server/transport.h"
#include "relief/relief.h"

// The common dialogs load while the program waits for its request, not in
// the way of its start-up: the frame appears first, the library follows.
static DWORD WINAPI PreloadCommonDialogs(LPVOID)
{
    LoadLibraryA("comdlg32.dll");
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    fReliefLook = 0;
    hInst = instance;
    RegisterFrameClass();   // a failure shows as the failed creation below
    HWND frame = CreateFrameWindow(cmdLine);
    if (frame) {
        HANDLE preload = CreateThread(NULL, 0, PreloadCommonDialogs, NULL, 0, NULL);
        if (preload)
            CloseHandle(preload);
        DragAcceptFiles(frame, TRUE);
        RunMessageLoop();
        CancelCopiedRequest(frame);
    }
    if (fReliefLook)
        ReliefUnregister(hInst);
    return 0;
}
