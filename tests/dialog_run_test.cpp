// Requests served end to end on the new shell: the server's loop on its own
// thread, a client window on another, the real transports and the
// platform's dialog driven as a user would.
#include <gtest/gtest.h>
#include <algorithm>
#include <mutex>
#include "support/dialogdriver.h"
#include "support/inprocess.h"
#include "support/testrequest.h"

namespace {

using Strings = std::vector<std::string>;

struct DialogRun : ServedInProcess {};
struct DialogRuns : WithFolder {};

// One request a row, answered as a user would: the slots changed from the
// plain (or the customised) request, the names typed (none: Cancel), the
// check box clicked first or not, and the reply.
TEST_F(DialogRuns, SlotsNamesAndReply)
{
    TestFolder root("C:\\", {"JXRROOTA.TXT", "JXRROOTB.TXT"});
    const std::string a = folder.File("A.TXT"), b = folder.File("B.TXT"), dir = folder.path;
    struct {
        std::vector<std::pair<int, std::string>> slots;
        const char *customisedCheck;    // null: the plain request
        std::vector<std::string> names;
        bool fClick;
        Strings reply;
    } cases[] = {
        {{}, nullptr, {}, false, {}},
        {{{JXR_SLOT_FILTER_INDEX, "2"}}, nullptr, {"A.TXT"}, false, {"0", "2", a}},
        {{{JXR_SLOT_CHECK_STATE, "1"}}, nullptr, {"B.TXT"}, false, {"1", "1", b}},  // no hook
        {{{JXR_SLOT_FLAGS, "512"}}, nullptr, {"A.TXT", "B.TXT"}, false, {"0", "1", dir, a, b}},
        // A longer initial name leaves bytes behind the shorter answer.
        {{{JXR_SLOT_FLAGS, "512"}, {JXR_SLOT_FILE, "1\nA-much-longer-initial-name.TXT"}},
         nullptr, {"A.TXT"}, false, {"0", "1", dir, a}},
        {{{JXR_SLOT_FLAGS, "512"}, {JXR_SLOT_INITIAL_DIR, "1\nC:\\"}}, nullptr,
         {"JXRROOTA.TXT", "JXRROOTB.TXT"}, false,
         {"0", "1", "C:\\", "C:\\\\JXRROOTA.TXT", "C:\\\\JXRROOTB.TXT"}},
        {{}, "0", {"A.TXT"}, true, {"1", "1", a}},
        {{}, "2", {"B.TXT"}, true, {"0", "1", b}},
    };
    int row = 0;
    for (auto &c : cases) {
        std::string title = "Row " + std::to_string(++row);
        SCOPED_TRACE(title);
        ServedRequest run;
        ASSERT_TRUE(run.Answer(RequestWith(title, dir, c.customisedCheck, c.slots), title.c_str(),
                               c.names, c.fClick));
        EXPECT_FALSE(run.client.nullReply);
        EXPECT_EQ(run.client.reply, c.reply);
        run.ExpectEndedNormally();
    }
}

// Drop handles the program releases, recorded at its import of DragFinish.
std::mutex releasedLock;
std::vector<HDROP> released;
ImportPatch *dragFinishPatch;

void WINAPI RecordDragFinish(HDROP list)
{
    {
        std::lock_guard<std::mutex> hold(releasedLock);
        released.push_back(list);
    }
    dragFinishPatch->Original<decltype(&DragFinish)>()(list);
}

// A null client, or a handle that is no window (which would take the reply
// to every top-level window, or to whatever window comes to bear it).
TEST_F(DialogRun, WithoutClientWindowTheMessageBoxShowsAndTheServerWaits)
{
    ImportPatch patch("shell32.dll", "DragFinish", (void *)RecordDragFinish);
    ASSERT_NE(patch.slot, nullptr);
    dragFinishPatch = &patch;
    HWND gone = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);

    for (HWND sender : {(HWND)nullptr, HWND_BROADCAST, gone}) {
        released.clear();
        HDROP request = TestRequest(PlainRequest("never shown", folder.path)).Release();
        PostMessageA(server.frame, WM_DROPFILES, (WPARAM)request, (LPARAM)sender);
        HWND box = WaitForDialog(GetCurrentProcessId(), server.frame, "Error");
        ASSERT_NE(box, nullptr) << sender;
        EXPECT_EQ(MessageBoxText(box), "Sending window handle is NULL");
        PressOk(box);
        ASSERT_TRUE(WaitForWindowGone(box));
        EXPECT_FALSE(server.WaitExit(300));
        EXPECT_TRUE(IsWindow(server.frame));
        {
            std::lock_guard<std::mutex> hold(releasedLock);
            EXPECT_EQ(std::count(released.begin(), released.end(), request), 1);
        }
        EXPECT_EQ(WaitForDialog(GetCurrentProcessId(), nullptr, "never shown", 300), nullptr);
    }

