# Sourced by the test and demo scripts: a Wine prefix of our own, a private
# Xvfb display and a wineserver kept alive for the run. wine_stop ends only
# what wine_start started. Source it from the repository's root.
ROOT=$(pwd)
export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Creates the prefix once, with the settings the tests rely on: no window
# manager stalls (Managed=N), no crash dialog, real fonts.
wine_prefix() {
    [ -f "$WINEPREFIX/.jxr-ready" ] && return 0
    mkdir -p "$WINEPREFIX"
    DISPLAY= "$WINE" wineboot -i </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$WINESERVER" -w
    touch "$WINEPREFIX/.jxr-ready"
}

# Starts Xvfb on a free display (unless one is given) and a wineserver.
wine_start() {
    wine_prefix
    if [ -z "${DISPLAY:-}" ] || [ -n "${JXR_OWN_DISPLAY:-}" ]; then
        fifo=$(mktemp -u)
        mkfifo "$fifo"
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
        XVFB_PID=$!
        read -r num <"$fifo"
        rm -f "$fifo"
        export DISPLAY=":$num"
    fi
    "$WINESERVER" -p
    # The first process starts Wine's services; keep their output away
    # from whatever runs next.
    "$WINE" wineboot </dev/null >/dev/null 2>&1
    # So does the desktop process, started with the first window: let a
    # window of our own start it and keep it for the run (tools/keepalive).
    keepalive="$ROOT/build/x86_64/bin/keepalive.exe"
    [ -f "$keepalive" ] && "$WINE" "$keepalive" </dev/null >/dev/null 2>&1 &
    sleep 0.5
}

# The relief look in full, in the current prefix: the colours of Windows
# 3.1, under which the look was drawn (Wine's own colours barely show it),
# and version 3.51 for the programs named.
wine_classic() {
    "$WINE" regedit /S "$ROOT/scripts/classic-colors.reg" </dev/null >/dev/null 2>&1
    for exe in "$@"; do
        "$WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /d nt351 /f >/dev/null 2>&1
    done
}

wine_stop() {
    "$WINESERVER" -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}
