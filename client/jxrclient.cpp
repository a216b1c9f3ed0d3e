// Client library of the file dialog server: request building, the server
// process and both transports (reply.cpp reads the reply).
#define _CRT_RAND_S     // rand_s, for the unpredictable part of the title
#include "client/jxrclient.h"
#include "wire/droplist.h"
#include "wire/unicode.h"
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define REPLY_CLASS "JxrClientReply"
#define START_TIMEOUT_MS 10000
#define START_TIMEOUT_MAX_S 86400
// How long a server that has replied may take to end.
#define EXIT_GRACE_MS 3000
#define LOOK_INTERVAL_MS 20
#define NO_MESSAGE (WM_APP + 0x3FFF)    // a filter that takes no message

static void SetError(char *error, int size, const char *format, ...)
{
    if (!error || size <= 0)
        return;
    va_list args;
    va_start(args, format);
    vsnprintf(error, size, format, args);
    va_end(args);
    error[size - 1] = '\0';
}

// How long the server may take to show its window, take the request and
// end: 10 s, or JXR_START_TIMEOUT seconds where starts are slow (emulation).
static DWORD StartTimeoutMs(void)
{
    char text[16];
    DWORD length = GetEnvironmentVariableA("JXR_START_TIMEOUT", text, sizeof text);
    long seconds = length && length < sizeof text ? atol(text) : 0;
    if (seconds <= 0 || seconds > START_TIMEOUT_MAX_S)
        return START_TIMEOUT_MS;
    return (DWORD)seconds * 1000;
}

// ---- Request building --------------------------------------------------

// One slot's text, grown as needed; failed marks lack of memory.
struct SlotText {
    char *text;
    size_t length, capacity;
    bool failed;
};

static void Put(SlotText *s, const char *text)
{
    size_t n = strlen(text);
    if (s->failed)
        return;
    if (s->length + n + 1 > s->capacity) {
        size_t capacity = (s->length + n + 1) * 2;
        char *grown = (char *)realloc(s->text, capacity);
        if (!grown) {
            s->failed = true;
            return;
        }
        s->text = grown;
        s->capacity = capacity;
    }
    memcpy(s->text + s->length, text, n + 1);
    s->length += n;
}

static void PutNumber(SlotText *s, long long value, bool isUnsigned)
{
    char number[32];
    sprintf(number, isUnsigned ? "%llu" : "%lld", value);
    Put(s, number);
}

static void PutLine(SlotText *s, const char *line)
{
    Put(s, "\n");
    Put(s, line);
}

// Single form: "1" and the text, or "0" for none.
static void PutSingle(SlotText *s, const char *text)
{
    if (!text) {
        Put(s, "0");
        return;
    }
    Put(s, "1");
    PutLine(s, text);
}

static void PutFilters(SlotText *s, const JxrFilter *filters, int count)
{
    PutNumber(s, 2LL * count, false);
    for (int i = 0; i < count; ++i) {
        PutLine(s, filters[i].description ? filters[i].description : "");
        PutLine(s, filters[i].pattern ? filters[i].pattern : "");
    }
}

static void PutWorkbooks(SlotText *s, const JxrWorkbook *workbooks, int count)
{
    PutNumber(s, count, false);
    for (int i = 0; i < count; ++i) {
        PutLine(s, workbooks[i].name ? workbooks[i].name : "");
        PutLine(s, workbooks[i].special ? "1" : "0");
    }
}

static bool HasLineFeed(const char *text)
{
    return text && strchr(text, '\n');
}

// An empty line ends a list on the wire: every later entry would be lost.
static bool IsEmpty(const char *text)
{
    return !text || !*text;
}

