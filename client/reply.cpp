// Client library of the file dialog server: the reply list read into a
// JxrReply. Apart from the C library it calls only the drop lists,
// DragQueryFileA and W and the UTF-8 conversion, so that it also builds
// natively for the fuzzer.
#include "client/jxrclient.h"
#include "wire/droplist.h"
#include <stdlib.h>
#include <string.h>

// One string in the ANSI code page, as the shell converts a wide list: the
// length DragQueryFileA gives for it may count UTF-16 units, each of which
// may take up to three bytes, and a conversion that does not fit stays
// unterminated.
static char *AnsiString(HGLOBAL list, UINT index)
{
    UINT bytesPerCharacter = DropListIsWide((HDROP)list) ? 3 : 1;
    UINT size = DragQueryFileA((HDROP)list, index, NULL, 0) * bytesPerCharacter + 1;
    char *text = (char *)malloc(size);
    if (text) {
        text[0] = '\0';
        DragQueryFileA((HDROP)list, index, text, size);
        text[size - 1] = '\0';
    }
    return text;
}

// One string in UTF-8, read wide (an ANSI list converted by the shell): a
// UTF-16 unit takes at most three bytes, a surrogate pair four.
static char *Utf8String(HGLOBAL list, UINT index)
{
    UINT units = DragQueryFileW((HDROP)list, index, NULL, 0) + 1;
    WCHAR *wide = (WCHAR *)calloc(units, sizeof(WCHAR));
    char *text = wide ? (char *)malloc(3 * units) : NULL;
    if (text) {
        DragQueryFileW((HDROP)list, index, wide, units);
        wide[units - 1] = 0;
        if (!WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, (int)(3 * units), NULL, NULL))
            text[0] = '\0';
    }
    free(wide);
    return text;
}

static BOOL DecodeReply(HGLOBAL list, int multiSelect, JxrReply *reply,
                        char *(*readString)(HGLOBAL, UINT))
{
    memset(reply, 0, sizeof *reply);
    UINT count = DropListCount((HDROP)list);
    if (count == 0)
        return TRUE;
    reply->strings = (char **)calloc(count, sizeof(char *));
    if (!reply->strings)
        return FALSE;
    for (UINT i = 0; i < count; ++i) {
        char *text = readString(list, i);
        if (!text) {
            JxrReplyFree(reply);
            return FALSE;
        }
        reply->strings[i] = text;
        reply->count = (int)i + 1;
    }
    reply->checkState = atoi(reply->strings[JXR_REPLY_CHECK_STATE]);
    reply->filterIndex = count > JXR_REPLY_FILTER_INDEX
                         ? atoi(reply->strings[JXR_REPLY_FILTER_INDEX]) : 0;
    int first = JXR_REPLY_FILE + (multiSelect ? 1 : 0);
    if (multiSelect && count > JXR_REPLY_FILE)
        reply->directory = reply->strings[JXR_REPLY_FILE];
    if ((int)count > first) {
        reply->files = reply->strings + first;
        reply->fileCount = (int)count - first;
    }
    return TRUE;
}

BOOL JxrDecodeReply(HGLOBAL list, int multiSelect, JxrReply *reply)
{
    return DecodeReply(list, multiSelect, reply, AnsiString);
}

BOOL JxrDecodeReplyUtf8(HGLOBAL list, int multiSelect, JxrReply *reply)
{
    return DecodeReply(list, multiSelect, reply, Utf8String);
}

void JxrReplyFree(JxrReply *reply)
{
    for (int i = 0; i < reply->count; ++i)
        free(reply->strings[i]);
    free(reply->strings);
    memset(reply, 0, sizeof *reply);
}
