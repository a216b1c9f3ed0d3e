// Client and server in two processes: the real server program, the real
// command-line client, and requests and replies as WM_COPYDATA blocks.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include <string>
#include <vector>
#include "client/jxrclient.h"
#include "wire/droplist.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"
#include "res/resource.h"

namespace {

std::string Unique(const char *what)
{
    return std::string(what) + " " + std::to_string(GetCurrentProcessId());
}

struct CliRun {
    ChildProcess child;
    std::string title;
    DWORD exitCode = STILL_ACTIVE;

    // Starts the command-line client with the options after the program.
    CliRun(const std::string &title, const std::string &options) : title(title)
    {
        std::string exe = SiblingPath("jxrdialog.exe");
        child.Start(exe, "\"" + exe + "\" --title \"" + title + "\" " + options, true);
    }
    HWND Dialog() { return WaitForDialog(0, nullptr, title.c_str(), 15000); }
    std::string Finish()
    {
        exitCode = child.WaitExit(20000);
        return child.Output();
    }
};

struct TwoProcesses : testing::Test {
    TestFolder folder{"C:\\jxr-two-" + std::to_string(GetCurrentProcessId()),
                      {"A.TXT", "B.TXT"}};
    std::string InDir() { return "--initial-dir \"" + folder.path + "\" "; }
};

// Replaces "{A}", "{B}" and "{dir}" by the folder's files and path.
std::string InFolder(std::string text, const TestFolder &folder)
{
    for (const char *file : {"A", "B"}) {
        std::string mark = std::string("{") + file + "}";
        for (size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), folder.File(std::string(file) + ".TXT"));
    }
    for (size_t at; (at = text.find("{dir}")) != std::string::npos;)
        text.replace(at, 5, folder.path);
    return text;
}

// What is done to the dialog before OK (or Cancel): the check box clicked;
// a reply forged by another process on the desktop, a WM_DROPFILES posted
// to the client's reply window.
enum { OK, CANCEL, CHECK, FORGE };

// The command-line client against the real server: options, what the user
// (or another process) does, what the client prints and its exit status.
// The platform's dialog crashes on the initial directories of the last rows;
// it opens where it chooses. The program is named by the command line
// alone, which may exceed MAX_PATH, and the title follows the whole path.
TEST_F(TwoProcesses, OptionsActionsOutputAndExitStatus)
{
    const std::string oldShell = "--server \"" + SiblingPath("jxrwin32_oldshell.exe") + "\" ";
    const std::string longName(200, 'n');
    std::string longPath = SiblingPath("jxrwin32.exe");
    while (longPath.size() < 400)
        longPath.insert(longPath.rfind('\\'), "\\x\\..");
    struct Row {
        std::string options;
        std::vector<std::string> names;     // typed before OK, several as a multi-selection
        int action;
        std::string output;
        DWORD exitCode;
    };
    std::vector<Row> cases = {
        {"--filter \"Text|*.txt\" --filter \"All|*.*\" --filter-index 2", {"A.TXT"}, OK,
         "0\n2\n{A}\n", 0},
        {"", {}, CANCEL, "", 1},
        {"--save --file new.txt", {}, OK, "0\n1\n{dir}\\new.txt\n", 0},
        {"--multi", {"A.TXT", "B.TXT"}, OK, "0\n1\n{dir}\n{A}\n{B}\n", 0},
        {"--checked", {"B.TXT"}, OK, "1\n1\n{B}\n", 0},     // the request's state, without hook
        {"--check-box Keep --workbook Book1.xls", {"A.TXT"}, CHECK, "1\n1\n{A}\n", 0},
        {"--check-box Keep " + oldShell, {"A.TXT"}, CHECK, "1\n1\n{A}\n", 0},
        {"", {"A.TXT"}, FORGE, "0\n1\n{A}\n", 0},
        {"--file-size 2147483647 --file " + longName, {"A.TXT"}, OK, "0\n1\n{A}\n", 0},
        {"--server \"" + longPath + "\"", {}, CANCEL, "", 1},
    };
    for (std::string dir : {"CON", "NUL", "COM1", "LPT1", "CONIN$", "C:\\windows\\CON"})
        cases.push_back({"--initial-dir " + dir, {}, CANCEL, "", 1});
    for (size_t length : {1000, 2000, 4000, 9000})
        cases.push_back({"--initial-dir C:\\" + std::string(length, 'd'), {}, CANCEL, "", 1});
    for (auto &c : cases) {
        SCOPED_TRACE(c.options.substr(0, 60) + " action " + std::to_string(c.action));
        CliRun cli(Unique("options"), InDir() + c.options + " --timeout 30");
        HWND dialog = cli.Dialog();
        ASSERT_NE(dialog, nullptr);
        if (c.action == CHECK) {
            ASSERT_TRUE(ClickButton(CustomControl(dialog, IDC_CHECKBOX)));
        }
        if (c.action == FORGE) {
            HWND reply = WaitForWindow(cli.child.pi.dwProcessId, "JxrClientReply", nullptr, 5000,
                                       false);
            ASSERT_TRUE(PostMessageA(reply, WM_DROPFILES, (WPARAM)reply, 0));
            PumpWait(300);
        }
        bool typed = c.names.size() > 1 ? TypeFileNames(dialog, c.names)
                     : c.names.empty() || TypeFileName(dialog, c.names[0]);
        ASSERT_TRUE(typed);
        if (c.action == CANCEL)
            PressCancel(dialog);
        else
            PressOk(dialog);
        EXPECT_EQ(cli.Finish(), InFolder(c.output, folder));
        EXPECT_EQ(cli.exitCode, c.exitCode) << cli.child.Errors();
    }
}

