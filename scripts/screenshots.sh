#!/usr/bin/env bash
# Starts Brannock, waits until it has drawn itself, and saves the whole screen as a PNG in
# build/screenshots/, so its look can be checked without a desktop.
# Usage: screenshots.sh path/to/brannock [output-folder]   (BRANNOCK_SHOT_WAIT: seconds, default 4)
set -euo pipefail

program=${1:?usage: screenshots.sh path/to/brannock [output-folder]}
out=${2:-$(cd "$(dirname "$0")/.." && pwd)/build/screenshots}
wait_s=${BRANNOCK_SHOT_WAIT:-4}
[ -x "$program" ] || { echo "screenshots: $program was not built" >&2; exit 1; }
# shellcheck source=scripts/display.sh
source "$(dirname "$0")/display.sh"

app_pid=""
finish() {
  if [ -n "$app_pid" ]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  stop_display
}
trap finish EXIT
trap 'exit 130' INT TERM

mkdir -p "$out"
start_display
"$program" &
app_pid=$!
sleep "$wait_s"
kill -0 "$app_pid" 2>/dev/null || { echo "screenshots: the program ended early" >&2; exit 1; }

shot="$out/brannock-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
cp "$shot" "$out/latest.png"
echo "Saved $shot (also $out/latest.png)"
