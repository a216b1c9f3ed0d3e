#!/bin/sh
# Regenerates the pictures of the customised file dialog in docs/: each
# style shown by the test build's sample program under a private Xvfb
# display, captured with ImageMagick's import.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j2 --target showdialog_explorer showdialog_oldstyle keepalive

JXR_OWN_DISPLAY=1
. scripts/wine-env.sh
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT INT TERM
wine_start
mkdir -p docs

# shoot PROGRAM PICTURE: the program prints the rectangle to capture once
# its dialog is painted and cancels the dialog when its input closes.
shoot() {
    mkfifo "$work/in"
    "$WINE" "build/x86_64/bin/$1.exe" <"$work/in" >"$work/out" 2>/dev/null &
    pid=$!
    exec 4>"$work/in"
    tries=0
    until grep -q '^[0-9]*x[0-9]*+[0-9]*+[0-9]*' "$work/out" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || { echo "$1 showed no dialog" >&2; exit 1; }
        sleep 0.1
    done
    geometry=$(head -n 1 "$work/out" | tr -d '\r')
    import -display "$DISPLAY" -window root -crop "$geometry" +repage "docs/$2"
    exec 4>&-
    wait $pid
    rm -f "$work/in" "$work/out"
    echo "docs/$2 ($geometry)"
}

shoot showdialog_explorer customised-dialog-explorer.png
shoot showdialog_oldstyle customised-dialog-oldstyle.png
