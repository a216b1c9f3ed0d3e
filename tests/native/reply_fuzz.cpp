// Fuzz target: the dialog's answer as it may stand in the file buffer,
// which ends in the two NULs that the decoding adds, turned into the reply
// as a single file and by the Explorer-style and old-style expanders.
#include <stdint.h>
#include <vector>
#include "fuzz.h"
#include "server/reply.h"
#include "server/droplist.h"
#include "support/shell_switch.h"

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
        Check(reply && DropListCount(reply) >= 2);   // the two numbers at least
        DragFinish(reply);
    }
    return 0;
}
