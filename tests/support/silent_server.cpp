// A server that takes every request and never answers: the client's
// timeout is tested against it.
#include <windows.h>

static LRESULT CALLBACK SilentWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA: return TRUE;
    case WM_DROPFILES: DragFinish((HDROP)wParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SilentWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = "JxrWin32Frame";
    RegisterClassA(&wc);
    CreateWindowExA(0, "JxrWin32Frame", cmdLine, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                    NULL, NULL, instance, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) == 1)
        DispatchMessageA(&msg);
    return 0;
}
