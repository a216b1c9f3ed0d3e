// The customised file dialog in either style, driven like a user drives it.
// This file is built twice: with the real shell test (Explorer style, our
// child template inside the platform's dialog) and with the old-shell test
// build (old style, our whole template 103).
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include <stdlib.h>
#include "dialog/dialog.h"
#include "support/customdialog.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

namespace {

HWND Combo(HWND dialog) { return CustomControl(dialog, IDC_WORKBOOKS); }

std::string Entry(HWND combo, int index)
{
    char text[256] = "";
    if (SendMessageA(combo, CB_GETLBTEXTLEN, index, 0) < (LRESULT)sizeof text)
        SendMessageA(combo, CB_GETLBTEXT, index, (LPARAM)text);
    return text;
}

// ---- Filling the workbook combo box from the request's list.

// What the set-up sends to the combo box, in order; text for CB_ADDSTRING.
struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;
};

std::string Describe(const std::vector<Step> &steps)
{
    std::string out;
    for (const Step &s : steps) {
        const char *name = s.message == CB_ADDSTRING     ? "CB_ADDSTRING"
                           : s.message == CB_SETITEMDATA ? "CB_SETITEMDATA"
                           : s.message == CB_SETCURSEL   ? "CB_SETCURSEL"
                                                         : "other";
        out += std::string("\n  ") + name + "(" + std::to_string(s.wParam) + ", " +
               (s.message == CB_ADDSTRING ? "\"" + s.text + "\"" : std::to_string(s.lParam)) + ")";
    }
    return out.empty() ? "\n  (nothing)" : out;
}

std::vector<Step> FillSteps(const DialogRun &run)
{
    std::vector<Step> steps;
    for (const SentMessage &m : run.sent)
        if (m.message >= CB_GETEDITSEL && m.message <= CB_MSGMAX)
            steps.push_back({m.message, m.wParam,
                             m.message == CB_ADDSTRING ? 0 : m.lParam, m.text});
    return steps;
}

struct Filled {
    std::vector<Step> steps;
    std::vector<std::string> entries;
    std::vector<LRESULT> data;
    LRESULT selection = CB_ERR;
};

Filled FillFrom(const std::string &list)
{
    CustomRequest request;
    request.workbooks = list;
    DialogRun run(request);
    Filled filled;
    run.Run([&](HWND dialog) {
        HWND combo = Combo(dialog);
        int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            filled.entries.push_back(Entry(combo, i));
            filled.data.push_back(SendMessageA(combo, CB_GETITEMDATA, i, 0));
        }
        filled.selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    });
    filled.steps = FillSteps(run);
    return filled;
}

bool operator==(const Step &a, const Step &b)
{
    return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.text == b.text;
}

void ExpectSteps(const Filled &filled, const std::vector<Step> &expected)
{
    EXPECT_TRUE(filled.steps == expected) << "expected:" << Describe(expected)
                                          << "\ngot:" << Describe(filled.steps);
}

TEST(WorkbookList, EntriesInOrderWithSpecialFlagsAndFirstSelected)
{
    Filled filled = FillFrom("3\nAlpha\n0\nBeta.xls\n1\nGamma & Co\n0");
    ExpectSteps(filled, {
        {CB_ADDSTRING, 0, 0, "Alpha"},
        {CB_ADDSTRING, 0, 0, "Beta.xls"},
        {CB_SETITEMDATA, 1, 1, ""},
        {CB_ADDSTRING, 0, 0, "Gamma & Co"},
        {CB_SETCURSEL, 0, 0, ""},
    });
    EXPECT_EQ(filled.entries, (std::vector<std::string>{"Alpha", "Beta.xls", "Gamma & Co"}));
    EXPECT_EQ(filled.data, (std::vector<LRESULT>{0, 1, 0}));
    EXPECT_EQ(filled.selection, 0);
}

TEST(WorkbookList, NoEntriesLeaveTheBoxEmptyWithoutSelecting)
{
    for (const char *list : {"0", "-1\nAlpha\n1", "", "none", "3\n"}) {
        SCOPED_TRACE(std::string("list \"") + list + "\"");
        Filled filled = FillFrom(list);
        ExpectSteps(filled, {});
        EXPECT_TRUE(filled.entries.empty());
        EXPECT_EQ(filled.selection, CB_ERR);
    }
}

