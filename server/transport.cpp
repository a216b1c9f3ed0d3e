// WM_COPYDATA requests and replies, and the watch on a client's window.
#include "server/transport.h"
#include "server/droplist.h"
#include "server/server.h"

// A hung client must not keep the program alive after its dialog.
#define REPLY_TIMEOUT_MS 5000
#define WATCH_INTERVAL_MS 250
// Requests accepted but not yet served: more than a few at once is no
// client's honest business.
#define PENDING_MAX 8

struct PendingRequest {
    HDROP list;
    HWND client;
};

static PendingRequest pending[PENDING_MAX];
static int pendingCount;
static HWND hwndWatchedClient;  // client of the innermost dialog now open

LRESULT AcceptCopiedRequest(HWND frame, HWND client, const COPYDATASTRUCT *data)
{
    if (pendingCount == PENDING_MAX)
        return FALSE;
    HDROP list = DropListFromBlock(data->lpData, data->cbData);
    if (!list)
        return FALSE;
    // The posted message carries nothing: what it serves was checked here.
    if (!PostMessageA(frame, WM_FRAME_SERVE, 0, 0)) {
        DragFinish(list);
        return FALSE;
    }
    pending[pendingCount].list = list;
    pending[pendingCount].client = client;
    ++pendingCount;
    return TRUE;
}

void ServeCopiedRequests(HWND frame)
{
    while (pendingCount > 0 && IsWindow(frame)) {
        PendingRequest request = pending[0];
        --pendingCount;
        MoveMemory(pending, pending + 1, pendingCount * sizeof pending[0]);
        ServeFileRequest(frame, request.list, request.client, REPLY_BY_COPYDATA);
    }
}

// The reply list goes as a block; a null list (no memory) as an empty one.
// Either way the program keeps no part of it.
void SendReply(HWND frame, HWND client, HDROP reply, int replyBy)
{
    if (replyBy == REPLY_BY_DROPFILES) {
        PostMessageA(client, WM_DROPFILES, (WPARAM)reply, 0);
        return;
    }
    COPYDATASTRUCT data = {COPYDATA_REPLY, 0, NULL};
    if (reply) {
        data.cbData = (DWORD)GlobalSize((HGLOBAL)reply);
        data.lpData = GlobalLock((HGLOBAL)reply);
    }
    DWORD_PTR ignored;
    SendMessageTimeoutA(client, WM_COPYDATA, (WPARAM)frame, (LPARAM)&data,
                        SMTO_ABORTIFHUNG, REPLY_TIMEOUT_MS, &ignored);
    if (reply) {
        GlobalUnlock((HGLOBAL)reply);
        GlobalFree((HGLOBAL)reply);
    }
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
