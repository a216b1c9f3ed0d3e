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
const bool E = true, O = false;     // the answer's style: Explorer, old

// An Explorer-style answer: the strings, each with its NUL, and a final NUL.
std::string ExplorerAnswer(const Strings &strings)
{
    std::string answer;
    for (const std::string &s : strings)
        answer += s + '\0';
    return answer;   // c_str() adds the final NUL
}

// Where a reply is refused: the client sees the server's failure.
const Strings kRefused = {"(no reply)"};

// What an append step leaves in a new reply list.
template <class Append> Strings Built(Append append)
{
    HDROP reply = append(DropListCreate(POINT{0, 0}, 0, 0));
    if (!reply)
        return kRefused;
    Strings strings = ReadDropList(reply);
    DragFinish(reply);
    return strings;
}

// The answer in the dialog's buffer, as (ASCII) wide text with its NULs.
struct Answer {
    std::wstring file;
    OPENFILENAMEW ofn{};
    DialogExtras extras{};
    Answer(const std::string &answer, DWORD flags) : file(answer.begin(), answer.end())
    {
        file.resize(file.size() + 2);
        ofn.lpstrFile = &file[0];
        ofn.Flags = flags;
    }
    HDROP Append(HDROP reply) { return AppendDialogAnswer(reply, &ofn, &extras); }
};

// The strings after the two numbers of the reply to a multi-selection.
Strings Expand(bool fExplorer, const std::string &text)
{
    Answer answer(text, OFN_ALLOWMULTISELECT);
    fTestNewShell = fExplorer;
    Strings reply = Built([&](HDROP list) { return answer.Append(list); });
    fTestNewShell = 1;
    return reply == kRefused ? reply : Strings(reply.begin() + 2, reply.end());
}

// One answer, the strings an expander makes of it. An answer that names no
// directory names files of the current directory (C:\windows here), and
// the reply says which. A text that does not fit a work buffer (259
// characters in Explorer style, 299 in old style) costs the whole reply:
// never a cut path, which would name another file.
TEST(Selection, TheDirectoryThenEachChosenFilesPath)
{
    const std::string d253 = "C:\\" + std::string(250, 'd'), d153 = "C:\\" + std::string(150, 'd');
    const std::string d293 = "C:\\" + std::string(290, 'd'), d403 = "C:\\" + std::string(400, 'd');
    struct { bool expand; std::string answer; Strings reply; } cases[] = {
        {E, ExplorerAnswer({"C:\\DATA\\A.TXT"}), {"C:\\DATA", "C:\\DATA\\A.TXT"}},
        {E, ExplorerAnswer({"C:\\A.TXT"}), {"C:", "C:\\A.TXT"}},
        {E, ExplorerAnswer({"C:\\DATA", "A.TXT", "B.TXT"}),
         {"C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}},
        {E, ExplorerAnswer({"C:\\", "A.TXT", "B.TXT"}),         // a root keeps its backslash
         {"C:\\", "C:\\\\A.TXT", "C:\\\\B.TXT"}},
        {E, ExplorerAnswer({"A.TXT"}), {"C:\\windows", "C:\\windows\\A.TXT"}},
        {E, ExplorerAnswer({"\\A.TXT"}), {"C:", "C:\\A.TXT"}},
        {E, ExplorerAnswer({"", "A.TXT", "B.TXT"}),
         {"C:\\windows", "C:\\windows\\A.TXT", "C:\\windows\\B.TXT"}},
        {E, ExplorerAnswer({d253, "B.TXT"}), {d253, d253 + "\\B.TXT"}},
        {E, ExplorerAnswer({d253, "B.TXT", "LONG.TXT"}), kRefused},
        {E, ExplorerAnswer({d403, "A.TXT"}), kRefused},
        {E, ExplorerAnswer({d403 + "\\A.TXT"}), kRefused},
        {O, "C:\\DATA\\A.TXT", {"C:\\DATA", "C:\\DATA\\A.TXT"}},
        {O, "C:\\DATA A.TXT B.TXT", {"C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}},
        {O, "C:\\DATA\\SUB\\.. A.TXT", {"C:\\DATA\\SUB\\..", "C:\\DATA\\A.TXT"}},   // qualified
        {O, "C:\\ A.TXT B.TXT", {"C:\\", "C:\\A.TXT", "C:\\B.TXT"}},
        {O, "C:\\DATA A.TXT ", {"C:\\DATA", "C:\\DATA\\A.TXT"}},
        {O, "C:\\DATA A.TXT  B.TXT", {"C:\\DATA", "C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}},
        {O, d153 + " A.TXT", {d153, d153 + "\\A.TXT"}},
        {O, "A.TXT", {"C:\\windows", "C:\\windows\\A.TXT"}},
        {O, " A.TXT B.TXT", {"C:\\windows", "C:\\windows\\A.TXT", "C:\\windows\\B.TXT"}},
        {O, d293 + " A.TXT", {d293, d293 + "\\A.TXT"}},
        {O, d293 + " A.TXT LONGNAME.TXT", kRefused},
        {O, d403 + " A.TXT", kRefused},
    };
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    for (auto &c : cases)
        EXPECT_EQ(Expand(c.expand, c.answer), c.reply) << c.answer.substr(0, 40);
    SetCurrentDirectoryA(saved);
}

TEST(DialogAnswer, NumbersThenTheFileOrTheSelectionInTheShellsStyle)
{
    auto reply = [&](DWORD flags, const std::string &text) {
        Answer answer(text, flags);
        answer.ofn.nFilterIndex = 3;
        answer.extras.nCheckState = 1;
        return Built([&](HDROP list) { return answer.Append(list); });
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
        Answer answer(ExplorerAnswer({"C:\\DATA", "A.TXT", "B.TXT"}), OFN_ALLOWMULTISELECT);
        HDROP reply = answer.Append(DropListCreate(POINT{0, 0}, 0, 0));
        EXPECT_EQ(reply, nullptr) << grows;
        // The one block, wherever it moved to, is freed exactly once.
        EXPECT_EQ(freed.size(), 1u) << grows;
    }
    EXPECT_EQ(ReplyAppend(nullptr, L"text"), nullptr);
    fTestNewShell = 0;
    EXPECT_EQ(Answer("C:\\DATA A.TXT", OFN_ALLOWMULTISELECT).Append(nullptr), nullptr);
    fTestNewShell = 1;
}

}  // namespace