// The list is the client's text: it ends where the text ends, whatever the
// count says; lines are read whole and kept to 255 characters.
TEST(WorkbookList, MalformedListsAreReadSafely)
{
    const std::string longName(300, 'n');
    struct Case {
        std::string list;
        std::vector<std::string> entries;
        std::vector<LRESULT> data;
    } cases[] = {
        {"5\nAlpha\n1\nBeta\n0", {"Alpha", "Beta"}, {1, 0}},            // count beyond entries
        {"2\nAlpha\n1\nBeta", {"Alpha", "Beta"}, {1, 0}},               // last flag line missing
        {"1\nAlpha\n", {"Alpha"}, {0}},                                 // ends after a name
        {"2\n" + longName + "\n1\nBeta\n1", {longName.substr(0, 255), "Beta"}, {1, 1}},
        {"2\nAlpha\n10\nBeta\n1", {"Alpha", "Beta"}, {1, 1}},           // flag line too long
        {"0x2\nAlpha\n0\nBeta\n0", {"Alpha", "Beta"}, {0, 0}},          // count read as %i
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("list \"" + c.list.substr(0, 40) + "\"");
        Filled filled = FillFrom(c.list);
        EXPECT_EQ(filled.entries, c.entries);
        EXPECT_EQ(filled.data, c.data);
        EXPECT_EQ(filled.selection, 0);
    }
}

// ---- Check box, label and note texts.

// The check box shown and checked only when the request asks (its state 2
// checks it, not indeterminate), the captions, and the note's text.
TEST(ExtraControls, CheckBoxLabelAndNoteFromTheRequest)
{
    struct { int show, state; const char *note; bool visible; LRESULT check; } cases[] = {
        {1, 2, "Pick a workbook or type a name.", true, BST_CHECKED},
        {0, 0, nullptr, false, BST_UNCHECKED},
    };
    for (auto &c : cases) {
        CustomRequest request;
        request.showCheckBox = c.show;
        request.checkState = c.state;
        request.checkBoxText = "Save as text";
        request.label = "&Workbooks:";
        request.hasNote = c.note != nullptr;
        request.note = c.note ? c.note : "";
        DialogRun run(request);
        run.Run([&](HWND dialog) {
            HWND checkBox = CustomControl(dialog, IDC_CHECKBOX);
            HWND note = CustomControl(dialog, IDC_NOTE);
            EXPECT_EQ(IsWindowVisible(checkBox) != 0, c.visible);
            EXPECT_EQ(SendMessageA(checkBox, BM_GETCHECK, 0, 0), c.check);
            EXPECT_EQ(TextOf(checkBox), "Save as text");
            EXPECT_EQ(TextOf(CustomControl(dialog, IDC_LABEL)), "&Workbooks:");
            if (c.note) {
                EXPECT_TRUE(IsWindowVisible(note));
                EXPECT_EQ(TextOf(note), c.note);
            }
        });
    }
}

// ---- Taking a workbook into the file name box.

const char kPickList[] = "5\nBook1.xls\n1\nBook1.xls\n0\na.b.xls\n1\nNoDot\n1\nx.y.z\n0";

TEST(TakingAWorkbook, SpecialEntriesLoseTheirExtension)
{
    CustomRequest request;
    request.workbooks = kPickList;
    DialogRun run(request);
    run.Run([](HWND dialog) {
        const char *expected[] = {"Book1", "Book1.xls", "a.b", "NoDot", "x.y.z"};
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(PickComboEntry(Combo(dialog), i));
            EXPECT_EQ(TextOf(FileNameBox(dialog)), expected[i]) << "entry " << i;
        }
    });
}

TEST(TakingAWorkbook, DroppingTheListDownCopiesTheCurrentEntry)
{
    CustomRequest request;
    request.workbooks = kPickList;
    DialogRun run(request);
    run.Run([](HWND dialog) {
        ASSERT_TRUE(PickComboEntry(Combo(dialog), 1));
        ASSERT_TRUE(TypeFileName(dialog, "typed.xls"));
        ASSERT_TRUE(DropDownCombo(Combo(dialog)));
        EXPECT_EQ(TextOf(FileNameBox(dialog)), "Book1.xls");
    });
}

