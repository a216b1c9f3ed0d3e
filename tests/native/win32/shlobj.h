// See windows.h.
#include <windows.h>
