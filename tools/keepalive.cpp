// Keeps Wine's desktop process alive for a test run: started first, with
// its output discarded, it makes Wine launch the desktop process on its
// behalf, so that no test's output pipe is inherited by it (CTest would
// wait for that pipe until the desktop process idles out).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND window = CreateWindowExA(0, "STATIC", "jxr keepalive", WS_POPUP, 0, 0, 1, 1,
                                  NULL, NULL, NULL, NULL);
    MSG msg;
    while (window && GetMessageA(&msg, NULL, 0, 0) == 1)
        DispatchMessageA(&msg);
    return 0;
}
