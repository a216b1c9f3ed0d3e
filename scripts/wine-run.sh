#!/bin/sh
# Runs a Windows program under Wine's 64-bit loader in the project's prefix.
# CTest uses it as the cross-compiling emulator; scripts/wine-env.sh sets
# the display and keeps a wineserver alive around it.
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
exec /usr/lib/wine/wine64 "$@"
