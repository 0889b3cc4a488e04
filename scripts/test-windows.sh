#!/usr/bin/env bash
# The Windows suite: cross-compiles the tests with mingw-w64 and runs every test program once
# under Wine, in a Wine prefix of its own inside the build folder. Needs no display.
# Usage: test-windows.sh [build-folder]   (default: build-windows)
# BRANNOCK_WINDOWS_WERROR=OFF builds without -Werror; BRANNOCK_WINE_TIMEOUT (seconds, default
# 900) bounds each test program.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
jobs=${JOBS:-$(nproc)}
timeout_s=${BRANNOCK_WINE_TIMEOUT:-900}

cmake -S "$root" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRANNOCK_QT=OFF -DBRANNOCK_BENCH=OFF -DBRANNOCK_TESTS=ON \
    -DBRANNOCK_WERROR="${BRANNOCK_WINDOWS_WERROR:-ON}"
cmake --build "$build" -j "$jobs"

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || { echo "test-windows: no wine64 found" >&2; exit 1; }
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

export WINEPREFIX="$build/wine-prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko install prompts, and no dialog on a crash: the suite runs unattended.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wineserver" -w 2>/dev/null || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "test-windows: wineboot failed" >&2; exit 1; }
    # Crashes end the program with a message on the console instead of a debugger dialog.
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 || true
fi

mapfile -t programs < <(find "$build/tests" -maxdepth 1 -name '*_tests.exe' | sort)
[ ${#programs[@]} -gt 0 ] || { echo "test-windows: no test programs were built" >&2; exit 1; }

passed=0
failed=0
broken=()
logs="$build/test-logs"
mkdir -p "$logs"
for exe in "${programs[@]}"; do
    name=$(basename "$exe" .exe)
    log="$logs/$name.log"
    echo "== $name"
    start=$SECONDS
    rc=0
    # Windows programs end their lines with CR LF; the log keeps plain lines.
    timeout "$timeout_s" "$wine" "$exe" --gtest_color=no 2>&1 | tr -d '\r' >"$log" || rc=$?
    # GoogleTest's own summary gives the counts; a program that dies before it counts as one
    # failure, so a crash is never read as success.
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n 1)
    bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$log" | tail -n 1)
    ok=${ok:-0}
    bad=${bad:-0}
    if [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; then
        bad=1
    fi
    passed=$((passed + ok))
    failed=$((failed + bad))
    if [ "$rc" -ne 0 ]; then
        broken+=("$name")
        if grep -q '^\[  FAILED  \]' "$log"; then
            grep -E -A4 'Failure$' "$log" | head -n 60 || true
        else
            tail -n 20 "$log"
        fi
        echo "   $name FAILED (exit $rc), full output in $log"
    else
        echo "   $ok passed in $((SECONDS - start)) s"
    fi
done
"$wineserver" -k 2>/dev/null || true

echo "Windows suite: $passed passed, $failed failed"
if [ ${#broken[@]} -gt 0 ]; then
    echo "Failing programs: ${broken[*]}" >&2
    exit 1
fi
