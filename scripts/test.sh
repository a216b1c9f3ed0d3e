#!/bin/sh
# The test command: installs what is missing, builds the shipped i686
# program and the x86_64 build, then runs the whole suite under Wine.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh

cmake --preset i686 >/dev/null
cmake --build --preset i686 -j"$(nproc)"
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)"

JXR_OWN_DISPLAY=1
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start

status=0
ctest --preset x86_64 -j2 || status=1
exit $status