TEST(TakingAWorkbook, ClearsTheFileListSelection)
{
    TempFolder folder({"one.xls", "two.xls"});
    CustomRequest request;
    request.workbooks = kPickList;
    request.initialDir = folder.path;
    DialogRun run(request);
    run.Run([](HWND dialog) {
        // Explorer style keeps lst1 as a hidden placeholder: give it an entry.
        HWND files = GetDlgItem(dialog, lst1);
        ASSERT_NE(files, nullptr);
        if (SendMessageA(files, LB_GETCOUNT, 0, 0) == 0)
            SendMessageA(files, LB_ADDSTRING, 0, (LPARAM)"placeholder");
        ASSERT_EQ(SendMessageA(files, LB_SETCURSEL, 0, 0), 0);
        ASSERT_TRUE(PickComboEntry(Combo(dialog), 2));
        EXPECT_EQ(SendMessageA(files, LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(TextOf(FileNameBox(dialog)), "a.b");
    });
}

// ---- The check box state the user confirms.

// The state left at OK is recorded (a request's 2 confirmed as 1); a
// cancel leaves the record as the request made it.
TEST(CheckState, TheStateLeftAtOkIsRecorded)
{
    struct { bool save; int state, clicks; bool ok; int recorded; } cases[] = {
        {false, 0, 1, true, 1}, {false, 2, 1, true, 0}, {false, 2, 0, true, 1},
        {true, 0, 1, true, 1},  {true, 2, 1, true, 0},  {true, 2, 0, true, 1},
        {false, 2, 1, false, 2},
    };
    TempFolder folder({});
    for (auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.save) + std::to_string(c.state) + std::to_string(c.clicks));
        CustomRequest request;
        request.save = c.save;
        request.checkState = c.state;
        request.showCheckBox = 1;
        request.initialDir = folder.path;
        DialogRun run(request);
        run.Run([&](HWND dialog) {
            for (int i = 0; i < c.clicks; ++i)
                ASSERT_TRUE(ClickButton(CustomControl(dialog, IDC_CHECKBOX)));
            ASSERT_TRUE(TypeFileName(dialog, "chosen.xls"));
            if (c.ok)
                PressOk(dialog);
            else
                PressCancel(dialog);
        });
        EXPECT_EQ(run.result, (BOOL)c.ok);
        EXPECT_EQ(run.extras.nCheckState, c.recorded);
    }
}

// ---- Centring, help and the context menu.

// Across, the left edge on a multiple of 8 pixels as near the centre as
// that allows; down, centred to the pixel.
TEST(DialogPlace, CentredOnTheScreenInStepsOfEight)
{
    DialogRun run(CustomRequest{});
    run.Run([](HWND dialog) {
        RECT r;
        GetWindowRect(dialog, &r);
        EXPECT_EQ(r.left % 8, 0);
        EXPECT_LE(abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)), 8);
        EXPECT_LE(abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);
    });
}

struct HelpCall {
    int count = 0;
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    std::vector<DWORD> ids;     // the pairs up to and including (0, 0)
} helpCall;

BOOL WINAPI RecordWinHelp(HWND window, LPCSTR file, UINT command, ULONG_PTR data)
{
    ++helpCall.count;
    helpCall.window = window;
    helpCall.file = file ? file : "(null)";
    helpCall.command = command;
    helpCall.ids.clear();
    for (const DWORD *pair = (const DWORD *)data; pair && helpCall.ids.size() < 32; pair += 2) {
        helpCall.ids.insert(helpCall.ids.end(), pair, pair + 2);
        if (pair[0] == 0)
            break;
    }
    return TRUE;
}

// F1 on a control: the key becomes WM_KEYF1 (0x004D, not in the headers),
// whose default handling sends WM_HELP up to our dialog.
const UINT kKeyF1 = 0x004D;

TEST(Help, F1OpensTheHelpFileBesideTheProgramWithTheIdTable)
{
    ImportPatch patch("user32.dll", "WinHelpA", (void *)RecordWinHelp);
    ASSERT_NE(patch.slot, nullptr);
    helpCall = HelpCall();
    DialogRun run(CustomRequest{});
    run.Run([](HWND dialog) {
        HWND combo = Combo(dialog);
        SendMessageA(combo, kKeyF1, 0, 0);
        EXPECT_EQ(helpCall.count, 1);
        EXPECT_EQ(helpCall.window, combo);
        EXPECT_EQ(helpCall.file, SiblingPath("tovahelp.hlp"));
        EXPECT_EQ(helpCall.command, (UINT)HELP_WM_HELP);
        EXPECT_EQ(helpCall.ids, (std::vector<DWORD>{1000, 113, 1002, 113, 1001, 114, 0, 0}));
    });
}

// A right click on the caption would open the system menu by default.
TEST(ContextMenu, HandledAndShowsNothing)
{
    DialogRun run(CustomRequest{});
    HWND target = nullptr;
    run.Run([&](HWND dialog) {
        target = CustomDialog(dialog);
        RECT r;
        GetWindowRect(dialog, &r);
        DWORD_PTR ignored;
        POINT caption{(r.left + r.right) / 2,
                      r.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
        LPARAM at = MAKELPARAM(caption.x, caption.y);
        ASSERT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0, at), HTCAPTION);
        SendMessageTimeoutA(target, WM_CONTEXTMENU, (WPARAM)target, at, SMTO_ABORTIFHUNG, 2000,
                            &ignored);
        HWND menu = WaitForWindow(GetCurrentProcessId(), "#32768", nullptr, 300);
        EXPECT_EQ(menu, nullptr) << "a menu opened";
        if (menu)
            PostMessageA(menu, WM_CANCELMODE, 0, 0);   // as EndMenu does
    });
    std::vector<SentMessage> menus = run.Sent(WM_CONTEXTMENU);
    ASSERT_EQ(menus.size(), 1u) << "passed on to another window";
    EXPECT_EQ(menus[0].window, target);
}

}