// The field checks the wire format needs; a message names the first fault.
static bool CheckRequest(const JxrRequest *r, char *error, int errorSize)
{
    const char *texts[] = {r->customFilter.description, r->customFilter.pattern, r->file,
                           r->fileTitle, r->initialDir, r->title, r->defExt,
                           r->checkBoxText, r->label, r->note};
    for (const char *t : texts)
        if (HasLineFeed(t)) {
            SetError(error, errorSize, "a text holds a line feed; every text is one line");
            return false;
        }
    if ((r->filterCount && !r->filters) || r->filterCount < 0
        || (r->workbookCount && !r->workbooks) || r->workbookCount < 0) {
        SetError(error, errorSize, "a list count does not match its entries");
        return false;
    }
    for (int i = 0; i < r->filterCount; ++i) {
        const JxrFilter *f = &r->filters[i];
        if (HasLineFeed(f->description) || HasLineFeed(f->pattern)
            || IsEmpty(f->description) || IsEmpty(f->pattern)) {
            SetError(error, errorSize, "filter %d: a description and a pattern, each on one line",
                     i + 1);
            return false;
        }
    }
    if (r->customFilterSize > 0
        && IsEmpty(r->customFilter.description) != IsEmpty(r->customFilter.pattern)) {
        SetError(error, errorSize, "the custom filter: a description and a pattern, or neither");
        return false;
    }
    for (int i = 0; i < r->workbookCount; ++i) {
        const char *name = r->workbooks[i].name;
        if (IsEmpty(name) || HasLineFeed(name) || strlen(name) > JXR_WORKBOOK_NAME_MAX) {
            SetError(error, errorSize, "workbook %d: a name of 1 to %d characters on one line",
                     i + 1, JXR_WORKBOOK_NAME_MAX);
            return false;
        }
    }
    if (r->customFilterSize < 0 || r->fileBufferSize < 0 || r->fileTitleSize < 0) {
        SetError(error, errorSize, "a buffer size is negative");
        return false;
    }
    return true;
}

void JxrRequestInit(JxrRequest *request)
{
    memset(request, 0, sizeof *request);
    request->kind = JXR_OPEN;
    request->filterIndex = 1;
    request->fileBufferSize = 4096;
    request->flags = OFN_HIDEREADONLY;
}

// Writes one slot of the request; the unused one carries a mark.
static void PutSlot(SlotText *s, const JxrRequest *r, int slot)
{
    const char *title = r->title ? r->title : r->kind == JXR_OPEN ? "Open" : "Save As";
    switch (slot) {
    case JXR_SLOT_KIND:               Put(s, r->kind == JXR_OPEN ? "OPEN" : "SAVE"); break;
    case JXR_SLOT_UNUSED:             Put(s, "-"); break;
    case JXR_SLOT_FILTERS:            PutFilters(s, r->filters, r->filterCount); break;
    case JXR_SLOT_CUSTOM_FILTER:
        PutFilters(s, &r->customFilter, r->customFilterSize > 0);
        break;
    case JXR_SLOT_CUSTOM_FILTER_SIZE: PutNumber(s, r->customFilterSize, false); break;
    case JXR_SLOT_FILTER_INDEX:       PutNumber(s, r->filterIndex, false); break;
    case JXR_SLOT_FILE:               PutSingle(s, r->file); break;
    case JXR_SLOT_FILE_SIZE:          PutNumber(s, r->fileBufferSize, false); break;
    case JXR_SLOT_FILE_TITLE:         PutSingle(s, r->fileTitle); break;
    case JXR_SLOT_FILE_TITLE_SIZE:    PutNumber(s, r->fileTitleSize, false); break;
    case JXR_SLOT_INITIAL_DIR:        PutSingle(s, r->initialDir); break;
    case JXR_SLOT_TITLE:              PutSingle(s, title); break;
    case JXR_SLOT_FLAGS:              PutNumber(s, r->flags, true); break;
    case JXR_SLOT_DEF_EXT:            PutSingle(s, r->defExt); break;
    case JXR_SLOT_WORKBOOKS:          PutWorkbooks(s, r->workbooks, r->workbookCount); break;
    case JXR_SLOT_SHOW_CHECK_BOX:     PutNumber(s, r->showCheckBox, false); break;
    case JXR_SLOT_CHECK_STATE:        PutNumber(s, r->checkState, false); break;
    case JXR_SLOT_CHECK_BOX_TEXT:     PutSingle(s, r->checkBoxText ? r->checkBoxText : ""); break;
    case JXR_SLOT_LABEL:              PutSingle(s, r->label ? r->label : ""); break;
    case JXR_SLOT_NOTE:               PutSingle(s, r->note && *r->note ? r->note : NULL); break;
    case JXR_SLOT_RELIEF:             PutNumber(s, r->reliefLook, false); break;
    }
}

