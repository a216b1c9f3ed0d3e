// Server thread, client window and plain requests (see inprocess.h).
#include "support/inprocess.h"
#include "res/resource.h"
#include "support/dialogdriver.h"
#include "support/testrequest.h"

ServerThread::ServerThread(const char *title)
{
    thread.Start([this, title] {
        exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR)title, SW_SHOW);
    });
    frame = WaitForWindow(GetCurrentProcessId(), "JxrWin32Frame", title, 10000);
}

bool ServerThread::WaitExit(DWORD timeoutMs)
{
    return thread.Join(timeoutMs);
}

int ServerThread::Close()
{
    PostMessageA(frame, WM_CLOSE, 0, 0);
    return WaitExit() ? exitCode : -1;
}

namespace {
const char kClientClass[] = "JxrTestClient";

void KeepReply(ClientWindow *client, HDROP list)
{
    client->nullReply = !list;
    client->reply = list ? ReadDropList(list) : std::vector<std::string>();
    if (list)
        DragFinish(list);
    client->replies++;
    SetEvent(client->replied);
}

// In one process the block is the server's own, locked in its place.
LRESULT OnCopiedReply(HWND window, ClientWindow *client, HWND frame, const COPYDATASTRUCT *data)
{
    if (client->fEchoReply)
        SendMessageA(frame, WM_DROPFILES, (WPARAM)GlobalHandle(data->lpData), (LPARAM)window);
    KeepReply(client, data->cbData ? DropListFromBlock(data->lpData, data->cbData) : nullptr);
    return TRUE;
}

LRESULT CALLBACK ClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          (LONG_PTR)((CREATESTRUCTA *)lParam)->lpCreateParams);
    ClientWindow *client = (ClientWindow *)GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_DROPFILES:
        KeepReply(client, (HDROP)wParam);
        return 0;
    case WM_COPYDATA:
        return OnCopiedReply(window, client, (HWND)wParam, (const COPYDATASTRUCT *)lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

ClientWindow::ClientWindow()
{
    replied = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    thread.Start([this, ready] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ClientProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClientClass;
        RegisterClassA(&wc);
        window = CreateWindowExA(0, kClientClass, "client", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                 nullptr, nullptr, wc.hInstance, this);
        SetEvent(ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(window);
    });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

ClientWindow::~ClientWindow()
{
    PostThreadMessageA(GetThreadId(thread.handle), WM_QUIT, 0, 0);
    thread.Join();
    CloseHandle(replied);
}

void ClientWindow::Request(HWND frame, HDROP request)
{
    if (!fCopyData) {
        PostMessageA(frame, WM_DROPFILES, (WPARAM)request, (LPARAM)window);
        return;
    }
    COPYDATASTRUCT data = {(ULONG_PTR)(fUnicode ? JXR_COPYDATA_REQUEST_UTF8 : JXR_COPYDATA_REQUEST),
                           (DWORD)GlobalSize(request), GlobalLock(request)};
    EXPECT_EQ(SendMessageA(frame, WM_COPYDATA, (WPARAM)window, (LPARAM)&data), TRUE);
    GlobalUnlock(request);
    DragFinish(request);
}

bool ClientWindow::WaitReply(DWORD timeoutMs)
{
    return WaitForSingleObject(replied, timeoutMs) == WAIT_OBJECT_0;
}

std::vector<std::string> PlainRequest(const std::string &title, const std::string &directory)
{
    return {"OPEN", "-", "4\nText files\n*.TXT\nAll files\n*.*", "0", "0", "1", "0", "260",
            "0", "0", "1\n" + directory, "1\n" + title, "0", "0", "0", "0", "0", "0",
            "0", "0", "0"};
}

HWND ServedRequest::Send(const std::vector<std::string> &slots, const char *title)
{
    client.Request(server.frame, TestRequest(slots).Release());
    return WaitForDialog(GetCurrentProcessId(), client.window, title);
}

bool ServedRequest::Answer(const std::vector<std::string> &slots, const char *title,
                           const std::vector<std::string> &names, bool fClickCheckBox)
{
    HWND dialog = Send(slots, title);
    if (!dialog || (fClickCheckBox && !ClickButton(CustomControl(dialog, IDC_CHECKBOX))))
        return false;
    if (names.empty())
        PressCancel(dialog);
    else if (!(names.size() == 1 ? TypeFileName(dialog, names[0]) : TypeFileNames(dialog, names)))
        return false;
    else
        PressOk(dialog);
    return client.WaitReply();
}

void ServedRequest::ExpectEndedNormally()
{
    EXPECT_TRUE(server.WaitExit());
    EXPECT_EQ(server.exitCode, 0);
    EXPECT_FALSE(IsWindow(server.frame));
}

std::vector<std::string> CustomisedRequest(const std::string &title, const std::string &directory,
                                           const char *checkState)
{
    std::vector<std::string> slots = PlainRequest(title, directory);
    slots[JXR_SLOT_FLAGS] = std::to_string(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE);
    slots[JXR_SLOT_WORKBOOKS] = "2\nBook1.xls\n1\nPlain.xls\n0";
    slots[JXR_SLOT_SHOW_CHECK_BOX] = "1";
    slots[JXR_SLOT_CHECK_STATE] = checkState;
    slots[JXR_SLOT_CHECK_BOX_TEXT] = "1\nKeep a copy";
    slots[JXR_SLOT_LABEL] = "1\n&Workbooks:";
    slots[JXR_SLOT_NOTE] = "1\nA note";
    return slots;
}

std::vector<std::string> RequestWith(const std::string &title, const std::string &directory,
                                     const char *customisedCheck,
                                     const std::vector<std::pair<int, std::string>> &changes)
{
    std::vector<std::string> slots = customisedCheck
                                     ? CustomisedRequest(title, directory, customisedCheck)
                                     : PlainRequest(title, directory);
    for (auto &change : changes)
        slots[change.first] = change.second;
    return slots;
}
