#!/bin/sh
# Regenerates the pictures of the customised file dialog in docs/: the demo
# request served by the real program (Explorer style) and by its test build
# whose shell test answers "old" (old style), each captured from a private
# Xvfb display with ImageMagick's import, then cancelled.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j2 --target demo_driver jxrwin32_oldshell keepalive >/dev/null

JXR_OWN_DISPLAY=1
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start
. scripts/demo-request.sh
mkdir -p docs

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

shoot customised-dialog-explorer.png "$@"
shoot customised-dialog-oldstyle.png "$@" --server 'build\x86_64\bin\jxrwin32_oldshell.exe'
