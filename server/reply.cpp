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

// The first length characters of a text, cut to the buffer.
static void CopyPrefix(char *work, int size, LPCSTR text, int length)
{
    lstrcpynA(work, text, length < size ? length + 1 : size);
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
    if ((!last || last == path) && Qualify(path, full, sizeof full)) {
        path = full;
        last = strrchr(path, '\\');
    }
    CopyPrefix(work, size, path, last ? (int)(last - path) : 0);
    NameCurrentDirectory(work, size);
    reply = ReplyAppend(reply, work);
    return ReplyAppend(reply, path);
}

// "directory\name", always with the backslash, cut to the buffer.
static void JoinPath(char *path, int size, LPCSTR directory, LPCSTR name)
{
    lstrcpynA(path, directory, size);
    int length = lstrlenA(path);
    if (length + 1 < size) {
        path[length] = '\\';
        lstrcpynA(path + length + 1, name, size - length - 1);
    }
}

// A root directory keeps its backslash, so its paths hold two.
HDROP AppendExplorerSelection(HDROP reply, LPCSTR result)
{
    char directory[EXPLORER_WORK_SIZE];
    char path[EXPLORER_WORK_SIZE];
    LPCSTR name = result + lstrlenA(result) + 1;
    if (!*name)
        return AppendDirectoryAndPath(reply, result, directory, sizeof directory);
    lstrcpynA(directory, result, sizeof directory);
    NameCurrentDirectory(directory, sizeof directory);
    reply = ReplyAppend(reply, directory);
    for (; *name; name += lstrlenA(name) + 1) {
        JoinPath(path, sizeof path, directory, name);
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
    CopyPrefix(work + at, size - at, name, length);
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
    int at = (int)(blank - result);
    CopyPrefix(work, size, result, at);
    NameCurrentDirectory(work, size);
    reply = ReplyAppend(reply, work);
    at = lstrlenA(work);
    if (at + 1 < size && work[at - 1] != '\\') {
        work[at++] = '\\';
        work[at] = 0;
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
