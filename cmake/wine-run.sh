#!/usr/bin/env bash
# Runs a Windows program under Wine: the cross build's CMAKE_CROSSCOMPILING_EMULATOR, so CTest
# runs the test programs through it. Unattended: no install prompts, no crash dialogs.
# WINEPREFIX chooses the prefix (the tests use one inside the build folder); the first run
# creates it, once, even when several programs start together.
# Usage: wine-run.sh program.exe [arguments...]
# BRANNOCK_WINE_LOG, when set, also receives the program's output, with plain line ends.
# BRANNOCK_WINE_DISPLAY, when set, is the X display the program's windows go to (the Windows
# suite starts an Xvfb of its own); without it there is no display, never the desktop's.
set -euo pipefail

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || { echo "wine-run: no wine64 found" >&2; exit 127; }
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine names host files in the host's character set: UTF-8, whatever the caller's locale, so
# every Windows file name has a host name.
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
if [ -n "${BRANNOCK_WINE_DISPLAY:-}" ]; then
    export DISPLAY=$BRANNOCK_WINE_DISPLAY
else
    unset DISPLAY
fi

export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
prefix=$WINEPREFIX
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
        echo "wine-run: creating the Wine prefix $prefix" >&2
        "$wine" wineboot -i >/dev/null 2>&1 || true
        "$wineserver" -w 2>/dev/null || true
        [ -f "$prefix/system.reg" ] || { echo "wine-run: wineboot failed" >&2; exit 1; }
        # A crash ends the program with a message on the console, not in a debugger dialog.
        "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
        "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1 || true
    fi
    flock -u 9
    exec 9>&-
fi

if [ -z "${BRANNOCK_WINE_LOG:-}" ]; then
    exec "$wine" "$@"
fi
mkdir -p "$(dirname "$BRANNOCK_WINE_LOG")"
set +e
"$wine" "$@" 2>&1 | tr -d '\r' | tee "$BRANNOCK_WINE_LOG"
exit "${PIPESTATUS[0]}"