HGLOBAL JxrBuildRequest(const JxrRequest *request, char *error, int errorSize)
{
    if (!CheckRequest(request, error, errorSize))
        return NULL;
    POINT origin = {0, 0};
    HDROP list = DropListCreate(origin, FALSE, FALSE);
    SlotText s = {NULL, 0, 0, false};
    int slot = 0;
    for (; list && slot < JXR_SLOT_COUNT; ++slot) {
        s.length = 0;
        PutSlot(&s, request, slot);
        if (s.length > JXR_SLOT_MAX && !s.failed) {
            SetError(error, errorSize, "request slot %d is longer than %d characters", slot,
                     JXR_SLOT_MAX);
            break;
        }
        if (request->unicode && !s.failed && !IsUtf8(s.text)) {
            SetError(error, errorSize, "a text of request slot %d is not UTF-8", slot);
            break;
        }
        HDROP grown = s.failed ? NULL : DropListAppend(list, s.text);
        if (!grown) {
            SetError(error, errorSize, "out of memory");
            break;
        }
        list = grown;
    }
    free(s.text);
    if (!list)
        SetError(error, errorSize, "out of memory");
    else if (slot < JXR_SLOT_COUNT) {
        GlobalFree(list);
        list = NULL;
    }
    return (HGLOBAL)list;
}

// ---- The server process ------------------------------------------------

static void DefaultServerPath(char *path, DWORD size)
{
    DWORD n = GetModuleFileNameA(NULL, path, size);
    if (n == 0 || n >= size) {
        lstrcpynA(path, "jxrwin32.exe", size);
        return;
    }
    char *slash = strrchr(path, '\\');
    char *name = slash ? slash + 1 : path;
    lstrcpynA(name, "jxrwin32.exe", (int)(path + size - name));
}

// The frame window of the started server. A window of another process with
// the same class and title (it may read the title off the command line) is
// passed over.
static HWND FindServerFrame(const char *title, DWORD processId)
{
    for (HWND window = NULL; (window = FindWindowExA(NULL, window, JXR_FRAME_CLASS, title));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return NULL;
}

// The frame is looked for as soon as the system reports a window of the
// server created: the event hook, set before the server runs, is called
// while this thread waits for messages (no message is taken from its
// queue). Where no event comes, it is looked for every LOOK_INTERVAL_MS.
static void CALLBACK NoteWindowCreated(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
}

static HWND WaitForFrame(PROCESS_INFORMATION *process, const char *title, char *error,
                         int errorSize)
{
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, NULL,
                                         NoteWindowCreated, process->dwProcessId, 0,
                                         WINEVENT_OUTOFCONTEXT);
    ResumeThread(process->hThread);
    DWORD start = GetTickCount(), timeout = StartTimeoutMs();
    HWND frame;
    while (!(frame = FindServerFrame(title, process->dwProcessId))) {
        if (MsgWaitForMultipleObjects(1, &process->hProcess, FALSE, LOOK_INTERVAL_MS,
                                      QS_ALLINPUT) == WAIT_OBJECT_0) {
            SetError(error, errorSize, "server ended before showing its window");
            break;
        }
        MSG msg;
        PeekMessageA(&msg, NULL, NO_MESSAGE, NO_MESSAGE, PM_NOREMOVE);
        if (GetTickCount() - start > timeout) {
            SetError(error, errorSize, "server window not found");
            TerminateProcess(process->hProcess, 1);
            break;
        }
    }
    if (hook)
        UnhookWinEvent(hook);
    return frame;
}

// A server answering by script (JXR_ANSWER) tells the script's faults on
// its standard error: the client hands it its own, and no other handle.
struct HandedError {
    HANDLE handle;                          // an inheritable duplicate, or null
    LPPROC_THREAD_ATTRIBUTE_LIST list;
    ULONG_PTR space[16];                    // the list, for one attribute
};

