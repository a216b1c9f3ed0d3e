// Baseline of the cold request benchmark: a program whose first act is the
// Open dialog the server would show, with the same fields. Its command line
// is the owner's window handle, then the title.
#include <windows.h>
#include <commdlg.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int)
{
    char file[4096] = "";
    char initialDir[] = "C:\\jxrbench";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = (HWND)(INT_PTR)strtoll(cmdLine, &cmdLine, 0);
    while (*cmdLine == ' ')
        cmdLine++;
    ofn.lpstrFilter = "Text files\0*.txt\0All files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir;
    ofn.lpstrTitle = cmdLine;
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    GetOpenFileNameA(&ofn);
    return 0;
}
