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
#include <vector>
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
LPWSTR lstrcpynW(LPWSTR destination, LPCWSTR source, int size)
{
    LPWSTR at = destination;
    UINT count = (UINT)size;
    while (count > 1 && *source) {
        count--;
        *at++ = *source++;
    }
    if (count)
        *at = 0;
    return destination;
}

LPWSTR lstrcpyW(LPWSTR destination, LPCWSTR source)
{
    return (LPWSTR)memcpy(destination, source, (lstrlenW(source) + 1) * sizeof(WCHAR));
}

LPWSTR lstrcatW(LPWSTR destination, LPCWSTR source)
{
    lstrcpyW(destination + lstrlenW(destination), source);
    return destination;
}

// Numbers only, 1024 characters at most: the format is ASCII and names no
// string or character, which the narrow vsnprintf below would misread.
int wsprintfW(LPWSTR buffer, LPCWSTR format, ...)
{
    char narrow[1025], text[1025];
    int n = 0;
    for (; format[n] && n < 1024; n++) {
        if (format[n] >= 0x80)
            abort();
        narrow[n] = (char)format[n];
    }
    narrow[n] = 0;
    for (const char *at = strchr(narrow, '%'); at; at = strchr(at + 1, '%')) {
        at += strspn(at + 1, "-+ #0123456789.hl") + 1;
        if (*at && strchr("sScC", *at))
            abort();
    }
    va_list args;
    va_start(args, format);
    int length = vsnprintf(text, sizeof text, narrow, args);
    va_end(args);
    for (int i = 0; i <= length; i++)
        buffer[i] = (BYTE)text[i];
    return length;
}

// The current directory is C:\CURRENT. A name with a drive and a
// backslash is full already, one with a leading backslash is on drive C:,
// any other is in the current directory; "." and ".." are not resolved
// (but for "." alone), so a full path is never shorter than the name.
// The length without the NUL, or the size needed when the buffer is short.
DWORD GetFullPathNameW(LPCWSTR name, DWORD size, LPWSTR buffer, LPWSTR *filePart)
{
    if (!*name)
        return 0;
    BOOL fDot = name[0] == '.' && !name[1];
    const char *prefix = name[1] == ':' && name[2] == '\\' ? ""
                         : name[0] == '\\' ? "C:"
                         : fDot ? "C:\\CURRENT" : "C:\\CURRENT\\";
    DWORD prefixLength = (DWORD)strlen(prefix), nameLength = fDot ? 0 : lstrlenW(name);
    DWORD length = prefixLength + nameLength;
    if (length >= size)
        return length + 1;
    for (DWORD i = 0; i < prefixLength; i++)
        buffer[i] = prefix[i];
    memcpy(buffer + prefixLength, name, nameLength * sizeof(WCHAR));
    buffer[length] = 0;
    if (filePart) {
        *filePart = buffer + length;
        while (*filePart > buffer && (*filePart)[-1] != '\\')
            (*filePart)--;
    }
    return length;
}

// The short (8.3) names of a volume that has them: a name of up to eight
// of these characters, and an extension of up to three, is its own.
static bool IsPlain(WCHAR c)
{
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_'
           || c == '-' || c == '~';
}

static WCHAR Upper(WCHAR c)
{
    return c >= 'a' && c <= 'z' ? c - 0x20 : c;
}

static bool IsShortName(LPCWSTR name, int length)
{
    if (!length || (name[0] == '.' && (length == 1 || (length == 2 && name[1] == '.'))))
        return true;
    int dot = 0;
    while (dot < length && IsPlain(name[dot]))
        dot++;
    if (dot == 0 || dot > 8 || (dot < length && (name[dot] != '.' || length - dot > 4)))
        return false;
    for (int i = dot + 1; i < length; i++)
        if (!IsPlain(name[i]))
            return false;
    return true;
}

// Any other name's: up to six of its plain characters before the last dot
// (four hexadecimal digits of a hash of its units without one), "~1"
// (names never collide here), and up to three plain characters after it.
static int ShortName(LPCWSTR name, int length, WCHAR *out)
{
    int dot = length, n = 0;
    while (dot > 0 && name[dot - 1] != '.')
        dot--;
    for (int i = 0; i < (dot ? dot - 1 : length) && n < 6; i++)
        if (IsPlain(name[i]))
            out[n++] = Upper(name[i]);
    if (!n) {
        UINT hash = 0;
        for (int i = 0; i < length; i++)
            hash = hash * 31 + name[i];
        for (; n < 4; n++)
            out[n] = "0123456789ABCDEF"[(hash >> (12 - 4 * n)) & 15];
    }
    out[n++] = '~';
    out[n++] = '1';
    for (int i = dot, kept = 0; dot && i < length && kept < 3; i++)
        if (IsPlain(name[i])) {
            if (!kept++)
                out[n++] = '.';
            out[n++] = Upper(name[i]);
        }
    return n;
}

