// Relief windows whatever the version: what relief procedures forward and
// answer, marks set and removed, dialog trees subclassed and released, hooks.
#include <gtest/gtest.h>
#include <algorithm>
#include "reliefsupport.h"
#include "relief/controls/controls.h"
#include "relief/subclass.h"

namespace {

struct Library {
    Library() { EXPECT_TRUE(ReliefRegister(Self())); }
    ~Library() { ReliefUnregister(Self()); }
};
HANDLE Mark(HWND window, const char *name) { return GetPropA(window, name); }
WNDPROC SystemProc(int i) { return i < RCLASS_DIALOG ? ReliefState.ClassProcTable[i].systemProc
                                                    : ReliefState.dialogSystemProc; }

const struct ReliefClass {     // the six relief procedures, one class each
    const char *cls;
    DWORD style;
    int classIndex, code;
    HWND Make(HWND parent = nullptr) const { return Window(Atom(), style, parent); }
    LPCSTR Atom() const { return classIndex == RCLASS_DIALOG ? kDialogAtom : cls; }
    WNDPROC Proc() const { return classIndex < RCLASS_DIALOG
        ? ReliefState.ClassProcTable[classIndex].subclassProc : DialogFrameProc; }
} kClasses[] = {
    {"Button", BS_CHECKBOX, RCLASS_BUTTON, RELIEF_ID_BUTTON},
    {"ListBox", 0, RCLASS_LISTBOX, RELIEF_ID_LISTBOX},
    {"Edit", 0, RCLASS_EDIT, RELIEF_ID_EDIT},
    {"ComboBox", CBS_DROPDOWNLIST, RCLASS_COMBOBOX, RELIEF_ID_COMBOBOX},
    {"Static", SS_LEFT, RCLASS_STATIC, RELIEF_ID_STATIC},
    {"#32770", 0, RCLASS_DIALOG, RELIEF_ID_DIALOG},
};

// Each relief procedure's identify answer (written only for a sender of its
// own thread), whether the previous procedure sees the query first, its
// answer once marked "RlfD"; the class's procedure saved when none was; a
// window subclassed once; both marks removed after WM_NCDESTROY went down.
TEST(ReliefProcedures, IdentifyForwardAndReleaseTheirMarks)
{
    Library library;
    const message id = {RM_IDENTIFY, UNDER, 0}, none[] = {{}}, editForwards[] = {id, id, {}};
    const message both[] = {id, {RM_IDENTIFY_ALT, UNDER, 0}, {}};
    const message destroyed[] = {{WM_DESTROY, UNDER, 0}, {WM_NCDESTROY, UNDER | MARKED, 0},
                                 {WM_NCDESTROY, OVER, 0}, {}};
    for (const ReliefClass &c : kClasses) {
        SCOPED_TRACE(c.cls);
        HWND window = c.Make(), bare = c.Make();
        RecordUnder(window);
        InstallSubclass(window, c.Proc());
        EXPECT_EQ(IdentifyCode(window), c.code);
        LONG answer = RELIEF_NO_ANSWER, code = 0;
        TestThread sender;
        sender.Start([&] { code = SendMessageA(window, RM_IDENTIFY, 0, (LPARAM)&answer); });
        while (!sender.Join(0))
            PumpWait(5);
        EXPECT_TRUE(code == c.code && answer == RELIEF_NO_ANSWER) << "from another thread";
        ok_sequence(c.classIndex == RCLASS_EDIT ? editForwards : none, "identified");
        InstallSubclass(window, DefWindowProcA);
        EXPECT_FALSE(SubclassControl(window, RELIEF_ALL, 0, nullptr));
        EXPECT_EQ(ProcOf(window), c.Proc()) << "subclassed once";
        SetPropA(window, "RlfD", (HANDLE)1);
        bool answers = c.classIndex == RCLASS_COMBOBOX;
        EXPECT_EQ(IdentifyCode(window), answers ? c.code : 0) << "marked RlfD";
        ok_sequence(answers ? none : both, "marked RlfD");
        SetWindowLongPtrA(bare, GWLP_WNDPROC, (LONG_PTR)c.Proc());
        SendMessageA(bare, WM_NULL, 0, 0);
        EXPECT_EQ(Mark(bare, "RlfNew"), (HANDLE)SystemProc(c.classIndex)) << "fallback saved";
        RecordOver(window);     // an application's, over the relief procedure
        DestroyWindow(bare), DestroyWindow(window);
        ok_sequence(destroyed, "destroyed");
    }
}

// A Unicode window stays one under its relief procedure, installed or taken
// up through the class's procedure: a text outside the ANSI code page
// passes through whole, and the release gives back the wide procedure.
TEST(ReliefProcedures, UnicodeWindowsKeepTheirTexts)
{
    Library library;
    const std::wstring text = L"\u65E5\u672C \U0001F600";
    const UINT io[][2] = {{WM_SETTEXT, WM_GETTEXT}, {LB_ADDSTRING, LB_GETTEXT},
                          {WM_SETTEXT, WM_GETTEXT}, {CB_ADDSTRING, CB_GETLBTEXT},
                          {WM_SETTEXT, WM_GETTEXT}, {WM_SETTEXT, WM_GETTEXT}};
    for (const ReliefClass &c : kClasses) {
        std::wstring cls(c.cls, c.cls + strlen(c.cls));
        for (bool installed : {true, false}) {
            SCOPED_TRACE(c.cls + std::string(installed ? " installed" : " taken up"));
            HWND window = CreateWindowExW(0, c.classIndex == RCLASS_DIALOG ? (LPCWSTR)kDialogAtom
                                          : cls.c_str(), L"", c.style | WS_POPUP, 0, 0, 80, 40,
                                          nullptr, nullptr, nullptr, nullptr);
            LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
            if (installed)
                InstallSubclass(window, c.Proc());
            else
                SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)c.Proc());
            EXPECT_TRUE(IsWindowUnicode(window) && IdentifyCode(window) == c.code);
            WCHAR back[16] = L"";
            const UINT *message = io[&c - kClasses];
            SendMessageW(window, message[0], 0, (LPARAM)text.c_str());
            SendMessageW(window, message[1], message[0] == WM_SETTEXT ? 16 : 0, (LPARAM)back);
            EXPECT_EQ(back, text);
            UnsubclassTree(window);
            EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
            DestroyWindow(window);
        }
    }
}

