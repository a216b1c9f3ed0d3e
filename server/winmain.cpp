// Process entry: one run of the program serves one request.
//
// Windows and their procedures:
//   frame window "JxrWin32Frame"   FrameWndProc      server/frame.cpp
//   Explorer-style child dialog    ExplorerHookProc  dialog/
//   old-style dialogs              OldStyleHookProc  dialog/
#include "server/server.h"
#include "server/transport.h"
#include "relief/relief.h"

// While the program waits for its request, the common dialogs load; then,
// if no request has come, the shell builds its system image list and folder
// icon, which the file dialog's first showing builds otherwise (a third of
// its time under Wine). A dialog already on its way builds them itself:
// waiting for this thread would make it later. Started before the frame
// window, this thread deadlocked Wine's creation of it (7 starts in 12).
static DWORD WINAPI PreloadCommonDialogs(LPVOID)
{
    SHFILEINFOA info;
    LoadLibraryA("comdlg32.dll");
    if (!IsServingRequest())
        SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                       SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return 0;
}

// A request sent while the frame window was made, taken by the first look
// into the queue: its dialog comes at once, and a preload would only compete
// with it for the processor and the loader.
static BOOL RequestIsWaiting(void)
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_DROPFILES, WM_DROPFILES, PM_NOREMOVE)
           || PeekMessageA(&msg, NULL, WM_FRAME_SERVE, WM_FRAME_SERVE, PM_NOREMOVE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    fReliefLook = 0;
    hInst = instance;
    RegisterFrameClass();   // a failure shows as the failed creation below
    HWND frame = CreateFrameWindow(cmdLine);
    if (frame) {
        if (!RequestIsWaiting()) {
            HANDLE preload = CreateThread(NULL, 0, PreloadCommonDialogs, NULL, 0, NULL);
            if (preload)
                CloseHandle(preload);
        }
        RunMessageLoop();
        EndCopiedRequests(frame);
    }
    if (fReliefLook)
        ReliefUnregister(hInst);
    return 0;
}
