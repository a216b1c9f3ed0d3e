// The reply list: the two numbers and the strings the dialog's answer gives,
// each as the list's kind asks.
#include "server/reply.h"
#include "wire/droplist.h"
#include "dialog/dialog.h"
#include "server/server.h"
#include <stdlib.h>

HDROP ReplyAppend(HDROP reply, LPCWSTR text)
{
    if (!reply)
        return NULL;
    BOOL fWide = DropListIsWide(reply);
    char *ansi = fWide ? NULL : AnsiPathCopy(text);
    HDROP grown = fWide || ansi ? DropListAppend(reply, fWide ? (const void *)text : ansi) : NULL;
    free(ansi);
    if (!grown)
        GlobalFree((HGLOBAL)reply);
    return grown;
}

static HDROP AppendNumber(HDROP reply, int number)
{
    WCHAR text[16];
    wsprintfW(text, L"%i", number);
    return ReplyAppend(reply, text);
}

// The reply grows by each path of the answer; one it cannot take ends it.
static BOOL AppendPath(void *context, LPCWSTR path)
{
    HDROP *reply = (HDROP *)context;
    *reply = ReplyAppend(*reply, path);
    return *reply != NULL;
}

// A path that does not fit the expanders' work buffers costs the whole
// reply: the client gets the null reply, the server's failure.
HDROP AppendDialogAnswer(HDROP reply, const OPENFILENAMEW *ofn, const DialogExtras *extras)
{
    reply = AppendNumber(reply, extras->nCheckState);
    reply = AppendNumber(reply, (int)ofn->nFilterIndex);
    if (reply && !ForEachReplyPath(ofn, IsNewShell(), AppendPath, &reply) && reply) {
        GlobalFree((HGLOBAL)reply);
        reply = NULL;
    }
    return reply;
}
