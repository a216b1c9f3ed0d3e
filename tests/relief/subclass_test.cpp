// Subclassing under each Windows version (the program is built once a
// version, see version_test.cpp): the class filters on real windows, the
// automatic hooks on the gallery dialog, the dialog's last word at
// WM_INITDIALOG, and the relief frame.
#include <gtest/gtest.h>
#include <string>
#include "reliefsupport.h"
#include "relief/controls/controls.h"
#include "relief/subclass.h"
#include "tools/gallery.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
const bool kBelow395 = EXPECTED_WINVERSION < WINVER_395;
const bool kHooks = EXPECTED_WINVERSION >= WINVER_310;
const LPCSTR kDialogAtom = MAKEINTATOM(0x8002);

HWND Child(HWND parent, const char *cls, DWORD style)
{
    return CreateWindowExA(0, cls, "x", WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 60,
                           parent, nullptr, nullptr, nullptr);
}

// A test's own CBT hook, called before the library's (installed later):
// clears DS_3DLOOK, which Wine gives every template dialog, and may put a
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
    ~Library()
    {
        UnhookWindowsHookEx(testHook);
        ReliefUnregister(Self());
    }
};

// The filters, one row a case; the parent passed is none, a plain window
// or a combo box. Combo lists are those of real combo boxes of the kind
// in style.
enum Verdict { NEVER, BELOW_395, ALWAYS };
enum ParentKind { NO_PARENT, PLAIN, COMBO };
struct FilterCase {
    const char *cls;
    DWORD style;
    WORD classes, atCreation;
    ParentKind parent;
    Verdict verdict;
};

TEST(Filters, DecideByClassStyleVersionAndParent)
{
    const FilterCase cases[] = {
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
    HWND top = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                               nullptr, nullptr);
    for (const FilterCase &c : cases) {
        std::string what = std::string(c.cls) + " style " + std::to_string(c.style)
                         + " at creation " + std::to_string(c.atCreation);
        HWND combo = Child(top, "ComboBox", strcmp(c.cls, "ComboLBox") ? CBS_SIMPLE : c.style);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        HWND window = strcmp(c.cls, "ComboLBox") ? Child(top, c.cls, c.style) : info.hwndList;
        HWND parent = c.parent == COMBO ? combo : c.parent == PLAIN ? top : nullptr;
        bool admitted = c.verdict == ALWAYS || (c.verdict == BELOW_395 && kBelow395);
        EXPECT_EQ(SubclassControl(window, c.classes, c.atCreation, parent) != 0, admitted) << what;
        SendMessageA(window, WM_NULL, 0, 0);  // a window armed at creation takes its procedure now
        EXPECT_EQ(IdentifyCode(window) != 0, admitted) << what;
        DestroyWindow(combo);
        DestroyWindow(window);
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
    static const char *const classes[] = {"Button", "ListBox", "Edit", "ComboBox", "Static", "ComboLBox"};
    for (int i = 0; i < 6; ++i)
        if (!strcmp(cls, classes[i]))
            return 1000 + (i == 5 ? 1 : i);
    return 0;
}

void ExpectGalleryCodes(HWND dialog, bool dialogTaken)
{
    int checked = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        EXPECT_EQ(IdentifyCode(child), ExpectedCode(child, dialogTaken)) << "control " << GetDlgCtrlID(child);
        for (HWND part = GetWindow(child, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT), ++checked)
            EXPECT_EQ(IdentifyCode(part), ExpectedCode(part, dialogTaken))
                << "part " << GetDlgCtrlID(part) << " of " << GetDlgCtrlID(child);
        ++checked;
    }
    EXPECT_GE(checked, 35) << "the gallery's controls and combo parts";
}

// Wine gives the template DS_3DLOOK: from 3.95 on the dialog keeps the
// system look unless the bit is cleared before the library's hook sees it.
TEST(AutoSubclass, GalleryDialogAndItsControls)
{
    for (bool clear : {false, true}) {
        Library library(0, clear);
        HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_GALLERY), nullptr, QuietDialog, 0);
        ASSERT_NE(dialog, nullptr);
        bool taken = kHooks && (kBelow395 || clear);
        EXPECT_EQ(IdentifyCode(dialog), taken ? RELIEF_ID_DIALOG : 0) << "cleared " << clear;
        EXPECT_EQ((WNDPROC)GetWindowLongPtrA(dialog, GWLP_WNDPROC) == DialogFrameProc, taken);
        ExpectGalleryCodes(dialog, taken);
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
    return "frame=" + std::to_string(IdentifyCode(dialog) != 0) + " controls=" + std::to_string(relief);
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

