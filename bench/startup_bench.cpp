// Start-up benchmark: time from CreateProcess to the frame window being
// found by its title, for the server and for a minimal window program,
// alternating runs so both see the same machine load.
#include <windows.h>
#include "benchutil.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

static std::string Sibling(const char *name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

// Milliseconds until a window of the class shows the title; -1 on failure.
static double TimeStartup(const std::string &exe, const char *className, int run)
{
    char title[64];
    sprintf(title, "startup bench %d", run);
    std::string line = "\"" + exe + "\" " + title;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    double start = Now();
    if (!CreateProcessA(exe.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    HWND window = NULL;
    while (!(window = FindWindowA(className, title)) && Now() - start < 20000)
        Sleep(1);
    double elapsed = Now() - start;
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return window ? elapsed : -1;
}

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;
    std::vector<double> server, minimal;
    std::string serverExe = Sibling("jxrwin32.exe"), minimalExe = Sibling("minimal_window.exe");
    TimeStartup(serverExe, "JxrWin32Frame", -1);        // warm the file cache
    TimeStartup(minimalExe, "MinimalWindow", -1);
    for (int i = 0; i < runs; ++i) {
        double s = TimeStartup(serverExe, "JxrWin32Frame", i);
        double m = TimeStartup(minimalExe, "MinimalWindow", i);
        if (s < 0 || m < 0) {
            fprintf(stderr, "run %d: a window did not appear\n", i);
            return 1;
        }
        server.push_back(s);
        minimal.push_back(m);
    }
    double ms = Median(server), mm = Median(minimal);
    printf("start-up to frame window, median of %d runs:\n", runs);
    printf("  server          %8.1f ms\n", ms);
    printf("  minimal window  %8.1f ms\n", mm);
    printf("  ratio           %8.3f\n", ms / mm);
    return 0;
}
