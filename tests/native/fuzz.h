// Shared by the fuzz targets: a failed check is a crash, which libFuzzer
// reports with the input that caused it.
#pragma once
#include <stdlib.h>

static inline void Check(bool condition)
{
    if (!condition)
        abort();
}
