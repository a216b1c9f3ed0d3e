// Demo of the server's start-up: starts it with a title, shows that its
// frame window exists with that title, closes it and reports the exit code.
#include <windows.h>
#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    const char *title = argc > 1 ? argv[1] : "File dialog server";
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    std::string exe = std::string(path, n);
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "jxrwin32.exe";
    std::string line = "\"" + exe + "\" " + title;

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(exe.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "cannot start %s\n", exe.c_str());
        return 2;
    }
    printf("started %s\n", line.c_str());
    HWND frame = NULL;
    for (int i = 0; i < 200 && !(frame = FindWindowA("JxrWin32Frame", title)); ++i)
        Sleep(50);
    if (!frame) {
        fprintf(stderr, "no frame window titled \"%s\"\n", title);
        TerminateProcess(pi.hProcess, 1);
        return 2;
    }
    char text[512] = "";
    GetWindowTextA(frame, text, sizeof text);
    printf("frame window %p: class JxrWin32Frame, title \"%s\", visible %s\n",
           (void *)frame, text, IsWindowVisible(frame) ? "yes" : "no");
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    printf("closed; server exit code %lu\n", code);
    return code == 0 ? 0 : 1;
}
