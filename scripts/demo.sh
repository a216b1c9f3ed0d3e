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
cmake --build --preset x86_64 -j"$(nproc)" --target demo_driver >/dev/null
[ -n "${DISPLAY:-}" ] && interactive=1 || interactive=
. scripts/wine-env.sh
trap wine_stop EXIT INT TERM
wine_start

samples="$WINEPREFIX/drive_c/jxrdemo"
mkdir -p "$samples"
for f in report.txt notes.txt readme.txt data.csv Book1.xls Budget.xls; do
    echo "sample file $f" > "$samples/$f"
done

title="jxrwin32 demo"
set -- build/x86_64/bin/jxrdialog.exe --open --title "$title" \
    --initial-dir 'C:\jxrdemo' \
    --filter "Text files (*.txt)|*.txt" --filter "All files (*.*)|*.*"

if [ -n "$interactive" ]; then
    scripts/wine-run.sh "$@"
    exit $?
fi

shot=build/demo/dialog.png
mkdir -p build/demo
scripts/wine-run.sh "$@" >build/demo/reply.txt &
client=$!
scripts/wine-run.sh build/x86_64/bin/demo_driver.exe wait "$title"
import -display "$DISPLAY" -window root "$shot"
echo "screenshot of the dialog: $shot"
scripts/wine-run.sh build/x86_64/bin/demo_driver.exe confirm "$title" report.txt
status=0
wait $client || status=$?
echo "reply (exit status $status):"
cat build/demo/reply.txt
exit $status
