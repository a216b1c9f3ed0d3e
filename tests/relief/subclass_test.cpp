// Subclassing under each Windows version (the program is built once a
// version, see version_test.cpp): the class filters, the automatic hooks on
// the gallery dialog, the dialog's last word at WM_INITDIALOG, the relief
// frame, the colour messages of dialogs and the ring a field leaves.
#include <gtest/gtest.h>
#include <vector>
#include "reliefsupport.h"
#include "relief/controls/controls.h"
#include "relief/subclass.h"
#include "tools/gallery.h"

namespace {

const bool kBelow395 = EXPECTED_WINVERSION < WINVER_395;
const bool kHooks = EXPECTED_WINVERSION >= WINVER_310;

// A test's own CBT hook, called before the library's (installed later):
// clears DS_3DLOOK, which Wine gives every template dialog, and puts a
// recording procedure under the one the library installs.
bool clear3DLook;
WNDPROC recorderNext;
std::string recorded;
HHOOK testHook;

LRESULT CALLBACK Recorder(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == RM_QUERYDIALOG || msg == WM_INITDIALOG)
        recorded += msg == WM_INITDIALOG ? "prev:init " : "prev:query ";
    return CallWindowProcA(recorderNext, window, msg, wParam, lParam);
}

LRESULT CALLBACK TestCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && ((CBT_CREATEWNDA *)lParam)->lpcs->lpszClass == kDialogAtom) {
        HWND dialog = (HWND)wParam;
        if (clear3DLook)
            SetWindowLongA(dialog, GWL_STYLE, GetWindowLongA(dialog, GWL_STYLE) & ~DS_3DLOOK);
        recorderNext = (WNDPROC)SetWindowLongPtrA(dialog, GWLP_WNDPROC, (LONG_PTR)Recorder);
    }
    return CallNextHookEx(testHook, code, wParam, lParam);
}

struct Library {
    explicit Library(DWORD flags = 0, bool clear = false)
    {
        EXPECT_TRUE(ReliefRegister(Self()));
        EXPECT_EQ(ReliefAutoSubclassEx(Self(), flags) != 0, kHooks);
        clear3DLook = clear;
        recorded.clear();
        testHook = SetWindowsHookExA(WH_CBT, TestCbtHook, nullptr, GetCurrentThreadId());
    }
    ~Library() { UnhookWindowsHookEx(testHook), ReliefUnregister(Self()); }
};

// The filters, one row a case; the parent passed is none, a plain window
// or a combo box. Combo lists are those of real combo boxes of the kind.
enum Verdict { NEVER, BELOW_395, ALWAYS };
enum ParentKind { NO_PARENT, PLAIN, COMBO };

