// IsNewShell answering what the test asks for (see shell_switch.h).
#include "support/shell_switch.h"
#include "server/platform.h"

int fTestNewShell = 1;

int IsNewShell(void)
{
    return fTestNewShell;
}
