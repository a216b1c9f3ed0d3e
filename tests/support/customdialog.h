// Runs the customised file dialog in the test's own process, set up as the
// server sets it up for a request: our templates from the test module (it
// links the resources), our hook procedures, a DialogExtras in lCustData.
// The shell the test build links decides Explorer style or old style.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <functional>
#include <mutex>
#include <string>
#include <vector>
#include "dialog/dialogextras.h"

// What the request asks for: the client's Flags and the extras' slots.
struct CustomRequest {
    // The server's size; the full size gives current systems' dialog, whose
    // file name box is cmb13 and which has no edt1.
    DWORD structSize = OPENFILENAME_SIZE_VERSION_400W;
    bool save = false;
    DWORD flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    std::string workbooks = "0";
    int showCheckBox = 0;
    int checkState = 0;
    std::string checkBoxText = "Check";
    std::string label = "Label";
    bool hasNote = false;
    std::string note;
    std::string initialDir;     // empty: the platform's choice
};

// A message sent on the dialog's thread, as a WH_CALLWNDPROC hook saw it:
// item messages to the workbook combo box, position changes and item
// drawing of the dialog that holds our controls, WM_CONTEXTMENU to any window.
struct SentMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;   // CB_ADDSTRING's string, in UTF-8
    WINDOWPOS pos;      // WM_WINDOWPOSCHANGING's position
    DRAWITEMSTRUCT draw; // WM_DRAWITEM's item
};

struct DialogRun {
    CustomRequest request;
    DialogExtras extras{};
    OPENFILENAMEW ofn{};
    WCHAR file[1024] = L"";
    std::string title = "Customised dialog under test";
    std::wstring wideTitle, wideDir;
    std::vector<SentMessage> sent;     // read it through Sent while the dialog runs
    std::mutex sentLock;
    BOOL result = FALSE;

    explicit DialogRun(const CustomRequest &r) : request(r) {}
    // Shows the dialog on this thread; drive runs on another thread with
    // the dialog once it is up. The dialog is cancelled if drive leaves it
    // open; the test fails unless one with our controls appears. Returns what
    // GetOpenFileNameW/GetSaveFileNameW returned.
    BOOL Run(const std::function<void(HWND dialog)> &drive);
    // The recorded messages of one kind so far.
    std::vector<SentMessage> Sent(UINT message);
};

// A folder in the temporary folder of the prefix's drive C with the given
// (empty) files, removed when the object goes; named after the process
// unless a name is given.
struct TempFolder {
    std::string path;
    explicit TempFolder(const std::vector<std::string> &files, const std::string &name = "");
    ~TempFolder();
};
