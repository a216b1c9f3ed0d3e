// Relief windows whatever the version: what each relief procedure forwards
// and answers, marks set and removed, dialog trees subclassed and released,
// the colour messages of dialogs, the one-shot hook and the control ring in
// the parent's update region.
#include <gtest/gtest.h>
#include <string>
#include "reliefsupport.h"
#include "relief/controls/controls.h"
#include "relief/subclass.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
const LPCSTR kDialogAtom = MAKEINTATOM(0x8002);

struct Library {
    Library() { EXPECT_TRUE(ReliefRegister(Self())); }
    ~Library() { ReliefUnregister(Self()); }
};

HWND Window(const char *cls, DWORD style, HWND parent, int x = 0, int y = 0, int w = 80, int h = 40)
{
    return CreateWindowExA(0, cls, "x", style | (parent ? WS_CHILD : WS_POPUP), x, y, w, h,
                           parent, nullptr, nullptr, nullptr);
}

bool Marked(HWND window, const char *name) { return GetPropA(window, name) != nullptr; }

// Recording procedures put under (Inner) or over (Outer) a relief
// procedure, one window at a time: they log the identify messages they see
// and, at WM_NCDESTROY, the marks left after the procedures below them ran.
std::string seen;
WNDPROC innerNext, outerNext;

LRESULT Record(WNDPROC next, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == RM_IDENTIFY || msg == RM_IDENTIFY_ALT)
        seen += "identify ";
    LRESULT result = CallWindowProcA(next, window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        seen += std::string("ncdestroy New=") + (Marked(window, "RlfNew") ? "1" : "0")
              + " D=" + (Marked(window, "RlfD") ? "1" : "0") + " ";
    return result;
}

LRESULT CALLBACK Inner(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Record(innerNext, w, m, wp, lp); }
LRESULT CALLBACK Outer(HWND w, UINT m, WPARAM wp, LPARAM lp) { return Record(outerNext, w, m, wp, lp); }

WNDPROC Subclass(HWND window, WNDPROC proc)
{
    return (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)proc);
}

// Every relief procedure: its identify answer, whether the previous
// procedure sees the query first, and its answer once marked "RlfD".
TEST(ReliefProcedures, IdentifyForwardAndReleaseTheirMarks)
{
    Library library;
    const struct {
        const char *cls;
        DWORD style;
        int classIndex, code;
        bool previousSees, answersDisabled;
    } cases[] = {
        {"Button", BS_CHECKBOX, RCLASS_BUTTON, RELIEF_ID_BUTTON, false, false},
        {"ListBox", 0, RCLASS_LISTBOX, RELIEF_ID_LISTBOX, false, false},
        {"Edit", 0, RCLASS_EDIT, RELIEF_ID_EDIT, true, false},
        {"ComboBox", CBS_DROPDOWNLIST, RCLASS_COMBOBOX, RELIEF_ID_COMBOBOX, false, true},
        {"Static", SS_LEFT, RCLASS_STATIC, RELIEF_ID_STATIC, false, false},
        {"#32770", 0, RCLASS_DIALOG, RELIEF_ID_DIALOG, false, false},
    };
    for (const auto &c : cases) {
        HWND window = Window(c.cls == std::string("#32770") ? kDialogAtom : c.cls, c.style, nullptr);
        innerNext = Subclass(window, Inner);
        WNDPROC proc = c.classIndex == RCLASS_DIALOG ? DialogFrameProc
                                                     : ReliefState.ClassProcTable[c.classIndex].subclassProc;
        InstallSubclass(window, proc);
        seen.clear();
        EXPECT_EQ(IdentifyCode(window), c.code) << c.cls;
        EXPECT_EQ(seen, c.previousSees ? "identify " : "") << c.cls;
        InstallSubclass(window, DefWindowProcA);
        EXPECT_EQ((WNDPROC)GetWindowLongPtrA(window, GWLP_WNDPROC), proc) << c.cls << ": subclassed once";

        SetPropA(window, "RlfD", (HANDLE)1);
        seen.clear();
        EXPECT_EQ(IdentifyCode(window), c.answersDisabled ? c.code : 0) << c.cls << " marked RlfD";
        EXPECT_EQ(seen, c.answersDisabled ? "" : "identify identify ") << c.cls << " forwards both";

        outerNext = Subclass(window, Outer);    // an application's, over the relief procedure
        seen.clear();
        DestroyWindow(window);
        EXPECT_EQ(seen, "ncdestroy New=1 D=1 ncdestroy New=0 D=0 ") << c.cls;
    }
}

