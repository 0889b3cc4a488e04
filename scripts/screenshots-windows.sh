#!/usr/bin/env bash
# Pictures of the Windows program under Wine, on a virtual display with `trayer` as the tray:
# main-off.png and main-on.png (the main window with syncing off and on), about.png (the About
# box, shown at a first start), tray-menu.png (the tray with its pop-up menu open) and
# error.png (the message box of switching on without a fileset), help.png (Help > Contents),
# modify.png (the Modify Fileset box), the setup program's pages (setup-*.png, and
# uninstall-*.png for the uninstaller's), file-menu.png (the main window with its File menu
# open) and activity-log.png (the Activity Log window, chosen from the tray's pop-up menu, over
# a log with a cycle in it and a line added while it is open), in <build>/screenshots.
# Wine draws the windows' frames itself (no window manager runs), as Windows would. Each
# picture comes from a start of its own, from a copy of the program beside a settings file
# made for it; tests/e2e/TrayPoke.cpp plays the tray clicks. Wine runs in a prefix of its own
# (<build>/wine-shots), so its desktop process belongs to this display.
# Usage: screenshots-windows.sh [build-folder]   (default: build-windows)
#   BRANNOCK_SHOT_WAIT: seconds to wait for each window, default 60
#   BRANNOCK_SHOT_DPI: the display's DPI, default 96; other than 96, the pictures go to
#     <build>/screenshots/<dpi>
#   BRANNOCK_TRAY_CALLBACK, BRANNOCK_TRAY_ICON_ID: as the cross build's cache has them
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
jobs=${JOBS:-$(nproc)}
wait_s=${BRANNOCK_SHOT_WAIT:-60}
dpi=${BRANNOCK_SHOT_DPI:-96}
out="$build/screenshots"
[ "$dpi" = 96 ] || out="$out/$dpi"

cd "$root"
[ -f "$build/CMakeCache.txt" ] || cmake --preset windows-cross -B "$build"
cmake --build "$build" -j "$jobs" --target brannock_win32 tray_poke
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
exe=$(find "$build" -name brannock.exe -not -path '*/dist/*' -not -path '*/wine-*' | head -n 1)
poke=$(find "$build" -name tray_poke.exe | head -n 1)
[ -n "$exe" ] && [ -n "$poke" ] || { echo "screenshots: brannock.exe was not built" >&2; exit 1; }
cached() { sed -n "s/^$1:STRING=//p" "$build/CMakeCache.txt"; }
callback=${BRANNOCK_TRAY_CALLBACK:-$(cached BRANNOCK_TRAY_CALLBACK)}
icon=${BRANNOCK_TRAY_ICON_ID:-$(cached BRANNOCK_TRAY_ICON_ID)}

