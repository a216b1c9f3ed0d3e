// Building drop lists in movable global memory, ANSI or wide.
#include "server/droplist.h"
#include <shlobj.h>

static_assert(sizeof(DROPFILES) == DROPLIST_HEADER_SIZE, "DROPFILES header is 20 bytes");

#define DROPLIST_FLAGS (GMEM_MOVEABLE | GMEM_ZEROINIT)

HDROP DropListCreate(POINT point, BOOL fNC, BOOL fWide)
{
    HGLOBAL list = GlobalAlloc(DROPLIST_FLAGS, fWide ? 22 : 21);
    if (!list)
        return NULL;
    DROPFILES *header = (DROPFILES *)GlobalLock(list);
    header->pFiles = DROPLIST_HEADER_SIZE;
    header->pt = point;
    header->fNC = fNC;
    header->fWide = fWide;      // kept as passed, not reduced to 0 or 1
    GlobalUnlock(list);
    return (HDROP)list;
}

// Byte offset of the final NUL, found by walking the strings from the header.
static SIZE_T FindListEnd(const BYTE *block, BOOL fWide)
{
    SIZE_T at = DROPLIST_HEADER_SIZE;
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
