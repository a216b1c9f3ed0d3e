// Fuzz target: reply blocks as the client's reply window receives them by
// WM_COPYDATA, checked and read as the client reads them after a single-
// and a multi-select request. Every string read must be terminated within
// the block's length (a wide character may become two bytes, but takes two
// in the block), and the files must be the strings after the numbers (and
// the directory).
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
    for (int multi = 0; multi < 2; multi++) {
        JxrReply reply;
        Check(JxrDecodeReply(list, multi, &reply) && reply.count == count);
        for (int i = 0; i < count; i++)
            Check(strlen(reply.strings[i]) - 1 < size);
        int first = multi ? 3 : 2;
        Check(reply.fileCount == (count > first ? count - first : 0));
        Check(!reply.fileCount || reply.files == reply.strings + first);
        JxrReplyFree(&reply);
    }
    GlobalFree(list);
    return 0;
}
