/* Hooks that a two-process test sets on the server's thread, where the
 * system loads this library: they act at the moment the frame takes a
 * request (a WM_COPYDATA; Wine hands the hooks its data in another form),
 * which no message from outside can reach in time. */
#include <windows.h>

/* After the frame took a request: its client's window is closed before
 * the server can serve it. */
__declspec(dllexport) LRESULT CALLBACK CloseClientAfterRequest(int code, WPARAM wParam,
                                                               LPARAM lParam)
{
    const CWPRETSTRUCT *m = (const CWPRETSTRUCT *)lParam;
    DWORD_PTR ignored;
    if (code == HC_ACTION && m->message == WM_COPYDATA)
        SendMessageTimeoutA((HWND)m->wParam, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

/* Before the frame takes a request: a quit message that ends the message
 * loop before the request is served. */
__declspec(dllexport) LRESULT CALLBACK QuitBeforeRequest(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && ((const CWPSTRUCT *)lParam)->message == WM_COPYDATA)
        PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
    return CallNextHookEx(NULL, code, wParam, lParam);
}
