// The frame window: its class, creation, window procedure and message loop.
#include "server/server.h"
#include "server/transport.h"
#include "server/answer.h"
#include "relief/relief.h"

// A message loop that cannot receive pauses between tries, and gives up
// after a second of nothing else.
#define LOOP_ERROR_PAUSE_MS 10
#define LOOP_ERROR_LIMIT 100

HINSTANCE hInst;
int fReliefLook;

ATOM RegisterFrameClass(void)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_MENU + 1);
    wc.lpszClassName = JXR_FRAME_CLASS;
    return RegisterClassA(&wc);
}

// Visible at creation, the show state from WinMain deliberately unused, and
// accepting dropped files from the start without a call into the shell.
HWND CreateFrameWindow(LPCSTR title)
{
    return CreateWindowExA(WS_EX_ACCEPTFILES, JXR_FRAME_CLASS, title,
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           NULL, NULL, hInst, NULL);
}

static LRESULT OnFrameDestroy(void)
{
    PostQuitMessage(0);
    return 0;
}

static LRESULT OnFrameSysColorChange(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (fReliefLook)
        ReliefColorChange();
    return DefWindowProcA(window, WM_SYSCOLORCHANGE, wParam, lParam);
}

// Under Wine a drop handle from another process arrives as a bare number:
// one that names a list of our own is no request, and stays ours.
static LRESULT OnFrameDropFiles(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!IsOwnDropList((HDROP)wParam))
        OnFileRequest(window, (HDROP)wParam, (HWND)lParam);
    return 0;
}

// From this process the record may be missing.
static LRESULT OnFrameCopyData(HWND window, WPARAM wParam, LPARAM lParam)
{
    const COPYDATASTRUCT *data = (const COPYDATASTRUCT *)lParam;
    if (!data || (data->dwData != JXR_COPYDATA_REQUEST
                  && data->dwData != JXR_COPYDATA_REQUEST_UTF8))
        return DefWindowProcA(window, WM_COPYDATA, wParam, lParam);
    return AcceptCopiedRequest(window, (HWND)wParam, data);
}

static LRESULT OnFrameServe(HWND window)
{
    ServeCopiedRequest(window);
    return 0;
}

static LRESULT OnFrameTimer(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (wParam == TIMER_WATCH_CLIENT)
        CheckWatchedClient();
    else if (wParam == TIMER_SCRIPTED_ANSWER)
        OnScriptedAnswerTimer(window);
    else
        return DefWindowProcA(window, WM_TIMER, wParam, lParam);
    return 0;
}

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:        return OnFrameDestroy();
    case WM_SYSCOLORCHANGE: return OnFrameSysColorChange(window, wParam, lParam);
    case WM_DROPFILES:      return OnFrameDropFiles(window, wParam, lParam);
    case WM_COPYDATA:       return OnFrameCopyData(window, wParam, lParam);
    case WM_FRAME_SERVE:    return OnFrameServe(window);
    case WM_TIMER:          return OnFrameTimer(window, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Runs until WM_QUIT. GetMessage answers -1 for a message it cannot
// receive (Wine: one sent from another process with more than about 2 MB);
// the loop goes on after a pause, and ends only after a run of errors with
// no message between them, which only a broken queue gives.
void RunMessageLoop(void)
{
    MSG msg;
    int errors = 0;
    for (;;) {
        BOOL result = GetMessageA(&msg, NULL, 0, 0);
        if (result == 0)
            return;
        if (result == -1) {
            if (++errors == LOOP_ERROR_LIMIT)
                return;
            Sleep(LOOP_ERROR_PAUSE_MS);
            continue;
        }
        errors = 0;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
