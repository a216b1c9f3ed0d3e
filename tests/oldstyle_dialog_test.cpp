// Old style only (the test build's shell test answers "old"): our whole
// templates 102 and 103, the note and its font, the multi-select template
// without a check box, and the answers to the control colour messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include "dialog/dialog.h"
#include "support/customdialog.h"
#include "support/dialogdriver.h"
#include "support/relief_spy.h"
#include "support/testsupport.h"

namespace {

const char kMultiNote[] = "Multiple files can be selected by holding down the Ctrl key.";

CustomRequest MultiSelect()
{
    CustomRequest request;
    request.flags |= OFN_ALLOWMULTISELECT;
    return request;
}

// ---- The note.

// The note shows in both templates: the request's text, or the template's
// own (the multi-select template's hint, the single-select one's nothing).
TEST(OldStyleNote, TheRequestsTextOrTheTemplatesShows)
{
    struct { bool fMulti; const char *note, *shown; } cases[] = {
        {true, nullptr, kMultiNote},
        {true, "Hold Ctrl for several workbooks.", "Hold Ctrl for several workbooks."},
        {false, nullptr, ""},
        {false, "A note", "A note"},
    };
    for (auto &c : cases) {
        CustomRequest request = c.fMulti ? MultiSelect() : CustomRequest{};
        request.hasNote = c.note != nullptr;
        request.note = c.note ? c.note : "";
        DialogRun run(request);
        run.Run([&](HWND dialog) {
            HWND note = GetDlgItem(dialog, IDC_NOTE);
            EXPECT_TRUE(IsWindowVisible(note)) << c.shown;
            EXPECT_EQ(TextOf(note), c.shown);
        });
    }
}

HFONT NoteFont(HWND dialog)
{
    return (HFONT)SendMessageA(GetDlgItem(dialog, IDC_NOTE), WM_GETFONT, 0, 0);
}

TEST(OldStyleNote, NoteAloneTakesTheNoteFontWhichGoesWithTheDialog)
{
    for (const CustomRequest &request : {CustomRequest{}, MultiSelect()}) {
        HFONT used = nullptr;
        DialogRun run(request);
        run.Run([&](HWND dialog) {
            used = NoteFont(dialog);
            LOGFONTA lf{};
            ASSERT_TRUE(GetObjectA(used, sizeof lf, &lf));
            EXPECT_EQ(lf.lfHeight, -11);
            EXPECT_EQ(lf.lfWeight, FW_NORMAL);
            EXPECT_STREQ(lf.lfFaceName, "Helv");
            for (int id : {IDC_LABEL, IDC_WORKBOOKS, IDC_CHECKBOX}) {
                HWND control = GetDlgItem(dialog, id);
                EXPECT_NE((HFONT)SendMessageA(control, WM_GETFONT, 0, 0), used) << id;
            }
        });
        EXPECT_EQ(GetObjectType(used), 0u) << "the font was not deleted";
    }
}

// A nested request opens a second dialog while the first is up: each keeps
// its own request record and note font.
TEST(OldStyleNote, ADialogOpenedAndClosedAboveKeepsEachItsOwn)
{
    TempFolder folder({});
    CustomRequest request;
    request.showCheckBox = 1;
    request.initialDir = folder.path;
    DialogRun outer(request);
    outer.Run([&](HWND dialog) {
        HFONT font = NoteFont(dialog);
        DialogRun inner(request);
        inner.title = "Nested dialog";
        inner.Run([&](HWND nested) { EXPECT_NE(NoteFont(nested), font); });
        EXPECT_EQ(GetObjectType(font), (DWORD)OBJ_FONT) << "the nested dialog deleted it";
        ASSERT_TRUE(ClickButton(CustomControl(dialog, IDC_CHECKBOX)));
        ASSERT_TRUE(TypeFileName(dialog, "chosen.xls"));
        PressOk(dialog);
    });
    EXPECT_TRUE(outer.result);
    EXPECT_EQ(outer.extras.nCheckState, 1) << "the state went to the nested dialog's record";
}

// ---- The multi-select template.

TEST(OldStyleMultiSelect, WithoutACheckBoxOkReportsUnchecked)
{
    TempFolder folder({});
    CustomRequest request = MultiSelect();
    request.showCheckBox = 1;
    request.checkState = 1;
    request.initialDir = folder.path;
    DialogRun run(request);
    run.Run([](HWND dialog) {
        EXPECT_EQ(GetDlgItem(dialog, IDC_CHECKBOX), nullptr);
        ASSERT_TRUE(TypeFileName(dialog, "chosen.xls"));
        PressOk(dialog);
    });
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.extras.nCheckState, 0);
}

TEST(OldStyleMultiSelect, TakingAWorkbookClearsEverySelectedFile)
{
    TempFolder folder({"one.xls", "two.xls", "three.xls"});
    CustomRequest request = MultiSelect();
    request.workbooks = "1\nBook1.xls\n1";
    request.initialDir = folder.path;
    DialogRun run(request);
    run.Run([](HWND dialog) {
        HWND files = GetDlgItem(dialog, lst1);
        ASSERT_GE(SendMessageA(files, LB_GETCOUNT, 0, 0), 2);
        SendMessageA(files, LB_SETSEL, TRUE, 0);
        SendMessageA(files, LB_SETSEL, TRUE, 1);
        ASSERT_EQ(SendMessageA(files, LB_GETSELCOUNT, 0, 0), 2);
        ASSERT_TRUE(PickComboEntry(GetDlgItem(dialog, IDC_WORKBOOKS), 0));
        EXPECT_EQ(SendMessageA(files, LB_GETSELCOUNT, 0, 0), 0);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, edt1)), "Book1");
    });
}

// ---- Control colours: the platform's while the relief look is off.

TEST(OldStyleColours, PlatformColoursWhileTheReliefLookIsOff)
{
    DialogRun run(CustomRequest{});
    run.Run([](HWND dialog) {
        HWND control = GetDlgItem(dialog, edt1);
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        reliefSpy = ReliefSpy();
        HDC dc = CreateCompatibleDC(nullptr);
        for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message) {
            LRESULT got = SendMessageA(dialog, message, (WPARAM)dc, (LPARAM)control);
            EXPECT_EQ(got, DefWindowProcA(dialog, message, (WPARAM)dc, (LPARAM)control))
                << "message " << std::hex << message;
        }
        DeleteDC(dc);
        EXPECT_TRUE(reliefSpy.calls.empty());
    });
}

TEST(OldStyleColours, TheReliefLibraryAnswersWhileTheLookIsOn)
{
    DialogRun run(CustomRequest{});
    run.Run([&](HWND dialog) {
        HWND control = GetDlgItem(dialog, IDC_LABEL);
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = CreateCompatibleDC(nullptr);
        reliefSpy = ReliefSpy();
        reliefSpy.ctlColorBrush = (HBRUSH)GetStockObject(GRAY_BRUSH);
        run.extras.fReliefLook = 1;
        for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message) {
            LRESULT got = SendMessageA(dialog, message, (WPARAM)dc, (LPARAM)control);
            EXPECT_EQ(got, (LRESULT)reliefSpy.ctlColorBrush) << "message " << std::hex << message;
            EXPECT_EQ(reliefSpy.lastMessage, message);
            EXPECT_EQ(reliefSpy.lastDc, dc);
            EXPECT_EQ(reliefSpy.lastWindow, control);
        }
        DeleteDC(dc);
    });
}

}