// Two levels below a dialog are subclassed; a live relief child is left as
// it is, a stale mark is renewed.
TEST(SubclassDialog, TwoLevelsAndStaleMarks)
{
    Library library;
    HWND dialog = Window(kDialogAtom, 0, nullptr, 0, 0, 300, 200);
    HWND level1 = Window("Static", SS_LEFT, dialog), container = Window("#32770", 0, dialog);
    HWND level2 = Window("Static", SS_LEFT, container), level3 = Window("Static", SS_LEFT, level2);
    HWND live = Window("Static", SS_LEFT, dialog), stale = Window("Static", SS_LEFT, dialog);
    InstallSubclass(live, ReliefStaticProc);
    HANDLE liveSaved = GetPropA(live, "RlfNew");
    SetPropA(stale, "RlfNew", (HANDLE)DefWindowProcA);

    EXPECT_TRUE(ReliefSubclassDialog(dialog, RELIEF_ALL));
    EXPECT_EQ(IdentifyCode(level1), RELIEF_ID_STATIC);
    EXPECT_EQ(IdentifyCode(level2), RELIEF_ID_STATIC);
    EXPECT_EQ(IdentifyCode(level3), 0) << "three levels down";
    EXPECT_EQ(GetPropA(live, "RlfNew"), liveSaved) << "not subclassed again";
    EXPECT_EQ(IdentifyCode(stale), RELIEF_ID_STATIC) << "stale mark renewed";
    EXPECT_NE(GetPropA(stale, "RlfNew"), (HANDLE)DefWindowProcA);
    DestroyWindow(dialog);
}

// Relief procedures that are current are taken out; one under an
// application's subclass is switched to forwarding.
TEST(SubclassDialog, TreeReleasedOrSwitchedToForwarding)
{
    Library library;
    HWND dialog = Window(kDialogAtom, 0, nullptr, 0, 0, 300, 200);
    HWND edit = Window("Edit", 0, dialog), text = Window("Static", SS_LEFT, dialog);
    WNDPROC dialogProc = (WNDPROC)GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    WNDPROC textProc = (WNDPROC)GetWindowLongPtrA(text, GWLP_WNDPROC);
    InstallSubclass(dialog, DialogFrameProc);
    ReliefSubclassDialog(dialog, RELIEF_ALL);
    outerNext = Subclass(edit, Outer);

    EXPECT_TRUE(UnsubclassTree(dialog));
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(dialog, GWLP_WNDPROC), dialogProc);
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(text, GWLP_WNDPROC), textProc);
    EXPECT_FALSE(Marked(dialog, "RlfNew") || Marked(text, "RlfNew"));
    EXPECT_EQ((WNDPROC)GetWindowLongPtrA(edit, GWLP_WNDPROC), Outer);
    EXPECT_TRUE(Marked(edit, "RlfD"));
    EXPECT_EQ(IdentifyCode(edit), 0) << "the edit's relief procedure forwards everything";
    DestroyWindow(dialog);
}

// The colour messages of a relief dialog: the dialog procedure's own brush
// wins; for TRUE or FALSE its previous procedure is asked the relief colour
// message, then the library answers; kinds the library does not colour end
// in the default handling unless the relief message gives a brush.
HBRUSH ownBrush = (HBRUSH)GetStockObject(GRAY_BRUSH), reliefMessageBrush = (HBRUSH)GetStockObject(DKGRAY_BRUSH);
INT_PTR dialogAnswer;
bool answerReliefMessage;
std::string asked;

// A dialog procedure answers the relief message, as any private message,
// through DWLP_MSGRESULT.
INT_PTR CALLBACK ColourDialog(HWND dialog, UINT msg, WPARAM, LPARAM)
{
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        asked += "colour ";
        return dialogAnswer;
    }
    if (msg >= WM_CTLCOLORMSGBOX + RM_CTLCOLOR_OFFSET && msg <= WM_CTLCOLORSTATIC + RM_CTLCOLOR_OFFSET) {
        asked += "relief ";
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, (LONG_PTR)reliefMessageBrush);
        return answerReliefMessage;
    }
    return FALSE;
}

TEST(DialogFrameProc, ColourMessages)
{
    Library library;
    HWND dialog = Window(kDialogAtom, 0, nullptr);
    SetWindowLongPtrA(dialog, DWLP_DLGPROC, (LONG_PTR)ColourDialog);
    InstallSubclass(dialog, DialogFrameProc);
    HBRUSH face = ReliefState.BrushTable[SYSCLR_BTNFACE];
    const struct {
        UINT msg;
        INT_PTR dialogAnswer;
        bool answerRelief;
        HBRUSH result;
        const char *asked;
    } cases[] = {
        {WM_CTLCOLORBTN, (INT_PTR)ownBrush, false, ownBrush, "colour "},
        {WM_CTLCOLORBTN, TRUE, false, face, "colour relief "},
        {WM_CTLCOLORSTATIC, FALSE, false, face, "colour relief "},
        {WM_CTLCOLORSTATIC, FALSE, true, reliefMessageBrush, "colour relief "},
        {WM_CTLCOLOREDIT, FALSE, false, nullptr, "colour relief colour "},
        {WM_CTLCOLORSCROLLBAR, FALSE, true, reliefMessageBrush, "colour relief "},
    };
    HDC dc = GetDC(dialog);
    for (const auto &c : cases) {
        dialogAnswer = c.dialogAnswer;
        answerReliefMessage = c.answerRelief;
        asked.clear();
        HBRUSH got = (HBRUSH)SendMessageA(dialog, c.msg, (WPARAM)dc, (LPARAM)dialog);
        if (c.result) {
            EXPECT_EQ(got, c.result) << "message " << std::hex << c.msg;
        } else {
            EXPECT_NE(got, face) << "message " << std::hex << c.msg << ": default handling";
        }
        EXPECT_EQ(asked, c.asked) << "message " << std::hex << c.msg;
    }
    ReleaseDC(dialog, dc);
    DestroyWindow(dialog);
}

