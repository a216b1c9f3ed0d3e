// The reply list: the two numbers and the chosen files, with the expanders
// that turn a multi-select answer into one string per file.
#include "server/reply.h"
#include "wire/droplist.h"
#include "server/server.h"
#include <string.h>

HDROP ReplyAppend(HDROP reply, LPCSTR text)
{
    if (!reply)
        return NULL;
    HDROP grown = DropListAppend(reply, text);
    if (!grown)
        GlobalFree((HGLOBAL)reply);
    return grown;
}

static HDROP AppendNumber(HDROP reply, int number)
{
    char text[16];
    wsprintfA(text, "%i", number);
    return ReplyAppend(reply, text);
}

HDROP AppendDialogAnswer(HDROP reply, const OPENFILENAMEA *ofn, const DialogExtras *extras)
{
    reply = AppendNumber(reply, extras->nCheckState);
    reply = AppendNumber(reply, (int)ofn->nFilterIndex);
    if (!(ofn->Flags & OFN_ALLOWMULTISELECT))
        return ReplyAppend(reply, ofn->lpstrFile);
    if (IsNewShell())
        return AppendExplorerSelection(reply, ofn->lpstrFile);
    return AppendOldStyleSelection(reply, ofn->lpstrFile);
}

// A text that does not fit its work buffer costs the whole reply: the
// client gets the null reply, the server's failure, never a cut path that
// would name another file.
static HDROP Refuse(HDROP reply)
{
    if (reply)
        GlobalFree((HGLOBAL)reply);
    return NULL;
}

// The first length characters of a text; FALSE when they do not fit.
static BOOL CopyPrefix(char *work, int size, LPCSTR text, int length)
{
    if (length >= size)
        return FALSE;
    lstrcpynA(work, text, length + 1);
    return TRUE;
}

// The full path of a name relative to the current directory, where the
// dialog left it; FALSE when the platform cannot qualify it within size.
static BOOL Qualify(LPCSTR name, char *full, int size)
{
    DWORD length = GetFullPathNameA(name, (DWORD)size, full, NULL);
    return length && length < (DWORD)size;
}

// A list cannot hold an empty string, so an answer that names no directory
// would cost the reply its shape: its files are those of the current
// directory, which it then names ("." should it not be qualified).
static void NameCurrentDirectory(char *directory, int size)
{
    if (!*directory && !Qualify(".", directory, size))
        lstrcpynA(directory, ".", size);
}

// One chosen file: the text before its last backslash, then the whole
// path. A path without that text is qualified first.
static HDROP AppendDirectoryAndPath(HDROP reply, LPCSTR path, char *work, int size)
{
    char full[MAX_PATH];
    const char *last = strrchr(path, '\\');
    if ((!last || last == path) && *path) {
        if (!Qualify(path, full, sizeof full))
            return Refuse(reply);
        path = full;
        last = strrchr(path, '\\');
    }
    if (!CopyPrefix(work, size, path, last ? (int)(last - path) : 0))
        return Refuse(reply);
    NameCurrentDirectory(work, size);
    reply = ReplyAppend(reply, work);
    return ReplyAppend(reply, path);
}

// "directory\name", always with the backslash; FALSE when it does not fit.
static BOOL JoinPath(char *path, int size, LPCSTR directory, LPCSTR name)
{
    int length = lstrlenA(directory);
    if (length + 1 + lstrlenA(name) >= size)
        return FALSE;
    wsprintfA(path, "%s\\%s", directory, name);
    return TRUE;
}

// A root directory keeps its backslash, so its paths hold two.
HDROP AppendExplorerSelection(HDROP reply, LPCSTR result)
{
    char directory[EXPLORER_WORK_SIZE];
    char path[EXPLORER_WORK_SIZE];
    LPCSTR name = result + lstrlenA(result) + 1;
    if (!*name)
        return AppendDirectoryAndPath(reply, result, directory, sizeof directory);
    if (!CopyPrefix(directory, sizeof directory, result, lstrlenA(result)))
        return Refuse(reply);
    NameCurrentDirectory(directory, sizeof directory);
    reply = ReplyAppend(reply, directory);
    for (; *name; name += lstrlenA(name) + 1) {
        if (!JoinPath(path, sizeof path, directory, name))
            return Refuse(reply);
        reply = ReplyAppend(reply, path);
    }
    return reply;
}

// The name placed after the directory in the work buffer, qualified by
// OpenFile. OpenFile fails for paths its 128-byte field cannot hold; the
// joined path is sent then, so no chosen file is dropped.
static HDROP AppendQualifiedName(HDROP reply, char *work, int size, int at, LPCSTR name,
                                 int length)
{
    OFSTRUCT of;
    if (!CopyPrefix(work + at, size - at, name, length))
        return Refuse(reply);
    ZeroMemory(&of, sizeof of);
    if (OpenFile(work, &of, OF_PARSE) == HFILE_ERROR)
        return ReplyAppend(reply, work);
    return ReplyAppend(reply, of.szPathName);
}

// The directory goes out as the dialog gave it; only the work buffer gains
// the separating backslash. Runs of blanks separate no empty names.
HDROP AppendOldStyleSelection(HDROP reply, LPCSTR result)
{
    char work[OLDSTYLE_WORK_SIZE];
    const int size = sizeof work;
    const char *blank = strchr(result, ' ');
    if (!blank)
        return AppendDirectoryAndPath(reply, result, work, size);
    if (!CopyPrefix(work, size, result, (int)(blank - result)))
        return Refuse(reply);
    NameCurrentDirectory(work, size);
    reply = ReplyAppend(reply, work);
    int at = lstrlenA(work);
    if (work[at - 1] != '\\') {
        if (!CopyPrefix(work + at, size - at, "\\", 1))
            return Refuse(reply);
        at++;
    }
    for (LPCSTR name = blank + 1; *name;) {
        int length = (int)strcspn(name, " ");
        if (length)
            reply = AppendQualifiedName(reply, work, size, at, name, length);
        name += length;
        if (*name)
            name++;
    }
    return reply;
}