// Scripted answers (JXR_ANSWER, which the server inherits through the
// client): given through the dialog itself; a fault is told in one line on
// standard error, which the client hands the server, and answered as a
// cancel.
TEST_F(TwoProcesses, ScriptedAnswersGoThroughTheDialog)
{
    const std::string two = "--filter \"Text|*.txt\" --filter \"All|*.*\" ";
    const std::string fault = "jxrwin32: JXR_ANSWER: ";
    struct {
        const char *script;
        std::string options, output;
        DWORD exitCode;
        std::string errors;     // how the one line of standard error begins
    } cases[] = {
        {"file=A.TXT", "", "0\n1\n{A}\n", 0, ""},
        {"file=A.TXT|file=B.TXT", "--multi", "0\n1\n{dir}\n{A}\n{B}\n", 0, ""},
        {"check=1|file=B.TXT|filter=2", two + "--check-box Keep", "1\n2\n{B}\n", 0, ""},
        {"cancel", "", "", 1, ""},
        {"file=C.TXT", "--flags 0x1000", "", 1, fault + "the dialog did not take the answer: "},
        // A name an ANSI client cannot use, refused with our hook and without.
        {"file=new😀.txt", "--ansi --save --check-box Keep", "", 1, fault + "the dialog did not"},
        {"file=new😀.txt", "--ansi --save", "", 1, fault + "the dialog did not take the answer: "},
        {"file=A.TXT|check=1", "", "", 1, fault + "check= but the dialog shows no check box\n"},
        {"file=A.TXT|filter=3", two, "", 1, fault + "filter= names a filter the dialog"},
        {"file=A.TXT|colour=red", "", "", 1, fault + "unknown field;"},
        {"file=A.TXT|check=2", "", "", 1, fault + "check= takes 0 or 1, once\n"},
        {"filter=1|filter=1|file=A.TXT", "", "", 1, fault + "filter= takes"},
        {"check=1", "", "", 1, fault + "an answer that confirms needs file=NAME\n"},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.script);
        SetEnvironmentVariableW(L"JXR_ANSWER", Wide(c.script).c_str());
        CliRun cli(Unique("scripted"), InDir() + c.options + " --timeout 30");
        SetEnvironmentVariableA("JXR_ANSWER", nullptr);
        EXPECT_EQ(cli.Finish(), InFolder(c.output, folder));
        EXPECT_EQ(cli.exitCode, c.exitCode);
        std::string errors = cli.child.Errors();
        EXPECT_EQ(errors.substr(0, c.errors.size()), c.errors) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), c.errors.empty() ? 0 : 1)
            << errors;
    }
}