static void HandStandardError(STARTUPINFOEXA *si, HandedError *handed)
{
    HANDLE own = GetStdHandle(STD_ERROR_HANDLE);
    SIZE_T size = 0;
    handed->handle = NULL;
    handed->list = (LPPROC_THREAD_ATTRIBUTE_LIST)handed->space;
    if (!GetEnvironmentVariableW(L"JXR_ANSWER", NULL, 0) || !own || own == INVALID_HANDLE_VALUE)
        return;
    InitializeProcThreadAttributeList(NULL, 1, 0, &size);
    if (size > sizeof handed->space || !InitializeProcThreadAttributeList(handed->list, 1, 0, &size))
        return;
    if (DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &handed->handle, 0, TRUE,
                        DUPLICATE_SAME_ACCESS)
        && UpdateProcThreadAttribute(handed->list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                     &handed->handle, sizeof handed->handle, NULL, NULL)) {
        si->StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
        si->StartupInfo.hStdError = handed->handle;
        si->lpAttributeList = handed->list;
        return;
    }
    if (handed->handle)
        CloseHandle(handed->handle);
    handed->handle = NULL;
    DeleteProcThreadAttributeList(handed->list);
}

static void ReleaseHandedError(HandedError *handed)
{
    if (!handed->handle)
        return;
    CloseHandle(handed->handle);
    DeleteProcThreadAttributeList(handed->list);
}

HWND JxrStartServer(const char *serverPath, PROCESS_INFORMATION *process,
                    char *error, int errorSize)
{
    static LONG counter;
    char path[MAX_PATH], title[96];
    if (!serverPath) {
        DefaultServerPath(path, sizeof path);
        serverPath = path;
    }
    // The title is the command line after the program: unique per request,
    // and not to be guessed before the server starts.
    unsigned int secret[2] = {0, 0};
    rand_s(&secret[0]);
    rand_s(&secret[1]);
    snprintf(title, sizeof title, "jxrwin32 request %lu.%ld.%08x%08x", GetCurrentProcessId(),
             InterlockedIncrement(&counter), secret[0], secret[1]);
    size_t lineSize = strlen(serverPath) + strlen(title) + 4;    // quotes, blank, NUL
    char *line = (char *)malloc(lineSize);
    if (!line) {
        SetError(error, errorSize, "out of memory");
        return NULL;
    }
    snprintf(line, lineSize, "\"%s\" %s", serverPath, title);
    STARTUPINFOEXA si;
    memset(&si, 0, sizeof si);
    si.StartupInfo.cb = sizeof si;
    HandedError handed;
    HandStandardError(&si, &handed);
    BOOL fHanded = handed.handle != NULL;
    // A start that fails for another reason than a missing program is tried
    // again: Wine under load now and then fails one with an internal error.
    // The program is named by the command line alone, which may be longer
    // than MAX_PATH, unlike the application name.
    BOOL started = FALSE;
    DWORD failure = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessA(NULL, line, NULL, NULL, fHanded,
                                 CREATE_SUSPENDED | (fHanded ? EXTENDED_STARTUPINFO_PRESENT : 0),
                                 NULL, NULL, &si.StartupInfo, process);
        failure = started ? 0 : GetLastError();
        if (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND)
            break;
        if (!started)
            Sleep(100);
    }
    free(line);
    ReleaseHandedError(&handed);
    if (!started) {
        SetError(error, errorSize, "server not found: cannot start %s (error %lu)", serverPath,
                 failure);
        return NULL;
    }
    HWND frame = WaitForFrame(process, title, error, errorSize);
    if (frame)
        return frame;
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
    memset(process, 0, sizeof *process);
    return NULL;
}

// ---- The reply window --------------------------------------------------

struct ReplyState {
    int transport;          // how the request went (JXR_TRANSPORT_*); 0 before it is sent
    HWND frame;             // the frame window it went to
    DWORD frameProcess;     // the server's process, which owns that window
    bool arrived;
    HGLOBAL list;           // null with arrived: the server could not give the answer
};

// A Unicode request's reply comes by WM_COPYDATA too.
static bool IsAwaited(const ReplyState *state, int transport)
{
    int sent = state ? state->transport : 0;
    return (sent == transport || (sent == JXR_TRANSPORT_UNICODE
                                  && transport == JXR_TRANSPORT_COPYDATA))
        && !state->arrived;
}

// A WM_DROPFILES names no sender at all: one is taken only after the
// request went that way, and once. Any other is left alone: under Wine its
// handle is a bare number, which may name a block of this process.
static LRESULT OnReplyDropFiles(ReplyState *state, WPARAM wParam)
{
    if (IsAwaited(state, JXR_TRANSPORT_DROPFILES)) {
        state->list = (HGLOBAL)wParam;
        state->arrived = true;
    }
    return 0;
}

