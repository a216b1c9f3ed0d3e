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
LPCWSTR seenTemplate;
ImportPatch *openPatch;

BOOL WINAPI WatchOpen(OPENFILENAMEW *ofn)
{
    seenFlags = ofn->Flags;
    seenTemplate = ofn->lpTemplateName;
    return openPatch->Original<decltype(&GetOpenFileNameW)>()(ofn);
}

struct OldShellRun : WithFolder {
    ImportPatch watch{"comdlg32.dll", "GetOpenFileNameW", (void *)WatchOpen};
    void SetUp() override
    {
        ASSERT_NE(watch.slot, nullptr);
        openPatch = &watch;
    }
};

// One request a row: the slots changed from the plain (or the customised)
// request, the names typed (none: Cancel), the check box clicked first or
// not; the Flags and template the dialog was given, and the reply.
// Template 102 has no check box: its OK reports the box unchecked.
TEST_F(OldShellRun, SlotsNamesFlagsTemplateAndReply)
{
    const std::string a = folder.File("A.TXT"), b = folder.File("B.TXT"), dir = folder.path;
    const DWORD customised = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    const std::string multi = std::to_string(customised | OFN_ALLOWMULTISELECT);
    struct {
        std::vector<std::pair<int, std::string>> slots;
        const char *customisedCheck;    // null: the plain request
        std::vector<std::string> names;
        bool fClick;
        DWORD flags;
        int templateId;
        Strings reply;
    } cases[] = {
        {{}, nullptr, {"A.TXT"}, false, OFN_LONGNAMES, IDD_OLDSTYLE_SINGLE, {"0", "1", a}},
        {{}, nullptr, {}, false, OFN_LONGNAMES, IDD_OLDSTYLE_SINGLE, {}},
        // OFN_EXPLORER | OFN_ALLOWMULTISELECT; one file: the path alone.
        {{{JXR_SLOT_FLAGS, "524800"}}, nullptr, {"B.TXT"}, false, OFN_ALLOWMULTISELECT,
         IDD_OLDSTYLE_MULTI, {"0", "1", dir, b}},
        {{}, "0", {"A.TXT"}, true, customised | OFN_LONGNAMES, IDD_OLDSTYLE_SINGLE, {"1", "1", a}},
        {{{JXR_SLOT_FLAGS, multi}}, "1", {"B.TXT"}, false, customised | OFN_ALLOWMULTISELECT,
         IDD_OLDSTYLE_MULTI, {"0", "1", dir, b}},
    };
    int row = 0;
    for (auto &c : cases) {
        std::string title = "Old row " + std::to_string(++row);
        SCOPED_TRACE(title);
        ServedRequest run;
        ASSERT_TRUE(run.Answer(RequestWith(title, dir, c.customisedCheck, c.slots), title.c_str(),
                               c.names, c.fClick));
        EXPECT_EQ(seenFlags, c.flags);
        EXPECT_EQ(seenTemplate, MAKEINTRESOURCEW(c.templateId));
        EXPECT_FALSE(run.client.nullReply);
        EXPECT_EQ(run.client.reply, c.reply);
        run.ExpectEndedNormally();
    }
}

// Slot 20 switches the relief library on for the dialog: the old-style
// hook answers colour messages with its brush, a colour change reaches it,
// and the exit takes it down again.
TEST_F(OldShellRun, ReliefLookAnswersTheDialogsColoursAndEndsWithTheProgram)
{
    Strings slots = CustomisedRequest("Old relief", folder.path, "0");
    slots[JXR_SLOT_RELIEF] = "1";
    ServedRequest run;
    HWND dialog = run.Send(slots, "Old relief");
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
    SendMessageA(run.server.frame, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(ReliefState.BrushTable[1], reliefBrush) << "unchanged colours keep the brush";
    ASSERT_TRUE(TypeFileName(dialog, "A.TXT"));
    PressOk(dialog);
    ASSERT_TRUE(run.client.WaitReply());
    run.ExpectEndedNormally();
    EXPECT_FALSE(ReliefState.reliefOn);
    EXPECT_EQ(ReliefState.registerCount, 0);
}

}  // namespace
