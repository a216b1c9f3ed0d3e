// Explorer style only: our child dialog inside the platform's dialog, its
// note and size, the fonts, the file name box of current systems, centring
// at CDN_INITDONE and the owner drawing of the workbook combo box.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include "dialog/dialog.h"
#include "support/customdialog.h"
#include "support/dialogdriver.h"
#include "support/testsupport.h"

namespace {

LONG HeightOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

// ---- The note and the size of our child dialog.

TEST(ExplorerNote, WithoutANoteTheChildGivesUpTheNotesHeightAtTheOrigin)
{
    DialogRun without(CustomRequest{});
    RECT full{0, 0, 283, 34}, note{};
    LONG heightWithout = 0;
    without.Run([&](HWND dialog) {
        HWND child = CustomDialog(dialog);
        MapDialogRect(child, &full);
        GetClientRect(GetDlgItem(child, IDC_NOTE), &note);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(child, IDC_NOTE)));
        heightWithout = HeightOf(dialog);
    });
    std::vector<SentMessage> moves = without.Sent(WM_WINDOWPOSCHANGING);
    ASSERT_FALSE(moves.empty());
    const WINDOWPOS &shrink = moves[0].pos;     // ours, before the platform lays out
    EXPECT_EQ(shrink.flags & (SWP_NOMOVE | SWP_NOSIZE), 0u);
    EXPECT_EQ(shrink.x, 0);
    EXPECT_EQ(shrink.y, 0);
    EXPECT_EQ(shrink.cx, full.right);
    EXPECT_GT(note.bottom, 0);
    EXPECT_EQ(shrink.cy, full.bottom - note.bottom);

    // The platform's dialog grows by our child's height: less the note's.
    CustomRequest request;
    request.hasNote = true;
    request.note = "A note";
    DialogRun with(request);
    LONG heightWith = 0;
    with.Run([&](HWND dialog) { heightWith = HeightOf(dialog); });
    EXPECT_EQ(heightWith - heightWithout, note.bottom);
}

TEST(ExplorerFonts, OurControlsTakeThePlatformDialogsFont)
{
    DialogRun run(CustomRequest{});
    run.Run([](HWND dialog) {
        LRESULT font = SendMessageA(dialog, WM_GETFONT, 0, 0);
        ASSERT_NE(font, 0);
        for (int id : {IDC_LABEL, IDC_WORKBOOKS, IDC_NOTE, IDC_CHECKBOX})
            EXPECT_EQ(SendMessageA(CustomControl(dialog, id), WM_GETFONT, 0, 0), font) << id;
    });
}

// ---- The file name box of current systems' dialog: cmb13, no edt1.

TEST(ExplorerFileNameBox, CurrentDialogsTakeTheWorkbookIntoCmb13)
{
    TempFolder folder({});
    CustomRequest request;
    request.structSize = sizeof(OPENFILENAMEW);
    request.workbooks = "2\nBook1.xls\n1\nBook2.xls\n0";
    request.showCheckBox = 1;
    request.initialDir = folder.path;
    DialogRun run(request);
    run.Run([](HWND dialog) {
        ASSERT_EQ(GetDlgItem(dialog, edt1), nullptr);
        HWND box = GetDlgItem(dialog, cmb13);
        ASSERT_NE(box, nullptr);
        HWND combo = CustomControl(dialog, IDC_WORKBOOKS);
        ASSERT_TRUE(PickComboEntry(combo, 0));
        EXPECT_EQ(TextOf(box), "Book1");
        ASSERT_TRUE(PickComboEntry(combo, 1));
        EXPECT_EQ(TextOf(box), "Book2.xls");
        ASSERT_TRUE(ClickButton(CustomControl(dialog, IDC_CHECKBOX)));
        PressOk(dialog);
    });
    EXPECT_TRUE(run.result);
    EXPECT_EQ(std::wstring(run.file), Wide(folder.path + "\\Book2.xls"));
    EXPECT_EQ(run.extras.nCheckState, 1);
}

// ---- Room for our controls under Wine's wider font; the focus where a user
// starts typing a name.