TEST(Filters, DecideByClassStyleVersionAndParent)
{
    const struct { const char *cls; DWORD style; WORD classes, atCreation; ParentKind parent;
                   Verdict verdict; } cases[] = {
        {"Button", BS_PUSHBUTTON, RELIEF_ALL, 0, NO_PARENT, BELOW_395},
        {"Button", BS_AUTOCHECKBOX | BS_LEFTTEXT, RELIEF_ALL, 0, NO_PARENT, BELOW_395},
        {"Button", BS_OWNERDRAW, RELIEF_ALL, 0, NO_PARENT, NEVER},
        {"Button", BS_PUSHBUTTON | BS_MULTILINE, RELIEF_ALL, 0, NO_PARENT, NEVER},
        {"Button", BS_PUSHBUTTON, RELIEF_EDIT | RELIEF_STATIC_TEXT, 0, NO_PARENT, NEVER},
        {"Static", SS_CENTER, RELIEF_STATIC_TEXT, 0, NO_PARENT, ALWAYS},
        {"Static", SS_BLACKFRAME, RELIEF_STATIC_TEXT, 0, NO_PARENT, NEVER},
        {"Static", SS_GRAYRECT, RELIEF_STATIC_FRAME, 0, NO_PARENT, ALWAYS},
        {"Static", SS_ETCHEDHORZ, RELIEF_STATIC_FRAME, 0, NO_PARENT, BELOW_395},
        {"Static", SS_LEFT, RELIEF_STATIC_FRAME, 0, NO_PARENT, NEVER},
        {"Static", SS_ICON, RELIEF_ALL, 0, NO_PARENT, NEVER},
        {"Edit", 0, RELIEF_ALL, 0, NO_PARENT, ALWAYS},
        {"Edit", 0, RELIEF_ALL, 0, COMBO, BELOW_395},
        {"ListBox", 0, RELIEF_ALL, 1, COMBO, BELOW_395},
        {"ComboBox", CBS_DROPDOWNLIST, RELIEF_ALL, 1, PLAIN, BELOW_395},
        {"ComboBox", CBS_DROPDOWN, RELIEF_ALL, 1, PLAIN, NEVER},
        {"ComboBox", CBS_DROPDOWN, RELIEF_ALL, 0, PLAIN, BELOW_395},
        {"ComboBox", CBS_SIMPLE, RELIEF_ALL, 1, PLAIN, BELOW_395},
        {"ComboBox", CBS_SIMPLE, RELIEF_ALL, 0, PLAIN, BELOW_395},
        {"ComboLBox", CBS_SIMPLE, RELIEF_LISTBOX, 1, COMBO, BELOW_395},
        {"ComboLBox", CBS_DROPDOWN, RELIEF_ALL, 1, COMBO, NEVER},
        {"ComboLBox", CBS_DROPDOWN, RELIEF_ALL, 0, COMBO, BELOW_395},
    };
    ASSERT_TRUE(ReliefRegister(Self()));
    HWND top = Window("STATIC", 0, nullptr, 0, 0, 300, 300);
    for (const auto &c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        bool list = !strcmp(c.cls, "ComboLBox");
        DWORD comboStyle = WS_VISIBLE | (list ? c.style : CBS_SIMPLE);
        HWND combo = Window("ComboBox", comboStyle, top, 0, 0, 80, 60);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        HWND window = list ? info.hwndList : Window(c.cls, WS_VISIBLE | c.style, top, 0, 0, 80, 60);
        HWND parent = c.parent == COMBO ? combo : c.parent == PLAIN ? top : nullptr;
        bool admitted = c.verdict == ALWAYS || (c.verdict == BELOW_395 && kBelow395);
        EXPECT_EQ(SubclassControl(window, c.classes, c.atCreation, parent) != 0, admitted);
        SendMessageA(window, WM_NULL, 0, 0);  // a window armed at creation takes its procedure now
        EXPECT_EQ(IdentifyCode(window) != 0, admitted);
        DestroyWindow(combo), DestroyWindow(window);
    }
    DestroyWindow(top);
    ReliefUnregister(Self());
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The code each gallery control answers once the dialog is up: buttons,
// combo boxes and their parts, and etched statics only below 3.95.
int ExpectedCode(HWND control, bool dialogTaken)
{
    int id = GetDlgCtrlID(control);
    char cls[16];
    GetClassNameA(control, cls, sizeof cls);
    bool comboPart = GetDlgCtrlID(GetParent(control)) >= IDC_COMBO_SIMPLE;
    if (!dialogTaken || id == IDC_ICON_STATIC)
        return 0;
    if (!kBelow395 && (comboPart || !strcmp(cls, "Button") || !strcmp(cls, "ComboBox")
                       || (id >= IDC_ETCHED_HORZ && id <= IDC_ETCHED_FRAME)))
        return 0;
    const char *const classes[] = {"Button", "ListBox", "Edit", "ComboBox", "Static", "ComboLBox"};
    for (int i = 0; i < 6; ++i)
        if (!strcmp(cls, classes[i]))
            return 1000 + (i == 5 ? 1 : i);
    return 0;
}

// Wine gives the template DS_3DLOOK: from 3.95 on the dialog keeps the
// system look unless the bit is cleared before the library's hook sees it.
TEST(AutoSubclass, GalleryDialogAndItsControls)
{
    for (bool clear : {false, true}) {
        Library library(0, clear);
        HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_GALLERY), nullptr,
                                         QuietDialog, 0);
        ASSERT_NE(dialog, nullptr);
        bool taken = kHooks && (kBelow395 || clear);
        EXPECT_EQ(IdentifyCode(dialog), taken ? RELIEF_ID_DIALOG : 0) << "cleared " << clear;
        EXPECT_EQ(ProcOf(dialog) == DialogFrameProc, taken);
        std::vector<HWND> controls;     // with the combo parts
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            for (HWND part = child; part; part = part == child ? GetWindow(child, GW_CHILD)
                                                               : GetWindow(part, GW_HWNDNEXT))
                controls.push_back(part);
        EXPECT_GE(controls.size(), 35u);
        for (HWND control : controls)
            EXPECT_EQ(IdentifyCode(control), ExpectedCode(control, taken)) << GetDlgCtrlID(control);
        DestroyWindow(dialog);
    }
}

