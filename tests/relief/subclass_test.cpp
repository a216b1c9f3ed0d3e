// The library under each Windows version, as CTest sets it in the Wine
// registry for this program (built once a version, knowing what to expect).
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
        clear3DLook = clear, recorded.clear();
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

// The gallery through the hooks; the dialog's last word at WM_INITDIALOG,
// seen after or before its controls are taken. Of its 34 controls (combo
// parts not counted) one is an icon; its procedure adds an edit; the
// drop-down combo is taken once its edit exists. From 3.95 on buttons,
// combo boxes, etched lines, and the dialog unless its DS_3DLOOK (which
// Wine gives) is cleared first, are left alone.
TEST(InitDialog, GalleryTakenAndDialogDecidesAtInitDialog)
{
    const std::string all = std::to_string(kBelow395 ? 34 : 14), none = "frame=0 controls=0";
    const std::string atCreation = "frame=1 controls=" + std::to_string(kBelow395 ? 32 : 13);
    const struct { DWORD flags; LONG answer; bool clear; std::string atInit; } cases[] = {
        {0, 1, false, atCreation}, {0, 1, true, atCreation},
        {RELIEF_FRAMES_ONLY, 1, true, "frame=1 controls=0"}, {0, 0, true, none},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        Library library(c.flags, c.clear);
        initAnswer = c.answer;
        HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_GALLERY), nullptr,
                                         AnsweringDialog, 0);
        ASSERT_NE(dialog, nullptr);
        bool taken = kHooks && (kBelow395 || c.clear), kept = taken && c.answer;
        std::string queried = taken    ? "prev:query prev:query dlg:query "
                            : kHooks ? "prev:query " : "";
        EXPECT_EQ(recorded, queried + "prev:init dlg:init(" + (taken ? c.atInit : none) + ") ");
        EXPECT_EQ(DescribeState(dialog), kept ? "frame=1 controls=" + all : none);
        EXPECT_EQ(ProcOf(dialog), kept ? DialogFrameProc : Recorder) << "released or left";
        std::vector<HWND> controls;     // with the combo parts
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            for (HWND part = child; part; part = part == child ? GetWindow(child, GW_CHILD)
                                                               : GetWindow(part, GW_HWNDNEXT))
                controls.push_back(part);
        EXPECT_GE(controls.size(), 36u);
        for (HWND control : controls)
            EXPECT_EQ(IdentifyCode(control), ExpectedCode(control, kept)) << GetDlgCtrlID(control);
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

// Colour messages: a "#32770" dialog procedure's own brush wins; for TRUE
// or FALSE, or another class, the previous procedure is asked the relief
// colour message, then the library answers; without a dialog procedure, or
// (to 3.10) with a Win32s thunk, the library answers at once. Kinds it does
// not colour get the default unless the relief message gives a brush.
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

// The ring a field leaves in its parent's update region: on hiding (below
// 3.10 through WM_SHOWWINDOW), from 3.10 before moving or sizing (only
// below a shrunk bottom), a column wider beside a scroll bar; below 3.10
// the strip a shrinking list uncovers; nothing for a change that neither
// moves, sizes, shows nor hides, for a hidden field, in a popup's owner.
TEST(FieldRing, RepaintedInTheParentByVersion)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    HWND parent = Window("#32770", WS_VISIBLE, nullptr, 200, 150, 300, 200);
    typedef void (*Change)(HWND field);
    static Change hide = [](HWND f) { ShowWindow(f, SW_HIDE); };
    static Change move = [](HWND f) { SetWindowPos(f, 0, 20, 36, 0, 0, SWP_NOSIZE); };
    static Change shrink = [](HWND f) { SetWindowPos(f, 0, 0, 0, 60, 25, SWP_NOMOVE); };
    static Change shorten = [](HWND f) { SetWindowPos(f, 0, 0, 0, 60, 20, SWP_NOMOVE); };
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
        {"ListBox", shown, shorten, {50, 70}, true}, {"ListBox", shown, shorten, {50, 120}, false},
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


ReliefRecord &rs = ReliefState;

