// Servers that misbehave, for the client's tests: silent_server takes every
// request and never answers; lingering_server (built with REPLY_AND_STAY) answers
// each with the empty reply and then stays.
#include <windows.h>
#include "wire/protocol.h"

#define WM_ANSWER (WM_APP + 1)

static void Answer(HWND frame, HWND client)
{
    static BYTE empty[JXR_DROPLIST_HEADER_SIZE + 1] = {JXR_DROPLIST_HEADER_SIZE};
    COPYDATASTRUCT data = {JXR_COPYDATA_REPLY, sizeof empty, empty};
    DWORD_PTR ignored;
    SendMessageTimeoutA(client, WM_COPYDATA, (WPARAM)frame, (LPARAM)&data, SMTO_ABORTIFHUNG,
                        5000, &ignored);
}

static LRESULT CALLBACK SilentWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
#ifdef REPLY_AND_STAY
    case WM_COPYDATA: PostMessageA(window, WM_ANSWER, wParam, 0); return TRUE;
#else
    case WM_COPYDATA: return TRUE;
#endif
    case WM_ANSWER: Answer(window, (HWND)wParam); return 0;
    case WM_DROPFILES: return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = SilentWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = JXR_FRAME_CLASS;
    RegisterClassA(&wc);
    CreateWindowExA(0, JXR_FRAME_CLASS, cmdLine, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                    NULL, NULL, instance, NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) == 1)
        DispatchMessageA(&msg);
    return 0;
}