TEST(InitDialog, DialogDecidesBeforeOrAfterItsProcedureRuns)
{
    if (!kHooks)
        GTEST_SKIP() << "no hooks below 3.10";
    // The gallery has 34 controls (combo parts not counted), one of them an
    // icon; the dialog procedure adds an edit. The drop-down combo is taken
    // only once its edit exists, after its creation. From 3.95 on buttons,
    // combo boxes and etched lines are left alone.
    const int all = kBelow395 ? 34 : 14, atCreation = kBelow395 ? 32 : 13;
    struct {
        DWORD flags;
        LONG answer;
        std::string atInit, after;
    } cases[] = {
        {0, 1, "frame=1 controls=" + std::to_string(atCreation), "frame=1 controls=" + std::to_string(all)},
        {RELIEF_FRAMES_ONLY, 1, "frame=1 controls=0", "frame=1 controls=" + std::to_string(all)},
        {0, 0, "frame=0 controls=0", "frame=0 controls=0"},
    };
    for (const auto &c : cases) {
        Library library(c.flags, true);
        initAnswer = c.answer;
        HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_GALLERY), nullptr, AnsweringDialog, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(recorded, "prev:query prev:query dlg:query prev:init dlg:init(" + c.atInit + ") ")
            << "flags " << c.flags << ", answer " << c.answer;
        EXPECT_EQ(DescribeState(dialog), c.after) << "flags " << c.flags << ", answer " << c.answer;
        if (!c.answer) {
            EXPECT_EQ((WNDPROC)GetWindowLongPtrA(dialog, GWLP_WNDPROC), Recorder) << "released";
        }
        DestroyWindow(dialog);
    }
}

// The relief frame on the window DC, against rectangles of the window:
// painted below 3.95, for visible, not iconic modal frames that the dialog
// does not refuse; after each frame message, whose result is the previous
// procedure's. A frame left to the system is told by the window DC never
// taken.
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
    fake.colors[COLOR_BTNSHADOW] = shadow;
    fake.colors[COLOR_WINDOWFRAME] = frame;
    fake.colors[COLOR_BTNHIGHLIGHT] = hilite;
    fake.colors[COLOR_BTNFACE] = face;
    const DWORD modal = WS_POPUP | WS_VISIBLE | DS_MODALFRAME;
    struct {
        DWORD style;
        LONG answer;
        bool painted, caption;
    } cases[] = {
        {modal | WS_CAPTION, 1, kBelow395, true},
        {modal | WS_DLGFRAME, 1, kBelow395, false},
        {modal | WS_CAPTION, 0, false, true},
        {WS_POPUP | WS_VISIBLE | WS_CAPTION, 1, false, true},
        {modal | WS_BORDER, 1, false, false},
        {WS_POPUP | DS_MODALFRAME | WS_CAPTION, 1, false, true},
        {modal | WS_CAPTION | WS_MINIMIZE, 1, false, true},
    };
    Library library;
    ImportPatch patch("user32.dll", "GetWindowDC", (void *)CountWindowDc);
    windowDcPatch = &patch;
    const FrameMetrics m = ReliefState.frameMetrics;
    const int w = 200, h = 120, cx = m.cxFrame, cy = m.cyFrame, boxBottom = cy + m.cyCaption;
    enum { ALWAYS, WITH_CAPTION, WITHOUT_CAPTION };
    const struct { int x, y; COLORREF color; int when; } pixels[] = {
        {0, 0, shadow, ALWAYS}, {0, h - 2, shadow, ALWAYS}, {w - 1, 5, frame, ALWAYS},
        {5, h - 1, frame, ALWAYS}, {1, 1, hilite, ALWAYS}, {1, h - 3, hilite, ALWAYS},
        {w - 2, 5, shadow, ALWAYS}, {5, h - 2, shadow, ALWAYS},
        {2, h / 2, face, ALWAYS}, {1 + cx, h / 2, face, ALWAYS}, {w - 2 - cx, h / 2, face, ALWAYS},
        {w - 3, h / 2, face, ALWAYS}, {w / 2, 2, face, ALWAYS}, {w / 2, h - 3, face, ALWAYS},
        {w / 2, h - 2 - cy, face, ALWAYS}, {w / 2, cy, face, ALWAYS},
        {w / 2, 1 + cy, face, WITHOUT_CAPTION}, {w / 2, 1 + cy, shadow, WITH_CAPTION},
        {2 + cx, boxBottom - 1, shadow, WITH_CAPTION}, {w - 3 - cx, boxBottom, hilite, WITH_CAPTION},
        {w / 2, boxBottom, hilite, WITH_CAPTION},
    };
    for (const auto &c : cases) {
        frameAnswer = c.answer;
        HWND dialog = CreateWindowExA(0, kDialogAtom, "Frame", c.style, 10, 10, w, h,
                                      nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)FrameDialog);
        const bool painted = c.painted && kHooks;
        for (int message : {WM_NCPAINT, WM_SETTEXT, WM_NCACTIVATE}) {
            windowDcs = 0;
            LRESULT result = TRUE;
            if (message == WM_NCPAINT)
                RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            else
                result = SendMessageA(dialog, message, message == WM_SETTEXT ? 0 : FALSE,
                                      message == WM_SETTEXT ? (LPARAM)"Renamed" : 0);
            std::string what = "style " + std::to_string(c.style) + " answer "
                             + std::to_string(c.answer) + " message " + std::to_string(message);
            EXPECT_EQ(windowDcs > 0, painted) << what;
            EXPECT_TRUE(result) << what << ": the previous procedure's result";
            HDC dc = GetWindowDC(dialog);
            for (const auto &p : pixels) {
                if (painted && (p.when == ALWAYS || (p.when == WITH_CAPTION) == c.caption)) {
                    EXPECT_EQ(GetPixel(dc, p.x, p.y), p.color) << what << " at " << p.x << "," << p.y;
                }
            }
            ReleaseDC(dialog, dc);
        }
        DestroyWindow(dialog);
    }
}

