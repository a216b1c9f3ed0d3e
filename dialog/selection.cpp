// The dialog's answer as the strings of a reply: the file, or the directory
// and each chosen file's path, expanded from the answers of both styles.
// The reply is built from them, and the hooks check them before the dialog
// closes.
#include "dialog/dialog.h"
#include <string.h>

// Work buffers of the two expanders, in UTF-16 units: a text that does not
// fit fails the walk, never a cut path that would name another file.
#define EXPLORER_WORK_SIZE 260
#define OLDSTYLE_WORK_SIZE 300

// The first length characters of a text; FALSE when they do not fit.
static BOOL CopyPrefix(WCHAR *work, int size, LPCWSTR text, int length)
{
    if (length >= size)
        return FALSE;
    lstrcpynW(work, text, length + 1);
    return TRUE;
}

// The full path of a name relative to the current directory, where the
// dialog left it, with "." and ".." resolved; FALSE when the platform cannot
// qualify it within size.
static BOOL Qualify(LPCWSTR name, WCHAR *full, int size)
{
    DWORD length = GetFullPathNameW(name, (DWORD)size, full, NULL);
    return length && length < (DWORD)size;
}

// A list cannot hold an empty string, so an answer that names no directory
// would cost the reply its shape: its files are those of the current
// directory, which it then names ("." should it not be qualified).
static void NameCurrentDirectory(WCHAR *directory, int size)
{
    if (!*directory && !Qualify(L".", directory, size))
        lstrcpynW(directory, L".", size);
}

static LPCWSTR LastBackslash(LPCWSTR text)
{
    LPCWSTR last = NULL;
    for (; *text; text++)
        if (*text == '\\')
            last = text;
    return last;
}

// One chosen file: the text before its last backslash, then the whole
// path. A path without that text is qualified first.
static BOOL WalkDirectoryAndPath(LPCWSTR path, WCHAR *work, int size, ReplyPathSink sink,
                                 void *context)
{
    WCHAR full[MAX_PATH];
    LPCWSTR last = LastBackslash(path);
    if ((!last || last == path) && *path) {
        if (!Qualify(path, full, MAX_PATH))
            return FALSE;
        path = full;
        last = LastBackslash(path);
    }
    if (!CopyPrefix(work, size, path, last ? (int)(last - path) : 0))
        return FALSE;
    NameCurrentDirectory(work, size);
    return sink(context, work) && sink(context, path);
}

// "directory\name", always with the backslash; FALSE when it does not fit.
static BOOL JoinPath(WCHAR *path, int size, LPCWSTR directory, LPCWSTR name)
{
    int length = lstrlenW(directory);
    if (length + 1 + lstrlenW(name) >= size)
        return FALSE;
    lstrcpyW(path, directory);
    path[length] = '\\';
    lstrcpyW(path + length + 1, name);
    return TRUE;
}

// Explorer style: "dir\0name\0name\0\0", or one full path. A root directory
// keeps its backslash, so its paths hold two.
static BOOL WalkExplorerSelection(LPCWSTR result, ReplyPathSink sink, void *context)
{
    WCHAR directory[EXPLORER_WORK_SIZE];
    WCHAR path[EXPLORER_WORK_SIZE];
    LPCWSTR name = result + lstrlenW(result) + 1;
    if (!*name)
        return WalkDirectoryAndPath(result, directory, EXPLORER_WORK_SIZE, sink, context);
    if (!CopyPrefix(directory, EXPLORER_WORK_SIZE, result, lstrlenW(result)))
        return FALSE;
    NameCurrentDirectory(directory, EXPLORER_WORK_SIZE);
    if (!sink(context, directory))
        return FALSE;
    for (; *name; name += lstrlenW(name) + 1)
        if (!JoinPath(path, EXPLORER_WORK_SIZE, directory, name) || !sink(context, path))
            return FALSE;
    return TRUE;
}

// The name placed after the directory in the work buffer, qualified as
// OpenFile qualifies it (which has no wide form); a path the platform cannot
// qualify within the buffer goes as joined, so no chosen file is dropped.
static BOOL WalkQualifiedName(WCHAR *work, int at, LPCWSTR name, int length,
                              ReplyPathSink sink, void *context)
{
    WCHAR full[OLDSTYLE_WORK_SIZE];
    if (!CopyPrefix(work + at, OLDSTYLE_WORK_SIZE - at, name, length))
        return FALSE;
    return sink(context, Qualify(work, full, OLDSTYLE_WORK_SIZE) ? full : work);
}

// Old style: "dir name name", or one full path. The directory goes out as
// the dialog gave it; only the work buffer gains the separating backslash.
// Runs of blanks separate no empty names.
static BOOL WalkOldStyleSelection(LPCWSTR result, ReplyPathSink sink, void *context)
{
    WCHAR work[OLDSTYLE_WORK_SIZE];
    const int size = OLDSTYLE_WORK_SIZE;
    LPCWSTR blank = result;
    while (*blank && *blank != ' ')
        blank++;
    if (!*blank)
        return WalkDirectoryAndPath(result, work, size, sink, context);
    if (!CopyPrefix(work, size, result, (int)(blank - result)))
        return FALSE;
    NameCurrentDirectory(work, size);
    if (!sink(context, work))
        return FALSE;
    int at = lstrlenW(work);
    if (work[at - 1] != '\\') {
        if (!CopyPrefix(work + at, size - at, L"\\", 1))
            return FALSE;
        at++;
    }
    for (LPCWSTR name = blank + 1; *name;) {
        int length = 0;
        while (name[length] && name[length] != ' ')
            length++;
        if (length && !WalkQualifiedName(work, at, name, length, sink, context))
            return FALSE;
        name += length;
        if (*name)
            name++;
    }
    return TRUE;
}

BOOL ForEachReplyPath(const OPENFILENAMEW *ofn, BOOL fExplorer, ReplyPathSink sink,
                      void *context)
{
    if (!(ofn->Flags & OFN_ALLOWMULTISELECT))
        return sink(context, ofn->lpstrFile);
    return fExplorer ? WalkExplorerSelection(ofn->lpstrFile, sink, context)
                     : WalkOldStyleSelection(ofn->lpstrFile, sink, context);
}
