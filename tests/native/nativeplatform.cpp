// The platform calls of the native builds (declared in win32/windows.h),
// as Wine implements them, or where the platform leaves more open, in its
// hardest form. Global memory is a malloc'd block of exactly the size
// asked for, its size stored just before the handle, and made afresh at
// every size change, so that AddressSanitizer catches any read past a list
// or of a stale one.
#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include "dialog/dialog.h"

HGLOBAL GlobalAlloc(UINT flags, SIZE_T size)
{
    SIZE_T *block = (SIZE_T *)malloc(sizeof *block + size);
    if (!block)
        return NULL;
    *block = size;
    if (flags & GMEM_ZEROINIT)
        memset(block + 1, 0, size);
    return block + 1;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T size, UINT flags)
{
    HGLOBAL grown = GlobalAlloc(flags, size);
    if (grown) {
        memcpy(grown, memory, GlobalSize(memory) < size ? GlobalSize(memory) : size);
        GlobalFree(memory);
    }
    return grown;
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    if (memory)
        free((SIZE_T *)memory - 1);
    return NULL;
}

LPVOID GlobalLock(HGLOBAL memory)
{
    return memory;
}

BOOL GlobalUnlock(HGLOBAL)
{
    return FALSE;
}

SIZE_T GlobalSize(HGLOBAL memory)
{
    return memory ? ((SIZE_T *)memory)[-1] : 0;
}

int lstrlenA(LPCSTR text)
{
    return text ? (int)strlen(text) : 0;
}

int lstrlenW(LPCWSTR text)
{
    int length = 0;
    while (text && text[length])
        length++;
    return length;
}

// The size counts as unsigned, as in Wine: a negative one does not bound
// the copy.
LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int size)
{
    LPSTR at = destination;
    UINT count = (UINT)size;
    while (count > 1 && *source) {
        count--;
        *at++ = *source++;
    }
    if (count)
        *at = 0;
    return destination;
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    int length = vsnprintf(buffer, 1025, format, args);
    va_end(args);
    return length;
}

// The current directory is C:\CURRENT. A name with a drive and a
// backslash is full already, one with a leading backslash is on drive C:,
// any other is in the current directory; "." and ".." are not resolved.
// The length without the NUL, or the size needed when the buffer is short.
DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR *filePart)
{
    static const char current[] = "C:\\CURRENT";
    if (!*name)
        return 0;
    char *full = (char *)malloc(strlen(name) + sizeof current + 1);
    if (name[0] && name[1] == ':' && name[2] == '\\')
        strcpy(full, name);
    else if (name[0] == '\\')
        strcat(strcpy(full, "C:"), name);
    else if (strcmp(name, ".") == 0)
        strcpy(full, current);
    else
        strcat(strcat(strcpy(full, current), "\\"), name);
    DWORD length = (DWORD)strlen(full);
    if (length < size) {
        memcpy(buffer, full, length + 1);
        if (filePart)
            *filePart = strrchr(buffer, '\\') + 1;
    }
    free(full);
    return length < size ? length : length + 1;
}

// OF_PARSE only, as Wine does it: the full path, refused when the 128-byte
// field cannot hold it.
HFILE OpenFile(LPCSTR name, OFSTRUCT *of, UINT)
{
    DWORD length = GetFullPathNameA(name, sizeof of->szPathName, of->szPathName, NULL);
    return length && length < sizeof of->szPathName ? 0 : HFILE_ERROR;
}

// One character of a list, a byte or a UTF-16 unit at any offset (a
// list's strings may start at an odd one).
static UINT CharAt(const BYTE *at, UINT unit)
{
    WCHAR wide;
    if (unit == 1)
        return *at;
    memcpy(&wide, at, sizeof wide);
    return wide;
}

// DragQueryFileA as the platform's shell may implement it. The string is
// found as DragQueryFileW finds it (reading without a bound, past the end
// of an empty list for the count). A wide list's string is converted unit
// by unit, a character beyond ASCII to two bytes as under code page 932,
// and as the documentation's "characters" and older shells have it, the
// count is of UTF-16 units and a conversion that does not fit the buffer
// stays unterminated, as WideCharToMultiByte leaves it (Wine 8 counts
// bytes and terminates). An empty string, or one past the end, leaves the
// buffer as it was.
UINT DragQueryFileA(HDROP list, UINT index, LPSTR buffer, UINT size)
{
    const BYTE *block = (const BYTE *)GlobalLock(list);
    if (!block)
        return 0;
    DROPFILES header;
    memcpy(&header, block, sizeof header);
    const UINT unit = header.fWide ? 2 : 1;
    const BYTE *text = block + header.pFiles;
    for (UINT i = 0; i < index; i++) {
        while (CharAt(text, unit))
            text += unit;
        text += unit;
        if (!CharAt(text, unit))
            return index == 0xFFFFFFFF ? i + 1 : 0;
    }
    UINT chars = 0;
    while (CharAt(text + chars * unit, unit))
        chars++;
    if (!chars || !buffer || !size)
        return chars;
    UINT copied = chars < size ? chars : size - 1, at = 0;
    for (UINT i = 0; i < copied && at < size; i++) {
        UINT c = CharAt(text + i * unit, unit);
        if (unit == 2 && c >= 0x80) {
            buffer[at++] = (char)0x81;
            c = 0x40 + (c & 0x3F);
        }
        if (at < size)
            buffer[at++] = (char)c;
    }
    if (at < size)
        buffer[at] = 0;
    return copied;
}

void DragFinish(HDROP list)
{
    GlobalFree((HGLOBAL)list);
}

// Only their addresses matter to the decoding.
UINT_PTR ExplorerHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
UINT_PTR OldStyleHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
