// Client and server in one process: the server's WinMain on a thread of
// its own, a client window on another, and request and reply travelling
// between them as WM_DROPFILES, whose drop handles are valid on every
// thread of the process, or as WM_COPYDATA blocks.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "support/testsupport.h"
#include "wire/protocol.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

struct ServerThread {
    TestThread thread;
    int exitCode = -1;
    HWND frame = nullptr;   // null when the frame did not appear

    explicit ServerThread(const char *title);
    DWORD ThreadId() const { return GetThreadId(thread.handle); }
    // True once WinMain has returned.
    bool WaitExit(DWORD timeoutMs = 10000);
    // Closes the frame window; returns WinMain's result, or -1.
    int Close();
};

// A top-level window on a thread of its own that sends requests and keeps
// the replies that arrive, by WM_DROPFILES or by WM_COPYDATA.
struct ClientWindow {
    TestThread thread;
    HWND window = nullptr;
    HANDLE replied = nullptr;
    int replies = 0;
    bool nullReply = false;           // the last reply came without a list
    std::vector<std::string> reply;   // the strings of the last reply
    bool fCopyData = false;           // requests go by WM_COPYDATA, as from another process
    bool fUnicode = false;            // ... as Unicode requests
    bool fEchoReply = false;          // a WM_COPYDATA reply's block is first sent back
                                      // to the server as a WM_DROPFILES request

    ClientWindow();
    ~ClientWindow();
    // Posts a request to the frame window with this window in lParam; the
    // list passes to the server. With fCopyData its block is sent instead.
    void Request(HWND frame, HDROP request);
    bool WaitReply(DWORD timeoutMs = 10000);
};

// The 21 slots of an Open request without hook or template: two filters,
// a 260-byte file buffer, the initial directory and the dialog's title.
std::vector<std::string> PlainRequest(const std::string &title, const std::string &directory);
// The same with the program's template and hook enabled, the check box
// shown in the given state, two workbooks, a label and a note.
std::vector<std::string> CustomisedRequest(const std::string &title, const std::string &directory,
                                           const char *checkState);
// The plain request (customisedCheck null) or the customised one, with
// some slots changed.
std::vector<std::string> RequestWith(const std::string &title, const std::string &directory,
                                     const char *customisedCheck,
                                     const std::vector<std::pair<int, std::string>> &changes);

// A server and a client for one request.
struct ServedRequest {
    ServerThread server{"served in process"};
    ClientWindow client;

    // Sends the request and waits for the dialog with the given title.
    HWND Send(const std::vector<std::string> &slots, const char *title);
    // Sends the request and answers its dialog as a user would: clicks the
    // check box of the customised dialog when asked, types the names (several
    // as a multi-select list) and presses OK, or Cancel without names; true
    // once the reply has come.
    bool Answer(const std::vector<std::string> &slots, const char *title,
                const std::vector<std::string> &names, bool fClickCheckBox = false);
    // The server destroyed its frame and WinMain returned 0.
    void ExpectEndedNormally();
};

// A test with a folder holding A.TXT and B.TXT (one per process, so tests
// may run side by side) ...
struct WithFolder : testing::Test {
    TestFolder folder{"C:\\jxr-run-" + std::to_string(GetCurrentProcessId()), {"A.TXT", "B.TXT"}};
};
// ... and a server and a client.
struct ServedInProcess : WithFolder, ServedRequest {};
