#!/bin/sh
# The program's main job under Wine: serve a request.
# Usage: scripts/demo.sh [title]
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target frame_demo >/dev/null
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start
scripts/wine-run.sh build/x86_64/bin/frame_demo.exe "${1:-File dialog server}"
