// Request decoding: the counted-list decoders and the slot table, built
// both for Windows (run under Wine) and natively under the sanitizers.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "server/decode.h"
#include "support/shell_switch.h"
#include "support/testrequest.h"

namespace {

using std::string;

// The bytes of a list-form result up to and including its final NUL.
string ListBytes(const char *list)
{
    const char *end = list;
    while (*end)
        end += strlen(end) + 1;
    return string(list, end + 1 - list);
}

TEST(CopyLine, CopiesUpToTheLineFeedCutToTheDestination)
{
    char line[8];
    EXPECT_EQ(CopyLine(line, sizeof line, "kept\r\nnext"), 5);
    EXPECT_STREQ(line, "kept\r");
    EXPECT_EQ(CopyLine(line, sizeof line, "whole"), 5);
    EXPECT_STREQ(line, "whole");
    EXPECT_EQ(CopyLine(line, sizeof line, "\nafter"), 0);
    EXPECT_STREQ(line, "");
    memset(line, '#', sizeof line);
    EXPECT_EQ(CopyLine(line, 4, "abcdef\nxyz"), 3);
    EXPECT_STREQ(line, "abc");
    EXPECT_EQ(line[4], '#');
}

const char kNine[] = "\na\nb\nc\nd\ne\nf\ng\nh\ni";

TEST(DecodeCountedList, ItemsByCountEachWithItsNulAndAFinalNul)
{
    struct {
        string text;
        string expected;
    } cases[] = {
        {"2\nText files\n*.txt\nignored", string("Text files\0*.txt\0\0", 18)},
        {string("0x2") + kNine, string("a\0b\0\0", 5)},
        {string("010") + kNine, string("a\0b\0c\0d\0e\0f\0g\0h\0\0", 17)},
        {string("  +3 items") + kNine, string("a\0b\0c\0\0", 7)},
        {string("09") + kNine, string("\0", 1)},   // 9 is no octal digit
        {"2\r\nText\r\n*.txt\r\n", string("Text\r\0*.txt\r\0\0", 14)},
        {"0\nText\n*.txt", string("\0", 1)},
        {"-2\nText\n*.txt", string("\0", 1)},
        {"two\nText\n*.txt", string("\0", 1)},
        {"\n2\nText\n*.txt", string("\0", 1)},   // the count stands in the first line
        {"", string("\0", 1)},
        // Counts beyond the lines present give the lines present.
        {"5\nText\n*.txt", string("Text\0*.txt\0\0", 12)},
        {"2147483647\nonly", string("only\0\0", 6)},
        {"3", string("\0", 1)},
    };
    for (auto &c : cases) {
        char buffer[64];
        DecodeCountedList(buffer, sizeof buffer, c.text.c_str());
        EXPECT_EQ(ListBytes(buffer), c.expected) << c.text;
    }
}

TEST(DecodeCountedList, ALongListIsCutAndStaysDoubleTerminated)
{
    char buffer[16];
    for (auto c : {std::make_pair(8, string("Text\0*\0\0", 8)),
                   std::make_pair(6, string("Text\0\0", 6)), std::make_pair(1, string("\0", 1))}) {
        memset(buffer, '#', sizeof buffer);
        DecodeCountedList(buffer, c.first, "2\nText\n*.txt");
        EXPECT_EQ(string(buffer, c.first), c.second) << c.first;
        EXPECT_EQ(buffer[c.first], '#') << c.first;
    }
}

TEST(DecodeCountedText, TheFirstItemForAnyNonzeroCountElseEmpty)
{
    struct {
        const char *text, *expected;
    } cases[] = {
        {"3\nfirst\nsecond\nthird", "first"}, {"-1\nnegative too", "negative too"},
        {"0x10\nhex", "hex"},                  {"1\nline\r\nnext", "line\r"},
        {"0\nignored", ""},                    {"none\nignored", ""},
        {"1", ""},                             {"1\n", ""},
        {"", ""},
    };
    for (auto &c : cases) {
        char buffer[64];
        DecodeCountedText(buffer, sizeof buffer, c.text);
        EXPECT_STREQ(buffer, c.expected) << c.text;
    }
    char cut[8];
    memset(cut, '#', sizeof cut);
    DecodeCountedText(cut, 4, "1\nabcdef");
    EXPECT_STREQ(cut, "abc");
    EXPECT_EQ(cut[4], '#');
}

// The slots of a plain request. Slot 1 is never read; no slot may be
// empty, as an empty text would end the list.
std::vector<string> PlainSlots()
{
    return {"OPEN", "-", "2\nText\n*.txt", "0", "0", "1", "0", "0", "0", "0", "0",
            "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
}

// A request decoded as the server decodes it; its buffers go with it.
struct Decoded {
    OPENFILENAMEA ofn;
    DialogExtras extras;
    ExtrasTexts texts;
    std::vector<char> slot = std::vector<char>(SLOT_BUFFER_SIZE);
    std::vector<char> workbooks = std::vector<char>(SLOT_BUFFER_SIZE);

    explicit Decoded(HDROP request)
    {
        memset(&ofn, 0, sizeof ofn);
        memset(&extras, 0xCC, sizeof extras);
        memset(&texts, '#', sizeof texts);
        DecodeDialogRequest(request, &ofn, slot.data());
        DecodeDialogExtras(request, &extras, &texts, slot.data(), workbooks.data());
    }
    ~Decoded() { ReleaseDialogRequest(&ofn); }
};

struct SlotTable : testing::Test {
    void TearDown() override { fTestNewShell = 1; }
    // The plain request with some slots changed; a list of fewer slots
    // when the last change is a resize.
    std::unique_ptr<Decoded> Decode(std::vector<std::pair<int, string>> changes, size_t count = 21)
    {
        std::vector<string> slots = PlainSlots();
        for (auto &change : changes)
            slots[change.first] = change.second;
        slots.resize(count);
        return std::make_unique<Decoded>(TestRequest(slots).handle);
    }
};

TEST_F(SlotTable, FiltersTheCustomOneOnlyWithASize)
{
    auto d = Decode({{JXR_SLOT_CUSTOM_FILTER, "2\nMine\n*.my"}});
    EXPECT_EQ(ListBytes(d->ofn.lpstrFilter), string("Text\0*.txt\0\0", 12));
    EXPECT_EQ(d->ofn.lpstrCustomFilter, nullptr);
    EXPECT_EQ(d->ofn.nMaxCustFilter, 0u);
    d = Decode({{JXR_SLOT_FILTERS, "0"}, {JXR_SLOT_CUSTOM_FILTER, "2\nMine\n*.my"},
                {JXR_SLOT_CUSTOM_FILTER_SIZE, "40"}});
    EXPECT_EQ(ListBytes(d->ofn.lpstrFilter), string("\0", 1));
    EXPECT_EQ(d->ofn.nMaxCustFilter, 40u);
    EXPECT_EQ(ListBytes(d->ofn.lpstrCustomFilter), string("Mine\0*.my\0\0", 11));
}

TEST_F(SlotTable, FileAndFileTitleBuffersOnlyWithASize)
{
    auto d = Decode({{JXR_SLOT_FILE, "1\nC:\\DATA\\A.TXT"}, {JXR_SLOT_FILE_TITLE, "1\nA.TXT"}});
    EXPECT_EQ(d->ofn.lpstrFile, nullptr);
    EXPECT_EQ(d->ofn.nMaxFile, 0u);
    EXPECT_EQ(d->ofn.lpstrFileTitle, nullptr);
    d = Decode({{JXR_SLOT_FILE, "1\nC:\\DATA\\A.TXT"}, {JXR_SLOT_FILE_SIZE, "260"},
                {JXR_SLOT_FILE_TITLE, "1\nA.TXT"}, {JXR_SLOT_FILE_TITLE_SIZE, "0x40"}});
    EXPECT_EQ(d->ofn.nMaxFile, 260u);
    EXPECT_STREQ(d->ofn.lpstrFile, "C:\\DATA\\A.TXT");
    // Two NULs past the end that the dialog is not told of.
    EXPECT_EQ(d->ofn.lpstrFile[260], '\0');
    EXPECT_EQ(d->ofn.lpstrFile[261], '\0');
    EXPECT_EQ(d->ofn.nMaxFileTitle, 64u);
    EXPECT_STREQ(d->ofn.lpstrFileTitle, "A.TXT");
}

TEST_F(SlotTable, NumbersReadAsPercentIAndZeroWithoutOne)
{
    auto d = Decode({{JXR_SLOT_FILTER_INDEX, " 3"}, {JXR_SLOT_SHOW_CHECK_BOX, "1"},
                     {JXR_SLOT_CHECK_STATE, "-7 and text"}});
    EXPECT_EQ(d->ofn.nFilterIndex, 3u);
    EXPECT_EQ(d->extras.fShowCheckBox, 1);
    EXPECT_EQ(d->extras.nCheckState, -7);
    d = Decode({{JXR_SLOT_FILTER_INDEX, "x"}, {JXR_SLOT_CHECK_STATE, "none"}});
    EXPECT_EQ(d->ofn.nFilterIndex, 0u);
    EXPECT_EQ(d->extras.nCheckState, 0);
}

TEST_F(SlotTable, InitialDirectoryTitleAndDefaultExtension)
{
    auto d = Decode({});
    EXPECT_STREQ(d->ofn.lpstrInitialDir, "");
    EXPECT_STREQ(d->ofn.lpstrTitle, "");
    EXPECT_EQ(d->ofn.lpstrDefExt, nullptr);
    d = Decode({{JXR_SLOT_INITIAL_DIR, "1\nC:\\DATA"},
                {JXR_SLOT_TITLE, "3\nChoose a file\nsecond\nthird"}, {JXR_SLOT_DEF_EXT, "1\ntxt"}});
    EXPECT_STREQ(d->ofn.lpstrInitialDir, "C:\\DATA");
    EXPECT_STREQ(d->ofn.lpstrTitle, "Choose a file");
    EXPECT_STREQ(d->ofn.lpstrDefExt, "txt");
    d = Decode({{JXR_SLOT_DEF_EXT, "01\ntxt"}});
    EXPECT_EQ(d->ofn.lpstrDefExt, nullptr);
    // A list of thirteen strings: slot 13 reads as the empty text.
    d = Decode({}, 13);
    ASSERT_NE(d->ofn.lpstrDefExt, nullptr);
    EXPECT_STREQ(d->ofn.lpstrDefExt, "");
}

TEST_F(SlotTable, FlagsTemplateAndHookByShell)
{
    for (const char *flags : {"0", "512", "4294967295", "96"}) {
        auto d = Decode({{JXR_SLOT_FLAGS, flags}});
        EXPECT_EQ(d->ofn.Flags, (DWORD)strtoul(flags, nullptr, 10) | OFN_EXPLORER) << flags;
        EXPECT_EQ(d->ofn.lpTemplateName, MAKEINTRESOURCEA(IDD_EXPLORER_EXTRAS)) << flags;
        EXPECT_EQ(d->ofn.lpfnHook, ExplorerHookProc) << flags;
    }
    fTestNewShell = 0;
    struct {
        const char *slot12;
        DWORD flags;
        int templateId;
    } cases[] = {
        {"512", OFN_ALLOWMULTISELECT, IDD_OLDSTYLE_MULTI},
        {"0", OFN_LONGNAMES, IDD_OLDSTYLE_SINGLE},
        {"4294967295", 0xFFFFFFFFu & ~(DWORD)OFN_EXPLORER, IDD_OLDSTYLE_MULTI},
    };
    for (auto &c : cases) {
        auto d = Decode({{JXR_SLOT_FLAGS, c.slot12}});
        EXPECT_EQ(d->ofn.Flags, c.flags) << c.slot12;
        EXPECT_EQ(d->ofn.lpTemplateName, MAKEINTRESOURCEA(c.templateId)) << c.slot12;
        EXPECT_EQ(d->ofn.lpfnHook, OldStyleHookProc) << c.slot12;
    }
    // "%lu" is decimal: it reads the 0 of 0x200.
    EXPECT_EQ(Decode({{JXR_SLOT_FLAGS, "0x200"}})->ofn.Flags, (DWORD)OFN_LONGNAMES);
}

TEST_F(SlotTable, ExtrasTextsCutTo127AndTheNoteOnlyWhenNotEmpty)
{
    string longLine = "1\n" + string(200, 'c');
    auto d = Decode({{JXR_SLOT_WORKBOOKS, "1\nBook.xls\n0"},
                     {JXR_SLOT_CHECK_BOX_TEXT, "1\nRemember"}, {JXR_SLOT_LABEL, longLine},
                     {JXR_SLOT_NOTE, "1\nA note"}});
    EXPECT_EQ(d->extras.lpstrWorkbooks, d->workbooks.data());
    EXPECT_STREQ(d->extras.lpstrWorkbooks, "1\nBook.xls\n0");
    EXPECT_EQ(d->extras.lpstrCheckBoxText, d->texts.checkBoxText);
    EXPECT_STREQ(d->extras.lpstrCheckBoxText, "Remember");
    EXPECT_EQ(string(d->extras.lpstrLabel), string(127, 'c'));
    EXPECT_EQ(d->extras.lpstrNote, d->texts.note);
    EXPECT_STREQ(d->extras.lpstrNote, "A note");
    d = Decode({});
    EXPECT_EQ(d->extras.lpstrNote, nullptr);
    EXPECT_STREQ(d->extras.lpstrCheckBoxText, "");
    EXPECT_STREQ(d->extras.lpstrLabel, "");
}

// Bad input: every field the dialog sees stays consistent with its buffer.
struct BadRequest : SlotTable {};

TEST_F(BadRequest, NoSlotsAtAllOrFewerSlotsReadAsEmptyTexts)
{
    Decoded none(nullptr);   // the server reads a list without strings so
    EXPECT_EQ(none.ofn.lpstrFilter[0], '\0');
    EXPECT_EQ(none.ofn.lpstrFile, nullptr);
    EXPECT_STREQ(none.ofn.lpstrTitle, "");
    EXPECT_EQ(none.ofn.Flags, (DWORD)OFN_EXPLORER);
    EXPECT_STREQ(none.ofn.lpstrDefExt, "");
    EXPECT_STREQ(none.extras.lpstrWorkbooks, "");
    EXPECT_EQ(none.extras.nCheckState, 0);
    EXPECT_EQ(none.extras.lpstrNote, nullptr);
    auto d = Decode({{JXR_SLOT_FILE, "1\nA.TXT"}, {JXR_SLOT_FILE_SIZE, "100"}}, 8);
    EXPECT_STREQ(d->ofn.lpstrFile, "A.TXT");
    EXPECT_EQ(d->ofn.nMaxFileTitle, 0u);
    EXPECT_STREQ(d->ofn.lpstrTitle, "");
    EXPECT_STREQ(d->extras.lpstrCheckBoxText, "");
}

TEST_F(BadRequest, NegativeSizesReadAsZero)
{
    auto d = Decode({{JXR_SLOT_CUSTOM_FILTER, "1\nx"}, {JXR_SLOT_CUSTOM_FILTER_SIZE, "-40"},
                     {JXR_SLOT_FILE, "1\nA.TXT"}, {JXR_SLOT_FILE_SIZE, "-1"},
                     {JXR_SLOT_FILE_TITLE, "1\nA.TXT"}, {JXR_SLOT_FILE_TITLE_SIZE, "-2147483648"}});
    EXPECT_EQ(d->ofn.lpstrCustomFilter, nullptr);
    EXPECT_EQ(d->ofn.nMaxCustFilter, 0u);
    EXPECT_EQ(d->ofn.lpstrFile, nullptr);
    EXPECT_EQ(d->ofn.nMaxFile, 0u);
    EXPECT_EQ(d->ofn.lpstrFileTitle, nullptr);
    EXPECT_EQ(d->ofn.nMaxFileTitle, 0u);
}

TEST_F(BadRequest, TextsLongerThanTheClientsSizesAreCut)
{
    auto d = Decode({{JXR_SLOT_CUSTOM_FILTER, "2\nMy files\n*.mine"},
                     {JXR_SLOT_CUSTOM_FILTER_SIZE, "12"},
                     {JXR_SLOT_FILE, "1\nC:\\A\\VERY\\LONG.TXT"}, {JXR_SLOT_FILE_SIZE, "8"},
                     {JXR_SLOT_FILE_TITLE, "1\nLONGNAME.TXT"}, {JXR_SLOT_FILE_TITLE_SIZE, "1"}});
    EXPECT_EQ(string(d->ofn.lpstrCustomFilter, 12), string("My files\0*\0\0", 12));
    EXPECT_STREQ(d->ofn.lpstrFile, "C:\\A\\VE");
    EXPECT_STREQ(d->ofn.lpstrFileTitle, "");
}

// Sizes above the limit get the limit, whatever the machine's memory; the
// second one wraps around 32 bits to -1.
TEST_F(BadRequest, HugeSizesGetTheLimit)
{
    auto d = Decode({{JXR_SLOT_CUSTOM_FILTER, "2\nMine\n*.my"},
                     {JXR_SLOT_CUSTOM_FILTER_SIZE, "2147483647"}, {JXR_SLOT_FILE, "1\nA.TXT"},
                     {JXR_SLOT_FILE_SIZE, "0x7FFFFFFF"}, {JXR_SLOT_FILE_TITLE, "1\nA.TXT"},
                     {JXR_SLOT_FILE_TITLE_SIZE, "4294967295"}});
    EXPECT_EQ(d->ofn.nMaxCustFilter, (DWORD)JXR_ANSWER_MAX);
    EXPECT_EQ(ListBytes(d->ofn.lpstrCustomFilter), string("Mine\0*.my\0\0", 11));
    EXPECT_EQ(d->ofn.nMaxFile, (DWORD)JXR_ANSWER_MAX);
    EXPECT_STREQ(d->ofn.lpstrFile, "A.TXT");
    EXPECT_EQ(d->ofn.lpstrFile[JXR_ANSWER_MAX + 1], '\0');
    EXPECT_EQ(d->ofn.lpstrFileTitle, nullptr);
    d = Decode({{JXR_SLOT_FILE_SIZE, std::to_string(JXR_ANSWER_MAX + 1)}});
    EXPECT_EQ(d->ofn.nMaxFile, (DWORD)JXR_ANSWER_MAX);
}

TEST_F(BadRequest, SlotsOfAndBeyond9215CharactersAreCut)
{
    auto d = Decode({{JXR_SLOT_INITIAL_DIR, "1\n" + string(20000, 'd')},
                     {JXR_SLOT_TITLE, "1\n" + string(9213, 't')},
                     {JXR_SLOT_WORKBOOKS, string(9300, 'w')}});
    EXPECT_EQ(strlen(d->ofn.lpstrTitle), 9213u);
    EXPECT_EQ(strlen(d->ofn.lpstrInitialDir), 9213u);
    EXPECT_EQ(strlen(d->extras.lpstrWorkbooks), 9215u);
}

TEST_F(BadRequest, CountsBeyondTheLinesPresent)
{
    auto d = Decode({{JXR_SLOT_FILTERS, "100\nText\n*.txt"}, {JXR_SLOT_TITLE, "7"},
                     {JXR_SLOT_CHECK_BOX_TEXT, "2147483647\n"}});
    EXPECT_EQ(ListBytes(d->ofn.lpstrFilter), string("Text\0*.txt\0\0", 12));
    EXPECT_STREQ(d->ofn.lpstrTitle, "");
    EXPECT_STREQ(d->extras.lpstrCheckBoxText, "");
}

}  // namespace