TEST(ExplorerLayout, EveryControlShowsWholeAndTheFileNameBoxHasTheFocus)
{
    CustomRequest request;
    request.showCheckBox = 1;
    request.checkBoxText = "Save as Te&xt";
    request.hasNote = true;
    request.note = "A note";
    DialogRun run(request);
    run.Run([](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        for (int id : {IDC_LABEL, IDC_WORKBOOKS, IDC_CHECKBOX, IDC_NOTE}) {
            HWND control = CustomControl(dialog, id);
            RECT r;
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, dialog, (POINT *)&r, 2);
            EXPECT_TRUE(IsWindowVisible(control) && r.right <= client.right) << id;
        }
        // A window of a test running alongside may have taken the activation;
        // reactivated (asynchronously, from this thread), the dialog gives
        // back the focus it saved when it lost it.
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        for (int tries = 0; tries < 60; ++tries) {
            ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui));
            if (gui.hwndActive == dialog && gui.hwndFocus)
                break;
            SetForegroundWindow(dialog);
            Sleep(50);
        }
        HWND box = FileNameBox(dialog);
        EXPECT_TRUE(gui.hwndFocus == box || IsChild(box, gui.hwndFocus))
            << "focus on " << ClassOf(gui.hwndFocus) << " " << GetDlgCtrlID(gui.hwndFocus);
    });
}

// ---- Centring the platform's dialog when it reports CDN_INITDONE.

TEST(ExplorerPlace, CentredAtInitDoneRoundedToEightPixels)
{
    DialogRun run(CustomRequest{});
    run.Run([&](HWND dialog) {
        ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
        HWND child = CustomDialog(dialog);
        struct { int width, x; } cases[] = {{410, 304}, {400, 312}, {411, 304}, {405, 312}};
        for (auto c : cases) {
            SetWindowPos(dialog, nullptr, 0, 0, c.width, 300, SWP_NOZORDER | SWP_NOACTIVATE);
            OFNOTIFYW notify{{dialog, 0, (UINT)CDN_INITDONE}, &run.ofn, nullptr};
            SendMessageA(child, WM_NOTIFY, 0, (LPARAM)&notify);
            RECT r;
            GetWindowRect(dialog, &r);
            EXPECT_EQ(r.left, c.x) << "width " << c.width;
            EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2) << "width " << c.width;
            EXPECT_EQ(r.right - r.left, c.width);
        }
    });
}

// ---- Owner drawing of the workbook combo box, checked by pixels.

// A 32-bit top-down DIB section in a memory DC, filled with one colour.
// The canvas the drawing tests paint items on, unless given another size.
const int kCanvasWidth = 160, kCanvasHeight = 40;

const COLORREF kMarker = RGB(1, 2, 3);     // the canvas outside the item
const RECT kItem = {10, 4, 130, 20};

// The entries every drawing test has: plain, special, and one with an "&".
const char kDrawList[] = "3\nPlain.xls\n0\nGrey.xls\n1\nR&D\n0";
const char *const kDrawEntries[] = {"Plain.xls", "Grey.xls", "R&D"};

// Sends WM_DRAWITEM for one item to our child dialog, as the combo box does.
LRESULT DrawItem(HWND dialog, const Canvas &canvas, UINT itemID, UINT state,
                 UINT controlId = IDC_WORKBOOKS, const RECT &rect = kItem)
{
    HWND combo = CustomControl(dialog, IDC_WORKBOOKS);
    DRAWITEMSTRUCT item{ODT_COMBOBOX, controlId, itemID, ODA_DRAWENTIRE, state,
                        combo, canvas.dc, rect, 0};
    return SendMessageA(CustomDialog(dialog), WM_DRAWITEM, controlId, (LPARAM)&item);
}

void RunWithDrawList(const std::function<void(HWND)> &drive)
{
    CustomRequest request;
    request.workbooks = kDrawList;
    DialogRun run(request);
    run.Run(drive);
}

// The item as it should look: its background, and the text in the DC's font
// one pixel in from the left at the top, every character drawn as itself.
void DrawExpected(const Canvas &canvas, const RECT &item, const char *text, COLORREF back,
                  COLORREF fore)
{
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(canvas.dc, &item, brush);
    DeleteObject(brush);
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, fore);
    TextOutA(canvas.dc, item.left + 1, item.top, text, lstrlenA(text));
}

