#!/usr/bin/env bash
# shellcheck disable=SC2317  # functions called through check and summary (checks.sh)
# The setup program under Wine, in a fresh Wine prefix of its own: packs the built program
# (scripts/pack-windows.sh), installs it silently, checks the installed files, the Start-menu
# shortcut, the autostart value and the uninstaller's registration; starts the installed
# program, which must find its help (the Windows text); installs again over it, which must keep
# the settings file; uninstalls silently, which must leave the settings file alone and nothing
# else, and once more with /PURGE, which must leave nothing. The prefix and the packs are
# removed at the end, also when something fails.
# Usage: run-setup.sh brannock.exe brannock.hlp version wine-run.sh help_probe.exe work-folder
# BRANNOCK_TEST_LOG, when set, also receives the output, which ends in GoogleTest's summary
# lines so that the Windows suite counts each check.
set -euo pipefail
# shellcheck source=tests/e2e/checks.sh
. "$(dirname "$0")/checks.sh"

usage="usage: run-setup.sh brannock.exe brannock.hlp version wine-run.sh help_probe.exe work-folder"
exe=${1:?$usage}
help=${2:?$usage}
version=${3:?$usage}
wine_run=${4:?$usage}
probe=${5:?$usage}
work=${6:?$usage}
root=$(cd "$(dirname "$0")/../.." && pwd)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd -P)
export WINEPREFIX="$work/prefix"
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

wine() { "$wine_run" "$@" 2>/dev/null | tr -d '\r'; }
# A registry value's data as `reg query` prints it; empty when there is none.
reg_value() {
  wine reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannock'

if ! "$root/scripts/pack-windows.sh" "$exe" "$help" "$version" "$work/dist" >/dev/null; then
  fail "packing the setup program"
  summary setup "$SECONDS"
fi
setup="$work/dist/brannock-$version-setup.exe"

# The first run of wine-run.sh creates the prefix; the setup program returns once it is done.
wine "$setup" /S >/dev/null || true
"$wineserver" -w
user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n 1)
appdata="$WINEPREFIX/drive_c/users/$user/AppData"
dir="$appdata/Local/Programs/Brannock"
win_dir="C:\\users\\$user\\AppData\\Local\\Programs\\Brannock"
shortcut="$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/Brannock.lnk"

listing() { (cd "$dir" 2>/dev/null && ls -A | sort | tr '\n' ' '); }
check "the program, its help, README.txt and the uninstaller are in %LOCALAPPDATA%\\Programs\\Brannock" \
  test "$(listing)" = "README.txt brannock.exe brannock.hlp uninstall.exe "
check "the installed program is the built one" cmp -s "$exe" "$dir/brannock.exe"
check "README.txt has Windows line ends" grep -q $'\r$' "$dir/README.txt"
check "the Start menu has a shortcut" test -f "$shortcut"
check "Brannock starts at sign-in" test "$(reg_value "$run_key" Brannock)" = "\"$win_dir\\brannock.exe\""
check "the uninstaller is registered for the user" \
  test "$(reg_value "$uninstall_key" UninstallString)" = "\"$win_dir\\uninstall.exe\""
check "the registration names the version" \
  test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"

# The installed program, started as the Start menu starts it, shows its own help.
printf '%s\r\n' '[Options]' 'SyncOn=No' 'About=No' 'SyncTo=' 'Wakeup=5' '[FileSets]' \
  'FileSet1=C:\kept\*.*' >"$dir/brannock.ini"
"$wine_run" "$win_dir\\brannock.exe" >"$work/brannock.out" 2>&1 &
app=$!
shown=$(wine "$probe" || true)
deadline=$((SECONDS + 60))
while kill -0 "$app" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.5; done
check "the installed program showed its help" test "$(head -n 1 <<<"$shown")" = "Brannock Help"
check "the help is the Windows text" grep -qF '%LOCALAPPDATA%\Programs\Brannock' <<<"$shown"
check "the help leaves the Linux text out" bash -c '! grep -q "make install" <<<"$1"' _ "$shown"
check "Terminate Program ended the installed program" bash -c "! kill -0 $app 2>/dev/null"
check "the program kept its settings beside itself" grep -q 'FileSet1=C:\\kept' "$dir/brannock.ini"
cp "$dir/brannock.ini" "$work/settings-before"

# An upgrade replaces the program and keeps the settings file as it was.
echo "stale" >"$dir/brannock.hlp"
wine "$setup" /S >/dev/null || true
"$wineserver" -w
check "an upgrade keeps the settings file" cmp -s "$work/settings-before" "$dir/brannock.ini"
check "an upgrade replaces the program's files" cmp -s "$help" <(tr -d '\r' <"$dir/brannock.hlp")

# The uninstaller runs from a copy of itself in the temporary folder; the prefix's processes
# ending means it has finished.
wine "$win_dir\\uninstall.exe" /S >/dev/null || true
"$wineserver" -w
check "uninstalling leaves the settings file and the activity log and nothing else" \
  test "$(listing)" = "brannock.ini brannock.log "
check "uninstalling keeps the settings file as it was" cmp -s "$work/settings-before" "$dir/brannock.ini"
check "uninstalling removes the shortcut" test ! -e "$shortcut"
check "uninstalling removes the autostart value" test -z "$(reg_value "$run_key" Brannock)"
check "uninstalling removes the registration" \
  test -z "$(reg_value "$uninstall_key" UninstallString)"

# Asked to, the uninstaller removes the settings file too, and with it the folder.
wine "$setup" /S >/dev/null || true
"$wineserver" -w
wine "$win_dir\\uninstall.exe" /S /PURGE >/dev/null || true
"$wineserver" -w
check "uninstalling with /PURGE removes the settings file and the folder" test ! -e "$dir"

summary setup "$SECONDS"
