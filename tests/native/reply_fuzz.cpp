// Fuzz target: the dialog's answer as it may stand in the file buffer, the
// input's bytes as UTF-16 units ending in the two NULs that the decoding
// adds, turned into a wide and an ANSI reply as a single file and by the
// Explorer-style and old-style expanders. The wide reply keeps its shape:
// the two numbers, the directory when several files may be chosen, then
// one string for each file named; only an answer long enough to hold a text
// beyond a work buffer may cost it. The ANSI reply holds the same strings,
// each component exact or a short name, and only a name beyond ASCII may
// cost it besides.
#include <stdint.h>
#include <algorithm>
#include <vector>
#include "fuzz.h"
#include "server/reply.h"
#include "wire/droplist.h"
#include "support/shell_switch.h"

// The names after the directory: the strings after the first (Explorer
// style) or the words after its first blank (old style); -1 for a single
// path.
static int NamesIn(const WCHAR *answer, bool fExplorer)
{
    int names = 0;
    if (fExplorer) {
        for (const WCHAR *name = answer + lstrlenW(answer) + 1; *name; name += lstrlenW(name) + 1)
            names++;
        return names ? names : -1;
    }
    const WCHAR *blank = std::find(answer, answer + lstrlenW(answer), ' ');
    if (!*blank)
        return -1;
    for (const WCHAR *at = blank + 1; *at; at++)
        names += *at != ' ' && at[-1] == ' ';
    return names;
}

// Each component of the ANSI string is that of the wide one, or a short
// name of the stand-in's (with its "~", after a drive of "C:name").
static bool IsAnsiFormOf(const char *ansi, const WCHAR *wide)
{
    std::vector<WCHAR> back(strlen(ansi) + 1);
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, back.data(), (int)back.size());
    for (const WCHAR *a = back.data(), *w = wide;; a++, w++) {
        const WCHAR *aEnd = a, *wEnd = w;
        while (*aEnd && *aEnd != '\\')
            aEnd++;
        while (*wEnd && *wEnd != '\\')
            wEnd++;
        if (!std::equal(a, aEnd, w, wEnd) && std::find(a, aEnd, '~') == aEnd)
            return false;
        if (!*aEnd || !*wEnd)
            return *aEnd == *wEnd;
        a = aEnd;
        w = wEnd;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<WCHAR> file(size / 2 + 2);
    memcpy(file.data(), data, size / 2 * sizeof(WCHAR));
    bool fAscii = std::all_of(file.begin(), file.end(), [](WCHAR c) { return c < 0x80; });
    OPENFILENAMEW ofn;
    DialogExtras extras;
    memset(&ofn, 0, sizeof ofn);
    memset(&extras, 0, sizeof extras);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = (DWORD)(size / 2);
    POINT origin = {0, 0};
    for (int run = 0; run < 3; run++) {
        ofn.Flags = run ? OFN_ALLOWMULTISELECT : 0;
        fTestNewShell = run < 2;
        HDROP wide = AppendDialogAnswer(DropListCreate(origin, FALSE, TRUE), &ofn, &extras);
        HDROP ansi = AppendDialogAnswer(DropListCreate(origin, FALSE, FALSE), &ofn, &extras);
        int names = run ? NamesIn(file.data(), run == 1) : -1;
        int files = names < 0 ? file[0] != 0 : names;
        UINT count = DropListCount(wide);
        Check(wide ? count == (UINT)(2 + (run != 0) + files)
                   : run && ofn.nMaxFile >= MAX_PATH - sizeof "C:\\CURRENT\\");
        Check(ansi ? wide && DropListCount(ansi) == count : !wide || !fAscii);
        const WCHAR *w = ansi ? (const WCHAR *)((BYTE *)wide + sizeof(DROPFILES)) : NULL;
        const char *a = ansi ? (const char *)ansi + sizeof(DROPFILES) : NULL;
        for (UINT i = 0; ansi && i < count; i++, w += lstrlenW(w) + 1, a += strlen(a) + 1)
            Check(IsAnsiFormOf(a, w));
        DragFinish(wide);
        DragFinish(ansi);
    }
    return 0;
}