HGLOBAL RequestList(const std::string &title, const std::string &dir)
{
    JxrRequest r;
    JxrRequestInit(&r);
    r.title = title.c_str();
    r.initialDir = dir.c_str();
    return JxrBuildRequest(&r, nullptr, 0);
}

std::vector<BYTE> RequestBlock(const std::string &title, const std::string &dir)
{
    HGLOBAL list = RequestList(title, dir);
    const BYTE *p = (const BYTE *)GlobalLock(list);
    std::vector<BYTE> block(p, p + GlobalSize(list));
    GlobalUnlock(list);
    GlobalFree(list);
    return block;
}

// A server started by the test, which then plays the client itself.
struct RawServer {
    PROCESS_INFORMATION pi{};
    HWND frame = nullptr;
    HWND replyWindow = JxrCreateReplyWindow();
    char error[256] = "";
    RawServer() { frame = JxrStartServer(nullptr, &pi, error, sizeof error); }
    ~RawServer()
    {
        if (pi.hProcess) {
            TerminateProcess(pi.hProcess, 99);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        DestroyWindow(replyWindow);
    }
    // WM_COPYDATA with the block; the message's result.
    LRESULT Send(HWND client, const void *block, DWORD size, ULONG_PTR tag = JXR_COPYDATA_REQUEST,
                 DWORD timeoutMs = 5000)
    {
        COPYDATASTRUCT data = {tag, size, (void *)block};
        DWORD_PTR result = 0xDEAD;
        SendMessageTimeoutA(frame, WM_COPYDATA, (WPARAM)client, (LPARAM)&data,
                            SMTO_ABORTIFHUNG, timeoutMs, &result);
        return (LRESULT)result;
    }
    LRESULT Send(HWND client, const std::vector<BYTE> &block, DWORD timeoutMs = 5000)
    {
        return Send(client, block.data(), (DWORD)block.size(), JXR_COPYDATA_REQUEST, timeoutMs);
    }
    // A request sent by the client library, whose reply window then takes the reply.
    bool Request(const std::string &title, const std::string &dir)
    {
        return JxrSendRequest(frame, replyWindow, RequestList(title, dir), JXR_TRANSPORT_COPYDATA,
                              error, sizeof error);
    }
    int WaitReply(JxrReply *reply)
    {
        return JxrWaitReply(replyWindow, pi.hProcess, 10000, 0, reply, error, sizeof error);
    }
    // The exit code, or STILL_ACTIVE; messages to the test's windows are
    // answered meanwhile.
    DWORD Exit(DWORD timeoutMs)
    {
        DWORD code = STILL_ACTIVE, start = GetTickCount();
        while (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0
               && GetTickCount() - start < timeoutMs)
            PumpWait(20);
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

// A hook of serverhooks.dll on the server's thread while it lives. Wine's
// thread takes note of a new hook once it handles a message.
struct ServerHook {
    HMODULE dll = LoadLibraryA(SiblingPath("serverhooks.dll").c_str());
    HHOOK hook;
    ServerHook(const RawServer &server, int kind, const char *name)
    {
        HOOKPROC proc = (HOOKPROC)(void (*)(void))GetProcAddress(dll, name);
        hook = proc ? SetWindowsHookExA(kind, proc, dll, server.pi.dwThreadId) : nullptr;
        DWORD_PTR ignored;
        SendMessageTimeoutA(server.frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    ~ServerHook()
    {
        UnhookWindowsHookEx(hook);
        FreeLibrary(dll);
    }
};

// One request at a time: others are refused while the box shows, while the
// request waits to be served and while it is.
TEST_F(TwoProcesses, RequestWithoutClientShowsMessageBoxThenServesARealOne)
{
    RawServer server;
    ASSERT_NE(server.frame, nullptr) << server.error;
    std::string title = Unique("after box");
    std::vector<BYTE> block = RequestBlock(title, folder.path);
    EXPECT_EQ(server.Send(nullptr, block), TRUE);
    HWND box = WaitForDialog(server.pi.dwProcessId, nullptr, "Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Sending window handle is NULL");
    EXPECT_EQ(server.Send(server.replyWindow, block), FALSE) << "while the box shows";
    PressOk(box);
    ASSERT_TRUE(WaitForWindowGone(box));
    EXPECT_EQ(server.Exit(300), (DWORD)STILL_ACTIVE);

    ASSERT_TRUE(server.Request(title, folder.path)) << server.error;
    EXPECT_EQ(server.Send(server.replyWindow, block), FALSE) << "accepted, not yet served";
    HWND dialog = WaitForDialog(server.pi.dwProcessId, nullptr, title.c_str());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(server.Send(server.replyWindow, block), FALSE) << "being served";
    ASSERT_TRUE(TypeFileName(dialog, "A.TXT"));
    PressOk(dialog);
    JxrReply reply;
    ASSERT_EQ(server.WaitReply(&reply), JXR_CONFIRMED) << server.error;
    ASSERT_EQ(reply.fileCount, 1);
    EXPECT_EQ(reply.files[0], folder.File("A.TXT"));
    JxrReplyFree(&reply);
    EXPECT_EQ(server.Exit(10000), 0u);
}

TEST_F(TwoProcesses, MalformedBlocksAreRefusedAndChangeNothing)
{
    RawServer server;
    ASSERT_NE(server.frame, nullptr) << server.error;
    std::vector<BYTE> good = RequestBlock(Unique("never shown"), folder.path);
    std::vector<BYTE> outside = good, unterminated = good;
    DWORD beyond = (DWORD)good.size();
    memcpy(outside.data(), &beyond, 4);
    unterminated.resize(good.size() - 2);           // last slot and final NUL cut off
    EXPECT_EQ(server.Send(server.replyWindow, good.data(), 12), FALSE) << "short";
    EXPECT_EQ(server.Send(server.replyWindow, outside.data(), (DWORD)outside.size()), FALSE)
        << "pFiles outside";
    EXPECT_EQ(server.Send(server.replyWindow, unterminated.data(), (DWORD)unterminated.size()),
              FALSE) << "strings without terminator";
    EXPECT_EQ(server.Send(server.replyWindow, good.data(), (DWORD)good.size(), 0x1234), FALSE)
        << "another tag goes to DefWindowProc";
    HWND gone = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(server.Send(HWND_BROADCAST, good), FALSE) << "client HWND_BROADCAST";
    EXPECT_EQ(server.Send(gone, good), FALSE) << "client window destroyed";
    // Wine fails a message of over about 2 MB at the server's GetMessage.
    EXPECT_NE(server.Send(server.replyWindow, std::vector<BYTE>(3 << 20, 'x'), 500), TRUE);
    EXPECT_EQ(WaitForDialog(server.pi.dwProcessId, nullptr, nullptr, 500), nullptr);
    EXPECT_EQ(server.Exit(0), (DWORD)STILL_ACTIVE) << "the server serves on";
    PostMessageA(server.frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(server.Exit(10000), 0u);
}

// A client window that goes once its request is accepted, before it is
// served or while its dialog shows: the request is served to nobody, and
// the program ends as after a cancel.
TEST_F(TwoProcesses, ClientThatVanishesLetsTheServerEnd)
{
    for (bool fDialogShown : {false, true}) {
        RawServer server;
        ASSERT_NE(server.frame, nullptr) << server.error;
        ServerHook hook(server, WH_CALLWNDPROCRET, fDialogShown ? "" : "CloseClientAfterRequest");
        ASSERT_EQ(hook.hook != nullptr, !fDialogShown);
        std::string title = Unique("vanishing client");
        ASSERT_EQ(server.Send(server.replyWindow, RequestBlock(title, folder.path)), TRUE);
        if (fDialogShown) {
            ASSERT_NE(WaitForDialog(server.pi.dwProcessId, nullptr, title.c_str()), nullptr);
            DestroyWindow(server.replyWindow);
        }
        EXPECT_EQ(server.Exit(10000), 0u) << fDialogShown;
        EXPECT_FALSE(IsWindow(server.replyWindow));
    }
}

// While the program ends, the request it accepted and never served gets
// the empty reply; one sent meanwhile (from the client's reply handling
// here) is refused.
WNDPROC replyProc;
HWND endingFrame;
std::vector<BYTE> lateRequest;
LRESULT lateResult;

LRESULT CALLBACK SendAnotherAtTheReply(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        COPYDATASTRUCT data = {JXR_COPYDATA_REQUEST, (DWORD)lateRequest.size(), lateRequest.data()};
        SendMessageTimeoutA(endingFrame, WM_COPYDATA, (WPARAM)window, (LPARAM)&data,
                            SMTO_ABORTIFHUNG, 5000, (DWORD_PTR *)&lateResult);
    }
    return CallWindowProcA(replyProc, window, message, wParam, lParam);
}

TEST_F(TwoProcesses, RequestsWhileTheProgramEndsAreRefused)
{
    RawServer server;
    ASSERT_NE(server.frame, nullptr) << server.error;
    ServerHook hook(server, WH_CALLWNDPROC, "QuitBeforeRequest");
    ASSERT_NE(hook.hook, nullptr);
    endingFrame = server.frame;
    lateRequest = RequestBlock(Unique("late"), folder.path);
    lateResult = 0xDEAD;
    replyProc = (WNDPROC)SetWindowLongPtrA(server.replyWindow, GWLP_WNDPROC,
                                           (LONG_PTR)SendAnotherAtTheReply);
    ASSERT_TRUE(server.Request(Unique("ending"), folder.path)) << server.error;
    JxrReply reply;
    EXPECT_EQ(server.WaitReply(&reply), JXR_CANCELLED) << server.error;
    EXPECT_EQ(lateResult, FALSE);
    EXPECT_EQ(server.Exit(10000), 0u);
}

// Another process on the desktop (this one) makes a frame window with the
// title the client chose, before the server does, and forges a reply before
// the request: the client finds only the frame of the server it started,
// and takes only that server's reply to its request.
HWND impostor;
ImportPatch *startPatch;

BOOL WINAPI StartAfterAnImpostor(LPCSTR program, LPSTR line, LPSECURITY_ATTRIBUTES process,
                                 LPSECURITY_ATTRIBUTES thread, BOOL inherit, DWORD flags,
                                 LPVOID environment, LPCSTR directory, LPSTARTUPINFOA startup,
                                 LPPROCESS_INFORMATION info)
{
    const char *title = strstr(line, "\" ");        // after the quoted program
    impostor = CreateWindowA(JXR_FRAME_CLASS, title ? title + 2 : "", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, nullptr, nullptr);
    return startPatch->Original<decltype(&CreateProcessA)>()(program, line, process, thread,
                                                              inherit, flags, environment,
                                                              directory, startup, info);
}

TEST_F(TwoProcesses, OnlyTheStartedServerIsFoundAndHeard)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = JXR_FRAME_CLASS;
    RegisterClassA(&wc);
    ImportPatch start("kernel32.dll", "CreateProcessA", (void *)StartAfterAnImpostor);
    ASSERT_NE(start.slot, nullptr);
    startPatch = &start;
    RawServer server;
    ASSERT_NE(server.frame, nullptr) << server.error;
    ASSERT_NE(impostor, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(server.frame, &owner);
    ASSERT_EQ(owner, server.pi.dwProcessId) << "the impostor was found";

    HDROP forged = DropListCreate(POINT{0, 0}, 0, 0);
    for (const char *text : {"1", "1", "C:\\forged.txt"})
        forged = DropListAppend(forged, text);
    PostMessageA(server.replyWindow, WM_DROPFILES, (WPARAM)forged, 0);
    PumpWait(100);
    std::string title = Unique("heard");
    ASSERT_TRUE(server.Request(title, folder.path)) << server.error;
    HWND dialog = WaitForDialog(server.pi.dwProcessId, nullptr, title.c_str());
    ASSERT_NE(dialog, nullptr);
    PressCancel(dialog);
    JxrReply reply;
    EXPECT_EQ(server.WaitReply(&reply), JXR_CANCELLED) << server.error;
    DragFinish(forged);
    DestroyWindow(impostor);
}

// Ends every process of the program; true when there was one.
bool EndProcesses(const char *exeName)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0)
            continue;
        found = true;
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        TerminateProcess(process, 99);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found;
}

// Runs that show no dialog: the exit status, the one line of standard error
// (null: whatever it says), nothing printed, and within seconds. A server
// that never answers is stopped at the client's timeout, one that replies
// and stays after a short grace: neither outlives its client.
TEST(CommandLineClient, RunsWithoutADialog)
{
    struct {
        std::string options;
        DWORD exitCode;
        const char *errors, *server;
    } cases[] = {
        {"--frobnicate", 2, "jxrdialog: unknown option (see --help)\n", nullptr},
        {"--filter-index x", 2, "jxrdialog: --filter-index needs a number\n", nullptr},
        {"--filter nobar", 2,
         "jxrdialog: --filter needs a text of the form \"Description|pattern\"\n", nullptr},
        {"--title \"two\nlines\"", 2, nullptr, nullptr},
        {"--server C:\\no-such-server.exe", 2, nullptr, nullptr},
        {"--timeout 1 --server silent_server.exe", 2, "jxrdialog: no reply in time\n",
         "silent_server.exe"},
        {"--server lingering_server.exe", 1, "", "lingering_server.exe"},
    };
    std::string exe = SiblingPath("jxrdialog.exe");
    for (auto &c : cases) {
        ChildProcess cli;
        std::string options = c.options;
        if (c.server)
            options.replace(options.find(c.server), strlen(c.server), SiblingPath(c.server));
        ASSERT_TRUE(cli.Start(exe, "\"" + exe + "\" " + options, true));
        DWORD start = GetTickCount();
        EXPECT_EQ(cli.WaitExit(20000), c.exitCode) << c.options;
        EXPECT_LT(GetTickCount() - start, 8000u) << c.options;
        std::string errors = cli.Errors();
        if (c.errors) {
            EXPECT_EQ(errors, c.errors);
        } else {
            EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        }
        EXPECT_EQ(cli.Output(), "") << c.options;
        if (c.server) {
            EXPECT_FALSE(EndProcesses(c.server)) << c.server << " outlived its client";
        }
    }
}

TEST(CommandLineClient, HelpListsEveryOption)
{
    std::string exe = SiblingPath("jxrdialog.exe");
    ChildProcess cli;
    ASSERT_TRUE(cli.Start(exe, "\"" + exe + "\" --help", true));
    EXPECT_EQ(cli.WaitExit(10000), 0u);
    std::string help = cli.Output();
    for (const char *opt : {"--open", "--save", "--filter ", "--filter-index", "--initial-dir",
                            "--file ", "--title", "--flags", "--multi", "--def-ext", "--workbook ",
                            "--workbook-special", "--check-box", "--checked", "--label", "--note",
                            "--relief", "--transport", "--timeout", "--server", "JXR_ANSWER"})
        EXPECT_NE(help.find(opt), std::string::npos) << opt;
}

}  // namespace
