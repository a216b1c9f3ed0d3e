#!/bin/sh
# The program's main job under Wine: a whole request between two processes.
# The command-line client starts the server with a demo request on a folder
# of sample files. With DISPLAY set you pick the file; without it the demo
# runs on a private display, saves a screenshot of the dialog, confirms a
# file itself and prints the reply.
#
# With --relief the request asks for the relief look, served by the build
# whose shell test answers "old shell", under version 3.51 and the colours
# of Windows 3.1 in a prefix of its own (build/wineprefix-classic).
set -e
cd "$(dirname "$0")/.."
relief=
if [ "${1:-}" = "--relief" ]; then
    relief=1
    export WINEPREFIX="$(pwd)/build/wineprefix-classic"
fi
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target demo_driver keepalive jxrwin32_oldshell >/dev/null
[ -n "${DISPLAY:-}" ] && interactive=1 || interactive=
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start
. scripts/demo-request.sh
if [ -n "$relief" ]; then
    wine_classic jxrwin32_oldshell.exe
    set -- "$@" --relief --server 'build\x86_64\bin\jxrwin32_oldshell.exe'
fi

if [ -n "$interactive" ]; then
    scripts/wine-run.sh "$@"
    exit $?
fi

mkdir -p build/demo
scripts/wine-run.sh "$@" >build/demo/reply.txt &
client=$!
geometry=$(scripts/wine-run.sh build/x86_64/bin/demo_driver.exe show "$DEMO_TITLE")
import -display "$DISPLAY" -window root -crop "$geometry" +repage build/demo/dialog.png
echo "screenshot of the dialog: build/demo/dialog.png"
scripts/wine-run.sh build/x86_64/bin/demo_driver.exe confirm "$DEMO_TITLE" report.txt
status=0
wait $client || status=$?
echo "reply (exit status $status: 0 confirmed, 1 cancelled, 2 error):"
cat build/demo/reply.txt
exit $status
