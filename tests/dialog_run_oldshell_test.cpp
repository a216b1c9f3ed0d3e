// Requests served end to end on the old shell, in a build whose shell test
// answers "old": the server adjusts Flags and picks the old-style templates.
// Without an enabled hook or template Wine shows its Explorer-style dialog
// all the same, whose answer for one file is the old style's too.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include "support/dialogdriver.h"
#include "support/inprocess.h"
#include "relief/state.h"
#include "res/resource.h"

namespace {

using Strings = std::vector<std::string>;

// The dialog as the server shows it, seen at the program's import.
DWORD seenFlags;
LPCSTR seenTemplate;
ImportPatch *openPatch;

BOOL WINAPI WatchOpen(OPENFILENAMEA *ofn)
{
    seenFlags = ofn->Flags;
    seenTemplate = ofn->lpTemplateName;
    return openPatch->Original<decltype(&GetOpenFileNameA)>()(ofn);
}

struct OldShellRun : ServedInProcess {
    ImportPatch watch{"comdlg32.dll", "GetOpenFileNameA", (void *)WatchOpen};
    void SetUp() override
    {
        ASSERT_NE(watch.slot, nullptr);
        openPatch = &watch;
    }
};

TEST_F(OldShellRun, ConfirmedFileWithLongNamesAndTemplate103)
{
    ASSERT_TRUE(Answer(PlainRequest("Old pick", folder.path), "Old pick", {"A.TXT"}));
    EXPECT_EQ(seenFlags, (DWORD)OFN_LONGNAMES);
    EXPECT_EQ(seenTemplate, MAKEINTRESOURCEA(103));
    EXPECT_EQ(client.reply, (Strings{"0", "1", folder.File("A.TXT")}));
    ExpectEndedNormally();
}

TEST_F(OldShellRun, CancelGivesTheEmptyList)
{
    ASSERT_TRUE(Answer(PlainRequest("Old cancel", folder.path), "Old cancel", {}));
    EXPECT_FALSE(client.nullReply);
    EXPECT_EQ(client.reply, Strings{});
    ExpectEndedNormally();
}

TEST_F(OldShellRun, MultiSelectLosesExplorerAndTakesTemplate102)
{
    Strings slots = PlainRequest("Old several", folder.path);
    slots[12] = "524800";   // OFN_EXPLORER | OFN_ALLOWMULTISELECT
    // One file: the old-style answer is its path alone.
    ASSERT_TRUE(Answer(slots, "Old several", {"B.TXT"}));
    EXPECT_EQ(seenFlags, (DWORD)OFN_ALLOWMULTISELECT);
    EXPECT_EQ(seenTemplate, MAKEINTRESOURCEA(102));
    EXPECT_EQ(client.reply, (Strings{"0", "1", folder.path, folder.File("B.TXT")}));
    ExpectEndedNormally();
}

TEST_F(OldShellRun, OldStyleDialogReturnsTheCheckBoxState)
{
    Strings slots = CustomisedRequest("Old custom", folder.path, "0");
    ASSERT_TRUE(ToggleCheckAndConfirm(Send(slots, "Old custom"), "A.TXT"));
    EXPECT_EQ(seenTemplate, MAKEINTRESOURCEA(IDD_OLDSTYLE_SINGLE));
    EXPECT_EQ(client.reply, (Strings{"1", "1", folder.File("A.TXT")}));
    ExpectEndedNormally();
}

TEST_F(OldShellRun, Template102HasNoCheckBoxSoTheStateIsZero)
{
    Strings slots = CustomisedRequest("Old multi custom", folder.path, "1");
    slots[12] = std::to_string(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ALLOWMULTISELECT);
    HWND dialog = Send(slots, "Old multi custom");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CustomControl(dialog, IDC_CHECKBOX), nullptr);
    ASSERT_TRUE(TypeFileName(dialog, "B.TXT"));
    PressOk(dialog);
    ASSERT_TRUE(client.WaitReply());
    EXPECT_EQ(seenTemplate, MAKEINTRESOURCEA(IDD_OLDSTYLE_MULTI));
    EXPECT_EQ(client.reply, (Strings{"0", "1", folder.path, folder.File("B.TXT")}));
    ExpectEndedNormally();
}

// Slot 20 switches the relief library on for the dialog: the old-style
// hook answers colour messages with its brush, a colour change reaches it,
// and the exit takes it down again.
TEST_F(OldShellRun, ReliefLookAnswersTheDialogsColoursAndEndsWithTheProgram)
{
    Strings slots = CustomisedRequest("Old relief", folder.path, "0");
    slots[20] = "1";
    HWND dialog = Send(slots, "Old relief");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ReliefState.reliefOn);
    // Handles pass through the dialog's 32-bit answer: compare those bits.
    auto Low = [](LRESULT handle) { return (DWORD)(ULONG_PTR)handle; };
    HBRUSH reliefBrush = ReliefState.BrushTable[1];
    HDC dc = GetDC(dialog);
    EXPECT_EQ(Low(SendMessageA(dialog, WM_CTLCOLORDLG, (WPARAM)dc, (LPARAM)dialog)),
              Low((LRESULT)reliefBrush));
    EXPECT_EQ(GetBkColor(dc), ReliefState.SysColorTable[SYSCLR_BTNFACE]);
    // Edits keep the platform's colours.
    EXPECT_NE(Low(SendMessageA(dialog, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)dialog)),
              Low((LRESULT)reliefBrush));
    ReleaseDC(dialog, dc);
    SendMessageA(server.frame, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(ReliefState.BrushTable[1], reliefBrush) << "unchanged colours keep the brush";
    ASSERT_TRUE(TypeFileName(dialog, "A.TXT"));
    PressOk(dialog);
    ASSERT_TRUE(client.WaitReply());
    ExpectEndedNormally();
    EXPECT_FALSE(ReliefState.reliefOn);
    EXPECT_EQ(ReliefState.registerCount, 0);
}

}  // namespace
