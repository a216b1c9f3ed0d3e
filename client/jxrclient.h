/* Client library of the jxrwin32 file dialog server.
 *
 * The server shows the platform's Open or Save dialog for a client and
 * hands back the user's answer. This library builds a request from named
 * fields, starts the server, sends the request, waits for the reply and
 * decodes it. A complete use:
 *
 *     JxrFilter filters[] = {{"Text files", "*.txt"}, {"All files", "*.*"}};
 *     JxrRequest request;
 *     JxrReply reply;
 *     char error[256];
 *     JxrRequestInit(&request);
 *     request.filters = filters;
 *     request.filterCount = 2;
 *     request.title = "Open a text file";
 *     switch (JxrRunDialog(&request, NULL, &reply, error, sizeof error)) {
 *     case JXR_CONFIRMED: printf("%s\n", reply.files[0]); break;
 *     case JXR_CANCELLED: break;
 *     default:            fprintf(stderr, "%s\n", error);
 *     }
 *     JxrReplyFree(&reply);
 *
 * Texts are ANSI, or UTF-8 in a request with unicode set, which is sent as
 * a Unicode request: its reply holds the true names of the files, in UTF-8.
 * An ANSI request gets names in the ANSI code page that all open: a name
 * that code page cannot write comes as its short (8.3) form, and the dialog
 * does not accept one without it. No text may hold a line feed: the wire
 * format separates lines with it, and such a request is refused with an
 * error. An empty line ends a list on the wire, so a filter's description
 * and pattern and a workbook's name must not be empty either (the custom
 * filter may have neither, for the dialog to fill in).
 */
#pragma once
#include <windows.h>
#include <commdlg.h>
#include "wire/protocol.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Results of JxrRunDialog and JxrWaitReply; also the command-line client's
 * exit status. */
#define JXR_CONFIRMED 0
#define JXR_CANCELLED 1
#define JXR_ERROR     2

#define JXR_OPEN 0
#define JXR_SAVE 1

/* How the request travels: WM_DROPFILES works between processes on
 * Windows; under Wine, which does not carry a drop handle to another
 * process, WM_COPYDATA is used. AUTO picks by the system. */
#define JXR_TRANSPORT_AUTO      0
#define JXR_TRANSPORT_DROPFILES 1
#define JXR_TRANSPORT_COPYDATA  2
/* WM_COPYDATA with the tag of a Unicode request, which only travels so;
 * JxrRunDialog sends a request with unicode set this way, whatever the
 * transport option says. */
#define JXR_TRANSPORT_UNICODE   3

typedef struct JxrFilter {
    const char *description;    /* e.g. "Text files" */
    const char *pattern;        /* e.g. "*.txt" */
} JxrFilter;

typedef struct JxrWorkbook {
    const char *name;
    int special;                /* greyed, entered without its extension */
} JxrWorkbook;

typedef struct JxrRequest {
    int kind;                   /* JXR_OPEN or JXR_SAVE */
    const JxrFilter *filters;
    int filterCount;
    JxrFilter customFilter;     /* used when customFilterSize > 0 */
    int customFilterSize;       /* buffer size for the custom filter */
    int filterIndex;            /* 1-based; 0 selects the custom filter */
    const char *file;           /* initial file name, or null */
    int fileBufferSize;         /* size of the answer buffer, at most JXR_ANSWER_MAX */
    const char *fileTitle;      /* initial file title, or null */
    int fileTitleSize;          /* 0: no file title buffer */
    const char *initialDir;     /* null: the system's choice */
    const char *title;          /* null: "Open" or "Save As", by kind */
    DWORD flags;                /* OFN_* flags of the dialog */
    const char *defExt;         /* null: no default extension */
    const JxrWorkbook *workbooks;
    int workbookCount;
    int showCheckBox;
    int checkState;
    const char *checkBoxText;
    const char *label;
    const char *note;           /* null or empty: no note */
    int reliefLook;             /* three-dimensional look, old shell only */
    int unicode;                /* texts in, and reply strings out, in UTF-8 */
} JxrRequest;

typedef struct JxrOptions {
    const char *serverPath;     /* ANSI; null: jxrwin32.exe beside this program */
    int transport;              /* JXR_TRANSPORT_* */
    DWORD timeoutMs;            /* wait for the reply; 0 waits for ever */
} JxrOptions;

typedef struct JxrReply {
    int count;                  /* reply strings; 0 after a cancel */
    char **strings;
    int checkState;             /* state of the check box at OK */
    int filterIndex;            /* filter in force at OK */
    const char *directory;      /* multi-select only: the directory */
    int fileCount;
    char **files;               /* full paths (the file itself in single-select) */
} JxrReply;

/* Defaults: an Open request, a 4096-byte answer buffer, OFN_HIDEREADONLY. */
void JxrRequestInit(JxrRequest *request);

/* The request's drop list (21 slots); null with a reason on bad fields, a
 * text of a Unicode request that is not UTF-8, or lack of memory. The caller
 * owns the list until it is sent. */
HGLOBAL JxrBuildRequest(const JxrRequest *request, char *error, int errorSize);

/* Starts the server with a unique, unpredictable title and finds its frame
 * window among the windows of the started process, within 10 s or the
 * environment's JXR_START_TIMEOUT seconds. */
HWND JxrStartServer(const char *serverPath, PROCESS_INFORMATION *process,
                    char *error, int errorSize);

/* A hidden window that receives the reply. */
HWND JxrCreateReplyWindow(void);

/* Sends the request list; ownership passes to the server on success
 * (WM_DROPFILES) or the list is freed after copying (WM_COPYDATA). A list
 * larger than JXR_REQUEST_MAX is refused and freed. From then on, unless the
 * request is refused, the reply window takes one reply by the same
 * transport, over WM_COPYDATA only from this frame window while it belongs
 * to the server's process. Window messages carry no sender: see the README
 * for what that leaves open. */
BOOL JxrSendRequest(HWND frame, HWND replyWindow, HGLOBAL list, int transport,
                    char *error, int errorSize);

/* Pumps messages until the reply arrives, the server process ends or the
 * time runs out. Decodes the reply; multiSelect tells its layout. The reply
 * to a request sent with JXR_TRANSPORT_UNICODE is decoded in UTF-8. */
int JxrWaitReply(HWND replyWindow, HANDLE serverProcess, DWORD timeoutMs,
                 int multiSelect, JxrReply *reply, char *error, int errorSize);

/* Reads a reply list (the server's drop list) into a JxrReply, its strings
 * in the ANSI code page, or (JxrDecodeReplyUtf8) in UTF-8. */
BOOL JxrDecodeReply(HGLOBAL list, int multiSelect, JxrReply *reply);
BOOL JxrDecodeReplyUtf8(HGLOBAL list, int multiSelect, JxrReply *reply);
void JxrReplyFree(JxrReply *reply);

/* The whole road: start, send, wait, decode; a server that gave no reply,
 * or has not ended 3 s after it, is stopped. */
int JxrRunDialog(const JxrRequest *request, const JxrOptions *options,
                 JxrReply *reply, char *error, int errorSize);

/* Nonzero when running under Wine. */
int JxrRunningUnderWine(void);

#ifdef __cplusplus
}
#endif
