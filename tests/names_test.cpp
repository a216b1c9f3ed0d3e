// File names in any script, under the code page the test runs in (1252, or
// 932 in its cp932 run), in Explorer style or in old style (the old-shell
// build): chosen in the dialog of each kind, with our hook and without, and
// served in this process (the ANSI request by WM_DROPFILES, the Unicode one
// by WM_COPYDATA) and by the command-line client. The ANSI reply names paths
// that open the files chosen; a new name the ANSI code page cannot write is
// refused while the dialog stays (our hook) or shows again; the Unicode
// reply holds the true names.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include "support/dialogdriver.h"
#include "support/inprocess.h"
#include "support/testrequest.h"
#include "server/server.h"

namespace {

using Strings = std::vector<std::string>;
enum Kind { OPEN, SAVE, MULTI };
struct Row {
    Kind kind;
    bool customised;              // our template and hook
    Strings typed;
    std::string then;             // typed after an ANSI client's refusal; empty: none
    std::string in;               // the initial folder within the test's (Unicode only)
};
const Row kRows[] = {
    {OPEN, false, {"plain.txt"}, "", ""},
    {OPEN, true, {"café.txt"}, "", ""},
    {OPEN, false, {"ü.txt"}, "", ""},
    {OPEN, true, {"日本.txt"}, "", ""},
    {OPEN, false, {"😀.txt"}, "", ""},
    {OPEN, true, {"日本\\plain.txt"}, "", ""},
    {OPEN, false, {"plain.txt"}, "", "日本"},
    {SAVE, true, {"日本.txt"}, "", ""},
    {SAVE, false, {"日本\\new.txt"}, "", ""},
    {SAVE, true, {"new😀.txt"}, "new.txt", ""},
    {SAVE, false, {"new😀.txt"}, "new.txt", ""},
    {MULTI, true, {"日本.txt", "café.txt", "😀.txt", "plain.txt"}, "", ""},
    {MULTI, false, {"ü.txt", "¥.txt", "plain.txt"}, "", ""},   // ¥ best fits as "\\" in 932
};

struct Names : testing::Test {
    TestFolder folder{"C:\\jxr-names-" + std::to_string(GetCurrentProcessId()),
                      {"plain.txt", "café.txt", "ü.txt", "¥.txt", "日本.txt", "😀.txt",
                       "日本\\plain.txt"}};
    bool Exists(const std::string &name) const
    {
        return GetFileAttributesW(Wide(folder.File(name)).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
};

// The refusal: a message box that says so, under the dialog's title, which
// is unique on the desktop.
struct Refusal {
    std::string title;
    HWND box;
};

BOOL CALLBACK MatchRefusal(HWND window, LPARAM param)
{
    Refusal *r = (Refusal *)param;
    if (IsWindowVisible(window) && TextOf(window) == r->title
        && MessageBoxText(window).find("cannot use the name") != std::string::npos)
        r->box = window;
    return !r->box;
}

HWND WaitForRefusal(const std::string &title)
{
    Refusal r{title, nullptr};
    for (int tries = 0; tries < 200 && !r.box; tries++) {
        EnumWindows(MatchRefusal, (LPARAM)&r);
        PumpWait();
    }
    return r.box;
}

// A user's answer to the row's dialog: the names, OK; once refused, the
// other name in the dialog that stayed, or that showed again in the folder
// with the refused name typed in.
void Answer(DWORD processId, HWND owner, const std::string &title, const Row &row, bool fRefused)
{
    HWND dialog = WaitForDialog(processId, owner, title.c_str());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(row.typed.size() == 1 ? TypeFileName(dialog, row.typed[0])
                                      : TypeFileNames(dialog, row.typed));
    PressOk(dialog);
    if (!fRefused)
        return;
    HWND box = WaitForRefusal(title);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find(row.typed[0]), std::string::npos);
    PressOk(box);
    ASSERT_TRUE(WaitForWindowGone(box));
    if (row.customised)
        EXPECT_TRUE(IsWindowVisible(dialog));
    else
        dialog = WaitForDialog(processId, owner, title.c_str());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(FileNameBox(dialog)), row.typed[0]);
    ASSERT_TRUE(TypeFileName(dialog, row.then));
    PressOk(dialog);
}

// The reply: the true names for a Unicode client; for an ANSI one paths
// that open the files (each holds its name), or make a new one under its
// true name, and a multi-selection's files in its directory.
void ExpectReply(const Names &t, const Strings &reply, const Strings &names, bool fUnicode,
                 bool fMulti, const std::string &in)
{
    auto relative = [&](const std::string &name) { return in.empty() ? name : in + "\\" + name; };
    Strings expected = {"0", "1"};
    if (fMulti)
        expected.push_back(in.empty() ? t.folder.path : t.folder.File(in));
    for (const std::string &name : names)
        expected.push_back(t.folder.File(relative(name)));
    if (fUnicode) {
        EXPECT_EQ(reply, expected);
        return;
    }
    ASSERT_EQ(reply.size(), expected.size());
    for (size_t i = 2 + fMulti; i < reply.size(); i++) {
        const std::string name = relative(names[i - 2 - fMulti]);
        bool fNew = !t.Exists(name);
        HANDLE file = CreateFileA(reply[i].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  fNew ? CREATE_NEW : OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << reply[i];
        char text[64] = "";
        DWORD n = 0;
        ReadFile(file, text, sizeof text - 1, &n, nullptr);
        CloseHandle(file);
        EXPECT_TRUE(fNew ? t.Exists(name) : text == name) << reply[i] << " for " << name;
        EXPECT_TRUE(!fMulti || reply[i].rfind(reply[2] + "\\", 0) == 0) << reply[i];
        if (fNew)
            DeleteFileW(Wide(t.folder.File(name)).c_str());
    }
}

Strings Chosen(const Row &row, bool fUnicode)
{
    return fUnicode || row.then.empty() ? row.typed : Strings{row.then};
}

Strings Slots(const Row &row, const std::string &title, const std::string &dir)
{
    DWORD flags = (row.kind == MULTI ? OFN_ALLOWMULTISELECT : 0)
                | (row.customised ? OFN_ENABLEHOOK | OFN_ENABLETEMPLATE : 0);
    Strings slots = RequestWith(title, dir, row.customised ? "0" : nullptr,
                                {{JXR_SLOT_FLAGS, std::to_string(flags)}});
    slots[JXR_SLOT_KIND] = row.kind == SAVE ? "SAVE" : "OPEN";
    return slots;
}

// Wine's old style does not implement multi-select, and shows its Explorer
// style without our template; an ANSI client cannot name a row's folder.
bool Applies(const Row &row, bool fUnicode)
{
    return (IsNewShell() || (row.customised && row.kind != MULTI)) && (fUnicode || row.in.empty());
}

std::string Dir(const Names &t, const Row &row)
{
    return row.in.empty() ? t.folder.path : t.folder.File(row.in);
}

// Each row that applies, for an ANSI client and a Unicode one; the title is
// unique on the desktop, as the other process's dialog is found by it alone.
template <class Run> void ForEachCase(Run run)
{
    for (const Row &row : kRows) {
        for (bool fUnicode : {false, true}) {
            if (!Applies(row, fUnicode))
                continue;
            SCOPED_TRACE(row.typed[0] + (fUnicode ? " unicode" : " ansi") + " kind "
                         + std::to_string(row.kind) + (row.customised ? " customised" : ""));
            run(row, fUnicode, "Names " + std::to_string(GetCurrentProcessId()) + " "
                                   + std::to_string(&row - kRows));
        }
    }
}

TEST_F(Names, ServedInThisProcess)
{
    ForEachCase([&](const Row &row, bool fUnicode, const std::string &title) {
        ServedRequest run;
        run.client.fCopyData = run.client.fUnicode = fUnicode;
        run.client.Request(run.server.frame,
                           TestRequest(Slots(row, title, Dir(*this, row))).Release());
        Answer(GetCurrentProcessId(), run.client.window, title, row,
               !fUnicode && !row.then.empty());
        ASSERT_TRUE(run.client.WaitReply());
        ExpectReply(*this, run.client.reply, Chosen(row, fUnicode), fUnicode,
                    row.kind == MULTI, row.in);
        run.ExpectEndedNormally();
    });
}

// The command-line client prints UTF-8: of the true names, or (--ansi) of
// the ANSI reply, which is read back into the code page to be opened.
Strings Lines(const std::string &output, bool fUnicode)
{
    Strings lines;
    for (size_t at = 0, end; (end = output.find('\n', at)) != std::string::npos; at = end + 1) {
        std::wstring wide = Wide(output.substr(at, end - at));
        std::string ansi(3 * wide.size(), '\0');
        ansi.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), &ansi[0],
                                        (int)ansi.size(), nullptr, nullptr));
        lines.push_back(fUnicode ? output.substr(at, end - at) : ansi);
    }
    return lines;
}

TEST_F(Names, ServedToTheCommandLineClient)
{
    std::string exe = SiblingPath("jxrdialog.exe");
    std::string server = SiblingPath(IsNewShell() ? "jxrwin32.exe" : "jxrwin32_oldshell.exe");
    ForEachCase([&](const Row &row, bool fUnicode, const std::string &title) {
        ChildProcess cli;
        ASSERT_TRUE(cli.Start(exe, "\"" + exe + "\" --timeout 30 --server \"" + server
                              + "\" --title \"" + title + "\" --initial-dir \""
                              + Dir(*this, row) + "\""
                              + (fUnicode ? "" : " --ansi")
                              + (row.kind == SAVE ? " --save" : "")
                              + (row.kind == MULTI ? " --multi" : "")
                              + (row.customised ? " --check-box Keep" : ""), true));
        Answer(0, nullptr, title, row, !fUnicode && !row.then.empty());
        ASSERT_EQ(cli.WaitExit(20000), 0u) << cli.Errors();
        ExpectReply(*this, Lines(cli.Output(), fUnicode), Chosen(row, fUnicode), fUnicode,
                    row.kind == MULTI, row.in);
    });
}

}  // namespace
