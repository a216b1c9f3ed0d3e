// Checking and widening the texts of a request.
#include "wire/unicode.h"

BOOL IsUtf8(const char *text)
{
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, NULL, 0) != 0;
}

// The length without the incomplete sequence that a cut leaves at the end:
// the last lead byte and fewer continuation bytes than it announces.
static int WholeUtf8Length(const char *text, int length)
{
    int start = length - 1;
    while (start > 0 && length - start < 4 && ((BYTE)text[start] & 0xC0) == 0x80)
        start--;
    BYTE lead = start >= 0 ? (BYTE)text[start] : 0;
    int needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return length - start < needed ? start : length;
}

int WidenText(UINT codePage, const char *text, WCHAR *out, int size)
{
    if (size <= 0)
        return 0;
    int length = lstrlenA(text);
    if (codePage == CP_UTF8)
        length = WholeUtf8Length(text, length);
    int units = length && size > 1 ? MultiByteToWideChar(codePage, 0, text, length, out, size - 1) : 0;
    out[units] = 0;
    return units;
}
