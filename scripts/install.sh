#!/bin/sh
# Brings a fresh Debian 12 machine (as root) everything the build, the tests
# and the demo need. Quick when all is already there.
set -e
PKGS="cmake make g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      wine64 fonts-wine googletest clang-14 libclang-rt-14-dev python3
      xvfb xauth imagemagick"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends $missing
