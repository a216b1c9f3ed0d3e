// The version branches, with GetVersion answering as the Windows version
// that CTest sets for this program in the Wine registry. The program is
// built once a version, with the version word and platform expected.
#include <gtest/gtest.h>
#include "reliefsupport.h"
#include "relief/state.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
ReliefRecord &rs = ReliefState;
const bool kBelow395 = EXPECTED_WINVERSION < WINVER_395;

TEST(Version, WordAndPlatformComeFromGetVersion)
{
    ASSERT_TRUE(ReliefRegister(Self()));
    EXPECT_EQ(rs.winVersion, EXPECTED_WINVERSION) << "GetVersion " << std::hex << GetVersion();
    EXPECT_EQ(rs.platform, EXPECTED_PLATFORM) << "GetVersion " << std::hex << GetVersion();
    ReliefUnregister(Self());
}

TEST(Version, ButtonHighlightIsWhiteOnlyOnVersion30)
{
    FakeSysColors fake;
    fake.colors[COLOR_BTNHIGHLIGHT] = RGB(200, 200, 200);
    ASSERT_TRUE(ReliefRegister(Self()));
    COLORREF expected = EXPECTED_WINVERSION == WINVER_30 ? RGB(255, 255, 255) : RGB(200, 200, 200);
    EXPECT_EQ(rs.SysColorTable[SYSCLR_BTNHILITE], expected);
    LOGBRUSH lb{};
    GetObjectA(rs.BrushTable[0], sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, expected);
    ReliefUnregister(Self());
}

TEST(Version, PerThreadHooksFromVersion310)
{
    ASSERT_TRUE(ReliefRegister(Self()));
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
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    auto make = [&](const char *cls, DWORD style) {
        return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 100, 80, parent,
                               nullptr, nullptr, nullptr);
    };
    HWND dropDown = make("COMBOBOX", CBS_DROPDOWN), simple = make("COMBOBOX", CBS_SIMPLE);
    HWND dropList = make("COMBOBOX", CBS_DROPDOWNLIST), list = make("LISTBOX", 0);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, dropList, nullptr, nullptr, nullptr);
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
    struct { UINT msg; HWND window; bool answered; const char *what; } cases[] = {
        {WM_CTLCOLORBTN, parent, true, "button"},
        {WM_CTLCOLORDLG, parent, true, "dialog"},
        {WM_CTLCOLORSTATIC, parent, true, "static"},
        {WM_CTLCOLORMSGBOX, parent, false, "message box"},
        {WM_CTLCOLOREDIT, parent, false, "edit"},
        {WM_CTLCOLORSCROLLBAR, parent, false, "scroll bar"},
        {WM_CTLCOLORLISTBOX, dropDown, kBelow395, "drop-down combo box"},
        {WM_CTLCOLORLISTBOX, simple, kBelow395, "simple combo box"},
        {WM_CTLCOLORLISTBOX, dropList, false, "drop-down list combo box"},
        {WM_CTLCOLORLISTBOX, list, false, "list box"},
    };
    for (const auto &c : cases) {
        Answer got = Ask(c.msg, dc, c.window), want = c.answered ? face : none;
        EXPECT_EQ(got.brush, want.brush) << c.what;
        EXPECT_EQ(got.text, want.text) << c.what;
        EXPECT_EQ(got.back, want.back) << c.what;
    }
    ReliefUnregister(Self());
    DestroyWindow(parent);
}

}  // namespace