# shellcheck source=scripts/display.sh
source "$root/scripts/display.sh"
export WINEPREFIX="$build/wine-shots"
wine_run="$root/cmake/wine-run.sh"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
work=$(mktemp -d "${TMPDIR:-/tmp}/brannock-shots.XXXX")
app=""
finish() {
  stop_program
  "$wineserver" -k 2>/dev/null || true
  stop_display
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

unset DISPLAY
start_display
export BRANNOCK_WINE_DISPLAY=$DISPLAY
# Without a window manager Wine draws the title bars and frames itself.
"$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null
"$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
mkdir -p "$out" "$work/Documents/Letters" "$work/Projects" "$work/Mirror"
# Marked as the mirror, as switching syncing on from the window leaves it.
printf 'mirror\r\n' >"$work/Mirror/.brannock-mirror"
rm -f "$out"/*.png

log_lines=()
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# start_program SETTINGS-LINES...: a fresh copy of the program beside its settings file.
start_program() {
  rm -rf "$work/app"
  mkdir -p "$work/app"
  cp "$exe" "$work/app/brannock.exe"
  cp "$(dirname "$exe")/brannock.hlp" "$work/app/brannock.hlp"
  printf '%s\r\n' "$@" >"$work/app/brannock.ini"
  if [ "${#log_lines[@]}" -gt 0 ]; then printf '%s\n' "${log_lines[@]}" >"$work/app/brannock.log"; fi
  "$wine_run" "$work/app/brannock.exe" >>"$work/brannock.log" 2>&1 &
  app=$!
}

stop_program() {
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
  fi
  # A window of the ended program may linger a moment on the display.
  sleep 1
}

# shot NAME WINDOW-ID: the window as it is on the screen, once it has been drawn.
shot() {
  # Without a window, import would wait for a click on one.
  [ -n "$2" ] || { echo "screenshots: no window for $1.png" >&2; exit 1; }
  sleep 1.5
  import -window "$2" "$out/$1.png"
  echo "$1.png: $(identify -format '%wx%h' "$out/$1.png")"
}

poke() { "$wine_run" "$poke" Brannock "$callback" "$icon" "$@"; }

options=('[Options]' 'About=No' "SyncTo=$(winpath "$work/Mirror")" 'Wakeup=30')
filesets=('[FileSets]' "FileSet1=$(winpath "$work/Documents")\\*.*"
  "FileSet2=$(winpath "$work/Projects")\\*.*" "FileSet3=$(winpath "$work/Documents/Letters")\\*.*"
  'FileSet4=')

# A first start, without the About key: the About box shows over the main window.
start_program '[Options]' 'SyncOn=No' "SyncTo=$(winpath "$work/Mirror")" 'Wakeup=30' \
  "${filesets[@]}"
shot about "$(wait_window newest "$app" --name '^About')"
stop_program

# Syncing off: the window, then the tray's pop-up menu, opened where the tray is.
start_program "${options[@]}" 'SyncOn=No' "${filesets[@]}"
shot main-off "$(wait_window newest "$app" --name '^Brannock$')"
read -r screen_w _ < <(xdotool getdisplaygeometry)
xdotool mousemove $((screen_w - 12)) 12
poke right
wait_window newest "$app" --class '' >/dev/null 2>&1 || true
# The pointer leaves the icon, below the menu, so that the icon's tip does not cover an item.
xdotool mousemove $((screen_w - 12)) 200
sleep 2
import -window root -crop 360x220+$((screen_w - 360))+0 "$out/tray-menu.png"
echo "tray-menu.png: $(identify -format '%wx%h' "$out/tray-menu.png")"
poke none esc || true
stop_program

# Syncing on: the first cycle runs, then a left click on the tray icon shows the window.
start_program "${options[@]}" 'SyncOn=Yes' "${filesets[@]}"
sleep 5
poke left
shot main-on "$(wait_window newest "$app" --name '^Brannock$')"
stop_program

# Switching on from the tray menu without a fileset: the first check's message box.
start_program "${options[@]}" 'SyncOn=No' '[FileSets]' 'FileSet1='
wait_window newest "$app" --name '^Brannock$' >/dev/null
poke right d
sleep 1
box=$(xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r id; do
  [ "$(xdotool getwindowname "$id")" != Brannock ] && echo "$id"
done | tail -n 1)
[ -n "$box" ] || { echo "screenshots: no message box appeared" >&2; exit 1; }
shot error "$box"
stop_program

# Help > Contents, chosen from the window's menu bar.
start_program "${options[@]}" 'SyncOn=No' "${filesets[@]}"
wait_window newest "$app" --name '^Brannock$' >/dev/null
poke command 2002
help_window=$(wait_window newest "$app" --name '^Brannock Help$')
shot help "$help_window"
# Further down, the settings example: its lines as they are to be typed.
eval "$(xdotool getwindowgeometry --shell "$help_window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool click --repeat 12 --delay 50 5
shot help-settings "$help_window"
stop_program

# Modify Fileset on the first entry: the box offers it, all of it selected.
start_program "${options[@]}" 'SyncOn=No' "${filesets[@]}"
wait_window newest "$app" --name '^Brannock$' >/dev/null
poke command 1002 0
shot modify "$(wait_window newest "$app" --name '^Modify Fileset$')"
stop_program

# The setup program's pages, Next after Next (the button's id is 1), installing into this
# prefix; then the uninstaller's two pages.
"$root/scripts/pack-windows.sh" "$exe" "$(dirname "$exe")/brannock.hlp" "$version" \
  "$work/dist" >/dev/null
"$wine_run" "$work/dist/brannock-$version-setup.exe" >>"$work/brannock.log" 2>&1 &
app=$!
for page in welcome components folder finish; do
  shot "setup-$page" "$(wait_window newest "$app" --name '^Brannock Setup')"
  [ "$page" = finish ] || "$wine_run" "$poke" "Brannock Setup" 0 0 command 1
  [ "$page" != folder ] || sleep 5  # the files are copied
done
stop_program
"$wineserver" -k 2>/dev/null || true
local_app_data=$(find "$WINEPREFIX/drive_c/users" -maxdepth 4 -path '*/AppData/Local' | head -n 1)
"$wine_run" "$local_app_data/Programs/Brannock/uninstall.exe" >>"$work/brannock.log" 2>&1 &
app=$!
for page in confirm components; do
  shot "uninstall-$page" "$(wait_window newest $$ --name '^Brannock Uninstall')"
  "$wine_run" "$poke" "Brannock Uninstall" 0 0 command 1
done
stop_program

# The File menu, opened from the menu bar as Alt+F would, over the window.
start_program "${options[@]}" 'SyncOn=No' "${filesets[@]}"
main=$(wait_window newest "$app" --name '^Brannock$')
poke menubar f
sleep 1
# The menu is a window of its own over the main window: the picture is the screen there.
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/file-menu.png"
echo "file-menu.png: $(identify -format '%wx%h' "$out/file-menu.png")"
poke none esc || true
stop_program

# The Activity Log, chosen from the tray's pop-up menu, over a log with a cycle in it.
docs=$(winpath "$work/Documents") mirror=$(winpath "$work/Mirror")
log_lines=(
  "2026-12-07 10:58:02 start settings $(winpath "$work/app/brannock.ini")"
  '2026-12-07 10:58:02 sync-on by the user'
  '2026-12-07 10:58:02 cycle by the switch-on'
  "2026-12-07 10:58:03 copied $docs\\report.txt -> $mirror\\Documents\\report.txt, 18204 bytes"
  "2026-12-07 10:58:03 unlisted nothing copied from $(winpath "$work/Projects")\\Old: The system cannot find the path specified."
  "2026-12-07 10:58:04 deleted $mirror\\Documents\\old-notes.txt: its source was not found"
  '2026-12-07 10:58:04 done 214 looked at, 1 copied (18204 bytes), 1 deleted, 0 failed, 0 passed over, 1 not listed, 2 s'
  '2026-12-07 11:31:40 sync-off by the user')
start_program "${options[@]}" 'SyncOn=No' "${filesets[@]}"
wait_window newest "$app" --name '^Brannock$' >/dev/null
poke right a
log=$(wait_window newest "$app" --name '^Brannock Activity Log$')
# A line the program adds while the window is open shows at the bottom.
printf '%s\n' '2026-12-07 11:40:00 cycle by the timer' >>"$work/app/brannock.log"
shot activity-log "$log"
log_lines=()
stop_program

echo "screenshots in $out"
