// The three dialog templates as the program loads them from its resources:
// the template bytes (frame, caption, font, every control in order), and
// the real dialog the platform builds from each.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include <string>
#include <vector>
#include "res/resource.h"
#include "support/testsupport.h"

namespace {

struct Control {
    int id;
    const char *className;
    const char *text;
    DWORD style;
    short x, y, cx, cy;
};

struct Template {
    int id;
    DWORD style;
    short x, y, cx, cy;
    const char *caption;
    WORD pointSize;
    const char *face;
    std::vector<Control> controls;
};

const Template kExplorerExtras = {
    IDD_EXPLORER_EXTRAS, 0x54000444, 0, 0, 283, 34, "", 8, "MS Sans Serif", {
        {1002, "Static", ".RC", 0x50020000, 4, 2, 53, 8},
        {1000, "ComboBox", "", 0x50210213, 54, 0, 155, 51},
        {1001, "Button", ".RC", 0x40010003, 222, 1, 56, 10},
        {1004, "Static", ".RC", 0x40020000, 4, 15, 213, 16},
    }};

const Template kOldStyleMulti = {
    IDD_OLDSTYLE_MULTI, 0x80C800C0, 79, 64, 265, 145, "Open", 8, "Helv", {
        {stc3, "Static", "File &name:", 0x50020000, 6, 6, 76, 10},
        {edt1, "Edit", "", 0x50810480, 6, 16, 90, 12},
        {lst1, "ListBox", "", 0x50A11853, 6, 32, 90, 68},
        {-1, "Static", "&Directories:", 0x50020000, 110, 6, 92, 9},
        {stc1, "Static", "", 0x50020080, 110, 16, 92, 9},
        {lst2, "ListBox", "", 0x50A11053, 110, 32, 92, 68},
        {stc2, "Static", "List files of &type:", 0x50020000, 6, 102, 90, 9},
        {cmb1, "ComboBox", "", 0x50A10043, 6, 112, 90, 96},
        {stc4, "Static", "Dri&ves:", 0x50020000, 110, 102, 92, 9},
        {cmb2, "ComboBox", "", 0x50A10353, 110, 112, 92, 68},
        {IDOK, "Button", "OK", 0x50030001, 208, 6, 50, 14},
        {IDCANCEL, "Button", "Cancel", 0x50030000, 208, 24, 50, 14},
        {pshHelp, "Button", "&Help", 0x50030000, 208, 46, 50, 14},
        {chx1, "Button", "&Read only", 0x50030003, 208, 68, 50, 12},
        {1002, "Static", "&Workbook Files:", 0x50020000, 6, 133, 56, 9},
        {1000, "ComboBox", "", 0x50A10253, 65, 131, 137, 49},
        {1004, "Static", "Multiple files can be selected by holding down the Ctrl key.",
         0x50020000, 208, 85, 50, 58},
    }};

const Template kOldStyleSingle = {
    IDD_OLDSTYLE_SINGLE, 0x80C800C0, 79, 64, 265, 145, "Open", 8, "Helv", {
        {stc3, "Static", "File &name:", 0x50020000, 6, 6, 76, 9},
        {edt1, "Edit", "", 0x50810480, 6, 16, 90, 12},
        {lst1, "ListBox", "", 0x50A11053, 6, 32, 90, 68},
        {-1, "Static", "&Folders:", 0x50020000, 110, 6, 96, 9},
        {stc1, "Static", "", 0x50020080, 110, 18, 96, 9},
        {lst2, "ListBox", "", 0x50A11053, 110, 32, 92, 68},
        {stc2, "Static", "List files of &type:", 0x50020000, 6, 104, 90, 9},
        {cmb1, "ComboBox", "", 0x50A10043, 6, 114, 90, 36},
        {stc4, "Static", "Dri&ves:", 0x50020000, 110, 104, 92, 9},
        {cmb2, "ComboBox", "", 0x50A10353, 110, 114, 92, 68},
        {IDOK, "Button", "OK", 0x50030001, 208, 6, 50, 14},
        {IDCANCEL, "Button", "Cancel", 0x50030000, 208, 24, 50, 14},
        {pshHelp, "Button", "&Help", 0x50030000, 208, 46, 50, 14},
        {chx1, "Button", "&Read only", 0x50030002, 208, 68, 50, 12},
        {1002, "Static", "&Workbook Files:", 0x50020000, 6, 133, 56, 9},
        {1000, "ComboBox", "", 0x50A10253, 65, 131, 137, 49},
        {1001, "Button", "Save as Te&xt", 0x40010003, 208, 132, 53, 10},
        {1004, "Static", "", 0x40020000, 207, 82, 56, 48},
    }};

const Template *const kTemplates[] = {&kExplorerExtras, &kOldStyleMulti, &kOldStyleSingle};

// ---- Reading a DLGTEMPLATE (the plain, not extended, form).

struct Reader {
    const BYTE *p;
    WORD Word() { WORD w = *(const WORD *)p; p += 2; return w; }
    DWORD Dword() { DWORD d = *(const DWORD *)p; p += 4; return d; }
    std::string Text()      // a NUL-terminated UTF-16 string, ASCII here
    {
        std::string s;
        for (WORD c; (c = Word()) != 0;)
            s += (char)c;
        return s;
    }
    // A name or ordinal: empty, 0xFFFF plus an ordinal, or a string.
    std::string NameOrOrdinal()
    {
        WORD first = *(const WORD *)p;
        if (first == 0xFFFF) {
            p += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() { p = (const BYTE *)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3); }
};

std::string ClassFromOrdinal(const std::string &name)
{
    static const char *const predefined[] = {"Button", "Edit", "Static", "ListBox",
                                             "ScrollBar", "ComboBox"};
    if (name.size() > 1 && name[0] == '#') {
        int atom = std::stoi(name.substr(1));
        if (atom >= 0x80 && atom <= 0x85)
            return predefined[atom - 0x80];
    }
    return name;
}

const BYTE *LoadTemplate(int id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    return found ? (const BYTE *)LockResource(LoadResource(module, found)) : nullptr;
}

TEST(TemplateResource, FrameCaptionFontAndEveryControlAsTabled)
{
    for (const Template *t : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(t->id));
        const BYTE *bytes = LoadTemplate(t->id);
        ASSERT_NE(bytes, nullptr) << "no language 1033 template";
        Reader r{bytes};
        EXPECT_EQ(r.Dword(), t->style);
        EXPECT_EQ(r.Dword(), 0u) << "extended style";
        WORD count = r.Word();
        short frame[4];
        for (short &v : frame)
            v = (short)r.Word();
        EXPECT_EQ(frame[0], t->x);
        EXPECT_EQ(frame[1], t->y);
        EXPECT_EQ(frame[2], t->cx);
        EXPECT_EQ(frame[3], t->cy);
        EXPECT_EQ(r.NameOrOrdinal(), "") << "menu";
        EXPECT_EQ(r.NameOrOrdinal(), "") << "class";
        EXPECT_EQ(r.Text(), t->caption);
        EXPECT_EQ(r.Word(), t->pointSize);
        EXPECT_EQ(r.Text(), t->face);

        ASSERT_EQ(count, t->controls.size());
        for (const Control &c : t->controls) {
            SCOPED_TRACE("control " + std::to_string(c.id));
            r.AlignDword();
            EXPECT_EQ(r.Dword(), c.style);
            EXPECT_EQ(r.Dword(), 0u) << "extended style";
            short rect[4];
            for (short &v : rect)
                v = (short)r.Word();
            EXPECT_EQ(rect[0], c.x);
            EXPECT_EQ(rect[1], c.y);
            EXPECT_EQ(rect[2], c.cx);
            EXPECT_EQ(rect[3], c.cy);
            EXPECT_EQ((short)r.Word(), c.id);
            EXPECT_EQ(ClassFromOrdinal(r.NameOrOrdinal()), c.className);
            EXPECT_EQ(r.NameOrOrdinal(), c.text);
            WORD extra = r.Word();
            EXPECT_EQ(extra, 0u) << "creation data";
            r.p += extra;
        }
    }
}

// ---- The real dialog the platform builds from each template.

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct BuiltDialog {
    HWND owner = nullptr;
    HWND dialog = nullptr;
    explicit BuiltDialog(int id)
    {
        owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 600, 400, nullptr,
                                nullptr, nullptr, nullptr);
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner,
                                    PlainDialogProc, 0);
    }
    ~BuiltDialog()
    {
        DestroyWindow(dialog);
        DestroyWindow(owner);
    }
};

