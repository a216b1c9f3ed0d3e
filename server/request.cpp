// Serving one request: decode it, run the Open or Save dialog, post the
// reply to the client, release everything and end the program.
#include "server/server.h"
#include "server/decode.h"
#include "wire/droplist.h"
#include "server/reply.h"
#include "server/transport.h"
#include "server/answer.h"
#include "relief/relief.h"
#include <stddef.h>
#include <stdlib.h>
#include <string.h>

// The structure without the Windows 2000 tail (the macro's own expression
// is no C++ constant, hence the equivalent here).
#if !defined(_WIN64)
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == 76,
              "the dialog structure of the shipped program is 76 bytes");
#endif

// Slot 20, on the old shell only. The look is registered once per process,
// to match the single unregistration at exit: a nested request finds it on
// and leaves it so.
static void SwitchReliefLook(HDROP request, char *slot)
{
    if (IsNewShell()) {
        fReliefLook = 0;
        return;
    }
    if (fReliefLook)
        return;
    fReliefLook = ReadSlotInteger(request, JXR_SLOT_RELIEF, slot);
    if (fReliefLook) {
        ReliefRegister(hInst);
        ReliefAutoSubclass(hInst);
    }
}

// The dialog appends "\*" to its initial directory in a MAX_PATH buffer.
#define INITIAL_DIR_MAX (MAX_PATH - 3)

// The device namespace, and paths the system passes on unparsed.
static BOOL IsDevicePath(LPCWSTR full)
{
    return full[0] == '\\' && full[1] == '\\' && (full[2] == '.' || full[2] == '?')
        && full[3] == '\\';
}