// What the recording procedure under the library's and the dialog
// procedure see, and the state the dialog procedure finds at WM_INITDIALOG.
LONG initAnswer;
std::string DescribeState(HWND dialog)
{
    int relief = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        relief += IdentifyCode(child) != 0;
    return "frame=" + std::to_string(IdentifyCode(dialog) != 0)
         + " controls=" + std::to_string(relief);
}

INT_PTR CALLBACK AnsweringDialog(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == RM_QUERYDIALOG) {
        recorded += "dlg:query ";
        *(LONG *)lParam = initAnswer;
    } else if (msg == WM_INITDIALOG) {
        recorded += "dlg:init(" + DescribeState(dialog) + ") ";
        CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 40, 12, dialog, nullptr, nullptr, nullptr);
    }
    return FALSE;
}

// The gallery has 34 controls (combo parts not counted), one an icon; the
// dialog procedure adds an edit. The drop-down combo is taken only once
// its edit exists. From 3.95 on buttons, combo boxes and etched lines are
// left alone.
TEST(InitDialog, DialogDecidesBeforeOrAfterItsProcedureRuns)
{
    if (!kHooks)
        GTEST_SKIP() << "no hooks below 3.10";
    const std::string all = std::to_string(kBelow395 ? 34 : 14);
    const std::string atCreation = std::to_string(kBelow395 ? 32 : 13);
    const struct { DWORD flags; LONG answer; std::string atInit, after; } cases[] = {
        {0, 1, "frame=1 controls=" + atCreation, "frame=1 controls=" + all},
        {RELIEF_FRAMES_ONLY, 1, "frame=1 controls=0", "frame=1 controls=" + all},
        {0, 0, "frame=0 controls=0", "frame=0 controls=0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("flags " + std::to_string(c.flags) + ", answer " + std::to_string(c.answer));
        Library library(c.flags, true);
        initAnswer = c.answer;
        HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_GALLERY), nullptr,
                                         AnsweringDialog, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(recorded, "prev:query prev:query dlg:query prev:init dlg:init(" + c.atInit
                                + ") ");
        EXPECT_EQ(DescribeState(dialog), c.after);
        EXPECT_TRUE(c.answer || ProcOf(dialog) == Recorder) << "released";
        DestroyWindow(dialog);
    }
}

// The relief frame on the window DC: painted below 3.95, for visible, not
// iconic modal frames that the dialog does not refuse, after each frame
// message, whose result is the previous procedure's. A frame left to the
// system is told by the window DC never taken.
LONG frameAnswer;
INT_PTR CALLBACK FrameDialog(HWND, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == RM_QUERYFRAME)
        *(LONG *)lParam = frameAnswer;
    return FALSE;
}

