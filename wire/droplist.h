// Drop lists: the DROPFILES blocks that carry request and reply.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include "wire/protocol.h"

HDROP DropListCreate(POINT point, BOOL fNC, BOOL fWide);
HDROP DropListAppend(HDROP list, const void *text);

// A drop list copied from a block received from another process; null when
// the block is not a whole list: shorter than its header and final NUL,
// strings starting outside it, or a string not terminated within it.
HDROP DropListFromBlock(const void *block, SIZE_T size);

// Number of strings in a list, counted within its block. Unlike
// DragQueryFile with index 0xFFFFFFFF it never reads past the block (Wine's
// reads one byte beyond an empty list and miscounts it).
UINT DropListCount(HDROP list);
// TRUE for a list of UTF-16 strings (fWide set).
BOOL DropListIsWide(HDROP list);
// TRUE for an ANSI list whose strings are all well-formed UTF-8.
BOOL DropListIsUtf8(HDROP list);
