#!/bin/sh
# An integrator's test with a scripted answer: the dialog is answered as a
# user would answer it, and the reply jxrdialog printed is checked. WINE and
# JXRDIALOG name the programs where they are not on the path.
export JXR_ANSWER='file=win.ini|check=1'
reply=$(mktemp)
trap 'rm -f "$reply"' EXIT
${WINE:-wine} "${JXRDIALOG:-jxrdialog.exe}" --initial-dir 'C:\windows' --check-box Keep >"$reply"
printf '%s\n' 1 1 'C:\windows\win.ini' | cmp -s - "$reply"
