// The version branches, with GetVersion answering as the Windows version
// that CTest sets for this program in the Wine registry. The program is
// built once a version, with the version word and platform expected.
#include <gtest/gtest.h>
#include "reliefsupport.h"
#include "relief/state.h"

namespace {

ReliefRecord &rs = ReliefState;
const bool kBelow395 = EXPECTED_WINVERSION < WINVER_395;

// The version word and platform; btnHilite forced to white on 3.0 only;
// per-thread hooks from 3.10. (Win32s never reported 3.95: its platform
// is checked on the value itself.)
TEST(Version, WordPlatformHighlightAndHooks)
{
    FakeSysColors fake;
    fake.colors[COLOR_BTNHIGHLIGHT] = RGB(200, 200, 200);
    ASSERT_TRUE(ReliefRegister(Self()));
    EXPECT_EQ(rs.winVersion, EXPECTED_WINVERSION) << "GetVersion " << std::hex << GetVersion();
    EXPECT_EQ(rs.platform, EXPECTED_PLATFORM) << "GetVersion " << std::hex << GetVersion();
    EXPECT_TRUE(WinVersionOf(0x80005F03) == WINVER_395 && PlatformOf(0x80005F03) == 32);
    COLORREF expected = EXPECTED_WINVERSION == WINVER_30 ? RGB(255, 255, 255) : RGB(200, 200, 200);
    EXPECT_EQ(rs.SysColorTable[SYSCLR_BTNHILITE], expected);
    LOGBRUSH lb{};
    GetObjectA(rs.BrushTable[0], sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, expected);
    bool allowed = EXPECTED_WINVERSION >= WINVER_310;
    EXPECT_EQ(ReliefAutoSubclass(Self()) != 0, allowed);
    EXPECT_EQ(rs.hookCount, allowed ? 1 : 0);
    ReliefUnregister(Self());
    EXPECT_EQ(rs.hookCount, 0);
}

struct Answer {
    HBRUSH brush;
    COLORREF text, back;
};

Answer Ask(UINT msg, HDC dc, HWND window)
{
    SetTextColor(dc, RGB(1, 1, 1));
    SetBkColor(dc, RGB(2, 2, 2));
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
    fake.colors[COLOR_BTNTEXT] = RGB(10, 20, 30);
    fake.colors[COLOR_WINDOWTEXT] = RGB(40, 50, 60);
    fake.colors[COLOR_BTNFACE] = RGB(70, 80, 90);
    fake.colors[COLOR_WINDOW] = RGB(100, 110, 120);
    HWND parent = Window("STATIC", 0, nullptr, 0, 0, 300, 200);
    HWND dropDown = Window("COMBOBOX", CBS_DROPDOWN, parent, 0, 0, 100, 80);
    HWND simple = Window("COMBOBOX", CBS_SIMPLE, parent, 0, 0, 100, 80);
    HWND dropList = Window("COMBOBOX", CBS_DROPDOWNLIST, parent), list = Window("LISTBOX", 0, parent);
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
