// Drop lists: the DROPFILES blocks that carry request and reply.
#pragma once
#include <windows.h>
#include <shellapi.h>

// Header size of a drop list; the strings follow it.
#define DROPLIST_HEADER_SIZE 20
// Buffer size for reading one request slot with DragQueryFileA.
#define SLOT_BUFFER_SIZE 9216

HDROP DropListCreate(POINT point, BOOL fNC, BOOL fWide);
HDROP DropListAppend(HDROP list, const void *text);
