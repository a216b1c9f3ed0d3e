// The three dialog templates as the platform builds them from the program's
// resources: each control the code and the platform's dialog rely on, with
// the styles they rely on, inside the dialog, ours clear of the platform's.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include <string>
#include <vector>
#include "res/resource.h"
#include "support/testsupport.h"

namespace {

// A control with the style bits that must be set (WS_VISIBLE among them
// when it shows from the start) and those that must not.
struct Control {
    int id;
    const char *className;
    DWORD set, clear;
};

const DWORD kWorkbookBox = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VISIBLE;
const DWORD kFileList = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VISIBLE;
const DWORD kDrives = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VISIBLE;

// The platform's controls of both old-style templates.
const std::vector<Control> kOldStyle = {
    {stc1, "Static", WS_VISIBLE, 0},   {stc2, "Static", WS_VISIBLE, 0},
    {stc3, "Static", WS_VISIBLE, 0},   {stc4, "Static", WS_VISIBLE, 0},
    {edt1, "Edit", WS_VISIBLE, 0},     {lst2, "ListBox", kFileList, LBS_EXTENDEDSEL},
    {cmb1, "ComboBox", CBS_DROPDOWNLIST | WS_VISIBLE, 0},
    {cmb2, "ComboBox", kDrives, 0},    {IDOK, "Button", BS_DEFPUSHBUTTON | WS_VISIBLE, 0},
    {IDCANCEL, "Button", WS_VISIBLE, 0}, {pshHelp, "Button", WS_VISIBLE, 0},
    {chx1, "Button", BS_CHECKBOX | WS_VISIBLE, 0},
};

struct Template {
    int id;
    const char *caption, *face;
    std::vector<Control> ours, platforms;
} kTemplates[] = {
    {IDD_EXPLORER_EXTRAS, "", "MS Sans Serif", {
        {IDC_LABEL, "Static", WS_VISIBLE, 0},
        {IDC_WORKBOOKS, "ComboBox", kWorkbookBox, 0},
        {IDC_CHECKBOX, "Button", BS_AUTOCHECKBOX, WS_VISIBLE},
        {IDC_NOTE, "Static", 0, WS_VISIBLE}}, {}},
    {IDD_OLDSTYLE_MULTI, "Open", "Helv", {
        {IDC_LABEL, "Static", WS_VISIBLE, 0},
        {IDC_WORKBOOKS, "ComboBox", kWorkbookBox, 0},
        {IDC_NOTE, "Static", WS_VISIBLE, 0}},
     {{lst1, "ListBox", kFileList | LBS_EXTENDEDSEL, 0}}},
    {IDD_OLDSTYLE_SINGLE, "Open", "Helv", {
        {IDC_LABEL, "Static", WS_VISIBLE, 0},
        {IDC_WORKBOOKS, "ComboBox", kWorkbookBox, 0},
        {IDC_CHECKBOX, "Button", BS_AUTOCHECKBOX, WS_VISIBLE},
        {IDC_NOTE, "Static", 0, WS_VISIBLE}},
     {{lst1, "ListBox", kFileList, LBS_EXTENDEDSEL}}},
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

RECT PlaceInClient(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, (POINT *)&r, 2);
    return r;
}

// Rectangles that share more than an edge's rounding.
bool Overlap(const RECT &a, const RECT &b)
{
    RECT both;
    return IntersectRect(&both, &a, &b) && both.right - both.left > 1 && both.bottom - both.top > 1;
}

// Every control listed is there, of its class, with its styles, inside the
// dialog; each of ours is clear of the platform's; and there is no check
// box where none is listed (template 102).
TEST(Templates, ControlsWithTheirStylesInsideTheDialogOursClearOfThePlatforms)
{
    HWND owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 600, 400, nullptr,
                                 nullptr, nullptr, nullptr);
    for (Template &t : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(t.id));
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(t.id), owner,
                                         PlainDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(dialog), t.caption);
        LOGFONTA lf{};
        GetObjectA((HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0), sizeof lf, &lf);
        EXPECT_STREQ(lf.lfFaceName, t.face);
        std::vector<Control> all = t.ours, platforms = t.platforms;
        if (t.id != IDD_EXPLORER_EXTRAS)
            platforms.insert(platforms.end(), kOldStyle.begin(), kOldStyle.end());
        all.insert(all.end(), platforms.begin(), platforms.end());
        RECT client, inside;
        GetClientRect(dialog, &client);
        bool checkBoxListed = false;
        for (const Control &c : all) {
            HWND control = GetDlgItem(dialog, c.id);
            ASSERT_NE(control, nullptr) << c.id;
            checkBoxListed = checkBoxListed || c.id == IDC_CHECKBOX;
            DWORD style = (DWORD)GetWindowLongA(control, GWL_STYLE);
            EXPECT_EQ(ClassOf(control), c.className) << c.id;
            EXPECT_EQ(style & c.set, c.set) << c.id;
            EXPECT_EQ(style & c.clear, 0u) << c.id;
            RECT r = PlaceInClient(dialog, control);
            EXPECT_TRUE(IntersectRect(&inside, &r, &client) && EqualRect(&inside, &r)) << c.id;
        }
        for (const Control &ours : t.ours)
            for (const Control &theirs : platforms) {
                RECT a = PlaceInClient(dialog, GetDlgItem(dialog, ours.id));
                RECT b = PlaceInClient(dialog, GetDlgItem(dialog, theirs.id));
                EXPECT_FALSE(Overlap(a, b)) << ours.id << " covers " << theirs.id;
            }
        EXPECT_EQ(GetDlgItem(dialog, IDC_CHECKBOX) != nullptr, checkBoxListed);
        DestroyWindow(dialog);
    }
    DestroyWindow(owner);
}

}  // namespace