ImportPatch *windowDcPatch;
int windowDcs;
HDC WINAPI CountWindowDc(HWND window)
{
    ++windowDcs;
    return windowDcPatch->Original<decltype(&GetWindowDC)>()(window);
}

TEST(DialogFrame, PaintedInReliefUnlessTheSystemFrameStays)
{
    FakeSysColors fake;
    const COLORREF shadow = RGB(128, 0, 0), frame = RGB(0, 128, 0), hilite = RGB(0, 0, 128),
                   face = RGB(128, 128, 0);
    fake.colors[COLOR_BTNSHADOW] = shadow, fake.colors[COLOR_WINDOWFRAME] = frame;
    fake.colors[COLOR_BTNHIGHLIGHT] = hilite, fake.colors[COLOR_BTNFACE] = face;
    const DWORD modal = WS_POPUP | WS_VISIBLE | DS_MODALFRAME;
    const struct { DWORD style; LONG answer; bool painted, caption; } cases[] = {
        {modal | WS_CAPTION, 1, kBelow395, true}, {modal | WS_DLGFRAME, 1, kBelow395, false},
        {modal | WS_CAPTION, 0, false, true}, {WS_POPUP | WS_VISIBLE | WS_CAPTION, 1, false, true},
        {modal | WS_BORDER, 1, false, false}, {modal | WS_CAPTION | WS_MINIMIZE, 1, false, true},
        {WS_POPUP | DS_MODALFRAME | WS_CAPTION, 1, false, true},
    };
    Library library;
    ImportPatch patch("user32.dll", "GetWindowDC", (void *)CountWindowDc);
    windowDcPatch = &patch;
    const FrameMetrics m = ReliefState.frameMetrics;
    const int w = 200, h = 120, cx = m.cxFrame, cy = m.cyFrame, box = cy + m.cyCaption;
    const struct { int x, y; COLORREF color; char when; } pixels[] = {  // always, caption, none
        {0, 0, shadow, 'a'}, {0, h - 2, shadow, 'a'}, {w - 1, 5, frame, 'a'},
        {5, h - 1, frame, 'a'}, {1, 1, hilite, 'a'}, {1, h - 3, hilite, 'a'},
        {w - 2, 5, shadow, 'a'}, {5, h - 2, shadow, 'a'}, {2, h / 2, face, 'a'},
        {1 + cx, h / 2, face, 'a'}, {w - 2 - cx, h / 2, face, 'a'}, {w - 3, h / 2, face, 'a'},
        {w / 2, 2, face, 'a'}, {w / 2, h - 3, face, 'a'}, {w / 2, h - 2 - cy, face, 'a'},
        {w / 2, cy, face, 'a'}, {w / 2, 1 + cy, face, 'n'}, {w / 2, 1 + cy, shadow, 'c'},
        {2 + cx, box - 1, shadow, 'c'}, {w - 3 - cx, box, hilite, 'c'}, {w / 2, box, hilite, 'c'},
    };
    for (const auto &c : cases) {
        frameAnswer = c.answer;
        HWND dialog = CreateWindowExA(0, kDialogAtom, "Frame", c.style, 10, 10, w, h, nullptr,
                                      nullptr, nullptr, nullptr);
        SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)FrameDialog);
        const bool painted = c.painted && kHooks;
        for (int message : {WM_NCPAINT, WM_SETTEXT, WM_NCACTIVATE}) {
            SCOPED_TRACE("case " + std::to_string(&c - cases) + " message "
                         + std::to_string(message));
            windowDcs = 0;
            LRESULT result = message == WM_NCPAINT
                ? RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW)
                : SendMessageA(dialog, message, 0, message == WM_SETTEXT ? (LPARAM)"Renamed" : 0);
            EXPECT_EQ(windowDcs > 0, painted);
            EXPECT_TRUE(result) << "the previous procedure's result";
            HDC dc = GetWindowDC(dialog);
            for (const auto &p : pixels) {
                bool relief = painted && (p.when == 'a' || (p.when == 'c') == c.caption);
                EXPECT_TRUE(!relief || GetPixel(dc, p.x, p.y) == p.color) << p.x << "," << p.y;
            }
            ReleaseDC(dialog, dc);
        }
        DestroyWindow(dialog);
    }
}

