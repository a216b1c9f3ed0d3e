// Numbers and counted lists inside request slots.
#include "wire/slottext.h"
#include <string.h>

// The characters scanf skips before a number.
static BOOL IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Value of a digit in any base up to 36; 36 for anything else.
static int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 36;
}

// Base 0: 0x for hexadecimal, a leading 0 for octal, else decimal. Blanks
// are skipped, then an optional sign and digits. Overflow wraps around 32
// bits, where scanf's result is undefined.
DWORD ScanNumber(const char *text, int base, BOOL fFirstLine)
{
    while (IsBlank(*text) && !(fFirstLine && *text == '\n'))
        text++;
    BOOL fNegative = *text == '-';
    if (*text == '-' || *text == '+')
        text++;
    if (base == 0) {
        if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && DigitValue(text[2]) < 16) {
            base = 16;
            text += 2;
        } else {
            base = text[0] == '0' ? 8 : 10;
        }
    }
    DWORD value = 0;
    for (int digit; (digit = DigitValue(*text)) < base; text++)
        value = value * base + digit;
    return fNegative ? 0 - value : value;
}

int ReadListCount(const char *text)
{
    return (int)ScanNumber(text, 0, TRUE);
}

const char *NextLine(const char *text)
{
    const char *end = strchr(text, '\n');
    return end ? end + 1 : NULL;
}

int CopyLine(char *destination, int size, const char *text)
{
    int length = (int)strcspn(text, "\n");
    if (length > size - 1)
        length = size - 1;
    memcpy(destination, text, length);
    destination[length] = 0;
    return length;
}

// The items present after the count line, at most count of them; the
// last NUL always fits, so an item that does not is cut and ends the list.
void DecodeCountedList(char *destination, int size, const char *text)
{
    int count = ReadListCount(text);
    const char *item = NextLine(text);
    int at = 0;
    for (int i = 0; i < count && item && at < size - 1; i++) {
        at += CopyLine(destination + at, size - 1 - at, item) + 1;
        item = NextLine(item);
    }
    destination[at] = 0;
}

// Any nonzero count, negative included, takes the first item line alone;
// without an item line the text is empty.
void DecodeCountedText(char *destination, int size, const char *text)
{
    const char *item = NextLine(text);
    destination[0] = 0;
    if (ReadListCount(text) != 0 && item)
        CopyLine(destination, size, item);
}
