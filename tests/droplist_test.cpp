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

TEST(DropListCreate, AnsiHeaderKeepsFieldsAsPassed)
{
    HDROP list = DropListCreate(POINT{-5, 7}, 3, 0);
    ASSERT_NE(list, nullptr);
    std::vector<BYTE> b = Bytes(list);
    ASSERT_EQ(b.size(), 21u);
    EXPECT_EQ(Field(b, 0), 20u);
    EXPECT_EQ((LONG)Field(b, 4), -5);
    EXPECT_EQ((LONG)Field(b, 8), 7);
    EXPECT_EQ(Field(b, 12), 3u);
    EXPECT_EQ(Field(b, 16), 0u);
    EXPECT_EQ(b[20], 0);
    EXPECT_EQ(GlobalFlags((HGLOBAL)list) & GMEM_DISCARDED, 0u);
    DragFinish(list);
}

TEST(DropListCreate, WideHeaderIsNotReducedToOne)
{
    HDROP list = DropListCreate(POINT{0, 0}, 0, 2);
    ASSERT_NE(list, nullptr);
    std::vector<BYTE> b = Bytes(list);
    ASSERT_EQ(b.size(), 22u);
    EXPECT_EQ(Field(b, 16), 2u);
    EXPECT_EQ(b[20], 0);
    EXPECT_EQ(b[21], 0);
    DragFinish(list);
}

TEST(DropListAppend, AnsiGrowsByTextAndNul)
{
    HDROP list = Append(DropListCreate(POINT{0, 0}, 0, 0), "abc");
    std::vector<BYTE> b = Bytes(list);
    ASSERT_EQ(b.size(), 25u);
    EXPECT_EQ(std::string((char *)b.data() + 20, 3), "abc");
    EXPECT_EQ(b[23], 0);
    EXPECT_EQ(b[24], 0);
    EXPECT_EQ(Field(b, 0), 20u);
    DragFinish(list);
}

TEST(DropListAppend, TextsReadBackInOrder)
{
    HDROP list = DropListCreate(POINT{0, 0}, 0, 0);
    for (const char *t : {"first", "C:\\DATA\\A.TXT", "3"})
        list = Append(list, t);
    EXPECT_EQ(ReadAll(list), (std::vector<std::string>{"first", "C:\\DATA\\A.TXT", "3"}));
    EXPECT_EQ(Bytes(list).size(), 20u + 6 + 14 + 2 + 1);
    DragFinish(list);
}

TEST(DropListAppend, WideGrowsByTwoPerCharacterPlusFour)
{
    HDROP list = DropListCreate(POINT{0, 0}, 0, 1);
    list = DropListAppend(list, L"wide");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Bytes(list).size(), 20u + 2 * 4 + 4);
    list = DropListAppend(list, L"xyz");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Bytes(list).size(), 30u + 2 * 3 + 4);
    // DragQueryFileA converts a wide list to ANSI.
    EXPECT_EQ(ReadAll(list), (std::vector<std::string>{"wide", "xyz"}));
    DragFinish(list);
}

TEST(DropListAppend, EmptyTextLeavesContentsAsRead)
{
    HDROP list = Append(DropListCreate(POINT{0, 0}, 0, 0), "one");
    list = Append(list, "");
    EXPECT_EQ(ReadAll(list), std::vector<std::string>{"one"});
    list = Append(list, "two");
    EXPECT_EQ(ReadAll(list), (std::vector<std::string>{"one", "two"}));
    DragFinish(list);
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
