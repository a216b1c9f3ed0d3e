// Request decoding: numbers and counted lists inside slots, and the slot
// table that fills the OPENFILENAME and the DialogExtras record.
#include "server/decode.h"
#include <stdlib.h>
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

// The leading number of a text as scanf reads it with "%i" (base 0: 0x
// for hexadecimal, a leading 0 for octal, else decimal) or with "%lu"
// (base 10): blanks skipped, an optional sign, then digits; 0 when there
// is none. Overflow wraps around 32 bits, where scanf's result is
// undefined. With fFirstLine the number must stand in the first line.
static DWORD ScanNumber(const char *text, int base, BOOL fFirstLine)
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

// The start of the line after the first, or the end of the text.
static const char *SkipLine(const char *text)
{
    const char *next = NextLine(text);
    return next ? next : text + strlen(text);
}

// The count is read from the line as kept.
void OpenWorkbookList(WorkbookList *list, const char *text)
{
    char line[WORKBOOK_LINE_SIZE];
    text = text ? text : "";
    CopyLine(line, sizeof line, text);
    list->left = ReadListCount(line);
    list->cursor = SkipLine(text);
}

// The flag line may be missing.
BOOL ReadWorkbook(WorkbookList *list, char *name, BOOL *fSpecial)
{
    if (list->left <= 0 || !*list->cursor)
        return FALSE;
    list->left--;
    CopyLine(name, WORKBOOK_LINE_SIZE, list->cursor);
    list->cursor = SkipLine(list->cursor);
    *fSpecial = list->cursor[0] == '1';
    list->cursor = SkipLine(list->cursor);
    return TRUE;
}

// The length is measured rather than taken from DragQueryFileA, whose count
// for a wide list is one of characters, not of the bytes it converted to.
int ReadSlot(HDROP request, int index, char *slot)
{
    slot[0] = 0;
    if (request)
        DragQueryFileA(request, (UINT)index, slot, SLOT_BUFFER_SIZE);
    slot[SLOT_BUFFER_SIZE - 1] = 0;
    return (int)strlen(slot);
}

int ReadSlotInteger(HDROP request, int index, char *slot)
{
    ReadSlot(request, index, slot);
    return (int)ScanNumber(slot, 0, FALSE);
}

typedef void (*CountedDecoder)(char *destination, int size, const char *text);

// A new buffer of size bytes holding the decoded text; null when it
// cannot be allocated.
static char *DecodeInto(int size, const char *text, CountedDecoder decode)
{
    char *buffer = (char *)malloc(size);
    if (buffer)
        decode(buffer, size, text);
    return buffer;
}

// A buffer that the dialog writes its answer into, of the size the client
// asks for in sizeIndex, holding the decoded text of textIndex. Two NUL
// bytes that the dialog is not told of follow it, so reading the answer
// always ends inside the buffer. A negative size reads as 0; a size that
// cannot be allocated becomes 0, so the dialog never hears of a buffer
// that does not exist. The text slot is read only for a nonzero size.
static char *DecodeAnswerBuffer(HDROP request, int sizeIndex, int textIndex, DWORD *size,
                                char *slot, CountedDecoder decode)
{
    int n = ReadSlotInteger(request, sizeIndex, slot);
    *size = 0;
    if (n <= 0)
        return NULL;
    size_t end = (size_t)n;
    char *buffer = (char *)malloc(end + 2);
    if (!buffer)
        return NULL;
    ReadSlot(request, textIndex, slot);
    decode(buffer, n, slot);
    buffer[end] = buffer[end + 1] = 0;
    *size = (DWORD)n;
    return buffer;
}

// The client's Flags reach the dialog unchanged but for the style bits;
// template and hook take effect only when the client enabled them.
static void ChooseTemplateAndHook(OPENFILENAMEA *ofn)
{
    ofn->Flags |= OFN_EXPLORER;
    if (IsNewShell()) {
        ofn->lpTemplateName = MAKEINTRESOURCEA(IDD_EXPLORER_EXTRAS);
        ofn->lpfnHook = ExplorerHookProc;
        return;
    }
    ofn->Flags &= ~OFN_EXPLORER;
    if (ofn->Flags & OFN_ALLOWMULTISELECT) {
        ofn->lpTemplateName = MAKEINTRESOURCEA(IDD_OLDSTYLE_MULTI);
    } else {
        ofn->lpTemplateName = MAKEINTRESOURCEA(IDD_OLDSTYLE_SINGLE);
        ofn->Flags |= OFN_LONGNAMES;
    }
    ofn->lpfnHook = OldStyleHookProc;
}

// Slots are read in the order 2, 4, 3, 5, 7, 6, 9, 8, 10, 11, 12, 13: each
// size before the text it bounds.
void DecodeDialogRequest(HDROP request, OPENFILENAMEA *ofn, char *slot)
{
    int length = ReadSlot(request, 2, slot);
    ofn->lpstrFilter = DecodeInto(length + 5, slot, DecodeCountedList);
    ofn->lpstrCustomFilter = DecodeAnswerBuffer(request, 4, 3, &ofn->nMaxCustFilter, slot,
                                                DecodeCountedList);
    ofn->nFilterIndex = (DWORD)ReadSlotInteger(request, 5, slot);
    ofn->lpstrFile = DecodeAnswerBuffer(request, 7, 6, &ofn->nMaxFile, slot, DecodeCountedText);
    ofn->lpstrFileTitle = DecodeAnswerBuffer(request, 9, 8, &ofn->nMaxFileTitle, slot,
                                             DecodeCountedText);
    length = ReadSlot(request, 10, slot);
    ofn->lpstrInitialDir = DecodeInto(length ? length : 1, slot, DecodeCountedText);
    length = ReadSlot(request, 11, slot);
    ofn->lpstrTitle = DecodeInto(length + 2, slot, DecodeCountedText);
    ReadSlot(request, 12, slot);
    ofn->Flags = ScanNumber(slot, 10, FALSE);
    ChooseTemplateAndHook(ofn);
    length = ReadSlot(request, 13, slot);
    if (slot[0] != '0')
        ofn->lpstrDefExt = DecodeInto(length ? length : 1, slot, DecodeCountedText);
}

static char *DecodeExtrasText(HDROP request, int index, char *text, char *slot)
{
    ReadSlot(request, index, slot);
    DecodeCountedText(text, EXTRAS_TEXT_SIZE, slot);
    return text;
}

void DecodeDialogExtras(HDROP request, DialogExtras *extras, ExtrasTexts *texts,
                        char *slot, char *workbooks)
{
    memset(extras, 0, sizeof *extras);
    ReadSlot(request, 14, workbooks);
    extras->lpstrWorkbooks = workbooks;
    extras->fShowCheckBox = ReadSlotInteger(request, 15, slot);
    extras->nCheckState = ReadSlotInteger(request, 16, slot);
    extras->lpstrCheckBoxText = DecodeExtrasText(request, 17, texts->checkBoxText, slot);
    extras->lpstrLabel = DecodeExtrasText(request, 18, texts->label, slot);
    DecodeExtrasText(request, 19, texts->note, slot);
    extras->lpstrNote = texts->note[0] ? texts->note : NULL;
}

// Null fields are skipped: free ignores them.
void ReleaseDialogRequest(OPENFILENAMEA *ofn)
{
    free((void *)ofn->lpstrFilter);
    free(ofn->lpstrFile);
    free((void *)ofn->lpstrTitle);
    free(ofn->lpstrCustomFilter);
    free((void *)ofn->lpstrInitialDir);
    free(ofn->lpstrFileTitle);
    free((void *)ofn->lpstrDefExt);
}
