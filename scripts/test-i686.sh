#!/bin/sh
# Runs the shipped 32-bit program: a confirmed and a cancelled request, and
# one for a file named in another script (a scripted answer), to the i686
# jxrwin32.exe through the x86_64 command-line client, under Wine's
# 32-bit side emulated by qemu-user. Sets up what that needs on Debian 12,
# as root: the i386 architecture, wine32:i386, qemu-user and a binfmt_misc
# entry that hands 32-bit ELF programs to qemu-i386. Takes many minutes, so
# it is not part of scripts/test.sh. Prints the time of each step.
set -e
cd "$(dirname "$0")/.."
LOG=build/i686-run

# "request confirm FILE" or "request cancel": one demo request to the i686
# server through the x86_64 client, answered by the demo's driver once the
# dialog shows (which may take minutes); checks the exit status and reply.
if [ "${1:-}" = request ]; then
    action=$2 file=${3:-}
    . scripts/demo-request.sh
    server="Z:$(pwd | tr / '\\')\\build\\i686\\bin\\jxrwin32.exe"
    scripts/wine-run.sh "$@" --server "$server" >"$LOG/$action.reply" &
    client=$!
    until scripts/wine-run.sh build/x86_64/bin/demo_driver.exe $action "$DEMO_TITLE" $file 2>/dev/null; do
        kill -0 $client 2>/dev/null || break
    done
    status=0
    wait $client || status=$?
    echo "exit status $status, reply:"
    cat "$LOG/$action.reply"
    if [ $action = confirm ]; then
        printf '1\n1\nC:\\jxrdemo\\report.txt\n' | cmp -s - "$LOG/$action.reply" && [ $status -eq 0 ]
    else
        [ ! -s "$LOG/$action.reply" ] && [ $status -eq 1 ]
    fi
    exit
fi

# "unicode": the true name of a CJK file in a CJK folder comes back whole;
# the command line and the reply are UTF-8, so the locale must be too.
if [ "${1:-}" = unicode ]; then
    export LC_ALL=C.UTF-8
    mkdir -p "$WINEPREFIX/drive_c/jxrdemo/日本"
    echo "sample file" >"$WINEPREFIX/drive_c/jxrdemo/日本/日本.txt"
    server="Z:$(pwd | tr / '\\')\\build\\i686\\bin\\jxrwin32.exe"
    JXR_ANSWER='file=日本.txt' scripts/wine-run.sh build/x86_64/bin/jxrdialog.exe \
        --server "$server" --initial-dir 'C:\jxrdemo\日本' >"$LOG/unicode.reply"
    cat "$LOG/unicode.reply"
    printf '0\n1\nC:\\jxrdemo\\日本\\日本.txt\n' | cmp -s - "$LOG/unicode.reply"
    exit
fi

./scripts/install.sh
mkdir -p "$LOG"
export WINEPREFIX="$PWD/build/wineprefix32"
export JXR_START_TIMEOUT=900
JXR_OWN_DISPLAY=1
. scripts/wine-env.sh

# Messages of the emulation's own failures, after which a step is tried again.
EMULATION_FAULTS='wakeup read: Bad file descriptor|stack smashing detected|qemu: uncaught target signal'
TRIES=3

# step NAME LIMIT COMMAND...: runs COMMAND (output in $LOG/NAME.log) within
# LIMIT seconds, again after an emulation fault or a hang, and prints its time.
step() {
    name=$1 limit=$2
    shift 2
    try=1
    while :; do
        start=$(date +%s)
        rc=0
        timeout -k 10 "$limit" "$@" >"$LOG/$name.log" 2>&1 || rc=$?
        echo "$name: try $try, $(($(date +%s) - start)) s, exit status $rc"
        [ $rc -eq 0 ] && return 0
        fault=$(grep -Eo "$EMULATION_FAULTS" "$LOG/$name.log" | head -1 || true)
        [ $rc -eq 124 ] && fault=${fault:-"no end within $limit s"}
        if [ -z "$fault" ] || [ $try -ge $TRIES ]; then
            tail -20 "$LOG/$name.log"
            return 1
        fi
        echo "$name: emulation fault ($fault), trying again"
        "$WINESERVER" -k 2>/dev/null || true
        try=$((try + 1))
    done
}

# The entry goes again at the end: while it is there, every new 64-bit Wine
# prefix on the machine also installs its 32-bit side, emulated (minutes).
binfmt=/proc/sys/fs/binfmt_misc
entry=
finish() {
    wine_stop
    if [ -n "$entry" ]; then
        echo -1 >"$entry"
        echo "setup: removed $entry again"
        entry=
    fi
}
trap finish EXIT
trap 'exit 130' INT TERM

# ---- What 32-bit Windows programs need --------------------------------------
setup_start=$(date +%s)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    echo "setup: added the i386 architecture"
fi
missing=""
for p in wine32:i386 qemu-user; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    apt-get update -q >"$LOG/apt.log" 2>&1
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing >>"$LOG/apt.log" 2>&1
    echo "setup: installed$missing ($(sed -n 's/^\([0-9]* upgraded, [0-9]* newly installed\).*/\1/p' "$LOG/apt.log"))"
fi
if [ ! -f $binfmt/status ]; then
    mount -t binfmt_misc binfmt_misc $binfmt
    echo "setup: mounted binfmt_misc on $binfmt"
fi
# The ELF header of an i386 executable or shared object, whatever its ABI byte.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
if ! grep -lsx enabled $binfmt/* | xargs -r grep -qs "^magic 7f454c4601010100000000000000000002000300"; then
    printf ':jxr-qemu-i386:M::%s:%s:/usr/bin/qemu-i386:' "$magic" "$mask" >$binfmt/register
    entry=$binfmt/jxr-qemu-i386
    echo "setup: registered $entry: 32-bit ELF programs run by qemu-i386"
fi
echo "setup: $(($(date +%s) - setup_start)) s"

# ---- The programs -------------------------------------------------------------
build_start=$(date +%s)
cmake --preset i686 >/dev/null
cmake --build --preset i686 -j2 --target jxrwin32 jxrdialog >/dev/null
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j2 --target jxrdialog demo_driver keepalive >/dev/null
echo "build: $(($(date +%s) - build_start)) s"

# ---- A prefix of its own, and the requests -------------------------------------
[ -f "$WINEPREFIX/.jxr-ready" ] || rm -rf "$WINEPREFIX"
step prefix 1200 sh -c '. scripts/wine-env.sh && wine_prefix'
wine_start
# A small 32-bit program first: the 32-bit side runs, and what a start costs.
step first-32-bit-process 1200 scripts/wine-run.sh build/i686/bin/jxrdialog.exe --help
step confirmed 600 scripts/test-i686.sh request confirm report.txt
step cancelled 600 scripts/test-i686.sh request cancel
step unicode 600 scripts/test-i686.sh unicode
echo "the i686 program served a confirmed, a cancelled and a Unicode request"
