#!/usr/bin/env bash
# Starts Brannock on the desktop's display, or on a virtual display with a tray when there is
# none, and tidies the virtual display away when the program ends.
# Usage: run.sh path/to/brannock
set -euo pipefail

program=${1:?usage: run.sh path/to/brannock}
[ -x "$program" ] || { echo "run: $program was not built" >&2; exit 1; }
# shellcheck source=scripts/display.sh
source "$(dirname "$0")/display.sh"

trap stop_display EXIT
trap 'exit 130' INT TERM
start_display
if [ -z "${started_pids[*]}" ]; then
  exec "$program"
fi
echo "Brannock runs on $DISPLAY; choose \"Terminate\" in its tray menu or press Ctrl+C to end it"
"$program"
