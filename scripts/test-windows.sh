#!/usr/bin/env bash
# The Windows suite: cross-compiles the program's libraries and tests with mingw-w64 (the
# "windows-cross" preset) and lets ctest run every test program once under Wine
# (cmake/wine-run.sh), in a Wine prefix of its own inside the build folder. Windows get a
# virtual X display of the suite's own (Xvfb on a free number, BRANNOCK_FIRST_DISPLAY on);
# it and the prefix's Wine processes are stopped at the end, also when something fails.
# Usage: test-windows.sh [build-folder]   (default: build-windows)
# BRANNOCK_WINDOWS_WERROR=OFF builds without -Werror; CTEST_JOBS programs run at once
# (default 2).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
jobs=${JOBS:-$(nproc)}
ctest_jobs=${CTEST_JOBS:-2}

cd "$root"
cmake --preset windows-cross -B "$build" \
    -DBRANNOCK_WERROR="${BRANNOCK_WINDOWS_WERROR:-ON}"
cmake --build "$build" -j "$jobs"

# shellcheck source=scripts/display.sh
source "$root/scripts/display.sh"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
# Wine's processes hold the display: they end first, and only then the X server.
finish() {
  WINEPREFIX="$build/wine-prefix" "$wineserver" -k 2>/dev/null || true
  stop_display
}
trap finish EXIT
trap 'exit 130' INT TERM
start_xvfb
export BRANNOCK_WINE_DISPLAY=$DISPLAY

logs="$build/test-logs"
rm -rf "$logs"
mkdir -p "$logs"
start=$SECONDS
rc=0
ctest --test-dir "$build" -j "$ctest_jobs" --output-junit "$logs/ctest.xml" || rc=$?
finish
[ -f "$logs/ctest.xml" ] || { echo "test-windows: ctest ran no tests" >&2; exit 1; }

# The counts are GoogleTest's own, from each program's log; a program that dies before its
# summary counts as one failure, so a crash is never read as success. A test without a
# GoogleTest log (a source check) counts as one test.
passed=0
failed=0
broken=()
while IFS=$'\t' read -r name status; do
    log="$logs/$name.log"
    ok=0
    bad=0
    if [ -f "$log" ]; then
        ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n 1)
        bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$log" | tail -n 1)
        ok=${ok:-0}
        bad=${bad:-0}
    elif [ "$status" = run ]; then
        ok=1
    fi
    if [ "$status" != run ]; then
        [ "$bad" -gt 0 ] || bad=1
        broken+=("$name")
        echo "== $name FAILED"
        if [ -f "$log" ] && grep -q '^\[  FAILED  \]' "$log"; then
            grep -E -A4 'Failure$' "$log" | head -n 60 || tail -n 20 "$log"
            echo "   full output in $log"
        elif [ -f "$log" ]; then
            tail -n 20 "$log"
        fi
    fi
    passed=$((passed + ok))
    failed=$((failed + bad))
done < <(sed -n 's/.*<testcase name="\([^"]*\)".* status="\([^"]*\)".*/\1\t\2/p' "$logs/ctest.xml")

echo "Windows suite ($((SECONDS - start)) s): $passed passed, $failed failed"
if [ ${#broken[@]} -gt 0 ] || [ "$rc" -ne 0 ]; then
    echo "Failing programs: ${broken[*]:-see the ctest output above}" >&2
    exit 1
fi
