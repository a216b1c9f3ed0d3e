// The reply list and the two selection expanders, fed with the answers the
// platform's dialogs give (Wine never gives the old-style multi-select one).
#include <gtest/gtest.h>
#include <string.h>
#include "wire/droplist.h"
#include "server/reply.h"
#include "support/shell_switch.h"
#include "support/testsupport.h"

namespace {

using Strings = std::vector<std::string>;
typedef HDROP (*Expander)(HDROP, LPCSTR);

// An Explorer-style answer: the strings, each with its NUL, and a final NUL.
std::string ExplorerAnswer(const Strings &strings)
{
    std::string answer;
    for (const std::string &s : strings)
        answer += s + '\0';
    return answer;   // c_str() adds the final NUL
}

// What an append step leaves in a new reply list.
template <class Append> Strings Built(Append append)
{
    HDROP reply = append(DropListCreate(POINT{0, 0}, 0, 0));
    EXPECT_NE(reply, nullptr);
    if (!reply)
        return {};
    Strings strings = ReadDropList(reply);
    DragFinish(reply);
    return strings;
}

Strings Expand(Expander expand, const std::string &answer)
{
    return Built([&](HDROP reply) { return expand(reply, answer.c_str()); });
}

TEST(ExplorerSelection, OneFileGivesItsDirectoryThenItsPath)
{
    EXPECT_EQ(Expand(AppendExplorerSelection, ExplorerAnswer({"C:\\DATA\\A.TXT"})),
              (Strings{"C:\\DATA", "C:\\DATA\\A.TXT"}));
    EXPECT_EQ(Expand(AppendExplorerSelection, ExplorerAnswer({"C:\\A.TXT"})),
              (Strings{"C:", "C:\\A.TXT"}));
}

TEST(ExplorerSelection, SeveralFilesGiveTheDirectoryThenEachPath)
{
    EXPECT_EQ(Expand(AppendExplorerSelection, ExplorerAnswer({"C:\\DATA", "A.TXT", "B.TXT"})),
              (Strings{"C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}));
}

TEST(ExplorerSelection, RootDirectoryGetsASecondBackslash)
{
    EXPECT_EQ(Expand(AppendExplorerSelection, ExplorerAnswer({"C:\\", "A.TXT", "B.TXT"})),
              (Strings{"C:\\", "C:\\\\A.TXT", "C:\\\\B.TXT"}));
}

TEST(ExplorerSelection, PathsFillingTheWorkBuffersAreCut)
{
    std::string directory = "C:\\" + std::string(250, 'd');
    Strings got = Expand(AppendExplorerSelection,
                         ExplorerAnswer({directory, "LONGNAME.TXT", "B.TXT"}));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], directory);
    EXPECT_EQ(got[1], (directory + "\\LONGNAME.TXT").substr(0, 259));
    EXPECT_EQ(got[2], directory + "\\B.TXT");

    std::string tooLong = "C:\\" + std::string(400, 'd');
    got = Expand(AppendExplorerSelection, ExplorerAnswer({tooLong, "A.TXT"}));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], tooLong.substr(0, 259));
    EXPECT_EQ(got[1], tooLong.substr(0, 259));

    // One long path: the directory is cut, the path goes out whole.
    std::string path = tooLong + "\\A.TXT";
    got = Expand(AppendExplorerSelection, ExplorerAnswer({path}));
    EXPECT_EQ(got, (Strings{tooLong.substr(0, 259), path}));
}

TEST(OldStyleSelection, OneFileGivesItsDirectoryThenItsPath)
{
    EXPECT_EQ(Expand(AppendOldStyleSelection, "C:\\DATA\\A.TXT"),
              (Strings{"C:\\DATA", "C:\\DATA\\A.TXT"}));
}

