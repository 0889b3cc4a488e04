#!/usr/bin/env bash
# Starts Brannock on a virtual display with a tray and saves pictures of every window and box
# in the output folder:
#   main.png           the main window
#   about.png          the About box, opened through the Help menu
#   help.png           the help window, opened through Help > Contents
#   file-menu.png      the main window with its File menu open
#   activity-log.png   the Activity Log window, opened through File > Activity Log, with a line
#                      the program wrote while it was open
#   modify.png         the Modify Fileset box with a long entry
#   too-long-box.png   the refusal of an entry longer than the settings file keeps
#   delete-box.png     a message box naming a long path (the delete question)
#   tray-menu.png      the tray icon with its pop-up menu open
#   about-startup.png  the whole screen at a first start: the About box over the main window
#   balloon.png        the tray's notice when the error limit has switched syncing off
#   tray-tip.png       the tray tip then: the state, the last cycle, the recorded failure
# The program runs from a copy in a temporary folder, beside settings files made for the
# pictures, so that nothing is written next to the build or in the repository. With
# QT_SCALE_FACTOR=2 the pictures show the program at 200%.
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

# A program folder of its own: the program keeps its settings file, and finds its help file,
# beside the executable. Syncing is off and the About box is not due, so the main window shows
# alone at start-up; its first fileset has a long path, for the boxes that show it.
long=$work/Projects/Customers/2026/Northern-Region/Quarterly-Reports/Drafts
prepare_program() {
  cp "$program" "$work/brannock"
  cp "$(dirname "$program")/brannock.hlp" "$work/brannock.hlp"
  mkdir -p "$work/Documents" "$long" "$work/Mirror"
  # Marked as the mirror, as switching syncing on from the window leaves it.
  printf 'mirror\n' >"$work/Mirror/.brannock-mirror"
  cat >"$work/brannock.ini" <<EOF
[Options]
SyncOn=No
About=No
SyncTo=$work/Mirror
Wakeup=30
[FileSets]
FileSet1=$long/*.*
FileSet2=$work/Documents/*.*
FileSet3=
EOF
  # A log with a cycle in it, as the program leaves one behind.
  cat >"$work/brannock.log" <<EOF
2026-12-07 10:58:02 start settings $work/brannock.ini
2026-12-07 10:58:02 sync-on by the user
2026-12-07 10:58:02 cycle by the switch-on
2026-12-07 10:58:03 copied $work/Documents/report.txt -> $work/Mirror$work/Documents/report.txt, 18204 bytes
2026-12-07 10:58:03 copied $work/Documents/budget.ods -> $work/Mirror$work/Documents/budget.ods, 40961 bytes
2026-12-07 10:58:03 unlisted nothing copied from $long: The system cannot find the path specified.
2026-12-07 10:58:04 deleted $work/Mirror$work/Documents/old-notes.txt: its source was not found
2026-12-07 10:58:04 done 214 looked at, 2 copied (59165 bytes), 1 deleted, 0 failed, 0 passed over, 1 not listed, 2 s
2026-12-07 11:28:04 cycle by the timer
2026-12-07 11:28:05 done 214 looked at, 0 copied (0 bytes), 0 deleted, 0 failed, 0 passed over, 1 not listed, 1 s
2026-12-07 11:31:40 sync-off by the user
EOF
}

# A first start: no settings file at all.
first_start() { rm -f "$work/brannock.ini"; }

# Settings that stop syncing at start-up: five filesets fail alike, since a file stands where
# the copies' folder belongs.
failing_start() {
  mkdir -p "$work/Mirror$work"
  echo "in the way" >"$work/Mirror$work/Documents"
  echo "report" >"$work/Documents/report.txt"
  {
    printf '[Options]\nSyncOn=Yes\nAbout=No\nSyncTo=%s\nWakeup=30\n[FileSets]\n' "$work/Mirror"
    for i in 1 2 3 4 5; do printf 'FileSet%d=%s\n' "$i" "$work/Documents/*.*"; done
  } >"$work/brannock.ini"
}

start_program() {
  "$work/brannock" &
  app_pid=$!
}

# Ends the program as a task manager would, and for good if it does not go within 5 seconds.
stop_program() {
  local tries=0
  kill "$app_pid" 2>/dev/null || true
  while kill -0 "$app_pid" 2>/dev/null && [ "$tries" -lt 50 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  kill -KILL "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
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
  main=$(wait_window first "$app_pid" --name '^Brannock$')
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
  about=$(wait_window first "$app_pid" --name '^About Brannock$')
  settle
  # shellcheck disable=SC2046
  shoot "$out/about.png" $(geometry "$about")
  xdotool windowfocus --sync "$about"
  xdotool key Escape
  wait_gone --name '^About Brannock$'
}

# Opens a window through the main window's menu with the access keys `menu` then `item`, saves
# it as `file` and closes it with Esc.
shoot_from_menu() {
  local file=$1 menu=$2 item=$3 title=$4 id
  xdotool windowfocus --sync "$main"
  xdotool key --clearmodifiers "alt+$menu"
  sleep 0.5
  xdotool key --clearmodifiers "$item"
  id=$(wait_window first "$app_pid" --name "$title")
  settle
  # shellcheck disable=SC2046
  shoot "$out/$file" $(geometry "$id")
  xdotool windowfocus --sync "$id"
  xdotool key Escape
  wait_gone --name "$title"
}

# The File menu, opened with its access key, over the main window.
shoot_file_menu() {
  xdotool windowfocus --sync "$main"
  xdotool key --clearmodifiers alt+f
  settle
  local x y w h
  read -r x y w h < <(geometry "$main")
  shoot "$out/file-menu.png" "$x" "$y" "$w" "$h"
  xdotool key Escape
}

# The Activity Log through the File menu; a line the program adds while it is open shows at
# the bottom before the picture is taken.
shoot_activity_log() {
  local id
  xdotool windowfocus --sync "$main"
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key --clearmodifiers a
  id=$(wait_window first "$app_pid" --name '^Brannock Activity Log$')
  echo "2026-12-07 11:40:00 cycle by the timer" >>"$work/brannock.log"
  settle
  # shellcheck disable=SC2046
  shoot "$out/activity-log.png" $(geometry "$id")
  xdotool windowfocus --sync "$id"
  xdotool key Escape
  wait_gone --name '^Brannock Activity Log$'
}

# Selects the first fileset (a click into the list's empty part, then End and Home: a key
# selects only when it moves to another entry) and presses the picture button `back` places
# before the list in the focus order, as the keyboard would.
press_fileset_button() {
  local back=$1 x y w h i
  read -r x y w h < <(geometry "$main")
  xdotool windowfocus --sync "$main"
  xdotool mousemove --sync $((x + w / 4)) $((y + h / 2)) click 1
  xdotool key End Home
  for ((i = 0; i < back; i++)); do xdotool key shift+Tab; done
  xdotool key space
}

# The Modify box with the long entry, and the delete question that names it; both answered no.
shoot_fileset_boxes() {
  local box
  press_fileset_button 4
  box=$(wait_window first "$app_pid" --name '^Modify Fileset$')
  settle
  # shellcheck disable=SC2046
  shoot "$out/modify.png" $(geometry "$box")
  # Lengthened past what the settings file keeps, the entry is refused with a message that
  # has the same title as the box.
  xdotool key End
  xdotool type --delay 2 "/$(printf '%0.s-too-long' {1..22})"
  xdotool key Return
  sleep 1
  box=$(wait_window first "$app_pid" --name '^Modify Fileset$')
  settle
  # shellcheck disable=SC2046
  shoot "$out/too-long-box.png" $(geometry "$box")
  xdotool key Return
  wait_gone --name '^Modify Fileset$'
  press_fileset_button 3
  box=$(wait_window first "$app_pid" --name '^Delete Confirmation$')
  settle
  # shellcheck disable=SC2046
  shoot "$out/delete-box.png" $(geometry "$box")
  xdotool key Escape
  wait_gone --name '^Delete Confirmation$'
}

shoot_screen() {
  local sw sh
  read -r sw sh < <(xdotool getdisplaygeometry)
  shoot "$out/$1" 0 0 "$sw" "$sh"
}

# A first start: the About box is due and shows over the main window.
shoot_first_start() {
  local about
  about=$(wait_window first "$app_pid" --name '^About Brannock$')
  settle
  shoot_screen about-startup.png
  xdotool windowfocus --sync "$about"
  xdotool key Escape
  wait_gone --name '^About Brannock$'
}

# The balloon near the tray icon, then the tip under the pointer on the icon.
shoot_error_stop() {
  local tray x y w h sw sh
  tray=$(wait_window first "$app_pid" --class '^trayer$')
  sleep 3  # the first cycle runs at start-up; the balloon follows it
  read -r sw sh < <(xdotool getdisplaygeometry)
  shoot "$out/balloon.png" $((sw / 2)) 0 $((sw / 2)) $((sh * 2 / 3))
  read -r x y w h < <(geometry "$tray")
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2))
  sleep 2.5
  shoot "$out/tray-tip.png" 0 0 "$sw" $((sh / 2))
}

# Right-clicks the tray icon, which trayer embeds at the top right of the screen, and saves the
# icon with the pop-up menu that opens at the pointer.
shoot_tray_menu() {
  local tray x y w h before menu mx my mw mh
  tray=$(wait_window first "$app_pid" --class '^trayer$')
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
start_program
shoot_main_window
shoot_about_box
shoot_from_menu help.png h c '^Brannock Help$'
shoot_file_menu
shoot_activity_log
shoot_fileset_boxes
shoot_tray_menu
stop_program

first_start
start_program
shoot_first_start
stop_program

failing_start
start_program
shoot_error_stop