// The reply names the frame window its request went to, which must still
// belong to the server's process (a handle that came free may be another
// window's now). A 32-bit server's handle arrives in a 64-bit client with
// or without sign extension: its low 32 bits count.
static bool IsServersFrame(const ReplyState *state, WPARAM named)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(state->frame, &owner);
    return (DWORD)named == (DWORD)(ULONG_PTR)state->frame && owner == state->frameProcess;
}

static LRESULT OnReplyCopyData(HWND window, ReplyState *state, WPARAM wParam, LPARAM lParam)
{
    const COPYDATASTRUCT *data = (const COPYDATASTRUCT *)lParam;
    if (!data || data->dwData != JXR_COPYDATA_REPLY)
        return DefWindowProcA(window, WM_COPYDATA, wParam, lParam);
    if (!IsAwaited(state, JXR_TRANSPORT_COPYDATA) || !IsServersFrame(state, wParam))
        return FALSE;
    state->list = data->cbData ? (HGLOBAL)DropListFromBlock(data->lpData, data->cbData) : NULL;
    if (data->cbData && !state->list)
        return FALSE;           // malformed: keep waiting
    state->arrived = true;
    return TRUE;
}

// The state is made with the window and freed with it, also when the
// window's creation fails half-way.
static LRESULT CALLBACK ReplyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ReplyState *state = (ReplyState *)GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_NCCREATE:
        state = (ReplyState *)calloc(1, sizeof *state);
        if (!state)
            return FALSE;
        SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)state);
        break;
    case WM_DROPFILES: return OnReplyDropFiles(state, wParam);
    case WM_COPYDATA:  return OnReplyCopyData(window, state, wParam, lParam);
    case WM_NCDESTROY:
        if (state && state->list)
            GlobalFree(state->list);
        free(state);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND JxrCreateReplyWindow(void)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = ReplyWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = REPLY_CLASS;
    RegisterClassA(&wc);        // already registered by an earlier call is fine
    // Hidden and top-level: it owns the dialog, so it must be a real window.
    return CreateWindowExA(WS_EX_TOOLWINDOW, REPLY_CLASS, "", WS_POPUP, 0, 0, 0, 0,
                           NULL, NULL, wc.hInstance, NULL);
}

// ---- Sending and waiting ------------------------------------------------

int JxrRunningUnderWine(void)
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

BOOL JxrSendRequest(HWND frame, HWND replyWindow, HGLOBAL list, int transport,
                    char *error, int errorSize)
{
    if (GlobalSize(list) > JXR_REQUEST_MAX) {
        SetError(error, errorSize, "the request is larger than %d bytes", JXR_REQUEST_MAX);
        GlobalFree(list);
        return FALSE;
    }
    if (transport == JXR_TRANSPORT_AUTO)
        transport = JxrRunningUnderWine() ? JXR_TRANSPORT_COPYDATA : JXR_TRANSPORT_DROPFILES;
    // A reply is awaited from now on; the server may answer before the send
    // returns. A request refused or not taken awaits none.
    ReplyState *state = (ReplyState *)GetWindowLongPtrA(replyWindow, GWLP_USERDATA);
    if (state) {
        state->transport = transport;
        state->frame = frame;
        GetWindowThreadProcessId(frame, &state->frameProcess);
    }
    if (transport == JXR_TRANSPORT_DROPFILES) {
        if (PostMessageA(frame, WM_DROPFILES, (WPARAM)list, (LPARAM)replyWindow))
            return TRUE;
        SetError(error, errorSize, "cannot post the request (error %lu)", GetLastError());
        GlobalFree(list);
        if (state)
            state->transport = 0;
        return FALSE;
    }
    COPYDATASTRUCT data;
    data.dwData = transport == JXR_TRANSPORT_UNICODE ? JXR_COPYDATA_REQUEST_UTF8
                                                     : JXR_COPYDATA_REQUEST;
    data.cbData = (DWORD)GlobalSize(list);
    data.lpData = GlobalLock(list);
    DWORD_PTR accepted = FALSE;
    BOOL sent = SendMessageTimeoutA(frame, WM_COPYDATA, (WPARAM)replyWindow, (LPARAM)&data,
                                    SMTO_ABORTIFHUNG, StartTimeoutMs(), &accepted);
    GlobalUnlock(list);
    GlobalFree(list);
    if (!sent || !accepted) {
        SetError(error, errorSize, sent ? "the server refused the request"
                                        : "the server did not take the request");
        if (state)
            state->transport = 0;
        return FALSE;
    }
    return TRUE;
}

