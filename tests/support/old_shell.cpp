// Shell test of the old-shell test builds: link this instead of the
// server_shell library to take every old-shell code path under Wine,
// where the new shell is always detected.
#include "server/server.h"

int IsNewShell(void)
{
    return 0;
}