// A second window armed while one is pending replaces it; each is
// subclassed at most once.
TEST(OneShotHook, SecondArmedWindowReplacesThePendingOne)
{
    Library library;
    HWND first = Window("Static", SS_LEFT, nullptr), second = Window("Static", SS_LEFT, nullptr);
    WNDPROC system = (WNDPROC)GetWindowLongPtrA(second, GWLP_WNDPROC);
    InstallAtFirstMessage(first, ReliefStaticProc);
    InstallAtFirstMessage(second, ReliefStaticProc);
    for (int i = 0; i < 2; ++i) {
        SendMessageA(first, WM_NULL, 0, 0);
        SendMessageA(second, WM_NULL, 0, 0);
    }
    EXPECT_EQ(IdentifyCode(first), 0);
    EXPECT_EQ(IdentifyCode(second), RELIEF_ID_STATIC);
    EXPECT_EQ((WNDPROC)GetPropA(second, "RlfNew"), system) << "subclassed once";
    DestroyWindow(first);
    DestroyWindow(second);
}

// A thread's row that outlives the library's termination subclasses nothing.
TEST(CbtHook, RowOutlivingTheLibraryOnlyPassesCallsOn)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    Worker worker;
    worker.Run([] { ReliefAutoSubclass(Self()); });
    ReliefUnregister(Self());
    ASSERT_FALSE(ReliefState.reliefOn);
    ASSERT_EQ(ReliefState.hookCount, 1);
    worker.Run([] {
        HWND dialog = Window(kDialogAtom, 0, nullptr);
        EXPECT_NE(dialog, nullptr);
        EXPECT_NE((WNDPROC)GetWindowLongPtrA(dialog, GWLP_WNDPROC), DialogFrameProc);
        DestroyWindow(dialog);
        ReliefRegister(Self());
        ReliefUnregister(Self());   // removes the row, and the library again
    });
    EXPECT_EQ(ReliefState.hookCount, 0);
}

// The ring a control leaves in its parent, read back as the parent's
// update region.
RECT UpdateBox(HWND parent)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    RECT box = {0, 0, 0, 0};
    if (GetUpdateRgn(parent, region, FALSE) != NULLREGION)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

TEST(ControlRing, InvalidatedForPendingChangesAndValidated)
{
    HWND parent = Window("#32770", WS_VISIBLE, nullptr, 0, 0, 200, 150);
    HWND edit = Window("Edit", WS_VISIBLE, parent, 20, 30, 60, 40);
    HWND scrolled = Window("ListBox", WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL, parent, 100, 30, 60, 40);
    HWND hidden = Window("Edit", 0, parent, 20, 90, 60, 20);
    const struct {
        HWND control;
        UINT flags;
        int cx, cy;
        RECT expected;
    } cases[] = {
        {edit, SWP_NOMOVE | SWP_NOSIZE, 0, 0, {0, 0, 0, 0}},
        {edit, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW, 0, 0, {19, 29, 81, 71}},
        {edit, SWP_NOSIZE, 0, 0, {19, 29, 81, 71}},
        {edit, SWP_NOMOVE, 60, 25, {19, 55, 81, 71}},
        {edit, SWP_NOMOVE, 50, 25, {19, 29, 81, 71}},
        {scrolled, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE, 0, 0, {99, 29, 162, 71}},
        {hidden, SWP_SHOWWINDOW, 0, 0, {0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        ValidateRect(parent, nullptr);
        WINDOWPOS pending = {c.control, nullptr, 0, 0, c.cx, c.cy, c.flags};
        InvalidateControlRing(c.control, &pending);
        RECT got = UpdateBox(parent);
        EXPECT_TRUE(EqualRect(&got, &c.expected)) << "flags " << std::hex << c.flags << ": "
            << std::dec << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
    InvalidateRect(parent, nullptr, FALSE);
    ValidateControlRing(scrolled);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(parent, region, FALSE);
    EXPECT_FALSE(PtInRegion(region, 99, 29) || PtInRegion(region, 161, 70) || PtInRegion(region, 130, 50));
    EXPECT_TRUE(PtInRegion(region, 98, 29) && PtInRegion(region, 162, 50));
    DeleteObject(region);
    DestroyWindow(parent);
}

}  // namespace
