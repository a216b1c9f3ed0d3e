// Request benchmark: time from the client sending the request to the
// dialog being visible, for the server (the request sent as soon as its
// window shows, and sent to a server that has settled) and, alternating
// with it, for a program that calls GetOpenFileNameA itself on a message;
// the time a client feels, from starting the server to its dialog, against
// a program whose first act is the same dialog; and the time from
// confirming the dialog to the reply being received.
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
// does while it waits for a request; with fCold the first time is counted
// from the server's start, the request sent as soon as its window is found.
static bool ServerRun(DWORD settleMs, bool fCold, double *toDialog, double *toReply)
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
    double start = Now();
    HWND frame = JxrStartServer(nullptr, &pi, error, sizeof error);
    if (!list || !replyWindow || !frame) {
        fprintf(stderr, "request bench: %s\n", error);
        return false;
    }
    PumpWait(settleMs);
    if (!fCold)
        start = Now();
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

// The same dialog as the first act of a program, owned by a window of this
// process as the server's is by the client's.
static bool ColdBareRun(double *toDialog)
{
    ChildProcess bare;
    std::string exe = SiblingPath("bare_cold.exe");
    HWND owner = JxrCreateReplyWindow();
    std::string line = "\"" + exe + "\" " + std::to_string((INT_PTR)owner) + " request bench";
    double start = Now();
    if (!bare.Start(exe, line))
        return false;
    HWND dialog = WaitVisibleDialog(bare.pi.dwProcessId);
    *toDialog = Now() - start;
    PressCancel(dialog);
    for (int i = 0; i < 2000 && bare.WaitExit(0) == STILL_ACTIVE; ++i)
        PumpWait(5);        // the dialog's owner must answer while it goes
    DestroyWindow(owner);
    return dialog && bare.WaitExit(0) == 0;
}

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;
    CreateDirectoryA("C:\\jxrbench", nullptr);
    CloseHandle(CreateFileA("C:\\jxrbench\\a.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<double> atOnce, settled, bare, reply, cold, coldBare;
    for (int i = 0; i < runs; ++i) {
        double a, s, b, r, c, cb, ignored;
        if (!ServerRun(0, false, &a, &r) || !ServerRun(500, false, &s, &r)
            || !ServerRun(0, true, &c, &ignored)) {
            fprintf(stderr, "run %d: the server's request failed\n", i);
            return 1;
        }
        if (!BareRun(&b) || !ColdBareRun(&cb)) {
            fprintf(stderr, "run %d: the bare dialog failed\n", i);
            return 1;
        }
        cold.push_back(c);
        coldBare.push_back(cb);
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
    printf("server start to visible dialog, median of %d runs:\n", runs);
    printf("  GetOpenFileNameA at start    %8.1f ms\n", Median(coldBare));
    printf("  server, request at once      %8.1f ms  ratio %.3f\n", Median(cold),
           Median(cold) / Median(coldBare));
    printf("confirm to reply received: %.1f ms\n", Median(reply));
    return 0;
}
