#!/bin/sh
# Regenerates the pictures in docs/: the demo request served by the real
# program (Explorer style) and by its test build whose shell test answers
# "old" (old style), each captured from a private Xvfb display with
# ImageMagick's import, then cancelled. Then the relief look: the old-style
# dialog and the gallery of controls, each with the look and without, under
# version 3.51 and the colours of Windows 3.1, in a prefix of their own.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j2 --target demo_driver jxrwin32_oldshell gallery_show keepalive >/dev/null

JXR_OWN_DISPLAY=1
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start
. scripts/demo-request.sh
mkdir -p docs
oldshell='build\x86_64\bin\jxrwin32_oldshell.exe'

# shoot PICTURE [CLIENT OPTIONS]: shows the demo dialog with a template
# entry picked (drawn grey, taken without its extension) and captures it.
shoot() {
    picture=$1
    shift
    scripts/wine-run.sh "$@" >/dev/null &
    client=$!
    geometry=$(scripts/wine-run.sh build/x86_64/bin/demo_driver.exe show "$DEMO_TITLE" 1)
    import -display "$DISPLAY" -window root -crop "$geometry" +repage "docs/$picture"
    scripts/wine-run.sh build/x86_64/bin/demo_driver.exe cancel "$DEMO_TITLE"
    wait $client || true
    echo "docs/$picture ($geometry)"
}

# shoot_gallery PICTURE relief|plain: the gallery, captured once painted.
shoot_gallery() {
    place=build/gallery-place.txt
    rm -f $place
    scripts/wine-run.sh build/x86_64/bin/gallery_show.exe "$2" >$place &
    shower=$!
    tries=0
    while [ ! -s $place ] && [ $tries -lt 100 ]; do sleep 0.2; tries=$((tries + 1)); done
    sleep 0.5
    import -display "$DISPLAY" -window root -crop "$(cat $place)" +repage "docs/$1"
    scripts/wine-run.sh build/x86_64/bin/demo_driver.exe cancel "Relief gallery"
    wait $shower || true
    echo "docs/$1 ($(cat $place))"
}

shoot customised-dialog-explorer.png "$@"
shoot customised-dialog-oldstyle.png "$@" --server "$oldshell"

wine_stop
export WINEPREFIX="$ROOT/build/wineprefix-classic"
wine_start
wine_classic jxrwin32_oldshell.exe gallery_show.exe
. scripts/demo-request.sh
shoot relief-dialog.png "$@" --relief --server "$oldshell"
shoot relief-dialog-plain.png "$@" --server "$oldshell"
shoot_gallery relief-gallery.png relief
shoot_gallery relief-gallery-plain.png plain
