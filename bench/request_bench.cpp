// Request benchmark: time from the client sending the request to the
// dialog being visible, for the server (the request sent as soon as its
// window shows, and sent to a server that has settled) and, alternating
// with it, for a program that calls GetOpenFileNameA itself on a message;
// and the time from confirming the dialog to the reply being received.
#include <windows.h>
#include "benchutil.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "client/jxrclient.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

static HWND WaitVisibleDialog(DWORD pid)
{
    for (int i = 0; i < 20000; ++i) {
        HWND d = WaitForDialog(pid, nullptr, "request bench", 0);
        if (d)
            return d;
        PumpWait(1);
    }
    return nullptr;
}

// One served request: returns request-to-dialog and confirm-to-reply times.
// settleMs lets the server finish loading the common dialogs first, as it
// does while it waits for a request.
static bool ServerRun(DWORD settleMs, double *toDialog, double *toReply)
{
    JxrFilter filters[] = {{"Text files", "*.txt"}, {"All files", "*.*"}};
    JxrRequest r;
    JxrRequestInit(&r);
    r.filters = filters;
    r.filterCount = 2;
    r.initialDir = "C:\\jxrbench";
    r.title = "request bench";
    char error[256];
    HGLOBAL list = JxrBuildRequest(&r, error, sizeof error);
    HWND replyWindow = JxrCreateReplyWindow();
    PROCESS_INFORMATION pi;
    HWND frame = JxrStartServer(nullptr, &pi, error, sizeof error);
    if (!list || !replyWindow || !frame) {
        fprintf(stderr, "request bench: %s\n", error);
        return false;
    }
    PumpWait(settleMs);
    double start = Now();
    JxrSendRequest(frame, replyWindow, list, JXR_TRANSPORT_AUTO, error, sizeof error);
    HWND dialog = WaitVisibleDialog(pi.dwProcessId);
    *toDialog = Now() - start;
    TypeFileName(dialog, "a.txt");
    start = Now();
    PressOk(dialog);
    JxrReply reply;
    int result = JxrWaitReply(replyWindow, pi.hProcess, 10000, 0, &reply, error, sizeof error);
    *toReply = Now() - start;
    JxrReplyFree(&reply);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DestroyWindow(replyWindow);
    return dialog && result == JXR_CONFIRMED;
}

static bool BareRun(double *toDialog)
{
    ChildProcess bare;
    std::string exe = SiblingPath("bare_dialog.exe");
    if (!bare.Start(exe, "\"" + exe + "\" bare bench"))
        return false;
    HWND window = WaitForWindow(bare.pi.dwProcessId, "BareDialog", "bare bench", 10000, false);
    double start = Now();
    PostMessageA(window, WM_APP, 0, 0);
    HWND dialog = WaitVisibleDialog(bare.pi.dwProcessId);
    *toDialog = Now() - start;
    PressCancel(dialog);
    return dialog && bare.WaitExit(10000) == 0;
}

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;
    CreateDirectoryA("C:\\jxrbench", nullptr);
    CloseHandle(CreateFileA("C:\\jxrbench\\a.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<double> atOnce, settled, bare, reply;
    for (int i = 0; i < runs; ++i) {
        double a, s, b, r;
        if (!ServerRun(0, &a, &r) || !ServerRun(500, &s, &r)) {
            fprintf(stderr, "run %d: the server's request failed\n", i);
            return 1;
        }
        if (!BareRun(&b)) {
            fprintf(stderr, "run %d: the bare dialog failed\n", i);
            return 1;
        }
        atOnce.push_back(a);
        settled.push_back(s);
        reply.push_back(r);
        bare.push_back(b);
    }
    double base = Median(bare);
    printf("request to visible dialog, median of %d runs:\n", runs);
    printf("  GetOpenFileNameA             %8.1f ms\n", base);
    printf("  server, settled              %8.1f ms  ratio %.3f\n", Median(settled),
           Median(settled) / base);
    printf("  server, sent at its start    %8.1f ms  ratio %.3f\n", Median(atOnce),
           Median(atOnce) / base);
    printf("confirm to reply received: %.1f ms\n", Median(reply));
    return 0;
}
