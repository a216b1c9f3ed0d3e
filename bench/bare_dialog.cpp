// Baseline of the request benchmark: a program that shows the same Open
// dialog the server would, straight from GetOpenFileNameA, once it is told
// to (a message to its window), like a server that has its request.
#include <windows.h>
#include <commdlg.h>

static LRESULT CALLBACK BareWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP)
        return DefWindowProcA(window, message, wParam, lParam);
    char file[4096] = "";
    char initialDir[] = "C:\\jxrbench";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = (HWND)lParam;
    ofn.lpstrFilter = "Text files\0*.txt\0All files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir;
    ofn.lpstrTitle = "request bench";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    GetOpenFileNameA(&ofn);
    DestroyWindow(window);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BareWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = "BareDialog";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "BareDialog", cmdLine, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                                  NULL, NULL, instance, NULL);
    MSG msg;
    while (window && IsWindow(window) && GetMessageA(&msg, NULL, 0, 0) == 1)
        DispatchMessageA(&msg);
    return 0;
}
