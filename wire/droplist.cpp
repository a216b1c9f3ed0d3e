// Building drop lists in movable global memory, ANSI or wide.
#include "wire/droplist.h"
#include "wire/unicode.h"
#include <shlobj.h>

static_assert(sizeof(DROPFILES) == JXR_DROPLIST_HEADER_SIZE, "DROPFILES header is 20 bytes");

#define DROPLIST_FLAGS (GMEM_MOVEABLE | GMEM_ZEROINIT)

HDROP DropListCreate(POINT point, BOOL fNC, BOOL fWide)
{
    HGLOBAL list = GlobalAlloc(DROPLIST_FLAGS, fWide ? 22 : 21);
    if (!list)
        return NULL;
    DROPFILES *header = (DROPFILES *)GlobalLock(list);
    header->pFiles = JXR_DROPLIST_HEADER_SIZE;
    header->pt = point;
    header->fNC = fNC;
    header->fWide = fWide;      // kept as passed, not reduced to 0 or 1
    GlobalUnlock(list);
    return (HDROP)list;
}

// Byte offset of the final NUL, found by walking the strings from the header.
static SIZE_T FindListEnd(const BYTE *block, BOOL fWide)
{
    SIZE_T at = JXR_DROPLIST_HEADER_SIZE;
    if (fWide) {
        const WCHAR *text = (const WCHAR *)(block + at);
        while (*text)
            text += lstrlenW(text) + 1;
        return (const BYTE *)text - block;
    }
    while (block[at])
        at += lstrlenA((const char *)block + at) + 1;
    return at;
}

HDROP DropListAppend(HDROP list, const void *text)
{
    BYTE *block = (BYTE *)GlobalLock((HGLOBAL)list);
    if (!block)
        return NULL;
    BOOL fWide = ((DROPFILES *)block)->fWide;
    SIZE_T end = FindListEnd(block, fWide);
    GlobalUnlock((HGLOBAL)list);

    // The text and its NUL land on the old final NUL; the zero-filled
    // tail of the reallocation becomes the new final NUL.
    SIZE_T textBytes = fWide ? (lstrlenW((LPCWSTR)text) + 1) * sizeof(WCHAR)
                             : lstrlenA((LPCSTR)text) + 1;
    SIZE_T newSize = end + textBytes + (fWide ? sizeof(WCHAR) : 1);
    HGLOBAL grown = GlobalReAlloc((HGLOBAL)list, newSize, DROPLIST_FLAGS);
    if (!grown)
        return NULL;
    block = (BYTE *)GlobalLock(grown);
    CopyMemory(block + end, text, textBytes);
    GlobalUnlock(grown);
    return (HDROP)grown;
}

static bool IsNulAt(const BYTE *at, SIZE_T unit)
{
    return unit == 1 ? at[0] == 0 : (at[0] | at[1]) == 0;
}

// Counts the strings of a block, stopping at the end of the list; -1 when
// the list runs past the block (a string or the final NUL missing).
static int CountStrings(const BYTE *block, SIZE_T size)
{
    if (size <= JXR_DROPLIST_HEADER_SIZE)
        return -1;
    DROPFILES header;
    CopyMemory(&header, block, sizeof header);
    SIZE_T unit = header.fWide ? sizeof(WCHAR) : 1;
    if (header.pFiles < JXR_DROPLIST_HEADER_SIZE || header.pFiles >= size)
        return -1;
    SIZE_T at = header.pFiles;
    for (int count = 0;; ++count) {
        SIZE_T start = at;
        while (at + unit <= size && !IsNulAt(block + at, unit))
            at += unit;
        if (at + unit > size)
            return -1;
        at += unit;
        if (at - unit == start)
            return count;
    }
}

UINT DropListCount(HDROP list)
{
    const BYTE *block = (const BYTE *)GlobalLock((HGLOBAL)list);
    if (!block)
        return 0;
    int count = CountStrings(block, GlobalSize((HGLOBAL)list));
    GlobalUnlock((HGLOBAL)list);
    return count < 0 ? 0 : count;
}

BOOL DropListIsWide(HDROP list)
{
    const DROPFILES *header = (const DROPFILES *)GlobalLock((HGLOBAL)list);
    BOOL fWide = header && header->fWide;
    GlobalUnlock((HGLOBAL)list);
    return fWide;
}

// Only a list whose strings are terminated within it is walked.
BOOL DropListIsUtf8(HDROP list)
{
    const BYTE *block = (const BYTE *)GlobalLock((HGLOBAL)list);
    BOOL fUtf8 = block && !((const DROPFILES *)block)->fWide
                 && CountStrings(block, GlobalSize((HGLOBAL)list)) >= 0;
    for (SIZE_T at = fUtf8 ? ((const DROPFILES *)block)->pFiles : 0; fUtf8 && block[at];
         at += lstrlenA((const char *)block + at) + 1)
        fUtf8 = IsUtf8((const char *)block + at);
    GlobalUnlock((HGLOBAL)list);
    return fUtf8;
}

HDROP DropListFromBlock(const void *data, SIZE_T size)
{
    if (!data || CountStrings((const BYTE *)data, size) < 0)
        return NULL;
    HGLOBAL list = GlobalAlloc(DROPLIST_FLAGS, size);
    if (!list)
        return NULL;
    CopyMemory(GlobalLock(list), data, size);
    GlobalUnlock(list);
    return (HDROP)list;
}