// The colour messages of a relief dialog: a "#32770" dialog procedure's
// own brush wins; for TRUE or FALSE, or without a "#32770" dialog
// procedure, the previous procedure is asked the relief colour message and
// then the library answers; without a dialog procedure, or (up to 3.10)
// with a Win32s thunk above 0xFFFF0000, the library answers at once. Kinds
// it does not colour get the default handling unless the relief message
// gives a brush.
HBRUSH ownBrush = (HBRUSH)GetStockObject(GRAY_BRUSH);
HBRUSH reliefMessageBrush = (HBRUSH)GetStockObject(DKGRAY_BRUSH);
INT_PTR dialogAnswer;
bool answerReliefMessage;
std::string asked;

// A dialog procedure answers the relief message through DWLP_MSGRESULT.
INT_PTR CALLBACK ColourDialog(HWND dialog, UINT msg, WPARAM, LPARAM)
{
    bool relief = msg >= WM_CTLCOLORMSGBOX + RM_CTLCOLOR_OFFSET;
    if (msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC + (relief ? RM_CTLCOLOR_OFFSET : 0))
        return FALSE;
    asked += relief ? "relief " : "colour ";
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, (LONG_PTR)reliefMessageBrush);
    return relief ? answerReliefMessage : dialogAnswer;
}

TEST(DialogFrameProc, ColourMessages)
{
    ASSERT_TRUE(ReliefRegister(Self()));    // no hook: the test subclasses itself
    HWND dialog = Window(kDialogAtom, 0, nullptr), bare = Window(kDialogAtom, 0, nullptr);
    HWND other = Window("Static", 0, nullptr), thunk = Window(kDialogAtom, 0, nullptr);
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)ColourDialog);
    SetWindowLongPtrA(thunk, DWLP_DLGPROC, (LONG_PTR)0xFFFFF010);  // no Wine procedure handle
    SetWindowLongPtrA(thunk, GWLP_WNDPROC, (LONG_PTR)DefWindowProcA);  // never calls it either
    for (HWND window : {dialog, bare, other, thunk})
        RecordUnder(window), InstallSubclass(window, DialogFrameProc);
    HBRUSH face = ReliefState.BrushTable[SYSCLR_BTNFACE];
    const struct { HWND window; UINT msg; INT_PTR dialogAnswer; bool answerRelief; HBRUSH result;
                   const char *asked; int forwards; } cases[] = {  // forwards 2: also the message
        {dialog, WM_CTLCOLORBTN, (INT_PTR)ownBrush, false, ownBrush, "colour ", 0},
        {dialog, WM_CTLCOLORBTN, TRUE, false, face, "colour relief ", 1},
        {dialog, WM_CTLCOLORSTATIC, FALSE, false, face, "colour relief ", 1},
        {dialog, WM_CTLCOLORSTATIC, FALSE, true, reliefMessageBrush, "colour relief ", 1},
        {dialog, WM_CTLCOLOREDIT, FALSE, false, nullptr, "colour relief colour ", 2},
        {dialog, WM_CTLCOLORSCROLLBAR, FALSE, true, reliefMessageBrush, "colour relief ", 1},
        {bare, WM_CTLCOLORBTN, FALSE, false, face, "", 0},
        {other, WM_CTLCOLORDLG, FALSE, false, face, "", 1},
        {thunk, WM_CTLCOLORBTN, FALSE, false, face, "", 1},
    };
    HDC dc = GetDC(dialog);
    for (const auto &c : cases) {
        if (c.window == thunk && EXPECTED_WINVERSION > WINVER_310)
            continue;   // called from 3.11 on
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        dialogAnswer = c.dialogAnswer, answerReliefMessage = c.answerRelief;
        asked.clear();
        HBRUSH got = (HBRUSH)SendMessageA(c.window, c.msg, (WPARAM)dc, (LPARAM)dialog);
        EXPECT_TRUE(c.result ? got == c.result : got != face) << "null: the default handling";
        EXPECT_EQ(asked, c.asked);
        const message both[] = {{c.msg + RM_CTLCOLOR_OFFSET, UNDER, 0}, {c.msg, UNDER, 0}, {}};
        const message relief[] = {both[0], {}}, none[] = {{}};
        ok_sequence(c.forwards == 2 ? both : c.forwards ? relief : none, "forwarded");
    }
    ReleaseDC(dialog, dc);
    for (HWND window : {dialog, bare, other, thunk})
        DestroyWindow(window);
    ForgetMessages();
    ReliefUnregister(Self());
}