// Left, top, width and height in pixels: the dialog manager converts each
// of them on its own, so a right edge may differ by one from x + cx mapped.
RECT InPixels(HWND dialog, const Control &c)
{
    RECT r{c.x, c.y, c.cx, c.cy};
    MapDialogRect(dialog, &r);
    return r;
}

RECT PlaceInClient(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, (POINT *)&r, 2);
    return RECT{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Wine's edit, list and combo boxes draw their own borders: they drop
// WS_BORDER, and combo boxes WS_VSCROLL, from the style they were given.
// The template bytes above hold those bits exactly.
const DWORD kBitsThePlatformAdjusts = WS_BORDER | WS_VSCROLL;

// List boxes round their height to whole items and combo boxes take the
// height of their face; the template bytes above hold their heights.
bool SizesOwnHeight(const Control &c)
{
    return c.className == std::string("ListBox") || c.className == std::string("ComboBox");
}

TEST(TemplateDialog, ControlsInOrderWithClassTextStyleAndPlace)
{
    for (const Template *t : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(t->id));
        BuiltDialog built(t->id);
        ASSERT_NE(built.dialog, nullptr);
        HWND child = GetWindow(built.dialog, GW_CHILD);
        for (const Control &c : t->controls) {
            SCOPED_TRACE("control " + std::to_string(c.id));
            ASSERT_NE(child, nullptr) << "missing";
            EXPECT_EQ((short)GetDlgCtrlID(child), c.id);
            EXPECT_EQ(ClassOf(child), c.className);
            EXPECT_EQ(TextOf(child), c.text);
            EXPECT_EQ((DWORD)GetWindowLongA(child, GWL_STYLE) & ~kBitsThePlatformAdjusts,
                      c.style & ~kBitsThePlatformAdjusts);
            RECT want = InPixels(built.dialog, c), got = PlaceInClient(built.dialog, child);
            EXPECT_EQ(got.left, want.left);
            EXPECT_EQ(got.top, want.top);
            EXPECT_EQ(got.right, want.right) << "width";
            if (!SizesOwnHeight(c)) {
                EXPECT_EQ(got.bottom, want.bottom) << "height";
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "more controls than the table";
    }
}

TEST(TemplateDialog, FrameCaptionAndFont)
{
    for (const Template *t : kTemplates) {
        SCOPED_TRACE("template " + std::to_string(t->id));
        BuiltDialog built(t->id);
        ASSERT_NE(built.dialog, nullptr);
        EXPECT_EQ(TextOf(built.dialog), t->caption);
        LOGFONTA lf{};
        ASSERT_TRUE(GetObjectA((HFONT)SendMessageA(built.dialog, WM_GETFONT, 0, 0), sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, t->face);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(lf.lfHeight, -MulDiv(t->pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72));
        ReleaseDC(nullptr, screen);
        RECT want{0, 0, t->cx, t->cy}, client;
        MapDialogRect(built.dialog, &want);
        GetClientRect(built.dialog, &client);
        EXPECT_EQ(client.right, want.right);
        EXPECT_EQ(client.bottom, want.bottom);
    }
}

TEST(TemplateDialog, MultiSelectTemplateHasNoCheckBox)
{
    BuiltDialog built(IDD_OLDSTYLE_MULTI);
    ASSERT_NE(built.dialog, nullptr);
    EXPECT_EQ(GetDlgItem(built.dialog, IDC_CHECKBOX), nullptr);
}

}
