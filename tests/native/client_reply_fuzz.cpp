// Fuzz target: reply blocks as the client's reply window receives them by
// WM_COPYDATA, checked and read as the client reads them after a single-
// and a multi-select request, in ANSI and in UTF-8. Every string read must
// be terminated within the block's length (a wide character may become two
// bytes, but takes two in the block; in UTF-8 a byte may take three), and
// the files must be the strings after the numbers (and the directory).
#include <stdint.h>
#include <string.h>
#include "fuzz.h"
#include "client/jxrclient.h"
#include "wire/droplist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    HGLOBAL list = (HGLOBAL)DropListFromBlock(data, size);
    if (!list)
        return 0;
    int count = (int)DropListCount((HDROP)list);
    for (int run = 0; run < 4; run++) {
        int multi = run & 1;
        JxrReply reply;
        Check((run & 2 ? JxrDecodeReplyUtf8 : JxrDecodeReply)(list, multi, &reply));
        Check(reply.count == count);
        for (int i = 0; i < count; i++)
            Check(strlen(reply.strings[i]) - 1 < (run & 2 ? 3 : 1) * size);
        int first = multi ? 3 : 2;
        Check(reply.fileCount == (count > first ? count - first : 0));
        Check(!reply.fileCount || reply.files == reply.strings + first);
        JxrReplyFree(&reply);
    }
    GlobalFree(list);
    return 0;
}
