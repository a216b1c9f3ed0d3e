#!/bin/sh
# The program's main job under Wine: a whole request between two processes.
# The command-line client starts the server with a demo request on a folder
# of sample files. With DISPLAY set you pick the file; without it the demo
# runs on a private display, saves a screenshot of the dialog, confirms a
# file itself and prints the reply.
set -e
cd "$(dirname "$0")/.."
./scripts/install.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j"$(nproc)" --target demo_driver keepalive >/dev/null
[ -n "${DISPLAY:-}" ] && interactive=1 || interactive=
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start
. scripts/demo-request.sh

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
