// Drop lists byte for byte, read back with the shell's own DragQueryFile.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "wire/droplist.h"
#include "support/testsupport.h"

namespace {

std::vector<BYTE> Bytes(HDROP list)
{
    SIZE_T size = GlobalSize((HGLOBAL)list);
    const BYTE *p = (const BYTE *)GlobalLock((HGLOBAL)list);
    std::vector<BYTE> bytes(p, p + size);
    GlobalUnlock((HGLOBAL)list);
    return bytes;
}

DWORD Field(const std::vector<BYTE> &bytes, size_t offset)
{
    DWORD v;
    memcpy(&v, bytes.data() + offset, 4);
    return v;
}

std::vector<std::string> ReadAll(HDROP list)
{
    std::vector<std::string> out;
    UINT count = DragQueryFileA(list, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char text[JXR_SLOT_MAX + 1];
        UINT n = DragQueryFileA(list, i, text, sizeof text);
        out.emplace_back(text, n);
    }
    return out;
}

HDROP Append(HDROP list, const char *text)
{
    HDROP grown = DropListAppend(list, text);
    EXPECT_NE(grown, nullptr) << "appending \"" << text << "\"";
    return grown;
}

// Lists made and grown: the header as passed (fWide not reduced to 0 or
// 1), the block exactly as long as its strings with their NULs and a final
// NUL (a wide character two bytes), and the strings read back in order
// with the shell's own DragQueryFileA, which converts a wide list to ANSI.
// An empty text leaves the list as read.
TEST(DropList, MadeGrownAndReadBack)
{
    struct {
        POINT point;
        BOOL fNC, fWide;
        std::vector<std::string> texts;
        size_t size;
        std::vector<std::string> read;
    } cases[] = {
        {{-5, 7}, 3, 0, {}, 21, {}},
        {{0, 0}, 0, 2, {}, 22, {}},
        {{0, 0}, 0, 0, {"abc"}, 25, {"abc"}},
        {{0, 0}, 0, 0, {"first", "C:\\DATA\\A.TXT", "3"}, 20 + 6 + 14 + 2 + 1,
         {"first", "C:\\DATA\\A.TXT", "3"}},
        {{0, 0}, 0, 1, {"wide", "xyz"}, 20 + 2 * 5 + 2 * 4 + 2, {"wide", "xyz"}},
        {{0, 0}, 0, 0, {"one", "", "two"}, 20 + 4 + 4 + 1, {"one", "two"}},
    };
    for (auto &c : cases) {
        HDROP list = DropListCreate(c.point, c.fNC, c.fWide);
        for (const std::string &text : c.texts)
            list = c.fWide ? DropListAppend(list, std::wstring(text.begin(), text.end()).c_str())
                           : Append(list, text.c_str());
        ASSERT_NE(list, nullptr);
        std::vector<BYTE> b = Bytes(list);
        ASSERT_EQ(b.size(), c.size) << c.texts.size();
        EXPECT_EQ(Field(b, 0), 20u);
        EXPECT_EQ((LONG)Field(b, 4), c.point.x);
        EXPECT_EQ((LONG)Field(b, 8), c.point.y);
        EXPECT_EQ(Field(b, 12), (DWORD)c.fNC);
        EXPECT_EQ(Field(b, 16), (DWORD)c.fWide);
        EXPECT_EQ(b.back() | b[b.size() - 1 - (c.fWide != 0)], 0);
        EXPECT_EQ(ReadDropList(list), c.read);
        EXPECT_EQ(GlobalFlags((HGLOBAL)list) & GMEM_DISCARDED, 0u);
        DragFinish(list);
    }
}

TEST(DropListAppend, CallerContinuesWithReturnedHandle)
{
    HDROP list = DropListCreate(POINT{0, 0}, 0, 0);
    // Grow far past the first block so the memory has to move.
    std::string big(5000, 'x');
    for (int i = 0; i < 40; ++i) {
        big[0] = (char)('A' + i % 26);
        list = Append(list, big.c_str());
        ASSERT_NE(list, nullptr);
    }
    std::vector<std::string> all = ReadAll(list);
    ASSERT_EQ(all.size(), 40u);
    EXPECT_EQ(all[39][0], 'A' + 39 % 26);
    EXPECT_EQ(Bytes(list).size(), 20u + 40 * 5001 + 1);
    DragFinish(list);
}

TEST(DropListCount, CountsWithinTheBlock)
{
    HDROP list = DropListCreate(POINT{0, 0}, 0, 0);
    EXPECT_EQ(DropListCount(list), 0u);
    for (const char *t : {"a", "bb", "ccc"})
        list = Append(list, t);
    EXPECT_EQ(DropListCount(list), 3u);
    DragFinish(list);

    HDROP wide = DropListCreate(POINT{0, 0}, 0, 1);
    EXPECT_EQ(DropListCount(wide), 0u);
    wide = DropListAppend(DropListAppend(wide, L"x"), L"yz");
    EXPECT_EQ(DropListCount(wide), 2u);
    DragFinish(wide);
    EXPECT_EQ(DropListCount(nullptr), 0u);
}

// A heap that refuses every block above 1 MiB: Wine needs about a minute
// of system time to exhaust real address space or commit, so the refusal
// is made at the program's import of GlobalReAlloc.
ImportPatch *limitPatch;

HGLOBAL WINAPI LimitedReAlloc(HGLOBAL mem, SIZE_T size, UINT flags)
{
    if (size > (1u << 20)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return limitPatch->Original<decltype(&GlobalReAlloc)>()(mem, size, flags);
}

TEST(DropListAppend, FailedGrowthLeavesOldListIntact)
{
    HDROP list = Append(DropListCreate(POINT{0, 0}, 0, 0), "kept");
    std::string big(2 << 20, 'h');
    HDROP result;
    {
        ImportPatch patch("kernel32.dll", "GlobalReAlloc", (void *)LimitedReAlloc);
        ASSERT_NE(patch.slot, nullptr);
        limitPatch = &patch;
        result = DropListAppend(list, big.c_str());
        // Below the limit the same heap still grows the list.
        list = Append(list, "small");
    }
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(ReadAll(list), (std::vector<std::string>{"kept", "small"}));
    EXPECT_EQ(Bytes(list).size(), 20u + 5 + 6 + 1);
    DragFinish(list);
}

}  // namespace
