// Names a client of the ANSI code page can use: the one rule that gives a
// reply path in that code page, which the hooks ask before the dialog
// closes and the reply follows, and what the user is told of a name that
// has no such form.
#include "dialog/dialog.h"
#include "dialog/dialogextras.h"
#include <stdlib.h>

// The exact form of length units of text in the ANSI code page, written to
// out, or -1: a character it lacks, or one it would only approximate (é as
// e under 932, ¥ as a backslash), leaves no exact form. Only the flag
// reveals the approximations; a UTF-8 code page writes every character but
// lone surrogates, and takes neither the flag nor the question.
static int ExactForm(LPCWSTR text, int length, char *out, int size)
{
    if (!length)
        return 0;
    if (size <= 0)
        return -1;
    BOOL fUtf8 = GetACP() == CP_UTF8, fDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, fUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS,
                                text, length, out, size, NULL, fUtf8 ? NULL : &fDefault);
    return n && !fDefault ? n : -1;
}

// The last component of the short (8.3) form of the first length units of
// a path, in exact form; -1 when there is none (a name that does not exist,
// a volume without short names, where the long name comes back).
static int ShortComponent(LPCWSTR path, int length, char *out, int size)
{
    WCHAR prefix[MAX_PATH], shortPath[MAX_PATH];
    lstrcpynW(prefix, path, length + 1);
    DWORD n = GetShortPathNameW(prefix, shortPath, MAX_PATH);
    if (!n || n >= MAX_PATH)
        return -1;
    int last = (int)n;
    while (last > 0 && shortPath[last - 1] != '\\')
        last--;
    return last < (int)n ? ExactForm(shortPath + last, (int)n - last, out, size) : -1;
}

// Each component exact, or the last component of the short form of the path
// up to it: a directory and the files in it keep "file = directory \ name",
// and a path beyond MAX_PATH, which no ANSI program opens, needs be exact.
int AnsiPathForm(LPCWSTR path, char *out, int size)
{
    int length = lstrlenW(path);
    int at = ExactForm(path, length, out, size - 1);
    if (at < 0 && length < MAX_PATH) {
        at = 0;
        for (int start = 0, end = 0; at >= 0 && start <= length; start = end + 1) {
            for (end = start; end < length && path[end] != '\\';)
                end++;
            int n = ExactForm(path + start, end - start, out + at, size - 1 - at);
            if (n < 0)
                n = ShortComponent(path, end, out + at, size - 1 - at);
            at = n < 0 || (end < length && at + n >= size - 1) ? -1 : at + n;
            if (at >= 0 && end < length)
                out[at++] = '\\';
        }
    }
    if (at >= 0)
        out[at] = 0;
    return at;
}

// Three bytes a unit hold any exact form, MAX_PATH more the short components.
char *AnsiPathCopy(LPCWSTR path)
{
    int size = 3 * lstrlenW(path) + MAX_PATH + 1;
    char *ansi = (char *)malloc(size);
    if (ansi && AnsiPathForm(path, ansi, size) < 0) {
        free(ansi);
        ansi = NULL;
    }
    return ansi;
}

// The first path of an answer without an ANSI form, kept by its last
// component for the message.
struct Refusal {
    BOOL fRefused;
    WCHAR name[MAX_PATH];
};

static BOOL NoteRefusal(void *context, LPCWSTR path)
{
    Refusal *refusal = (Refusal *)context;
    char *ansi = refusal->fRefused ? NULL : AnsiPathCopy(path);
    if (!refusal->fRefused && !ansi) {
        LPCWSTR name = path;
        for (LPCWSTR at = path; *at; at++)
            if (*at == '\\')
                name = at + 1;
        lstrcpynW(refusal->name, name, MAX_PATH);
        refusal->fRefused = TRUE;
    }
    free(ansi);
    return TRUE;
}

// A path that does not fit the expanders costs the reply, not the name:
// it is no refusal.
BOOL AcceptAnswer(HWND owner, const OPENFILENAMEW *ofn, BOOL fExplorer)
{
    const DialogExtras *extras = (const DialogExtras *)ofn->lCustData;
    if (!ofn->lpstrFile || (extras && extras->codePage == CP_UTF8))
        return TRUE;
    Refusal refusal;
    refusal.fRefused = FALSE;
    ForEachReplyPath(ofn, fExplorer, NoteRefusal, &refusal);
    if (refusal.fRefused) {
        WCHAR text[MAX_PATH + 128];
        lstrcpyW(text, L"The program that asked for this file cannot use the name \"");
        lstrcatW(text, refusal.name);
        lstrcatW(text, L"\".\n\nChoose another name.");
        MessageBoxW(owner, text, ofn->lpstrTitle, MB_OK | MB_ICONEXCLAMATION);
    }
    return !refusal.fRefused;
}