// Every path exists, on drive C: (or relative to it) with short names, on
// D: without them (the long path comes back), but for one on another drive
// or holding a character no name holds ("*?<>| and controls): that fails,
// as for a file that does not exist. The length without the NUL, or the
// size needed when the buffer is short.
DWORD GetShortPathNameW(LPCWSTR path, LPWSTR out, DWORD size)
{
    int length = lstrlenW(path);
    for (int i = 0; i < length; i++)
        if (path[i] < 0x20 || (path[i] < 0x80 && strchr("\"*<>?|", (char)path[i])))
            return 0;
    bool fDrive = length >= 2 && path[1] == ':';
    WCHAR drive = fDrive ? path[0] | 0x20 : 'c';
    if (!length || (drive != 'c' && drive != 'd'))
        return 0;
    std::vector<WCHAR> result(path, path + (fDrive ? 2 : 0));
    for (int start = fDrive ? 2 : 0, end; start <= length; start = end + 1) {
        for (end = start; end < length && path[end] != '\\';)
            end++;
        WCHAR name[12];
        bool fOwn = drive == 'd' || IsShortName(path + start, end - start);
        int n = fOwn ? end - start : ShortName(path + start, end - start, name);
        result.insert(result.end(), fOwn ? path + start : name, (fOwn ? path + start : name) + n);
        if (end < length)
            result.push_back('\\');
    }
    DWORD n = (DWORD)result.size();
    if (n >= size)
        return n + 1;
    memcpy(out, result.data(), n * sizeof(WCHAR));
    out[n] = 0;
    return n;
}

// Shown and closed at once, as by its OK button.
int MessageBoxW(HWND, LPCWSTR, LPCWSTR, UINT)
{
    return IDOK;
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

// The string at index of a list, of units of *unit bytes, found as the
// shell finds it: reading without a bound, past the end of an empty list
// for the count. Past the end (or for no list) null, with *count the
// strings counted for index 0xFFFFFFFF, else 0.
static const BYTE *FindString(HDROP list, UINT index, UINT *unit, UINT *count)
{
    const BYTE *block = (const BYTE *)GlobalLock(list);
    *count = 0;
    if (!block)
        return NULL;
    DROPFILES header;
    memcpy(&header, block, sizeof header);
    *unit = header.fWide ? 2 : 1;
    const BYTE *text = block + header.pFiles;
    for (UINT i = 0; i < index; i++) {
        while (CharAt(text, *unit))
            text += *unit;
        text += *unit;
        if (!CharAt(text, *unit)) {
            *count = index == 0xFFFFFFFF ? i + 1 : 0;
            return NULL;
        }
    }
    return text;
}

// DragQueryFileA as the platform's shell may implement it. A wide list's
// string is converted unit by unit, a character beyond ASCII to two bytes
// as under a double-byte ANSI code page (932), and as the documentation's
// "characters" and older shells have it, the count is of UTF-16 units and
// a conversion that does not fit the buffer stays unterminated, as
// WideCharToMultiByte leaves it (Wine 8 counts bytes and terminates). An
// empty string, or one past the end, leaves the buffer as it was.
UINT DragQueryFileA(HDROP list, UINT index, LPSTR buffer, UINT size)
{
    UINT unit, chars;
    const BYTE *text = FindString(list, index, &unit, &chars);
    if (!text)
        return chars;
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

// DragQueryFileW as Wine has it: a wide list's string copied, an ANSI
// list's converted from the ANSI code page; the count is of UTF-16 units,
// and a string cut to the buffer stays terminated. As above, an empty
// string, or one past the end, leaves the buffer as it was.
UINT DragQueryFileW(HDROP list, UINT index, LPWSTR buffer, UINT size)
{
    UINT unit, chars;
    const BYTE *text = FindString(list, index, &unit, &chars);
    if (!text)
        return chars;
    std::vector<WCHAR> wide;
    if (unit == 2) {
        for (const BYTE *at = text; CharAt(at, 2); at += 2)
            wide.push_back((WCHAR)CharAt(at, 2));
    } else {
        wide.resize(MultiByteToWideChar(CP_ACP, 0, (LPCSTR)text, -1, NULL, 0));
        MultiByteToWideChar(CP_ACP, 0, (LPCSTR)text, -1, wide.data(), (int)wide.size());
        wide.pop_back();
    }
    chars = (UINT)wide.size();
    if (!chars || !buffer || !size)
        return chars;
    UINT copied = chars < size ? chars : size - 1;
    memcpy(buffer, wide.data(), copied * sizeof(WCHAR));
    buffer[copied] = 0;
    return copied;
}

void DragFinish(HDROP list)
{
    GlobalFree((HGLOBAL)list);
}

// Only their addresses matter to the decoding.
UINT_PTR ExplorerHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
UINT_PTR OldStyleHookProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