// Where two canvases differ, for failure messages.
std::string FirstDifference(const Canvas &got, const Canvas &want)
{
    for (int y = 0; y < got.height; ++y)
        for (int x = 0; x < got.width; ++x)
            if (got.At(x, y) != want.At(x, y)) {
                char text[96];
                wsprintfA(text, "at %d,%d expected %06lX, got %06lX", x, y,
                          (unsigned long)want.At(x, y), (unsigned long)got.At(x, y));
                return text;
            }
    return "";
}

TEST(WorkbookDrawing, ColoursBySelectionAndKindTextInFull)
{
    struct Case {
        UINT itemID, state;
        int background, text;
    } cases[] = {
        {0, 0, COLOR_WINDOW, COLOR_WINDOWTEXT},
        {0, ODS_SELECTED, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
        {1, 0, COLOR_WINDOW, COLOR_GRAYTEXT},
        {1, ODS_SELECTED, COLOR_HIGHLIGHT, COLOR_GRAYTEXT},
        {2, 0, COLOR_WINDOW, COLOR_WINDOWTEXT},
        {(UINT)-1, ODS_SELECTED, COLOR_WINDOW, COLOR_WINDOWTEXT},   // no item: no text
    };
    RunWithDrawList([&](HWND dialog) {
        for (const Case &c : cases) {
            SCOPED_TRACE("item " + std::to_string((int)c.itemID) + " state " +
                         std::to_string(c.state));
            const char *text = c.itemID < 3 ? kDrawEntries[c.itemID] : "";
            Canvas got(kCanvasWidth, kCanvasHeight, kMarker);
            Canvas want(kCanvasWidth, kCanvasHeight, kMarker);
            DrawItem(dialog, got, c.itemID, c.state);
            DrawExpected(want, kItem, text, GetSysColor(c.background), GetSysColor(c.text));
            EXPECT_EQ(want.Count(kItem, GetSysColor(c.text)) > 10, *text != '\0') << "text shows";
            EXPECT_EQ(FirstDifference(got, want), "");
        }
    });
}

int NonBackground(const Canvas &canvas, RECT r, COLORREF back)
{
    int area = (r.right - r.left) * (r.bottom - r.top);
    return area - canvas.Count(r, back);
}

// A taller item than the text, so that no glyph touches its edges.
TEST(WorkbookDrawing, FocusRectangleOnTheItemsOwnRectangle)
{
    RunWithDrawList([](HWND dialog) {
        COLORREF back = GetSysColor(COLOR_WINDOW);
        const RECT item{kItem.left, kItem.top, kItem.right, kCanvasHeight - 4};
        RECT left{item.left, item.top, item.left + 1, item.bottom};
        RECT right{item.right - 1, item.top, item.right, item.bottom};
        RECT top{item.left, item.top, item.right, item.top + 1};
        RECT bottom{item.left, item.bottom - 1, item.right, item.bottom};
        for (UINT itemID : {1u, (UINT)-1}) {
            SCOPED_TRACE("item " + std::to_string((int)itemID));
            Canvas focused(kCanvasWidth, kCanvasHeight, kMarker);
            Canvas plain(kCanvasWidth, kCanvasHeight, kMarker);
            DrawItem(dialog, focused, itemID, ODS_FOCUS, IDC_WORKBOOKS, item);
            DrawItem(dialog, plain, itemID, 0, IDC_WORKBOOKS, item);
            for (const RECT &edge : {left, right, top, bottom}) {
                EXPECT_GT(NonBackground(focused, edge, back), 2) << "dotted edge";
                EXPECT_EQ(NonBackground(plain, edge, back), 0) << "no focus, no dots";
            }
            EXPECT_EQ(focused.At(0, 0), kMarker);
        }
    });
}

TEST(WorkbookDrawing, LeavesTheDeviceContextAsItFoundIt)
{
    RunWithDrawList([](HWND dialog) {
        Canvas canvas(kCanvasWidth, kCanvasHeight, kMarker);
        SetBkMode(canvas.dc, OPAQUE);
        SetTextColor(canvas.dc, RGB(10, 20, 30));
        SetBkColor(canvas.dc, RGB(40, 50, 60));
        HGDIOBJ brush = GetCurrentObject(canvas.dc, OBJ_BRUSH);
        HGDIOBJ font = GetCurrentObject(canvas.dc, OBJ_FONT);
        DrawItem(dialog, canvas, 1, ODS_SELECTED | ODS_FOCUS);
        EXPECT_EQ(GetBkMode(canvas.dc), OPAQUE);
        EXPECT_EQ(GetTextColor(canvas.dc), RGB(10, 20, 30));
        EXPECT_EQ(GetBkColor(canvas.dc), RGB(40, 50, 60));
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), font);
    });
}