TEST(OldStyleSelection, SeveralFilesAreQualifiedByOpenFile)
{
    EXPECT_EQ(Expand(AppendOldStyleSelection, "C:\\DATA A.TXT B.TXT"),
              (Strings{"C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}));
    // The directory goes out as given; the paths as OpenFile qualifies them.
    EXPECT_EQ(Expand(AppendOldStyleSelection, "C:\\DATA\\SUB\\.. A.TXT"),
              (Strings{"C:\\DATA\\SUB\\..", "C:\\DATA\\A.TXT"}));
}

TEST(OldStyleSelection, RootDirectoryGetsNoSecondBackslash)
{
    EXPECT_EQ(Expand(AppendOldStyleSelection, "C:\\ A.TXT B.TXT"),
              (Strings{"C:\\", "C:\\A.TXT", "C:\\B.TXT"}));
}

TEST(OldStyleSelection, StrayBlanksMakeNoEmptyNames)
{
    EXPECT_EQ(Expand(AppendOldStyleSelection, "C:\\DATA A.TXT "),
              (Strings{"C:\\DATA", "C:\\DATA\\A.TXT"}));
    EXPECT_EQ(Expand(AppendOldStyleSelection, "C:\\DATA A.TXT  B.TXT"),
              (Strings{"C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}));
}

TEST(OldStyleSelection, PathsBeyondOpenFilesFieldGoOutJoined)
{
    std::string directory = "C:\\" + std::string(150, 'd');
    EXPECT_EQ(Expand(AppendOldStyleSelection, directory + " A.TXT"),
              (Strings{directory, directory + "\\A.TXT"}));
}

TEST(OldStyleSelection, PathsFillingTheWorkBufferAreCut)
{
    std::string directory = "C:\\" + std::string(290, 'd');
    Strings got = Expand(AppendOldStyleSelection, directory + " A.TXT LONGNAME.TXT");
    EXPECT_EQ(got, (Strings{directory, directory + "\\A.TXT",
                            (directory + "\\LONGNAME.TXT").substr(0, 299)}));

    std::string tooLong = "C:\\" + std::string(400, 'd');
    got = Expand(AppendOldStyleSelection, tooLong + " A.TXT");
    EXPECT_EQ(got, (Strings{tooLong.substr(0, 299), tooLong.substr(0, 299)}));
}

// A list cannot hold an empty string: an answer that names no directory
// names files of the current directory, and the reply says which.
TEST(SelectionWithoutDirectory, TheCurrentDirectoryStandsIn)
{
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    struct { Expander expand; std::string answer; Strings reply; } cases[] = {
        {AppendExplorerSelection, ExplorerAnswer({"A.TXT"}), {"C:\\windows", "C:\\windows\\A.TXT"}},
        {AppendExplorerSelection, ExplorerAnswer({"\\A.TXT"}), {"C:", "C:\\A.TXT"}},
        {AppendExplorerSelection, ExplorerAnswer({"", "A.TXT", "B.TXT"}),
         {"C:\\windows", "C:\\windows\\A.TXT", "C:\\windows\\B.TXT"}},
        {AppendOldStyleSelection, "A.TXT", {"C:\\windows", "C:\\windows\\A.TXT"}},
        {AppendOldStyleSelection, " A.TXT B.TXT",
         {"C:\\windows", "C:\\windows\\A.TXT", "C:\\windows\\B.TXT"}},
    };
    for (auto &c : cases)
        EXPECT_EQ(Expand(c.expand, c.answer), c.reply) << c.answer;
    SetCurrentDirectoryA(saved);
}

TEST(DialogAnswer, NumbersThenTheFileOrTheSelectionInTheShellsStyle)
{
    char file[64];
    OPENFILENAMEA ofn{};
    DialogExtras extras{};
    ofn.lpstrFile = file;
    ofn.nFilterIndex = 3;
    extras.nCheckState = 1;
    auto reply = [&](DWORD flags, const std::string &answer) {
        ofn.Flags = flags;
        memcpy(file, answer.c_str(), answer.size() + 1);
        return Built([&](HDROP list) { return AppendDialogAnswer(list, &ofn, &extras); });
    };
    Strings several = {"1", "3", "C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"};
    EXPECT_EQ(reply(OFN_EXPLORER, "C:\\DATA\\A.TXT"), (Strings{"1", "3", "C:\\DATA\\A.TXT"}));
    EXPECT_EQ(reply(OFN_ALLOWMULTISELECT | OFN_EXPLORER,
                    ExplorerAnswer({"C:\\DATA", "A.TXT", "B.TXT"})), several);
    fTestNewShell = 0;
    EXPECT_EQ(reply(OFN_LONGNAMES, "C:\\DATA\\A B.TXT"), (Strings{"1", "3", "C:\\DATA\\A B.TXT"}));
    EXPECT_EQ(reply(OFN_ALLOWMULTISELECT, "C:\\DATA A.TXT B.TXT"), several);
    fTestNewShell = 1;
}

// A heap whose GlobalReAlloc fails from the nth call on, and a record of
// what the program frees.
int reallocsLeft;
std::vector<HGLOBAL> freed;
ImportPatch *reallocPatch;
ImportPatch *freePatch;

HGLOBAL WINAPI FailingReAlloc(HGLOBAL mem, SIZE_T size, UINT flags)
{
    if (reallocsLeft-- <= 0)
        return nullptr;
    return reallocPatch->Original<decltype(&GlobalReAlloc)>()(mem, size, flags);
}

HGLOBAL WINAPI RecordGlobalFree(HGLOBAL mem)
{
    freed.push_back(mem);
    return freePatch->Original<decltype(&GlobalFree)>()(mem);
}

TEST(ReplyGrowth, AListThatCannotGrowIsFreedAndNullCarriedOn)
{
    ImportPatch reAlloc("kernel32.dll", "GlobalReAlloc", (void *)FailingReAlloc);
    ImportPatch globalFree("kernel32.dll", "GlobalFree", (void *)RecordGlobalFree);
    ASSERT_NE(reAlloc.slot, nullptr);
    ASSERT_NE(globalFree.slot, nullptr);
    reallocPatch = &reAlloc;
    freePatch = &globalFree;

    for (int grows : {0, 1, 2}) {
        reallocsLeft = grows;
        freed.clear();
        HDROP list = DropListCreate(POINT{0, 0}, 0, 0);
        HDROP reply = AppendExplorerSelection(list, ExplorerAnswer({"C:\\DATA", "A.TXT", "B.TXT"}).c_str());
        EXPECT_EQ(reply, nullptr) << grows;
        // The one block, wherever it moved to, is freed exactly once.
        EXPECT_EQ(freed.size(), 1u) << grows;
    }
    EXPECT_EQ(ReplyAppend(nullptr, "text"), nullptr);
    EXPECT_EQ(AppendOldStyleSelection(nullptr, "C:\\DATA A.TXT"), nullptr);
}

}  // namespace
