// The customised file dialog in the test's process (see customdialog.h).
#include "support/customdialog.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"
#include "dialog/dialog.h"
#include "server/server.h"
#include <gtest/gtest.h>

namespace {
DialogRun *running;     // the innermost run, whose messages the hooks record

bool IsWorkbookCombo(HWND window)
{
    return GetDlgCtrlID(window) == IDC_WORKBOOKS && ClassOf(window) == "ComboBox";
}

bool IsRecorded(const CWPSTRUCT *m)
{
    switch (m->message) {
    case CB_ADDSTRING:
    case CB_SETITEMDATA:
    case CB_SETCURSEL:
    case CB_RESETCONTENT:     return IsWorkbookCombo(m->hwnd);
    case WM_WINDOWPOSCHANGING:
    case WM_DRAWITEM:         return GetDlgItem(m->hwnd, IDC_WORKBOOKS) != nullptr;
    case WM_CONTEXTMENU:      return true;
    }
    return false;
}

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *m = (const CWPSTRUCT *)lParam;
    if (code == HC_ACTION && running && IsRecorded(m)) {
        SentMessage s{m->hwnd, m->message, m->wParam, m->lParam, {}, {}, {}};
        if (m->message == CB_ADDSTRING)
            s.text = Utf8((const WCHAR *)m->lParam);
        if (m->message == WM_WINDOWPOSCHANGING)
            s.pos = *(const WINDOWPOS *)m->lParam;
        if (m->message == WM_DRAWITEM)
            s.draw = *(const DRAWITEMSTRUCT *)m->lParam;
        std::lock_guard<std::mutex> hold(running->sentLock);
        running->sent.push_back(s);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}

BOOL DialogRun::Run(const std::function<void(HWND dialog)> &drive)
{
    extras.lpstrWorkbooks = (char *)request.workbooks.c_str();
    extras.fShowCheckBox = request.showCheckBox;
    extras.nCheckState = request.checkState;
    extras.lpstrLabel = (char *)request.label.c_str();
    extras.lpstrCheckBoxText = (char *)request.checkBoxText.c_str();
    extras.lpstrNote = request.hasNote ? (char *)request.note.c_str() : nullptr;

    // The server's choice of style, template and hook.
    wideTitle.assign(title.begin(), title.end());
    wideDir.assign(request.initialDir.begin(), request.initialDir.end());
    ofn.lStructSize = request.structSize;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = L"All files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file / sizeof *file;
    ofn.lpstrTitle = wideTitle.c_str();
    ofn.lpstrInitialDir = wideDir.empty() ? nullptr : wideDir.c_str();
    ofn.lCustData = (LPARAM)&extras;
    ofn.Flags = request.flags | OFN_EXPLORER;
    if (IsNewShell()) {
        ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_EXPLORER_EXTRAS);
        ofn.lpfnHook = ExplorerHookProc;
    } else {
        ofn.Flags &= ~OFN_EXPLORER;
        if (ofn.Flags & OFN_ALLOWMULTISELECT) {
            ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_OLDSTYLE_MULTI);
        } else {
            ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_OLDSTYLE_SINGLE);
            ofn.Flags |= OFN_LONGNAMES;
        }
        ofn.lpfnHook = OldStyleHookProc;
    }

    TestThread driver;
    bool shown = false;
    driver.Start([this, &drive, &shown] {
        // Wine shows the Explorer-style dialog without a child template it
        // cannot find: only our controls make it the dialog under test.
        HWND dialog = WaitForDialog(GetCurrentProcessId(), nullptr, title.c_str());
        shown = dialog && CustomControl(dialog, IDC_WORKBOOKS);
        if (shown)
            drive(dialog);
        if (dialog && IsWindow(dialog))
            PressCancel(dialog);
    });
    DialogRun *outer = running;
    running = this;
    HHOOK recorder = SetWindowsHookExW(WH_CALLWNDPROC, RecordSent, nullptr, GetCurrentThreadId());
    result = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    DWORD error = CommDlgExtendedError();
    UnhookWindowsHookEx(recorder);
    running = outer;
    driver.Join();
    EXPECT_TRUE(shown) << "no dialog with our controls appeared; the dialog returned " << result
                       << ", extended error 0x" << std::hex << error;
    return result;
}

std::vector<SentMessage> DialogRun::Sent(UINT message)
{
    std::lock_guard<std::mutex> hold(sentLock);
    std::vector<SentMessage> kind;
    for (const SentMessage &s : sent)
        if (s.message == message)
            kind.push_back(s);
    return kind;
}

TempFolder::TempFolder(const std::vector<std::string> &files, const std::string &name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    path = temp + (name.empty() ? "jxr" + std::to_string(GetCurrentProcessId()) : name);
    CreateDirectoryA(path.c_str(), nullptr);
    for (const std::string &f : files)
        CloseHandle(CreateFileA((path + "\\" + f).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((path + "\\" + fd.cFileName).c_str());
        while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}