TEST(WorkbookDrawing, OtherControlsAreLeftToThePlatform)
{
    RunWithDrawList([](HWND dialog) {
        Canvas canvas(kCanvasWidth, kCanvasHeight, kMarker);
        DrawItem(dialog, canvas, 0, ODS_SELECTED, IDC_WORKBOOKS + 1);
        EXPECT_EQ(canvas.Count(kMarker), kCanvasWidth * kCanvasHeight);

        MEASUREITEMSTRUCT measure{ODT_COMBOBOX, IDC_WORKBOOKS + 1, 0, 0, 77, 0};
        SendMessageA(CustomDialog(dialog), WM_MEASUREITEM, measure.CtlID, (LPARAM)&measure);
        EXPECT_EQ(measure.itemHeight, 77u);
    });
}

// The device context's default font sets the height, not the combo box's.
TEST(WorkbookDrawing, ItemHeightFromTheDefaultFontsAscent)
{
    RunWithDrawList([](HWND dialog) {
        HWND combo = CustomControl(dialog, IDC_WORKBOOKS);
        HDC dc = CreateCompatibleDC(nullptr);
        TEXTMETRICA byDefault, byComboFont;
        GetTextMetricsA(dc, &byDefault);
        SelectObject(dc, (HFONT)SendMessageA(combo, WM_GETFONT, 0, 0));
        GetTextMetricsA(dc, &byComboFont);
        DeleteDC(dc);
        ASSERT_NE(byDefault.tmAscent, byComboFont.tmAscent) << "the fonts must differ";
        EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), byDefault.tmAscent + 1);

        MEASUREITEMSTRUCT measure{ODT_COMBOBOX, IDC_WORKBOOKS, 0, 0, 77, 0};
        SendMessageA(CustomDialog(dialog), WM_MEASUREITEM, IDC_WORKBOOKS, (LPARAM)&measure);
        EXPECT_EQ(measure.itemHeight, (UINT)byDefault.tmAscent + 1);
    });
}

// What the combo box itself paints (into our DC, through WM_PRINTCLIENT)
// once a special entry is picked, and once a plain one is.
TEST(WorkbookDrawing, TheBoxShowsASpecialEntryGreyed)
{
    CustomRequest request;
    request.workbooks = kDrawList;
    DialogRun run(request);
    run.Run([&](HWND dialog) {
        HWND combo = CustomControl(dialog, IDC_WORKBOOKS);
        RECT client;
        GetClientRect(combo, &client);
        COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
        for (int entry : {1, 0}) {
            SCOPED_TRACE("entry " + std::to_string(entry));
            ASSERT_TRUE(PickComboEntry(combo, entry));
            Canvas canvas(client.right, client.bottom, kMarker);
            size_t before = run.Sent(WM_DRAWITEM).size();
            SendMessageA(combo, WM_PRINTCLIENT, (WPARAM)canvas.dc, PRF_CLIENT);
            std::vector<SentMessage> draws = run.Sent(WM_DRAWITEM);
            ASSERT_GT(draws.size(), before) << "the box drew its item";
            const DRAWITEMSTRUCT &last = draws.back().draw;
            EXPECT_EQ(last.hDC, canvas.dc);
            EXPECT_EQ(last.itemID, (UINT)entry);
            int greyPixels = canvas.Count(last.rcItem, grey);
            if (entry == 1)
                EXPECT_GT(greyPixels, 10);
            else
                EXPECT_EQ(greyPixels, 0);
        }
    });
}

}
