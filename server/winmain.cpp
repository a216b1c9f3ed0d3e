// Process entry: one run of the program serves one request.
//
// Windows and their procedures:
//   frame window "JxrWin32Frame"   FrameWndProc      server/frame.cpp
//   Explorer-style child dialog    ExplorerHookProc  dialog/
//   old-style dialogs              OldStyleHookProc  dialog/
#include "server/server.h"
#include "relief/relief.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    fReliefLook = 0;
    hInst = instance;
    RegisterFrameClass();   // a failure shows as the failed creation below
    HWND frame = CreateFrameWindow(cmdLine);
    if (frame) {
        DragAcceptFiles(frame, TRUE);
        RunMessageLoop();
    }
    if (fReliefLook)
        ReliefUnregister(hInst);
    return 0;
}