// Windows that outlive the library forward everything to what they saved;
// a thread's row that outlives it subclasses nothing.
TEST(ReliefProcedures, WindowsAndHooksOutlivingTheLibrary)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    Worker worker;
    worker.Run([] { ReliefAutoSubclass(Self()); });
    HWND parent = Window("#32770", 0, nullptr), windows[6];
    for (int i = 0; i < 6; ++i) {
        windows[i] = kClasses[i].Make(parent);
        RecordUnder(windows[i]);
        InstallSubclass(windows[i], kClasses[i].Proc());
    }
    ReliefUnregister(Self());
    ASSERT_TRUE(!ReliefState.reliefOn && ReliefState.hookCount == 1);
    const message forwarded[] = {{RM_IDENTIFY, UNDER, 0}, {RM_IDENTIFY_ALT, UNDER, 0},
                                 {WM_PAINT, UNDER, 0}, {}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(IdentifyCode(windows[i]), 0) << kClasses[i].cls;
        SendMessageA(windows[i], WM_PAINT, 0, 0);
        ok_sequence(forwarded, kClasses[i].cls);
    }
    DestroyWindow(parent);
    ForgetMessages();
    worker.Run([] {
        HWND dialog = Window(kDialogAtom, 0, nullptr);
        EXPECT_TRUE(dialog && ProcOf(dialog) != DialogFrameProc);
        DestroyWindow(dialog);
        ReliefRegister(Self()), ReliefUnregister(Self());   // the row goes, and the library again
    });
    EXPECT_EQ(ReliefState.hookCount, 0);
}

// ReliefSubclassDialog, twice: two levels are subclassed; a stale mark over
// the class's procedure is renewed; a live relief child, one marked "RlfD",
// one answering only RM_IDENTIFY_ALT, one under an application's procedure
// that swallows identify messages, one running relief unmarked, all stay.
WNDPROC staticProc, swallowNext;
LRESULT CALLBACK AnswersAltOnly(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m != RM_IDENTIFY_ALT)
        return CallWindowProcA(staticProc, w, m, wp, lp);
    *(LONG *)lp = 1;
    return RELIEF_ID_STATIC;
}
LRESULT CALLBACK Swallows(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return m == RM_IDENTIFY || m == RM_IDENTIFY_ALT ? 0
                                                    : CallWindowProcA(swallowNext, w, m, wp, lp);
}

