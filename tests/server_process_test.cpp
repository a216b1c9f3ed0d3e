// The real server program started as a process of its own.
#include <gtest/gtest.h>
#include "support/dialogdriver.h"
#include "support/testsupport.h"

namespace {

const char *const kFrameClass = "JxrWin32Frame";

struct Server {
    ChildProcess child;
    HWND frame = nullptr;
    // commandTail follows the program's own (quoted) path on the command line.
    explicit Server(const std::string &commandTail, const char *expectedTitle)
    {
        std::string exe = SiblingPath("jxrwin32.exe");
        if (child.Start(exe, "\"" + exe + "\"" + commandTail))
            frame = WaitForWindow(child.pi.dwProcessId, kFrameClass, expectedTitle, 10000);
    }
};

TEST(ServerProcess, TitleIsTheCommandLineAfterTheProgram)
{
    struct { const char *tail, *title; } cases[] = {
        {" plain words", "plain words"},
        {" words  with   blanks ", "words  with   blanks "},
        {"", ""},
        {"   \"quoted\" rest", "\"quoted\" rest"},
    };
    for (auto &c : cases) {
        Server server(c.tail, c.title);
        ASSERT_NE(server.frame, nullptr) << "title \"" << c.title << "\"";
        // The system adds WS_CLIPSIBLINGS to every top-level window.
        EXPECT_EQ((DWORD)GetWindowLongA(server.frame, GWL_STYLE) & ~WS_CLIPSIBLINGS, 0x10CF0000u);
        PostMessageA(server.frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(server.child.WaitExit(10000), 0u) << "title \"" << c.title << "\"";
    }
}

TEST(ServerProcess, UnquotedProgramNameIsSkipped)
{
    ChildProcess child;
    std::string exe = SiblingPath("jxrwin32.exe");
    ASSERT_TRUE(child.Start(exe, "jxrwin32.exe the title"));
    HWND frame = WaitForWindow(child.pi.dwProcessId, kFrameClass, "the title", 10000);
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitExit(10000), 0u);
}

// Files dragged onto the frame from the shell arrive without a client
// window: the server refuses them with its message box and keeps waiting.
TEST(ServerProcess, RequestWithoutClientWindowShowsTheBoxAndWaits)
{
    Server server(" no client", "no client");
    ASSERT_NE(server.frame, nullptr);
    PostMessageA(server.frame, WM_DROPFILES, 0, 0);
    HWND box = WaitForDialog(server.child.pi.dwProcessId, server.frame, "Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Sending window handle is NULL");
    PressOk(box);
    EXPECT_TRUE(WaitForWindowGone(box));
    EXPECT_EQ(server.child.WaitExit(200), (DWORD)STILL_ACTIVE);
    EXPECT_TRUE(IsWindow(server.frame));
    PostMessageA(server.frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(server.child.WaitExit(10000), 0u);
}

}  // namespace
