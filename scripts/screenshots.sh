#!/usr/bin/env bash
# Starts Brannock on a virtual display with a tray and saves three pictures of it in the output
# folder: main.png (the main window), about.png (the About box, opened through the Help menu)
# and tray-menu.png (the tray icon with its pop-up menu open). The program runs from a copy in
# a temporary folder, beside a settings file made for the pictures, so that nothing is written
# next to the build or in the repository.
# Usage: screenshots.sh path/to/brannock [output-folder]
#   BRANNOCK_SHOT_WAIT: seconds to wait for each window to appear, default 15
set -euo pipefail

program=${1:?usage: screenshots.sh path/to/brannock [output-folder]}
out=${2:-$(cd "$(dirname "$0")/.." && pwd)/build/screenshots}
wait_s=${BRANNOCK_SHOT_WAIT:-15}
[ -x "$program" ] || { echo "screenshots: $program was not built" >&2; exit 1; }
# shellcheck source=scripts/display.sh
source "$(dirname "$0")/display.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/brannock.XXXX")
app_pid=""
main=""  # the main window's id, once it is shown
finish() {
  if [ -n "$app_pid" ]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  stop_display
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

# A program folder of its own: the program keeps its settings file beside the executable.
# Syncing is off and the About box is not due, so the main window shows alone at start-up.
prepare_program() {
  cp "$program" "$work/brannock"
  mkdir -p "$work/Documents" "$work/Projects" "$work/Mirror"
  cat >"$work/brannock.ini" <<EOF
[Options]
SyncOn=No
About=No
SyncTo=$work/Mirror
Wakeup=30
[FileSets]
FileSet1=$work/Documents/*.*
FileSet2=$work/Projects/*.*
FileSet3=
EOF
}

# Prints the id of the first visible window matched by the xdotool search arguments, waiting
# for one to appear.
wait_window() {
  local id tries=0
  until id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1) && [ -n "$id" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt $((wait_s * 10)) ]; then
      echo "screenshots: no window for: $*" >&2
      return 1
    fi
    kill -0 "$app_pid" 2>/dev/null || { echo "screenshots: the program ended early" >&2; exit 1; }
    sleep 0.1
  done
  echo "$id"
}

# Waits until no visible window matches the xdotool search arguments.
wait_gone() {
  local tries=0
  while xdotool search --onlyvisible "$@" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -le $((wait_s * 10)) ] || { echo "screenshots: still shown: $*" >&2; return 1; }
    sleep 0.1
  done
}

# Prints "x y width height" of a window on the screen.
geometry() {
  # shellcheck disable=SC2034  # WINDOW and SCREEN come with the others; only kept local
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

# Saves the screen's rectangle "x y width height", grown by `margin` pixels and kept on the
# screen, as the PNG `file`.
shoot() {
  local file=$1 x=$2 y=$3 w=$4 h=$5 margin=${6:-0} sw sh
  read -r sw sh < <(xdotool getdisplaygeometry)
  x=$((x - margin)) y=$((y - margin)) w=$((w + 2 * margin)) h=$((h + 2 * margin))
  ((x < 0)) && { w=$((w + x)); x=0; }
  ((y < 0)) && { h=$((h + y)); y=0; }
  ((x + w > sw)) && w=$((sw - x))
  ((y + h > sh)) && h=$((sh - y))
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
  echo "Saved $file (${w}x${h})"
}

# Lets the program finish drawing what was just shown.
settle() { sleep 1; }

shoot_main_window() {
  main=$(wait_window --name '^Brannock$')
  settle
  # shellcheck disable=SC2046
  shoot "$out/main.png" $(geometry "$main")
}

# Opens the About box with the Help menu's access keys, as a user would, then closes it again
# with Esc.
shoot_about_box() {
  xdotool windowfocus --sync "$main"
  xdotool key --clearmodifiers alt+h
  sleep 0.5
  xdotool key --clearmodifiers a
  local about
  about=$(wait_window --name '^About Brannock$')
  settle
  # shellcheck disable=SC2046
  shoot "$out/about.png" $(geometry "$about")
  xdotool windowfocus --sync "$about"
  xdotool key Escape
  wait_gone --name '^About Brannock$'
}

# Right-clicks the tray icon, which trayer embeds at the top right of the screen, and saves the
# icon with the pop-up menu that opens at the pointer.
shoot_tray_menu() {
  local tray x y w h before menu mx my mw mh
  tray=$(wait_window --class '^trayer$')
  read -r x y w h < <(geometry "$tray")
  before=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort)
  # Near the icon's lower left corner: the menu opens below the pointer with its right edge on
  # it, so the icon stays in sight beside the menu.
  xdotool mousemove --sync $((x + 1)) $((y + h - 2)) click 3
  local tries=0
  until menu=$(comm -13 <(echo "$before") \
                 <(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort) |
               head -n 1) && [ -n "$menu" ]; do
    tries=$((tries + 1))
    [ "$tries" -le $((wait_s * 10)) ] || { echo "screenshots: no tray menu opened" >&2; return 1; }
    sleep 0.1
  done
  settle
  read -r mx my mw mh < <(geometry "$menu")
  # The union of the tray and the menu.
  local left=$((x < mx ? x : mx)) top=$((y < my ? y : my))
  local right=$((x + w > mx + mw ? x + w : mx + mw)) bottom=$((y + h > my + mh ? y + h : my + mh))
  shoot "$out/tray-menu.png" "$left" "$top" $((right - left)) $((bottom - top)) 16
  xdotool key Escape
}

mkdir -p "$out"
prepare_program
# Always a virtual display of our own: the pictures must not depend on the desktop around them,
# and the script clicks and types.
unset DISPLAY
start_display
"$work/brannock" &
app_pid=$!

shoot_main_window
shoot_about_box
shoot_tray_menu
