// WM_COPYDATA requests and replies, and the watch on a client's window.
#include "server/transport.h"
#include "wire/droplist.h"
#include "server/server.h"

// A hung client must not keep the program alive after its dialog.
#define REPLY_TIMEOUT_MS 5000
#define WATCH_INTERVAL_MS 250

static HDROP hdropAccepted;         // the request accepted and not yet served
static HDROP hdropReplying;         // the reply while it is being sent
static HWND hwndAcceptedClient;     // its client
static int nAcceptedReplyBy;        // and how it came (REPLY_BY_*)
static HWND hwndWatchedClient;      // client of the innermost dialog now open
static BOOL fEnding;                // the exit path is sending its empty reply

// One request per run: the program ends after its reply, so a request
// accepted beside another, or once the program has begun to end, could
// never be answered. A client handle that is no window (HWND_BROADCAST, a
// destroyed window) is refused; a null one is accepted and gets the
// message box, as over WM_DROPFILES.
LRESULT AcceptCopiedRequest(HWND frame, HWND client, const COPYDATASTRUCT *data)
{
    if (fEnding || hdropAccepted || IsServingRequest() || (client && !IsWindow(client)))
        return FALSE;
    BOOL fUnicode = data->dwData == JXR_COPYDATA_REQUEST_UTF8;
    HDROP list = DropListFromBlock(data->lpData, data->cbData);
    if (list && fUnicode && !DropListIsUtf8(list)) {
        DragFinish(list);
        list = NULL;
    }
    if (!list)
        return FALSE;
    // The posted message carries nothing: what it serves was checked here.
    if (!PostMessageA(frame, WM_FRAME_SERVE, 0, 0)) {
        DragFinish(list);
        return FALSE;
    }
    hdropAccepted = list;
    hwndAcceptedClient = client;
    nAcceptedReplyBy = fUnicode ? REPLY_BY_UNICODE : REPLY_BY_COPYDATA;
    return TRUE;
}

void ServeCopiedRequest(HWND frame)
{
    HDROP list = hdropAccepted;
    if (!list)
        return;
    hdropAccepted = NULL;
    ServeFileRequest(frame, list, hwndAcceptedClient, nAcceptedReplyBy);
}

// The message loop has ended: sending this reply is the only time that
// messages still come in, and a request among them is refused.
void EndCopiedRequests(HWND frame)
{
    if (!hdropAccepted)
        return;
    DragFinish(hdropAccepted);
    hdropAccepted = NULL;
    POINT origin = {0, 0};
    fEnding = TRUE;
    SendReply(frame, hwndAcceptedClient,
              DropListCreate(origin, 0, nAcceptedReplyBy == REPLY_BY_UNICODE), nAcceptedReplyBy);
    fEnding = FALSE;
}

// The reply list goes as a block; a null list (no memory, or a path that
// does not fit) as an empty one, and so does one larger than a client can
// be sent (Wine fails the receiver's GetMessage on about 2 MB).
static void SendCopiedReply(HWND frame, HWND client, HDROP reply)
{
    COPYDATASTRUCT data = {JXR_COPYDATA_REPLY, 0, NULL};
    if (reply && GlobalSize((HGLOBAL)reply) <= JXR_REPLY_MAX) {
        data.cbData = (DWORD)GlobalSize((HGLOBAL)reply);
        data.lpData = GlobalLock((HGLOBAL)reply);
    }
    DWORD_PTR ignored;
    SendMessageTimeoutA(client, WM_COPYDATA, (WPARAM)frame, (LPARAM)&data,
                        SMTO_ABORTIFHUNG, REPLY_TIMEOUT_MS, &ignored);
    if (data.lpData)
        GlobalUnlock((HGLOBAL)reply);
}

// Only the client's window hears the reply: a handle that is no window (any
// more) gets nothing. The program keeps no part of the list.
void SendReply(HWND frame, HWND client, HDROP reply, int replyBy)
{
    BOOL fWindow = IsWindow(client);
    if (fWindow && replyBy == REPLY_BY_DROPFILES
        && PostMessageA(client, WM_DROPFILES, (WPARAM)reply, 0))
        return;     // the client releases it
    hdropReplying = reply;
    if (fWindow && replyBy != REPLY_BY_DROPFILES)
        SendCopiedReply(frame, client, reply);
    hdropReplying = NULL;
    if (reply)
        GlobalFree((HGLOBAL)reply);
}

BOOL IsOwnDropList(HDROP list)
{
    return list && (list == hdropAccepted || list == hdropReplying);
}

void WatchClient(HWND frame, HWND client, HWND *previous)
{
    *previous = hwndWatchedClient;
    hwndWatchedClient = client;
    SetTimer(frame, TIMER_WATCH_CLIENT, WATCH_INTERVAL_MS, NULL);
}

void UnwatchClient(HWND frame, HWND previous)
{
    hwndWatchedClient = previous;
    if (!previous)
        KillTimer(frame, TIMER_WATCH_CLIENT);
}

static BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    char name[8];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// The dialogs of this thread are cancelled (message boxes above them
// included), so that the modal loops unwind and the request ends.
void CheckWatchedClient(void)
{
    if (hwndWatchedClient && !IsWindow(hwndWatchedClient))
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}