// Up to 3.10 a dialog procedure above 0xFFFF0000 is a Win32s thunk and is
// not called: the colour message goes on as the relief message, and the
// library answers.
std::string thunkAsked;
LRESULT CALLBACK Unthunked(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORBTN + RM_CTLCOLOR_OFFSET)
        thunkAsked += "relief ";
    return msg == WM_CTLCOLORBTN + RM_CTLCOLOR_OFFSET ? 0 : DefWindowProcA(window, msg, wParam, lParam);
}

TEST(DialogFrame, ThunkNotCalledUpTo310)
{
    if (EXPECTED_WINVERSION > WINVER_310)
        GTEST_SKIP() << "called from 3.11 on";
    ASSERT_TRUE(ReliefRegister(Self()));    // no hook: the test subclasses itself
    HWND dialog = CreateWindowExA(0, kDialogAtom, "", WS_POPUP, 0, 0, 80, 40, nullptr, nullptr,
                                  nullptr, nullptr);
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)0xFFFFF010);    // no Wine procedure handle
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, (LONG_PTR)Unthunked);
    InstallSubclass(dialog, DialogFrameProc);
    HDC dc = GetDC(dialog);
    EXPECT_EQ((HBRUSH)SendMessageA(dialog, WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)dialog),
              ReliefState.BrushTable[SYSCLR_BTNFACE]);
    EXPECT_EQ(thunkAsked, "relief ");
    ReleaseDC(dialog, dc);
    DestroyWindow(dialog);
    ReliefUnregister(Self());
}

// The ring a field leaves in its parent is repainted when the field is
// hidden (below 3.10 through WM_SHOWWINDOW) or, from 3.10 on, before it
// moves; below 3.10 the strip a shrinking list box uncovers also is.
TEST(FieldRing, RepaintedInTheParentByVersion)
{
    Library library;
    HWND parent = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 200, 150, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    auto field = [&](const char *cls) {
        HWND f = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, 20, 30,
                                 60, 40, parent, nullptr, nullptr, nullptr);
        EXPECT_TRUE(SubclassControl(f, RELIEF_ALL, 0, nullptr)) << cls;
        return f;
    };
    typedef void (*Change)(HWND field);
    const struct { const char *cls; Change change; POINT ring; bool repainted; } cases[] = {
        {"Edit", [](HWND f) { ShowWindow(f, SW_HIDE); }, {19, 29}, true},
        {"ListBox", [](HWND f) { ShowWindow(f, SW_HIDE); }, {80, 70}, true},
        {"Edit", [](HWND f) { SetWindowPos(f, nullptr, 20, 36, 0, 0, SWP_NOSIZE | SWP_NOZORDER); },
         {19, 29}, kHooks},
        {"ListBox", [](HWND f) { SetWindowPos(f, nullptr, 0, 0, 60, 20, SWP_NOMOVE | SWP_NOZORDER); },
         {50, 70}, true},
    };
    for (const auto &c : cases) {
        HWND f = field(c.cls);
        UpdateWindow(parent);
        ValidateRect(parent, nullptr);
        c.change(f);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(parent, region, FALSE);
        EXPECT_EQ(PtInRegion(region, c.ring.x, c.ring.y) != 0, c.repainted) << "case " << &c - cases;
        DeleteObject(region);
        DestroyWindow(f);
    }
    DestroyWindow(parent);
}

}  // namespace