// The ring a field leaves in its parent, read from the parent's update
// region after real changes: repainted when the field is hidden (below
// 3.10 through WM_SHOWWINDOW), from 3.10 on before it moves or changes
// size (for a height-only shrink only below its new bottom), a column wider
// beside a vertical scroll bar; below 3.10 the strip a shrinking list box
// uncovers; nothing for a change that neither moves, sizes, shows nor
// hides, for a hidden field, nor in a popup's owner.
TEST(FieldRing, RepaintedInTheParentByVersion)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    HWND parent = Window("#32770", WS_VISIBLE, nullptr, 200, 150, 300, 200);
    typedef void (*Change)(HWND field);
    static Change hide = [](HWND f) { ShowWindow(f, SW_HIDE); };
    static Change move = [](HWND f) { SetWindowPos(f, 0, 20, 36, 0, 0, SWP_NOSIZE); };
    static Change shrink = [](HWND f) { SetWindowPos(f, 0, 0, 0, 60, 25, SWP_NOMOVE); };
    const DWORD shown = WS_VISIBLE | LBS_NOINTEGRALHEIGHT;
    const struct { const char *cls; DWORD style; Change change; POINT ring; bool repainted; }
    cases[] = {
        {"Edit", shown, hide, {19, 29}, true},
        {"ListBox", shown | WS_VSCROLL | LBS_DISABLENOSCROLL, hide, {81, 50}, true},
        {"Edit", shown, move, {19, 29}, kHooks},
        {"Edit", shown, shrink, {19, 60}, kHooks},
        {"Edit", shown, shrink, {19, 29}, false},
        {"Edit", shown, [](HWND f) { SetWindowPos(f, 0, 0, 0, 50, 25, SWP_NOMOVE); }, {19, 29},
         kHooks},
        {"ListBox", shown, [](HWND f) { SetWindowPos(f, 0, 0, 0, 60, 20, SWP_NOMOVE); }, {50, 70},
         true},
        {"Edit", shown, [](HWND f) { SetWindowPos(f, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); },
         {19, 29}, false},
        {"Edit", 0, [](HWND f) { ShowWindow(f, SW_SHOWNA); }, {19, 29}, false},
        {"Edit", WS_POPUP | shown, move, {19, 29}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        bool popup = c.style & WS_POPUP;
        HWND f = CreateWindowExA(0, c.cls, "", (popup ? 0 : WS_CHILD) | c.style, popup ? 220 : 20,
                                 popup ? 180 : 30, 60, 40, parent, nullptr, nullptr, nullptr);
        EXPECT_TRUE(SubclassControl(f, RELIEF_ALL, 0, nullptr));
        UpdateWindow(parent);
        ValidateRect(parent, nullptr);
        c.change(f);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(parent, region, FALSE);
        EXPECT_EQ(PtInRegion(region, c.ring.x, c.ring.y) != 0, c.repainted);
        DeleteObject(region);
        DestroyWindow(f);
    }
    DestroyWindow(parent);
    ReliefUnregister(Self());
}

}  // namespace