TEST(SubclassDialog, WhatEachChildCarries)
{
    Library library;
    staticProc = SystemProc(RCLASS_STATIC);
    HWND dialog = Window(kDialogAtom, 0, nullptr, 0, 0, 300, 200);
    HWND level1 = Window("#32770", 0, dialog), level2 = Window("#32770", 0, level1);
    enum Setup { PLAIN, LIVE, STALE, RELEASED, ALT_ONLY, SWALLOWED, UNMARKED };
    const struct { Setup setup; HWND parent; bool renewed; } cases[] = {
        {PLAIN, dialog, true}, {PLAIN, level1, true}, {PLAIN, level2, false},
        {LIVE, dialog, true}, {STALE, dialog, true}, {RELEASED, dialog, false},
        {ALT_ONLY, dialog, false}, {SWALLOWED, dialog, false}, {UNMARKED, dialog, false},
    };
    struct { HWND window; WNDPROC proc; HANDLE saved; } before[9];
    for (int i = 0; i < 9; ++i) {
        HWND w = Window("Static", SS_LEFT, cases[i].parent);
        Setup setup = cases[i].setup;
        if (setup == LIVE || setup == SWALLOWED)
            InstallSubclass(w, ReliefStaticProc);
        if (setup == SWALLOWED)
            swallowNext = (WNDPROC)SetWindowLongPtrA(w, GWLP_WNDPROC, (LONG_PTR)Swallows);
        if (setup == ALT_ONLY || setup == UNMARKED)
            SetWindowLongPtrA(w, GWLP_WNDPROC, (LONG_PTR)(setup == ALT_ONLY ? AnswersAltOnly
                                                                            : ReliefStaticProc));
        if (setup == STALE || setup == RELEASED || setup == ALT_ONLY)
            SetPropA(w, "RlfNew", (HANDLE)(setup == STALE ? DefWindowProcA : ProcOf(w)));
        if (setup == RELEASED)
            SetPropA(w, "RlfD", (HANDLE)1);
        before[i] = {w, ProcOf(w), Mark(w, "RlfNew")};
    }
    EXPECT_TRUE(ReliefSubclassDialog(dialog, RELIEF_ALL));
    EXPECT_TRUE(ReliefSubclassDialog(dialog, RELIEF_ALL));
    for (int i = 0; i < 9; ++i) {
        HWND w = before[i].window;
        bool renewed = cases[i].renewed;
        EXPECT_TRUE(ProcOf(w) == (renewed ? ReliefStaticProc : before[i].proc)
                    && Mark(w, "RlfNew") == (renewed ? (HANDLE)staticProc : before[i].saved)) << i;
        SetWindowLongPtrA(w, GWLP_WNDPROC, (LONG_PTR)staticProc);   // no cycle left to overflow
    }
    DestroyWindow(dialog);
}

// UnsubclassTree takes current relief procedures out at every depth, combo
// parts too; one under an application's subclass is switched to
// forwarding, so is a foreign mark ending in "New". Foreign marks refuse.
TEST(SubclassDialog, TreeReleasedOrSwitchedToForwarding)
{
    Library library;
    HWND dialog = Window(kDialogAtom, 0, nullptr, 0, 0, 300, 200);
    HWND edit = Window("Edit", 0, dialog), level1 = Window("#32770", 0, dialog);
    HWND combo = Window("ComboBox", CBS_SIMPLE, dialog, 0, 0, 80, 80);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    HWND released[] = {dialog, Window("Static", SS_LEFT, level1), info.hwndItem, info.hwndList};
    WNDPROC procs[4];
    std::transform(released, released + 4, procs, ProcOf);
    const struct { const char *mark; bool forwards; } marks[] = {
        {"Rlf", false}, {"RlfL", false}, {"RlfH", false}, {"RlfLNew", true}, {"RlfHNew", true},
    };
    HWND marked[5];
    for (int i = 0; i < 5; ++i)
        SetPropA(marked[i] = Window("Static", SS_LEFT, dialog), marks[i].mark, (HANDLE)1);
    InstallSubclass(dialog, DialogFrameProc), InstallSubclass(info.hwndItem, ReliefEditProc);
    InstallSubclass(info.hwndList, ReliefListBoxProc), ReliefSubclassDialog(dialog, RELIEF_ALL);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ProcOf(marked[i]), SystemProc(RCLASS_STATIC)) << marks[i].mark << " refuses";
    RecordOver(edit);
    EXPECT_TRUE(UnsubclassTree(dialog));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(ProcOf(released[i]) == procs[i] && !Mark(released[i], "RlfNew")) << i;
    EXPECT_TRUE(Mark(edit, "RlfD"));
    EXPECT_EQ(IdentifyCode(edit), 0) << "the edit's relief procedure forwards everything";
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Mark(marked[i], "RlfD") != nullptr, marks[i].forwards) << marks[i].mark;
    DestroyWindow(dialog);
    ForgetMessages();
}

