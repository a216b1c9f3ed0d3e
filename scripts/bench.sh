#!/bin/sh
# Runs the benchmarks under Wine and prints their figures.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target startup_bench request_bench paint_bench keepalive >/dev/null
JXR_OWN_DISPLAY=1
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start
scripts/wine-run.sh build/x86_64/bin/startup_bench.exe "$@"
scripts/wine-run.sh build/x86_64/bin/request_bench.exe "$@"
"$WINE" reg add 'HKCU\Software\Wine\AppDefaults\paint_bench.exe' /v Version /d nt351 /f >/dev/null 2>&1
scripts/wine-run.sh build/x86_64/bin/paint_bench.exe
