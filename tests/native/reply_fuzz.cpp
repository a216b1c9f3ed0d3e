// Fuzz target: the dialog's answer as it may stand in the file buffer,
// which ends in the two NULs that the decoding adds, turned into the reply
// as a single file and by the Explorer-style and old-style expanders. The
// reply keeps its shape: the two numbers, the directory when several files
// may be chosen, then one string for each file named. Only an answer long
// enough to hold a text beyond a work buffer may cost the reply.
#include <stdint.h>
#include <vector>
#include "fuzz.h"
#include "server/reply.h"
#include "wire/droplist.h"
#include "support/shell_switch.h"

// The names after the directory: the strings after the first (Explorer
// style) or the words after its first blank (old style); -1 for a single
// path.
static int NamesIn(const char *answer, bool fExplorer)
{
    int names = 0;
    if (fExplorer) {
        for (const char *name = answer + strlen(answer) + 1; *name; name += strlen(name) + 1)
            names++;
        return names ? names : -1;
    }
    const char *blank = strchr(answer, ' ');
    if (!blank)
        return -1;
    for (const char *at = blank + 1; *at; at++)
        names += *at != ' ' && at[-1] == ' ';
    return names;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<char> file(data, data + size);
    file.push_back(0);
    file.push_back(0);
    OPENFILENAMEA ofn;
    DialogExtras extras;
    memset(&ofn, 0, sizeof ofn);
    memset(&extras, 0, sizeof extras);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = (DWORD)size;
    POINT origin = {0, 0};
    for (int run = 0; run < 3; run++) {
        ofn.Flags = run ? OFN_ALLOWMULTISELECT : 0;
        fTestNewShell = run < 2;
        HDROP reply = AppendDialogAnswer(DropListCreate(origin, FALSE, FALSE), &ofn, &extras);
        int names = run ? NamesIn(file.data(), run == 1) : -1;
        int files = names < 0 ? file[0] != 0 : names;
        Check(reply ? DropListCount(reply) == (UINT)(2 + (run != 0) + files)
                    : run && size >= MAX_PATH - sizeof "C:\\CURRENT\\");
        DragFinish(reply);
    }
    return 0;
}
