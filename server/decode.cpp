// Request decoding: the slot table that fills the OPENFILENAME and the
// DialogExtras record.
#include "server/decode.h"
#include <stdlib.h>
#include <string.h>

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
// always ends inside the buffer. A negative size reads as 0, one above
// the limit as the limit, which a reply can carry; a size that cannot be
// allocated becomes 0, so the dialog never hears of a buffer that does not
// exist. The text slot is read only for a nonzero size.
static char *DecodeAnswerBuffer(HDROP request, int sizeIndex, int textIndex, DWORD *size,
                                char *slot, CountedDecoder decode)
{
    int n = ReadSlotInteger(request, sizeIndex, slot);
    *size = 0;
    if (n <= 0)
        return NULL;
    if (n > JXR_ANSWER_MAX)
        n = JXR_ANSWER_MAX;
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
    int length = ReadSlot(request, JXR_SLOT_FILTERS, slot);
    ofn->lpstrFilter = DecodeInto(length + 5, slot, DecodeCountedList);
    ofn->lpstrCustomFilter = DecodeAnswerBuffer(request, JXR_SLOT_CUSTOM_FILTER_SIZE,
                                                JXR_SLOT_CUSTOM_FILTER, &ofn->nMaxCustFilter,
                                                slot, DecodeCountedList);
    ofn->nFilterIndex = (DWORD)ReadSlotInteger(request, JXR_SLOT_FILTER_INDEX, slot);
    ofn->lpstrFile = DecodeAnswerBuffer(request, JXR_SLOT_FILE_SIZE, JXR_SLOT_FILE, &ofn->nMaxFile,
                                        slot, DecodeCountedText);
    ofn->lpstrFileTitle = DecodeAnswerBuffer(request, JXR_SLOT_FILE_TITLE_SIZE, JXR_SLOT_FILE_TITLE,
                                             &ofn->nMaxFileTitle, slot, DecodeCountedText);
    length = ReadSlot(request, JXR_SLOT_INITIAL_DIR, slot);
    ofn->lpstrInitialDir = DecodeInto(length ? length : 1, slot, DecodeCountedText);
    length = ReadSlot(request, JXR_SLOT_TITLE, slot);
    ofn->lpstrTitle = DecodeInto(length + 2, slot, DecodeCountedText);
    ReadSlot(request, JXR_SLOT_FLAGS, slot);
    ofn->Flags = ScanNumber(slot, 10, FALSE);
    ChooseTemplateAndHook(ofn);
    length = ReadSlot(request, JXR_SLOT_DEF_EXT, slot);
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
    ReadSlot(request, JXR_SLOT_WORKBOOKS, workbooks);
    extras->lpstrWorkbooks = workbooks;
    extras->fShowCheckBox = ReadSlotInteger(request, JXR_SLOT_SHOW_CHECK_BOX, slot);
    extras->nCheckState = ReadSlotInteger(request, JXR_SLOT_CHECK_STATE, slot);
    extras->lpstrCheckBoxText = DecodeExtrasText(request, JXR_SLOT_CHECK_BOX_TEXT,
                                                 texts->checkBoxText, slot);
    extras->lpstrLabel = DecodeExtrasText(request, JXR_SLOT_LABEL, texts->label, slot);
    DecodeExtrasText(request, JXR_SLOT_NOTE, texts->note, slot);
    extras->lpstrNote = texts->note[0] ? texts->note : NULL;
}

// Null fields are skipped: free ignores them.
template <class Request> static void ReleaseTexts(Request *ofn)
{
    free((void *)ofn->lpstrFilter);
    free(ofn->lpstrFile);
    free((void *)ofn->lpstrTitle);
    free(ofn->lpstrCustomFilter);
    free((void *)ofn->lpstrInitialDir);
    free(ofn->lpstrFileTitle);
    free((void *)ofn->lpstrDefExt);
}

void ReleaseDialogRequest(OPENFILENAMEA *ofn)
{
    ReleaseTexts(ofn);
}

void ReleaseDialogRequest(OPENFILENAMEW *ofn)
{
    ReleaseTexts(ofn);
}

// Bytes of a double-NUL-terminated list, its final NUL included.
static DWORD ListSize(const char *list)
{
    const char *end = list;
    while (*end)
        end += strlen(end) + 1;
    return (DWORD)(end + 1 - list);
}

// The wide copy of a decoded text or list (items each with its NUL, and a
// final NUL) in a buffer of size units, with two NUL units after it that
// the dialog is not told of; null for a null text. A unit per byte holds
// every text the decoding made.
static WCHAR *Widen(const char *text, BOOL fList, DWORD size, UINT codePage)
{
    if (!text)
        return NULL;
    WCHAR *wide = (WCHAR *)malloc(((size_t)size + 2) * sizeof(WCHAR));
    if (!wide)
        return NULL;
    if (!fList)
        WidenText(codePage, text, wide, (int)size);
    DWORD at = 0;
    for (; fList && *text && at + 1 < size; text += strlen(text) + 1)
        at += WidenText(codePage, text, wide + at, (int)(size - at - 1)) + 1;
    if (fList)
        wide[at] = 0;
    wide[size] = wide[size + 1] = 0;
    return wide;
}

static DWORD TextSize(const char *text)
{
    return text ? (DWORD)strlen(text) + 1 : 0;
}

void DecodeWideRequest(HDROP request, OPENFILENAMEW *ofn, char *slot, UINT codePage)
{
    OPENFILENAMEA decoded;
    ZeroMemory(&decoded, sizeof decoded);
    DecodeDialogRequest(request, &decoded, slot);
    const char *filter = decoded.lpstrFilter;
    ofn->lpstrFilter = Widen(filter, TRUE, filter ? ListSize(filter) : 0, codePage);
    ofn->lpstrCustomFilter = Widen(decoded.lpstrCustomFilter, TRUE, decoded.nMaxCustFilter,
                                   codePage);
    ofn->nMaxCustFilter = ofn->lpstrCustomFilter ? decoded.nMaxCustFilter : 0;
    ofn->nFilterIndex = decoded.nFilterIndex;
    ofn->lpstrFile = Widen(decoded.lpstrFile, FALSE, decoded.nMaxFile, codePage);
    ofn->nMaxFile = ofn->lpstrFile ? decoded.nMaxFile : 0;
    ofn->lpstrFileTitle = Widen(decoded.lpstrFileTitle, FALSE, decoded.nMaxFileTitle, codePage);
    ofn->nMaxFileTitle = ofn->lpstrFileTitle ? decoded.nMaxFileTitle : 0;
    const char *dir = decoded.lpstrInitialDir, *title = decoded.lpstrTitle;
    ofn->lpstrInitialDir = Widen(dir, FALSE, TextSize(dir), codePage);
    ofn->lpstrTitle = Widen(title, FALSE, TextSize(title), codePage);
    ofn->Flags = decoded.Flags;
    ofn->lpstrDefExt = Widen(decoded.lpstrDefExt, FALSE, TextSize(decoded.lpstrDefExt), codePage);
    ofn->lpfnHook = decoded.lpfnHook;
    ofn->lpTemplateName = (LPCWSTR)decoded.lpTemplateName;
    ReleaseDialogRequest(&decoded);
}