    // The server still serves the next request.
    ASSERT_TRUE(Answer(PlainRequest("After the box", folder.path), "After the box", {}));
    EXPECT_EQ(client.replies, 1);
    ExpectEndedNormally();
}

TEST_F(DialogRun, SecondRequestDuringTheDialogIsServedNested)
{
    HWND first = Send(PlainRequest("First", folder.path), "First");
    ASSERT_NE(first, nullptr);
    ClientWindow second;
    second.Request(server.frame, TestRequest(PlainRequest("Second", folder.path)).Release());
    HWND nested = WaitForDialog(GetCurrentProcessId(), second.window, "Second");
    ASSERT_NE(nested, nullptr);
    EXPECT_TRUE(IsWindow(first));
    ASSERT_TRUE(TypeFileName(nested, "B.TXT"));
    PressOk(nested);
    ASSERT_TRUE(second.WaitReply());
    EXPECT_EQ(second.reply, (Strings{"0", "1", folder.File("B.TXT")}));
    // The nested request destroyed the frame; its quit message ends the
    // outer dialog, which answers as cancelled.
    ASSERT_TRUE(client.WaitReply());
    EXPECT_FALSE(client.nullReply);
    EXPECT_EQ(client.reply, Strings{});
    EXPECT_FALSE(IsWindow(first));
    ExpectEndedNormally();
}

// Under Wine a drop handle from another process is a bare number: one that
// names a block of the server's own (the request it accepted, the reply it
// sends) is no request. Here every block the server makes is posted back
// to it at once, and its reply's block sent back while it travels.
ImportPatch *allocPatch;
HWND echoFrame, echoClient;
DWORD serverThread;

HGLOBAL WINAPI PostBackEveryBlock(UINT flags, SIZE_T size)
{
    HGLOBAL block = allocPatch->Original<decltype(&GlobalAlloc)>()(flags, size);
    if (GetCurrentThreadId() == serverThread)
        PostMessageA(echoFrame, WM_DROPFILES, (WPARAM)block, (LPARAM)echoClient);
    return block;
}

TEST_F(DialogRun, DropHandlesNamingTheServersOwnBlocksAreNoRequests)
{
    ImportPatch patch("kernel32.dll", "GlobalAlloc", (void *)PostBackEveryBlock);
    ASSERT_NE(patch.slot, nullptr);
    allocPatch = &patch;
    echoFrame = server.frame;
    echoClient = client.window;
    serverThread = server.ThreadId();
    client.fCopyData = client.fEchoReply = true;
    ASSERT_TRUE(Answer(PlainRequest("Own blocks", folder.path), "Own blocks", {"A.TXT"}));
    EXPECT_EQ(client.reply, (Strings{"0", "1", folder.File("A.TXT")}));
    ExpectEndedNormally();
    EXPECT_EQ(client.replies, 1);
}

// The dialog, ended by a quit message, reports success and leaves the
// initial name in the buffer: that is no answer of the user. The program
// then ends, as the quit asks.
TEST(DialogEnded, ByAQuitMessageAnswersAsCancelled)
{
    TestFolder folder("C:\\jxr-quit-" + std::to_string(GetCurrentProcessId()), {"A.TXT"});
    struct { const char *how; void (*end)(const ServerThread &); } ways[] = {
        {"frame closed", [](const ServerThread &s) { PostMessageA(s.frame, WM_CLOSE, 0, 0); }},
        {"quit posted", [](const ServerThread &s) {
             PostThreadMessageA(s.ThreadId(), WM_QUIT, 0, 0);
         }},
        {"WM_DESTROY sent", [](const ServerThread &s) { SendMessageA(s.frame, WM_DESTROY, 0, 0); }},
    };
    for (auto &way : ways) {
        ServerThread server(way.how);
        ClientWindow client;
        Strings slots = PlainRequest(way.how, folder.path);
        slots[JXR_SLOT_FILE] = "1\nA.TXT";
        client.Request(server.frame, TestRequest(slots).Release());
        ASSERT_NE(WaitForDialog(GetCurrentProcessId(), client.window, way.how), nullptr);
        way.end(server);
        ASSERT_TRUE(client.WaitReply()) << way.how;
        EXPECT_EQ(client.reply, Strings{}) << way.how;
        EXPECT_TRUE(server.WaitExit()) << way.how;
        EXPECT_EQ(server.exitCode, 0) << way.how;
        EXPECT_FALSE(IsWindow(server.frame)) << way.how;
    }
}

}  // namespace