// The platform's dialog crashes on a device name and overflows its buffers
// on a long directory (Wine, measured), so it is handed only an existing
// directory whose text and full path leave room for what it appends. A
// device name reads as "\\.\NAME" once qualified, even inside a path.
static BOOL IsUsableInitialDir(LPCWSTR dir)
{
    WCHAR full[MAX_PATH];
    if (lstrlenW(dir) > INITIAL_DIR_MAX)
        return FALSE;
    DWORD length = GetFullPathNameW(dir, MAX_PATH, full, NULL);
    DWORD attributes = GetFileAttributesW(dir);
    return length && length <= INITIAL_DIR_MAX && !IsDevicePath(full)
           && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Any other directory is dropped: the dialog opens where the platform
// chooses, as for a directory that does not exist.
static void DropUnusableInitialDir(OPENFILENAMEW *ofn)
{
    if (ofn->lpstrInitialDir && !IsUsableInitialDir(ofn->lpstrInitialDir)) {
        free((void *)ofn->lpstrInitialDir);
        ofn->lpstrInitialDir = NULL;
    }
}

// A dialog ended by a quit message (posted to the thread, or by a frame
// window destroyed) answers 1 though nobody confirmed; its modal loop puts
// the quit back in the queue, where the message loop will end on it.
static BOOL QuitIsPending(void)
{
    MSG msg;
    return PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

// Without our hook the dialog cannot refuse a name the client cannot use:
// the user is told after it, and it shows again in the chosen folder with
// the refused name typed in (a multi-selection is chosen anew there).
// FALSE when that cannot be offered; the reply then fails on the name.
static BOOL KeepFirstPath(void *context, LPCWSTR path)
{
    lstrcpyW((WCHAR *)context, path);
    return FALSE;
}

// The folder holds the answer, or any directory the expanders name.
static BOOL OfferAgain(OPENFILENAMEW *ofn)
{
    WCHAR *folder = (WCHAR *)malloc((lstrlenW(ofn->lpstrFile) + 2 * MAX_PATH) * sizeof(WCHAR));
    if (!folder)
        return FALSE;
    folder[0] = 0;
    ForEachReplyPath(ofn, IsNewShell(), KeepFirstPath, folder);
    WCHAR *name = wcsrchr(folder, '\\');
    if (ofn->Flags & OFN_ALLOWMULTISELECT) {
        ofn->lpstrFile[0] = 0;
    } else if (name) {
        lstrcpyW(ofn->lpstrFile, name + 1);
        if (name == folder + 2 && folder[1] == ':')
            name++;                                 // a root keeps its backslash
        *name = 0;
    }
    free((void *)ofn->lpstrInitialDir);
    ofn->lpstrInitialDir = folder;
    return TRUE;
}

static BOOL ShowFileDialog(OPENFILENAMEW *ofn, BOOL fOpen)
{
    for (;;) {
        BOOL result = fOpen ? GetOpenFileNameW(ofn) : GetSaveFileNameW(ofn);
        if (result != 1 || QuitIsPending())
            return FALSE;
        if (!ofn->lpstrFile || AcceptAnswer(ofn->hwndOwner, ofn, IsNewShell())
            || !OfferAgain(ofn))
            return TRUE;
    }
}

// Refused: a request without a window of its client to answer (null, or a
// handle that is no window, such as HWND_BROADCAST). The server waits on.
static void RefuseRequest(HWND frame, HDROP request)
{
    MessageBoxA(frame, "Sending window handle is NULL", "Error", MB_OK);
    DragFinish(request);
}

// Working storage that cannot be allocated leaves the dialog unshown: the
// client still gets the empty reply, and the program ends as after a
// cancelled dialog. A client window gone by now gets no dialog and no
// reply. A dialog ended by a quit message counts as cancelled.
static void ServeClient(HWND frame, HDROP request, HWND client, int replyBy)
{
    char *slot = (char *)malloc(SLOT_BUFFER_SIZE);
    char *workbooks = (char *)malloc(SLOT_BUFFER_SIZE);
    int kindLength = slot ? ReadSlot(request, JXR_SLOT_KIND, slot) : 0;
    BOOL fOpen = kindLength && strcmp(slot, "OPEN") == 0;

    OPENFILENAMEW ofn;
    DialogExtras extras;
    ExtrasTexts texts;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = client;
    ofn.hInstance = hInst;
    BOOL fReady = slot && workbooks && IsWindow(client);
    if (fReady) {
        // A list never holds an empty string, so an empty slot 0 means a
        // list without strings: its other slots read as empty without
        // being asked for (Wine walks past the end of such a list).
        HDROP slots = kindLength ? request : NULL;
        UINT codePage = replyBy == REPLY_BY_UNICODE ? CP_UTF8 : CP_ACP;
        DecodeWideRequest(slots, &ofn, slot, codePage);
        DecodeDialogExtras(slots, &extras, &texts, slot, workbooks);
        SwitchReliefLook(slots, slot);
        DropUnusableInitialDir(&ofn);
        extras.fReliefLook = fReliefLook;
        extras.codePage = codePage;
        ofn.lCustData = (LPARAM)&extras;
    }
    DragFinish(request);

    BOOL fConfirmed = FALSE;
    if (fReady) {
        HWND outerClient;
        WatchClient(frame, client, &outerClient);
        if (ArmScriptedAnswer(frame, client, (ofn.Flags & OFN_EXPLORER) != 0))
            fConfirmed = ShowFileDialog(&ofn, fOpen) && ofn.lpstrFile;
        DisarmScriptedAnswer(frame);
        UnwatchClient(frame, outerClient);
    }
    // Made once the dialog is over: no drop handle that comes while it
    // shows can name the reply.
    POINT origin = {0, 0};
    HDROP reply = DropListCreate(origin, 0, replyBy == REPLY_BY_UNICODE);
    if (fConfirmed)
        reply = AppendDialogAnswer(reply, &ofn, &extras);
    SendReply(frame, client, reply, replyBy);

    ReleaseDialogRequest(&ofn);
    free(slot);
    free(workbooks);
    DestroyWindow(frame);
}

static volatile LONG nRequestsServing;   // requests between their arrival and reply

BOOL IsServingRequest(void)
{
    return nRequestsServing > 0;
}

// A WM_COPYDATA request was accepted with a live client window: one that
// is gone by now has vanished, and the request is served to nobody.
void ServeFileRequest(HWND frame, HDROP request, HWND client, int replyBy)
{
    ++nRequestsServing;
    if (IsWindow(client) || (client && replyBy != REPLY_BY_DROPFILES))
        ServeClient(frame, request, client, replyBy);
    else
        RefuseRequest(frame, request);
    --nRequestsServing;
}

void OnFileRequest(HWND frame, HDROP request, HWND client)
{
    ServeFileRequest(frame, request, client, REPLY_BY_DROPFILES);
}
