#!/bin/sh
# An integrator's test with a scripted answer: the dialog is answered as a
# user would answer it, with C:\windows\win.ini and the check box ticked,
# and the reply jxrdialog printed is checked. WINE and JXRDIALOG name the
# programs where they are not on the path.
export JXR_ANSWER='file=win.ini|check=1'
reply=$(mktemp)
${WINE:-wine} "${JXRDIALOG:-jxrdialog.exe}" --initial-dir 'C:\windows' --check-box Keep >"$reply"
printf '%s\n' 1 1 'C:\windows\win.ini' | cmp -s - "$reply"
status=$?
rm -f "$reply"
exit $status