static void PumpMessages(void)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int JxrWaitReply(HWND replyWindow, HANDLE serverProcess, DWORD timeoutMs,
                 int multiSelect, JxrReply *reply, char *error, int errorSize)
{
    ReplyState *state = (ReplyState *)GetWindowLongPtrA(replyWindow, GWLP_USERDATA);
    DWORD start = GetTickCount();
    memset(reply, 0, sizeof *reply);
    if (!state) {
        SetError(error, errorSize, "no reply window");
        return JXR_ERROR;
    }
    for (;;) {
        PumpMessages();
        if (state->arrived)
            break;
        DWORD waited = GetTickCount() - start;
        if (timeoutMs && waited >= timeoutMs) {
            SetError(error, errorSize, "no reply in time");
            return JXR_ERROR;
        }
        DWORD r = MsgWaitForMultipleObjects(serverProcess ? 1 : 0, &serverProcess, FALSE,
                                            timeoutMs ? timeoutMs - waited : INFINITE,
                                            QS_ALLINPUT);
        if (serverProcess && r == WAIT_OBJECT_0) {
            PumpMessages();     // a posted reply may still wait in the queue
            if (state->arrived)
                break;
            SetError(error, errorSize, "the server ended without a reply");
            return JXR_ERROR;
        }
    }
    if (!state->list) {
        SetError(error, errorSize,
                 "the server could not give the answer (a path too long for it, or no memory)");
        return JXR_ERROR;
    }
    BOOL decoded = (state->transport == JXR_TRANSPORT_UNICODE ? JxrDecodeReplyUtf8
                                                              : JxrDecodeReply)(
        state->list, multiSelect, reply);
    DragFinish((HDROP)state->list);
    state->list = NULL;
    if (!decoded) {
        SetError(error, errorSize, "the reply cannot be read");
        return JXR_ERROR;
    }
    return reply->count ? JXR_CONFIRMED : JXR_CANCELLED;
}

int JxrRunDialog(const JxrRequest *request, const JxrOptions *options,
                 JxrReply *reply, char *error, int errorSize)
{
    JxrOptions defaults = {NULL, JXR_TRANSPORT_AUTO, 0};
    if (!options)
        options = &defaults;
    memset(reply, 0, sizeof *reply);
    HGLOBAL list = JxrBuildRequest(request, error, errorSize);
    if (!list)
        return JXR_ERROR;
    HWND replyWindow = JxrCreateReplyWindow();
    PROCESS_INFORMATION server;
    HWND frame = replyWindow ? JxrStartServer(options->serverPath, &server, error, errorSize)
                             : NULL;
    if (!frame) {
        if (!replyWindow)
            SetError(error, errorSize, "cannot create the reply window");
        GlobalFree(list);
        if (replyWindow)
            DestroyWindow(replyWindow);
        return JXR_ERROR;
    }
    int result = JXR_ERROR;
    int transport = request->unicode ? JXR_TRANSPORT_UNICODE : options->transport;
    if (JxrSendRequest(frame, replyWindow, list, transport, error, errorSize))
        result = JxrWaitReply(replyWindow, server.hProcess, options->timeoutMs,
                              (request->flags & OFN_ALLOWMULTISELECT) != 0, reply, error,
                              errorSize);
    // A server that gave no answer, or answered and stays, is ours to stop:
    // it would leave its dialog or its window up.
    DWORD grace = result == JXR_ERROR ? 0 : EXIT_GRACE_MS;
    if (WaitForSingleObject(server.hProcess, grace) != WAIT_OBJECT_0) {
        TerminateProcess(server.hProcess, 1);
        WaitForSingleObject(server.hProcess, EXIT_GRACE_MS);
    }
    CloseHandle(server.hThread);
    CloseHandle(server.hProcess);
    DestroyWindow(replyWindow);
    return result;
}