// The version word and platform; btnHilite forced to white on 3.0 only;
// per-thread hooks from 3.10. (Win32s never reported 3.95: its platform
// is checked on the value itself.)
TEST(Version, WordPlatformHighlightAndHooks)
{
    FakeSysColors fake;
    fake.colors[COLOR_BTNHIGHLIGHT] = RGB(200, 200, 200);
    ASSERT_TRUE(ReliefRegister(Self()));
    EXPECT_TRUE(rs.winVersion == EXPECTED_WINVERSION && rs.platform == EXPECTED_PLATFORM)
        << "GetVersion " << std::hex << GetVersion();
    EXPECT_TRUE(WinVersionOf(0x80005F03) == WINVER_395 && PlatformOf(0x80005F03) == 32);
    COLORREF expected = EXPECTED_WINVERSION == WINVER_30 ? RGB(255, 255, 255) : RGB(200, 200, 200);
    LOGBRUSH lb{};
    GetObjectA(rs.BrushTable[0], sizeof lb, &lb);
    EXPECT_TRUE(rs.SysColorTable[SYSCLR_BTNHILITE] == expected && lb.lbColor == expected);
    EXPECT_EQ(ReliefAutoSubclass(Self()) != 0, kHooks);
    EXPECT_EQ(rs.hookCount, kHooks ? 1 : 0);
    ReliefUnregister(Self());
    EXPECT_EQ(rs.hookCount, 0);
}

struct Answer { HBRUSH brush; COLORREF text, back; };

Answer Ask(UINT msg, HDC dc, HWND window)
{
    SetTextColor(dc, RGB(1, 1, 1)), SetBkColor(dc, RGB(2, 2, 2));
    HBRUSH brush = ReliefCtlColor(msg, dc, window);
    return {brush, GetTextColor(dc), GetBkColor(dc)};
}

// Buttons, dialogs and statics always get the face colour and button text;
// list boxes only below 3.95, and only simple and drop-down combo boxes (an
// edit child and low style bits other than 3). The text and background
// colours are set apart, unlike Wine's own.
TEST(Version, ColourAnswers)
{
    FakeSysColors fake;
    fake.colors[COLOR_BTNTEXT] = RGB(10, 20, 30), fake.colors[COLOR_WINDOWTEXT] = RGB(40, 50, 60);
    fake.colors[COLOR_BTNFACE] = RGB(70, 80, 90), fake.colors[COLOR_WINDOW] = RGB(100, 110, 120);
    HWND parent = Window("STATIC", 0, nullptr, 0, 0, 300, 200);
    HWND dropDown = Window("COMBOBOX", CBS_DROPDOWN, parent, 0, 0, 100, 80);
    HWND simple = Window("COMBOBOX", CBS_SIMPLE, parent, 0, 0, 100, 80);
    HWND dropList = Window("COMBOBOX", CBS_DROPDOWNLIST, parent);
    HWND list = Window("LISTBOX", 0, parent);
    Window("STATIC", 0, dropList, 0, 0, 5, 5);
    ASSERT_NE(GetWindow(dropDown, GW_CHILD), nullptr);
    ASSERT_NE(GetWindow(dropList, GW_CHILD), nullptr) << "a child, so only the style decides";
    ASSERT_EQ(GetWindow(list, GW_CHILD), nullptr);
    Canvas canvas(4, 4, RGB(0, 0, 0));
    HDC dc = canvas.dc;
    EXPECT_EQ(Ask(WM_CTLCOLORBTN, dc, parent).brush, nullptr) << "library off";
    ASSERT_TRUE(ReliefRegister(Self()));
    const Answer face = {rs.BrushTable[1], RGB(10, 20, 30), RGB(70, 80, 90)};
    LOGBRUSH lb{};
    GetObjectA(face.brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(70, 80, 90)) << "the face brush";
    const Answer none = {nullptr, RGB(1, 1, 1), RGB(2, 2, 2)};
    struct { UINT msg; HWND window; bool answered; } cases[] = {
        {WM_CTLCOLORBTN, parent, true}, {WM_CTLCOLORDLG, parent, true},
        {WM_CTLCOLORSTATIC, parent, true}, {WM_CTLCOLORMSGBOX, parent, false},
        {WM_CTLCOLOREDIT, parent, false}, {WM_CTLCOLORSCROLLBAR, parent, false},
        {WM_CTLCOLORLISTBOX, dropDown, kBelow395}, {WM_CTLCOLORLISTBOX, simple, kBelow395},
        {WM_CTLCOLORLISTBOX, dropList, false}, {WM_CTLCOLORLISTBOX, list, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        Answer got = Ask(c.msg, dc, c.window), want = c.answered ? face : none;
        EXPECT_TRUE(got.brush == want.brush && got.text == want.text && got.back == want.back);
    }
    ReliefUnregister(Self());
    DestroyWindow(parent);
}

}  // namespace
