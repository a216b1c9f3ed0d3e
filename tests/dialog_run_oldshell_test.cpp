// Requests served end to end on the old shell, in a build whose shell test
// answers "old": the server adjusts Flags and picks the old-style templates.
// Without an enabled hook or template Wine shows its Explorer-style dialog
// all the same, whose answer for one file is the old style's too.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include "support/dialogdriver.h"
#include "support/inprocess.h"

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

}  // namespace
