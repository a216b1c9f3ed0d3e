// The shell test: a small-caption metric exists only on the new shell.
#include "server/server.h"

int IsNewShell(void)
{
    return (int)GetSystemMetrics(SM_CYSMCAPTION) > 0;
}
