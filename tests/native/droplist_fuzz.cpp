// Fuzz target: WM_COPYDATA blocks as any process may send them, checked as
// the server and the client check them. A block that is taken reads back
// through DragQueryFileA within itself: as many strings as DropListCount
// counts, then the end of the list.
#include <stdint.h>
#include <vector>
#include "fuzz.h"
#include "wire/droplist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    HDROP list = DropListFromBlock(data, size);
    if (!list)
        return 0;
    Check(GlobalSize(list) == size && memcmp(GlobalLock(list), data, size) == 0);
    UINT count = DropListCount(list);
    std::vector<char> slot(JXR_SLOT_MAX + 1);
    for (UINT i = 0; i < count; i++)
        Check(DragQueryFileA(list, i, slot.data(), JXR_SLOT_MAX + 1) > 0);
    Check(DragQueryFileA(list, count, slot.data(), JXR_SLOT_MAX + 1) == 0);
    DragFinish(list);
    return 0;
}
