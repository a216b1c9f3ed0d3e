// The second transport: requests and replies as WM_COPYDATA blocks, for
// clients in another process under Wine, which cannot carry a drop handle
// across processes. Requests that come by WM_DROPFILES are answered by it.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include "wire/protocol.h"

// How a request came, and so how its reply goes back: posted as
// WM_DROPFILES, or sent as a WM_COPYDATA block, an ANSI list or, for a
// Unicode request (texts in UTF-8), a wide one.
#define REPLY_BY_DROPFILES 0
#define REPLY_BY_COPYDATA  1
#define REPLY_BY_UNICODE   2

// Private frame messages: a copied request waits to be served; the client
// of the dialog now showing is checked for life.
#define WM_FRAME_SERVE (WM_APP + 1)
#define TIMER_WATCH_CLIENT 1

// WM_COPYDATA at the frame window: TRUE when the block is a whole drop
// list (of UTF-8 texts, for a Unicode request) and no other request is
// accepted or being served; the request is then served from the message
// loop after the sender is released. FALSE (and nothing else) when it is
// refused.
LRESULT AcceptCopiedRequest(HWND frame, HWND client, const COPYDATASTRUCT *data);
// WM_FRAME_SERVE: serves the accepted request.
void ServeCopiedRequest(HWND frame);
// At exit: no request is accepted from now on, and one accepted but never
// served gets the empty reply.
void EndCopiedRequests(HWND frame);

void SendReply(HWND frame, HWND client, HDROP reply, int replyBy);
// A list of the program's own that lives while messages are dispatched:
// the request accepted and not yet served, or the reply being sent.
BOOL IsOwnDropList(HDROP list);

// While a dialog is open, a client window that goes away cancels it, so
// the program still ends.
void WatchClient(HWND frame, HWND client, HWND *previous);
void UnwatchClient(HWND frame, HWND previous);
void CheckWatchedClient(void);