// The one-shot hook: a window armed while another is pending replaces it;
// it fires at the pending window's first message only, once, and is gone.
ImportPatch *setHookPatch, *unhookPatch;
int hooksSet, hooksRemoved;
HHOOK WINAPI CountSetHook(int id, HOOKPROC proc, HINSTANCE instance, DWORD thread)
{
    hooksSet += id == WH_CALLWNDPROC;
    return setHookPatch->Original<decltype(&SetWindowsHookExA)>()(id, proc, instance, thread);
}
BOOL WINAPI CountUnhook(HHOOK hook)
{
    ++hooksRemoved;
    return unhookPatch->Original<decltype(&UnhookWindowsHookEx)>()(hook);
}

TEST(OneShotHook, FiresOnceForThePendingWindowAndGoes)
{
    Library library;
    ImportPatch set("user32.dll", "SetWindowsHookExA", (void *)CountSetHook);
    ImportPatch unhook("user32.dll", "UnhookWindowsHookEx", (void *)CountUnhook);
    setHookPatch = &set, unhookPatch = &unhook;
    HWND first = Window("Static", SS_LEFT, nullptr), second = Window("Static", SS_LEFT, nullptr);
    InstallAtFirstMessage(first, ReliefStaticProc);
    InstallAtFirstMessage(second, ReliefStaticProc);
    SendMessageA(first, WM_NULL, 0, 0);
    EXPECT_EQ(ProcOf(second), SystemProc(RCLASS_STATIC)) << "not yet: a message to another window";
    for (int i = 0; i < 2; ++i)
        SendMessageA(second, WM_NULL, 0, 0), SendMessageA(first, WM_NULL, 0, 0);
    EXPECT_EQ(IdentifyCode(first), 0);
    EXPECT_EQ(IdentifyCode(second), RELIEF_ID_STATIC);
    EXPECT_EQ(Mark(second, "RlfNew"), (HANDLE)SystemProc(RCLASS_STATIC)) << "subclassed once";
    EXPECT_TRUE(hooksSet == 1 && hooksRemoved == 1) << "no hook left behind";
    DestroyWindow(first), DestroyWindow(second);
}

// The hook follows parents, never owners: a control whose parent or
// grandparent is a relief window not marked "RlfD" is taken; a popup owned
// by a relief dialog, or a child of a declining dialog it owns, is not.
TEST(CbtHook, ParentsNotOwners)
{
    Library library;
    ASSERT_TRUE(ReliefAutoSubclass(Self()));
    HWND dialog = Window(kDialogAtom, 0, nullptr), released = Window(kDialogAtom, 0, nullptr);
    HWND declined = CreateWindowExA(0, kDialogAtom, "", WS_POPUP | DS_3DLOOK, 0, 0, 80, 40,
                                    dialog, nullptr, nullptr, nullptr);
    ASSERT_EQ(IdentifyCode(dialog), RELIEF_ID_DIALOG);
    ASSERT_EQ(IdentifyCode(declined), 0);
    SetPropA(released, "RlfD", (HANDLE)1);
    const struct { HWND parent; DWORD style; bool subclassed; } cases[] = {
        {dialog, WS_CHILD, true}, {Window("#32770", 0, dialog), WS_CHILD, true},
        {dialog, WS_POPUP, false}, {declined, WS_CHILD, false}, {released, WS_CHILD, false},
    };
    for (const auto &c : cases) {
        HWND edit = CreateWindowExA(0, "Edit", "", c.style, 0, 0, 40, 20, c.parent, nullptr,
                                    nullptr, nullptr);
        EXPECT_EQ(IdentifyCode(edit) != 0, c.subclassed) << "case " << &c - cases;
        DestroyWindow(edit);
    }
    for (HWND window : {declined, dialog, released})
        DestroyWindow(window);
}

}  // namespace
