// The frame window and the exit path, with the server's WinMain running on
// a thread of the test and the relief entries replaced by a recorder.
#include <gtest/gtest.h>
#include "wire/droplist.h"
#include "server/server.h"
#include "support/inprocess.h"
#include "support/relief_spy.h"

namespace {

// Each test starts with an empty relief recorder.
struct FrameWindow : testing::Test {
    void SetUp() override { reliefSpy = ReliefSpy(); }
};
struct ExitPath : FrameWindow {};

TEST_F(FrameWindow, CreatedVisibleWithClassStyleAndTitle)
{
    ServerThread server("frame under test");
    ASSERT_NE(server.frame, nullptr);
    // The system adds WS_CLIPSIBLINGS and WS_EX_WINDOWEDGE to such a window;
    // DragAcceptFiles adds WS_EX_ACCEPTFILES.
    EXPECT_EQ((DWORD)GetWindowLongA(server.frame, GWL_STYLE) & ~WS_CLIPSIBLINGS, 0x10CF0000u);
    EXPECT_EQ((DWORD)GetWindowLongA(server.frame, GWL_EXSTYLE),
              (DWORD)(WS_EX_WINDOWEDGE | WS_EX_ACCEPTFILES));
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), JXR_FRAME_CLASS, &wc));
    EXPECT_EQ(wc.style, 0u);
    EXPECT_EQ(wc.hbrBackground, (HBRUSH)(COLOR_MENU + 1));
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.lpszMenuName, nullptr);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(server.Close(), 0);
}

// Within one process nothing stands between a sender and the frame. The
// system would swallow a fault in the frame's procedure: it is counted.
LONG violations;

LONG CALLBACK CountViolation(EXCEPTION_POINTERS *e)
{
    if (e->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        InterlockedIncrement(&violations);
    return EXCEPTION_CONTINUE_SEARCH;
}

TEST_F(FrameWindow, CopyDataWithoutItsRecordIsRefused)
{
    ServerThread server("copy data without data");
    ASSERT_NE(server.frame, nullptr);
    PVOID counter = AddVectoredExceptionHandler(1, CountViolation);
    EXPECT_EQ(SendMessageA(server.frame, WM_COPYDATA, (WPARAM)server.frame, 0), FALSE);
    RemoveVectoredExceptionHandler(counter);
    EXPECT_EQ(violations, 0);
    EXPECT_EQ(server.Close(), 0);
}

TEST_F(FrameWindow, SysColorChangeReachesReliefOnlyWhenLookIsOn)
{
    ServerThread server("colour change");
    ASSERT_NE(server.frame, nullptr);
    SendMessageA(server.frame, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(reliefSpy.calls.empty());

    fReliefLook = 1;
    SendMessageA(server.frame, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(reliefSpy.calls, std::vector<std::string>{"ReliefColorChange"});
    fReliefLook = 0;
    EXPECT_EQ(server.Close(), 0);
}

// With the look on, the exit path unregisters once, with the instance.
TEST_F(ExitPath, UnregistersOnceWithInstanceWhenLookWasOn)
{
    for (int look : {1, 0}) {
        reliefSpy = ReliefSpy();
        ServerThread server("exit with or without relief");
        ASSERT_NE(server.frame, nullptr);
        fReliefLook = look;
        EXPECT_EQ(server.Close(), 0);
        EXPECT_EQ(reliefSpy.calls.size(), (size_t)look) << look;
        if (look) {
            EXPECT_EQ(reliefSpy.calls, std::vector<std::string>{"ReliefUnregister"});
            EXPECT_EQ(reliefSpy.lastInstance, GetModuleHandleA(nullptr));
        }
    }
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_NCCREATE ? FALSE : DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ExitPath, FailedWindowCreationReturnsZeroAtOnce)
{
    // The class name is taken first by a class whose windows refuse to be
    // created, so the server's registration fails and so does its window.
    UnregisterClassA(JXR_FRAME_CLASS, GetModuleHandleA(nullptr));
    WNDCLASSA wc{};
    wc.lpfnWndProc = RefuseCreation;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = JXR_FRAME_CLASS;
    ASSERT_TRUE(RegisterClassA(&wc));
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, (LPSTR)"never shown", SW_SHOW), 0);
    EXPECT_EQ(WaitForWindow(GetCurrentProcessId(), nullptr, "never shown", 200, false), nullptr);
    UnregisterClassA(JXR_FRAME_CLASS, GetModuleHandleA(nullptr));
}

}  // namespace
