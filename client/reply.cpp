// Client library of the file dialog server: the reply list read into a
// JxrReply. Apart from the C library it calls only the drop lists and
// DragQueryFileA, so that it also builds natively for the fuzzer.
#include "client/jxrclient.h"
#include "wire/droplist.h"
#include <shlobj.h>
#include <stdlib.h>
#include <string.h>

// The length that DragQueryFileA gives for a wide list may count UTF-16
// units, each of which may take up to three bytes in the ANSI code page,
// and a conversion that does not fit stays unterminated.
static UINT BytesPerCharacter(HGLOBAL list)
{
    const DROPFILES *header = (const DROPFILES *)GlobalLock(list);
    UINT bytes = header && header->fWide ? 3 : 1;
    GlobalUnlock(list);
    return bytes;
}

BOOL JxrDecodeReply(HGLOBAL list, int multiSelect, JxrReply *reply)
{
    memset(reply, 0, sizeof *reply);
    UINT count = DropListCount((HDROP)list);
    if (count == 0)
        return TRUE;
    reply->strings = (char **)calloc(count, sizeof(char *));
    if (!reply->strings)
        return FALSE;
    UINT perCharacter = BytesPerCharacter(list);
    for (UINT i = 0; i < count; ++i) {
        UINT size = DragQueryFileA((HDROP)list, i, NULL, 0) * perCharacter + 1;
        char *text = (char *)malloc(size);
        if (!text) {
            JxrReplyFree(reply);
            return FALSE;
        }
        text[0] = '\0';
        DragQueryFileA((HDROP)list, i, text, size);
        text[size - 1] = '\0';
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

void JxrReplyFree(JxrReply *reply)
{
    for (int i = 0; i < reply->count; ++i)
        free(reply->strings[i]);
    free(reply->strings);
    memset(reply, 0, sizeof *reply);
}
