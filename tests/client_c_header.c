/* The client header and the protocol header it includes are plain C. */
#include "client/jxrclient.h"

int JxrSlotCountSeenFromC(void)
{
    enum JxrSlot last = JXR_SLOT_RELIEF;
    return (int)last + 1;
}
