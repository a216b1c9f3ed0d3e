// The import check's broken case: calls GetOpenFileNameW through the delay
// library linked by its file alone, without the options that keep the
// function's stub, as the shipped program was once linked. Never run.
#include <windows.h>
#include <commdlg.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    return GetOpenFileNameW(&ofn);
}
