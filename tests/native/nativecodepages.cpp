// The code page conversions of the native builds (declared in
// win32/windows.h) for the two code pages the program names, as Windows
// converts them: CP_UTF8, and CP_ACP, which is Windows-1252 here. Error
// codes are not kept; a call that fails returns 0. A buffer too short for
// the whole conversion gets what fits, then the call fails.
#include <windows.h>

UINT GetACP(void)
{
    return 1252;
}

// Windows-1252 at 0x80-0x9F; every other byte is the character of its value
// (the five bytes 1252 leaves undefined are the C1 controls, as on Windows).
static const WCHAR ANSI_HIGH[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of a character, or -1 when the code page lacks it. Best fit
// (without WC_NO_BEST_FIT_CHARS) is modelled for the full-width forms of
// ASCII only, which Windows writes as ASCII: U+FF3C becomes a backslash.
static int AnsiByte(long c, bool fBestFit)
{
    if (c >= 0 && (c < 0x80 || (c >= 0xA0 && c <= 0xFF)))
        return (int)c;
    for (int i = 0; i < 32; i++)
        if (ANSI_HIGH[i] == c)
            return 0x80 + i;
    return fBestFit && c >= 0xFF01 && c <= 0xFF5E ? (int)(c - 0xFEE0) : -1;
}

// One UTF-8 character of at most length bytes: its code point, or -1 for an
// invalid sequence (overlong, a surrogate, beyond U+10FFFF, cut or stray),
// which takes its longest valid beginning, at least one byte.
static long DecodeUtf8(const BYTE *text, int length, int *used)
{
    BYTE lead = text[0];
    int trail = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                : lead >= 0xF0 && lead <= 0xF4 ? 3 : lead < 0x80 ? 0 : -1;
    long c = trail > 0 ? lead & (0x3F >> trail) : lead;
    *used = 1;
    if (trail < 0)
        return -1;
    for (int i = 1; i <= trail; i++) {
        BYTE low = i > 1 ? 0x80 : lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        BYTE high = i > 1 ? 0xBF : lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (i >= length || text[i] < low || text[i] > high)
            return -1;
        c = c << 6 | (text[i] & 0x3F);
        *used = i + 1;
    }
    return c;
}

// One character of UTF-16: its code point, or -1 for a lone surrogate.
static long DecodeUtf16(LPCWSTR text, int length, int *used)
{
    long c = text[0];
    *used = 1;
    if (c >= 0xD800 && c < 0xDC00 && length > 1 && text[1] >= 0xDC00 && text[1] < 0xE000) {
        *used = 2;
        return 0x10000 + ((c - 0xD800) << 10) + (text[1] - 0xDC00);
    }
    return c >= 0xD800 && c < 0xE000 ? -1 : c;
}

// A conversion's output: written while it fits a buffer of size elements,
// counted only for size 0.
template <class Unit> struct Output {
    Unit *out;
    int size, count;
    bool fShort;
    void Put(const Unit *units, int n)
    {
        fShort = fShort || (size && count + n > size);
        for (int i = 0; !fShort && size && i < n; i++)
            out[count + i] = units[i];
        count += n;
    }
    int Result() const { return fShort ? 0 : count; }
};

static bool IsKnown(UINT codePage)
{
    return codePage == CP_ACP || codePage == 1252 || codePage == CP_UTF8;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR out,
                        int size)
{
    bool fUtf8 = codePage == CP_UTF8;
    if (!IsKnown(codePage) || !text || !length || size < 0 || (size && !out)
        || (fUtf8 && (flags & ~MB_ERR_INVALID_CHARS)))
        return 0;
    if (length < 0)
        length = (int)strlen(text) + 1;
    Output<WCHAR> output = {out, size, 0, false};
    for (int at = 0, used = 1; at < length; at += used) {
        BYTE c = (BYTE)text[at];
        long point = fUtf8 ? DecodeUtf8((const BYTE *)text + at, length - at, &used)
                           : c >= 0x80 && c < 0xA0 ? ANSI_HIGH[c - 0x80] : c;
        if (point < 0 && (flags & MB_ERR_INVALID_CHARS))
            return 0;
        WCHAR units[2] = {(WCHAR)(point < 0 ? 0xFFFD : point), 0};
        if (point >= 0x10000) {
            units[0] = (WCHAR)(0xD800 + ((point - 0x10000) >> 10));
            units[1] = (WCHAR)(0xDC00 + (point & 0x3FF));
        }
        output.Put(units, point >= 0x10000 ? 2 : 1);
    }
    return output.Result();
}

// UTF-8 takes WC_ERR_INVALID_CHARS alone and neither default argument;
// the ANSI code page anything but that flag. Under it a character without
// a byte (a surrogate pair as one) becomes the default character.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int length, LPSTR out,
                        int size, LPCSTR defaultChar, BOOL *usedDefault)
{
    bool fUtf8 = codePage == CP_UTF8;
    if (!IsKnown(codePage) || !text || !length || size < 0 || (size && !out)
        || (fUtf8 ? (flags & ~WC_ERR_INVALID_CHARS) || defaultChar || usedDefault
                  : (flags & WC_ERR_INVALID_CHARS) != 0))
        return 0;
    if (length < 0)
        length = lstrlenW(text) + 1;
    if (usedDefault)
        *usedDefault = FALSE;
    Output<char> output = {out, size, 0, false};
    for (int at = 0, used; at < length; at += used) {
        long point = DecodeUtf16(text + at, length - at, &used);
        char bytes[4];
        int n = 1;
        if (!fUtf8) {
            int byte = AnsiByte(point, !(flags & WC_NO_BEST_FIT_CHARS));
            if (byte < 0 && usedDefault)
                *usedDefault = TRUE;
            bytes[0] = byte < 0 ? defaultChar ? *defaultChar : '?' : (char)byte;
        } else if (point < 0 && (flags & WC_ERR_INVALID_CHARS)) {
            return 0;
        } else {
            point = point < 0 ? 0xFFFD : point;
            n = point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
            static const BYTE LEADS[5] = {0, 0, 0xC0, 0xE0, 0xF0};
            for (int i = n - 1; i > 0; i--, point >>= 6)
                bytes[i] = (char)(0x80 | (point & 0x3F));
            bytes[0] = (char)(LEADS[n] | point);
        }
        output.Put(bytes, n);
    }
    return output.Result();
}
